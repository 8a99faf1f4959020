// The toolkit's floor: a bare Qt window of the same size with one line of Chinese text, started
// and measured exactly as the calculator's window is.
#include "FirstFrameProbe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    const long long launched = launchTimeFromArguments(argc, argv);
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, argv);
    QWidget window;
    window.setFixedSize(393, 140);
    QLabel line(QStringLiteral("总宽度4.06米×总高度3.05米=总面积12.39平方米"), &window);
    line.move(16, 80);
    FirstFrameProbe probe(window, launched, {});
    window.show();
    return QApplication::exec();
}
