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
#include <fstream>
#include <memory>

#include "core/DateTime.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Design.h"
#include "ui/HintHandler.h"
#include "ui/Program.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using velmar::ui::testing::ModalDriver;
using velmar::ui::testing::WriteSample;

namespace {

std::string Bytes(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

QString Text(ui::TfrmVelmar& w, CellRef cell) {
    return w.ValueLabel(cell)->text();
}
QColor Colour(ui::TfrmVelmar& w, CellRef cell) {
    return w.ValueLabel(cell)->palette().color(QPalette::WindowText);
}

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ui::Program> program_;

    std::string Folder() const { return dir_.path().toStdString(); }
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    ui::TfrmVelmar& Start() {
        program_ = std::make_unique<ui::Program>(
            ProgramFolders{dir_.path().toStdString(), dir_.path().toStdString()});
        program_->Start();
        (void)QTest::qWaitForWindowActive(&program_->velmar());
        return program_->velmar();
    }
    Scheme& scheme() { return program_->session().scheme(); }
    void Click(ui::TfrmVelmar& w, CellRef cell, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(w.ValueLabel(cell), button);
    }
    // A key on the main window, which takes the focus back first as it does
    // when a modal window closes on a desktop.
    void Key(ui::TfrmVelmar& w, Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier) {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        QTest::keyClick(w.windowHandle(), key, held);
    }
    void Release(QWidget* target, Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier) {
        QTest::keyPress(target, key, held);
        QTest::keyRelease(target, key, held);
    }

  private slots:
    void initTestCase() { ui::SetDesignScale(1.0); }
    void init() {
        QVERIFY(dir_.isValid());
        for (const char* name : {"VELMAR.DAT", "PUNTI.DAT", "VELMAR3.INI"})
            QFile::remove(Path(name));
        program_.reset();
    }
    void cleanup() { program_.reset(); }

    // An entry through the keypad, opened by a click or by Enter, is stored
    // as entered, shown in the entered ink and solved.
    void entryThroughTheKeypad_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("click") << false;
        QTest::newRow("Enter") << true;
    }
    void entryThroughTheKeypad() {
        QFETCH(bool, byEnter);
        WriteSample(Folder());
        ui::TfrmVelmar& w = Start();
        const QString dt = Text(w, cells::Dt);
        QCOMPARE(Colour(w, cells::Rv), QColor(128, 0, 0));
        QVERIFY(scheme().saved);

        ModalDriver modal;
        modal.Type(QStringLiteral("10\r"));  // Vp: 10 knots
        w.Highlight(cells::Vp);
        if (byEnter)
            Release(&w, Qt::Key_Return);
        else
            Click(w, cells::Vp);
        QCOMPARE(modal.Titles(), QStringList{QStringLiteral("Tastierino: Modifica")});
        QCOMPARE(scheme().Value(cells::Vp), 10.0);
        QCOMPARE(Colour(w, cells::Vp), QColor(0, 0, 128));
        QVERIFY(Text(w, cells::Dt) != dt);
        QVERIFY(!scheme().saved);
        QCOMPARE(modal.Unexpected(), 0);
    }

    // The refusals: a computed cell, coinciding positions, and a value that
    // drives Dt out of range, which is undone.
    void refusedEntries() {
        WriteSample(Folder(), {.depLat = 44.7, .depLon = 9.0});  // 44° 42' N 9° E
        ui::TfrmVelmar& w = Start();
        ModalDriver modal;
        modal.Press("bbOK");
        Click(w, cells::Rv);
        modal.Type(QStringLiteral("1\r")).Press("bbOK");
        Click(w, cells::Vp);  // 1 knot: Dt = 3684 hours
        // The arrival moved onto the departure, first its longitude (9° E), then
        // its latitude: 44 typed over 40° 42' N.
        modal.Type(QStringLiteral("9E\r")).Type(QStringLiteral("44\r")).Press("bbOK");
        Click(w, cells::ArrLon);
        Click(w, cells::ArrLat);
        QCOMPARE(modal.Titles(),
                 (QStringList{
                     QStringLiteral("Velmar: Modifica"), QStringLiteral("Tastierino: Modifica"),
                     QStringLiteral("Velmar3: Fuori campo"), QStringLiteral("Tastierino: Modifica"),
                     QStringLiteral("Tastierino: Modifica"), QStringLiteral("Velmar: Errore")}));
        QCOMPARE(scheme().Value(cells::Vp), 12.0);  // undone
        QCOMPARE(scheme().Value(cells::ArrLat), 40.7);
        QCOMPARE(modal.Unexpected(), 0);
    }

