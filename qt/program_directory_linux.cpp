#include "platform.h"

#include "file_name_text.h"

#include <QCoreApplication>
#include <QDir>

#include <string>
#include <unistd.h>

namespace {
// The program file's path as the kernel holds it, links resolved, in bytes;
// empty when it cannot be read.
std::string programFileBytes()
{
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length <= 0)
            return {};
        if (std::size_t(length) < path.size()) {
            path.resize(std::size_t(length));
            return path;
        }
        path.resize(path.size() * 2);
    }
}
} // namespace

QString programDirectory()
{
    // Qt decodes the path as text, and a folder whose name is not UTF-8 (an
    // archive unpacked from another system) would then name no folder at
    // all. Its bytes are carried through the text instead, so that the
    // picture paths formed from it reach the same folder.
    const std::string file = programFileBytes();
    const auto separator = file.rfind('/');
    if (file.empty() || separator == std::string::npos)
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const std::string folder = separator == 0 ? std::string("/") : file.substr(0, separator);
    return QString::fromStdU16String(fileNameText(folder));
}
