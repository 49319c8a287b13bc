// The per-character list as the speech dialog edits it: what each command
// leaves in the rows, the selection, the panel and the controls' states.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/speech/speech_dialog_rules.h"
#include "core/speech/voice_list_editor.h"

namespace {

using ruv::Answer;
using ruv::VoiceListEditor;
using ruv::VoiceProfile;

struct ScriptedQuestions final : ruv::VoiceListQuestions {
    Answer confirm(std::string_view text) override {
        asked.emplace_back(text);
        return answer;
    }
    Answer answer = Answer::Yes;
    std::vector<std::string> asked;
};

std::vector<std::string> names(const VoiceListEditor& editor) {
    std::vector<std::string> out;
    for (const VoiceProfile& row : editor.rows()) {
        out.push_back(row.Name);
    }
    return out;
}

VoiceListEditor editing(std::vector<VoiceProfile> rows, std::size_t selected) {
    VoiceListEditor editor;
    editor.open(std::move(rows));
    editor.chooseEditMode();
    editor.select({selected});
    return editor;
}

TEST(VoiceListEditor, AddingAppendsThePanelOnlyInAddModeAndEmptiesTheName) {
    VoiceListEditor editor;
    editor.open({{"abc", 3, 80, 120, 90}});
    editor.typeName("xy");
    editor.chooseVoice(5);
    editor.moveSlider(ruv::PanelSlider::Tone, 60);
    EXPECT_EQ(editor.add(), ruv::AddRowCheck::Accepted);
    EXPECT_EQ(editor.rows().back(), (VoiceProfile{"xy", 5, 100, 100, 60}));
    EXPECT_EQ(editor.panel(), (VoiceProfile{"", 5, 100, 100, 60}));
    EXPECT_EQ(editor.add(), ruv::AddRowCheck::EmptyName);
    editor.typeName("abc");
    EXPECT_EQ(editor.add(), ruv::AddRowCheck::DuplicateName);
    editor.typeName("ABC");  // names are compared exactly
    EXPECT_EQ(editor.add(), ruv::AddRowCheck::Accepted);
    EXPECT_EQ(ruv::addRowRefusalText(ruv::AddRowCheck::DuplicateName),
              ruv::speech_dialog_texts::kDuplicateName);
    EXPECT_EQ(ruv::addRowRefusalText(ruv::AddRowCheck::EmptyName),
              ruv::speech_dialog_texts::kEmptyName);

    editor.chooseEditMode();
    editor.typeName("q");
    EXPECT_FALSE(editor.add().has_value());
    EXPECT_EQ(editor.rows().size(), 3u);
}

TEST(VoiceListEditor, RenamingToAnotherRowsNameBlocksTheListUntilCorrected) {
    VoiceListEditor editor = editing({{"abc", 0, 100, 100, 100}, {"xy", 0, 100, 100, 100}}, 1);
    editor.typeName("abc");
    EXPECT_TRUE(editor.nameDuplicate());
    EXPECT_FALSE(editor.okEnabled() || editor.listEnabled() || editor.deleteEnabled() ||
                 editor.addModeEnabled());

    editor.typeName("");
    EXPECT_FALSE(editor.nameDuplicate());
    EXPECT_FALSE(editor.okEnabled());  // a row without a name is held like a duplicate
    editor.typeName("xy");             // its own name again
    EXPECT_TRUE(editor.okEnabled());
    editor.typeName("ab");
    EXPECT_TRUE(editor.okEnabled() && editor.listEnabled() && editor.deleteEnabled());
    EXPECT_EQ(names(editor), (std::vector<std::string>{"abc", "ab"}));
}

TEST(VoiceListEditor, SelectingFillsThePanelWithinItsRangesAndAddModeDropsIt) {
    VoiceListEditor editor = editing({{"abc", 12, 150, 20, 90}, {"xy", 0, 100, 100, 100}}, 0);
    EXPECT_EQ(editor.panel(), (VoiceProfile{"abc", 8, 100, 50, 90}));
    EXPECT_EQ(editor.rowNumber(), 0u);
    editor.moveSlider(ruv::PanelSlider::Speed, 70);
    EXPECT_EQ(editor.rows()[0], (VoiceProfile{"abc", 12, 150, 70, 90}));

    editor.chooseAddMode();
    EXPECT_TRUE(editor.selection().empty());
    EXPECT_FALSE(editor.rowNumber().has_value());
    EXPECT_EQ(editor.panel(), ruv::kPanelResetValues);
    editor.moveSlider(ruv::PanelSlider::Speed, 80);  // no row is edited now
    EXPECT_EQ(editor.rows()[0].Speed, 70);
}

TEST(VoiceListEditor, DeleteAsksAndOnOkRemovesEverySelectedRow) {
    VoiceListEditor editor =
        editing({{"a", 0, 100, 100, 100}, {"b", 0, 100, 100, 100}, {"c", 0, 100, 100, 100}}, 0);
    editor.select({2, 0});
    ScriptedQuestions questions;
    questions.answer = Answer::No;
    EXPECT_FALSE(editor.deleteSelected(questions));
    EXPECT_EQ(editor.rows().size(), 3u);

    questions.answer = Answer::Yes;
    EXPECT_TRUE(editor.deleteSelected(questions));
    EXPECT_EQ(names(editor), std::vector<std::string>{"b"});
    EXPECT_FALSE(editor.rowNumber().has_value());
    EXPECT_FALSE(editor.deleteSelected(questions));  // nothing selected: not asked
    EXPECT_EQ(questions.asked,
              std::vector<std::string>(2, std::string(ruv::speech_dialog_texts::kDeleteQuestion)));
}

}  // namespace
