#include "shell/search/search_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <mutex>

#include "core/lines/chat_format.h"
#include "core/log/search_ng_filter.h"
#include "core/search/no_result_reason.h"
#include "core/search/search_result_line.h"
#include "core/text/cp932.h"
#include "core/vocabulary/channel_table.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/screen_fit.h"
#include "shell/search/day_log_window.h"
#include "shell/search/search_results_model.h"
#include "shell/views/cp932_input.h"
#include "shell/views/text_size_control.h"

namespace ruv {

// Hands each call of the search's worker thread on to the window's thread,
// tagged with the run it belongs to; the window ignores calls of older runs.
// The worker holds the relay; once the window lets a search go (中止, a new
// search, closing) the relay is detached and hands on nothing more.
class SearchWindow::Relay final : public SearchListener {
  public:
    Relay(SearchWindow& window, std::uint64_t run, std::int64_t maxListed)
        : window_(&window), run_(run), maxListed_(maxListed) {}

    void detach() {
        const std::lock_guard lock(mutex_);
        window_ = nullptr;
    }

    void started(SearchProgress progress) override {
        post([progress](SearchWindow& window) {
            // No day to read: the search ends at once, and the bar with it.
            if (progress.daysToRead > 0) {
                window.progress_->setRange(0, static_cast<int>(progress.daysToRead));
                window.progress_->setValue(0);
            }
        });
    }
    void dayHits(CivilDate day, std::span<const SearchHit> hits) override {
        // Rows past the window's bound are never made: only their number goes.
        const auto room = static_cast<std::size_t>(std::max<std::int64_t>(0, maxListed_ - made_));
        const std::size_t listed = std::min(hits.size(), room);
        std::vector<ResultRow> rows;
        rows.reserve(listed);
        for (const SearchHit& hit : hits.first(listed)) {
            rows.push_back({ResultRowKind::Result, day, searchResultRow(hit), hit.colour, 0,
                            hit.lineStart, searchResultLine(day, hit, ChannelNaming::TabCaption)});
        }
        made_ += static_cast<std::int64_t>(listed);
        const auto unlisted = static_cast<std::int64_t>(hits.size() - listed);
        post([day, unlisted, rows = std::move(rows)](SearchWindow& window) mutable {
            window.model_->appendResults(day, std::move(rows));
            window.model_->countUnlisted(day, unlisted);
        });
    }
    void dayDone(CivilDate, std::int64_t matches) override {
        post([matches](SearchWindow& window) {
            ++window.tally_.daysRead;
            window.tally_.daysWithMatches += matches > 0 ? 1 : 0;
        });
    }
    void daySkipped(const SkippedDay& skipped) override {
        const QString reason = skipped.reason == SkipReason::NotAChatLog
                                   ? QStringLiteral("チャットログではありません")
                                   : QStringLiteral("読めません: %1")
                                         .arg(QString::fromLocal8Bit(skipped.error.message()));
        const QString text = QStringLiteral("%1 スキップ (%2): %3")
                                 .arg(QString::fromStdString(logDayText(skipped.day)),
                                      toQString(skipped.path.filename()), reason);
        post([day = skipped.day, text](SearchWindow& window) {
            ++window.tally_.daysSkipped;
            window.model_->appendSkipped(day, toCp932(text).value_or(std::string()));
        });
    }
    void progressed(SearchProgress progress) override {
        post([progress](SearchWindow& window) {
            window.progress_->setValue(static_cast<int>(progress.daysDone));
        });
    }
    void finished(const SearchSummary& summary) override {
        post([summary](SearchWindow& window) { window.searchEnded(summary); });
    }

  private:
    template <typename Call>
    void post(Call&& call) {
        // Under the lock the window cannot go: it detaches before it is destroyed.
        const std::lock_guard lock(mutex_);
        if (window_ == nullptr) {
            return;
        }
        QMetaObject::invokeMethod(
            window_,
            [window = window_, run = run_, call = std::forward<Call>(call)]() mutable {
                if (window->isCurrent(run)) {
                    call(*window);
                }
            },
            Qt::QueuedConnection);
    }

