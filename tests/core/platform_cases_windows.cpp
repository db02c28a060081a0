#include "core_test.h"

#include "catalogue_rules.h"
#include "extended_length_path_windows.h"
#include "qelview_catalogue.h"
#include "regular_file.h"
#include "scratch_folder.h"
#include "velview_catalogue.h"
#include "viewer_behaviour.h"

#include <string>

TEST_CASE("spoken picture names use this platform's separator")
{
    CHECK_EQ(ViewerBehaviour(qelviewCatalogue(), u"dir").startupPictures().front().name,
             u"Qel\\0.jpg：总览");
}

TEST_CASE("picture paths join with backslashes")
{
    CHECK(PicturePath(qelviewCatalogue(), L"C:\\Users\\李 明\\Downloads\\Qelview", 1)->native() ==
          L"C:\\Users\\李 明\\Downloads\\Qelview\\Qel\\1.jpg");
    CHECK(PicturePath(velviewCatalogue(), L"D:\\v", 15)->native() == L"D:\\v\\velisa\\15.jpg");
    // The folder of a program at a drive's root already ends in a backslash.
    CHECK(PicturePath(qelviewCatalogue(), L"C:\\", 0)->native() == L"C:\\Qel\\0.jpg");
}

TEST_CASE("device names are refused without waiting")
{
    // Reserved names stand for devices in every folder and with any extension.
    const std::filesystem::path folder = scratchFolder();
    for (const std::filesystem::path& path :
         {std::filesystem::path(L"NUL"), std::filesystem::path(L"CON"),
          std::filesystem::path(L"CONIN$"), std::filesystem::path(L"\\\\.\\NUL"),
          folder / L"CON.jpg", folder / L"NUL.jpg", folder / L"AUX.jpg", folder / L"COM1.jpg"})
        CHECK(!readRegularFile(path, 1 << 20));
}

TEST_CASE("long paths take their normalised extended form")
{
    // Two 130-character names make each path too long for a plain one.
    const std::wstring a(130, L'a'), b(130, L'深'), ab = a + L"\\" + b;
    const std::wstring cases[][2] = {
        // Fits, a doubled separator included: unchanged.
        {L"C:\\\\Qel\\0.jpg", L"C:\\\\Qel\\0.jpg"},
        {L"C:\\" + ab + L"\\\\Qel\\0.jpg", L"\\\\?\\C:\\" + ab + L"\\Qel\\0.jpg"},
        {L"d:/" + a + L"//./" + b + L"/x/../0.jpg", L"\\\\?\\d:\\" + ab + L"\\0.jpg"},
        // ".." never climbs above a drive's root nor a share.
        {L"C:\\..\\" + ab, L"\\\\?\\C:\\" + ab},
        {L"\\\\server\\share\\..\\" + ab, L"\\\\?\\UNC\\server\\share\\" + ab},
        // Already extended, a device, or not absolute: unchanged.
        {L"\\\\?\\C:\\" + a + L"\\\\" + b, L"\\\\?\\C:\\" + a + L"\\\\" + b},
        {L"\\\\.\\" + ab, L"\\\\.\\" + ab},
        {ab, ab},
        {L"C:" + ab, L"C:" + ab},
    };
    for (const auto& [path, expected] : cases)
        CHECK(extendedLengthPath(path) == expected);
}
