#pragma once
// The widgets and menu entries the EXP monitor drives, handed to it by the
// window that builds them.

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <array>

#include "core/exp/exp_stats.h"

namespace ruv {

// One entry of 時給更新時間の設定.
struct IntervalEntry {
    IntervalItem item;
    QAction* action = nullptr;
};

struct ExpMonitorControls {
    QTimer& tickTimer;
    QWidget& basicPage;     // 基本情報
    QWidget& extendedPage;  // 拡張情報
    QWidget& storagePage;   // the labels kept out of sight
    QLabel& syncingLabel;   // 更新時間の同期中...
    QAction& rateInStatusBar;
    std::array<IntervalEntry, 6> intervals;
};

}  // namespace ruv
