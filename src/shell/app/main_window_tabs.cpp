// The tab control of the main window: pages, views, keyword rows, the
// オリジナル, NGフィルター and 経験値情報 pages, and the tab handlers.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/views/ng_lists.h"
#include "core/vocabulary/channel_table.h"
#include "shell/app/main_window.h"
#include "shell/app/page_control.h"
#include "shell/app/session.h"
#include "shell/platform/cp932_validator.h"
#include "shell/platform/qt_text.h"
#include "shell/views/channel_view.h"

namespace ruv {

namespace {

QString twoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

// RichEdit0N, N the channel's slot number; 戦闘情報 and システム are 07 and 08.
QString viewObjectName(ChatChannel channel) {
    switch (channel) {
        case ChatChannel::NG:
            return QStringLiteral("NGRichEdit01");
        case ChatChannel::Battle:
            return QStringLiteral("RichEdit07");
        case ChatChannel::System:
            return QStringLiteral("RichEdit08");
        default:
            return QStringLiteral("RichEdit") +
                   twoDigits(channelRow(channel).callSoundSlot.value_or(0));
    }
}

QString pageName(Tab tab) {
    if (pageIndex(tab) >= pageIndex(Tab::ErrorLog)) {
        return QStringLiteral("TabSheetSystem0%1")
            .arg(pageIndex(tab) - pageIndex(Tab::ErrorLog) + 1);
    }
    return QStringLiteral("TabSheet%1").arg(pageIndex(tab) + 1);
}

QWidget* bottomRow(QWidget* parent, QHBoxLayout*& row) {
    auto* holder = new QWidget(parent);
    row = new QHBoxLayout(holder);
    row->setContentsMargins(2, 2, 2, 2);
    return holder;
}

// The keyword text box's background: the window colour while armed, the
// 3D-light colour while disabled.
void paintKeywordEdit(QLineEdit* edit, bool armed) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     QApplication::palette().color(armed ? QPalette::Base : QPalette::Midlight));
    edit->setPalette(palette);
    edit->setEnabled(armed);
}

}  // namespace

void MainWindow::buildTabs() {
    pageControl_ = new PageControl(this);
    pageControl_->setObjectName(QStringLiteral("PageControl1"));
    pageControl_->strip()->setDrawBase(true);

    for (const ChannelRow& row : kChannelTable) {
        if (row.view == HasView::No) {
            continue;
        }
        auto* channelView = new ChannelView(this);
        channelView->setObjectName(viewObjectName(row.channel));
        views_[static_cast<std::size_t>(row.channel)] = channelView;
    }

    for (int i = 0; i < kTabCount; ++i) {
        const Tab tab = static_cast<Tab>(i);
        auto* page = new QWidget;
        page->setObjectName(pageName(tab));
        pages_[static_cast<std::size_t>(i)] = page;
        switch (tab) {
            case Tab::Original:
                buildOriginalPage(page);
                break;
            case Tab::NG:
                buildNgPage(page);
                break;
            case Tab::ExpMonitor:
                buildExpPage(page);
                break;
            case Tab::ErrorLog: {
                errorLog_ = new QPlainTextEdit(page);
                errorLog_->setObjectName(QStringLiteral("ErrorLogMemo01"));
                errorLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
                errorLog_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                errorLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                auto* layout = new QVBoxLayout(page);
                layout->setContentsMargins(0, 0, 0, 0);
                layout->addWidget(errorLog_);
                break;
            }
            case Tab::Debug:
            case Tab::Sounds:
                break;  // storage only
            default:
                buildChannelPage(tab, page);
                break;
        }
        const QString caption = fromCp932(plainCaption(tab));
        pageControl_->addPage(tab, page, caption, visibilityAtDesign(tab));
        // Screen readers name each view after its tab.
        if (const auto channel = ViewOfTab(i)) {
            views_[static_cast<std::size_t>(*channel)]->setAccessibleName(caption);
        } else if (tab == Tab::ErrorLog) {
            errorLog_->setAccessibleName(caption);
        }
    }
    pageControl_->setCurrentTab(Tab::Normal);
    connect(pageControl_->strip(), &TabStrip::pressed, this, &MainWindow::resetUnreadOfCurrentTab);
    connect(pageControl_, &PageControl::currentTabChanged, this,
            &MainWindow::resetUnreadOfCurrentTab);
}

void MainWindow::buildChannelPage(Tab tab, QWidget* page) {
    const ChatChannel channel = *channelOf(tab);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    views_[static_cast<std::size_t>(channel)]->setParent(page);
    layout->addWidget(views_[static_cast<std::size_t>(channel)], 1);
    const auto slot = channelRow(channel).callSoundSlot;
    if (!slot) {
        return;  // no call sound, so no keyword row
    }

    QHBoxLayout* row = nullptr;
    layout->addWidget(bottomRow(page, row));
    const QString number = twoDigits(*slot);
    auto* box = new QCheckBox(page);
    box->setObjectName(QStringLiteral("SCheckBox") + number);
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QStringLiteral("ChatEdit") + number);
    edit->setValidator(new Cp932Validator(edit));
    paintKeywordEdit(edit, false);
    row->addWidget(box);
    row->addWidget(edit, 1);
    keywordRows_[static_cast<std::size_t>(channel)] = {box, edit};
    connect(box, &QCheckBox::toggled, this, [this, channel] { keywordBoxClicked(channel); });
}

