// The main menu of the main window and the commands that act on the window
// itself: update interval, transparency, always on top, help, version, exit.

#include <QActionGroup>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include "core/platform/native_path.h"
#include "shell/app/help_location.h"
#include "shell/app/main_window.h"
#include "shell/app/menu_captions.h"
#include "shell/app/rules_dialog_opening.h"
#include "shell/app/session.h"
#include "shell/app/top_most.h"
#include "shell/search/search_window.h"
#include "shell/views/text_size_control.h"

namespace ruv {

namespace {

QAction* addEntry(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// The menu shows the keys beside the caption, as Qt menus do, while the widget
// that has the focus keeps handling them: the shortcut only acts inside the
// open menu, so it is never ambiguous with the views' own keys.
void showKeys(QAction* entry, const QKeySequence& keys) {
    entry->setShortcut(keys);
    entry->setShortcutContext(Qt::WidgetShortcut);
}

QAction* addCheckEntry(QMenu* menu, const char* name, const QString& caption, bool checked) {
    QAction* action = addEntry(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QMenu* addSubmenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

// The EXP monitor acts on these entries.
struct IntervalSpec {
    const char* name;
    const char* caption;
    IntervalItem item;
};

constexpr std::array<IntervalSpec, 6> kIntervals = {{
    {"NT01", " &1秒", IntervalItem::Seconds1},
    {"NT05", " &5秒", IntervalItem::Seconds5},
    {"NT10", "1&0秒", IntervalItem::Seconds10},
    {"NT30", "&30秒", IntervalItem::Seconds30},
    {"NT60", "&60秒", IntervalItem::Seconds60},
    {"NT00", "停止(&S)", IntervalItem::Stop},
}};

struct TransparencySpec {
    const char* name;
    const char* caption;
    Transparency transparency;
    int percent;
};

constexpr std::array<TransparencySpec, 6> kTransparencies = {{
    {"N1001", "デフォルト(&D)", Transparency::Default, 0},
    {"N501", "透過&10%", Transparency::Percent10, 10},
    {"N601", "透過&20%", Transparency::Percent20, 20},
    {"N701", "透過&30%", Transparency::Percent30, 30},
    {"N801", "透過&40%", Transparency::Percent40, 40},
    {"N901", "透過&50%", Transparency::Percent50, 50},
}};

constexpr std::array<const char*, kFilterEntryCount> kFilterCaptions = {
    "通常(&N)",     "オープン(&O)", "チーム(&T)",     "クラブ(&C)",
    "耳打ち(&W)",   "叫び(&S)",     "オリジナル(&R)", "NGフィルター(&G)",
    "戦闘情報(&B)", "システム(&Y)", "経験値情報(&E)",
};

}  // namespace

void MainWindow::buildMainMenu() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    buildFileMenu();
    buildOptionMenu();
    buildHelpMenu();
}

void MainWindow::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("File1"));
    menu_.attachLog = addEntry(file, "O2", QStringLiteral("アタッチログ(&O)"));
    menu_.addAttach = addEntry(file, "LogChange01", QStringLiteral("追加アタッチ(&A)"));
    menu_.searchLogs = addEntry(file, "SearchLogs01", QStringLiteral("過去ログ検索(&S)"));
    menu_.searchLogs->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    connect(menu_.searchLogs, &QAction::triggered, this, [this] {
        showSearchWindow({session().core.state.route, session().core.state.ngLists,
                          [this] {
                              const std::string folder = attachedLogFolder();
                              return platform::toNativePath(folder.empty() ? logFolder() : folder)
                                  .value_or(std::filesystem::path());
                          },
                          this, textSize_});
    });
    file->addSeparator();
    menu_.todaysLog = addEntry(
        file, "LogToday01", withMnemonicAfter(QStringLiteral("Today's Log"), kTodaysLogMnemonic));
    menu_.todaysLog->setEnabled(false);
    menu_.yesterdaysLog =
        addEntry(file, "LogYesterday01",
                 withMnemonicAfter(QStringLiteral("Yesterday's Log"), kYesterdaysLogMnemonic));
    menu_.yesterdaysLog->setEnabled(false);
    file->addSeparator();
    for (std::size_t i = 0; i < menu_.history.size(); ++i) {
        QAction* entry =
            file->addAction(historyCaption(i, QStringLiteral("Log History 0%1").arg(i)));
        entry->setObjectName(QStringLiteral("LogHistory0%1").arg(i));
        entry->setEnabled(false);
        menu_.history[i] = entry;
    }
    file->addSeparator();
    menu_.exit = addEntry(file, "Exit1", QStringLiteral("終了(&X)"));
    connect(menu_.exit, &QAction::triggered, this, &MainWindow::exitProgram);
}

void MainWindow::buildOptionMenu() {
    QMenu* options = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    options->setObjectName(QStringLiteral("Option1"));
    buildFilterMenu(addSubmenu(options, "N1", QStringLiteral("フィルター設定(&F)")));
    options->addSeparator();
    buildIntervalMenu(addSubmenu(options, "N10", QStringLiteral("時給更新時間の設定(&U)")));
    options->addSeparator();
    buildTransparencyMenu(addSubmenu(options, "N20", QStringLiteral("透過設定(&T)")));
    options->addSeparator();
    menu_.callSounds = addEntry(options, "SoundOption01", QStringLiteral("呼び出し音の設定(&S)"));
    connect(menu_.callSounds, &QAction::triggered, this, &MainWindow::openCallSoundSettings);
    QAction* rules = addEntry(options, "RulesOption01", QStringLiteral("通知ルールの設定(&R)…"));
    connect(rules, &QAction::triggered, this, [this] {
        openRulesDialog({session(), environment_.settingsFolder,
                         [this] {
                             const std::string folder = attachedLogFolder();
                             return platform::toNativePath(folder.empty() ? logFolder() : folder)
                                 .value_or(std::filesystem::path());
                         },
                         this});
    });
    options->addSeparator();
    menu_.rateInStatusBar =
        addCheckEntry(options, "N22", QStringLiteral("ステータスバーに時給を表示(&B)"), false);
    menu_.resetExpAtNewDay =
        addCheckEntry(options, "ResetExpAtNewDay",
                      QStringLiteral("日付が変わったらEXPの集計をやり直す(&E)"), false);
    options->addSeparator();
    menu_.autoAttach =
        addCheckEntry(options, "N24", QStringLiteral("自動で新規ログをアタッチする(&N)"), true);
    menu_.attachTodayAtStart =
        addCheckEntry(options, "AttachTodayAtStart",
                      QStringLiteral("起動時に今日のログをアタッチする(&D)"), false);
    menu_.tidyOnAttach = addCheckEntry(options, "OldLog01",
                                       QStringLiteral("アタッチ時に過去ログを整頓する(&P)"), false);
    menu_.ngOnTidy =
        addCheckEntry(options, "NgOnTidy", QStringLiteral("過去ログの整理にもNGを適用(&G)"), false);
    options->addSeparator();
    menu_.alwaysOnTop = addCheckEntry(options, "N14", QStringLiteral("常に最前面(&W)"), false);
    connect(menu_.alwaysOnTop, &QAction::toggled, this, &MainWindow::applyAlwaysOnTop);
    options->addSeparator();
    // Ctrl++, Ctrl+- and Ctrl+0 work over the views themselves; the entries
    // show those keys only (see showKeys).
    const auto sizeEntry = [&](const char* name, const QString& caption, TextSizeStep step,
                               QKeySequence keys) {
        QAction* entry = addEntry(options, name, caption);
        connect(entry, &QAction::triggered, this, [this, step] { textSize_->step(step); });
        showKeys(entry, keys);
        return entry;
    };
    menu_.textLarger = sizeEntry("TextLarger", QStringLiteral("文字を大きく(&L)"),
                                 TextSizeStep::Larger, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    menu_.textSmaller = sizeEntry("TextSmaller", QStringLiteral("文字を小さく(&M)"),
                                  TextSizeStep::Smaller, QKeySequence(Qt::CTRL | Qt::Key_Minus));
    menu_.textDefault = sizeEntry("TextDefault", QStringLiteral("文字の大きさを元に戻す(&Z)"),
                                  TextSizeStep::Reset, QKeySequence(Qt::CTRL | Qt::Key_0));
    menu_.callAlert =
        addCheckEntry(options, "CallAlert", QStringLiteral("耳打ち・呼び出しで通知(&C)"), false);
}

void MainWindow::buildHelpMenu() {
    buildSpeechMenu();
    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("Help1"));
    menu_.about = addEntry(help, "About1", QStringLiteral("バージョン情報(&A)"));
    connect(menu_.about, &QAction::triggered, this, &MainWindow::showAbout);
    menu_.help = addEntry(help, "Html01", QStringLiteral("ヘルプファイルを開く(&H)"));
    connect(menu_.help, &QAction::triggered, this, &MainWindow::openHelp);
}

void MainWindow::buildFilterMenu(QMenu* menu) {
    for (int k = 1; k <= kFilterEntryCount; ++k) {
        const Tab tab = *filterEntryTab(k);
        const auto index = static_cast<std::size_t>(k - 1);
        const QByteArray name = QStringLiteral("NF%1").arg(k, 2, 10, QLatin1Char('0')).toLatin1();
        QAction* entry =
            addCheckEntry(menu, name.constData(), QString::fromUtf8(kFilterCaptions[index]),
                          visibilityAtDesign(tab) == TabVisibility::Shown);
        menu_.tabs[index] = entry;
        connect(entry, &QAction::triggered, this,
                [this, tab](bool checked) { filterEntryClicked(tab, checked); });
    }
}

void MainWindow::buildIntervalMenu(QMenu* menu) {
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (std::size_t i = 0; i < kIntervals.size(); ++i) {
        const IntervalSpec& spec = kIntervals[i];
        QAction* entry = addCheckEntry(menu, spec.name, QString::fromUtf8(spec.caption), i == 0);
        group->addAction(entry);
        menu_.intervals[i] = {spec.item, entry};
    }
}

void MainWindow::buildTransparencyMenu(QMenu* menu) {
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (std::size_t i = 0; i < kTransparencies.size(); ++i) {
        const TransparencySpec& spec = kTransparencies[i];
        QAction* entry = addCheckEntry(menu, spec.name, QString::fromUtf8(spec.caption),
                                       spec.transparency == Transparency::Default);
        group->addAction(entry);
        menu_.transparencies[i] = {spec.transparency, spec.percent, entry};
        connect(entry, &QAction::toggled, this, [this, which = spec.transparency](bool chosen) {
            if (chosen) {
                transparencyEntryClicked(which);
            }
        });
    }
}

// --- Menu handlers ---------------------------------------------------------

void MainWindow::transparencyEntryClicked(Transparency transparency) {
    alpha_ = alphaFor(transparency);
    setWindowOpacity(alpha_.alpha / 255.0);
}

void MainWindow::applyAlwaysOnTop(bool on) {
    setTopMost(*this, on ? TopMost::On : TopMost::Off);
}

void MainWindow::showAbout() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("DIrararezuvero"),
                    aboutLines().join(QLatin1Char('\n')), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QStringList MainWindow::aboutLines() {
    return {
        QStringLiteral("ミストハーバー用チャットログフィルター"),
        QStringLiteral("Ver0.9.4a"),
        QStringLiteral("開発環境：C++20 / Qt %1").arg(QString::fromLatin1(qVersion())),
        QStringLiteral("動作確認：Microsoft Windows XP Pro SP3"),
        QString(),
        QStringLiteral("作者：DIrararezuvero 開発チーム"),
        QString(),
        QStringLiteral("・・・と言うことらしいですよ？"),
    };
}

void MainWindow::openHelp() {
    const QString path = helpFileBeside(QCoreApplication::applicationDirPath());
    openHelpFile(path, messages(), [](const QUrl& url) { return QDesktopServices::openUrl(url); });
}

void MainWindow::exitProgram() {
    close();
}

}  // namespace ruv
