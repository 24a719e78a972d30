#pragma once
// Drives the program's modal windows from a test: every time a modal window
// shows, the next queued action runs on it from inside its own event loop,
// as a user's keys and clicks would. A modal window with no action left is
// closed (and counted), so that a test never hangs on it. KeyOn sends a key
// to a window that is not modal.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace velmar::ui::testing {

class ModalDriver : public QObject {
  public:
    using Action = std::function<void(QWidget*)>;

    ModalDriver() { qApp->installEventFilter(this); }

    ModalDriver& Then(Action action) {
        actions_.push_back(std::move(action));
        return *this;
    }
    /// Presses a button of the modal window by its name ("bbYes", "hbOK");
    /// with `texts`, the window's label texts are noted first, so that a test
    /// can tell which message came.
    ModalDriver& Press(const char* button, QStringList* texts = nullptr) {
        return Then([name = QString::fromLatin1(button), texts](QWidget* w) {
            if (texts)
                for (const QLabel* label : w->findChildren<QLabel*>()) *texts << label->text();
            Activate(w);
            if (auto* b = w->findChild<QAbstractButton*>(name))
                QTest::mouseClick(b, Qt::LeftButton);
        });
    }
    /// Types the characters one by one into whatever has the focus at each.
    ModalDriver& Type(const QString& keys) {
        return Then([keys](QWidget* w) {
            Activate(w);
            TypeInto(w, keys);
        });
    }
    /// Types into the window's focus, the keys a user would ("\t" is Tab,
    /// "\r" Enter, "\x1b" Escape, "\b" Backspace), until the window closes.
    static void TypeInto(QWidget* w, const QString& keys) {
        for (const QChar c : keys) {
            if (!w->isVisible()) break;
            QWidget* focus = QApplication::focusWidget();
            if (!focus || !w->isAncestorOf(focus)) focus = w->focusWidget();
            // A spin box's keys go through the box, not its inner line.
            if (focus && focus->parentWidget() && focus->parentWidget()->focusProxy() == focus)
                focus = focus->parentWidget();
            QWidget* target = focus ? focus : w;
            const char ascii = c.toLatin1();
            const Qt::Key key = ascii == '\t'     ? Qt::Key_Tab
                                : ascii == '\r'   ? Qt::Key_Return
                                : ascii == '\x1b' ? Qt::Key_Escape
                                : ascii == '\b'   ? Qt::Key_Backspace
                                                  : Qt::Key_unknown;
            if (key != Qt::Key_unknown)
                QTest::keyClick(target, key);
            else
                QTest::keyClick(target, ascii);
        }
    }

    /// The titles of the modal windows shown, in order.
    const QStringList& Titles() const { return titles_; }
    /// Modal windows that found no action and were closed.
    int Unexpected() const { return unexpected_; }
    bool Done() const { return actions_.empty(); }

    /// Makes the modal window the active one, as a window manager does on
    /// showing it (the offscreen platform leaves that to the caller).
    static void Activate(QWidget* w) {
        w->activateWindow();
        // A platform that never reports the activation still lets the test go on.
        (void)QTest::qWaitForWindowActive(w);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow() || !widget->isModal()) return false;
        titles_ << widget->windowTitle();
        QPointer<QWidget> shown(widget);
        QTimer::singleShot(0, this, [this, shown] {
            if (!shown || !shown->isVisible()) return;
            if (actions_.empty()) {
                ++unexpected_;
                shown->close();
                return;
            }
            const Action action = actions_.front();
            actions_.pop_front();
            action(shown);
        });
        return false;
    }

  private:
    std::deque<Action> actions_;
    QStringList titles_;
    int unexpected_ = 0;
};

/// A key on a window as the platform delivers it (to its focus, through its
/// shortcuts), the window having the focus back first, as it has on a
/// desktop when a modal window over it closes.
inline void KeyOn(QWidget* w, Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier) {
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTRY_COMPARE(QGuiApplication::focusWindow(), w->windowHandle());
    QTest::keyClick(w->windowHandle(), key, held);
    QCoreApplication::processEvents();
}

}  // namespace velmar::ui::testing
