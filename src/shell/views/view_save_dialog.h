#pragma once
// The file dialog of このタブを保存…: where to write a view's lines and in
// which encoding, behind a port so tests can answer it without a modal dialog.

#include <QString>

#include <optional>

#include "core/views/view_text_file.h"

class QWidget;

namespace ruv {

struct ViewSaveChoice {
    QString path;
    TextFileEncoding encoding = TextFileEncoding::Utf8;
};

class ViewSaveDialog {
  public:
    virtual ~ViewSaveDialog() = default;
    // Empty when the user cancels. suggestedName: a file name without a folder.
    virtual std::optional<ViewSaveChoice> chooseFile(const QString& suggestedName) = 0;
};

// A modal save dialog over a parent window, in the documents folder, whose
// two filters are the encodings: UTF-8 first, Shift-JIS as the other choice.
class QtViewSaveDialog final : public ViewSaveDialog {
  public:
    explicit QtViewSaveDialog(QWidget* parent) : parent_(parent) {}
    std::optional<ViewSaveChoice> chooseFile(const QString& suggestedName) override;

  private:
    QWidget* parent_;
};

}  // namespace ruv
