#include "shell/rules/rule_editor.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

#include "shell/rules/rules_dialog_choices.h"

namespace ruv {

namespace {

constexpr std::array<ChatChannel, kRuleChannelCount> kRuleChannels = {
    ChatChannel::Open,  ChatChannel::Team,   ChatChannel::Club,   ChatChannel::Whis,
    ChatChannel::Shout, ChatChannel::Battle, ChatChannel::System,
};

QString utf8Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string utf8Of(const QLineEdit* edit) {
    return edit->text().toStdString();
}

QColor qColourOf(Colour colour) {
    return QColor::fromRgb(colour.rgb);
}

// A day is as long a cooldown as anyone needs.
constexpr int kLongestCooldown = 24 * 60 * 60;

}  // namespace

ChatChannel ruleChannelAt(std::size_t index) {
    return kRuleChannels[index];
}

RuleEditor::RuleEditor(RuleEditorActions actions, QWidget* parent)
    : QWidget(parent), actions_(std::move(actions)) {
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    const auto said = [this] {
        if (!showing_) {
            emit edited();
        }
    };

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("RuleName"));
    form->addRow(QStringLiteral("名前"), name_);

    pattern_ = new QLineEdit(this);
    pattern_->setObjectName(QStringLiteral("RulePattern"));
    pattern_->setPlaceholderText(QStringLiteral("空なら対象のすべての行"));
    form->addRow(QStringLiteral("探す文字"), pattern_);
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("RulePatternProblem"));
    problem_->setStyleSheet(QStringLiteral("color: #c00000;"));
    problem_->setWordWrap(true);
    problem_->setTextFormat(Qt::PlainText);
    problem_->hide();
    form->addRow(QString(), problem_);

    auto* kinds = new QHBoxLayout;
    regex_ = new QCheckBox(QStringLiteral("正規表現"), this);
    regex_->setObjectName(QStringLiteral("RuleRegex"));
    ignoreCase_ = new QCheckBox(QStringLiteral("大文字と小文字を区別しない"), this);
    ignoreCase_->setObjectName(QStringLiteral("RuleIgnoreCase"));
    kinds->addWidget(regex_);
    kinds->addWidget(ignoreCase_);
    kinds->addStretch();
    form->addRow(QString(), kinds);

    auto* channelGrid = new QGridLayout;
    for (std::size_t i = 0; i < kRuleChannelCount; ++i) {
        const std::string name(ruleChannelName(kRuleChannels[i]));
        channels_[i] = new QCheckBox(utf8Text(name), this);
        channels_[i]->setObjectName(QStringLiteral("RuleChannel%1").arg(i));
        channelGrid->addWidget(channels_[i], static_cast<int>(i / 4), static_cast<int>(i % 4));
        connect(channels_[i], &QCheckBox::toggled, this, said);
    }
    form->addRow(QStringLiteral("チャンネル"), channelGrid);
    auto* channelNote = new QLabel(QStringLiteral("どれも付けなければすべての行"), this);
    channelNote->setEnabled(false);
    form->addRow(QString(), channelNote);

    speaker_ = new QLineEdit(this);
    speaker_->setObjectName(QStringLiteral("RuleSpeaker"));
    speaker_->setPlaceholderText(QStringLiteral("空なら誰でも"));
    form->addRow(QStringLiteral("発言者"), speaker_);

    auto* soundRow = new QHBoxLayout;
    sound_ = new QLineEdit(this);
    sound_->setObjectName(QStringLiteral("RuleSound"));
    auto* browse = new QPushButton(QStringLiteral("参照…"), this);
    browse->setObjectName(QStringLiteral("RuleSoundBrowse"));
    auto* play = new QPushButton(QStringLiteral("再生"), this);
    play->setObjectName(QStringLiteral("RuleSoundPlay"));
    soundRow->addWidget(sound_, 1);
    soundRow->addWidget(browse);
    soundRow->addWidget(play);
    form->addRow(QStringLiteral("鳴らす音"), soundRow);
    connect(browse, &QPushButton::clicked, this, &RuleEditor::chooseSound);
    connect(play, &QPushButton::clicked, this, [this] {
        if (!sound_->text().isEmpty()) {
            actions_.playSound(utf8Of(sound_));
        }
    });

    auto* speakRow = new QHBoxLayout;
    speak_ = new QLineEdit(this);
    speak_->setObjectName(QStringLiteral("RuleSpeak"));
    speak_->setPlaceholderText(QStringLiteral("{speaker} {text} {channel} が使えます"));
    auto* speakNow = new QPushButton(QStringLiteral("読み上げ"), this);
    speakNow->setObjectName(QStringLiteral("RuleSpeakNow"));
    speakRow->addWidget(speak_, 1);
    speakRow->addWidget(speakNow);
    form->addRow(QStringLiteral("読み上げる言葉"), speakRow);
    connect(speakNow, &QPushButton::clicked, this, [this] {
        if (!speak_->text().isEmpty()) {
            actions_.speakPhrase(utf8Of(speak_));
        }
    });

    alert_ = new QCheckBox(QStringLiteral("タスクバーを点滅させる"), this);
    alert_->setObjectName(QStringLiteral("RuleAlert"));
    form->addRow(QString(), alert_);

    auto* colourRow = new QHBoxLayout;
    colourButton_ = new QPushButton(this);
    colourButton_->setObjectName(QStringLiteral("RuleColour"));
    colourButton_->setMinimumWidth(110);
    noColourButton_ = new QPushButton(QStringLiteral("色なし"), this);
    noColourButton_->setObjectName(QStringLiteral("RuleNoColour"));
    colourRow->addWidget(colourButton_);
    colourRow->addWidget(noColourButton_);
    colourRow->addStretch();
    form->addRow(QStringLiteral("行の背景色"), colourRow);
    connect(colourButton_, &QPushButton::clicked, this, &RuleEditor::chooseColour);
    connect(noColourButton_, &QPushButton::clicked, this, [this, said] {
        colour_.reset();
        showColour();
        said();
    });

    cooldown_ = new QSpinBox(this);
    cooldown_->setObjectName(QStringLiteral("RuleCooldown"));
    cooldown_->setRange(0, kLongestCooldown);
    cooldown_->setSuffix(QStringLiteral(" 秒"));
    form->addRow(QStringLiteral("次に鳴らすまで"), cooldown_);

    for (QLineEdit* edit : {name_, pattern_, speaker_, sound_, speak_}) {
        connect(edit, &QLineEdit::textChanged, this, said);
    }
    for (QCheckBox* box : {regex_, ignoreCase_, alert_}) {
        connect(box, &QCheckBox::toggled, this, said);
    }
    connect(cooldown_, &QSpinBox::valueChanged, this, said);
    showColour();
}