    // The exit question after a change, from the menu and from the main
    // window's close box; its answers are the session's.
    void exitQuestion_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("viaCloseBox");
        QTest::addColumn<bool>("ends");
        QTest::newRow("Esci, Si") << "bbYes" << false << true;
        QTest::newRow("close box, Annulla") << "bbCancel" << true << false;
    }
    void exitQuestion() {
        QFETCH(QString, answer);
        QFETCH(bool, viaCloseBox);
        QFETCH(bool, ends);
        WriteSample(Folder());
        const std::string before = Bytes(Path("VELMAR.DAT"));
        ui::TfrmVelmar& w = Start();
        ModalDriver modal;
        modal.Type(QStringLiteral("10\r"));
        Click(w, cells::Vp);
        modal.Press(answer.toLatin1().constData());
        if (viaCloseBox)
            w.close();
        else
            w.Run(SchemeCommand::Exit);
        QCOMPARE(modal.Titles().last(), QStringLiteral("Velmar: Uscita"));
        QCOMPARE(w.Ended(), ends);
        QCOMPARE(Bytes(Path("VELMAR.DAT")) != before, ends);
        QCOMPARE(QFile::exists(Path("VELMAR3.INI")), ends);
        QVERIFY(w.isVisible() || ends);
    }

    // F9 answered Yes enters the system time over a computed departure
    // time; F3 then, the change answered No to saving, shows the empty masks.
    void systemTimeThenClear() {
        WriteSample(Folder(), {.greenwichFirst = true});  // its zone time computed
        ui::TfrmVelmar& w = Start();
        ModalDriver modal;
        modal.Press("bbYes");
        Key(w, Qt::Key_F9);
        QCOMPARE(Colour(w, cells::DepTf), QColor(0, 0, 128));
        QVERIFY(!scheme().saved);
        modal.Press("bbNo");
        Key(w, Qt::Key_F3);
        QCOMPARE(modal.Titles(), (QStringList{QStringLiteral("Velmar: Ora/Data"),
                                              QStringLiteral("Velmar: Azzera")}));
        QVERIFY(scheme().IsEmpty(cells::DepLat));
        QCOMPARE(Text(w, cells::Rv), QString::fromStdString(EmptyMask(QuantityKind::Course)));
    }

    // The report reaches the clipboard for the sections whose headers are
    // red or blue; with all black it is the "Velmar: Copia" message.
    void reportOnTheClipboard() {
        WriteSample(Folder());
        ui::TfrmVelmar& w = Start();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        ModalDriver modal;
        modal.Press("bbOK");
        Key(w, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(modal.Titles(), QStringList{QStringLiteral("Velmar: Copia")});
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

        QTest::mouseClick(w.Header(2), Qt::LeftButton);  // Arrivo red
        Release(&w, Qt::Key_F1, Qt::AltModifier);        // Partenza red,
        Release(&w, Qt::Key_F1, Qt::AltModifier);        // then blue
        QCOMPARE(w.Header(0)->palette().color(QPalette::WindowText), QColor(Qt::blue));
        Key(w, Qt::Key_C, Qt::ControlModifier);
        const QString report = QGuiApplication::clipboard()->text();
        QVERIFY(report.startsWith(QStringLiteral("PARTENZA")) &&
                report.contains(QStringLiteral("ARRIVO")));
        QVERIFY(!report.contains(QStringLiteral("PERCORSO")));
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
        QCOMPARE(w.Header(2)->palette().color(QPalette::WindowText), QColor(Qt::red));
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
        Key(w, Qt::Key_I, Qt::ControlModifier);  // icon bar off
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
