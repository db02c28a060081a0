#include "core_test.h"

#include "catalogue_rules.h"
#include "qelview_catalogue.h"
#include "regular_file.h"
#include "scratch_folder.h"
#include "velview_catalogue.h"
#include "viewer_behaviour.h"

#include <sys/stat.h>
#include <unistd.h>

TEST_CASE("spoken picture names use this platform's separator")
{
    CHECK_EQ(ViewerBehaviour(qelviewCatalogue(), u"dir").startupPictures().front().name,
             u"Qel/0.jpg：总览");
}

TEST_CASE("picture paths join with slashes")
{
    CHECK_EQ(PicturePath(qelviewCatalogue(), "/home/li ming/下载/Qelview", 1)->native(),
             "/home/li ming/下载/Qelview/Qel/1.jpg");
    CHECK_EQ(PicturePath(velviewCatalogue(), "/opt/v", 15)->native(), "/opt/v/velisa/15.jpg");
    CHECK_EQ(PicturePath(qelviewCatalogue(), "/", 0)->native(), "/Qel/0.jpg");
    // A folder name that is not UTF-8 (GBK bytes here) reaches the path as is.
    CHECK_EQ(PicturePath(qelviewCatalogue(), "/\xB1\xED\xC7\xE9", 2)->native(),
             "/\xB1\xED\xC7\xE9/Qel/2.jpg");
}

TEST_CASE("special files are refused without waiting")
{
    // Nothing ever writes to the FIFO: opening or reading it for real would
    // wait for ever and the test would time out.
    const auto fifo = scratchFolder() / "fifo.jpg";
    CHECK_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto zero = scratchFolder() / "zero.jpg";
    CHECK_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    for (const std::filesystem::path& path :
         {fifo, zero, std::filesystem::path("/dev/null"), std::filesystem::path("/dev/zero")})
        CHECK(!readRegularFile(path, 1 << 20));
}
