#include "check.h"

#include "catalogue_rules.h"
#include "qelview_catalogue.h"
#include "regular_file.h"
#include "scratch_folder.h"
#include "velview_catalogue.h"
#include "viewer_behaviour.h"

#include <sys/stat.h>
#include <unistd.h>

TEST_CASE(spokenPictureNamesUseThisPlatformsSeparator)
{
    const ViewerBehaviour qelview(qelviewCatalogue(), u"dir");
    CHECK_EQ(qelview.load()->name, u"Qel/0.jpg：总览");
    CHECK_EQ(qelview.pick(3, 6)->picture->name, u"Qel/56.jpg：髪影消");
    CHECK_EQ(ViewerBehaviour(velviewCatalogue(), u"dir").doubleClick()->announcement,
             u"velisa/15.jpg：びっくり");
}

TEST_CASE(picturePathsJoinWithSlashes)
{
    CHECK_EQ(PicturePath(qelviewCatalogue(), u"/home/li ming/下载/Qelview", 1),
             u"/home/li ming/下载/Qelview/Qel/1.jpg");
    CHECK_EQ(PicturePath(velviewCatalogue(), u"/opt/v", 15), u"/opt/v/velisa/15.jpg");
    CHECK_EQ(PicturePath(qelviewCatalogue(), u"/", 0), u"//Qel/0.jpg");
}

TEST_CASE(specialFilesAreRefusedWithoutWaiting)
{
    // Nothing ever writes to the FIFO: opening or reading it for real would
    // wait for ever and the test would time out.
    const auto fifo = (scratchFolder() / "fifo.jpg").string();
    CHECK_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto zero = (scratchFolder() / "zero.jpg").string();
    CHECK_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    for (const auto& name : {fifo, zero, std::string("/dev/null"), std::string("/dev/zero")}) {
        const std::u16string path(name.begin(), name.end());
        CHECK(!readRegularFile(path, 1 << 20));
    }
}
