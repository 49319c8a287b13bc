#include "core/views/ng_lists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/log_lines.h"

namespace ruv::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

UserMessage warning(std::string_view utf8) {
    return {MessageKind::Warning, sj(utf8)};
}
UserMessage plain(std::string_view utf8) {
    return {MessageKind::Plain, sj(utf8)};
}

NgCommandPlan run(NgLists& lists, NgList list, NgAction action, std::string_view selected) {
    NgCommandPlan plan = PlanNgCommand(lists, list, action, selected);
    ApplyNgCommand(lists, plan);
    return plan;
}

TEST(NgCommands, EmptySelectionIsRefusedWithAWarning) {
    NgLists lists;
    for (NgList list : {NgList::Users, NgList::Words}) {
        for (NgAction action : {NgAction::Add, NgAction::Remove}) {
            EXPECT_THAT(run(lists, list, action, "").messages,
                        ElementsAre(warning("文字が選択されていません。")));
        }
    }
    EXPECT_THAT(lists.users, IsEmpty());
    EXPECT_THAT(lists.words, IsEmpty());
}

TEST(NgCommands, SelectionOverALineEndIsRefusedWithTheThreeLineMessage) {
    NgLists lists{{"Abc"}, {"word"}};
    const std::string hint = "\r\n（行末の改行文字まで選択されてる可能性があります）";
    EXPECT_THAT(
        run(lists, NgList::Users, NgAction::Add, "Abc\r\n").messages,
        ElementsAre(warning("文章が複数行選択されているため、NGユーザーリストに追加出来ません。\r\n"
                            "再度NGユーザーリストに追加したいユーザー名を選択し直してください。" +
                            hint)));
    EXPECT_THAT(
        run(lists, NgList::Words, NgAction::Remove, "word\r\nx").messages,
        ElementsAre(warning("文章が複数行選択されているため、NGワードリストから削除出来ません。\r\n"
                            "再度NGワードリストから削除したいワードを選択し直してください。" +
                            hint)));
    EXPECT_THAT(run(lists, NgList::Words, NgAction::Add, "a\nb").messages.front().kind,
                MessageKind::Warning);
    EXPECT_THAT(lists.users, ElementsAre("Abc"));
    EXPECT_THAT(lists.words, ElementsAre("word"));
}

TEST(NgCommands, AddAppendsUnlessAnEqualEntryIsListed) {
    NgLists lists{{"Abc"}, {}};
    EXPECT_THAT(run(lists, NgList::Users, NgAction::Add, "abc").messages,
                ElementsAre(plain("「abc」をNGユーザーリストに追加しました。")));
    run(lists, NgList::Users, NgAction::Add, " Abc");
    EXPECT_THAT(run(lists, NgList::Users, NgAction::Add, "Abc").messages,
                ElementsAre(plain("この「Abc」は既にNGユーザーリストに含まれています。")));
    EXPECT_THAT(lists.users, ElementsAre("Abc", "abc", " Abc"));
    EXPECT_THAT(lists.words, IsEmpty());
}

TEST(NgCommands, DuplicatedWordIsReportedPerCopyAndOnlyTheLaterCopyRemoved) {
    NgLists lists{{}, {"x", "dup", "y", "dup", "z"}};
    const std::string word = sj("表");
    lists.words.push_back(word);
    EXPECT_THAT(run(lists, NgList::Words, NgAction::Add, "dup").messages,
                ElementsAre(plain("この「dup」は既にNGワードリストに含まれています。"),
                            plain("この「dup」は既にNGワードリストに含まれています。")));
    const UserMessage removing{MessageKind::Information,
                               sj("この「dup」をNGワードリストから削除します。")};
    EXPECT_THAT(
        run(lists, NgList::Words, NgAction::Remove, "dup").messages,
        ElementsAre(removing, removing, plain("「dup」をNGワードリストから削除しました。")));
    EXPECT_THAT(lists.words, ElementsAre("x", "dup", "y", "z", word));
}

TEST(NgCommands, RemovingAnUnlistedNameShowsOnlyTheNotListedMessage) {
    NgLists lists{{"Abc"}, {"Def"}};
    EXPECT_THAT(run(lists, NgList::Users, NgAction::Remove, "Def").messages,
                ElementsAre(plain("この「Def」はNGユーザーリストに登録されていません。")));
    EXPECT_THAT(run(lists, NgList::Users, NgAction::Remove, "Abc").messages,
                ElementsAre(UserMessage{MessageKind::Information,
                                        sj("この「Abc」をNGユーザーリストから削除します。")},
                            plain("「Abc」をNGユーザーリストから削除しました。")));
    EXPECT_THAT(lists.users, IsEmpty());
    EXPECT_THAT(lists.words, ElementsAre("Def"));
}

TEST(NgCommands, TabToViewMapCoversTheTenChannelTabsOnly) {
    EXPECT_EQ(ViewOfTab(0), ChatChannel::Normal);
    EXPECT_EQ(ViewOfTab(6), ChatChannel::Original);
    EXPECT_EQ(ViewOfTab(7), ChatChannel::NG);
    EXPECT_EQ(ViewOfTab(8), ChatChannel::Battle);
    EXPECT_EQ(ViewOfTab(9), ChatChannel::System);
    EXPECT_EQ(ViewOfTab(10), std::nullopt);
    EXPECT_EQ(ViewOfTab(11), std::nullopt);
    EXPECT_EQ(ViewOfTab(-1), std::nullopt);
}

TEST(NgDialog, OkTakesEveryLineIncludingBlankOnesButNotTheEmptyLast) {
    NgLists lists{{"old"}, {"old"}};
    ApplyNgDialog(lists, "a\r\n\r\nb\r\n", "one\rtwo\nthree\r\n\r\n");
    EXPECT_THAT(lists.users, ElementsAre("a", "", "b"));
    EXPECT_THAT(lists.words, ElementsAre("one", "two", "three", ""));
    ApplyNgDialog(lists, "", "last without break");
    EXPECT_THAT(lists.users, IsEmpty());
    EXPECT_THAT(lists.words, ElementsAre("last without break"));
}

TEST(NgDialog, MemoTextRoundTripsTheList) {
    const std::vector<std::string> entries{"Abc", "", sj("表示"), " x "};
    EXPECT_EQ(NgDialogText(entries), "Abc\r\n\r\n" + sj("表示") + "\r\n x \r\n");
    EXPECT_EQ(NgEntriesFromDialog(NgDialogText(entries)), entries);
    EXPECT_EQ(NgDialogText({}), "");
}

}  // namespace
}  // namespace ruv::testing