void MainWindow::buildOriginalPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* middle = new QHBoxLayout;
    auto* boxes = new QVBoxLayout;
    boxes->setContentsMargins(2, 2, 2, 2);
    for (const ChatChannel channel : kMixChannels) {
        auto* box = new QCheckBox(fromCp932(plainCaption(tabOf(channel))), page);
        box->setObjectName(QStringLiteral("ChatLogCheckBox%1")
                               .arg(pageIndex(tabOf(channel)) + 1, 2, 10, QChar('0')));
        boxes->addWidget(box);
        mixBoxes_[static_cast<std::size_t>(channel)] = box;
    }
    boxes->addStretch(1);
    middle->addLayout(boxes);
    ChannelView* mix = views_[static_cast<std::size_t>(ChatChannel::Original)];
    mix->setParent(page);
    middle->addWidget(mix, 1);
    layout->addLayout(middle, 1);

    QHBoxLayout* row = nullptr;
    layout->addWidget(bottomRow(page, row));
    speechSettingsButton_ = new QPushButton(QStringLiteral("毒電波設定"), page);
    speechSettingsButton_->setObjectName(QStringLiteral("BouyomiSettingButton01"));
    speechSwitch_ = new QCheckBox(QStringLiteral("毒電波送信"), page);
    speechSwitch_->setObjectName(QStringLiteral("ChatLogCheckBoxBouyomi"));
    readModeList_ = new QComboBox(page);
    readModeList_->setObjectName(QStringLiteral("BouyomiComboBox01"));
    readModeList_->addItems({QStringLiteral("全て読み上げる（ユーザー別発声設定を有効）"),
                             QStringLiteral("全て読み上げる（ユーザー別発声設定を無効）"),
                             QStringLiteral("発声設定したユーザーだけ読み上げる"),
                             QStringLiteral("発声設定したユーザーだけ読み上げない")});
    readModeList_->setCurrentIndex(0);
    row->addWidget(speechSettingsButton_);
    row->addWidget(speechSwitch_);
    row->addWidget(readModeList_);
    row->addStretch(1);

    // The オリジナル call sound's switch and keyword exist but stay hidden and off.
    auto* box = new QCheckBox(page);
    box->setObjectName(QStringLiteral("SCheckBox09"));
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QStringLiteral("ChatEdit09"));
    box->setEnabled(false);
    edit->setEnabled(false);
    box->hide();
    edit->hide();
    keywordRows_[static_cast<std::size_t>(ChatChannel::Original)] = {box, edit};
}

void MainWindow::buildNgPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ChannelView* ng = views_[static_cast<std::size_t>(ChatChannel::NG)];
    ng->setParent(page);
    layout->addWidget(ng, 1);

    QHBoxLayout* row = nullptr;
    layout->addWidget(bottomRow(page, row));
    ngSettingsButton_ = new QPushButton(QStringLiteral("NGフィルター設定画面"), page);
    ngSettingsButton_->setObjectName(QStringLiteral("NGSettingButton01"));
    ngUserSwitch_ = new QCheckBox(QStringLiteral("NGユーザーを適用"), page);
    ngUserSwitch_->setObjectName(QStringLiteral("NGCheckBox01"));
    ngWordSwitch_ = new QCheckBox(QStringLiteral("NGワードを適用"), page);
    ngWordSwitch_->setObjectName(QStringLiteral("NGCheckBox02"));
    row->addWidget(ngSettingsButton_);
    row->addWidget(ngUserSwitch_);
    row->addWidget(ngWordSwitch_);
    row->addStretch(1);
}

void MainWindow::buildExpPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pages = new QTabWidget(page);
    pages->setObjectName(QStringLiteral("ExpPageControl01"));
    expBasicPage_ = new QWidget;
    expBasicPage_->setObjectName(QStringLiteral("ExpBasicSheet01"));
    expExtendedPage_ = new QWidget;
    expExtendedPage_->setObjectName(QStringLiteral("ExpExtendedSheet01"));
    pages->addTab(expBasicPage_, QStringLiteral("基本情報"));
    pages->addTab(expExtendedPage_, QStringLiteral("拡張情報"));
    expChartPage_ = new QWidget;
    expChartPage_->setObjectName(QStringLiteral("ExpChartSheet01"));
    pages->addTab(expChartPage_, QStringLiteral("グラフ"));
    layout->addWidget(pages);

    syncingLabel_ = new QLabel(QStringLiteral("更新時間の同期中..."), expBasicPage_);
    syncingLabel_->setObjectName(QStringLiteral("TimeInLabel01"));
    syncingLabel_->setTextFormat(Qt::PlainText);
    QPalette palette = syncingLabel_->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    syncingLabel_->setPalette(palette);
    syncingLabel_->move(8, 8);
    syncingLabel_->hide();
}

// --- Tab handlers --------------------------------------------------------

void MainWindow::filterEntryClicked(Tab tab, bool checked) {
    pageControl_->setPageShown(tab, checked ? TabVisibility::Shown : TabVisibility::Hidden);
    noteTabShown(tab);
    if (checked) {
        pageControl_->setCurrentTab(tab);
    }
}

void MainWindow::resetUnreadOfCurrentTab() {
    const std::optional<Tab> current = pageControl_->currentTab();
    if (const auto tab = current ? tabResetByPress(pageIndex(*current)) : std::nullopt) {
        session_->core.unread.reset(*tab);
    }
}

void MainWindow::keywordBoxClicked(ChatChannel channel) {
    const KeywordRowWidgets& row = keywordRows_[static_cast<std::size_t>(channel)];
    paintKeywordEdit(row.edit, row.box->isChecked());
}

// --- Routing's switches ----------------------------------------------------

void MainWindow::noteTabShown(Tab tab) {
    if (const std::optional<ChatChannel> channel = channelOf(tab); channel && session_) {
        session_->core.state.route.SetTabShown(*channel, tabShown(tab));
    }
}

}  // namespace ruv
