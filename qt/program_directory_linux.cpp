#include "platform.h"

#include <QCoreApplication>
#include <QDir>

std::filesystem::path programDirectory()
{
    // The kernel's link holds the program file's path as bytes, links
    // resolved. Qt would decode it as text, and a folder whose name is not
    // UTF-8 (an archive unpacked from another system) would name no folder.
    std::error_code error;
    const std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !file.has_parent_path())
        return QDir(QCoreApplication::applicationDirPath()).filesystemPath();
    return file.parent_path();
}
