// Attaching a log: the file dialog, 追加アタッチ, Today's and Yesterday's
// logs, the recent-log list, past-log tidying and auto-attach.

#include <QAction>
#include <QDir>

#include <array>
#include <exception>
#include <system_error>

#include "core/log/attach_point.h"
#include "core/log/attach_texts.h"
#include "core/log/auto_attach.h"
#include "core/log/log_history.h"
#include "core/platform/native_path.h"
#include "core/text/cp932.h"
#include "shell/app/ruvivuvaz.h"
#include "shell/app/session.h"
#include "shell/platform/qt_text.h"

namespace ruv {

namespace {

const QString kTitle = QStringLiteral("DIrararezuvero");
const QString kTidyingTitle = QStringLiteral("DIrararezuvero 過去ログ整頓中・・・");
const QString kSizeFailedText = QStringLiteral("ファイルサイズの取得に失敗しました。");
const QString kMissingFileText = QStringLiteral("指定したファイルは存在しません");

constexpr std::array<const char*, kLogHistoryMenuEntries> kHistoryItems = {
    "LogHistory00", "LogHistory01", "LogHistory02", "LogHistory03", "LogHistory04"};

// A menu caption showing text as it is: "&" would otherwise mark a mnemonic.
QString menuCaption(std::string_view cp932Text) {
    return fromCp932(cp932Text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The item remembers the exact CP932 path it attaches.
void offerPath(QAction* item, std::string_view caption, std::string_view cp932Path) {
    item->setText(menuCaption(caption));
    item->setData(QByteArray(cp932Path.data(), static_cast<qsizetype>(cp932Path.size())));
    item->setEnabled(true);
}

std::string offeredPath(const QAction* item) {
    const QByteArray path = item->data().toByteArray();
    if (!path.isEmpty()) {
        return path.toStdString();
    }
    return cp932::fromUtf16(item->text().toStdU16String()).value_or(std::string{});
}

bool fileExists(const std::string& cp932Path) {
    const auto native = platform::toNativePath(cp932Path);
    std::error_code status;
    return native && std::filesystem::exists(*native, status) &&
           !std::filesystem::is_directory(*native, status);
}

// The daily log of date in folder, when it exists, becomes the item's offer.
void offerDailyLog(QAction* item, std::string_view cp932Folder, CivilDate date) {
    const std::string name = dailyLogName(date);
    const std::string path = joinFolderAndName(cp932Folder, name);
    if (fileExists(path)) {
        offerPath(item, name, path);
    }
}

// Past-log tidying's lines go to the window's views, its gains to the EXP monitor.
class WindowTidySink final : public PastLogSink {
  public:
    WindowTidySink(TForm1& window, std::string_view failureText)
        : window_(window), failureText_(failureText) {}

    void append(ChatChannel view, std::string_view text, Colour colour) override {
        window_.appendLine(view, text, colour);
    }
    void addDayGain(std::int64_t amount) override {
        window_.session().expAttach.AddDayGain(amount);
    }
    void unreadableGain(std::string_view) override {
        platform::reportFailure(window_.session().errorLog, window_.session().clock, failureText_);
    }

  private:
    TForm1& window_;
    std::string failureText_;
};

}  // namespace

void TForm1::connectAttaching() {
    LogAttachState& state = session_->attaching;
    connect(menuEntry("O2"), &QAction::triggered, this, &TForm1::O2Click);
    for (const char* name : {"LogChange01", "LogToday01", "LogYesterday01"}) {
        QAction* item = menuEntry(name);
        connect(item, &QAction::triggered, this, [this, item] { LogChange01Click(item); });
    }
    for (const char* name : kHistoryItems) {
        QAction* item = menuEntry(name);
        connect(item, &QAction::triggered, this, [this, item] { LogChange01Click(item); });
    }
    connect(&session_->live.watcher(), &LogWatcher::fileNamesChanged, this,
            &TForm1::ShellChangeNotifier02Change);
    connect(&state.autoAttachWait, &QTimer::timeout, this, &TForm1::autoAttachCheck);
    connect(&state.tidy, &PastLogTidy::finished, this, &TForm1::followAttachedLog);
    connect(&state.tidy, &PastLogTidy::failed, this, &TForm1::tidyFailed);
    state.ownDialog = std::make_unique<QtLogFileDialog>(this);
    state.dialog = state.ownDialog.get();
}

// --- Commands ------------------------------------------------------------

void TForm1::O2Click() {
    LogAttachState& state = session_->attaching;
    try {
        const QString folder = toQString(platform::toNativePath(state.mhFolderPath).value_or(""));
        if (const std::optional<QString> chosen = state.dialog->chooseLog(folder)) {
            const QString native = QDir::toNativeSeparators(*chosen);
            const auto path = cp932::fromUtf16(native.toStdU16String());
            if (!path) {
                // A name CP932 cannot hold can be neither recorded nor shown.
                messages().show(MessageKind::Warning, kSizeFailedText);
            } else {
                attachLog(*path, AttachKind::Replace, kAttachFailureText);
            }
        }
    } catch (const std::exception&) {
        platform::reportFailure(session_->errorLog, session_->clock, kAttachFailureText);
    }
    restoreCaptionUnlessTidying();
}

void TForm1::LogChange01Click(QAction* item) {
    LogAttachState& state = session_->attaching;
    try {
        const bool addAttach = item->objectName() == QStringLiteral("LogChange01");
        std::string path;
        if (addAttach) {
            const QString folder =
                toQString(platform::toNativePath(state.mhFolderPath).value_or(""));
            const std::optional<QString> chosen = state.dialog->chooseLog(folder);
            if (!chosen) {
                restoreCaptionUnlessTidying();
                return;
            }
            path = cp932::fromUtf16(QDir::toNativeSeparators(*chosen).toStdU16String())
                       .value_or(std::string{});
        } else {
            path = offeredPath(item);
        }
        if (!fileExists(path)) {
            messages().show(MessageKind::Warning, kMissingFileText);
        } else {
            attachLog(path, addAttach ? AttachKind::Add : AttachKind::Replace,
                      kLogChangeFailureText);
        }
    } catch (const std::exception&) {
        platform::reportFailure(session_->errorLog, session_->clock, kLogChangeFailureText);
    }
    restoreCaptionUnlessTidying();
}

void TForm1::attachLog(const std::string& cp932Path, AttachKind kind,
                       std::string_view failureText) {
    LogAttachState& state = session_->attaching;
    const auto native = platform::toNativePath(cp932Path);
    std::optional<ByteOffset> size;
    std::error_code status;
    if (native && !std::filesystem::is_directory(*native, status)) {
        if (const auto file = session_->files.openShared(*native)) {
            size = file->size();
            if (size) {
                // A line the game is half-way through writing is delivered whole later.
                size = attachPoint(*file, *size);
            }
        }
    }
    if (!size) {
        messages().show(MessageKind::Warning, kSizeFailedText);
        return;
    }

    // A tidy still running belongs to the log this attach replaces.
    state.tidy.cancel();
    state.attachedPath = cp932Path;
    state.pendingLog = *native;
    state.pendingConsumed = *size;
    const bool tidy = tidyPastLogOnAttach();
    if (tidy) {
        // Nothing is followed while the earlier lines are sorted, so lines
        // written meanwhile come after them, once.
        session_->live.release();
    } else {
        session_->live.attach(*native, *size);
    }

    setStatusText(StatusPanel::Path, fromCp932(cp932Path));
    setStatusText(StatusPanel::State, QStringLiteral("アタッチ"));
    session_->expAttach.SetAttachedLogPath(cp932Path);
    RecordLogHistory(cp932Path);
    if (kind == AttachKind::Replace) {
        AttachReset();
    }
    if (tidy) {
        TidyPastLog(*native, failureText);
    }
}

void TForm1::AttachReset() {
    for (const ChatChannel channel :
         {ChatChannel::Normal, ChatChannel::Open, ChatChannel::Team, ChatChannel::Club,
          ChatChannel::Whis, ChatChannel::Shout, ChatChannel::Battle, ChatChannel::System,
          ChatChannel::Original}) {
        clearView(channel);
    }
    resetUnreadForAttach();
    session_->expAttach.ResetForAttach();
}

void TForm1::RecordLogHistory(std::string_view cp932Path) {
    LogHistoryList& history = session_->attaching.history;
    history.record(cp932Path);
    for (std::size_t i = 0; i < kLogHistoryMenuEntries; ++i) {
        const std::string_view entry = history.at(i);
        if (!entry.empty()) {
            offerPath(menuEntry(kHistoryItems[i]), entry, entry);
        }
    }
}

// --- Past-log tidying ------------------------------------------------------

void TForm1::TidyPastLog(const std::filesystem::path& path, std::string_view failureText) {
    LogAttachState& state = session_->attaching;
    setWindowTitle(kTidyingTitle);
    PastLogBytes past = readPastLog(session_->files, path, state.pendingConsumed);
    if (past.error) {
        platform::reportFailure(session_->errorLog, session_->clock, failureText);
        followAttachedLog();
        return;
    }
    state.tidySink = std::make_unique<WindowTidySink>(*this, failureText);
    state.pendingFailureText = std::string(failureText);
    state.tidy.start(std::move(past.bytes), *state.tidySink);
}

void TForm1::followAttachedLog() {
    LogAttachState& state = session_->attaching;
    session_->live.attach(state.pendingLog, state.pendingConsumed);
    // What the game wrote while the earlier lines were sorted.
    session_->live.catchUp();
    setWindowTitle(kTitle);
}

void TForm1::tidyFailed() {
    platform::reportFailure(session_->errorLog, session_->clock,
                            session_->attaching.pendingFailureText);
    followAttachedLog();
}

bool TForm1::tidyingPastLog() const {
    return session_->attaching.tidy.running();
}

void TForm1::restoreCaptionUnlessTidying() {
    if (!tidyingPastLog()) {
        setWindowTitle(kTitle);
    }
}

// --- Auto-attach -------------------------------------------------------------

void TForm1::ShellChangeNotifier02Change() {
    LogAttachState& state = session_->attaching;
    // Notices during the wait lead to one more check after it.
    if (state.autoAttachWait.isActive()) {
        state.moreNamesChanged = true;
        return;
    }
    state.autoAttachWait.start();
}

void TForm1::autoAttachCheck() {
    LogAttachState& state = session_->attaching;
    try {
        if (autoAttachNewLog() && session_->live.tail().attached() && !state.skipFirstNameChange) {
            const CivilDate today = dateOf(session_->clock.now());
            const AutoAttachPlan plan = planAutoAttach(state.attachedPath, today);
            if (plan.step == AutoAttachStep::UnreadableName) {
                platform::reportFailure(session_->errorLog, session_->clock,
                                        kAutoAttachFailureText);
            } else if (plan.step == AutoAttachStep::SwitchTo && fileExists(plan.todaysLog)) {
                session_->live.switchFile(*platform::toNativePath(plan.todaysLog), ByteOffset{0});
                state.attachedPath = plan.todaysLog;
                setStatusText(StatusPanel::Path, fromCp932(plan.todaysLog));
                session_->expAttach.SetAttachedLogPath(plan.todaysLog);
                const std::string folder = platform::folderOf(plan.todaysLog);
                offerDailyLog(menuEntry("LogToday01"), folder, today);
                offerDailyLog(menuEntry("LogYesterday01"), folder, dayBefore(today));
            }
        }
    } catch (const std::exception&) {
        platform::reportFailure(session_->errorLog, session_->clock, kAutoAttachFailureText);
    }
    state.skipFirstNameChange = false;
    if (state.moreNamesChanged) {
        state.moreNamesChanged = false;
        state.autoAttachWait.start();
    }
}

// --- History file, start-up fill and settings values --------------------------

void TForm1::LoadLogHistory() {
    if (!environment_.settingsFolder.empty()) {
        loadLogHistory(logHistoryFile(environment_.settingsFolder), session_->attaching.history);
    }
}

void TForm1::SaveLogHistory() {
    if (!environment_.settingsFolder.empty()) {
        saveLogHistory(logHistoryFile(environment_.settingsFolder), session_->attaching.history);
    }
}

void TForm1::FillLogMenus() {
    const LogAttachState& state = session_->attaching;
    for (std::size_t i = 0; i < kLogHistoryMenuEntries; ++i) {
        const std::string entry(state.history.at(i));
        if (!entry.empty() && fileExists(entry)) {
            offerPath(menuEntry(kHistoryItems[i]), entry, entry);
        }
    }
    if (!state.mhFolderPath.empty()) {
        const CivilDate today = dateOf(session_->clock.now());
        offerDailyLog(menuEntry("LogToday01"), state.mhFolderPath, today);
        offerDailyLog(menuEntry("LogYesterday01"), state.mhFolderPath, dayBefore(today));
    }
}

void TForm1::restoreMHFolderPath(std::string_view cp932Folder) {
    session_->attaching.mhFolderPath = platform::withTrailingSeparator(cp932Folder);
}

std::string TForm1::mhFolderPath() const {
    return session_->attaching.mhFolderPath;
}

std::string TForm1::attachedLogPath() const {
    return session_->attaching.attachedPath;
}

std::string TForm1::attachedLogFolder() const {
    return platform::folderOf(session_->attaching.attachedPath);
}

}  // namespace ruv
