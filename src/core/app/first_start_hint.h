#pragma once
// What the 通常 view says until a log is attached: how to attach today's log
// and where the game keeps it. The view draws it; it is never a line.

#include "core/text/fixed_text.h"

namespace ruv {

inline const FixedText kFirstStartHint{
    "まだログをアタッチしていません。\n"
    "\n"
    "・ファイル(F) > アタッチログ(O) で今日のログを選ぶか、\n"
    "  ログのファイルをこのウィンドウにドロップしてください。\n"
    "・ログは、ゲームがチャットログを書き出すフォルダーにあります。\n"
    "  1日に1つ、MHChatLog_2024_05_01.html のように日付の名前です。\n"
    "・一度選んだフォルダーは覚えられ、次からは Today's Log で開けます。\n"
    "・オプション(O) > 起動時に今日のログをアタッチする をオンにすると、\n"
    "  次からは起動したときに今日のログを開きます。"};

}  // namespace ruv
