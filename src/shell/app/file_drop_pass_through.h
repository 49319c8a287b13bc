#pragma once
// Hands local files dragged over any text field of the window or of its
// dialogs (not of its other windows) on to the window's own handling (it attaches a dropped log),
// instead of letting the field type their address. Links and text dragged into a field still land
// there. Watches the whole application, so fields made after start-up behave the same.

#include <QObject>

#include <functional>

class QDropEvent;
class QWidget;

namespace ruv {

class FileDropPassThrough final : public QObject {
  public:
    // window: whose fields, and whose dialogs' fields, hand files on.
    // handle: takes the drag enter, move or drop event of files and accepts or ignores it.
    FileDropPassThrough(QWidget& window, std::function<void(QDropEvent&)> handle);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool ownsTextField(const QObject* watched) const;

    QWidget& window_;
    std::function<void(QDropEvent&)> handle_;
};

}  // namespace ruv
