#pragma once

#include <QWidget>

class QToolButton;

// The title bar of a window that has no frame of the window system's: the
// window's icon and title, and a close button, in the desktop's colours. A
// press elsewhere on the strip hands the window to the window system to move.
class TitleStrip : public QWidget {
    Q_OBJECT

public:
    // In device-independent pixels, as the layout table; Qt scales it.
    static constexpr int Height = 24;

    // The window places the strip across its top.
    explicit TitleStrip(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_close;
};
