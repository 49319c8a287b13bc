#pragma once
// The one-way binding between the session's SessionState and the window's
// controls: a control the user changes writes its part of the state, and
// showState (or showKeyword after routing disarmed a row) makes the controls
// show the state the session holds. Showing a value a control already has
// changes nothing, so no change runs in a circle.

#include <QObject>

#include <array>
#include <functional>
#include <vector>

#include "core/app/session_state.h"
#include "shell/app/menu_actions.h"
#include "shell/app/tab_pages.h"
#include "shell/speech/speech_dialog.h"

class QTreeWidget;

namespace ruv {

class ExpMonitor;
class SpeechBridge;
class TextSizeControl;

struct BoundControls {
    const TabPages& pages;             // the mix boxes, keyword rows, NG and speech controls
    QTreeWidget* voiceList = nullptr;  // BouListView01
    const MenuActions* menu = nullptr;
    TextSizeControl* textSize = nullptr;
    // Shows or hides a tab with its menu mark; the window notes it in the state.
    std::function<void(Tab, TabVisibility)> showTab;
};

// What the bound settings act on besides their controls.
struct BoundSubsystems {
    ExpMonitor& exp;
    SpeechBridge& speech;  // speaks with the state's speech settings
};

class StateBinding final : public QObject, public StoredSpeechSettings {
  public:
    StateBinding(SessionState& state, BoundControls controls, const BoundSubsystems& subsystems,
                 QObject* parent);

    // Every control shows the state, and the subsystems take it.
    void showState();
    // A keyword row's switch shows the state, as routing left it.
    void showKeyword(ChatChannel row);
    // The per-character voices in their hidden list.
    void showVoiceList();

    // The stored speech settings and voices, as the speech dialog reads and
    // writes them. A read mode that names no entry keeps the one in force.
    SpeechSettingTexts speechSettingTexts() const override;
    void setSpeechSettingTexts(SpeechSettingTexts texts) override;
    const VoiceList& voiceList() const override;
    void setVoiceProfiles(std::vector<VoiceProfile> rows) override;

  private:
    void showSpeechSettings();
    void connectRouting();
    void connectMenu();
    void connectExpAndSpeech();

    SessionState& state_;
    BoundControls controls_;
    BoundSubsystems subsystems_;
};

}  // namespace ruv
