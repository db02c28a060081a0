#include "platform.h"

#include <QWidget>

void requestStaysOnTop(QWidget& window)
{
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}
