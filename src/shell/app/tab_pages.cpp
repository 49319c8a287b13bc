// The main window's tab control and the widgets on its pages, built once: the
// channel views with their keyword rows, the オリジナル, NGフィルター and
// 経験値情報 pages and the error log.

#include "shell/app/tab_pages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/views/ng_lists.h"
#include "core/vocabulary/channel_table.h"
#include "shell/app/page_control.h"
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

void buildChannelPage(TabPages& t, Tab tab, QWidget* page) {
    const ChatChannel channel = *channelOf(tab);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    t.views[static_cast<std::size_t>(channel)]->setParent(page);
    layout->addWidget(t.views[static_cast<std::size_t>(channel)], 1);
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
    t.keywordRows[static_cast<std::size_t>(channel)] = {box, edit};
    QObject::connect(box, &QCheckBox::toggled, edit,
                     [edit](bool armed) { paintKeywordEdit(edit, armed); });
}

void buildOriginalPage(TabPages& t, QWidget* page) {
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
        t.mixBoxes[static_cast<std::size_t>(channel)] = box;
    }
    boxes->addStretch(1);
    middle->addLayout(boxes);
    ChannelView* mix = t.views[static_cast<std::size_t>(ChatChannel::Original)];
    mix->setParent(page);
    middle->addWidget(mix, 1);
    layout->addLayout(middle, 1);

    QHBoxLayout* row = nullptr;
    layout->addWidget(bottomRow(page, row));
    t.speechSettingsButton = new QPushButton(QStringLiteral("毒電波設定"), page);
    t.speechSettingsButton->setObjectName(QStringLiteral("BouyomiSettingButton01"));
    t.speechSwitch = new QCheckBox(QStringLiteral("毒電波送信"), page);
    t.speechSwitch->setObjectName(QStringLiteral("ChatLogCheckBoxBouyomi"));
    t.readModeList = new QComboBox(page);
    t.readModeList->setObjectName(QStringLiteral("BouyomiComboBox01"));
    t.readModeList->addItems({QStringLiteral("全て読み上げる（ユーザー別発声設定を有効）"),
                              QStringLiteral("全て読み上げる（ユーザー別発声設定を無効）"),
                              QStringLiteral("発声設定したユーザーだけ読み上げる"),
                              QStringLiteral("発声設定したユーザーだけ読み上げない")});
    t.readModeList->setCurrentIndex(0);
    row->addWidget(t.speechSettingsButton);
    row->addWidget(t.speechSwitch);
    row->addWidget(t.readModeList);
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
    t.keywordRows[static_cast<std::size_t>(ChatChannel::Original)] = {box, edit};
}

void buildNgPage(TabPages& t, QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ChannelView* ng = t.views[static_cast<std::size_t>(ChatChannel::NG)];
    ng->setParent(page);
    layout->addWidget(ng, 1);

    QHBoxLayout* row = nullptr;
    layout->addWidget(bottomRow(page, row));
    t.ngSettingsButton = new QPushButton(QStringLiteral("NGフィルター設定画面"), page);
    t.ngSettingsButton->setObjectName(QStringLiteral("NGSettingButton01"));
    t.ngUserSwitch = new QCheckBox(QStringLiteral("NGユーザーを適用"), page);
    t.ngUserSwitch->setObjectName(QStringLiteral("NGCheckBox01"));
    t.ngWordSwitch = new QCheckBox(QStringLiteral("NGワードを適用"), page);
    t.ngWordSwitch->setObjectName(QStringLiteral("NGCheckBox02"));
    row->addWidget(t.ngSettingsButton);
    row->addWidget(t.ngUserSwitch);
    row->addWidget(t.ngWordSwitch);
    row->addStretch(1);
}

void buildExpPage(TabPages& t, QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pages = new QTabWidget(page);
    pages->setObjectName(QStringLiteral("ExpPageControl01"));
    t.expBasicPage = new QWidget;
    t.expBasicPage->setObjectName(QStringLiteral("ExpBasicSheet01"));
    t.expExtendedPage = new QWidget;
    t.expExtendedPage->setObjectName(QStringLiteral("ExpExtendedSheet01"));
    pages->addTab(t.expBasicPage, QStringLiteral("基本情報"));
    pages->addTab(t.expExtendedPage, QStringLiteral("拡張情報"));
    t.expChartPage = new QWidget;
    t.expChartPage->setObjectName(QStringLiteral("ExpChartSheet01"));
    pages->addTab(t.expChartPage, QStringLiteral("グラフ"));
    layout->addWidget(pages);

    t.syncingLabel = new QLabel(QStringLiteral("更新時間の同期中..."), t.expBasicPage);
    t.syncingLabel->setObjectName(QStringLiteral("TimeInLabel01"));
    t.syncingLabel->setTextFormat(Qt::PlainText);
    QPalette palette = t.syncingLabel->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    t.syncingLabel->setPalette(palette);
    t.syncingLabel->move(8, 8);
    t.syncingLabel->hide();
}

}  // namespace

TabPages buildTabPages(QWidget& window) {
    TabPages t;
    t.pageControl = new PageControl(&window);
    t.pageControl->setObjectName(QStringLiteral("PageControl1"));
    t.pageControl->strip()->setDrawBase(true);

    for (const ChannelRow& row : kChannelTable) {
        if (row.view == HasView::No) {
            continue;
        }
        auto* channelView = new ChannelView(&window);
        channelView->setObjectName(viewObjectName(row.channel));
        t.views[static_cast<std::size_t>(row.channel)] = channelView;
    }

    for (int i = 0; i < kTabCount; ++i) {
        const Tab tab = static_cast<Tab>(i);
        auto* page = new QWidget;
        page->setObjectName(pageName(tab));
        switch (tab) {
            case Tab::Original:
                buildOriginalPage(t, page);
                break;
            case Tab::NG:
                buildNgPage(t, page);
                break;
            case Tab::ExpMonitor:
                buildExpPage(t, page);
                break;
            case Tab::ErrorLog: {
                t.errorLog = new QPlainTextEdit(page);
                t.errorLog->setObjectName(QStringLiteral("ErrorLogMemo01"));
                t.errorLog->setLineWrapMode(QPlainTextEdit::NoWrap);
                t.errorLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                t.errorLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                auto* layout = new QVBoxLayout(page);
                layout->setContentsMargins(0, 0, 0, 0);
                layout->addWidget(t.errorLog);
                break;
            }
            case Tab::Debug:
            case Tab::Sounds:
                break;  // storage only
            default:
                buildChannelPage(t, tab, page);
                break;
        }
        const QString caption = fromCp932(plainCaption(tab));
        t.pageControl->addPage(tab, page, caption, visibilityAtDesign(tab));
        // Screen readers name each view after its tab.
        if (const auto channel = ViewOfTab(i)) {
            t.views[static_cast<std::size_t>(*channel)]->setAccessibleName(caption);
        } else if (tab == Tab::ErrorLog) {
            t.errorLog->setAccessibleName(caption);
        }
    }
    t.pageControl->setCurrentTab(Tab::Normal);
    return t;
}

}  // namespace ruv
