#pragma once
// The main window's tab control and the widgets on its pages. The window and
// the state binding act on them; the pages only lay them out.

#include <array>

#include "core/vocabulary/channel_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace ruv {

class ChannelView;
class PageControl;

// A call-sound keyword row: its switch (SCheckBox0N) and text (ChatEdit0N).
struct KeywordRowWidgets {
    QCheckBox* box = nullptr;
    QLineEdit* edit = nullptr;
};

struct TabPages {
    PageControl* pageControl = nullptr;                          // PageControl1
    std::array<ChannelView*, kChannelCount> views{};             // by channel; null: none
    std::array<KeywordRowWidgets, kChannelCount> keywordRows{};  // by channel; null: none
    std::array<QCheckBox*, kChannelCount> mixBoxes{};            // by channel; null: none
    QPlainTextEdit* errorLog = nullptr;                          // ErrorLogMemo01
    QPushButton* speechSettingsButton = nullptr;                 // 毒電波設定
    QCheckBox* speechSwitch = nullptr;                           // 毒電波送信
    QComboBox* readModeList = nullptr;                           // BouyomiComboBox01
    QPushButton* ngSettingsButton = nullptr;                     // NGフィルター設定画面
    QCheckBox* ngUserSwitch = nullptr;                           // NGユーザーを適用
    QCheckBox* ngWordSwitch = nullptr;                           // NGワードを適用
    QWidget* expBasicPage = nullptr;                             // 基本情報
    QWidget* expExtendedPage = nullptr;                          // 拡張情報
    QWidget* expChartPage = nullptr;                             // グラフ
    QLabel* syncingLabel = nullptr;                              // TimeInLabel01
};

// Builds every page into a new tab control, a child of the window, with the
// 通常 tab current. A keyword field greys while its switch is off.
TabPages buildTabPages(QWidget& window);

}  // namespace ruv
