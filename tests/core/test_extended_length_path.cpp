#include "check.h"

#include "extended_length_path.h"

#include <string>

TEST_CASE(longPathsTakeTheirNormalisedExtendedForm)
{
    // Two 130-character names make each path too long for a plain one.
    const std::u16string a(130, u'a'), b(130, u'深'), ab = a + u"\\" + b;
    const std::u16string cases[][2] = {
        // Fits, the drive root's doubled separator included: unchanged.
        {u"C:\\\\Qel\\0.jpg", u"C:\\\\Qel\\0.jpg"},
        {u"C:\\" + ab + u"\\\\Qel\\0.jpg", u"\\\\?\\C:\\" + ab + u"\\Qel\\0.jpg"},
        {u"d:/" + a + u"//./" + b + u"/x/../0.jpg", u"\\\\?\\d:\\" + ab + u"\\0.jpg"},
        // ".." never climbs above a drive's root nor a share.
        {u"C:\\..\\" + ab, u"\\\\?\\C:\\" + ab},
        {u"\\\\server\\share\\..\\" + ab, u"\\\\?\\UNC\\server\\share\\" + ab},
        // Already extended, a device, or not absolute: unchanged.
        {u"\\\\?\\C:\\" + a + u"\\\\" + b, u"\\\\?\\C:\\" + a + u"\\\\" + b},
        {u"\\\\.\\" + ab, u"\\\\.\\" + ab},
        {ab, ab},
        {u"C:" + ab, u"C:" + ab},
    };
    for (const auto& [path, expected] : cases)
        CHECK_EQ(extendedLengthPath(path), expected);
}
