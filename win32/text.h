#pragma once

#include <string>
#include <string_view>

// UTF-16 text as Windows' wide-character functions take it (wchar_t holds
// UTF-16 on Windows), copied so that it is NUL-terminated.
inline std::wstring wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}
