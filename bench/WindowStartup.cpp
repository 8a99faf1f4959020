// The calculator's window, started and measured as the bare floor is; after its first frame it
// also times keystrokes in the across box: from the key event to the new result line.
#include "FirstFrameProbe.h"
#include "Main.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

void timeKeystrokes(TFormMain &window)
{
    auto *across = window.findChild<QComboBox *>(QStringLiteral("cbbXn"));
    auto *result = window.findChild<QLineEdit *>(QStringLiteral("edtView"));
    constexpr int kRuns = 2000;
    std::vector<double> micros;
    micros.reserve(kRuns);
    for (int run = 0; run < kRuns; ++run) {
        across->lineEdit()->selectAll();
        // 1..9 in turn, starting from the start-up 2: every key changes the count and the line.
        const int digit = 1 + run % 9;
        const QString before = result->text();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + digit, Qt::NoModifier,
                        QString::number(digit));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_0 + digit, Qt::NoModifier,
                          QString::number(digit));
        const auto start = std::chrono::steady_clock::now();
        QCoreApplication::sendEvent(across, &press);
        const auto end = std::chrono::steady_clock::now();
        QCoreApplication::sendEvent(across, &release);
        if (result->text() == before) {
            std::fprintf(stderr, "the line did not change on run %d\n", run);
            return;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("keystroke_runs=%d keystroke_median_us=%.1f keystroke_p99_us=%.1f "
                "keystroke_worst_us=%.1f peak_rss_after_keys_kib=%lld\n",
                kRuns, micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back(),
                peakResidentKiB());
}

} // namespace

int main(int argc, char *argv[])
{
    const long long launched = launchTimeFromArguments(argc, argv);
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, argv);
    TFormMain window;
    const bool timeKeys = argc > 2;
    FirstFrameProbe probe(window, launched, [&] {
        if (timeKeys)
            timeKeystrokes(window);
    });
    window.show();
    return QApplication::exec();
}
