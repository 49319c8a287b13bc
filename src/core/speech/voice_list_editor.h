#pragma once
// The per-character voice list as the speech dialog edits it: the rows, the
// selection, the edit panel and the two edit modes, with what each command
// leaves. The dialog shows this state and turns its controls into commands.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/speech/voice_list.h"
#include "core/vocabulary/message_kind.h"

namespace ruv {

// The edit panel's ranges, as its controls offer them.
struct PanelRange {
    int minimum;
    int maximum;
};
inline constexpr PanelRange kPanelVoiceRange{0, 8};
inline constexpr PanelRange kPanelVolumeRange{0, 100};
inline constexpr PanelRange kPanelSpeedRange{50, 200};
inline constexpr PanelRange kPanelToneRange{50, 200};

// The panel's values when nothing is selected: no name, voice 0 and 100 for
// the three sliders.
inline const VoiceProfile kPanelResetValues{"", 0, 100, 100, 100};

// "新規追加" refuses an empty name and a name some row already carries.
enum class AddRowCheck { Accepted, EmptyName, DuplicateName };
// The warning for a refused row.
std::string_view addRowRefusalText(AddRowCheck check);

enum class VoiceEditMode { Add, Edit };  // "新規作成", "リスト再編集"
enum class PanelSlider { Volume, Speed, Tone };

// The OK/キャンセル questions the editor asks; OK answers Answer::Yes.
class VoiceListQuestions {
  public:
    virtual ~VoiceListQuestions() = default;
    virtual Answer confirm(std::string_view text) = 0;  // CP932
};

class VoiceListEditor {
  public:
    // The stored rows, in add mode with an empty panel.
    void open(std::vector<VoiceProfile> rows);
    // Closing by any way: add mode, nothing selected, the panel at its reset
    // values, no row number and the name no longer blocked. The rows stay.
    void close();

    void chooseAddMode();  // drops the selection and the row number
    void chooseEditMode();
    // The rows selected in the list. The panel shows the first of them and the
    // row number names it; with none, the panel resets and the number empties.
    void select(std::vector<std::size_t> rows);

    // The panel's controls. While a row is being edited (the row number names
    // the first selected row) each writes into that row at once; a name that
    // another row carries, or an empty one, blocks the list, "新規作成", "OK"
    // and "削除" until it is corrected.
    void typeName(std::string name);
    void chooseVoice(int voice);
    void moveSlider(PanelSlider slider, int value);

    // "新規追加": nothing outside add mode; otherwise appends the panel as a new
    // row and empties the name, unless the check refuses the name.
    std::optional<AddRowCheck> add();
    // "削除": with the list usable and a row selected, asks and on OK deletes
    // every selected row. True when rows were deleted.
    bool deleteSelected(VoiceListQuestions& questions);

    const std::vector<VoiceProfile>& rows() const noexcept { return rows_; }
    const std::vector<std::size_t>& selection() const noexcept { return selection_; }
    const VoiceProfile& panel() const noexcept { return panel_; }
    std::optional<std::size_t> rowNumber() const noexcept { return rowNumber_; }
    VoiceEditMode mode() const noexcept { return mode_; }
    bool nameBlocked() const noexcept { return nameBlocked_; }
    bool nameDuplicate() const noexcept { return nameDuplicate_; }

    bool listEnabled() const noexcept { return mode_ == VoiceEditMode::Edit && !nameBlocked_; }
    bool addModeEnabled() const noexcept { return !nameBlocked_; }
    bool addEnabled() const noexcept { return mode_ == VoiceEditMode::Add; }
    bool deleteEnabled() const noexcept { return listEnabled(); }
    bool rowNumberEnabled() const noexcept { return mode_ == VoiceEditMode::Edit; }
    bool okEnabled() const noexcept { return !nameBlocked_; }

  private:
    std::optional<std::size_t> editedRow() const;

    std::vector<VoiceProfile> rows_;
    std::vector<std::size_t> selection_;  // ascending
    VoiceProfile panel_ = kPanelResetValues;
    std::optional<std::size_t> rowNumber_;
    VoiceEditMode mode_ = VoiceEditMode::Add;
    bool nameBlocked_ = false;
    bool nameDuplicate_ = false;
};

}  // namespace ruv
