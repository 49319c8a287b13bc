#include "core/views/ng_lists.h"

#include "core/views/ng_texts.h"
#include "core/views/tab_rules.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

namespace {

struct ListTexts {
    std::string_view multiLineAdd;
    std::string_view reselectAdd;
    std::string_view multiLineRemove;
    std::string_view reselectRemove;
    std::string_view duplicate;
    std::string_view added;
    std::string_view removing;
    std::string_view removed;
    std::string_view notListed;
};

const ListTexts& textsOf(NgList list) noexcept {
    using namespace ng_texts;
    static const ListTexts kUsers{kMultiLineAddUser,   kReselectAddUser, kMultiLineRemoveUser,
                                  kReselectRemoveUser, kDuplicateUser,   kAddedUser,
                                  kRemovingUser,       kRemovedUser,     kNotListedUser};
    static const ListTexts kWords{kMultiLineAddWord,   kReselectAddWord, kMultiLineRemoveWord,
                                  kReselectRemoveWord, kDuplicateWord,   kAddedWord,
                                  kRemovingWord,       kRemovedWord,     kNotListedWord};
    return list == NgList::Users ? kUsers : kWords;
}

std::string joined(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view part : parts) {
        out.append(part);
    }
    return out;
}

const std::vector<std::string>& entriesOf(const NgLists& lists, NgList list) noexcept {
    return list == NgList::Users ? lists.users : lists.words;
}

}  // namespace

std::optional<ChatChannel> ViewOfTab(int tabIndex) noexcept {
    const std::optional<Tab> tab = tabAtIndex(tabIndex);
    const std::optional<ChatChannel> channel = tab ? channelOf(*tab) : std::nullopt;
    if (!channel || channelRow(*channel).view == HasView::No) {
        return std::nullopt;
    }
    return channel;
}

NgCommandPlan PlanNgCommand(const NgLists& lists, NgList list, NgAction action,
                            std::string_view selected) {
    NgCommandPlan plan;
    plan.list = list;
    const ListTexts& texts = textsOf(list);
    if (selected.empty()) {
        plan.messages.push_back({MessageKind::Warning, std::string(ng_texts::kNothingSelected)});
        return plan;
    }
    // A lone LF is refused too: an entry with a line break would split in the file.
    if (selected.find_first_of("\r\n") != std::string_view::npos) {
        const bool add = action == NgAction::Add;
        plan.messages.push_back(
            {MessageKind::Warning, joined({add ? texts.multiLineAdd : texts.multiLineRemove, "\r\n",
                                           add ? texts.reselectAdd : texts.reselectRemove, "\r\n",
                                           ng_texts::kMultiLineHint})});
        return plan;
    }
    const std::vector<std::string>& entries = entriesOf(lists, list);
    std::optional<std::size_t> lastEqual;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] != selected) {
            continue;
        }
        lastEqual = i;
        if (action == NgAction::Add) {
            plan.messages.push_back(
                {MessageKind::Plain, joined({ng_texts::kThisOpen, selected, texts.duplicate})});
        } else {
            plan.messages.push_back({MessageKind::Information,
                                     joined({ng_texts::kThisOpen, selected, texts.removing})});
        }
    }
    if (action == NgAction::Add) {
        if (!lastEqual) {
            plan.append = std::string(selected);
            plan.messages.push_back(
                {MessageKind::Plain, joined({ng_texts::kOpen, selected, texts.added})});
        }
    } else if (lastEqual) {
        plan.eraseIndex = lastEqual;
        plan.messages.push_back(
            {MessageKind::Plain, joined({ng_texts::kOpen, selected, texts.removed})});
    } else {
        plan.messages.push_back(
            {MessageKind::Plain, joined({ng_texts::kThisOpen, selected, texts.notListed})});
    }
    return plan;
}

void ApplyNgCommand(NgLists& lists, const NgCommandPlan& plan) {
    std::vector<std::string>& entries = plan.list == NgList::Users ? lists.users : lists.words;
    if (plan.append) {
        entries.push_back(*plan.append);
    }
    if (plan.eraseIndex && *plan.eraseIndex < entries.size()) {
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(*plan.eraseIndex));
    }
}

std::string NgDialogText(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) {
        text += entry;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> NgEntriesFromDialog(std::string_view text) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            entries.emplace_back(text.substr(start));
            break;
        }
        entries.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return entries;
}

void ApplyNgDialog(NgLists& lists, std::string_view userMemo, std::string_view wordMemo) {
    lists.users = NgEntriesFromDialog(userMemo);
    lists.words = NgEntriesFromDialog(wordMemo);
}

}  // namespace ruv
