#include "picture_folder_search.h"

#include <string>

namespace {
std::string asciiLowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return lower;
}
} // namespace

std::filesystem::path
pictureFolderParent(const std::filesystem::path& programDirectory,
                    std::span<const std::filesystem::path> dataFolders,
                    std::string_view programName, std::u16string_view pictureFolder,
                    const std::function<bool(const std::filesystem::path&)>& isFolder)
{
    const std::filesystem::path folder{std::u16string(pictureFolder)};
    if (isFolder(programDirectory / folder))
        return programDirectory;
    const std::filesystem::path programFolder{asciiLowerCase(programName)};
    for (const std::filesystem::path& data : dataFolders) {
        if (isFolder(data / programFolder / folder))
            return data / programFolder;
    }
    return programDirectory;
}
