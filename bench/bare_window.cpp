// The baseline for start-up: a bare Qt window of the same size, with nothing
// in it, reporting its first frame the same way.

#include "first_frame_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(299, 432);
    window.show();
    reportFirstFrameAndExit(window);
    return application.exec();
}
