// TForm1: the call sounds, their start-up and exit steps and their dialog.

#include "core/sound/call_sound_texts.h"
#include "shell/app/ruvivuvaz.h"
#include "shell/app/session.h"
#include "shell/sound/ruvivuvaz_op.h"
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

CallSoundSlots& TForm1::callSoundSlots() {
    return session_->sounds.soundSlots();
}

void TForm1::restoreSoundPath(ChatChannel slot, std::string_view cp932Path) {
    session_->sounds.soundSlots().setPath(slot, cp932Path);
}

std::string TForm1::soundPath(ChatChannel slot) const {
    return session_->sounds.soundSlots().path(slot);
}

void TForm1::RestoreCallSounds() {
    CallSoundSlots& sounds = session_->sounds.soundSlots();
    MessageBoxNotices notices(session_->messages);
    sounds.RestoreCallSounds(sounds.paths(), notices, session_->errorLog, session_->clock);
}

void TForm1::CloseCallSounds() {
    session_->sounds.soundSlots().CloseCallSounds();
}

TForm2* TForm1::callSoundDialog() const {
    return callSoundDialog_;
}

void TForm1::SoundOption01Click() {
    OpenCallSoundSettings();
}

void TForm1::OpenCallSoundSettings() {
    if (callSoundDialog_ != nullptr && callSoundDialog_->isVisible()) {
        return;
    }
    if (callSoundDialog_ == nullptr) {
        callSoundDialog_ = new TForm2(session_->sounds.soundSlots(), session_->messages, this);
    }
    callSoundDialog_->fillFromSlots();
    // Modal without a nested event loop: the handlers return at once.
    callSoundDialog_->setWindowModality(Qt::ApplicationModal);
    callSoundDialog_->show();
}

}  // namespace ruv
