#pragma once

#include <QMargins>
#include <QObject>

class QWidget;

// Centres a top-level window on the screen that holds it when it is first
// shown, and once more as soon as the window manager's frame is known: until
// then Qt reports no frame, and a window centred without it sits off centre
// by half the title bar. Moves made afterwards are the user's and are kept.
class FirstShowCentring : public QObject {
    Q_OBJECT

public:
    explicit FirstShowCentring(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();

    QWidget& m_window;
    bool m_shown = false;
    bool m_frameKnown = false;
};
