#pragma once
// A random user for the whole program: a seeded stream of key presses and
// releases with random modifiers, clicks, double clicks, drags and wheel
// steps at random places of the windows that are up, and menu commands.
//
// The user always acts on the window a real user could reach: an open popup
// (a menu, a list's drop-down) first, else the active modal window, else one
// of the visible top-level windows. Modal windows open nested event loops, so
// they are answered from a chain of zero-time timers that runs inside
// whichever loop is current: every tick schedules the next one and then acts
// once on the innermost modal window (or popup) that no tick is acting on
// already. A bound on the nesting, a patience per modal window and the end
// of the budget turn the ticks into closers (Escape, the close box); a
// window that survives them is a failure, reported with the seed.
//
// Each window has a table of weighted moves, found by its object name, so a
// new window joins with one AddWindow call; windows without a table get the
// generic moves.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <random>
#include <vector>

namespace velmar::ui::testing {

class Monkey : public QObject {
  public:
    /// A move on a window; returns what it did, for the log.
    using Action = std::function<QString(QWidget* window)>;
    struct Move {
        int weight;
        Action act;
    };

    /// Actions on one modal window before the ticks start closing it, and
    /// closing attempts after that before it counts as unclosable.
    static constexpr int kPatience = 60;
    static constexpr int kClosingAttempts = 12;
    /// Modal windows open inside each other before the ticks only close.
    static constexpr int kMaxNesting = 3;
    static constexpr int kLogLength = 30;
    static constexpr int kBlockedPopupTicks = 200;

    /// With VELMAR_MONKEY_TRACE set, every action is written to that file.
    Monkey(std::uint64_t seed, int budget) : rng_(seed), budget_(budget) {
        qApp->installEventFilter(this);
        if (const QByteArray path = qgetenv("VELMAR_MONKEY_TRACE"); !path.isEmpty())
            trace_ = std::fopen(path.constData(), "w");
    }
    ~Monkey() override {
        if (trace_) std::fclose(trace_);
    }

    /// The moves of the window named `objectName`; "" for the generic
    /// moves of every window that has no table of its own.
    void AddWindow(const QString& objectName, std::vector<Move> moves) {
        tables_[objectName] = std::move(moves);
    }
    /// Called before every action with the window acted on.
    std::function<void(QWidget*)> beforeAction;

    /// Starts and stops the ticks that answer modal windows.
    void Start() {
        running_ = true;
        QTimer::singleShot(0, this, [this] { Tick(); });
    }
    void Stop() { running_ = false; }

    /// One action on the user's window: a popup, else the active modal
    /// window (when one is shown without a loop of its own), else a visible
    /// top-level window, which is activated first when it is not active.
    void Step() {
        if (Spent()) return;
        stepping_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{stepping_};
        if (QWidget* w = Innermost()) {
            acting_.push_back(w);
            ActOn(w, false);
            acting_.pop_back();
            return;
        }
        const QList<QWidget*> windows = TopLevels();
        if (windows.isEmpty()) return;
        // The user's window is the one last shown or gone to, not whatever
        // the platform reports active: its activation comes when it comes,
        // and the stream must not depend on that.
        if (!current_ || !windows.contains(current_.data())) {
            current_ = windows.front();
            if (trace_) std::fprintf(trace_, "  (back to %s)\n", qPrintable(Name(current_)));
        }
        QWidget* w = Chance(0.8) ? current_.data() : windows[Pick(int(windows.size()))];
        if (w != current_) {
            current_ = w;
            w->activateWindow();
            Log(w, QStringLiteral("activate"));
            return;
        }
        if (QApplication::activeWindow() != w) w->activateWindow();
        ActOn(w, false);
    }
    /// True while some action is under way on `w`.
    bool Acting(const QWidget* w) const {
        for (const QPointer<QWidget>& busy : acting_)
            if (busy == w) return true;
        return false;
    }

    bool Spent() const { return actions_ >= budget_; }
    int Actions() const { return actions_; }
    /// Set when a modal window could not be closed; the run stops.
    const QString& Failure() const { return failure_; }
    /// The last actions, oldest first.
    QString Recent() const {
        QStringList lines(log_.begin(), log_.end());
        return lines.join(QLatin1Char('\n'));
    }
    void Note(const QString& what) { Log(nullptr, what); }
    /// Actions per window, for the run's summary.
    QString Summary() const {
        QStringList parts;
        for (const auto& [name, count] : perWindow_)
            parts << QStringLiteral("%1 %2").arg(name).arg(count);
        return parts.join(QStringLiteral(", "));
    }

