#pragma once
// The rules of the speech settings dialog that do not depend on its widgets.

#include <optional>
#include <string>
#include <string_view>

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
// "キャラ名が未記入のためリストに追加出来ません"
inline constexpr std::string_view kEmptyName =
    "\x83L\x83\x83\x83\x89\x96\xbc\x82\xaa\x96\xa2\x8bL\x93\xfc\x82\xcc\x82\xbd\x82\xdf\x83\x8a"
    "\x83X\x83g\x82\xc9\x92\xc7\x89\xc1\x8fo\x97\x88\x82\xdc\x82\xb9\x82\xf1";
// "既に同じキャラが登録されています"
inline constexpr std::string_view kDuplicateName =
    "\x8a\xf9\x82\xc9\x93\xaf\x82\xb6\x83L\x83\x83\x83\x89\x82\xaa\x93o\x98^\x82\xb3\x82\xea\x82"
    "\xc4\x82\xa2\x82\xdc\x82\xb7";
// "※重複", shown in red as the name label
inline constexpr std::string_view kDuplicateLabel =
    "\x81\xa6\x8f"
    "d\x95\xa1";
// "キャラ名"
inline constexpr std::string_view kNameLabel = "\x83L\x83\x83\x83\x89\x96\xbc";
// "初期設定に戻しますか？"
inline constexpr std::string_view kResetQuestion =
    "\x8f\x89\x8a\xfa\x90\xdd\x92\xe8\x82\xc9\x96\xdf\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H";
// "初期値に戻しました。"
inline constexpr std::string_view kResetDone =
    "\x8f\x89\x8a\xfa\x92l\x82\xc9\x96\xdf\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";
// "選択したリストを削除しますか？"
inline constexpr std::string_view kDeleteQuestion =
    "\x91I\x91\xf0\x82\xb5\x82\xbd\x83\x8a\x83X\x83g\x82\xf0\x8d\xed\x8f\x9c\x82\xb5\x82\xdc\x82"
    "\xb7\x82\xa9\x81H";
// "登録に失敗しました"
inline constexpr std::string_view kAddFailed =
    "\x93o\x98^\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd";
// "何故か失敗？"
inline constexpr std::string_view kEditFailed = "\x89\xbd\x8c\xcc\x82\xa9\x8e\xb8\x94s\x81H";
// "処理に失敗"
inline constexpr std::string_view kDeleteFailed = "\x8f\x88\x97\x9d\x82\xc9\x8e\xb8\x94s";
}  // namespace speech_dialog_texts

}  // namespace ruv
