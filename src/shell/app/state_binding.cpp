#include "shell/app/state_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "core/speech/speak_line.h"
#include "shell/exp/exp_monitor.h"
#include "shell/platform/qt_text.h"
#include "shell/views/text_size_control.h"

namespace ruv {

namespace {

// The drop-down entry of a stored read mode; a mode that names none shows the first.
int readModeEntry(const SpeechSettingTexts& texts) {
    return static_cast<int>(readModeOf(texts.readMode).value_or(ReadMode::AllWithProfiles));
}

}  // namespace

StateBinding::StateBinding(SessionState& state, BoundControls controls,
                           const BoundSubsystems& subsystems, QObject* parent)
    : QObject(parent), state_(state), controls_(std::move(controls)), subsystems_(subsystems) {
    connectRouting();
    connectMenu();
    connectExpAndSpeech();
}

void StateBinding::connectRouting() {
    RouteSettings& route = state_.route;
    for (std::size_t box = 0; box < kMixChannels.size(); ++box) {
        connect(controls_.pages.mixBoxes[static_cast<std::size_t>(kMixChannels[box])],
                &QCheckBox::toggled, this, [&route, box](bool ticked) { route.mix[box] = ticked; });
    }
    const auto follow = [this](QCheckBox* control, bool& value) {
        connect(control, &QCheckBox::toggled, this, [&value](bool ticked) { value = ticked; });
    };
    follow(controls_.pages.ngUserSwitch, route.ngUsersApplied);
    follow(controls_.pages.ngWordSwitch, route.ngWordsApplied);
    follow(controls_.pages.speechSwitch, route.speechSend);
    for (std::size_t channel = 0; channel < controls_.pages.keywordRows.size(); ++channel) {
        const KeywordRowWidgets& row = controls_.pages.keywordRows[channel];
        if (row.box == nullptr) {
            continue;
        }
        CallKeyword& keyword = route.keywords[channel];
        follow(row.box, keyword.armed);
        // The edit refuses what CP932 cannot hold, so the conversion always succeeds.
        connect(row.edit, &QLineEdit::textChanged, this, [&keyword](const QString& text) {
            keyword.text = toCp932(text).value_or(std::string{});
        });
    }
}

void StateBinding::connectMenu() {
    const MenuActions& menu = *controls_.menu;
    const auto follow = [this](QAction* entry, auto onToggled) {
        connect(entry, &QAction::toggled, this, onToggled);
    };
    follow(menu.autoAttach, [this](bool on) { state_.attach.autoAttach = on; });
    follow(menu.tidyOnAttach, [this](bool on) { state_.attach.tidyOnAttach = on; });
    follow(menu.ngOnTidy, [this](bool on) { state_.attach.ngOnTidy = on; });
    follow(menu.attachTodayAtStart, [this](bool on) { state_.attach.attachTodayAtStart = on; });
    follow(menu.resetExpAtNewDay, [this](bool on) { state_.attach.resetExpAtSwitch = on; });
    follow(menu.alwaysOnTop, [this](bool on) { state_.topMost = on; });
    follow(menu.callAlert, [this](bool on) { state_.route.callAlert = on; });
    follow(menu.rateInStatusBar, [this](bool on) { state_.statusBarRate = on; });
    for (const TransparencyEntry& entry : menu.transparencies) {
        follow(entry.action, [this, percent = entry.percent](bool chosen) {
            if (chosen) {
                state_.transparencyPercent = percent;
            }
        });
    }
    connect(controls_.textSize, &TextSizeControl::sizeChanged, this,
            [this](TextSize size) { state_.textSize = size; });
}

void StateBinding::connectExpAndSpeech() {
    ExpMonitor& exp = subsystems_.exp;
    // The monitor handles its own controls first: the state takes what it made of them.
    for (const IntervalEntry& entry : controls_.menu->intervals) {
        connect(entry.action, &QAction::triggered, this,
                [this, &exp] { state_.intervalSeconds = exp.intervalSetting().value_or(1); });
    }
    connect(exp.pages().layoutList(), &QComboBox::currentIndexChanged, this,
            [this, &exp] { state_.expLayout = exp.layoutIndex(); });
    connect(controls_.pages.readModeList, &QComboBox::currentIndexChanged, this, [this](int index) {
        state_.speech.readMode = std::to_string(index);
        showSpeechSettings();
    });
}

void StateBinding::showState() {
    RouteSettings& route = state_.route;
    for (std::size_t channel = 0; channel < route.tabShown.size(); ++channel) {
        controls_.showTab(tabOf(static_cast<ChatChannel>(channel)),
                          route.tabShown[channel] ? TabVisibility::Shown : TabVisibility::Hidden);
    }
    for (std::size_t box = 0; box < kMixChannels.size(); ++box) {
        controls_.pages.mixBoxes[static_cast<std::size_t>(kMixChannels[box])]->setChecked(
            route.mix[box]);
    }
    controls_.pages.ngUserSwitch->setChecked(route.ngUsersApplied);
    controls_.pages.ngWordSwitch->setChecked(route.ngWordsApplied);
    controls_.pages.speechSwitch->setChecked(route.speechSend);
    for (std::size_t channel = 0; channel < kChannelCount; ++channel) {
        showKeyword(static_cast<ChatChannel>(channel));
    }

    const MenuActions& menu = *controls_.menu;
    for (const TransparencyEntry& entry : menu.transparencies) {
        if (entry.percent == state_.transparencyPercent) {
            entry.action->setChecked(true);
        }
    }
    menu.autoAttach->setChecked(state_.attach.autoAttach);
    menu.tidyOnAttach->setChecked(state_.attach.tidyOnAttach);
    menu.ngOnTidy->setChecked(state_.attach.ngOnTidy);
    menu.attachTodayAtStart->setChecked(state_.attach.attachTodayAtStart);
    menu.resetExpAtNewDay->setChecked(state_.attach.resetExpAtSwitch);
    menu.alwaysOnTop->setChecked(state_.topMost);
    menu.callAlert->setChecked(route.callAlert);
    controls_.textSize->setSize(state_.textSize);

    ExpMonitor& exp = subsystems_.exp;
    exp.restoreIntervalSetting(state_.intervalSeconds);
    exp.restoreStatusBarShown(state_.statusBarRate);
    if (!exp.restoreLayoutIndex(state_.expLayout)) {
        state_.expLayout = exp.layoutIndex();
    }

    controls_.pages.readModeList->setCurrentIndex(readModeEntry(state_.speech));
    showSpeechSettings();
    showVoiceList();
}

void StateBinding::showKeyword(ChatChannel row) {
    if (QCheckBox* box = controls_.pages.keywordRows[static_cast<std::size_t>(row)].box) {
        box->setChecked(state_.route.keyword(row).armed);
    }
}

void StateBinding::showVoiceList() {
    QTreeWidget& list = *controls_.voiceList;
    list.clear();
    for (const VoiceProfile& row : voiceList().Profiles()) {
        auto* item = new QTreeWidgetItem(&list);
        item->setText(0, fromCp932(row.Name));
        item->setText(1, QString::number(row.Voice));
        item->setText(2, QString::number(row.Volume));
        item->setText(3, QString::number(row.Speed));
        item->setText(4, QString::number(row.Tone));
    }
}

SpeechSettingTexts StateBinding::speechSettingTexts() const {
    return state_.speech;
}

void StateBinding::setSpeechSettingTexts(SpeechSettingTexts texts) {
    const auto mode = readModeOf(texts.readMode);
    texts.readMode = state_.speech.readMode;
    state_.speech = std::move(texts);
    if (mode) {
        controls_.pages.readModeList->setCurrentIndex(
            static_cast<int>(*mode));  // writes the mode it shows
    }
    showSpeechSettings();
}

const VoiceList& StateBinding::voiceList() const {
    return state_.voices;
}

void StateBinding::setVoiceProfiles(std::vector<VoiceProfile> rows) {
    state_.voices.replaceProfiles(std::move(rows));
    showVoiceList();
}

// The bridge speaks with the stored texts read as values: a text that is not a
// number speaks with its reset value.
void StateBinding::showSpeechSettings() {
    subsystems_.speech.setSettings(readSpeechSettings(state_.speech).settings);
}

}  // namespace ruv
