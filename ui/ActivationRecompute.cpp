#include "ui/ActivationRecompute.h"

#include <QMetaObject>

namespace velmar::ui {

void ActivationRecompute::ActivationChanged() {
    if (!window_.isActiveWindow()) {
        // Whatever takes the focus while a command of the window runs is one
        // of its own dialogs.
        if (busy_) gate_.OwnDialogOpened();
        return;
    }
    if (queued_) return;
    queued_ = true;
    QMetaObject::invokeMethod(
        &window_,
        [this] {
            queued_ = false;
            Activated();
        },
        Qt::QueuedConnection);
}

void ActivationRecompute::Activated() {
    if (busy_ || !window_.isVisible()) return;
    if (!gate_.ShouldRecompute(ActivationFingerprint(session_.scheme(), session_.line()))) return;
    recompute_();
}

}  // namespace velmar::ui
