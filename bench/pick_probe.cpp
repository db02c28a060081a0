// Measures picks in Qelview's real window, from the pick to the end of the
// paint of the picture and the description, against the floor of reading and
// decoding the same files with libjpeg-turbo.
//
// Usage: pick_probe times ROUNDS     per-pick and per-decode times, in rounds
//                                    that alternate picks and decodes
//        pick_probe instructions picks|decode
//                                    one round, with callgrind counting only it
//        pick_probe soak PICKS       resident memory before and after PICKS
//                                    picks, after a warm-up

#include "catalogue_rules.h"
#include "jpeg_floor.h"
#include "platform.h"
#include "process_probe.h"
#include "viewer_program.h"
#include "viewer_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTest>

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
struct Pick {
    QComboBox* list;
    int index;
    std::filesystem::path path;
};

class PaintWatcher : public QObject {
public:
    PaintWatcher(QWidget& picture, QWidget& description)
        : m_picture(picture), m_description(description)
    {
        picture.installEventFilter(this);
        description.installEventFilter(this);
    }
    void reset() { m_pictureDone = m_descriptionDone = false; }
    bool done() const { return m_pictureDone && m_descriptionDone; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_pictureDone |= watched == &m_picture;
            m_descriptionDone |= watched == &m_description;
        }
        return false;
    }

private:
    QWidget& m_picture;
    QWidget& m_description;
    bool m_pictureDone = false;
    bool m_descriptionDone = false;
};

class PickBench {
public:
    PickBench() : m_window(qelviewViewerProgram(), programDirectory())
    {
        m_window.load();
        m_window.present();
        if (!QTest::qWaitForWindowExposed(&m_window))
            std::fprintf(stderr, "pick_probe: the window was never shown\n");
        m_watcher = new PaintWatcher(*m_window.findChild<QWidget*>(QStringLiteral("Image1")),
                                     *m_window.findChild<QWidget*>(QStringLiteral("Label5")));
        const ExpressionCatalogue& catalogue = qelviewViewerProgram().program.catalogue;
        for (const Category& category : catalogue.categories) {
            auto* list =
                m_window.findChild<QComboBox*>(QStringLiteral("Combo%1").arg(category.ordinal));
            for (const CatalogueEntry& entry : category.entries)
                m_picks.push_back(
                    {list, entry.index,
                     *PicturePath(catalogue, programDirectory(), entry.pictureNumber)});
        }
    }

    const std::vector<Pick>& picks() const { return m_picks; }

    // One pick, returned when both the picture and the description are painted.
    void pick(const Pick& pick)
    {
        m_watcher->reset();
        pick.list->setCurrentIndex(pick.index);
        emit pick.list->activated(pick.index);
        while (!m_watcher->done())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    static long decode(const Pick& pick)
    {
        QFile file(pick.path);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        return decodeJpegFloor(file.readAll());
    }

private:
    ViewerWindow m_window;
    PaintWatcher* m_watcher = nullptr;
    std::vector<Pick> m_picks;
};

int printTimes(PickBench& bench, int rounds)
{
    for (const Pick& pick : bench.picks()) // warm-up
        bench.pick(pick);
    for (int round = 0; round < rounds; ++round) {
        for (const Pick& pick : bench.picks()) {
            const auto start = monotonicNanoseconds();
            bench.pick(pick);
            std::printf("pick %lld\n", static_cast<long long>(monotonicNanoseconds() - start));
        }
        for (const Pick& pick : bench.picks()) {
            const auto start = monotonicNanoseconds();
            if (PickBench::decode(pick) == 0)
                return 1;
            std::printf("decode %lld\n", static_cast<long long>(monotonicNanoseconds() - start));
        }
    }
    return 0;
}

int countInstructions(PickBench& bench, bool picks)
{
    for (const Pick& pick : bench.picks()) { // warm-up, uncounted
        bench.pick(pick);
        PickBench::decode(pick);
    }
    CALLGRIND_START_INSTRUMENTATION;
    for (const Pick& pick : bench.picks()) {
        if (picks)
            bench.pick(pick);
        else
            PickBench::decode(pick);
    }
    CALLGRIND_STOP_INSTRUMENTATION;
    std::printf("counted %zu %s\n", bench.picks().size(), picks ? "picks" : "decodes");
    return 0;
}

int soak(PickBench& bench, int picks)
{
    for (int warmUp = 0; warmUp < 3; ++warmUp)
        for (const Pick& pick : bench.picks())
            bench.pick(pick);
    const long before = residentKilobytes();
    for (int done = 0; done < picks; ++done)
        bench.pick(bench.picks()[std::size_t(done) % bench.picks().size()]);
    std::printf("rss_before_kb=%ld rss_after_kb=%ld picks=%d\n", before, residentKilobytes(),
                picks);
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: pick_probe times ROUNDS | instructions picks|decode | soak PICKS\n");
        return 2;
    }
    PickBench bench;
    if (std::strcmp(argv[1], "times") == 0)
        return printTimes(bench, std::atoi(argv[2]));
    if (std::strcmp(argv[1], "instructions") == 0)
        return countInstructions(bench, std::strcmp(argv[2], "picks") == 0);
    if (std::strcmp(argv[1], "soak") == 0)
        return soak(bench, std::atoi(argv[2]));
    return 2;
}
