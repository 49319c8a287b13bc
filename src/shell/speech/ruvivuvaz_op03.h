#pragma once
// TForm4 "棒読みちゃんへの各種設定": the speech settings and the per-character
// voices. Filled from the window's stored state on every opening; stores only
// on "OK".

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/speech/speech_dialog_rules.h"
#include "core/speech/voice_list.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTimer;
class QTreeWidget;

namespace ruv {

class TForm1;

class TForm4 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm4(TForm1& window);

    // OpenSpeechSettings: fills the dialog from the stored state and shows it
    // modally without running a nested event loop. Does nothing while shown.
    void OpenSpeechSettings();

    // The rows of the per-character list as they stand in the dialog.
    const std::vector<VoiceProfile>& rows() const { return rows_; }
    // The 2.5-second wait of the connection test; it starts once the sender
    // has tried the test request.
    QTimer& connectionTestWait() { return *testWait_; }

    // Handlers, named after their control and event.
    void Button01Click();  // OK
    void Button02Click();  // キャンセル
    void Button03Click();  // 設定の初期化
    void TestButton01Click();
    void VoiceTestButton01Click();
    void VoiceTestButton02Click();
    void TrackBar01Change();
    void TrackBar02Change();
    void TrackBar03Change();
    void TrackBar11Change();
    void TrackBar12Change();
    void TrackBar13Change();
    void VoiceComboBox02Change();
    void NameEdit01Change();
    void ListView01SelectItem();
    void ListAddButton01Click();
    void Delete1Click();
    void AddRadioButton01Click();
    void EditRadioButton01Click();
    void FormClose();

    void done(int result) override;

  private:
    void buildBasicPage(QWidget* page);
    void buildVoicePage(QWidget* page);
    QSlider* addSlider(QWidget* page, const char* name, const char* labelName, int minimum,
                       int maximum, QLabel*& valueLabel);
    QLineEdit* guardedEdit(QWidget* page, const char* name);

    void showValues(const SpeechDialogValues& values);
    SpeechDialogValues typedValues() const;
    std::optional<std::string> fieldText(const QLineEdit* edit) const;
    void refuseNotNumber(const QString& typed);
    // The port field holds no port: not a whole number, or outside 1 to 65535.
    void refusePort();

    // The row whose values the panel edits live; empty unless the row number
    // holds the index of the (first) selected row.
    std::optional<std::size_t> editedRow() const;
    std::optional<std::size_t> selectedRow() const;
    void showRow(std::size_t index);
    void writeRowCell(std::size_t index, int column);
    void appendRowItem(const VoiceProfile& row);
    void fillPanel(const VoiceProfile& values);
    void setNameState(bool blocked, bool duplicate);
    void setListEnabled(bool enabled);
    void panelSliderChanged(QSlider* slider, QLabel* label, int column);
    void sendTest(const VoiceParams* voice);
    void connectionTestTried(std::uint64_t request);

    TForm1& window_;
    std::vector<VoiceProfile> rows_;
    bool filling_ = false;

    QTabWidget* pages_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QLineEdit* portEdit_ = nullptr;
    QLineEdit* limitEdit_ = nullptr;
    std::array<QSlider*, 3> globalSliders_{};  // TrackBar01 volume, 02 speed, 03 tone
    std::array<QLabel*, 3> globalLabels_{};
    QComboBox* globalVoice_ = nullptr;   // VoiceComboBox01
    QRadioButton* readNames_ = nullptr;  // RadioButton01 読む
    QRadioButton* skipNames_ = nullptr;  // RadioButton02 読まない
    QPushButton* testButton_ = nullptr;  // TestButton01
    QPushButton* okButton_ = nullptr;    // Button01
    QTimer* testWait_ = nullptr;
    // Connection tests sent so far, and the one the sender has not tried yet.
    std::uint64_t connectionTests_ = 0;
    std::optional<std::uint64_t> pendingConnectionTest_;

    QLineEdit* nameEdit_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* rowNumber_ = nullptr;
    QComboBox* rowVoice_ = nullptr;         // VoiceComboBox02
    std::array<QSlider*, 3> rowSliders_{};  // TrackBar11 volume, 12 speed, 13 tone
    std::array<QLabel*, 3> rowLabels_{};
    QRadioButton* addMode_ = nullptr;      // AddRadioButton01 新規作成
    QRadioButton* editMode_ = nullptr;     // EditRadioButton01 リスト再編集
    QPushButton* addButton_ = nullptr;     // ListAddButton01 新規追加
    QPushButton* deleteButton_ = nullptr;  // 削除
    QTreeWidget* list_ = nullptr;          // ListView01
};

}  // namespace ruv
