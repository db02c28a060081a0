#include "first_frame_probe.h"

#include "process_probe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {
class FirstFrameWatcher : public QObject {
public:
    explicit FirstFrameWatcher(QWidget& window) : QObject(&window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The frame reaches the window system when the paint pass that
            // this event opens has finished; a zero timer runs right after.
            QTimer::singleShot(0, [] {
                std::printf("first_frame_ns=%lld rss_kb=%ld\n",
                            static_cast<long long>(monotonicNanoseconds()), residentKilobytes());
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};
} // namespace

void reportFirstFrameAndExit(QWidget& window)
{
    new FirstFrameWatcher(window);
}