    // The random stream and the moves the tables are made of.
    int Pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    template <typename T>
    const T& OneOf(const std::vector<T>& items) {
        return items[Pick(int(items.size()))];
    }

    /// No modifier half the time, else one of the usual chords.
    Qt::KeyboardModifiers Modifiers() {
        static const Qt::KeyboardModifiers kChords[] = {
            Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
            Qt::ShiftModifier | Qt::ControlModifier, Qt::ControlModifier | Qt::AltModifier};
        const int pick = Pick(10);
        return pick < 5 ? Qt::NoModifier : kChords[pick - 5];
    }

    /// A key from the whole keyboard the program listens to.
    Qt::Key AnyKey() {
        static const std::vector<Qt::Key> kMoves = {
            Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,     Qt::Key_Down,
            Qt::Key_Home, Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown,
            Qt::Key_Tab,  Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Space};
        static const std::vector<Qt::Key> kKeys = {
            Qt::Key_Return, Qt::Key_Enter,   Qt::Key_Escape, Qt::Key_Backspace,
            Qt::Key_Shift,  Qt::Key_Control, Qt::Key_Alt};
        const int kind = Pick(5);
        if (kind == 0) return Qt::Key(Qt::Key_F1 + Pick(12));
        if (kind == 1) return OneOf(kMoves);
        if (kind == 2) return OneOf(kKeys);
        return kind == 3 ? Qt::Key(Qt::Key_A + Pick(26)) : Qt::Key(Qt::Key_0 + Pick(10));
    }

    /// A press, a release or both of `key` on the window, as the platform
    /// delivers them (to the window's focus widget, through the shortcuts).
    QString Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods) {
        QWindow* handle = window->windowHandle();
        if (!handle) return QStringLiteral("no window");
        const int roll = Pick(10);
        const int form = (roll >= 7) + (roll >= 9);  // seven clicks in ten, two presses, a release
        if (form == 0)
            QTest::keyClick(handle, key, mods);
        else if (form == 1)
            QTest::keyPress(handle, key, mods);
        else
            QTest::keyRelease(handle, key, mods);
        static const char* const kForms[] = {"click", "press", "release"};
        return QStringLiteral("key %1 %2")
            .arg(QLatin1String(kForms[form]), QKeySequence(int(mods) | key).toString());
    }
    QString AnyKeyOn(QWidget* window) { return Key(window, AnyKey(), Modifiers()); }
    /// Keys typed one after the other with no modifier.
    QString Type(QWidget* window, const QString& text) {
        QWindow* handle = window->windowHandle();
        if (!handle) return QStringLiteral("no window");
        for (const QChar c : text) {
            if (!window->isVisible()) break;
            QTest::keyClick(handle, c.toLatin1());
        }
        return QStringLiteral("type \"%1\"").arg(text);
    }
    QString Digits(QWidget* window, int most) {
        QString text;
        for (int i = 1 + Pick(most); i > 0; --i) text += QChar(u'0' + Pick(10));
        return Type(window, text);
    }

