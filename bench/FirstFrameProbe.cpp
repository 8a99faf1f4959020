#include "FirstFrameProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

FirstFrameProbe::FirstFrameProbe(QWidget &window, long long launchedAtNs,
                                 std::function<void()> afterFirstFrame)
    : window_(window), launchedAtNs_(launchedAtNs), afterFirstFrame_(std::move(afterFirstFrame))
{
    window_.installEventFilter(this);
}

bool FirstFrameProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window_ && event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // Queued: the frame is flushed to the display once the paint event has been handled.
        QMetaObject::invokeMethod(this, &FirstFrameProbe::report, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void FirstFrameProbe::report()
{
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    std::printf("first_frame_ms=%.2f peak_rss_kib=%lld\n", double(now - launchedAtNs_) / 1e6,
                peakResidentKiB());
    if (afterFirstFrame_)
        afterFirstFrame_();
    std::fflush(stdout);
    QCoreApplication::quit();
}

long long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // KiB on Linux
}

long long launchTimeFromArguments(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LAUNCH_TIME_NS  (date +%%s%%N just before starting it)\n",
                     argc > 0 ? argv[0] : "probe");
        std::exit(2);
    }
    return std::atoll(argv[1]);
}
