// Program entry: one copy per program folder (a later start hands its log to
// the running copy and ends), Qt's own texts in Japanese, the application
// title, the main window with its settings beside the executable, the log
// named as the first argument attached (a file dropped on the program's icon
// arrives there too), the message loop.

#include <QApplication>

#include "shell/app/app_icon.h"
#include "shell/app/main_window.h"
#include "shell/app/qt_translations.h"
#include "shell/app/single_instance.h"
#include "shell/platform/qt_text.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DIrararezuvero"));
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QStringList arguments = QApplication::arguments();
    const QString log = arguments.size() > 1 ? arguments.at(1) : QString();
    ruv::SingleInstance instance(programFolder);
    if (instance.claim(log) == ruv::InstanceRole::AnotherRuns) {
        return 0;
    }
    ruv::installQtTranslations(app);
    QApplication::setWindowIcon(ruv::appIcon());
    ruv::AppEnvironment environment;
    environment.settingsFolder = ruv::pathFromQString(programFolder);
    ruv::MainWindow window(environment);
    QObject::connect(&instance, &ruv::SingleInstance::handedOver, &window,
                     &ruv::MainWindow::receiveHandOver);
    window.show();
    if (!log.isEmpty()) {
        window.openLog(log);
    }
    return QApplication::exec();
}
