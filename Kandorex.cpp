// The program's entry: the application object, the main window, the event loop.
#include "Main.h"
#include "Translations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The program takes nothing from its command line: the toolkit gets the program name alone,
    // so no toolkit option (a style sheet file, say) can change it.
    int toolkitArgc = argc > 0 ? 1 : 0;
    char *toolkitArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    QApplication application(toolkitArgc, toolkitArgv);
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kandorex.Kandorex"));
    kandorex::installToolkitTranslations(application);

    TFormMain formMain;
    formMain.show();
    return QApplication::exec();
}
