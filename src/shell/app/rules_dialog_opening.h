#pragma once
// オプション > 通知ルールの設定…: the rules dialog over the main window, on
// the session's rules, sounds and speech; OK writes the settings folder's
// rules file. It opens window-modal and returns at once.

#include <filesystem>
#include <functional>

class QWidget;

namespace ruv {

struct Session;
class RulesDialog;

struct RulesDialogPlace {
    Session& session;
    // Empty: the rules are put in force and written nowhere.
    std::filesystem::path settingsFolder;
    // 過去ログで試す reads this folder.
    std::function<std::filesystem::path()> logFolder;
    QWidget* parent = nullptr;
};

RulesDialog* openRulesDialog(RulesDialogPlace place);

}  // namespace ruv
