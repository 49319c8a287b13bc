#pragma once
// Everything the main window shows as a setting and the settings files keep,
// held once: config.ini and the list files are read into it at start-up and
// written from it at exit. The window's controls write their part when the
// user changes them and show it afresh when the session changes it.

#include <optional>
#include <string>

#include "core/config/text_size.h"
#include "core/log/log_session_ports.h"
#include "core/log/route_settings.h"
#include "core/sound/call_sound_slot_ids.h"
#include "core/speech/speech_settings.h"
#include "core/speech/voice_list.h"
#include "core/views/ng_lists.h"

namespace ruv {

// The outer frame as config.ini keeps it; an empty side is left where the
// platform places the window.
struct WindowBounds {
    std::optional<int> top;
    std::optional<int> left;
    std::optional<int> height;
    std::optional<int> width;
};

struct SessionState {
    // Tabs shown, the mix boxes, the NG boxes, the speech switch, the keywords
    // and the taskbar alert; routing reads them for every line.
    RouteSettings route;
    NgLists ngLists;
    // The per-character voices; lines of their file that are not used are kept.
    VoiceList voices;
    // Rows 51 to 58 and the read mode (row 60), as stored: the dialog shows a
    // field the program cannot use as it stands.
    SpeechSettingTexts speech = speechSettingResetTexts();
    // Slots 01 to 06, then 09, in call-sound slot order (CP932 paths).
    CallSoundPaths soundPaths{};
    int intervalSeconds = 1;  // 0 ("停止"), 1, 5, 10, 30 or 60
    int expLayout = 0;
    bool statusBarRate = false;
    int transparencyPercent = 0;  // 0 to 50 in steps of 10
    AttachOptions attach;
    bool topMost = false;
    TextSize textSize;
    WindowBounds bounds;  // the normal ones, also of a maximised window
    bool windowMaximized = false;
};

}  // namespace ruv
