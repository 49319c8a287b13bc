// Program entry: the application title, the main window with its settings
// beside the executable, the message loop.

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
    return QApplication::exec();
}
