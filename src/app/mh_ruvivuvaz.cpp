// Program entry: one copy per program folder (a later start hands its log to
// the running copy and ends), Qt's own texts in Japanese, the application
// title, the main window with its settings beside the executable, the log
// named as the first argument attached (a file dropped on the program's icon
// arrives there too) or else, when the player asks for it, today's log, the
// message loop, and an end that no worker thread can hold up.

#include <QApplication>
#include <QMessageBox>

#include <chrono>

#include "shell/app/app_icon.h"
#include "shell/app/main_window.h"
#include "shell/app/qt_translations.h"
#include "shell/app/single_instance.h"
#include "shell/platform/process_end.h"
#include "shell/platform/qt_text.h"

namespace {

// How long the orderly end may take once the settings are saved.
constexpr std::chrono::milliseconds kEndGrace{1200};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DIrararezuvero"));
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QStringList arguments = QApplication::arguments();
    const QString log = arguments.size() > 1 ? arguments.at(1) : QString();
    ruv::SingleInstance instance(programFolder);
    const ruv::InstanceRole role = instance.claim(log);
    if (role == ruv::InstanceRole::AnotherRuns) {
        return 0;
    }
    ruv::installQtTranslations(app);
    QApplication::setWindowIcon(ruv::appIcon());
    if (role == ruv::InstanceRole::NoAnswer) {
        QMessageBox::warning(
            nullptr, QApplication::applicationName(),
            QStringLiteral("DIrararezuveroはすでに起動していますが、応答がありません。\n"
                           "起動中のDIrararezuveroを終了してから、もう一度起動してください。"));
        return 1;
    }
    ruv::AppEnvironment environment;
    environment.settingsFolder = ruv::pathFromQString(programFolder);
    ruv::MainWindow window(environment);
    window.serveLaterStarts(instance);
    // A quit from the system (logging off) saves as the window's close does.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &QWidget::close);
    window.show();
    if (!log.isEmpty()) {
        window.openLog(log);
    } else {
        window.attachTodaysLogAtStart();
    }
    const int status = QApplication::exec();
    // The settings are saved: a worker blocked in the system (a read on a hung
    // share) must not keep this copy alive, unseen.
    ruv::platform::endProcessWithin(kEndGrace, status);
    return status;
}
