#pragma once

#include <optional>
#include <source_location>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>

// A few macros for plain tests: each failed check prints what was compared and
// where, the run goes on, and the program exits non-zero if anything failed.
namespace check {

using TestFunction = void (*)();

struct Registration {
    Registration(const char* name, TestFunction function);
};

void fail(const std::string& what, std::source_location where);

std::string printable(std::u16string_view text);
template <typename T> std::string printable(const T& value);
template <typename T> std::string printable(const std::optional<T>& value)
{
    return value ? printable(*value) : "nothing";
}
template <typename T> std::string printable(const T& value)
{
    if constexpr (std::is_convertible_v<const T&, std::u16string_view>) {
        return printable(std::u16string_view(value));
    } else if constexpr (requires(std::ostream & out) { out << value; }) {
        std::ostringstream out;
        out << value;
        return out.str();
    } else {
        return "(a value)";
    }
}

template <typename Actual, typename Expected>
void equal(const Actual& actual, const Expected& expected, const char* text,
           std::source_location where)
{
    if (!(actual == expected))
        fail(std::string(text) + ": got " + printable(actual) + ", expected " + printable(expected),
             where);
}

} // namespace check

#define CHECK(condition)                                                                           \
    ((condition) ? void() : check::fail(#condition, std::source_location::current()))
#define CHECK_EQ(actual, expected)                                                                 \
    check::equal((actual), (expected), #actual " == " #expected, std::source_location::current())
#define TEST_CASE(name)                                                                            \
    static void name();                                                                            \
    static const check::Registration name##Registration(#name, name);                              \
    static void name()
