#include "extended_length_path.h"

#include <cstddef>
#include <vector>

namespace {
// MAX_PATH less the terminating NUL.
constexpr std::size_t longestPlainPath = 259;

bool isSeparator(char16_t c)
{
    return c == u'\\' || c == u'/';
}

bool isDriveLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The segments of a path's part after its root, with empty and "." segments
// left out and each ".." taking the segment before it away; keep is how many
// leading segments no ".." may take (a UNC path's server and share).
std::vector<std::u16string_view> segmentsOf(std::u16string_view rest, std::size_t keep)
{
    std::vector<std::u16string_view> segments;
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && isSeparator(rest[i]))
            ++i;
        const std::size_t start = i;
        while (i < rest.size() && !isSeparator(rest[i]))
            ++i;
        const std::u16string_view segment = rest.substr(start, i - start);
        if (segment.empty() || segment == u".")
            continue;
        if (segment == u"..") {
            if (segments.size() > keep)
                segments.pop_back();
            continue;
        }
        segments.push_back(segment);
    }
    return segments;
}
} // namespace

std::u16string extendedLengthPath(std::u16string_view path)
{
    if (path.size() <= longestPlainPath || path.starts_with(u"\\\\?\\"))
        return std::u16string(path);
    std::u16string extended;
    std::vector<std::u16string_view> segments;
    if (path.size() >= 3 && isDriveLetter(path[0]) && path[1] == u':' && isSeparator(path[2])) {
        extended = std::u16string(u"\\\\?\\") + path[0] + u':';
        segments = segmentsOf(path.substr(3), 0);
    } else if (isSeparator(path[0]) && isSeparator(path[1]) &&
               !((path[2] == u'.' || path[2] == u'?') && isSeparator(path[3]))) {
        segments = segmentsOf(path.substr(2), 2);
        if (segments.size() < 2)
            return std::u16string(path);
        extended = u"\\\\?\\UNC";
    } else {
        // Relative to a current folder or drive: not made absolute here.
        return std::u16string(path);
    }
    if (segments.empty())
        extended += u'\\';
    for (const std::u16string_view segment : segments) {
        extended += u'\\';
        extended += segment;
    }
    return extended;
}
