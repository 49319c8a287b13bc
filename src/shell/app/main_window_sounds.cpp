// MainWindow: the call sounds, their start-up and exit steps and their dialog.

#include "core/sound/call_sound_texts.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/sound/call_sound_dialog.h"
#include "shell/sound/sound_message_text.h"

namespace ruv {

namespace {

class MessageBoxNotices final : public SoundNotices {
  public:
    explicit MessageBoxNotices(UserMessages& messages) : messages_(messages) {}
    void notify(std::string_view cp932Text) override {
        messages_.show(MessageKind::Plain, decodeSoundText(cp932Text));
    }

  private:
    UserMessages& messages_;
};

}  // namespace

CallSoundSlots& MainWindow::callSoundSlots() {
    return session_->core.sounds;
}

void MainWindow::RestoreCallSounds() {
    CallSoundSlots& sounds = session_->core.sounds;
    MessageBoxNotices notices(session_->messages);
    sounds.RestoreCallSounds(sounds.paths(), notices, session_->errorLog, session_->clock);
}

void MainWindow::CloseCallSounds() {
    session_->core.sounds.CloseCallSounds();
}

CallSoundDialog* MainWindow::callSoundDialog() const {
    return callSoundDialog_;
}

void MainWindow::openCallSoundSettings() {
    if (callSoundDialog_ != nullptr && callSoundDialog_->isVisible()) {
        return;
    }
    if (callSoundDialog_ == nullptr) {
        callSoundDialog_ = new CallSoundDialog(session_->core.sounds, session_->messages, this);
    }
    callSoundDialog_->fillFromSlots();
    // Modal without a nested event loop: the handlers return at once.
    callSoundDialog_->setWindowModality(Qt::ApplicationModal);
    callSoundDialog_->show();
}

}  // namespace ruv
