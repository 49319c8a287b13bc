#include "shell/speech/speech_hotkeys.h"

#include <string>
#include <vector>

namespace ruv {

QKeySequence hotkeyKeys(const std::string& text) {
    return QKeySequence::fromString(QString::fromLatin1(text), QKeySequence::PortableText);
}

std::string hotkeyText(const QKeySequence& keys) {
    return keys.toString(QKeySequence::PortableText).toStdString();
}

void SpeechHotkeys::apply(const SpeechHotkeyTexts& texts) {
    std::vector<SpeechHotkeyCommand> changed;
    for (const SpeechHotkeyCommand command : kSpeechHotkeyCommands) {
        // Keys taken by another program are tried again: it may have let them go.
        if (hotkeyText(of(command).keys()) != texts.of(command) ||
            of(command).status() == HotkeyStatus::Taken) {
            of(command).setKeys({});
            changed.push_back(command);
        }
    }
    for (const SpeechHotkeyCommand command : changed) {
        of(command).setKeys(hotkeyKeys(texts.of(command)));
    }
}

HotkeyStatus SpeechHotkeys::trial(const QKeySequence& keys) const {
    if (keys.isEmpty()) {
        return HotkeyStatus::Off;
    }
    for (const GlobalHotkey& hotkey : hotkeys_) {
        if (hotkey.status() == HotkeyStatus::Held && hotkey.keys() == keys) {
            return HotkeyStatus::Held;
        }
    }
    GlobalHotkey trying;
    return trying.setKeys(keys);  // given back as it goes
}

}  // namespace ruv
