#pragma once

// Start-up and memory probe shared by the window and the bare-window floor programs. Linux only
// (it reads the peak resident set size through getrusage); nothing of it is in the product.

#include <QObject>
#include <QWidget>
#include <functional>

// Watches a top-level widget for its first paint; once that frame is out, prints how long it took
// from `launchedAtNs` (the launcher's CLOCK_REALTIME in nanoseconds) and the peak memory, runs
// `afterFirstFrame` and quits.
class FirstFrameProbe : public QObject {
  public:
    FirstFrameProbe(QWidget &window, long long launchedAtNs, std::function<void()> afterFirstFrame);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void report();

    QWidget &window_;
    long long launchedAtNs_;
    std::function<void()> afterFirstFrame_;
    bool painted_ = false;
};

long long peakResidentKiB();
// Parses the launch time from the command line (the probe programs' only argument).
long long launchTimeFromArguments(int argc, char **argv);
