// The ports window over files of its own, and as a navigator uses it in the
// whole program: F4, a port typed and taken in each list, the refusals.

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "tests/scheme/SchemeFakes.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Program.h"
#include "ui/TfrmPorti.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using namespace velmar::ui::testing;

namespace {

const char kPorts[] =
    "Genova,44.4,8.93\n"
    "New York,40.7,-74.0\n"
    "Napoli,40.84,14.25\n";

// A session over the folder and the ports window on its ports file.
struct Ports {
    explicit Ports(const QString& folder)
        : session(folder.toStdString(), messages), w(session, folder.toStdString()) {}
    velmar::testing::RecordingMessages messages;
    Session session;
    ui::TfrmPorti w;
};

QStringList Names(const QComboBox* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->itemText(i);
    return names;
}

}  // namespace

class PortsWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  private slots:
    void init() {
        for (const char* name : {"PORTI.TXT", "VELMAR.DAT", "PUNTI.DAT", "VELMAR3.INI"})
            QFile::remove(Path(name));
    }

    // Both lists in the order an Italian reader expects, an accented letter
    // beside its plain one; typing in the departure list, without regard to
    // case or accents, chooses the first port it begins, whose coordinates
    // and dot are its own line's. (Which lines make ports is the file's.)
    void listsFromTheFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("lat");
        QTest::newRow("case and accents")
            << QByteArray("zeta,1,1\n\xc3\x89lba,42.8,10.3\nFirenze,43.8,11.2\nElba,42.7,10.2\n")
            << QStringList{QStringLiteral("Elba"), QStringLiteral("\u00c9lba"),
                           QStringLiteral("Firenze"), QStringLiteral("zeta")}
            << QStringLiteral("Z") << QStringLiteral("1\u00b000'.0N");
        QTest::newRow("typed without its accent")
            << QByteArray("Cittadella,45.6,11.8\nCitt\xc3\xa0,40.0,15.0\n")
            << QStringList{QStringLiteral("Citt\u00e0"), QStringLiteral("Cittadella")}
            << QStringLiteral("citta") << QStringLiteral("40\u00b000'.0N");
        QTest::newRow("empty file")
            << QByteArray() << QStringList{} << QStringLiteral("a") << QStringLiteral("0");
    }
    void listsFromTheFile() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, names);
        QFETCH(QString, typed);
        Put(Path("PORTI.TXT"), file.toStdString());
        Ports ports(dir_.path());
        ui::TfrmPorti& w = ports.w;
        auto* hcPar = w.findChild<QComboBox*>(QStringLiteral("hcPar"));
        QCOMPARE(Names(hcPar), names);
        QCOMPARE(Names(w.findChild<QComboBox*>(QStringLiteral("hcArr"))), names);
        QCOMPARE(hcPar->isEnabled(), !file.isEmpty());

        ModalDriver modal;
        modal.Then([&](QWidget* shown) {
            QTest::keyClicks(hcPar, typed);
            QTest::keyClick(shown, Qt::Key_Escape);
        });
        w.ShowPorts(0);
        QVERIFY(!w.isVisible());
        QVERIFY(ports.messages.shown.empty());
        QTEST(w.findChild<QLabel*>(QStringLiteral("lblPLa"))->text(), "lat");
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblALa"))->text(), QStringLiteral("0"));
        if (const auto port = PortPosition(w.Ports(), hcPar->currentData().toInt());
            port && hcPar->currentIndex() >= 0) {
            const PicturePixel dot = PortPixel(port->latitude, port->longitude);
            QCOMPARE(w.Picture().pixelColor(dot.x, dot.y), QColor(255, 0, 0));
        }
    }

    // No ports file: the window still opens, closes with Enter or Escape,
    // and says so on every showing.
    void missingFile() {
        Ports ports(dir_.path());
        ui::TfrmPorti& w = ports.w;
        QVERIFY(!w.findChild<QComboBox*>(QStringLiteral("hcPar"))->isEnabled());
        QVERIFY(!w.findChild<QComboBox*>(QStringLiteral("hcArr"))->isEnabled());
        ModalDriver modal;
        modal.Type(QStringLiteral("\r")).Type(QStringLiteral("\x1b"));
        w.ShowPorts(0);
        w.ShowPorts(0);
        QVERIFY(modal.Done());
        QCOMPARE(modal.Unexpected(), 0);
        QCOMPARE(ports.messages.shown.size(), std::size_t(2));  // its texts are the file reader's
    }

    // The chart behind the window is redrawn when it opened the window and a
    // port was taken, and only then.
    void chartRedrawn_data() {
        QTest::addColumn<int>("opener");
        QTest::addColumn<QString>("arrival");
        QTest::addColumn<int>("redraws");
        QTest::newRow("from the chart") << 2 << QStringLiteral("new") << 1;
        QTest::newRow("from the scheme window") << 0 << QStringLiteral("new") << 0;
        QTest::newRow("refused") << 2 << QStringLiteral("gen") << 0;
    }
    void chartRedrawn() {
        QFETCH(int, opener);
        QFETCH(QString, arrival);
        Put(Path("PORTI.TXT"), kPorts);
        Ports ports(dir_.path());
        ui::TfrmPorti& w = ports.w;
        QSignalSpy redraws(&w, &ui::TfrmPorti::chartRedrawRequested);
        ModalDriver modal;
        modal.Type(QStringLiteral("gen\t\t") + arrival + QStringLiteral("\t \r"));
        w.ShowPorts(opener);
        QCOMPARE(w.Opener(), opener);
        QTEST(int(redraws.count()), "redraws");
    }

    // Enter in an open list chooses the port and closes the list, not the window.
    void enterInAnOpenList() {
        Put(Path("PORTI.TXT"), kPorts);
        Ports ports(dir_.path());
        ui::TfrmPorti& w = ports.w;
        bool stillShown = false;
        QString chosen;
        ModalDriver modal;
        // No test macro inside: a failure there would leave the window open.
        modal.Then([&](QWidget* shown) {
            auto* hcArr = shown->findChild<QComboBox*>(QStringLiteral("hcArr"));
            hcArr->setFocus();
            hcArr->showPopup();
            QTest::keyClick(hcArr->view(), Qt::Key_Down);
            QTest::keyPress(hcArr->view(), Qt::Key_Return);
            (void)QTest::qWaitFor([&] { return !hcArr->view()->isVisible(); });
            QTest::keyRelease(hcArr, Qt::Key_Return);
            stillShown = shown->isVisible();
            chosen = hcArr->currentText();
            QTest::keyClick(hcArr, Qt::Key_Return);
        });
        w.ShowPorts(0);
        QVERIFY(stillShown);
        QVERIFY(!chosen.isEmpty());
        QVERIFY(!w.isVisible());
    }

    // The whole program, with the keyboard alone: F4, a name typed, Tab to
    // the button, Space to take it, Enter to close. Taken ports are entries
    // the scheme window shows. (Which takes are refused is the port choice's.)
    void portsThroughTheWindow() {
        Put(Path("PORTI.TXT"), kPorts);
        const auto program = StartProgram(dir_.path());
        ui::TfrmVelmar& w = program->velmar();
        const Scheme before = program->session().scheme();
        const QString arrivalShown = w.ValueLabel(cells::ArrLon)->text();

        ModalDriver modal;
        modal.Type(QStringLiteral("gen\t \tnew\t \r"));
        KeyOn(&w, Qt::Key_F4);
        QCOMPARE(modal.Titles(), QStringList{QStringLiteral("Velmar3: Porti")});
        QVERIFY(modal.Done());
        QCOMPARE(modal.Unexpected(), 0);
        QVERIFY(!program->porti().isVisible());
        QCOMPARE(program->porti().Opener(), 0);
        const Scheme& scheme = program->session().scheme();
        for (const CellRef c : {cells::DepLat, cells::DepLon, cells::ArrLat, cells::ArrLon}) {
            QCOMPARE(scheme.State(c), kStateEntered);
            QVERIFY(scheme.Value(c) != before.Value(c));
        }
        QVERIFY(w.ValueLabel(cells::ArrLon)->text() != arrivalShown);
        QVERIFY(!scheme.saved);
    }
};

QTEST_MAIN(PortsWindowTest)
#include "ports_window_test.moc"
