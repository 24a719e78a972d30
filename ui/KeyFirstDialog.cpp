#include "ui/KeyFirstDialog.h"

#include <QKeyEvent>

namespace velmar::ui {

bool KeyFirstDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        HandleKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void KeyFirstDialog::keyPressEvent(QKeyEvent* event) {
    // Escape with a modifier is no command here, and never the dialog's reject.
    if (HandleKey(*event) || event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void KeyFirstDialog::keyReleaseEvent(QKeyEvent* event) {
    if (HandleKey(*event)) return;
    QDialog::keyReleaseEvent(event);
}

}  // namespace velmar::ui
