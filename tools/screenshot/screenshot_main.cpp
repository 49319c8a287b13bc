// Takes the README's pictures of the real program, following the demo game's
// log: mh_ruvivuvaz-screenshot APP_FOLDER OUTPUT_FOLDER
//
// APP_FOLDER holds the demo's settings (config.ini naming the demo log folder);
// the demo game must be writing today's log there. The tool chooses
// "Today's Log" as a player would, lets lines arrive for a few seconds, then
// saves the main tabs, the EXP tab, the three dialogs and the search window
// over every day's log of the folder, then the same window's "0件" with its
// reason. It prints how many lines the 通常 view held right after attaching
// and when the picture was taken.
//
// A third argument takes one group of pictures only:
//   first-start  the window before any attach, with the 通常 view's hint
//                (APP_FOLDER then holds no settings, as at a first start)
//   search       the search window and its "0件"
//   chart        経験値情報 > グラフ
//   log-alive    the status bar while the log grows (log-alive.png), then, the
//                demo game having stopped, once it counts as stopped
//                (log-stopped.png); the quiet limit is cut to a few seconds
//
// mh_ruvivuvaz-screenshot --rules APP_FOLDER OUTPUT_FOLDER photographs the
// rules dialog and 過去ログで試す instead (rules_pictures.cpp).
//
// mh_ruvivuvaz-screenshot --screen FILE photographs another process instead:
// on a display with a black background and no window manager it waits for a
// window to appear, takes the picture a few seconds later without touching it,
// crops it to the window and fails unless the window changed meanwhile.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "shell/app/main_window.h"
#include "shell/app/page_control.h"
#include "shell/app/session.h"
#include "shell/app/tab_pages.h"
#include "shell/platform/qt_text.h"
#include "shell/search/search_window.h"
#include "shell/views/channel_view.h"
#include "shell/views/text_size_control.h"
#include "tools/screenshot/rules_pictures.h"

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

constexpr int kWindowWaitMilliseconds = 120'000;
constexpr int kFirstLookMilliseconds = 1000;
constexpr int kPictureMilliseconds = 4000;

QImage grabScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// The bounds of what is not the black background: the window, on a display
// without a window manager.
QRect shownArea(const QImage& screen) {
    int left = screen.width();
    int top = screen.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < screen.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x < screen.width(); ++x) {
            if ((row[x] & 0xffffffU) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// --screen FILE: the picture of another program's window, untouched.
int photographScreen(const QString& file) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QImage firstLook;
    int status = 1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (shownArea(grabScreen()).isEmpty()) {
            if (sinceStart.elapsed() > kWindowWaitMilliseconds) {
                std::fprintf(stderr, "no window appeared\n");
                QApplication::quit();
            }
            return;
        }
        poll.stop();
        std::printf("a window appeared %.1f s after the start\n",
                    static_cast<double>(sinceStart.elapsed()) / 1000.0);
        QTimer::singleShot(kFirstLookMilliseconds, [&] { firstLook = grabScreen(); });
        QTimer::singleShot(kPictureMilliseconds, [&] {
            const QImage screen = grabScreen();
            const bool changed = screen != firstLook;
            std::printf("picture %d s after it appeared; the window %s since %d s\n",
                        kPictureMilliseconds / 1000, changed ? "changed" : "did not change",
                        kFirstLookMilliseconds / 1000);
            const bool saved = screen.copy(shownArea(screen)).save(file, "PNG");
            std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
            status = saved && changed ? 0 : 1;
            QApplication::quit();
        });
    });
    poll.start(200);
    QApplication::exec();
    return status;
}

// Presses the strip's right arrow until the tab lies wholly in sight.
void scrollStripTo(ruv::MainWindow& window, Tab tab) {
    QTabBar* strip = window.pageControl()->tabBar();
    const int index = window.pageControl()->indexOf(window.pageControl()->page(tab));
    for (QToolButton* arrow : strip->findChildren<QToolButton*>()) {
        if (arrow->arrowType() != Qt::RightArrow) {
            continue;
        }
        for (int press = 0; press < strip->count() && arrow->isVisible() &&
                            strip->tabRect(index).right() >= arrow->x() - arrow->width();
             ++press) {
            arrow->click();
            QApplication::processEvents();
        }
    }
}

