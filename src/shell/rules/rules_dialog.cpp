#include "shell/rules/rules_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStringList>
#include <QVBoxLayout>

#include <set>
#include <system_error>

#include "core/rules/rule_matcher.h"
#include "core/rules/rules_file.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/user_messages.h"
#include "shell/rules/rule_editor.h"
#include "shell/rules/rule_trial_runner.h"
#include "shell/rules/rules_dialog_choices.h"
#include "shell/rules/rules_merge.h"

namespace ruv {

namespace {

QString utf8Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* addButton(QBoxLayout* layout, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    layout->addWidget(button);
    return button;
}

// The names of written rules as the message lists them: the first few, then
// how many more.
QString ruleNamesText(const RuleSet& rules) {
    constexpr std::size_t kNamed = 10;
    QStringList names;
    for (std::size_t i = 0; i < rules.rules.size() && i < kNamed; ++i) {
        names << QStringLiteral("「%1」").arg(utf8Text(rules.rules[i].name));
    }
    QString text = names.join(QStringLiteral("、"));
    if (rules.rules.size() > kNamed) {
        text += QStringLiteral(" ほか %1 件").arg(rules.rules.size() - kNamed);
    }
    return text;
}

std::string fileText(const std::filesystem::path& file) {
    const std::u8string text = file.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

RulesDialog::RulesDialog(RulesDialogInputs inputs, QWidget* parent)
    : QDialog(parent),
      inputs_(std::move(inputs)),
      ownChoices_(inputs_.choices != nullptr ? nullptr
                                             : std::make_unique<DialogRulesChoices>(this)),
      choices_(inputs_.choices != nullptr ? *inputs_.choices : *ownChoices_),
      rules_(inputs_.rules) {
    setObjectName(QStringLiteral("RulesDialog"));
    setWindowTitle(QStringLiteral("通知ルールの設定"));
    buildLayout();
    problems_.reserve(rules_.rules.size());
    for (const NotificationRule& rule : rules_.rules) {
        problems_.push_back(RuleMatcher::problemOf(rule));
    }
    trialRows_.assign(rules_.rules.size(), kNoTrialRow);
    fillList();
    setCurrentRule(rules_.rules.empty() ? -1 : 0);
    checkRules();
}

RulesDialog::~RulesDialog() {
    if (runner_ != nullptr) {
        runner_->release();
    }
}

void RulesDialog::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    if (inputs_.unreadFile) {
        unreadFile_ = new QLabel(
            QStringLiteral("ルールのファイルを読めなかったため、ルールはありません（%1）。"
                           "OK で保存すると、読めなかったファイルは %2 として残ります。")
                .arg(QString::fromStdString(*inputs_.unreadFile),
                     QString::fromStdString(std::string(kRulesBackupName))),
            this);
        unreadFile_->setObjectName(QStringLiteral("RulesFileUnread"));
        unreadFile_->setWordWrap(true);
        unreadFile_->setStyleSheet(QStringLiteral("color: #c00000;"));
        layout->addWidget(unreadFile_);
    }
    auto* top = new QHBoxLayout;
    layout->addLayout(top, 0);

    auto* left = new QVBoxLayout;
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("RuleList"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    left->addWidget(list_);
    auto* listButtons = new QHBoxLayout;
    QPushButton* add = addButton(listButtons, "RuleAdd", QStringLiteral("追加"));
    copy_ = addButton(listButtons, "RuleCopy", QStringLiteral("コピー"));
    delete_ = addButton(listButtons, "RuleDelete", QStringLiteral("削除"));
    up_ = addButton(listButtons, "RuleUp", QStringLiteral("↑"));
    down_ = addButton(listButtons, "RuleDown", QStringLiteral("↓"));
    for (QPushButton* narrow : {up_, down_}) {
        narrow->setMaximumWidth(36);
    }
    left->addLayout(listButtons);
    top->addLayout(left, 2);

    editor_ = new RuleEditor({choices_, inputs_.playSound, inputs_.speakPhrase}, this);
    top->addWidget(editor_, 3);

    layout->addWidget(buildTrialArea(), 1);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("RulesProblem"));
    status_->setStyleSheet(QStringLiteral("color: #c00000;"));
    status_->setTextFormat(Qt::PlainText);
    layout->addWidget(status_);

    auto* bottom = new QHBoxLayout;
    QPushButton* import = addButton(bottom, "RulesImport", QStringLiteral("読み込み…"));
    QPushButton* exportButton = addButton(bottom, "RulesExport", QStringLiteral("書き出し…"));
    bottom->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("RulesOk"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    connect(add, &QPushButton::clicked, this, &RulesDialog::addRule);
    connect(copy_, &QPushButton::clicked, this, &RulesDialog::copyRule);
    connect(delete_, &QPushButton::clicked, this, &RulesDialog::deleteRule);
    connect(up_, &QPushButton::clicked, this, [this] { moveRule(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { moveRule(1); });
    connect(import, &QPushButton::clicked, this, &RulesDialog::importRules);
    connect(exportButton, &QPushButton::clicked, this, &RulesDialog::exportRules);
    connect(buttons, &QDialogButtonBox::accepted, this, &RulesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RulesDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this, [this] { showCurrent(); });
    connect(list_, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { listItemChanged(list_->row(item)); });
    connect(editor_, &RuleEditor::edited, this, &RulesDialog::editorEdited);
    resize(800, 780);
}

int RulesDialog::currentRule() const {
    return list_->currentRow();
}

void RulesDialog::setCurrentRule(int row) {
    list_->setCurrentRow(row);
    showCurrent();
}

void RulesDialog::setRuleEnabled(int row, bool enabled) {
    list_->item(row)->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
}

void RulesDialog::fillList() {
    filling_ = true;
    list_->clear();
    for (const NotificationRule& rule : rules_.rules) {
        auto* item = new QListWidgetItem(utf8Text(rule.name), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(rule.enabled ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
}

void RulesDialog::showCurrent() {
    const int row = currentRule();
    const bool any = row >= 0 && row < static_cast<int>(rules_.rules.size());
    editor_->setEnabled(any);
    copy_->setEnabled(any);
    delete_->setEnabled(any);
    up_->setEnabled(any && row > 0);
    down_->setEnabled(any && row + 1 < static_cast<int>(rules_.rules.size()));
    const auto index = static_cast<std::size_t>(row);
    editor_->showRule(any ? rules_.rules[index] : NotificationRule{});
    editor_->showPatternProblem(any && problems_[index] ? utf8Text(*problems_[index]) : QString());
}

void RulesDialog::editorEdited() {
    const int row = currentRule();
    if (row < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(row);
    NotificationRule rule = editor_->rule();
    rule.enabled = rules_.rules[index].enabled;
    rules_.rules[index] = std::move(rule);
    problems_[index] = RuleMatcher::problemOf(rules_.rules[index]);
    editor_->showPatternProblem(problems_[index] ? utf8Text(*problems_[index]) : QString());
    filling_ = true;
    list_->item(row)->setText(utf8Text(rules_.rules[index].name));
    filling_ = false;
    checkRules();
}

void RulesDialog::listItemChanged(int row) {
    if (filling_ || row < 0) {
        return;
    }
    rules_.rules[static_cast<std::size_t>(row)].enabled =
        list_->item(row)->checkState() == Qt::Checked;
}

void RulesDialog::checkRules() {
    QString problem;
    std::set<std::string> names;
    filling_ = true;
    for (std::size_t i = 0; i < rules_.rules.size(); ++i) {
        const NotificationRule& rule = rules_.rules[i];
        QString own;
        if (rule.name.empty()) {
            own = QStringLiteral("%1 番目のルールに名前がありません。").arg(i + 1);
        } else if (!names.insert(rule.name).second) {
            own =
                QStringLiteral("「%1」という名前のルールが二つあります。").arg(utf8Text(rule.name));
        } else if (problems_[i]) {
            own = QStringLiteral("「%1」: %2").arg(utf8Text(rule.name), utf8Text(*problems_[i]));
        }
        QListWidgetItem* item = list_->item(static_cast<int>(i));
        item->setForeground(own.isEmpty() ? QBrush() : QBrush(QColor(0xc0, 0, 0)));
        item->setToolTip(own);
        if (problem.isEmpty()) {
            problem = own;
        }
    }
    filling_ = false;
    status_->setText(problem);
    ok_->setEnabled(problem.isEmpty());
}

void RulesDialog::addRule() {
    NotificationRule rule;
    rule.name = unusedRuleName(rules_, "新しいルール");
    rules_.rules.push_back(rule);
    problems_.push_back(std::nullopt);
    trialRows_.push_back(kNoTrialRow);
    fillList();
    setCurrentRule(static_cast<int>(rules_.rules.size()) - 1);
    checkRules();
}

void RulesDialog::copyRule() {
    const int row = currentRule();
    if (row < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(row);
    NotificationRule copy = rules_.rules[index];
    copy.name = unusedRuleName(rules_, copy.name);
    rules_.rules.insert(rules_.rules.begin() + row + 1, std::move(copy));
    problems_.insert(problems_.begin() + row + 1, problems_[index]);
    trialRows_.insert(trialRows_.begin() + row + 1, kNoTrialRow);
    fillList();
    setCurrentRule(row + 1);
    checkRules();
}

std::vector<int> RulesDialog::selectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->isSelected()) {
            rows.push_back(row);
        }
    }
    return rows;
}

void RulesDialog::deleteRule() {
    const int row = currentRule();
    std::vector<int> rows = selectedRows();
    if (rows.empty() && row >= 0) {
        rows.push_back(row);
    }
    if (rows.empty()) {
        return;
    }
    // From the last, so the rows before keep their places.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const auto index = static_cast<std::size_t>(*it);
        dropTrialRow(trialRows_[index]);
        rules_.rules.erase(rules_.rules.begin() + *it);
        problems_.erase(problems_.begin() + *it);
        trialRows_.erase(trialRows_.begin() + *it);
    }
    fillList();
    setCurrentRule(std::min(rows.front(), static_cast<int>(rules_.rules.size()) - 1));
    checkRules();
}

void RulesDialog::moveRule(int by) {
    const int row = currentRule();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= static_cast<int>(rules_.rules.size())) {
        return;
    }
    std::swap(rules_.rules[static_cast<std::size_t>(row)],
              rules_.rules[static_cast<std::size_t>(to)]);
    std::swap(problems_[static_cast<std::size_t>(row)], problems_[static_cast<std::size_t>(to)]);
    std::swap(trialRows_[static_cast<std::size_t>(row)], trialRows_[static_cast<std::size_t>(to)]);
    fillList();
    setCurrentRule(to);
    checkRules();
}

void RulesDialog::importRules() {
    const QString file = choices_.rulesFileToRead();
    if (file.isEmpty()) {
        return;
    }
    const RulesReading reading = readRulesFile(pathFromQString(file));
    if (reading.state != RulesFileState::Loaded) {
        const QString reason = reading.error ? utf8Text(reading.error->message()) : file;
        inputs_.messages.showTitled(
            MessageKind::Warning, QStringLiteral("通知ルールの読み込み"),
            QStringLiteral("通知ルールを読み込めませんでした。\n%1")
                .arg(reading.error ? reason : file + QStringLiteral(": ファイルがありません")));
        return;
    }
    int clashesLeft = 0;
    std::set<std::string> names;
    for (const NotificationRule& rule : rules_.rules) {
        names.insert(rule.name);
    }
    for (const NotificationRule& rule : reading.rules.rules) {
        clashesLeft += names.insert(rule.name).second ? 0 : 1;
    }
    std::optional<ExistingRuleChoice> forEveryClash;
    mergeRules(rules_, reading.rules, [&](std::string_view name) {
        if (forEveryClash) {
            return *forEveryClash;
        }
        const ExistingRuleAnswer answer = choices_.existingRule(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
            std::max(clashesLeft, 1));
        --clashesLeft;
        if (answer.reach == AnswerReach::EveryClash) {
            forEveryClash = answer.choice;
        }
        return answer.choice;
    });
    // Imported rules are added at the end or take a rule's place.
    trialRows_.resize(rules_.rules.size(), kNoTrialRow);
    problems_.clear();
    for (const NotificationRule& rule : rules_.rules) {
        problems_.push_back(RuleMatcher::problemOf(rule));
    }
    const int row = std::max(currentRule(), 0);
    fillList();
    setCurrentRule(rules_.rules.empty() ? -1 : std::min(row, list_->count() - 1));
    checkRules();
}

void RulesDialog::exportRules() {
    // One row is always selected with the current rule: only several mean a choice.
    const std::vector<int> rows = selectedRows();
    RuleSet chosen;
    if (rows.size() > 1) {
        for (const int row : rows) {
            chosen.rules.push_back(rules_.rules[static_cast<std::size_t>(row)]);
        }
    } else {
        chosen = rules_;
    }
    const QString file = choices_.rulesFileToWrite();
    if (file.isEmpty()) {
        return;
    }
    const QString title = QStringLiteral("通知ルールの書き出し");
    try {
        writeRulesFile(pathFromQString(file), chosen);
    } catch (const std::system_error& error) {
        inputs_.messages.showTitled(MessageKind::Warning, title,
                                    QStringLiteral("通知ルールを書き出せませんでした。\n%1\n%2")
                                        .arg(file, QString::fromLocal8Bit(error.what())));
        return;
    }
    const QString which = rows.size() > 1 ? QStringLiteral("選んだ %1 件のルール")
                                          : QStringLiteral("すべてのルール（%1 件）");
    QString text = QStringLiteral("%1を書き出しました。\n%2")
                       .arg(which.arg(chosen.rules.size()), QDir::toNativeSeparators(file));
    if (!chosen.rules.empty()) {
        text += QStringLiteral("\n\n") + ruleNamesText(chosen);
    }
    inputs_.messages.showTitled(MessageKind::Information, title, text);
}

void RulesDialog::accept() {
    if (!ok_->isEnabled()) {
        return;
    }
    try {
        inputs_.save(rules_);
    } catch (const std::system_error& error) {
        // The rules are in force all the same; only the file is behind.
        inputs_.messages.showTitled(
            MessageKind::Warning, QStringLiteral("通知ルールの設定"),
            QStringLiteral(
                "通知ルールを保存できませんでした。ルールは次に起動するまで有効です。\n%1\n%2")
                .arg(utf8Text(fileText(inputs_.rulesFile)), QString::fromLocal8Bit(error.what())));
    }
    QDialog::accept();
}

}  // namespace ruv
