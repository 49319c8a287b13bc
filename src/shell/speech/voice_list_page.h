#pragma once
// The speech dialog's second page, "ユーザー別発声設定": the per-character
// list and the panel that edits it. It shows a VoiceListEditor and reports
// what the user does; it decides nothing itself.

#include <QWidget>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/speech/voice_list_editor.h"
#include "core/speech/voice_params.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTreeWidget;

namespace ruv {

class VoiceListPage : public QWidget {
    Q_OBJECT
  public:
    // refused: called when the name field turns down text Shift-JIS cannot hold.
    VoiceListPage(std::function<void()> refused, QWidget* parent);

    // Shows the editor's rows, selection, panel and modes. The user's signals
    // are held back meanwhile.
    void showEditor(const VoiceListEditor& editor);

    std::string typedName() const;
    int chosenVoice() const;
    int sliderValue(PanelSlider slider) const;
    std::vector<std::size_t> selectedRows() const;
    // The panel's voice, for its voice test.
    VoiceParams typedVoice() const;

  signals:
    void nameEdited();        // NameEdit01
    void voiceChosen();       // VoiceComboBox02
    void volumeMoved();       // TrackBar11
    void speedMoved();        // TrackBar12
    void toneMoved();         // TrackBar13
    void selectionChanged();  // ListView01
    void addClicked();        // ListAddButton01
    void deleteClicked();     // DeleteButton01 and the list's pop-up entry Delete1
    void addModeClicked();    // AddRadioButton01
    void editModeClicked();   // EditRadioButton01
    void voiceTestClicked();  // VoiceTestButton02

  private:
    // Connects a control's signal to one of ours, held back while showing.
    template <typename Sender, typename Signal>
    void relay(Sender* sender, Signal signal, void (VoiceListPage::*ours)());
    void showRows(const VoiceListEditor& editor);
    void showPanel(const VoiceProfile& panel);
    void showNameState(bool blocked, bool duplicate);
    void showListEnabled(bool enabled);

    bool showing_ = false;
    QLineEdit* nameEdit_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* rowNumber_ = nullptr;
    QComboBox* voice_ = nullptr;         // VoiceComboBox02
    std::array<QSlider*, 3> sliders_{};  // TrackBar11 volume, 12 speed, 13 tone
    std::array<QLabel*, 3> labels_{};
    QRadioButton* addMode_ = nullptr;      // AddRadioButton01 新規作成
    QRadioButton* editMode_ = nullptr;     // EditRadioButton01 リスト再編集
    QPushButton* addButton_ = nullptr;     // ListAddButton01 新規追加
    QPushButton* deleteButton_ = nullptr;  // 削除
    QTreeWidget* list_ = nullptr;          // ListView01
};

}  // namespace ruv
