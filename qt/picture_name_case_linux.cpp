#include "picture_name_case_linux.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace {
// A picture folder holds some 60 files; a hostile one may hold millions, and
// a pick reads no more of it than this.
constexpr int maxEntriesRead = 10000;

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Names are bytes; only ASCII letters fold, so no encoding is assumed.
bool equalIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    return std::ranges::equal(a, b, {}, asciiLower, asciiLower);
}
} // namespace

std::filesystem::path pictureFileIgnoringCase(const std::filesystem::path& path)
{
    std::error_code error;
    // Any entry of the exact name is the file, even a broken link or a
    // directory, which then fails to load as it does on Windows.
    if (std::filesystem::symlink_status(path, error).type() !=
        std::filesystem::file_type::not_found)
        return path;
    const std::string wanted = path.filename().native();
    std::filesystem::directory_iterator entries(path.parent_path(), error);
    // Of several matches (1.JPG and 1.Jpg), the first in byte order, so that
    // every pick reads the same one whatever order the folder lists them in.
    std::string best;
    int read = 0;
    for (; !error && entries != std::filesystem::directory_iterator() && read < maxEntriesRead;
         entries.increment(error), ++read) {
        const std::string name = entries->path().filename().native();
        if (equalIgnoringAsciiCase(name, wanted) && (best.empty() || name < best))
            best = name;
    }
    return best.empty() ? path : path.parent_path() / best;
}
