#pragma once
// A modal window that sees its keys before its controls: each key press and
// release of the window, and of every control that has the window as its
// event filter, goes first to HandleKey. Escape never reaches the dialog's
// own reject, so it answers only as the window's commands say.

#include <QDialog>

class QKeyEvent;

namespace velmar::ui {

class KeyFirstDialog : public QDialog {
    Q_OBJECT

  public:
    using QDialog::QDialog;

  protected:
    /// The window's keys; true when the key was a command of the window.
    virtual bool HandleKey(const QKeyEvent& event) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

}  // namespace velmar::ui
