// The views' context menu PopupMenu1 (copy, the speaker's name, select-all,
// find, the NG list commands and saving the view), the find dialog
// FindDialog01 and the NG settings dialog NgDialog.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCursor>

#include <array>
#include <utility>

#include "core/platform/error_log.h"
#include "core/platform/text_file.h"
#include "core/text/cp932.h"
#include "core/views/find_in_lines.h"
#include "core/views/ng_lists.h"
#include "core/views/view_line_speaker.h"
#include "core/views/view_text_file.h"
#include "core/vocabulary/channel_table.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/platform/qt_text.h"
#include "shell/views/channel_view.h"
#include "shell/views/cp932_input.h"
#include "shell/views/find_dialog.h"
#include "shell/views/memo_cp932.h"
#include "shell/views/ng_dialog.h"
#include "shell/views/view_save_dialog.h"

namespace ruv {
namespace {

struct MenuEntry {
    const char* name;  // null: a separator
    const char* caption;
    void (MainWindow::*handler)();
};

constexpr std::array<MenuEntry, 14> kPopupMenu1 = {{
    {"Copy1", "コピー(&C)", &MainWindow::copySelection},
    {"CopySpeakerName", "発言者の名前をコピー(&N)", &MainWindow::copySpeakerName},
    {nullptr, nullptr, nullptr},
    {"SelectAll1", "すべて選択(&A)", &MainWindow::selectAllInView},
    {nullptr, nullptr, nullptr},
    {"Find1", "検索(&F)", &MainWindow::openFind},
    {nullptr, nullptr, nullptr},
    {"NGUserAdd01", "NGユーザーに追加", &MainWindow::addNgUser},
    {"NGWordAdd01", "NGワードに追加", &MainWindow::addNgWord},
    {nullptr, nullptr, nullptr},
    {"NGUserDel01", "NGユーザーから削除", &MainWindow::removeNgUser},
    {"NGWordDel01", "NGワードから削除", &MainWindow::removeNgWord},
    {nullptr, nullptr, nullptr},
    {"SaveViewLines", "このタブを保存(&S)…", &MainWindow::saveViewLines},
}};

// "検索が終了しました"
const QString kSearchEnded = QStringLiteral("検索が終了しました");

// Runs a handler; a failure is one line in the error log naming the handler.
template <typename Body>
void guarded(MainWindow& window, const char* utf8Text, Body&& body) {
    try {
        body();
    } catch (...) {
        Session& session = window.session();
        platform::reportFailure(session.errorLog, session.clock,
                                cp932::fromUtf8(utf8Text).value_or(std::string()));
    }
}

// The channel view of the active tab (通常 to システム), else null.
ChannelView* activeChannelView(const MainWindow& window) {
    const auto channel = ViewOfTab(pageIndex(window.activeTab()));
    return channel ? window.view(*channel) : nullptr;
}

// The channel whose lines a view shows.
std::optional<ChatChannel> channelOfView(const MainWindow& window, const ChannelView& view) {
    for (const ChannelRow& row : kChannelTable) {
        if (window.view(row.channel) == &view) {
            return row.channel;
        }
    }
    return std::nullopt;
}

// The speaker of a line of a view, as the core decides it.
std::optional<std::string> speakerOfLine(const MainWindow& window, const ChannelView& view,
                                         std::size_t line) {
    const LineStore& store = view.lineStore();
    const std::optional<ChatChannel> channel = channelOfView(window, view);
    if (!channel || line >= store.size()) {
        return std::nullopt;
    }
    return speakerOfViewLine(*channel, store.line(line), store.colour(line));
}

// The error-log memo while its tab is active, else null.
QPlainTextEdit* activeErrorLog(const MainWindow& window) {
    return window.activeTab() == Tab::ErrorLog ? window.errorLog() : nullptr;
}

void runNgCommand(MainWindow& window, NgList list, NgAction action) {
    const ChannelView* view = activeChannelView(window);
    const std::string selected = view ? view->selectedText() : std::string();
    const NgCommandPlan plan = PlanNgCommand(window.ngLists(), list, action, selected);
    const bool changes = plan.append || plan.eraseIndex;
    for (std::size_t i = 0; i < plan.messages.size(); ++i) {
        // The list changes before its result ("added", "removed") is shown.
        if (changes && i + 1 == plan.messages.size()) {
            ApplyNgCommand(window.ngLists(), plan);
        }
        window.session().messages.show(plan.messages[i].kind,
                                       fromCp932Lines(plan.messages[i].text));
    }
}

// One press of the find button over the error-log memo.
void findInMemo(MainWindow& window, QPlainTextEdit* memo, std::string_view needle,
                FindDirection direction) {
    const MemoCp932 text(memo->toPlainText());
    const QTextCursor cursor = memo->textCursor();
    const ByteOffset start = text.offsetOf(cursor.selectionStart());
    const TextSelection selection{start, text.offsetOf(cursor.selectionEnd()) - start};
    const FindOutcome outcome = findInText(text.text(), needle, selection, direction);
    if (const std::optional<TextSelection> next = outcome.selectionAfter(direction)) {
        QTextCursor moved(memo->document());
        moved.setPosition(text.positionOf(next->start));
        moved.setPosition(text.positionOf(next->start + next->length), QTextCursor::KeepAnchor);
        memo->setTextCursor(moved);
        memo->ensureCursorVisible();
    }
    if (outcome.ended()) {
        window.session().messages.show(MessageKind::Plain, kSearchEnded);
    }
}

}  // namespace

void MainWindow::buildViewCommands() {
    viewMenu_ = new QMenu(this);
    viewMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    for (const MenuEntry& entry : kPopupMenu1) {
        if (entry.name == nullptr) {
            viewMenu_->addSeparator();
            continue;
        }
        QAction* action = viewMenu_->addAction(QString::fromUtf8(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.name));
        connect(action, &QAction::triggered, this, entry.handler);
    }
    // Ctrl+F works anywhere in the window, not only while the menu is open.
    QAction* find = viewMenu_->findChild<QAction*>(QStringLiteral("Find1"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    find->setShortcutContext(Qt::WindowShortcut);
    addAction(find);
    // Ctrl+C and Ctrl+A belong to the focused view: the menu only shows them.
    for (const auto& [name, keys] : {std::pair{"Copy1", QKeySequence::Copy},
                                     std::pair{"SelectAll1", QKeySequence::SelectAll}}) {
        QAction* action = viewMenu_->findChild<QAction*>(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
    }

    for (ChannelView* channelView : tabs_.views) {
        if (channelView == nullptr) {
            continue;
        }
        channelView->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(channelView, &QWidget::customContextMenuRequested, this,
                [this, channelView](const QPoint& pos) { showViewMenu(*channelView, pos); });
    }
    ownViewSaveDialog_ = std::make_shared<QtViewSaveDialog>(this);
    viewSaveDialog_ = ownViewSaveDialog_.get();

    findDialog_ = new FindDialog(this);
    connect(findDialog_, &FindDialog::findRequested, this, &MainWindow::findNext);
    connect(tabs_.ngSettingsButton, &QPushButton::clicked, this, &MainWindow::openNgSettings);
}

void MainWindow::showViewMenu(ChannelView& channelView, QPoint viewportPos) {
    const LineStore& store = channelView.lineStore();
    const std::size_t line = store.lineAt(channelView.offsetAt(viewportPos));
    menuLine_ = {&channelView, static_cast<std::int64_t>(line) + store.droppedLines(),
                 store.clearCount()};
    viewMenu_->findChild<QAction*>(QStringLiteral("CopySpeakerName"))
        ->setEnabled(speakerOfLine(*this, channelView, line).has_value());
    viewMenu_->findChild<QAction*>(QStringLiteral("SaveViewLines"))->setEnabled(!store.empty());
    viewMenu_->popup(channelView.viewport()->mapToGlobal(viewportPos));
}

void MainWindow::copySelection() {
    guarded(*this, "コピーの処理中にエラーが発生しました(Copy1Click) ", [this] {
        if (const ChannelView* channelView = activeChannelView(*this)) {
            channelView->copy();
        } else if (QPlainTextEdit* memo = activeErrorLog(*this)) {
            memo->copy();
        }
    });
}

void MainWindow::selectAllInView() {
    guarded(*this, "すべて選択の処理中にエラーが発生しました(SelectAll1Click) ", [this] {
        if (ChannelView* channelView = activeChannelView(*this)) {
            channelView->selectAll();
        } else if (QPlainTextEdit* memo = activeErrorLog(*this)) {
            memo->selectAll();
        }
    });
}

void MainWindow::openFind() {
    guarded(*this, "検索の処理中にエラーが発生しました(Find1Click) ", [this] {
        // Nothing moves: the search starts from the caret (the clicked line).
        findDialog_->show();
        findDialog_->raise();
        findDialog_->activateWindow();
    });
}

void MainWindow::findNext() {
    guarded(*this, "検索の処理中にエラーが発生しました(FindDialog01Find) ", [this] {
        const Cp932Input needle = cp932Input(findDialog_->findText());
        if (!needle.bytes) {
            messages().show(MessageKind::Warning,
                            QStringLiteral("検索する文字列に、Shift-JISで扱えない文字「%1」が"
                                           "含まれているため、検索できません。")
                                .arg(needle.refused));
            return;
        }
        if (needle.bytes->empty()) {
            return;
        }
        const FindDirection direction = findDialog_->direction();
        if (QPlainTextEdit* memo = activeErrorLog(*this)) {
            findInMemo(*this, memo, *needle.bytes, direction);
            return;
        }
        ChannelView* channelView = activeChannelView(*this);
        if (channelView == nullptr) {
            return;
        }
        const TextSelection selection{channelView->selectionStart(),
                                      channelView->selectionLength()};
        const FindOutcome outcome =
            findInLines(channelView->lineStore(), *needle.bytes, selection, direction);
        if (const std::optional<TextSelection> next = outcome.selectionAfter(direction)) {
            channelView->select(next->start, next->length);
        }
        if (outcome.ended()) {
            messages().show(MessageKind::Plain, kSearchEnded);
        }
    });
}

void MainWindow::copySpeakerName() {
    guarded(*this, "コピーの処理中にエラーが発生しました(CopySpeakerNameClick) ", [this] {
        const ChannelView* channelView = activeChannelView(*this);
        if (channelView == nullptr) {
            return;
        }
        const LineStore& store = channelView->lineStore();
        std::int64_t line = static_cast<std::int64_t>(store.lineAt(channelView->caret()));
        // The menu's line, while it is still in the view.
        if (menuLine_.view == channelView && menuLine_.clears == store.clearCount()) {
            line = menuLine_.line - store.droppedLines();
        }
        if (line < 0) {
            return;
        }
        if (const std::optional<std::string> speaker =
                speakerOfLine(*this, *channelView, static_cast<std::size_t>(line))) {
            QApplication::clipboard()->setText(fromCp932(*speaker));
        }
    });
}

void MainWindow::saveViewLines() {
    guarded(*this, "保存の処理中にエラーが発生しました(SaveViewLinesClick) ", [this] {
        const ChannelView* channelView = activeChannelView(*this);
        if (channelView == nullptr || channelView->lineStore().empty()) {
            return;
        }
        const QString caption = fromCp932(plainCaption(activeTab()));
        const std::optional<ViewSaveChoice> choice =
            viewSaveDialog_->chooseFile(caption + QStringLiteral(".txt"));
        if (!choice) {
            return;
        }
        const std::error_code error = platform::writeWholeFileAtomically(
            pathFromQString(choice->path),
            viewTextFile(channelView->lineStore(), choice->encoding));
        if (error) {
            messages().show(MessageKind::Warning,
                            QStringLiteral("%1 を保存できませんでした。\n%2")
                                .arg(choice->path, QString::fromLocal8Bit(error.message())));
        }
    });
}

void MainWindow::useViewSaveDialog(ViewSaveDialog* dialog) {
    viewSaveDialog_ = dialog != nullptr ? dialog : ownViewSaveDialog_.get();
}

void MainWindow::addNgUser() {
    guarded(*this, "NGリストの処理中にエラーが発生しました(NGUserAdd01Click) ",
            [this] { runNgCommand(*this, NgList::Users, NgAction::Add); });
}

void MainWindow::addNgWord() {
    guarded(*this, "NGリストの処理中にエラーが発生しました(NGWordAdd01Click) ",
            [this] { runNgCommand(*this, NgList::Words, NgAction::Add); });
}

void MainWindow::removeNgUser() {
    guarded(*this, "NGリストの処理中にエラーが発生しました(NGUserDel01Click) ",
            [this] { runNgCommand(*this, NgList::Users, NgAction::Remove); });
}

void MainWindow::removeNgWord() {
    guarded(*this, "NGリストの処理中にエラーが発生しました(NGWordDel01Click) ",
            [this] { runNgCommand(*this, NgList::Words, NgAction::Remove); });
}

void MainWindow::openNgSettings() {
    guarded(*this, "NGフィルター設定画面の処理中にエラーが発生しました(NGSettingButton01Click) ",
            [this] {
                if (ngDialog_ == nullptr) {
                    ngDialog_ = new NgDialog(ngLists(), messages(), this);
                }
                ngDialog_->fillFromLists();
                ngDialog_->setModal(true);
                ngDialog_->show();
                ngDialog_->centreOnDesktop();
                ngDialog_->raise();
                ngDialog_->activateWindow();
            });
}

}  // namespace ruv
