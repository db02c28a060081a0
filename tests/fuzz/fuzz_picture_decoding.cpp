// libFuzzer entry over the picture-loading layer: any bytes, decoded for the
// shown size, must end without a crash, a sanitizer finding, a time-out or
// memory past the run's limit.
#include "picture_loading.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt's plugin loader and codecs expect an application object.
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    decodePicture(bytes, QSize(300, 300));
    return 0;
}