    std::mutex mutex_;
    SearchWindow* window_;
    const std::uint64_t run_;
    const std::int64_t maxListed_;
    std::int64_t made_ = 0;  // result rows made, on the worker thread
};

namespace {

// A local folder, the one thing a drag carries; none otherwise.
std::optional<QString> droppedFolder(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().constFirst().isLocalFile()) {
        return std::nullopt;
    }
    const QString path = data->urls().constFirst().toLocalFile();
    return QFileInfo(path).isDir() ? std::optional<QString>(QDir::toNativeSeparators(path))
                                   : std::nullopt;
}

bool carriesFiles(const QMimeData* data) {
    return data != nullptr && data->hasUrls();
}

QString reasonText(NoResultReason reason, const SearchSummary& summary) {
    switch (reason) {
        case NoResultReason::EmptyText:
            return QStringLiteral("検索する文字が空です");
        case NoResultReason::NoChannel:
            return QStringLiteral("チャンネルがひとつも選ばれていません");
        case NoResultReason::ReversedRange:
            return QStringLiteral("期間の始まりが終わりより後です");
        case NoResultReason::NoDailyLog:
            return QStringLiteral(
                "フォルダーに日ごとのログ (MHChatLog_yyyy_mm_dd.html) がありません");
        case NoResultReason::NoDayInRange:
            return QStringLiteral("期間内の日ごとのログがありません");
        case NoResultReason::LeftOutByNg:
            return QStringLiteral("一致した%1行はNGで隠れています。「NGも含める」で表示できます")
                .arg(summary.linesLeftOutByNg);
    }
    return {};
}

// The row the keyboard is on, framed while the list has the focus: on the
// black list the style's own focus mark is hard to see.
class FocusedRowFrame final : public QStyledItemDelegate {
  public:
    explicit FocusedRowFrame(QTreeView& list) : QStyledItemDelegate(&list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (index != list_.currentIndex() || !list_.hasFocus()) {
            return;
        }
        painter->save();
        painter->setPen(QPen(QColor(255, 210, 0), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }

  private:
    QTreeView& list_;
};

bool isEnterKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

QString quotedArgument(const QString& argument) {
    QString quoted = argument;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

SearchWindow::SearchWindow(SearchWindowInputs inputs)
    : QWidget(inputs.parent, Qt::Window), inputs_(std::move(inputs)) {
    setObjectName(QStringLiteral("SearchWindow"));
    // The main window's font, whose Japanese face shows 0x5C as the views do.
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(QStringLiteral("過去ログ検索"));
    resize(760, 520);
    model_ = new SearchResultsModel(this);
    buildControls();
    setRunning(false);
}

SearchWindow::~SearchWindow() {
    letSearchGo();
}

void SearchWindow::letSearchGo() {
    if (relay_) {
        relay_->detach();
        relay_.reset();
    }
    search_.abandon();
}

void SearchWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    layout->addLayout(form);

    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("SearchText"));
    form->addRow(QStringLiteral("検索する文字"), text_);

    auto* channelsRow = new QHBoxLayout();
    for (std::size_t i = 0; i < SearchChannels::kPickable.size(); ++i) {
        const ChatChannel channel = SearchChannels::kPickable[i];
        const std::string_view caption = channelRow(channel).caption->utf8();
        channels_[i] = new QCheckBox(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), this);
        channels_[i]->setChecked(true);
        channelsRow->addWidget(channels_[i]);
    }
    channelsRow->addStretch();
    form->addRow(QStringLiteral("チャンネル"), channelsRow);

    speaker_ = new QLineEdit(this);
    speaker_->setObjectName(QStringLiteral("SearchSpeaker"));
    form->addRow(QStringLiteral("発言者"), speaker_);

