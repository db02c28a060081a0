#pragma once

// doctest, with the core's UTF-16 texts and optional answers printed in a
// failed check's message.
#include <doctest.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace doctest {
template <> struct StringMaker<std::u16string_view> {
    static String convert(std::u16string_view text)
    {
        try {
            const std::u8string utf8 = std::filesystem::path(text).u8string();
            return String(reinterpret_cast<const char*>(utf8.data()), unsigned(utf8.size()));
        } catch (const std::exception&) {
            return "(not UTF-16)";
        }
    }
};
template <> struct StringMaker<std::u16string> : StringMaker<std::u16string_view> {};
template <std::size_t N> struct StringMaker<char16_t[N]> : StringMaker<std::u16string_view> {};
template <typename T> struct StringMaker<std::optional<T>> {
    static String convert(const std::optional<T>& value)
    {
        return value ? toString(*value) : String("nothing");
    }
};
} // namespace doctest
