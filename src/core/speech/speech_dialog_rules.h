#pragma once
// The rules of the speech settings dialog that do not depend on its widgets.

#include <optional>
#include <string>
#include <string_view>

#include "core/text/fixed_text.h"

#include "core/speech/speech_settings.h"

namespace ruv {

// Highest character limit stored; anything from 65 up is stored as this.
inline constexpr int kMaxLimitMoji = 64;

// What the basic-settings page holds when "OK" is pressed.
struct SpeechDialogValues {
    std::string address;
    std::string port;
    int volume = 100;
    int speed = 100;
    int tone = 100;
    int voiceKind = 0;
    std::string limit;
    NameReading names = NameReading::NotRead;
};

// The values the dialog opens with, from the stored texts (unreadable fields
// at their reset values, see readSpeechSettings).
SpeechDialogValues dialogValuesFromStored(const SpeechSettingsReading& stored);
// The reset values of "設定の初期化" (the list is not touched).
SpeechDialogValues dialogResetValues();

enum class OkRefusal { None, LimitNotNumber, PortNotNumber, PortOutOfRange };

struct SpeechDialogOk {
    OkRefusal refusal = OkRefusal::None;
    // The texts to store when not refused; the read mode is carried over.
    SpeechSettingTexts stored;
};

// "OK": a limit of 65 or more is stored as "64", any other whole number as
// typed. A limit or port that is not a whole number, or a port outside 1 to
// 65535, refuses the whole "OK": nothing is stored and the dialog stays open.
SpeechDialogOk applyDialogOk(const SpeechDialogValues& values, std::string_view storedReadMode);

// The limit text "OK" stores; empty when the text is not a whole number.
std::optional<std::string> storedLimitText(std::string_view typed);

namespace speech_dialog_texts {
inline const FixedText kEmptyName{"キャラ名が未記入のためリストに追加出来ません"};
inline const FixedText kDuplicateName{"既に同じキャラが登録されています"};
// "※重複", shown in red as the name label
inline const FixedText kDuplicateLabel{"※重複"};
inline const FixedText kNameLabel{"キャラ名"};
inline const FixedText kResetQuestion{"初期設定に戻しますか？"};
inline const FixedText kResetDone{"初期値に戻しました。"};
inline const FixedText kDeleteQuestion{"選択したリストを削除しますか？"};
inline const FixedText kAddFailed{"登録に失敗しました"};
inline const FixedText kEditFailed{"何故か失敗？"};
inline const FixedText kDeleteFailed{"処理に失敗"};
}  // namespace speech_dialog_texts

}  // namespace ruv
