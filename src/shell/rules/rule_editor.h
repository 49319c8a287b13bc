#pragma once
// The fields of one notification rule in the rules dialog: name, pattern and
// its kind and case, channels as ticks, speaker, sound (chosen with a file
// dialog, played at once), phrase (spoken at once), alert, colour and cooldown.
// It shows a rule, and says each change; the dialog keeps the rules.

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/rules/notification_rule.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace ruv {

class RulesDialogChoices;

inline constexpr std::size_t kRuleChannelCount = 7;

struct RuleEditorActions {
    RulesDialogChoices& choices;
    std::function<void(const std::string& utf8Path)> playSound;
    std::function<void(const std::string& utf8Phrase)> speakPhrase;
};

class RuleEditor : public QWidget {
    Q_OBJECT
  public:
    RuleEditor(RuleEditorActions actions, QWidget* parent = nullptr);

    void showRule(const NotificationRule& rule);
    // The rule as the fields now hold it.
    NotificationRule rule() const;
    // The engine's message for the pattern, shown under it; empty: none.
    void showPatternProblem(const QString& problem);

    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* patternEdit() const { return pattern_; }
    QCheckBox* regexBox() const { return regex_; }
    QCheckBox* ignoreCaseBox() const { return ignoreCase_; }
    QCheckBox* channelBox(std::size_t index) const { return channels_[index]; }
    QLineEdit* speakerEdit() const { return speaker_; }
    QLineEdit* soundEdit() const { return sound_; }
    QLineEdit* speakEdit() const { return speak_; }
    QCheckBox* alertBox() const { return alert_; }
    QPushButton* colourButton() const { return colourButton_; }
    QSpinBox* cooldownBox() const { return cooldown_; }
    QLabel* patternProblemLabel() const { return problem_; }

    void chooseSound();
    void chooseColour();

  signals:
    void edited();

  private:
    void showColour();

    RuleEditorActions actions_;
    bool showing_ = false;
    std::optional<Colour> colour_;
    bool enabled_ = true;  // kept as shown: the list's tick edits it
    QLineEdit* name_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    QLabel* problem_ = nullptr;
    QCheckBox* regex_ = nullptr;
    QCheckBox* ignoreCase_ = nullptr;
    std::array<QCheckBox*, kRuleChannelCount> channels_{};
    QLineEdit* speaker_ = nullptr;
    QLineEdit* sound_ = nullptr;
    QLineEdit* speak_ = nullptr;
    QCheckBox* alert_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    QPushButton* noColourButton_ = nullptr;
    QSpinBox* cooldown_ = nullptr;
};

// The seven channels a rule can name, in the tabs' order.
ChatChannel ruleChannelAt(std::size_t index);

}  // namespace ruv
