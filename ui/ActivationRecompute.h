#pragma once
// The recompute a window runs each time it becomes the active window, run
// from the event loop rather than inside the activation (it may show a
// message box with its own loop). The activation that follows one of the
// window's own dialogs (a message of its own recompute, the keypad or the
// ports window of its own command) recomputes only when the scheme or the
// line changed meanwhile: closing such a dialog gives the window the focus
// back, and a recompute that warns would warn again, without end.

#include <QWidget>
#include <functional>

#include "brokenline/PointsScreen.h"
#include "scheme/session/Session.h"

namespace velmar::ui {

class ActivationRecompute {
  public:
    ActivationRecompute(QWidget& window, const Session& session, std::function<void()> recompute)
        : window_(window), session_(session), recompute_(std::move(recompute)) {}

    /// From the window's change event: an activation queues the recompute;
    /// a deactivation while a command runs marks one of the window's own
    /// dialogs.
    void ActivationChanged();
    /// The recompute, unless a command is running, the window is hidden or
    /// the gate says nothing changed since the window's own dialog.
    void Activated();
    /// Runs a command that may open the window's own dialogs; what the
    /// scheme and the line hold afterwards is recorded.
    template <typename F>
    void Busy(F&& call) {
        ++busy_;
        call();
        --busy_;
        Record();
    }
    /// Records what the scheme and the line hold after a recompute.
    void Record() { gate_.Record(ActivationFingerprint(session_.scheme(), session_.line())); }

  private:
    QWidget& window_;
    const Session& session_;
    std::function<void()> recompute_;
    ActivationGate gate_;
    int busy_ = 0;
    bool queued_ = false;
};

}  // namespace velmar::ui
