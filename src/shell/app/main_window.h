#pragma once
// The main window: tabs, menus and status bar; owns the run-time state.

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/settings_apply.h"
#include "core/app/window_options.h"
#include "core/lines/chat_format.h"
#include "core/log/log_session_ports.h"
#include "core/speech/speech_queue_settings.h"
#include "core/speech/speech_settings.h"
#include "core/speech/voice_list.h"
#include "core/views/tab_rules.h"
#include "shell/app/app_environment.h"
#include "shell/app/menu_actions.h"
#include "shell/app/state_binding.h"
#include "shell/app/tab_pages.h"
#include "shell/speech/speech_dialog.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QTreeWidget;

namespace ruv {

class ChannelView;
class PageControl;
class TextSizeControl;
class LiveLog;
class LogSession;
class UserMessages;
struct NgLists;
struct Session;
class SpeechDialog;
class SingleInstance;

enum class KeywordSwitch { Off, On };

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 502;
    static constexpr int kClientHeight = 204;
    static constexpr int kMinimumOuterWidth = 350;
    static constexpr int kMinimumOuterHeight = 120;

    // A window that reads and writes no settings files.
    explicit MainWindow(QWidget* parent = nullptr);
    explicit MainWindow(AppEnvironment environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- Run-time state --------------------------------------------------
    Session& session() { return *session_; }
    LiveLog& liveLog();
    NgLists& ngLists();

    // --- Views -----------------------------------------------------------
    // The view of a channel; null for ExpMonitor, which holds no lines.
    ChannelView* view(ChatChannel channel) const;
    QPlainTextEdit* errorLog() const { return tabs_.errorLog; }

    // --- Tabs ------------------------------------------------------------
    // Shows or hides a tab and keeps its tab menu mark in step. The two storage
    // tabs are never shown.
    void setTabShown(Tab tab, TabVisibility visibility);
    bool tabShown(Tab tab) const;
    Tab activeTab() const;
    // Makes a shown tab the active page; a hidden tab is left alone.
    void setActiveTab(Tab tab);
    QString caption(Tab tab) const;
    // PageControl1, for the commands that act on the active tab's view.
    PageControl* pageControl() const;

    // --- Keyword rows (通常 to 叫び; オリジナル's row stays hidden and off) ---
    // The keyword (CP932) while the row's check box is ticked, else empty.
    std::string keyword(ChatChannel channel) const;
    // Ticks or unticks the row's check box, with the same effect as a click.
    void setKeywordArmed(ChatChannel channel, KeywordSwitch state);
    QCheckBox* keywordCheckBox(ChatChannel channel) const;
    QLineEdit* keywordEdit(ChatChannel channel) const;

    // --- オリジナル and NGフィルター tabs -----------------------------------
    // The mix check box of a channel (一般 to 叫び, 戦闘情報, システム).
    QCheckBox* mixCheckBox(ChatChannel channel) const;
    QCheckBox* speechSwitch() const { return tabs_.speechSwitch; }
    QComboBox* readModeList() const { return tabs_.readModeList; }
    QPushButton* speechSettingsButton() const { return tabs_.speechSettingsButton; }
    QCheckBox* ngUserSwitch() const { return tabs_.ngUserSwitch; }
    QCheckBox* ngWordSwitch() const { return tabs_.ngWordSwitch; }
    QPushButton* ngSettingsButton() const { return tabs_.ngSettingsButton; }

    // --- 経験値情報 tab ----------------------------------------------------
    const TabPages& tabPages() const { return tabs_; }
    TextSizeControl& textSize() { return *textSize_; }
    QTimer& expTimer() { return *expTimer_; }  // Timer01, 1000 ms, off

    // --- Menu options read by other parts --------------------------------
    WindowAlpha windowAlpha() const { return alpha_; }
    const MenuActions& menu() const { return menu_; }

    // --- Status bar ------------------------------------------------------
    void setStatusText(StatusPanel panel, const QString& text);
    QString statusText(StatusPanel panel) const;
    // Beside the two panels: when the followed log last grew, or that it stopped.
    QLabel* logActivityPanel() const { return activityPanel_; }

    // --- views context menu, find and NG dialog (public) ---
    // PopupMenu1, the context menu of the ten channel views.
    QMenu* popupMenu() const { return viewMenu_; }
    // FindDialog01, modeless; NgDialog, null until openNgSettings opens it.
    class FindDialog* findDialog() const {
        return findDialog_;
    }
    class NgDialog* ngDialog() const {
        return ngDialog_;
    }
    // Context-menu commands; each acts on the view of the active tab.
    void copySelection();
    void selectAllInView();
    void openFind();
    void findNext();
    // 発言者の名前をコピー: the speaker of the line the menu was opened over
    // (else of the caret's line) on the clipboard.
    void copySpeakerName();
    // このタブを保存…: the active view's lines to a file the user names.
    void saveViewLines();
    // Tests answer the save dialog themselves; null puts the real one back.
    void useViewSaveDialog(class ViewSaveDialog* dialog);
    void addNgUser();
    void addNgWord();
    void removeNgUser();
    void removeNgWord();
    void openNgSettings();

    // --- attaching and history (public) ---
    // The attached log, the recent-log list, tidying and auto-attach.
    LogSession& logSession();
    // ファイル(&F) > アタッチログ(&O): attaches the log picked in the file dialog.
    void attachLog();
    // 追加アタッチ, Today's Log, Yesterday's Log and Log History 00 to 04.
    void attachKnownLog(AttachKind kind, std::size_t historyEntry = 0);
    // A log named on the command line or dropped on the window (a native path,
    // absolute or from the working folder): attached as アタッチログ attaches the
    // file its dialog answers.
    void openLog(const QString& path);
    // Start-up without a log named: with 起動時に今日のログをアタッチする on,
    // today's log is attached, or awaited until the game creates it.
    void attachTodaysLogAtStart();
    // A later start of the program handed over its log (empty: none): the
    // window comes to the front and attaches it as openLog does.
    void receiveHandOver(const QString& path);
    // Later starts of the program hand over to this window through the
    // instance's lock until the exit begins; the lock is released once the
    // settings are saved. An instance without a lock is told in the error log.
    void serveLaterStarts(SingleInstance& instance);
    // loghistoryslist.txt in the settings folder; no folder, no file. Throw
    // config::ConfigError.
    void LoadLogHistory();
    void SaveLogHistory();
    // Start-up: the history entries, Today's Log and Yesterday's Log for logs that exist.
    void FillLogMenus();
    // MHFolderPath (CP932), the file dialog's starting folder.
    void restoreLogFolder(std::string_view cp932Folder);
    // The attached log (CP932) and its folder with its trailing separator;
    // empty before the first attach.
    std::string attachedLogPath() const;
    std::string attachedLogFolder() const;
    // The earlier lines of the last attached log are still being sorted.
    bool tidyingPastLog() const;

    // --- speech (public) ---
    // fillAndShow: "毒電波設定" shows SpeechDialog, created on first use.
    void openSpeechSettings();
    SpeechDialog* speechDialog() const { return speechDialog_; }
    // The stored speech settings (rows 51-58 and the read mode, row 60, which
    // BouyomiComboBox01 shows) and the per-character voices.
    StoredSpeechSettings& storedSpeech();
    // bouyomiuserlist.txt in the folder; an empty folder reads and writes nothing.
    // Saving throws config::FileError when the file cannot be written.
    void LoadVoiceList(const std::filesystem::path& settingsFolder);
    void SaveVoiceList(const std::filesystem::path& settingsFolder);
    QTreeWidget* voiceListView() const { return voiceListView_; }  // BouListView01, hidden

    // --- call sounds (public) ---
    // The slots' paths are the session's: CallSoundSlots reads and writes them in place.
    class CallSoundSlots& callSoundSlots();
    // Start-up: opens the slots with a path in slot order; a file that cannot
    // be opened is shown and logged and leaves the later slots silent.
    void RestoreCallSounds();
    // Exit, after the paths were saved: closes all seven players.
    void CloseCallSounds();
    // "呼び出し音の設定" (SoundOption01).
    void openCallSoundSettings();
    // The call-sound dialog; null until first opened.
    class CallSoundDialog* callSoundDialog() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // One local file dropped on the window is attached, while attach commands are enabled.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // A drag of files over the window or one of its text fields, and their drop.
    void handleFileDrag(QDropEvent& event);
    void buildFrame();
    void buildMainMenu();
    void buildFileMenu();
    void buildOptionMenu();
    void buildHelpMenu();
    void buildFilterMenu(QMenu* menu);
    void buildIntervalMenu(QMenu* menu);
    void buildTransparencyMenu(QMenu* menu);
    void applyMinimumOuterSize();
    UserMessages& messages();
    // The views show the session's lines.
    void connectViews();
    // Routing's copy of whether the tab is shown follows the tab bar.
    void noteTabShown(Tab tab);

    // Handlers, named after their control and event.
    void filterEntryClicked(Tab tab, bool checked);  // NF01Click to NF11Click
    // A press on the strip, or the tab becoming current by any means.
    void resetUnreadOfCurrentTab();
    void transparencyEntryClicked(Transparency transparency);  // N1001Click ... N901Click
    void applyAlwaysOnTop(bool on);
    void showAbout();
    // Text of the version box, one entry per line.
    static QStringList aboutLines();
    void openHelp();
    void exitProgram();

    TabPages tabs_;
    MenuActions menu_;
    std::array<QLabel*, 2> statusPanels_{};
    QLabel* activityPanel_ = nullptr;
    QTimer* expTimer_ = nullptr;
    TextSizeControl* textSize_ = nullptr;

    AppEnvironment environment_;
    std::unique_ptr<Session> session_;
    WindowAlpha alpha_;

    // --- views context menu, find and NG dialog (private) ---
    void buildViewCommands();
    QMenu* viewMenu_ = nullptr;
    FindDialog* findDialog_ = nullptr;
    NgDialog* ngDialog_ = nullptr;
    void showViewMenu(ChannelView& view, QPoint viewportPos);
    // The line the menu was opened over: its number counted with the view's
    // dropped lines, and the view's clear count then.
    struct MenuLine {
        const ChannelView* view = nullptr;
        std::int64_t line = 0;
        std::uint64_t clears = 0;
    };
    MenuLine menuLine_;
    std::shared_ptr<class ViewSaveDialog> ownViewSaveDialog_;
    class ViewSaveDialog* viewSaveDialog_ = nullptr;

    // --- attaching and history (private) ---
    void connectAttaching();
    // A file name changed in the attached log's folder.
    void onLogFolderNamesChanged();
    std::string logFolder() const;

    // --- speech (private) ---
    void setUpSpeech();
    // The 読み上げ menu, before ヘルプ; its entries act once the session exists.
    void buildSpeechMenu();
    std::unique_ptr<class SpeechStatusPanel> speechPanel_;
    std::unique_ptr<class SpeechHotkeys> speechHotkeys_;
    // Reads ruvivuvaz_speech.ini, if there is one, into the speech side; the
    // exit writes it back when the player changed it.
    void loadSpeechQueueSettings(const std::filesystem::path& settingsFolder);
    void saveSpeechQueueSettings(const std::filesystem::path& settingsFolder);
    // The queue settings as read at start-up: the file is written only when
    // they changed.
    SpeechQueueSettings speechQueueSettingsRead_;
    SpeechDialog* speechDialog_ = nullptr;
    QTreeWidget* voiceListView_ = nullptr;

    // --- call sounds (private) ---
    class CallSoundDialog* callSoundDialog_ = nullptr;

    // --- settings at start-up and exit (private) ---
    // Window creation: the list files, the history, config.ini row by row and
    // the canonical rebuild, or the first-run state, then the controls show the
    // state; without a folder only the defaults are shown.
    void ApplySettingsAtStartup();
    // The window's close, before it is destroyed (never inside a destructor:
    // the warning box runs an event loop): later starts are no longer taken,
    // every row by number, then the six files, each on its own; the instance's
    // lock released, one warning naming the files not saved; then the watchers
    // released. The session closes the sounds as it goes. Runs once.
    void SaveSettingsAtExit();
    SingleInstance* instance_ = nullptr;
    bool exitStepsRun_ = false;
    void bindState();
    void reportStartupFailure(std::string_view stage);
    void restoreOuterBounds(const WindowBounds& bounds);
    // Sets the client size so that the frame has the restored outer size, and
    // puts the frame at the restored place, again whenever the frame changes
    // until the window is shown with a frame (the window manager may frame it
    // late).
    void applyRestoredOuterSize();
    void applyRestoredOuterSizeToANewFrame();
    // At close, before the window leaves the maximised state: whether it is
    // maximised, and its normal place.
    void noteWindowStateAtClose();
    // The bounds to save: those restored while the user has not moved or
    // resized the window, however late the window manager framed it; the
    // normal ones of a maximised window.
    WindowBounds boundsToSave() const;
    // The place the window was opened at, as saved (fitted to the screens),
    // and the client size that gave it.
    struct RestoredPlace {
        WindowBounds bounds;
        QRect outer;
        QSize client;
    };
    std::optional<RestoredPlace> restored_;
    // The frame's restored place and size, until applied with the frame known.
    struct PendingOuter {
        std::optional<QPoint> at;
        std::optional<QSize> size;
        QMargins frame;  // the frame it was last applied with
    };
    std::optional<PendingOuter> pendingOuter_;
    // The normal client rectangle of a window closed while maximised.
    std::optional<QRect> normalAtClose_;
    StateBinding* binding_ = nullptr;
};

}  // namespace ruv