void RuleEditor::showRule(const NotificationRule& rule) {
    showing_ = true;
    enabled_ = rule.enabled;
    name_->setText(utf8Text(rule.name));
    pattern_->setText(utf8Text(rule.pattern));
    regex_->setChecked(rule.kind == PatternKind::Regex);
    ignoreCase_->setChecked(rule.letterCase == LetterCase::Ignored);
    for (std::size_t i = 0; i < kRuleChannelCount; ++i) {
        channels_[i]->setChecked(std::find(rule.channels.begin(), rule.channels.end(),
                                           kRuleChannels[i]) != rule.channels.end());
    }
    speaker_->setText(utf8Text(rule.speaker));
    sound_->setText(utf8Text(rule.sound));
    speak_->setText(utf8Text(rule.speak));
    alert_->setChecked(rule.alert);
    colour_ = rule.colour;
    showColour();
    cooldown_->setValue(
        static_cast<int>(std::clamp<std::int64_t>(rule.cooldownSeconds, 0, kLongestCooldown)));
    showing_ = false;
}

NotificationRule RuleEditor::rule() const {
    NotificationRule rule;
    rule.name = utf8Of(name_);
    rule.enabled = enabled_;
    rule.pattern = utf8Of(pattern_);
    rule.kind = regex_->isChecked() ? PatternKind::Regex : PatternKind::Plain;
    rule.letterCase = ignoreCase_->isChecked() ? LetterCase::Ignored : LetterCase::Exact;
    for (std::size_t i = 0; i < kRuleChannelCount; ++i) {
        if (channels_[i]->isChecked()) {
            rule.channels.push_back(kRuleChannels[i]);
        }
    }
    rule.speaker = utf8Of(speaker_);
    rule.sound = utf8Of(sound_);
    rule.speak = utf8Of(speak_);
    rule.alert = alert_->isChecked();
    rule.colour = colour_;
    rule.cooldownSeconds = cooldown_->value();
    return rule;
}

void RuleEditor::showPatternProblem(const QString& problem) {
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    pattern_->setStyleSheet(problem.isEmpty() ? QString() : QStringLiteral("background: #ffe0e0;"));
}

void RuleEditor::chooseSound() {
    const QString file = actions_.choices.soundFile(sound_->text());
    if (!file.isEmpty()) {
        sound_->setText(file);
    }
}

void RuleEditor::chooseColour() {
    const std::optional<QColor> chosen =
        actions_.choices.colour(colour_ ? qColourOf(*colour_) : QColor());
    if (!chosen) {
        return;
    }
    colour_ = Colour{static_cast<std::uint32_t>(chosen->rgb()) & 0xffffffu};
    showColour();
    emit edited();
}

void RuleEditor::showColour() {
    noColourButton_->setEnabled(colour_.has_value());
    if (!colour_) {
        colourButton_->setText(QStringLiteral("色を選ぶ…"));
        colourButton_->setStyleSheet(QString());
        return;
    }
    const QColor colour = qColourOf(*colour_);
    colourButton_->setText(colour.name());
    const QColor text = colour.lightness() > 128 ? QColor(Qt::black) : QColor(Qt::white);
    colourButton_->setStyleSheet(
        QStringLiteral("background: %1; color: %2;").arg(colour.name(), text.name()));
}

}  // namespace ruv