    auto* daysRow = new QHBoxLayout();
    allDays_ = new QCheckBox(QStringLiteral("全期間"), this);
    allDays_->setChecked(true);
    from_ = new QDateEdit(QDate::currentDate(), this);
    to_ = new QDateEdit(QDate::currentDate(), this);
    // The days stay editable: a day typed or picked asks for the range.
    for (QDateEdit* edit : {from_, to_}) {
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setCalendarPopup(true);
        connect(edit, &QDateEdit::dateChanged, this, [this] { allDays_->setChecked(false); });
        // A click selects the part under it, so digits typed next replace it,
        // as a date picker of Windows takes them.
        if (auto* field = edit->findChild<QLineEdit*>()) {
            field->installEventFilter(this);
        }
    }
    daysRow->addWidget(allDays_);
    daysRow->addWidget(from_);
    daysRow->addWidget(new QLabel(QStringLiteral("～"), this));
    daysRow->addWidget(to_);
    daysRow->addStretch();
    includeNg_ = new QCheckBox(QStringLiteral("NGも含める"), this);
    daysRow->addWidget(includeNg_);
    form->addRow(QStringLiteral("期間"), daysRow);

    auto* folderRow = new QHBoxLayout();
    folder_ = new QLineEdit(this);
    folder_->setObjectName(QStringLiteral("SearchFolder"));
    auto* browse = new QPushButton(QStringLiteral("参照..."), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QString(), folder_->text());
        if (!chosen.isEmpty()) {
            folder_->setText(chosen);
        }
    });
    // Files dropped on the window's fields never type their address; a folder
    // dropped on the folder field fills it.
    for (QLineEdit* field : {text_, speaker_, folder_}) {
        field->installEventFilter(this);
    }
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    form->addRow(QStringLiteral("フォルダー"), folderRow);

    auto* commandRow = new QHBoxLayout();
    searchButton_ = new QPushButton(QStringLiteral("検索"), this);
    searchButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("中止"), this);
    copyButton_ = new QPushButton(QStringLiteral("コピー"), this);
    // Shown only while a search runs; its place is kept meanwhile.
    progress_ = new QProgressBar(this);
    progress_->setFormat(QStringLiteral("%v / %m 日"));
    QSizePolicy keepPlace = progress_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keepPlace);
    connect(searchButton_, &QPushButton::clicked, this, &SearchWindow::startSearch);
    connect(text_, &QLineEdit::returnPressed, this, &SearchWindow::startSearch);
    connect(speaker_, &QLineEdit::returnPressed, this, &SearchWindow::startSearch);
    connect(cancelButton_, &QPushButton::clicked, this, &SearchWindow::cancelSearch);
    connect(copyButton_, &QPushButton::clicked, this, &SearchWindow::copySelection);
    commandLineButton_ = new QPushButton(QStringLiteral("コマンドラインをコピー"), this);
    commandLineButton_->setVisible(false);
    connect(commandLineButton_, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(commandLine()); });
    commandRow->addWidget(searchButton_);
    commandRow->addWidget(cancelButton_);
    commandRow->addWidget(progress_, 1);
    commandRow->addWidget(copyButton_);
    commandRow->addWidget(commandLineButton_);
    layout->addLayout(commandRow);

    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    layout->addWidget(status_);

    // A tree view without branches: with uniform row heights it lays out only
    // the rows in sight, however many results arrive.
    results_ = new QTreeView(this);
    results_->setObjectName(QStringLiteral("SearchResults"));
    results_->setModel(model_);
    results_->setUniformRowHeights(true);
    results_->setRootIsDecorated(false);
    results_->setItemsExpandable(false);
    results_->setHeaderHidden(true);
    results_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setTextElideMode(Qt::ElideNone);
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette palette = results_->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::white);
    results_->setPalette(palette);
    results_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(results_, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("コピー(&C)"), this, &SearchWindow::copySelection);
        menu.exec(results_->viewport()->mapToGlobal(at));
    });
    connect(results_, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { showResultInDay(index.row()); });
    // Enter and keypad Enter open the day as a double-click does.
    results_->installEventFilter(this);
    results_->setItemDelegate(new FocusedRowFrame(*results_));
    auto* copyKey = new QShortcut(QKeySequence::Copy, results_);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, &SearchWindow::copySelection);
    layout->addWidget(results_, 1);
    if (inputs_.textSize != nullptr) {
        inputs_.textSize->addList(*results_);
    }
}

QCheckBox* SearchWindow::channelBox(ChatChannel channel) const {
    for (std::size_t i = 0; i < SearchChannels::kPickable.size(); ++i) {
        if (SearchChannels::kPickable[i] == channel) {
            return channels_[i];
        }
    }
    return nullptr;
}

