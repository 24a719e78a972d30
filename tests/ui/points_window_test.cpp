// The points window inside the whole program: opened from the scheme window
// with F6, its menus driven by their shortcuts, the keypad and the message
// box answered from their own event loops.

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/DateTime.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Design.h"
#include "ui/Program.h"
#include "ui/TfrmPunti.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using namespace velmar::ui::testing;

namespace {

// The darkest pixel of a list line: the core of its glyphs, in the line's ink.
QColor Ink(QListWidget* list, int row) {
    const QImage image = list->viewport()->grab().toImage();
    const QRect rect = list->visualItemRect(list->item(row)) & image.rect();
    QColor darkest = Qt::white;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() + c.green() + c.blue() < darkest.red() + darkest.green() + darkest.blue())
                darkest = c;
        }
    return darkest;
}

}  // namespace

class PointsWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ui::Program> program_;

    ui::TfrmPunti& Open(bool withTime) {
        // Without the departure time the automatic choice says the arrival date is unknown.
        WriteSample(dir_.path().toStdString(), {.departureTime = withTime});
        program_ = StartProgram(dir_.path());
        KeyOn(&program_->velmar(), Qt::Key_F6);
        ui::TfrmPunti& w = program_->punti();
        [&] { QTRY_VERIFY(w.List()->count() > 0); }();
        return w;
    }
    BrokenLine& line() { return program_->session().line(); }
    QString Clipboard() { return QGuiApplication::clipboard()->text(); }
    QString Lines(ui::TfrmPunti& w, int from, int to) {
        QString text;
        for (int i = from; i <= to; ++i) text += w.List()->item(i)->text() + QStringLiteral("\r\n");
        return text;
    }

  private slots:
    void initTestCase() { ui::SetDesignScale(1.0); }
    void init() {
        QVERIFY(dir_.isValid());
        for (const char* name : {"VELMAR.DAT", "PUNTI.DAT", "VELMAR3.INI"})
            QFile::remove(dir_.filePath(QString::fromLatin1(name)));
    }
    void cleanup() { program_.reset(); }

    // F6 opens the window on the limiting-parallel line the automatic choice
    // makes of a winter passage; the inks, the copies, and the menu items
    // reaching their commands (whose rules are the points controller's).
    void aPassageThroughTheMenus() {
        ui::TfrmPunti& w = Open(true);
        ModalDriver modal;
        QVERIFY(w.isVisible());
        QCOMPARE(w.List()->count(), 2 * line().n + 1);
        QVERIFY(w.Action(PointsCommand::LimitParallel)->isChecked());
        QCOMPARE(w.StatusSection(0)->text(), QString::fromStdString(MethodName(2)));

        // Inks: departure navy, the contact points blue, a leg maroon; a
        // selected line in the system's highlight.
        const int contact = 2 * (line().vertexIndex + 1);
        QVERIFY(w.List()->item(contact)->text().startsWith(QStringLiteral("V'")));
        QCOMPARE(Ink(w.List(), 0), QColor(0, 0, 128));
        QCOMPARE(Ink(w.List(), contact), QColor(0, 0, 255));
        QCOMPARE(Ink(w.List(), 1), QColor(128, 0, 0));

        // The practical method renames its parameter menu; back to method 3.
        KeyOn(&w, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(w.Action(PointsCommand::NrPt)->text(), QStringLiteral("DmP..."));
        KeyOn(&w, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(w.Action(PointsCommand::NrPt)->text(), QStringLiteral("NrPt..."));
        QVERIFY(w.Action(PointsCommand::Equation)->isChecked());

        // The limiting latitude needs method 2: a message, no keypad.
        modal.Press("bbOK");
        KeyOn(&w, Qt::Key_F5);
        QCOMPARE(modal.Titles().size(), 1);

        // Four points typed on the keypad: the list shows the eleven lines.
        modal.Type(QStringLiteral("4\r"));
        KeyOn(&w, Qt::Key_F3);
        QCOMPARE(modal.Titles().last(), QStringLiteral("Tastierino: Modifica"));
        QCOMPARE(w.List()->count(), 11);

        // Lines 2 and 3 with Ctrl+C; the right button copies them again, and
        // with Shift the whole list.
        w.List()->clearSelection();
        w.List()->item(2)->setSelected(true);
        w.List()->item(3)->setSelected(true);
        KeyOn(&w, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), Lines(w, 2, 3));
        QGuiApplication::clipboard()->clear();
        const QPoint at = w.List()->visualItemRect(w.List()->item(6)).center();
        QTest::mouseClick(w.List()->viewport(), Qt::RightButton, Qt::NoModifier, at);
        QCOMPARE(Clipboard(), Lines(w, 2, 3));
        QTest::mouseClick(w.List()->viewport(), Qt::RightButton, Qt::ShiftModifier, at);
        QCOMPARE(Clipboard(), Lines(w, 0, 10));
        QCOMPARE(w.List()->selectedItems().size(), 2);
        QColor highlight = w.List()->viewport()->grab().toImage().pixelColor(
            w.List()->visualItemRect(w.List()->item(2)).topLeft());
        QCOMPARE(highlight, w.List()->palette().color(QPalette::Highlight));
        // The recall bar's tick, kept for the settings file.
        KeyOn(&w, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(!w.RecallSection(0)->isVisible());
        QVERIFY(!program_->settings().recall);
        QCOMPARE(modal.Unexpected(), 0);
    }

    // A recompute that warns warns once: the focus coming back from its own
    // message box recomputes nothing; coming from the scheme window it does.
    void activationFromItsOwnDialog() {
        ModalDriver modal;
        modal.Press("bbOK");
        ui::TfrmPunti& w = Open(false);
        QCOMPARE(modal.Titles(), QStringList{QStringLiteral("Velmar: Automatico")});
        QCOMPARE(w.Recomputes(), 1);
        for (int i = 0; i < 3; ++i) {
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QTest::qWait(10);
        }
        QCOMPARE(w.Recomputes(), 1);
        // "Velmar" (F6 here) goes to the scheme window; its F6 comes back.
        QTest::keyClick(w.windowHandle(), Qt::Key_F6);
        QTRY_VERIFY(program_->velmar().isActiveWindow());
        KeyOn(&program_->velmar(), Qt::Key_F6);
        QTRY_COMPARE(w.Recomputes(), 2);
        QCOMPARE(modal.Titles().size(), 1);
        QCOMPARE(modal.Unexpected(), 0);
    }

    // "Esporta GPX..." and "Esporta RTZ..." write exactly what velmar-cli
    // writes for the same line; "Piano di navigazione..." writes the plan.
    // Each file goes through the program's own file dialog. (The question
    // before replacing a file is the export file's.)
    void exportsThroughTheFileDialog() {
        ui::TfrmPunti& w = Open(true);
        ModalDriver modal;
        auto save = [&](const QString& path) {
            modal.Then([path](QWidget* dialog) {
                // The name typed into the dialog's own field, then Enter.
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QVERIFY(qobject_cast<QFileDialog*>(dialog) && name);
                ModalDriver::Activate(dialog);
                name->setText(path);
                QTest::keyClick(name, Qt::Key_Return);
            });
        };
        const QString gpx = dir_.filePath(QStringLiteral("window.gpx"));
        const QString rtz = dir_.filePath(QStringLiteral("window.rtz"));
        save(gpx);
        KeyOn(&w, Qt::Key_G, Qt::ControlModifier);
        save(rtz);
        KeyOn(&w, Qt::Key_T, Qt::ControlModifier);

        // The tool over the same startup pair.
        const QString cliGpx = dir_.filePath(QStringLiteral("cli.gpx"));
        const QString cliRtz = dir_.filePath(QStringLiteral("cli.rtz"));
        QProcess cli;
        cli.start(QStringLiteral(VELMAR_CLI_PATH),
                  {QStringLiteral("points"), QStringLiteral("--load"), QStringLiteral("AVVIO"),
                   QStringLiteral("--dir"), dir_.path(), QStringLiteral("--gpx"), cliGpx,
                   QStringLiteral("--rtz"), cliRtz});
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(Bytes(gpx).find("<rtept") != std::string::npos);
        QVERIFY(Bytes(gpx) == Bytes(cliGpx));
        QVERIFY(Bytes(rtz) == Bytes(cliRtz));

        const QString pdf = dir_.filePath(QStringLiteral("piano.pdf"));
        save(pdf);
        KeyOn(&w, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(Bytes(pdf).rfind("%PDF", 0) == 0);

        QCOMPARE(modal.Titles(), (QStringList{QStringLiteral("Esporta la spezzata in GPX"),
                                              QStringLiteral("Esporta la spezzata in RTZ"),
                                              QStringLiteral("Piano di navigazione")}));
        QCOMPARE(modal.Unexpected(), 0);
        QCOMPARE(w.Recomputes(), 1);  // its own dialogs recompute nothing
    }
};

QTEST_MAIN(PointsWindowTest)

#include "points_window_test.moc"
