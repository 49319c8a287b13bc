// 過去ログで試す in the rules dialog: the rules as they stand, over the last
// seven days of the log folder, on a worker; per rule its hits (and the
// timers it would start), its first lines and its cost per thousand lines,
// the costliest in bold.

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "core/rules/rule_trial.h"
#include "shell/platform/qt_text.h"
#include "shell/rules/rule_trial_runner.h"
#include "shell/rules/rules_dialog.h"

namespace ruv {

namespace {

constexpr int kTrialDays = 7;

enum TrialColumn { RuleColumn, HitsColumn, CostColumn };

QString utf8Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString trialCostText(std::chrono::nanoseconds perThousandLines) {
    const double micro = static_cast<double>(perThousandLines.count()) / 1000.0;
    if (micro >= 1000.0) {
        return QStringLiteral("%1 ms").arg(micro / 1000.0, 0, 'f', 2);
    }
    return QStringLiteral("%1 µs").arg(micro, 0, 'f', micro < 10.0 ? 2 : 1);
}

QWidget* RulesDialog::buildTrialArea() {
    auto* box = new QGroupBox(QStringLiteral("過去ログで試す"), this);
    auto* layout = new QVBoxLayout(box);
    auto* controls = new QHBoxLayout;
    tryButton_ = new QPushButton(QStringLiteral("過去ログで試す"), box);
    tryButton_->setObjectName(QStringLiteral("RulesTry"));
    stopButton_ = new QPushButton(QStringLiteral("中止"), box);
    stopButton_->setObjectName(QStringLiteral("RulesTryStop"));
    stopButton_->setEnabled(false);
    progress_ = new QProgressBar(box);
    progress_->setObjectName(QStringLiteral("RulesTryProgress"));
    progress_->setRange(0, kTrialDays);
    progress_->setValue(0);
    progress_->setFormat(QStringLiteral("%v / %m 日"));
    controls->addWidget(tryButton_);
    controls->addWidget(stopButton_);
    controls->addWidget(progress_, 1);
    layout->addLayout(controls);

    trialSummary_ = new QLabel(
        QStringLiteral("ログフォルダーの直近%1日分で、いまのルールを試します。").arg(kTrialDays),
        box);
    trialSummary_->setObjectName(QStringLiteral("RulesTrySummary"));
    layout->addWidget(trialSummary_);

    trialResults_ = new QTreeWidget(box);
    trialResults_->setObjectName(QStringLiteral("RulesTryResults"));
    trialResults_->setColumnCount(3);
    trialResults_->setHeaderLabels({QStringLiteral("ルール / 最初の行"), QStringLiteral("件数"),
                                    QStringLiteral("1000行あたり")});
    trialResults_->header()->setStretchLastSection(false);
    trialResults_->header()->setSectionResizeMode(RuleColumn, QHeaderView::Stretch);
    trialResults_->header()->setSectionResizeMode(HitsColumn, QHeaderView::ResizeToContents);
    trialResults_->header()->setSectionResizeMode(CostColumn, QHeaderView::ResizeToContents);
    layout->addWidget(trialResults_);

    connect(tryButton_, &QPushButton::clicked, this, &RulesDialog::startTrial);
    connect(stopButton_, &QPushButton::clicked, this, &RulesDialog::cancelTrial);
    return box;
}

bool RulesDialog::trialRunning() const {
    return runner_ != nullptr && runner_->running();
}

void RulesDialog::startTrial() {
    if (trialRunning()) {
        return;
    }
    const std::filesystem::path folder = inputs_.logFolder();
    const DailyLogs logs = recentDailyLogs(folder, inputs_.today(), kTrialDays);
    if (logs.error) {
        trialSummary_->setText(
            QStringLiteral("ログフォルダーを読めません: %1").arg(toQString(folder)));
        return;
    }
    if (runner_ == nullptr) {
        runner_ = new RuleTrialRunner;
        connect(runner_, &RuleTrialRunner::dayRead, this, &RulesDialog::showTrialProgress);
        connect(runner_, &RuleTrialRunner::trialFinished, this, &RulesDialog::showTrialReport);
    }
    trialRules_ = rules_;
    for (std::size_t i = 0; i < trialRows_.size(); ++i) {
        trialRows_[i] = static_cast<int>(i);
    }
    trialResults_->clear();
    progress_->setRange(0, std::max<int>(1, static_cast<int>(logs.logs.size())));
    progress_->setValue(0);
    trialSummary_->setText(QStringLiteral("%1日分のログを読んでいます…").arg(logs.logs.size()));
    setTrialRunning(true);
    runner_->start(RuleTrialRun{trialRules_, logs.logs});
}

void RulesDialog::cancelTrial() {
    if (runner_ != nullptr) {
        runner_->cancel();
    }
}

void RulesDialog::dropTrialRow(int trialRow) {
    if (trialRow == kNoTrialRow) {
        return;
    }
    for (int i = 0; i < trialResults_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = trialResults_->topLevelItem(i);
        if (item->data(RuleColumn, Qt::UserRole).toInt() == trialRow) {
            delete item;
            return;
        }
    }
}

void RulesDialog::setTrialRunning(bool running) {
    tryButton_->setEnabled(!running);
    stopButton_->setEnabled(running);
}

void RulesDialog::showTrialProgress(qint64 daysDone, qint64 daysToRead) {
    progress_->setRange(0, static_cast<int>(std::max<qint64>(1, daysToRead)));
    progress_->setValue(static_cast<int>(daysDone));
}

void RulesDialog::showTrialReport() {
    setTrialRunning(false);
    const RuleTrialReport& report = runner_->report();
    // A cancelled trial leaves the bar where the reading stopped.
    const auto daysDone =
        static_cast<int>(report.daysRead) + static_cast<int>(report.skipped.size());
    progress_->setValue(std::min(daysDone, progress_->maximum()));
    const QString lines = QLocale::system().toString(static_cast<qlonglong>(report.lines));
    QString summary =
        report.stoppedPartWay
            ? QStringLiteral("%1日目の途中まで %2 行で試しました。").arg(daysDone + 1).arg(lines)
            : QStringLiteral("%1日分 %2 行で試しました。").arg(report.daysRead).arg(lines);
    if (!report.skipped.empty()) {
        summary += QStringLiteral("（%1日分は読めませんでした）").arg(report.skipped.size());
    }
    if (report.end == RuleTrialEnd::Cancelled) {
        summary = QStringLiteral("中止しました。") + summary;
    }
    trialSummary_->setText(summary);

    // Rules deleted while the trial ran are left out.
    std::vector<bool> kept(trialRules_.rules.size(), false);
    for (const int trialRow : trialRows_) {
        if (trialRow != kNoTrialRow) {
            kept[static_cast<std::size_t>(trialRow)] = true;
        }
    }
    std::size_t costliest = report.rules.size();
    for (std::size_t i = 0; i < report.rules.size(); ++i) {
        if (i < kept.size() && kept[i] && !report.rules[i].problem &&
            (costliest == report.rules.size() ||
             report.costPerThousandLines(i) > report.costPerThousandLines(costliest))) {
            costliest = i;
        }
    }
    trialResults_->clear();
    for (std::size_t i = 0; i < report.rules.size() && i < trialRules_.rules.size(); ++i) {
        if (!kept[i]) {
            continue;
        }
        const RuleTrialResult& result = report.rules[i];
        auto* item = new QTreeWidgetItem(trialResults_);
        item->setData(RuleColumn, Qt::UserRole, static_cast<int>(i));
        const NotificationRule& rule = trialRules_.rules[i];
        item->setText(RuleColumn, rule.enabled ? utf8Text(rule.name)
                                               : utf8Text(rule.name) + QStringLiteral("（無効）"));
        if (result.problem) {
            item->setText(HitsColumn, QStringLiteral("実行できません"));
            item->setToolTip(HitsColumn, utf8Text(*result.problem));
            item->setForeground(HitsColumn, QBrush(QColor(0xc0, 0, 0)));
            continue;
        }
        QString hits = QLocale::system().toString(static_cast<qlonglong>(result.hits));
        if (rule.timer) {
            hits += QStringLiteral("（タイマー %1）")
                        .arg(QLocale::system().toString(static_cast<qlonglong>(result.timers)));
        }
        item->setText(HitsColumn, hits);
        item->setTextAlignment(HitsColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(CostColumn, trialCostText(report.costPerThousandLines(i)));
        item->setTextAlignment(CostColumn, Qt::AlignRight | Qt::AlignVCenter);
        if (i == costliest && report.rules.size() > 1) {
            QFont bold = item->font(CostColumn);
            bold.setBold(true);
            item->setFont(CostColumn, bold);
            item->setToolTip(CostColumn, QStringLiteral("いちばん時間のかかるルール"));
        }
        for (const RuleTrialSample& sample : result.firstLines) {
            auto* line = new QTreeWidgetItem(item);
            line->setText(RuleColumn, fromCp932(sample.display));
        }
    }
    // Every rule's figures in sight; the first lines of the rule being edited open.
    const int current = currentRule();
    if (current >= 0) {
        const int trialRow = trialRows_[static_cast<std::size_t>(current)];
        for (int i = 0; i < trialResults_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = trialResults_->topLevelItem(i);
            if (trialRow != kNoTrialRow &&
                item->data(RuleColumn, Qt::UserRole).toInt() == trialRow) {
                item->setExpanded(true);
            }
        }
    }
    emit trialShown();
}

}  // namespace ruv