    /// The visible widgets of a window (the window itself included).
    static QList<QWidget*> Visible(QWidget* window) {
        QList<QWidget*> shown{window};
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisible() && w->window() == window && !w->rect().isEmpty()) shown << w;
        return shown;
    }

    /// A click, double click, right click, drag or move at a random point
    /// of `target` (a random visible widget of the window when null).
    QString Mouse(QWidget* window, QWidget* target = nullptr) {
        QWindow* handle = window->windowHandle();
        if (!handle) return QStringLiteral("no window");
        if (!target) {
            const QList<QWidget*> shown = Visible(window);
            target = shown[Pick(int(shown.size()))];
        }
        const QPoint at = target->mapTo(window, RandomPoint(target));
        static const std::vector<Qt::MouseButton> kButtons = {
            Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton button = OneOf(kButtons);
        const Qt::KeyboardModifiers mods = Chance(0.8) ? Qt::NoModifier : Modifiers();
        const QString where =
            QStringLiteral("%1 %2 at (%3,%4) of %5")
                .arg(ButtonName(button))
                .arg(mods == Qt::NoModifier ? QString() : QKeySequence(int(mods)).toString())
                .arg(at.x())
                .arg(at.y())
                .arg(Name(target));
        const int form = Pick(10);
        if (form < 6) {
            QTest::mouseClick(handle, button, mods, at);
            return QStringLiteral("click ") + where;
        }
        if (form < 8) {
            QTest::mouseDClick(handle, button, mods, at);
            return QStringLiteral("double click ") + where;
        }
        if (form < 9) {
            QTest::mouseMove(handle, at);
            return QStringLiteral("move to ") + where;
        }
        const QPoint to = at + QPoint(Pick(81) - 40, Pick(41) - 20);
        QTest::mousePress(handle, button, mods, at);
        if (window->isVisible()) QTest::mouseMove(handle, to);
        if (window->isVisible()) QTest::mouseRelease(handle, button, mods, to);
        return QStringLiteral("drag to (%1,%2) ").arg(to.x()).arg(to.y()) + where;
    }
    /// A click of the named child, when it is shown.
    QString ClickChild(QWidget* window, const char* name, Qt::MouseButton button = Qt::LeftButton) {
        auto* child = window->findChild<QWidget*>(QLatin1String(name));
        if (!child || !child->isVisible())
            return QStringLiteral("%1 not shown").arg(QLatin1String(name));
        QTest::mouseClick(window->windowHandle(), button, Qt::NoModifier,
                          child->mapTo(window, RandomPoint(child)));
        return QStringLiteral("click %1 %2").arg(ButtonName(button), QLatin1String(name));
    }

    QString Wheel(QWidget* window) {
        const QList<QWidget*> shown = Visible(window);
        QWidget* target = shown[Pick(int(shown.size()))];
        const QPoint at = RandomPoint(target);
        const int steps = Chance(0.5) ? 120 : -120;
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, steps), Qt::NoButton,
                          Chance(0.8) ? Qt::NoModifier : Modifiers(), Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
        return QStringLiteral("wheel %1 on %2").arg(steps).arg(Name(target));
    }

    /// A random enabled command of the window's menu bar.
    QString Menu(QWidget* window) {
        QList<QAction*> commands;
        for (QMenuBar* bar : window->findChildren<QMenuBar*>())
            for (QAction* top : bar->actions())
                if (QMenu* menu = top->menu())
                    for (QAction* a : menu->actions())
                        if (!a->isSeparator() && !a->menu() && a->isEnabled() && a->isVisible())
                            commands << a;
        if (commands.isEmpty()) return QStringLiteral("no menu");
        QAction* a = commands[Pick(int(commands.size()))];
        const QString text = QStringLiteral("menu \"%1\"").arg(a->text());
        a->trigger();
        return text;
    }

    /// The title bar's close box, when the window has one.
    static bool HasCloseBox(const QWidget* window) {
        const Qt::WindowFlags flags = window->windowFlags();
        return !(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowCloseButtonHint);
    }
    QString CloseBox(QWidget* window) {
        if (!HasCloseBox(window)) return QStringLiteral("no close box");
        window->close();
        return QStringLiteral("close box");
    }

    /// The generic moves, for windows without a table and inside tables.
    QString Anything(QWidget* window) {
        const int kind = Pick(10);
        return kind < 4   ? AnyKeyOn(window)
               : kind < 8 ? Mouse(window)
               : kind < 9 ? Wheel(window)
                          : Menu(window);
    }

    static QString Name(const QObject* o) {
        if (!o) return QStringLiteral("-");
        return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                         : o->objectName();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            shownActions_[watched] = 0;
            auto* w = static_cast<QWidget*>(watched);
            if (!w->isModal() && w->windowType() == Qt::Window) {
                current_ = w;
                if (trace_) std::fprintf(trace_, "  (%s shown)\n", qPrintable(Name(w)));
            }
        }
        return false;
    }

  private:
    QPoint RandomPoint(const QWidget* w) {
        return {Pick(std::max(1, w->width())), Pick(std::max(1, w->height()))};
    }
    static QString ButtonName(Qt::MouseButton b) {
        return b == Qt::LeftButton    ? QStringLiteral("left")
               : b == Qt::RightButton ? QStringLiteral("right")
                                      : QStringLiteral("middle");
    }

    static QList<QWidget*> TopLevels() {
        QList<QWidget*> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = w->windowType();
            if (w->isVisible() && !w->isModal() && type != Qt::Popup && type != Qt::ToolTip &&
                type != Qt::SplashScreen && w->windowHandle())
                windows << w;
        }
        return windows;
    }
    static QWidget* Innermost() {
        if (QWidget* popup = QApplication::activePopupWidget()) return popup;
        QWidget* modal = QApplication::activeModalWidget();
        return modal && modal->isVisible() ? modal : nullptr;
    }

    void Tick() {
        if (!running_) return;
        QTimer::singleShot(0, this, [this] { Tick(); });
        // The platform's file and print dialogs reach the whole machine: a
        // random user there renames, deletes and overwrites whatever it
        // finds. They are shut unseen, before anything else can act on them.
        if (QWidget* modal = QApplication::activeModalWidget();
            modal && (modal->inherits("QFileDialog") || modal->inherits("QAbstractPrintDialog"))) {
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            Log(modal, QStringLiteral("shut unseen"));
            static_cast<QDialog*>(modal)->reject();
            return;
        }
        // Only inside a modal window's loop: a popup over a top-level window
        // is the next Step's, so that the stream does not depend on how often
        // the platform happens to run the event loop.
        // A popup that keeps a loop of its own over a top-level window (a
        // menu's exec) shows as many ticks in a row with no step between.
        QWidget* modal = QApplication::activeModalWidget();
        QWidget* w = Innermost();
        const bool inModal = modal && modal->isVisible();
        popupTicks_ = !inModal && w && stepping_ ? popupTicks_ + 1 : 0;
        if ((!inModal && popupTicks_ < kBlockedPopupTicks) || !w || !failure_.isEmpty()) return;
        if (Acting(w)) return;  // its own action is still under way
        const int seen = ++shownActions_[w];
        const bool closing = Spent() || int(acting_.size()) >= kMaxNesting || seen > kPatience;
        if (seen > kPatience + kClosingAttempts) {
            failure_ = QStringLiteral("%1 \"%2\" stayed open with nothing able to close it")
                           .arg(Name(w), w->windowTitle());
            Log(w, QStringLiteral("forced shut"));
            if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->done(QDialog::Rejected);
            w->hide();
            return;
        }
        acting_.push_back(w);
        ActOn(w, closing);
        acting_.pop_back();
    }

    void ActOn(QWidget* w, bool closing) {
        if (beforeAction) beforeAction(w);
        // The action may destroy its window (a context menu deletes itself).
        const QString name = Name(w);
        if (!w->isVisible()) return;
        QString what;
        if (closing) {
            // Escape first, then the close box, turn about: every window of
            // the program ends on one or the other.
            what = closeTurn_++ % 2 == 0
                       ? Key(w, Qt::Key_Escape, Qt::NoModifier) + QStringLiteral(" (closing)")
                       : CloseBox(w) + QStringLiteral(" (closing)");
            if (w->windowType() == Qt::Popup && w->isVisible()) w->close();
        } else {
            const auto table = tables_.find(w->windowType() == Qt::Popup ? QStringLiteral("popup")
                                                                         : w->objectName());
            const std::vector<Move>& moves =
                table != tables_.end() ? table->second : tables_[QString()];
            if (moves.empty()) {
                what = Anything(w);
            } else {
                int total = 0;
                for (const Move& m : moves) total += m.weight;
                int pick = Pick(total);
                for (const Move& m : moves) {
                    if (pick < m.weight) {
                        what = m.act(w);
                        break;
                    }
                    pick -= m.weight;
                }
            }
        }
        Log(name, what);
    }

    void Log(QWidget* w, const QString& what) { Log(Name(w), what); }
    void Log(const QString& window, const QString& what) {
        ++actions_;
        ++perWindow_[window];
        log_.push_back(QStringLiteral("#%1 [%2] %3").arg(actions_).arg(window, what));
        if (trace_) std::fprintf(trace_, "%s\n", qPrintable(log_.back()));
        if (log_.size() > kLogLength) log_.pop_front();
    }

    std::mt19937_64 rng_;
    int budget_;
    int actions_ = 0;
    bool running_ = false;
    bool stepping_ = false;
    QPointer<QWidget> current_;
    int popupTicks_ = 0;
    int closeTurn_ = 0;
    QString failure_;
    std::map<QString, std::vector<Move>> tables_;
    std::vector<QPointer<QWidget>> acting_;
    std::map<const QObject*, int> shownActions_;
    std::deque<QString> log_;
    std::FILE* trace_ = nullptr;
    std::map<QString, int> perWindow_;
};

}  // namespace velmar::ui::testing
