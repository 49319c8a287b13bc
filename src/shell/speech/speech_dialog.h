#pragma once
// SpeechDialog "棒読みちゃんへの各種設定": the speech settings and the per-character
// voices, on two pages. Filled from the window's stored state on every
// opening; stores only on "OK". The list's rules live in VoiceListEditor.

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/platform/timer.h"
#include "core/speech/speech_client.h"
#include "core/speech/speech_settings.h"
#include "core/speech/voice_list.h"
#include "core/speech/voice_list_editor.h"
#include "core/speech/voice_params.h"

class QPushButton;
class QTabWidget;

namespace ruv {

class SpeechHotkeys;
class SpeechQueuePage;
class SpeechSettingsPage;
class SpeechSide;
class UserMessages;
class VoiceListPage;

// The stored speech settings and voices the dialog opens with and writes back on "OK".
class StoredSpeechSettings {
  public:
    virtual ~StoredSpeechSettings() = default;
    virtual SpeechSettingTexts speechSettingTexts() const = 0;
    virtual void setSpeechSettingTexts(SpeechSettingTexts texts) = 0;
    virtual const VoiceList& voiceList() const = 0;
    virtual void setVoiceProfiles(std::vector<VoiceProfile> rows) = 0;
};

struct SpeechDialogPorts {
    StoredSpeechSettings& stored;
    SpeechSide& speech;
    UserMessages& messages;
    platform::Timers& timers;
    SpeechHotkeys& hotkeys;
};

class SpeechDialog : public QDialog {
    Q_OBJECT
  public:
    SpeechDialog(const SpeechDialogPorts& ports, QWidget* parent);

    // fillAndShow: fills the dialog from the stored state and shows it
    // modally without running a nested event loop. Does nothing while shown.
    void fillAndShow();

    // The rows of the per-character list as they stand in the dialog.
    const std::vector<VoiceProfile>& rows() const { return editor_.rows(); }
    // The 2.5-second wait of the connection test runs; it starts once the
    // sender has tried the test request.
    bool connectionTestWaiting() const { return testWait_->active(); }

    // Handlers, named after their control and event.
    void okClicked();      // OK
    void cancelClicked();  // キャンセル
    void resetClicked();   // 設定の初期化
    void connectionTestClicked();
    void voiceTestClicked();
    void characterVoiceTestClicked();
    void checkConnectionClicked();  // 接続を確認
    void onCharacterVolumeMoved();
    void onCharacterSpeedMoved();
    void onCharacterToneMoved();
    void onCharacterVoiceChosen();
    void onCharacterNameEdited();
    void onCharacterSelected();
    void addOrEditCharacterClicked();
    void deleteCharacterClicked();
    void addModeClicked();
    void editModeClicked();
    void onClosed();

    void done(int result) override;

  private:
    void refuseNotNumber(const QString& typed);
    // The port field holds no port: not a whole number, or outside 1 to 65535.
    void refusePort();
    void warn(std::string_view cp932Text);
    void sendTest(const VoiceParams* voice);
    void connectionTestTried(std::uint64_t request, SpeechClient::TestOutcome sent);
    void connectionTestWaited();
    // Runs a command on the list, shows the list as it then stands and, when
    // the command fails unexpectedly, warns with the text given.
    template <typename Command>
    void editList(std::string_view failureText, Command command);
    void showList();

    SpeechDialogPorts ports_;
    VoiceListEditor editor_;

    QTabWidget* pages_ = nullptr;
    SpeechSettingsPage* settingsPage_ = nullptr;
    VoiceListPage* voicePage_ = nullptr;
    SpeechQueuePage* queuePage_ = nullptr;
    QPushButton* okButton_ = nullptr;  // Button01
    std::unique_ptr<platform::Timer> testWait_;
    // Connection tests sent so far, and the one the sender has not tried yet.
    std::uint64_t connectionTests_ = 0;
    std::optional<std::uint64_t> pendingConnectionTest_;
};

}  // namespace ruv
