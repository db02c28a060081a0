#include "data_folders_linux.h"

#include <cstdlib>
#include <string_view>

namespace {
// A variable's value as bytes, which is what a folder's name is; empty when
// it is not set.
std::string_view variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

void appendAbsolute(std::vector<std::filesystem::path>& folders, std::filesystem::path folder)
{
    if (folder.is_absolute())
        folders.push_back(std::move(folder));
}
} // namespace

std::vector<std::filesystem::path> dataFolders()
{
    std::vector<std::filesystem::path> folders;
    // A relative $XDG_DATA_HOME counts as unset.
    const std::filesystem::path dataHome = variable("XDG_DATA_HOME");
    if (dataHome.is_absolute())
        folders.push_back(dataHome);
    else if (!variable("HOME").empty())
        appendAbsolute(folders, std::filesystem::path(variable("HOME")) / ".local" / "share");

    std::string_view dataDirs = variable("XDG_DATA_DIRS");
    if (dataDirs.empty())
        dataDirs = "/usr/local/share:/usr/share";
    while (!dataDirs.empty()) {
        const auto colon = dataDirs.find(':');
        appendAbsolute(folders, dataDirs.substr(0, colon));
        dataDirs =
            colon == std::string_view::npos ? std::string_view() : dataDirs.substr(colon + 1);
    }
    return folders;
}
