// The desktop program as a navigator uses it: started on a folder with its
// startup pair, the scheme window driven with the mouse and the keyboard,
// the keypad and the message box answered from their own event loops.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>

#include "tests/ui/ModalDriver.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Design.h"
#include "ui/HintHandler.h"
#include "ui/Program.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using namespace velmar::ui::testing;

namespace {

QString Text(ui::TfrmVelmar& w, CellRef cell) {
    return w.ValueLabel(cell)->text();
}
QColor Colour(QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}
void Release(QWidget* target, Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier) {
    QTest::keyPress(target, key, held);
    QTest::keyRelease(target, key, held);
}

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ui::Program> program_;

    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    ui::TfrmVelmar& Start() {
        program_ = StartProgram(dir_.path());
        return program_->velmar();
    }
    Scheme& scheme() { return program_->session().scheme(); }
    void Click(ui::TfrmVelmar& w, CellRef cell) {
        QTest::mouseClick(w.ValueLabel(cell), Qt::LeftButton);
    }

  private slots:
    void initTestCase() { ui::SetDesignScale(1.0); }
    void init() {
        QVERIFY(dir_.isValid());
        for (const char* name : {"VELMAR.DAT", "PUNTI.DAT", "VELMAR3.INI"})
            QFile::remove(Path(name));
        WriteSample(dir_.path().toStdString());
    }
    void cleanup() { program_.reset(); }

    // An entry through the keypad, opened by Enter or by a click, is stored
    // as entered, shown in the entered ink and solved; a computed cell is
    // refused before the keypad opens. The exit question after the change,
    // from the close box and from the menu, ends only on its Yes, which
    // writes the pair and the settings.
    void entriesAndTheExitQuestion() {
        const std::string pair = Bytes(Path("VELMAR.DAT"));
        ui::TfrmVelmar& w = Start();
        const QString dt = Text(w, cells::Dt);
        QCOMPARE(Colour(w.ValueLabel(cells::Rv)), QColor(128, 0, 0));
        QVERIFY(scheme().saved);

        ModalDriver modal;
        modal.Type(QStringLiteral("10\r"));
        w.Highlight(cells::Vp);
        Release(&w, Qt::Key_Return);
        QCOMPARE(scheme().Value(cells::Vp), 10.0);
        QCOMPARE(Colour(w.ValueLabel(cells::Vp)), QColor(0, 0, 128));
        QVERIFY(Text(w, cells::Dt) != dt);
        QVERIFY(!scheme().saved);
        modal.Press("bbOK").Type(QStringLiteral("11\r"));
        Click(w, cells::Rv);
        Click(w, cells::Vp);
        QCOMPARE(scheme().Value(cells::Vp), 11.0);

        modal.Press("bbCancel");
        w.close();
        QVERIFY(!w.Ended() && w.isVisible());
        QVERIFY(Bytes(Path("VELMAR.DAT")) == pair && !QFile::exists(Path("VELMAR3.INI")));
        modal.Press("bbYes");
        w.Run(SchemeCommand::Exit);
        QVERIFY(w.Ended());
        QVERIFY(Bytes(Path("VELMAR.DAT")) != pair);
        QVERIFY(QFile::exists(Path("VELMAR3.INI")));
        const QString keypad = QStringLiteral("Tastierino: Modifica");
        const QString exit = QStringLiteral("Velmar: Uscita");
        QCOMPARE(modal.Titles(),
                 (QStringList{keypad, QStringLiteral("Velmar: Modifica"), keypad, exit, exit}));
        QCOMPARE(modal.Unexpected(), 0);
    }

