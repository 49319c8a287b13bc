#pragma once
// The file dialog that picks a log to attach (OpenDialog1), behind a port so
// tests can answer it without a modal dialog.

#include <QString>

#include <memory>
#include <optional>

#include "core/log/log_session_ports.h"

class QWidget;

namespace ruv {

// "HTML文書(*.html;*.htm)" showing *.html and *.htm.
QString logFileFilter();
// Whether the dialog's filter would list the file: *.html or *.htm, in any case.
bool isLogFileName(const QString& path);

// A log path the user named (in the dialog, on the command line, by a drop) as
// the log session takes it: absolute, with native separators, in CP932;
// Unrepresentable when CP932 cannot hold it.
ChosenLog namedLog(const QString& path);

class LogFileDialog {
  public:
    virtual ~LogFileDialog() = default;
    // The chosen file's full path; empty when the user cancels. The file need
    // not exist (a typed name is returned as it is).
    virtual std::optional<QString> chooseLog(const QString& initialFolder) = 0;
};

// A real modal file dialog over a parent window.
class QtLogFileDialog final : public LogFileDialog {
  public:
    explicit QtLogFileDialog(QWidget* parent) : parent_(parent) {}
    std::optional<QString> chooseLog(const QString& initialFolder) override;

  private:
    QWidget* parent_;
};

// The dialog as the log session's chooser: CP932 paths with native separators.
class DialogLogChooser final : public LogFileChooser {
  public:
    explicit DialogLogChooser(QWidget* parent)
        : own_(std::make_unique<QtLogFileDialog>(parent)), dialog_(own_.get()) {}
    ChosenLog chooseLog(std::string_view cp932InitialFolder) override;
    // Tests answer the dialog themselves; null puts the real dialog back.
    void use(LogFileDialog* dialog) { dialog_ = dialog != nullptr ? dialog : own_.get(); }

  private:
    std::unique_ptr<LogFileDialog> own_;
    LogFileDialog* dialog_;
};

}  // namespace ruv
