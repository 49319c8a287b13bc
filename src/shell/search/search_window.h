#pragma once
// 過去ログ検索: a modeless window that searches every daily log of a folder on
// a worker thread while the main window goes on following. Results stream in
// per day, newest first; a double-click or Enter shows the day's log around a
// result. Escape closes the window.

#include <QWidget>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/log/route_settings.h"
#include "core/search/log_search.h"
#include "core/views/ng_lists.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;

namespace ruv {

class DayLogWindow;
class SearchResultsModel;
class TextSizeControl;

// What the window reads from the session; it must outlive the window.
struct SearchWindowInputs {
    const RouteSettings& switches;
    const NgLists& ngLists;
    // The folder offered at first: the attached log's, else the stored log folder.
    std::function<std::filesystem::path()> defaultFolder;
    // The main window: the window takes its font.
    QWidget* parent = nullptr;
    // The main views' text size, which the results and the day view follow.
    TextSizeControl* textSize = nullptr;
};

class SearchWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SearchWindow(SearchWindowInputs inputs);
    ~SearchWindow() override;

    // 検索: starts a search for what the fields ask, cancelling one still running.
    void startSearch();
    // 中止
    void cancelSearch();
    // The selected results as the command line prints them, one a line (UTF-8
    // in the clipboard).
    void copySelection();
    // Shows the day's log around the result of this row, with the text selected.
    DayLogWindow* showResultInDay(int row);
    bool searching() const { return searching_; }

    QLineEdit* textEdit() const { return text_; }
    QCheckBox* channelBox(ChatChannel channel) const;
    QLineEdit* speakerEdit() const { return speaker_; }
    QCheckBox* allDaysBox() const { return allDays_; }
    QDateEdit* fromEdit() const { return from_; }
    QDateEdit* toEdit() const { return to_; }
    QCheckBox* includeNgBox() const { return includeNg_; }
    QLineEdit* folderEdit() const { return folder_; }
    QPushButton* searchButton() const { return searchButton_; }
    // Blocks until the worker has handed over every result of the running
    // search; they are still waiting in the event queue.
    void waitForWorker() { search_.wait(); }
    // The command that lists every result of the search shown.
    QString commandLine() const;
    QPushButton* commandLineButton() const { return commandLineButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* statusLabel() const { return status_; }
    QTreeView* resultsView() const { return results_; }
    const SearchResultsModel& results() const { return *model_; }

  signals:
    // The search ended (completed, cancelled or failed) and the totals are shown.
    void searchFinished();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Relay;

    void buildControls();
    std::optional<SearchQuery> queryFromFields();
    bool isCurrent(std::uint64_t run) const { return run == run_; }
    void searchEnded(const SearchSummary& summary);
    void setRunning(bool running);
    // Cancels the running search and never waits for it: its worker may be
    // blocked in the system.
    void letSearchGo();

    SearchWindowInputs inputs_;
    SearchResultsModel* model_ = nullptr;
    QLineEdit* text_ = nullptr;
    std::array<QCheckBox*, SearchChannels::kPickable.size()> channels_{};
    QLineEdit* speaker_ = nullptr;
    QCheckBox* allDays_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QCheckBox* includeNg_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* commandLineButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTreeView* results_ = nullptr;

    // The search shown: its number, folder and query, for late calls and the day view.
    std::uint64_t run_ = 0;
    bool searching_ = false;
    bool folderOffered_ = false;
    std::filesystem::path runFolder_;
    SearchQuery runQuery_;
    // What the running search reported so far, for a cancel that cannot wait for its totals.
    SearchSummary tally_;
    std::chrono::steady_clock::time_point runStarted_;
    std::shared_ptr<Relay> relay_;
    LogSearch search_;
};

// ファイル > 過去ログ検索: the parent's search window, made on first use, shown
// and brought to the front.
SearchWindow& showSearchWindow(const SearchWindowInputs& inputs);

}  // namespace ruv
