// Program entry: the application title, the main window with its settings
// beside the executable, the log named as the first argument attached (a file
// dropped on the program's icon arrives there too), the message loop.

#include <QApplication>

#include "shell/app/app_icon.h"
#include "shell/app/ruvivuvaz.h"
#include "shell/platform/qt_text.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DIrararezuvero"));
    QApplication::setWindowIcon(ruv::appIcon());
    ruv::AppEnvironment environment;
    environment.settingsFolder = ruv::pathFromQString(QCoreApplication::applicationDirPath());
    ruv::TForm1 window(environment);
    window.show();
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        window.openLog(arguments.at(1));
    }
    return QApplication::exec();
}
