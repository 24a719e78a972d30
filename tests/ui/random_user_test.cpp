// The whole program under a random user: every window, the real domain, a
// program folder with the bundled data and a solved startup pair, driven by
// a seeded stream of keys, clicks, wheel steps and menu commands, with the
// modal windows answered at random. After every action the invariants of
// ProgramInvariants must hold; a run that ends the program starts it again
// on the same folder, as the user would.
//
// The seed is printed; VELMAR_MONKEY_SEED replays a run and
// VELMAR_MONKEY_ACTIONS sets its length. A failure prints the seed and the
// last actions. A run longer than Qt Test's five minutes per test function
// needs QTEST_FUNCTION_TIMEOUT (milliseconds) raised with it.

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>

#include "core/DateTime.h"
#include "tests/ui/Monkey.h"
#include "tests/ui/ProgramInvariants.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Design.h"
#include "ui/Program.h"
#include "ui/TfrmCarta.h"
#include "ui/TfrmFile.h"
#include "ui/TfrmPunti.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using velmar::ui::testing::Monkey;
using velmar::ui::testing::ProgramInvariants;
using velmar::ui::testing::WriteSample;
namespace fs = std::filesystem;

namespace {

// A sanitizer build runs every test several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kDefaultActions = 800;
#else
constexpr int kDefaultActions = 4000;
#endif

std::uint64_t EnvNumber(const char* name, std::uint64_t otherwise) {
    const QByteArray text = qgetenv(name);
    bool ok = false;
    const std::uint64_t value = text.toULongLong(&ok);
    return ok ? value : otherwise;
}

// The moves of each window, W(weight, move). A window that joins the
// program adds its table here; without one it gets the generic moves.
void AddTables(Monkey& m) {
    using Action = Monkey::Action;
    const auto W = [](int weight, Action act) { return Monkey::Move{weight, std::move(act)}; };
    const Action any = [&m](QWidget* w) { return m.Anything(w); };
    const Action key = [&m](QWidget* w) { return m.AnyKeyOn(w); };
    const Action mouse = [&m](QWidget* w) { return m.Mouse(w); };
    const Action menu = [&m](QWidget* w) { return m.Menu(w); };
    const Action wheel = [&m](QWidget* w) { return m.Wheel(w); };
    const Action closeBox = [&m](QWidget* w) { return m.CloseBox(w); };
    const auto keyOf = [&m](Qt::Key k, Qt::KeyboardModifiers held = Qt::NoModifier) -> Action {
        return [&m, k, held](QWidget* w) { return m.Key(w, k, held); };
    };
    const Action esc = keyOf(Qt::Key_Escape), enter = keyOf(Qt::Key_Return);
    const auto press = [&m](const char* name) -> Action {
        return [&m, name](QWidget* w) { return m.ClickChild(w, name); };
    };
    // The mouse on a child found by `child` (a random one when it gives none).
    const auto mouseOn = [&m](std::function<QWidget*(QWidget*)> child) -> Action {
        return [&m, child](QWidget* w) { return m.Mouse(w, child(w)); };
    };
    const auto list = [](const char* name) {
        return [name](QWidget* w) -> QWidget* {
            return w->findChild<QListWidget*>(QLatin1String(name))->viewport();
        };
    };

    m.AddWindow({}, {W(1, any)});
    const Action downOrEnter = [&m](QWidget* w) {
        return m.Key(w, m.Chance(0.5) ? Qt::Key_Down : Qt::Key_Return, Qt::NoModifier);
    };
    m.AddWindow(QStringLiteral("popup"), {W(3, esc), W(4, mouse), W(2, downOrEnter)});

    const Action cell = [&m](QWidget* w) {
        auto& velmar = static_cast<ui::TfrmVelmar&>(*w);
        CellRef cell;
        do cell = {m.Pick(kGroups), m.Pick(kCellsPerGroup)};
        while (cell == cells::Spacing);
        return m.Mouse(w, m.Chance(0.75) ? static_cast<QWidget*>(velmar.ValueLabel(cell))
                                         : velmar.CaptionLabel(cell));
    };
    const Action header =
        mouseOn([&m](QWidget* w) { return static_cast<ui::TfrmVelmar*>(w)->Header(m.Pick(3)); });
    const Action functionKey = [&m](QWidget* w) {
        return m.Key(w, Qt::Key(Qt::Key_F2 + m.Pick(11)), Qt::NoModifier);
    };
    // The close box asks the exit question, and a saved scheme ends the run
    // at once: rarer than the rest, so runs go deep.
    const Action rareCloseBox = [&m](QWidget* w) {
        return m.Chance(0.25) ? m.CloseBox(w) : m.Mouse(w);
    };
    m.AddWindow(QStringLiteral("frmVelmar"),
                {W(8, cell), W(2, header), W(6, key), W(3, functionKey), W(3, menu), W(4, mouse),
                 W(1, wheel), W(1, rareCloseBox)});

    const Action points =
        mouseOn([](QWidget* w) { return static_cast<ui::TfrmPunti*>(w)->List()->viewport(); });
    m.AddWindow(QStringLiteral("frmPunti"),
                {W(4, menu), W(4, key), W(4, mouse), W(3, points), W(1, wheel), W(1, closeBox)});

    // The chart: its keys, wheel and buttons by random modifier states, the
    // picture's zoom at the pointer, the panels dragged and sent home.
    const Action chartKey = [&m](QWidget* w) {
        static const Qt::Key keys[] = {Qt::Key_Up,    Qt::Key_Down, Qt::Key_Left,
                                       Qt::Key_Right, Qt::Key_Home, Qt::Key_Plus,
                                       Qt::Key_Minus, Qt::Key_N,    Qt::Key_E};
        return m.Key(w, keys[m.Pick(9)],
                     (m.Chance(0.4) ? Qt::KeypadModifier : Qt::NoModifier) |
                         (m.Chance(0.3) ? Qt::ControlModifier : Qt::NoModifier));
    };
    const Action picture =
        mouseOn([](QWidget* w) { return static_cast<ui::TfrmCarta*>(w)->Image(); });
    m.AddWindow(QStringLiteral("frmCarta"), {W(4, menu), W(4, key), W(3, chartKey), W(4, mouse),
                                             W(4, picture), W(3, wheel), W(1, closeBox)});

    const Action digits = [&m](QWidget* w) { return m.Digits(w, 4); };
    const Action tab = [&m](QWidget* w) {
        return m.Key(w, Qt::Key_Tab, m.Chance(0.3) ? Qt::ShiftModifier : Qt::NoModifier);
    };
    const Action letter = [&m](QWidget* w) {
        return m.Type(w, m.OneOf(std::vector<QString>{QStringLiteral("N"), QStringLiteral("S"),
                                                      QStringLiteral("E"), QStringLiteral("W")}));
    };
    m.AddWindow(QStringLiteral("frmTast"),
                {W(8, digits), W(3, tab), W(2, press("hbSegno")), W(2, letter),
                 W(1, press("hsBkSp")), W(1, keyOf(Qt::Key_Backspace)), W(3, press("hbOK")),
                 W(3, enter), W(1, press("hbAnnulla")), W(1, esc), W(1, closeBox), W(3, any)});

    const Action answer = [&m](QWidget* w) {
        return m.ClickChild(w,
                            m.OneOf(std::vector<const char*>{"bbOK", "bbYes", "bbNo", "bbCancel"}));
    };
    const Action sOrN = [&m](QWidget* w) {
        return m.Type(w, m.Chance(0.5) ? QStringLiteral("s") : QStringLiteral("n"));
    };
    m.AddWindow(QStringLiteral("frmMsgDlg"),
                {W(6, answer), W(2, esc), W(2, enter), W(1, sOrN), W(1, closeBox), W(1, any)});

    const Action arrows = [&m](QWidget* w) {
        auto* list = w->findChild<QComboBox*>(m.Chance(0.5) ? QStringLiteral("hcPar")
                                                            : QStringLiteral("hcArr"));
        if (!list) return QStringLiteral("no list");
        list->setFocus(Qt::TabFocusReason);
        for (int i = 1 + m.Pick(30); i > 0; --i)
            QTest::keyClick(w->windowHandle(), m.Chance(0.7) ? Qt::Key_Down : Qt::Key_Up);
        return QStringLiteral("in %1: arrows").arg(list->objectName());
    };
    const Action portList = mouseOn([&m](QWidget* w) {
        return w->findChild<QWidget*>(m.Chance(0.5) ? QStringLiteral("hcPar")
                                                    : QStringLiteral("hcArr"));
    });
    m.AddWindow(QStringLiteral("frmPorti"),
                {W(4, arrows), W(2, portList), W(3, press("hsPar")), W(3, press("hsArr")),
                 W(1, press("hbFine")), W(1, esc), W(1, enter), W(1, closeBox), W(2, any)});

    const Action describe = [&m](QWidget* w) {
        m.Mouse(w, w->findChild<QWidget*>(QStringLiteral("edDes")));
        return m.Type(w, QStringLiteral("Rotta ") + QString::number(m.Pick(100)));
    };
    const Action number = [&m](QWidget* w) {
        auto* number = w->findChild<QSpinBox*>(QStringLiteral("seNumF"));
        number->setFocus(Qt::TabFocusReason);
        number->selectAll();
        return m.Digits(w, 2);
    };
    m.AddWindow(QStringLiteral("frmFile"),
                {W(2, describe), W(2, number), W(4, mouseOn(list("flDat"))),
                 W(2, press("hsScrivi")), W(1, keyOf(Qt::Key_S, Qt::ControlModifier)),
                 W(2, press("hsLeggi")), W(1, keyOf(Qt::Key_R, Qt::ControlModifier)),
                 W(1, keyOf(Qt::Key_F5)), W(1, mouseOn(list("dirDat"))), W(1, press("hbFine")),
                 W(1, esc), W(1, enter), W(1, closeBox), W(2, any)});

    m.AddWindow(QStringLiteral("frmRpl"),
                {W(2, press("hsCopia")), W(2, press("hbFine")), W(1, esc),
                 W(1, keyOf(Qt::Key_Insert, Qt::ControlModifier)), W(1, closeBox), W(1, any)});
    m.AddWindow(QStringLiteral("frmInfo"),
                {W(2, press("hbOK")), W(1, esc), W(1, enter), W(1, closeBox), W(1, any)});
}

}  // namespace

class RandomUserTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The offscreen platform warns of every raise and grab the clicks
        // cause, and Qt of every click that a random point puts beside a
        // window; thousands of those lines would bury the run's own.
        static QtMessageHandler previous = nullptr;
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (type == QtWarningMsg &&
                    (text.startsWith(QLatin1String("This plugin does not support")) ||
                     text.contains(QLatin1String("occurs outside target window"))))
                    return;
                previous(type, context, text);
            });
    }

    void randomUser() {
        const std::uint64_t seed = EnvNumber("VELMAR_MONKEY_SEED", std::random_device{}());
        const int budget = int(EnvNumber("VELMAR_MONKEY_ACTIONS", kDefaultActions));
        qInfo("random user: seed %llu, %d actions (VELMAR_MONKEY_SEED=%llu replays it)",
              static_cast<unsigned long long>(seed), budget, static_cast<unsigned long long>(seed));

        // The program folder with the bundled data and a subfolder to browse
        // into; the user is kept inside the temporary folder.
        // Its path is in some messages, whose width follows their text: a
        // name of digits only (of one width in any font) keeps a replay's
        // clicks where the first run's went.
        const fs::path root = fs::temp_directory_path() /
                              QStringLiteral("velmar-monkey-%1")
                                  .arg(QCoreApplication::applicationPid(), 8, 10, QLatin1Char('0'))
                                  .toStdString();
        fs::remove_all(root);
        struct Remove {
            fs::path path;
            ~Remove() {
                std::error_code error;
                fs::remove_all(path, error);
            }
        } remove{root};
        const fs::path folder = root / "Velmar";
        fs::create_directories(folder / "Vecchi");
        // The user's own folders are the temporary one too: whatever a file
        // dialog would start from, and Qt's own settings, stay inside it.
        const fs::path home = root.string() + "-home";
        fs::create_directories(home);
        Remove removeHome{home};
        for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qputenv(variable, QByteArray::fromStdString(home.string()));
        for (const char* name : {"PORTI.TXT", "MONDOGW.MAP", "MONDOAG.MAP"})
            fs::copy_file(fs::path(VELMAR_DATA_DIR) / name, folder / name);
        WriteSample(folder.string());

        Monkey monkey(seed, budget);
        AddTables(monkey);
        ProgramInvariants invariants(root);
        std::unique_ptr<ui::Program> program;
        auto settle = [] {
            for (int i = 0; i < 3; ++i) {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QCoreApplication::processEvents();
            }
        };
        auto start = [&] {
            program =
                std::make_unique<ui::Program>(ProgramFolders{folder.string(), folder.string()});
            program->Start();
            invariants.Attach(*program);
            settle();
        };
        // The archive window may browse anywhere; reading and writing stay
        // inside the temporary folder.
        monkey.beforeAction = [&](QWidget* w) {
            if (!program || w != &program->file()) return;
            const fs::path browsed = fs::path(program->file().Folder().toStdString());
            if (browsed.string().rfind(root.string(), 0) != 0) {
                program->file().SetFolder(QString::fromStdString(folder.string()));
                monkey.Note(QStringLiteral("back to the program folder from %1")
                                .arg(QString::fromStdString(browsed.string())));
            }
        };

        QElapsedTimer clock;
        clock.start();
        monkey.Start();
        start();
        int restarts = 0;
        int nextReport = 10000;
        QStringList faults;
        while (!monkey.Spent() && faults.isEmpty() && monkey.Failure().isEmpty()) {
            invariants.BeginStep();
            monkey.Step();
            settle();
            faults = invariants.EndStep();
            // A long run says how far it has gone.
            if (monkey.Actions() >= nextReport) {
                qInfo("random user: %d actions, %.0f s", monkey.Actions(),
                      clock.elapsed() / 1000.0);
                nextReport += 10000;
            }
            if (faults.isEmpty() && invariants.Ended()) {
                monkey.Note(QStringLiteral("the program ended: started again"));
                program.reset();
                start();
                ++restarts;
            }
        }
        monkey.Stop();
        if (!monkey.Failure().isEmpty()) faults << monkey.Failure();
        if (!faults.isEmpty())
            qWarning(
                "random user failed (VELMAR_MONKEY_SEED=%llu VELMAR_MONKEY_ACTIONS=%d): %s\n"
                "last actions:\n%s",
                static_cast<unsigned long long>(seed), budget,
                qPrintable(faults.join(QStringLiteral("; "))), qPrintable(monkey.Recent()));
        const double seconds = clock.elapsed() / 1000.0;
        qInfo("random user: %d actions in %.1f s (%.0f a second), %d restarts; by window: %s",
              monkey.Actions(), seconds, monkey.Actions() / std::max(seconds, 0.001), restarts,
              qPrintable(monkey.Summary()));
        program.reset();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // As in the program itself: the run ends only through the exit
    // question. Closing the last window must not quit the application, whose
    // quit would end every dialog's loop from then on.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::SetDesignScale(1.0);
    RandomUserTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "random_user_test.moc"
