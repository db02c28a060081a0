// Draws Qelview's window after a pick in every list, started as the program
// starts it, into the PNG file named by its argument, and prints the C
// library's locale.
#include "run_viewer.h"
#include "viewer_program.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QImage>

#include <clocale>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    return runViewer(argc, argv, qelviewViewerProgram(), [&file](QWidget& window) {
        std::printf("%s\n", std::setlocale(LC_CTYPE, nullptr));
        // A Japanese item in each list, the last pick's Chinese description.
        for (int ordinal = 1; ordinal <= 4; ++ordinal) {
            auto* list = window.findChild<QComboBox*>(QStringLiteral("Combo%1").arg(ordinal));
            list->setCurrentIndex(0);
            emit list->activated(0);
        }
        window.setFocus();
        const int code = window.grab().toImage().save(file) ? 0 : 1;
        QMetaObject::invokeMethod(
            qApp, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    });
}
