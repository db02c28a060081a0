#include "check.h"

#include "catalogue_rules.h"
#include "qelview_catalogue.h"
#include "regular_file.h"
#include "scratch_folder.h"
#include "velview_catalogue.h"
#include "viewer_behaviour.h"

TEST_CASE(spokenPictureNamesUseThisPlatformsSeparator)
{
    const ViewerBehaviour qelview(qelviewCatalogue(), u"dir");
    CHECK_EQ(qelview.load()->name, u"Qel\\0.jpg：总览");
    CHECK_EQ(qelview.pick(3, 6)->picture->name, u"Qel\\56.jpg：髪影消");
    CHECK_EQ(ViewerBehaviour(velviewCatalogue(), u"dir").doubleClick()->announcement,
             u"velisa\\15.jpg：びっくり");
}

TEST_CASE(picturePathsJoinWithBackslashes)
{
    CHECK_EQ(PicturePath(qelviewCatalogue(), u"C:\\Users\\李 明\\Downloads\\Qelview", 1),
             u"C:\\Users\\李 明\\Downloads\\Qelview\\Qel\\1.jpg");
    CHECK_EQ(PicturePath(velviewCatalogue(), u"D:\\v", 15), u"D:\\v\\velisa\\15.jpg");
    // The folder of a program at a drive's root already ends in a backslash,
    // and the path keeps both.
    CHECK_EQ(PicturePath(qelviewCatalogue(), u"C:\\", 0), u"C:\\\\Qel\\0.jpg");
}

TEST_CASE(deviceNamesAreRefusedWithoutWaiting)
{
    // Reserved names stand for devices in every folder and with any extension.
    const std::u16string folder = scratchFolder().u16string();
    for (const std::u16string& path :
         {std::u16string(u"NUL"), std::u16string(u"CON"), std::u16string(u"CONIN$"),
          std::u16string(u"\\\\.\\NUL"), folder + u"\\CON.jpg", folder + u"\\NUL.jpg",
          folder + u"\\AUX.jpg", folder + u"\\COM1.jpg"})
        CHECK(!readRegularFile(path, 1 << 20));
}
