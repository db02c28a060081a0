// Draws Qelview's window after a pick in every list, as the program starts,
// into the PNG file named by its argument, and prints the C library's locale.
#include "glyph_forms.h"
#include "viewer_fixture.h"
#include "viewer_program.h"

#include <QApplication>

#include <clocale>
#include <cstdio>

int main(int argc, char* argv[])
{
    keepGlyphFormsOfEachFace();
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    std::printf("%s\n", std::setlocale(LC_CTYPE, nullptr));
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    // A Japanese item in each list, the last pick's Chinese description.
    for (int ordinal = 1; ordinal <= 4; ++ordinal)
        fixture.pick(ordinal, 0);
    fixture.window().setFocus();
    return fixture.window().grab().toImage().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
