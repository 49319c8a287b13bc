#pragma once
// The call-sound dialog "呼び出し音の設定": one path field per slot with its
// browse button; "OK" checks the paths and applies them, "キャンセル" does not.

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

#include "core/sound/call_sound_slots.h"

class QLineEdit;
class QPushButton;
class QToolButton;

namespace ruv {

class UserMessages;

class CallSoundDialog : public QDialog {
    Q_OBJECT
  public:
    // Asks for a sound file: the preset file name, its folder and the filter;
    // returns the chosen full path, or an empty text when cancelled.
    using FileChooser = std::function<QString(const QString& fileName, const QString& folder,
                                              const QString& filter)>;

    // The open-file filter: wave files, MP3 files and all files.
    static const QString kBrowseFilter;

    CallSoundDialog(CallSoundSlots& soundSlots, UserMessages& messages, QWidget* parent = nullptr);

    // Fills the seven fields with the slots' current paths.
    void fillFromSlots();
    // LabeledEdit01 ... LabeledEdit09 and SpeedButton1 ... SpeedButton9.
    QLineEdit* field(ChatChannel slot) const;
    QToolButton* browseButton(ChatChannel slot) const;
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    // Replaces the file dialog (tests answer it themselves).
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    // Handlers. browseClicked serves all seven "..." buttons: the slot is
    // the clicked button's tag (1 to 6, 9).
    void browseClicked();
    void okClicked();      // OK
    void cancelClicked();  // キャンセル

  private:
    void browse(ChatChannel slot);
    std::optional<CallSoundPaths> fieldPaths();
    static QString chooseWithFileDialog(QWidget* parent, const QString& fileName,
                                        const QString& folder, const QString& filter);

    CallSoundSlots& slots_;
    UserMessages& messages_;
    FileChooser chooser_;
    std::array<QLineEdit*, kCallSoundSlotCount> fields_{};
    std::array<QToolButton*, kCallSoundSlotCount> buttons_{};
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace ruv