void SearchWindow::showEvent(QShowEvent* event) {
    if (!folderOffered_ && inputs_.defaultFolder) {
        folderOffered_ = true;
        folder_->setText(toQString(inputs_.defaultFolder()));
    }
    QWidget::showEvent(event);
}

void SearchWindow::closeEvent(QCloseEvent* event) {
    cancelSearch();
    QWidget::closeEvent(event);
}

void SearchWindow::keyPressEvent(QKeyEvent* event) {
    // Escape closes the window from any of its fields the key reaches.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == results_ && type == QEvent::KeyPress &&
        isEnterKey(static_cast<const QKeyEvent&>(*event))) {
        showResultInDay(results_->currentIndex().row());
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        for (QDateEdit* edit : {from_, to_}) {
            if (watched->parent() == edit) {
                edit->setSelectedSection(edit->currentSection());
            }
        }
        return QWidget::eventFilter(watched, event);
    }
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QWidget::eventFilter(watched, event);
    }
    auto& drop = static_cast<QDropEvent&>(*event);
    if (!carriesFiles(drop.mimeData())) {
        return QWidget::eventFilter(watched, event);  // text still lands in the field
    }
    const std::optional<QString> folder =
        watched == folder_ ? droppedFolder(drop.mimeData()) : std::nullopt;
    if (!folder) {
        drop.ignore();
        return true;
    }
    drop.acceptProposedAction();
    if (type == QEvent::Drop) {
        folder_->setText(*folder);
    }
    return true;
}

QString SearchWindow::commandLine() const {
    QStringList words{QStringLiteral("mh_ruvivuvaz-cli"), QStringLiteral("search"),
                      quotedArgument(fromCp932(runQuery_.text)),
                      quotedArgument(toQString(runFolder_))};
    QStringList channels;
    for (const ChatChannel channel : SearchChannels::kPickable) {
        if (runQuery_.channels.ticked(channel)) {
            channels.push_back(QString::fromLatin1(settingsKey(channel)));
        }
    }
    if (channels.size() < static_cast<qsizetype>(SearchChannels::kPickable.size())) {
        words << QStringLiteral("--channel") << channels.join(QLatin1Char(','));
    }
    if (runQuery_.speaker) {
        words << QStringLiteral("--speaker") << quotedArgument(fromCp932(*runQuery_.speaker));
    }
    if (runQuery_.from && runQuery_.to) {
        words << QStringLiteral("--from") << QString::fromStdString(logDayText(*runQuery_.from))
              << QStringLiteral("--to") << QString::fromStdString(logDayText(*runQuery_.to));
    }
    words << QStringLiteral("--settings") << quotedArgument(QCoreApplication::applicationDirPath());
    if (runQuery_.ng.lines == NgLines::Included) {
        words << QStringLiteral("--include-ng");
    }
    return words.join(QLatin1Char(' '));
}

std::optional<SearchQuery> SearchWindow::queryFromFields() {
    const auto refused = [this](const QString& character) {
        status_->setText(QStringLiteral("Shift-JIS にない文字は検索できません: %1").arg(character));
        return std::nullopt;
    };
    SearchQuery query;
    const Cp932Input text = cp932Input(text_->text());
    if (!text.bytes) {
        return refused(text.refused);
    }
    query.text = *text.bytes;
    if (!speaker_->text().isEmpty()) {
        const Cp932Input speaker = cp932Input(speaker_->text());
        if (!speaker.bytes) {
            return refused(speaker.refused);
        }
        query.speaker = *speaker.bytes;
    }
    for (std::size_t i = 0; i < SearchChannels::kPickable.size(); ++i) {
        query.channels.tick(SearchChannels::kPickable[i], channels_[i]->isChecked());
    }
    if (!allDays_->isChecked()) {
        const auto day = [](const QDate& date) {
            return CivilDate{date.year(), date.month(), date.day()};
        };
        query.from = day(from_->date());
        query.to = day(to_->date());
    }
    query.ng = ngFilterOf(inputs_.switches, inputs_.ngLists);
    query.ng.lines = includeNg_->isChecked() ? NgLines::Included : NgLines::LeftOut;
    return query;
}

