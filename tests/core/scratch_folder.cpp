#include "scratch_folder.h"

#include <chrono>
#include <fstream>
#include <stdexcept>

namespace {
struct Folder {
    std::filesystem::path path;
    Folder()
    {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path = std::filesystem::temp_directory_path() / ("core-tests-" + std::to_string(stamp));
        std::filesystem::create_directories(path);
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};
} // namespace

const std::filesystem::path& scratchFolder()
{
    static const Folder folder;
    return folder.path;
}

std::filesystem::path writeScratchFile(std::u16string_view name,
                                       std::span<const std::uint8_t> bytes)
{
    const std::filesystem::path path = scratchFolder() / std::filesystem::path(name);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write a scratch file");
    return path;
}
