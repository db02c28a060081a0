#include "title_strip.h"

#include "form_appearance.h"
#include "qt_text.h"

#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

namespace {
constexpr int IconSide = 16;
constexpr int Margin = (TitleStrip::Height - IconSide) / 2;
constexpr qreal CrossHalfSide = 4;

// A flat button that the style raises under the pointer, with a cross drawn
// in the button text's colour, so that it follows the theme and the scale.
class CloseButton : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QToolButton::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(
            QPen(palette().color(QPalette::ButtonText), 1.25, Qt::SolidLine, Qt::RoundCap));
        const QPointF centre = QRectF(rect()).center();
        painter.drawLine(centre + QPointF(-CrossHalfSide, -CrossHalfSide),
                         centre + QPointF(CrossHalfSide, CrossHalfSide));
        painter.drawLine(centre + QPointF(CrossHalfSide, -CrossHalfSide),
                         centre + QPointF(-CrossHalfSide, CrossHalfSide));
    }
};

// The font the title is drawn in: the desktop's, whatever the font the
// window hands its lists, made smaller where its lines would not fit into the
// strip.
QFont titleFont(QFont font, int room)
{
    const qreal height = QFontMetricsF(font).height();
    if (height <= room)
        return font;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * room / height);
    else
        font.setPixelSize(std::max(1, int(font.pixelSize() * room / height)));
    return font;
}
} // namespace

TitleStrip::TitleStrip(QWidget& window) : QWidget(&window), m_close(new CloseButton(this))
{
    setObjectName(QStringLiteral("TitleStrip"));
    m_close->setObjectName(QStringLiteral("CloseButton"));
    m_close->setAccessibleName(toQString(CloseButtonName));
    m_close->setAutoRaise(true);
    // The lists keep the keyboard to themselves; the close keys below close
    // the window instead.
    m_close->setFocusPolicy(Qt::NoFocus);
    connect(m_close, &QToolButton::clicked, &window, &QWidget::close);

    auto* closeKeys = new QShortcut(&window);
    closeKeys->setKeys(QKeySequence::keyBindings(QKeySequence::Close) +
                       QList<QKeySequence>{QKeySequence(Qt::ALT | Qt::Key_F4)});
    connect(closeKeys, &QShortcut::activated, &window, &QWidget::close);

    window.installEventFilter(this);
}

bool TitleStrip::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() &&
        (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::WindowIconChange))
        update();
    return false;
}

void TitleStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect icon(Margin, Margin, IconSide, IconSide);
    window()->windowIcon().paint(&painter, icon);
    const int titleLeft = icon.right() + 1 + 2 * Margin;
    const QRect title(titleLeft, 0, m_close->x() - Margin - titleLeft, height());
    painter.setFont(titleFont(QApplication::font(), height() - Margin));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(
        title, Qt::AlignLeft | Qt::AlignVCenter,
        painter.fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, title.width()));
}

// Qt delivers the second press of a double-click as a double-click, which
// QWidget hands on here as a press: unlike a window system's title bar, the
// strip then moves the window too, and never maximises it.
void TitleStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        if (QWindow* handle = window()->windowHandle())
            handle->startSystemMove();
}

void TitleStrip::resizeEvent(QResizeEvent*)
{
    m_close->setGeometry(width() - Height, 0, Height, Height);
}