void SearchWindow::startSearch() {
    std::optional<SearchQuery> query = queryFromFields();
    if (!query) {
        return;
    }
    letSearchGo();
    ++run_;
    runFolder_ = pathFromQString(folder_->text());
    runQuery_ = *query;
    model_->clear();
    tally_ = SearchSummary{};
    runStarted_ = std::chrono::steady_clock::now();
    progress_->setRange(0, 0);  // busy until the days to read are known
    status_->setText(QStringLiteral("検索中…"));
    commandLineButton_->setVisible(false);
    relay_ = std::make_shared<Relay>(*this, run_, model_->maxListed());
    setRunning(true);
    search_.start(SearchRun{runFolder_, std::move(*query)}, relay_);
}

void SearchWindow::cancelSearch() {
    if (!searching_) {
        return;
    }
    // At once, even when the search waits on a read that never returns: what
    // it found so far stays, and nothing more of it is shown.
    letSearchGo();
    SearchSummary summary = tally_;
    summary.end = SearchEnd::Cancelled;
    summary.matches = model_->resultCount();
    summary.elapsed = std::chrono::steady_clock::now() - runStarted_;
    searchEnded(summary);
}

void SearchWindow::setRunning(bool running) {
    searching_ = running;
    cancelButton_->setEnabled(running);
    progress_->setVisible(running);
}

void SearchWindow::searchEnded(const SearchSummary& summary) {
    setRunning(false);
    const double seconds = std::chrono::duration<double>(summary.elapsed).count();
    QString text;
    switch (summary.end) {
        case SearchEnd::FolderUnreadable:
            text = QStringLiteral("フォルダーを読めません: %1")
                       .arg(QString::fromLocal8Bit(summary.folderError.message()));
            break;
        case SearchEnd::Cancelled:
        case SearchEnd::Completed:
            text =
                QStringLiteral("%1%2件 (%3日)、%4日を検索、%5秒")
                    .arg(summary.end == SearchEnd::Cancelled ? QStringLiteral("中止: ") : QString())
                    .arg(summary.matches)
                    .arg(summary.daysWithMatches)
                    .arg(summary.daysRead)
                    .arg(seconds, 0, 'f', 2);
            if (summary.daysSkipped > 0) {
                text += QStringLiteral("、%1日スキップ").arg(summary.daysSkipped);
            }
            if (model_->unlistedCount() > 0) {
                text +=
                    QStringLiteral("。表示は先頭の%1件までです。残りはコマンドラインで検索できます")
                        .arg(model_->listedCount());
                commandLineButton_->setVisible(true);
            }
            break;
    }
    if (const auto reason = noResultReason(runQuery_, summary)) {
        text = QStringLiteral("0件: ") + reasonText(*reason, summary);
    }
    status_->setText(text);
    emit searchFinished();
}

void SearchWindow::copySelection() {
    std::vector<int> rows;
    for (const QModelIndex& index : results_->selectionModel()->selectedIndexes()) {
        rows.push_back(index.row());
    }
    const std::vector<std::string> lines = model_->resultLines(std::move(rows));
    if (lines.empty()) {
        return;
    }
    QStringList text;
    for (const std::string& line : lines) {
        text.push_back(fromCp932(line));
    }
    QApplication::clipboard()->setText(text.join(QLatin1Char('\n')));
}

DayLogWindow* SearchWindow::showResultInDay(int row) {
    if (row < 0 || row >= model_->rowCount() || model_->row(row).kind != ResultRowKind::Result) {
        return nullptr;
    }
    const ResultRow& result = model_->row(row);
    auto* day = new DayLogWindow(this);
    if (inputs_.textSize != nullptr) {
        inputs_.textSize->addView(*day->view());
    }
    keepOnScreen(*day);
    day->show();
    day->showResult(runFolder_ / dailyLogName(result.day.year, result.day.month, result.day.day),
                    runQuery_, result.lineStart);
    return day;
}

SearchWindow& showSearchWindow(const SearchWindowInputs& inputs) {
    auto* window = inputs.parent == nullptr ? nullptr
                                            : inputs.parent->findChild<SearchWindow*>(
                                                  QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new SearchWindow(inputs);
        keepOnScreen(*window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

}  // namespace ruv
