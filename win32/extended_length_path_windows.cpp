#include "extended_length_path_windows.h"

#include <cstddef>
#include <vector>

namespace {
// MAX_PATH less the terminating NUL.
constexpr std::size_t longestPlainPath = 259;

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool isDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// The segments of a path's part after its root, with empty and "." segments
// left out and each ".." taking the segment before it away; keep is how many
// leading segments no ".." may take (a UNC path's server and share).
std::vector<std::wstring_view> segmentsOf(std::wstring_view rest, std::size_t keep)
{
    std::vector<std::wstring_view> segments;
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && isSeparator(rest[i]))
            ++i;
        const std::size_t start = i;
        while (i < rest.size() && !isSeparator(rest[i]))
            ++i;
        const std::wstring_view segment = rest.substr(start, i - start);
        if (segment.empty() || segment == L".")
            continue;
        if (segment == L"..") {
            if (segments.size() > keep)
                segments.pop_back();
            continue;
        }
        segments.push_back(segment);
    }
    return segments;
}
} // namespace

std::wstring extendedLengthPath(std::wstring_view path)
{
    if (path.size() <= longestPlainPath || path.starts_with(L"\\\\?\\"))
        return std::wstring(path);
    std::wstring extended;
    std::vector<std::wstring_view> segments;
    if (path.size() >= 3 && isDriveLetter(path[0]) && path[1] == L':' && isSeparator(path[2])) {
        extended = std::wstring(L"\\\\?\\") + path[0] + L':';
        segments = segmentsOf(path.substr(3), 0);
    } else if (isSeparator(path[0]) && isSeparator(path[1]) &&
               !((path[2] == L'.' || path[2] == L'?') && isSeparator(path[3]))) {
        segments = segmentsOf(path.substr(2), 2);
        if (segments.size() < 2)
            return std::wstring(path);
        extended = L"\\\\?\\UNC";
    } else {
        // Relative to a current folder or drive: not made absolute here.
        return std::wstring(path);
    }
    if (segments.empty())
        extended += L'\\';
    for (const std::wstring_view segment : segments) {
        extended += L'\\';
        extended += segment;
    }
    return extended;
}
