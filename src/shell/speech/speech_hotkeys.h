#pragma once
// The global hotkeys of the three speech commands (skip, clear, pause), as the
// player set them in the speech dialog: each command has its own GlobalHotkey,
// whose presses the window turns into its 読み上げ menu entry.

#include <QKeySequence>
#include <QObject>

#include <array>

#include "core/speech/speech_queue_settings.h"
#include "shell/platform/global_hotkey.h"

namespace ruv {

// The stored key text and the key sequence it names.
QKeySequence hotkeyKeys(const std::string& text);
std::string hotkeyText(const QKeySequence& keys);

class SpeechHotkeys final {
  public:
    SpeechHotkeys() = default;
    SpeechHotkeys(const SpeechHotkeys&) = delete;
    SpeechHotkeys& operator=(const SpeechHotkeys&) = delete;

    GlobalHotkey& of(SpeechHotkeyCommand command) { return hotkeys_[index(command)]; }
    const GlobalHotkey& of(SpeechHotkeyCommand command) const { return hotkeys_[index(command)]; }

    // Takes the keys of every command whose keys changed, or that another
    // program held; these are all released first, so two commands can swap
    // their keys.
    void apply(const SpeechHotkeyTexts& texts);

    // What `keys` would give `command`, told while the player types them:
    // keys one of these hotkeys holds already count as held.
    HotkeyStatus trial(const QKeySequence& keys) const;

  private:
    static std::size_t index(SpeechHotkeyCommand command) {
        return static_cast<std::size_t>(command);
    }

    std::array<GlobalHotkey, kSpeechHotkeyCommands.size()> hotkeys_;
};

}  // namespace ruv