// log-alive: Today's Log while the demo game writes, then after it stopped.
int photographLogActivity(ruv::MainWindow& window, const QString& output) {
    constexpr int kQuietSeconds = 4;
    constexpr int kAliveMilliseconds = 2500;
    constexpr int kGiveUpMilliseconds = 60'000;
    window.session().logActivity.setQuietLimit(std::chrono::seconds{kQuietSeconds});
    window.menu().todaysLog->trigger();
    QElapsedTimer sinceAttach;
    sinceAttach.start();
    int failures = 0;
    bool aliveTaken = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const ruv::LogLiveness liveness = window.session().logActivity.view().liveness;
        if (!aliveTaken && liveness == ruv::LogLiveness::Alive &&
            sinceAttach.elapsed() > kAliveMilliseconds) {
            aliveTaken = true;
            failures += save(window, output, "log-alive.png") ? 0 : 1;
        } else if (aliveTaken && liveness == ruv::LogLiveness::Stopped) {
            failures += save(window, output, "log-stopped.png") ? 0 : 1;
            QApplication::quit();
        } else if (sinceAttach.elapsed() > kGiveUpMilliseconds) {
            std::fprintf(stderr, "the log %s\n",
                         aliveTaken ? "never stopped: is the demo game still writing?"
                                    : "never grew: is the demo game writing?");
            ++failures;
            QApplication::quit();
        }
    });
    poll.start(200);
    QApplication::exec();
    return failures == 0 && aliveTaken ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DIrararezuvero"));
    if (argc == 3 && QLatin1String(argv[1]) == QLatin1String("--screen")) {
        return photographScreen(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 4 && QLatin1String(argv[1]) == QLatin1String("--rules")) {
        return ruv::photographRules(QString::fromLocal8Bit(argv[2]),
                                    QString::fromLocal8Bit(argv[3]));
    }
    const QString only = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    const QStringList groups{QStringLiteral("first-start"), QStringLiteral("search"),
                             QStringLiteral("chart"), QStringLiteral("log-alive")};
    if ((argc != 3 && argc != 4) || (argc == 4 && !groups.contains(only))) {
        std::fprintf(stderr,
                     "usage: mh_ruvivuvaz-screenshot APP_FOLDER OUTPUT_FOLDER "
                     "[first-start|search|chart|log-alive]\n"
                     "       mh_ruvivuvaz-screenshot --rules APP_FOLDER OUTPUT_FOLDER\n"
                     "       mh_ruvivuvaz-screenshot --screen FILE\n");
        return 2;
    }
    const auto takes = [&only](const char* group) {
        return only.isEmpty() || only == QLatin1String(group);
    };
    ruv::AppEnvironment environment;
    environment.settingsFolder = ruv::pathFromQString(QString::fromLocal8Bit(argv[1]));
    const QString output = QString::fromLocal8Bit(argv[2]);

    ruv::MainWindow window(environment);
    const QSize defaultSize = window.size();
    if (only == QLatin1String("first-start")) {
        // At its own size, as it opens; the hint is in the 通常 view.
        window.show();
        QTimer::singleShot(500, &window, [&] { QApplication::quit(); });
        QApplication::exec();
        return save(window, output, "first-start.png") ? 0 : 1;
    }
    window.resize(760, 420);
    window.show();
    QAction* today = window.menu().todaysLog;
    if (today == nullptr || !today->isEnabled()) {
        std::fprintf(stderr, "Today's Log is not enabled: is the demo game writing?\n");
        return 1;
    }
    if (only == QLatin1String("log-alive")) {
        return photographLogActivity(window, output);
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
        if (takes("main")) {
            shot(Tab::Normal, "main-window.png");
            shot(Tab::Original, "original-tab.png");
            shot(Tab::NG, "ng-tab.png");
            shot(Tab::Battle, "battle-tab.png");
            shot(Tab::ExpMonitor, "exp-tab.png");
        }
        if (auto* expPages = window.findChild<QTabWidget*>(QStringLiteral("ExpPageControl01"));
            expPages != nullptr && takes("chart")) {
            expPages->setCurrentWidget(window.tabPages().expChartPage);
            shot(Tab::ExpMonitor, "exp-chart.png");
            expPages->setCurrentIndex(0);
        }
        if (!takes("main") && !takes("search")) {
            QApplication::quit();
            return;
        }
        if (takes("main")) {
            // Three steps of 文字を大きく, then back to the size the player chose.
            const ruv::TextSize chosenSize = window.textSize().size();
            for (int step = 0; step < 3; ++step) {
                window.menu().textLarger->trigger();
            }
            shot(Tab::Normal, "bigger-text.png");
            window.textSize().setSize(chosenSize);
            dialogShot([&] { window.menu().callSounds->trigger(); }, "call-sounds-dialog.png");
            dialogShot([&] { window.ngSettingsButton()->click(); }, "ng-dialog.png");
            dialogShot([&] { window.speechSettingsButton()->click(); }, "speech-dialog.png");
            // At the default size the strip scrolls: its arrow brings NGフィルター into sight.
            window.resize(defaultSize);
            window.setActiveTab(Tab::Normal);
            QApplication::processEvents();
            scrollStripTo(window, Tab::NG);
            shot(Tab::NG, "default-size-ng-tab.png");
            window.setActiveTab(Tab::Normal);
        }
        // 過去ログ検索 over today's log and the earlier days beside it.
        window.menu().searchLogs->trigger();
        auto* search = window.findChild<ruv::SearchWindow*>();
        if (search == nullptr) {
            std::fprintf(stderr, "no search window\n");
            ++failures;
            QApplication::quit();
            return;
        }
        // Then the same search over a range that ends before it starts.
        int searches = 0;
        QObject::connect(search, &ruv::SearchWindow::searchFinished, &window, [&, search] {
            QApplication::processEvents();
            std::printf("search: %s\n", qPrintable(search->statusLabel()->text()));
            if (++searches == 1) {
                failures += save(*search, output, "search-window.png") ? 0 : 1;
                const QDate newest = QDate::currentDate();
                search->fromEdit()->setDate(newest);
                search->toEdit()->setDate(newest.addDays(-6));
                QTimer::singleShot(0, search, [search] { search->searchButton()->click(); });
                return;
            }
            failures += save(*search, output, "search-no-result.png") ? 0 : 1;
            QApplication::quit();
        });
        search->textEdit()->setText(QStringLiteral("集合"));
        search->searchButton()->click();
    });
    QApplication::exec();
    return failures == 0 ? 0 : 1;
}