    // The commands on their keys: F9 answered Yes enters the system time
    // over a computed departure time; Ctrl+C copies the sections whose
    // headers are red or blue (all black: the "Velmar: Copia" message); F3,
    // the change answered No to saving, shows the empty masks.
    void commandsOnTheirKeys() {
        WriteSample(dir_.path().toStdString(), {.greenwichFirst = true});
        ui::TfrmVelmar& w = Start();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        ModalDriver modal;
        modal.Press("bbYes").Press("bbOK").Press("bbNo");
        KeyOn(&w, Qt::Key_F9);
        QCOMPARE(Colour(w.ValueLabel(cells::DepTf)), QColor(0, 0, 128));
        QVERIFY(!scheme().saved);
        KeyOn(&w, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

        QTest::mouseClick(w.Header(2), Qt::LeftButton);  // Arrivo red
        Release(&w, Qt::Key_F1, Qt::AltModifier);        // Partenza red,
        Release(&w, Qt::Key_F1, Qt::AltModifier);        // then blue
        QCOMPARE(Colour(w.Header(0)), QColor(Qt::blue));
        KeyOn(&w, Qt::Key_C, Qt::ControlModifier);
        const QString report = QGuiApplication::clipboard()->text();
        QVERIFY(report.startsWith(QStringLiteral("PARTENZA")) &&
                report.contains(QStringLiteral("ARRIVO")));
        QVERIFY(!report.contains(QStringLiteral("PERCORSO")));

        KeyOn(&w, Qt::Key_F3);
        QCOMPARE(modal.Titles(),
                 (QStringList{QStringLiteral("Velmar: Ora/Data"), QStringLiteral("Velmar: Copia"),
                              QStringLiteral("Velmar: Azzera")}));
        QVERIFY(scheme().IsEmpty(cells::DepLat));
        QCOMPARE(Text(w, cells::Rv), QString::fromStdString(EmptyMask(QuantityKind::Course)));
    }

    // Regression (the random user, under UBSan): the program ended while its
    // menu bar held the keyboard; the bar, losing it, cleared its hint, and
    // the hint handler called into the main window half destroyed. The
    // handler now goes before the windows.
    void endingWithTheMenuBarHoldingTheKeyboard() {
        ui::TfrmVelmar& w = Start();
        QMenuBar* bar = w.menuBar();
        bar->setActiveAction(bar->actions().first());  // its menu opens
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);  // back to the bar
        QStringList gone;
        connect(&program_->hints(), &QObject::destroyed,
                [&gone] { gone << QStringLiteral("hints"); });
        connect(&w, &QObject::destroyed, [&gone] { gone << QStringLiteral("velmar"); });
        program_.reset();
        QCOMPARE(gone, (QStringList{QStringLiteral("hints"), QStringLiteral("velmar")}));
    }

    // A chord counts with the modifiers held when its key went down, however
    // the hand lets go; a release whose press went elsewhere does nothing.
    void chordsAndMoves() {
        ui::TfrmVelmar& w = Start();
        QTest::keyPress(&w, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyPress(&w, Qt::Key_F3, Qt::AltModifier);
        QTest::keyRelease(&w, Qt::Key_Alt, Qt::NoModifier);
        QTest::keyRelease(&w, Qt::Key_F3, Qt::NoModifier);
        QCOMPARE(Colour(w.Header(2)), QColor(Qt::red));
        QTest::keyRelease(&w, Qt::Key_Return, Qt::NoModifier);  // no press seen: nothing opens
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Right}) Release(&w, key);
        QVERIFY(w.Highlighted() == cells::ArrTmDate);
        QVERIFY(w.CaptionLabel(cells::ArrTmDate)->font().bold());
        QVERIFY(!w.CaptionLabel(cells::DepLat)->font().bold());
    }

    // A setting changed in the window is written at exit and in force at
    // the next start.
    void settingsReadBackAtTheNextStart() {
        ui::TfrmVelmar& w = Start();
        KeyOn(&w, Qt::Key_I, Qt::ControlModifier);  // icon bar off
        QVERIFY(!w.findChild<QWidget*>(QStringLiteral("pnlIco"))->isVisible());
        w.Run(SchemeCommand::Exit);  // nothing changed: no question
        QVERIFY(w.Ended());
        ui::TfrmVelmar& again = Start();
        QVERIFY(!again.findChild<QWidget*>(QStringLiteral("pnlIco"))->isVisible());
        QVERIFY(!again.Action(SchemeCommand::Icons)->isChecked());
    }
};

QTEST_MAIN(ProgramTest)

#include "program_test.moc"
