#include "check.h"

#include "extended_length_path.h"

#include <string>

TEST_CASE(longPathsTakeTheirNormalisedExtendedForm)
{
    // Two folder names of 130 characters make every path below too long for a
    // plain one (259 characters).
    const std::u16string a(130, u'a'), b(130, u'深');
    struct Case {
        std::u16string path;
        std::u16string expected;
    };
    const Case cases[] = {
        // Fits: unchanged, the doubled separator after a drive root included,
        // which Windows reads as one in a plain path.
        {u"C:\\\\Qel\\0.jpg", u"C:\\\\Qel\\0.jpg"},
        {u"\\\\server\\share\\Qel\\0.jpg", u"\\\\server\\share\\Qel\\0.jpg"},
        {u"C:\\" + a + u"\\" + b, u"\\\\?\\C:\\" + a + u"\\" + b},
        {u"C:\\" + a + u"\\" + b + u"\\\\Qel\\0.jpg",
         u"\\\\?\\C:\\" + a + u"\\" + b + u"\\Qel\\0.jpg"},
        {u"d:/" + a + u"//./" + b + u"/x/../Qel/0.jpg",
         u"\\\\?\\d:\\" + a + u"\\" + b + u"\\Qel\\0.jpg"},
        // ".." never climbs above the drive's root, nor above a UNC share.
        {u"C:\\..\\..\\" + a + u"\\" + b, u"\\\\?\\C:\\" + a + u"\\" + b},
        {u"\\\\server\\share\\" + a + u"\\" + b + u"\\Qel\\0.jpg",
         u"\\\\?\\UNC\\server\\share\\" + a + u"\\" + b + u"\\Qel\\0.jpg"},
        {u"\\\\server\\share\\..\\..\\" + a + u"\\" + b,
         u"\\\\?\\UNC\\server\\share\\" + a + u"\\" + b},
        // Already extended, a device, or not absolute: unchanged.
        {u"\\\\?\\C:\\" + a + u"\\\\" + b, u"\\\\?\\C:\\" + a + u"\\\\" + b},
        {u"\\\\.\\" + a + u"\\" + b, u"\\\\.\\" + a + u"\\" + b},
        {a + u"\\" + b, a + u"\\" + b},
        {u"C:" + a + u"\\" + b, u"C:" + a + u"\\" + b},
        {u"\\" + a + u"\\" + b, u"\\" + a + u"\\" + b},
    };
    for (const Case& c : cases)
        CHECK_EQ(extendedLengthPath(c.path), c.expected);
}
