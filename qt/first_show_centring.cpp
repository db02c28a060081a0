#include "first_show_centring.h"

#include "form_layout.h"
#include "qt_layout.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

FirstShowCentring::FirstShowCentring(QWidget& window) : QObject(&window), m_window(window)
{
    window.installEventFilter(this);
}

bool FirstShowCentring::eventFilter(QObject* watched, QEvent* event)
{
    if (m_frameKnown)
        return false;
    if (watched == &m_window && event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        centre();
        // The frame is there by the time the window first shows on screen.
        if (QWindow* window = m_window.windowHandle())
            window->installEventFilter(this);
    } else if (m_shown && watched == m_window.windowHandle() &&
               (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
        if (!m_window.windowHandle()->frameMargins().isNull()) {
            m_frameKnown = true;
            centre();
        }
    }
    return false;
}

void FirstShowCentring::centre()
{
    const QScreen* screen = m_window.screen();
    if (!screen)
        return;
    const QWindow* window = m_window.windowHandle();
    const QMargins frame = window ? window->frameMargins() : QMargins();
    const QSize frameSize = m_window.size().grownBy(frame);
    const PixelRect placed = centredFrame(toPixelRect(screen->availableGeometry()),
                                          {frameSize.width(), frameSize.height()});
    // Placing the client area rather than the frame leaves Qt no frame
    // arithmetic of its own to do, which it skips while its idea of the frame
    // is out of date.
    m_window.setGeometry(
        QRect(QPoint(placed.x + frame.left(), placed.y + frame.top()), m_window.size()));
}
