#include "check.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace check {
namespace {
std::vector<std::pair<const char*, TestFunction>>& registry()
{
    static std::vector<std::pair<const char*, TestFunction>> tests;
    return tests;
}
const char* currentTest = "";
int failures = 0;
} // namespace

Registration::Registration(const char* name, TestFunction function)
{
    registry().emplace_back(name, function);
}

void fail(const std::string& what, std::source_location where)
{
    ++failures;
    std::printf("FAIL %s: %s (%s:%u)\n", currentTest, what.c_str(), where.file_name(),
                unsigned(where.line()));
}

// UTF-8, with each code unit that is not a whole character shown as \uXXXX.
std::string printable(std::u16string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        const bool high = code >= 0xD800 && code <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if ((code >= 0xD800 && code <= 0xDFFF) || code < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(code));
            out += escaped;
            continue;
        }
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }
    return out + "\"";
}
} // namespace check

int main()
{
    for (const auto& [name, function] : check::registry()) {
        check::currentTest = name;
        function();
    }
    std::printf("%zu tests, %d failed checks\n", check::registry().size(), check::failures);
    return check::failures == 0 ? 0 : 1;
}
