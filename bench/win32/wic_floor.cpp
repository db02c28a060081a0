#include "wic_floor.h"

#include <wincodec.h>

namespace {
// Releases a COM interface at the end of a scope.
template <typename Interface> struct Held {
    Interface* pointer = nullptr;
    ~Held()
    {
        if (pointer)
            pointer->Release();
    }
    Interface* operator->() const { return pointer; }
};
} // namespace

bool readWholeFile(const std::wstring& path, std::vector<std::uint8_t>& bytes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1 << 30);
    if (read) {
        bytes.resize(std::size_t(size.QuadPart));
        DWORD got = 0;
        read =
            ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) && got == bytes.size();
    }
    CloseHandle(file);
    return read;
}

WicFloor::WicFloor()
{
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&m_factory));
}

WicFloor::~WicFloor()
{
    if (m_factory)
        m_factory->Release();
}

long WicFloor::readAndDecode(const std::wstring& path, UINT width, UINT height)
{
    if (!m_factory || !readWholeFile(path, m_file))
        return 0;
    Held<IWICStream> stream;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICFormatConverter> converter;
    Held<IWICBitmapScaler> scaler;
    if (FAILED(m_factory->CreateStream(&stream.pointer)) ||
        FAILED(stream->InitializeFromMemory(m_file.data(), DWORD(m_file.size()))) ||
        FAILED(m_factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, &decoder.pointer)) ||
        FAILED(decoder->Initialize(stream.pointer, WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, &frame.pointer)) ||
        FAILED(m_factory->CreateFormatConverter(&converter.pointer)) ||
        FAILED(converter->Initialize(frame.pointer, GUID_WICPixelFormat32bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(m_factory->CreateBitmapScaler(&scaler.pointer)) ||
        FAILED(
            scaler->Initialize(converter.pointer, width, height, WICBitmapInterpolationModeFant)))
        return 0;
    const UINT stride = width * 4;
    // Left as it was, as a decoder's output buffer would be.
    m_pixels.resize(std::size_t(stride) * height);
    if (FAILED(scaler->CopyPixels(nullptr, stride, UINT(m_pixels.size()), m_pixels.data())))
        return 0;
    return long(m_pixels.size());
}
