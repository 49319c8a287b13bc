// Takes the README's pictures of the real program, following the demo game's
// log: mh_ruvivuvaz-screenshot APP_FOLDER OUTPUT_FOLDER
//
// APP_FOLDER holds the demo's settings (config.ini naming the demo log folder);
// the demo game must be writing today's log there. The tool chooses
// "Today's Log" as a player would, lets lines arrive for a few seconds, then
// saves the main tabs, the EXP tab and the three dialogs. It prints how many
// lines the 通常 view held right after attaching and when the picture was taken.

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <vector>

#include "shell/app/ruvivuvaz.h"
#include "shell/platform/qt_text.h"
#include "shell/views/channel_view.h"

namespace {

using ruv::Tab;

constexpr int kFollowMilliseconds = 6000;

bool save(QWidget& widget, const QString& folder, const char* name) {
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    const bool saved = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// The first dialog other than the main window that is showing.
QWidget* shownDialog(const QWidget& window) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != &window && widget->isVisible() && widget->isWindow()) {
            return widget;
        }
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DIrararezuvero"));
    if (argc != 3) {
        std::fprintf(stderr, "usage: mh_ruvivuvaz-screenshot APP_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    ruv::AppEnvironment environment;
    environment.settingsFolder = ruv::pathFromQString(QString::fromLocal8Bit(argv[1]));
    const QString output = QString::fromLocal8Bit(argv[2]);

    ruv::TForm1 window(environment);
    window.resize(760, 420);
    window.show();
    QAction* today = window.menuEntry("LogToday01");
    if (today == nullptr || !today->isEnabled()) {
        std::fprintf(stderr, "Today's Log is not enabled: is the demo game writing?\n");
        return 1;
    }
    today->trigger();
    const qint64 atAttach = window.view(ruv::ChatChannel::Normal)->lineCount().value;

    int failures = 0;
    const auto shot = [&](Tab tab, const char* name) {
        window.setActiveTab(tab);
        QApplication::processEvents();
        failures += save(window, output, name) ? 0 : 1;
    };
    const auto dialogShot = [&](const std::function<void()>& open, const char* name) {
        open();
        QApplication::processEvents();
        if (QWidget* dialog = shownDialog(window)) {
            failures += save(*dialog, output, name) ? 0 : 1;
            dialog->close();
        } else {
            std::fprintf(stderr, "no dialog for %s\n", name);
            ++failures;
        }
    };
    QTimer::singleShot(kFollowMilliseconds, &window, [&] {
        const qint64 later = window.view(ruv::ChatChannel::Normal)->lineCount().value;
        std::printf("通常 view: %lld lines after attaching, %lld after %d s of following\n",
                    static_cast<long long>(atAttach), static_cast<long long>(later),
                    kFollowMilliseconds / 1000);
        if (later <= atAttach) {
            std::fprintf(stderr, "no line arrived while following\n");
            ++failures;
        }
        shot(Tab::Normal, "main-window.png");
        shot(Tab::Original, "original-tab.png");
        shot(Tab::NG, "ng-tab.png");
        shot(Tab::Battle, "battle-tab.png");
        shot(Tab::ExpMonitor, "exp-tab.png");
        dialogShot([&] { window.menuEntry("SoundOption01")->trigger(); }, "call-sounds-dialog.png");
        dialogShot([&] { window.ngSettingsButton()->click(); }, "ng-dialog.png");
        dialogShot([&] { window.speechSettingsButton()->click(); }, "speech-dialog.png");
        window.setActiveTab(Tab::Normal);
        QApplication::quit();
    });
    QApplication::exec();
    return failures == 0 ? 0 : 1;
}
