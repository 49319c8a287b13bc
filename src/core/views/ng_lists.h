#pragma once
// The NG user list and the NG word list, the four context-menu commands that
// add the selected text to them or remove it, and the NG dialog's rules.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/vocabulary/channel.h"
#include "core/vocabulary/message_kind.h"

namespace ruv {

// Entries are CP932 text without line breaks, compared byte for byte.
struct NgLists {
    std::vector<std::string> users;  // NGList01, nguserlist.txt
    std::vector<std::string> words;  // NGList02, ngwordlist.txt
};

enum class NgList { Users, Words };
enum class NgAction { Add, Remove };

struct UserMessage {
    MessageKind kind;
    std::string text;  // CP932; may hold CR LF
    friend bool operator==(const UserMessage&, const UserMessage&) = default;
};

// What one command shows, in order, and the change it makes to its list.
struct NgCommandPlan {
    std::vector<UserMessage> messages;
    NgList list = NgList::Users;
    std::optional<std::string> append;      // a new last entry
    std::optional<std::size_t> eraseIndex;  // the entry to remove
};

// The view whose selection the commands take on the page at tabIndex
// (通常 0 to システム 9, hidden tabs counted); empty on any other page.
std::optional<ChatChannel> ViewOfTab(int tabIndex) noexcept;

// NGユーザーに追加, NGワードに追加, NGユーザーから削除, NGワードから削除, given
// the selected text (CP932) of the active tab's view.
NgCommandPlan PlanNgCommand(const NgLists& lists, NgList list, NgAction action,
                            std::string_view selected);
void ApplyNgCommand(NgLists& lists, const NgCommandPlan& plan);

// The text of a dialog memo: the entries, each followed by CR LF.
std::string NgDialogText(const std::vector<std::string>& entries);
// The entries of a dialog memo: every line in order, blank lines included,
// except an empty line after the final line break. CR LF, CR and LF end lines.
std::vector<std::string> NgEntriesFromDialog(std::string_view text);
// The dialog's OK: both lists replaced by the memos' lines. (キャンセル changes
// nothing.)
void ApplyNgDialog(NgLists& lists, std::string_view userMemo, std::string_view wordMemo);

}  // namespace ruv
