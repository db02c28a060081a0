#include "check.h"

#include "file_name_text.h"

#include <string>

TEST_CASE(fileNameBytesSurviveTheTextUnchanged)
{
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        // 测试 in UTF-8, and the same word in GBK as an archive made on a
        // Chinese Windows names it.
        {"/home/\xE6\xB5\x8B\xE8\xAF\x95", u"/home/测试"},
        {"/home/\xB2\xE2\xCA\xD4", u"/home/\xDCB2\xDCE2\xDCCA\xDCD4"},
        // An overlong slash, an encoded surrogate and a cut-off sequence are
        // not UTF-8: each of their bytes is carried on its own.
        {"a\xC0\xAF", u"a\xDCC0\xDCAF"},
        {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
        {"\xE6\xB5/", u"\xDCE6\xDCB5/"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
    };
    for (const Case& c : cases) {
        CHECK_EQ(fileNameText(c.bytes), c.text);
        CHECK(fileNameBytes(c.text) == c.bytes);
    }
}

TEST_CASE(noBytesForTextNoFileNameHolds)
{
    for (const std::u16string& text :
         {std::u16string(u"a\0b", 3), std::u16string(u"\xD800x"), std::u16string(u"x\xDC7F")})
        CHECK(!fileNameBytes(text));
}
