#include "shell/app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "core/vocabulary/channel_table.h"
#include "shell/app/page_control.h"
#include "shell/app/session.h"
#include "shell/app/window_font.h"
#include "shell/exp/hourly_exp_chart.h"
#include "shell/platform/qt_text.h"
#include "shell/speech/speech_hotkeys.h"
#include "shell/speech/speech_status_panel.h"
#include "shell/views/channel_view.h"
#include "shell/views/text_field_accessible.h"
#include "shell/views/text_size_control.h"

namespace ruv {

namespace {

constexpr int kStatusBarHeight = 19;
constexpr int kStatePanelWidth = 60;

std::size_t slot(ChatChannel channel) {
    return static_cast<std::size_t>(channel);
}

Colour toColour(const QColor& colour) {
    return Colour{static_cast<std::uint32_t>(colour.rgb()) & 0xffffffu};
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : MainWindow(AppEnvironment{}, parent) {}

MainWindow::MainWindow(AppEnvironment environment, QWidget* parent)
    : QMainWindow(parent), environment_(std::move(environment)) {
    // Before any widget exists: Qt makes a widget's interface on its first
    // notice, even while no screen reader listens, and keeps it.
    installTextFieldAccessibility();
    setWindowTitle(QStringLiteral("DIrararezuvero"));
    setAttribute(Qt::WA_WindowPropagation);  // menus and dialogs take the window font
    setFont(windowFont());

    expTimer_ = new QTimer(this);
    expTimer_->setObjectName(QStringLiteral("Timer01"));
    expTimer_->setInterval(1000);

    tabs_ = buildTabPages(*this);
    connect(tabs_.pageControl->strip(), &TabStrip::pressed, this,
            &MainWindow::resetUnreadOfCurrentTab);
    connect(tabs_.pageControl, &PageControl::currentTabChanged, this,
            &MainWindow::resetUnreadOfCurrentTab);
    textSize_ = new TextSizeControl(this);
    for (ChannelView* channelView : tabs_.views) {
        if (channelView != nullptr) {
            textSize_->addView(*channelView);
        }
    }
    textSize_->addErrorLog(*tabs_.errorLog);
    buildFrame();
    buildMainMenu();

    // The client area (tabs and status bar) is 502 x 204; the menu bar sits above it.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    applyMinimumOuterSize();

    session_ = std::make_unique<Session>(
        SessionWidgets{*this, *tabs_.pageControl, *tabs_.errorLog, statusPanels_, *activityPanel_,
                       menu_,
                       ExpMonitorControls{*expTimer_, *tabs_.expBasicPage, *tabs_.expExtendedPage,
                                          *tabs_.pageControl->page(Tab::Debug), *tabs_.syncingLabel,
                                          *menu_.rateInStatusBar, menu_.intervals},
                       [this](ChatChannel row) { binding_->showKeyword(row); }},
        environment_);
    auto* chartLayout = new QVBoxLayout(tabs_.expChartPage);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    auto* chart = new HourlyExpChart(session_->expMonitor.hourlyExp(), tabs_.expChartPage);
    chartLayout->addWidget(chart);
    session_->expMonitor.setHourlyChart(chart);
    connectViews();
    // A log that vanished is reported once, until it can be read again.
    connect(&session_->live, &LiveLog::sizeUnavailable, this,
            [this] { messages().show(MessageKind::Plain, fromCp932(kLogSizeUnavailableText)); });
    setUpSpeech();
    bindState();
    connectAttaching();
    buildViewCommands();
    ApplySettingsAtStartup();
}

MainWindow::~MainWindow() = default;

LiveLog& MainWindow::liveLog() {
    return session_->live;
}
NgLists& MainWindow::ngLists() {
    return session_->core.state.ngLists;
}
UserMessages& MainWindow::messages() {
    return session_->messages;
}

void MainWindow::buildFrame() {
    setCentralWidget(tabs_.pageControl);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar01"));
    bar->setFixedHeight(kStatusBarHeight);
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar01Panel%1").arg(i));
        panel->setTextFormat(Qt::PlainText);  // shows paths and figures, never markup
        statusPanels_[i] = panel;
    }
    statusPanels_[0]->setFixedWidth(kStatePanelWidth);
    statusPanels_[0]->setText(QStringLiteral("アタッチ"));
    bar->addWidget(statusPanels_[0]);
    bar->addWidget(statusPanels_[1], 1);
    // Whether the log is alive, at the right end: shown while a log is followed.
    activityPanel_ = new QLabel(bar);
    activityPanel_->setObjectName(QStringLiteral("StatusBar01Activity"));
    activityPanel_->setTextFormat(Qt::PlainText);
    activityPanel_->hide();
    bar->addPermanentWidget(activityPanel_);
    setStatusBar(bar);
}

void MainWindow::applyMinimumOuterSize() {
    QMargins frame;
    if (const QWindow* handle = windowHandle()) {
        frame = handle->frameMargins();
    }
    setMinimumSize(std::max(0, kMinimumOuterWidth - frame.left() - frame.right()),
                   std::max(0, kMinimumOuterHeight - frame.top() - frame.bottom()));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applyMinimumOuterSize();  // the frame is known once the window exists
    applyRestoredOuterSize();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (exitStepsRun_) {
        event->accept();  // closed again as the application quits
        return;
    }
    // The bounds saved at exit are the normal ones; the maximised state is kept apart.
    noteWindowStateAtClose();
    if (isMaximized()) {
        showNormal();
    }
    SaveSettingsAtExit();
    event->accept();
}

// --- Views -------------------------------------------------------------

ChannelView* MainWindow::view(ChatChannel channel) const {
    return tabs_.views[slot(channel)];
}

void MainWindow::connectViews() {
    ChannelBook& book = session_->core.book;
    book.setWindowColour(toColour(QApplication::palette().color(QPalette::Active, QPalette::Base)));
    for (const ChannelRow& row : kChannelTable) {
        if (ChannelView* target = view(row.channel)) {
            target->showLines(book.lines(row.channel));
        }
    }
}

// --- Tabs --------------------------------------------------------------

void MainWindow::setTabShown(Tab tab, TabVisibility visibility) {
    if (!hasFilterEntry(tab)) {
        return;  // the error log stays, the storage tabs are never shown
    }
    const bool shown = visibility == TabVisibility::Shown;
    tabs_.pageControl->setPageShown(tab, visibility);
    menu_.tabs[static_cast<std::size_t>(pageIndex(tab))]->setChecked(shown);
    noteTabShown(tab);
}

bool MainWindow::tabShown(Tab tab) const {
    return tabs_.pageControl->pageShown(tab);
}

Tab MainWindow::activeTab() const {
    return tabs_.pageControl->currentTab().value_or(Tab::Normal);
}

void MainWindow::setActiveTab(Tab tab) {
    tabs_.pageControl->setCurrentTab(tab);
}

PageControl* MainWindow::pageControl() const {
    return tabs_.pageControl;
}

QString MainWindow::caption(Tab tab) const {
    return tabs_.pageControl->caption(tab);
}

void MainWindow::filterEntryClicked(Tab tab, bool checked) {
    tabs_.pageControl->setPageShown(tab, checked ? TabVisibility::Shown : TabVisibility::Hidden);
    noteTabShown(tab);
    if (checked) {
        tabs_.pageControl->setCurrentTab(tab);
    }
}

void MainWindow::resetUnreadOfCurrentTab() {
    const std::optional<Tab> current = tabs_.pageControl->currentTab();
    if (const auto tab = current ? tabResetByPress(pageIndex(*current)) : std::nullopt) {
        session_->core.unread.reset(*tab);
    }
}

void MainWindow::noteTabShown(Tab tab) {
    if (const std::optional<ChatChannel> channel = channelOf(tab); channel && session_) {
        session_->core.state.route.SetTabShown(*channel, tabShown(tab));
    }
}

// --- Keyword rows, mix and NG switches ---------------------------------

std::string MainWindow::keyword(ChatChannel channel) const {
    const CallKeyword& row = session_->core.state.route.keyword(channel);
    return row.armed ? row.text : std::string{};
}

void MainWindow::setKeywordArmed(ChatChannel channel, KeywordSwitch state) {
    if (QCheckBox* box = tabs_.keywordRows[slot(channel)].box) {
        box->setChecked(state == KeywordSwitch::On);
    }
}

QCheckBox* MainWindow::keywordCheckBox(ChatChannel channel) const {
    return tabs_.keywordRows[slot(channel)].box;
}

QLineEdit* MainWindow::keywordEdit(ChatChannel channel) const {
    return tabs_.keywordRows[slot(channel)].edit;
}

QCheckBox* MainWindow::mixCheckBox(ChatChannel channel) const {
    return tabs_.mixBoxes[slot(channel)];
}

// --- Status bar --------------------------------------------------------

void MainWindow::setStatusText(StatusPanel panel, const QString& text) {
    statusPanels_[static_cast<std::size_t>(panel)]->setText(text);
}

QString MainWindow::statusText(StatusPanel panel) const {
    return statusPanels_[static_cast<std::size_t>(panel)]->text();
}

}  // namespace ruv
