// The archive window driven as a user drives it: files picked with the
// mouse, the number typed, the commands on their keys, the message boxes
// answered from their own event loops.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

using namespace Qt::StringLiterals;

#include "scheme/session/ArchiveCommands.h"
#include "scheme/session/Session.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Design.h"
#include "ui/Program.h"
#include "ui/TfrmFile.h"
#include "ui/TfrmMsgDlg.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using namespace velmar::ui::testing;

class ArchiveWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ui::TfrmMsgDlg> box_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<ui::TfrmFile> window_;

    QString Path(const QString& name) const { return dir_.filePath(name); }
    bool Exists(const QString& name) const {
        return std::filesystem::exists(Path(name).toStdString());
    }
    // An empty folder, a session over it with the sample entered and not
    // saved, and the window.
    void Fresh() {
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path().toStdString()))
            std::filesystem::remove_all(entry.path());
        box_ = std::make_unique<ui::TfrmMsgDlg>();
        session_ = std::make_unique<Session>(dir_.path().toStdString(), *box_);
        window_ = std::make_unique<ui::TfrmFile>(*session_);
        EnterSample(session_->solver());
        session_->scheme().saved = false;
    }
    template <typename W>
    static W* Child(QWidget* w, const char* name) {
        return w->findChild<W*>(QLatin1String(name));
    }
    static void Pick(QWidget* w, const QString& name) {
        auto* list = Child<QListWidget>(w, "flDat");
        const auto found = list->findItems(name, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.front()).center());
    }
    static void Number(QWidget* w, const QString& digits) {
        auto* field = Child<QSpinBox>(w, "seNumF");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, digits);
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        ui::SetDesignScale(1.0);
    }

    // The name a write takes from the window's number field; back at 0 the
    // field drops the pick and the next number is written (one in use here,
    // so after the question). Which name wins, the next number and the cut
    // of the description are the archive folder's.
    void writeChoosesTheName_data() {
        QTest::addColumn<QString>("pick");
        QTest::addColumn<QString>("numbers");  // typed in turn, after the pick
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("asked");
        QTest::newRow("number 42") << u""_s << u"42"_s << u"VELM-042.DAT"_s << false;
        QTest::newRow("0 clears the pick")
            << u"VELM-001.DAT"_s << u"7,0"_s << u"VELM-003.DAT"_s << true;
    }
    void writeChoosesTheName() {
        QFETCH(QString, pick);
        QFETCH(QString, numbers);
        QFETCH(QString, written);
        QFETCH(bool, asked);
        Fresh();
        session_->files().SetDescription("vecchio");
        for (int number : {1, 3})
            QVERIFY(session_->files().Save(ArchiveFileName(number), SaveMode::Plain,
                                           session_->scheme(),
                                           session_->line()) == PairOutcome::Transferred);
        const QString text80 = QString(80, QLatin1Char('x'));
        ModalDriver driver;
        QStringList seen;
        driver.Then([&](QWidget* w) {
            if (!pick.isEmpty()) Pick(w, pick);
            for (const QString& n : numbers.split(u',')) Number(w, n);
            Child<QLineEdit>(w, "edDes")->clear();  // the pick showed its description
            QTest::keyClicks(Child<QLineEdit>(w, "edDes"), text80);
            QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(w, Qt::Key_Escape);
        });
        if (asked) driver.Press("bbYes", &seen);
        window_->ShowArchive();
        QCOMPARE(driver.Unexpected(), 0);
        QCOMPARE(seen.isEmpty(), !asked);
        QVERIFY(Exists(u"PUNT"_s + written.mid(4)));
        QCOMPARE(QString::fromStdString(session_->FileName()), written);
        QCOMPARE(QString::fromStdString(session_->PanelText()), text80.left(64));
        QVERIFY(!Child<QListWidget>(window_.get(), "flDat")
                     ->findItems(written, Qt::MatchExactly)
                     .isEmpty());
    }

    // A passage saved to the archive and read back through the window alone,
    // in a folder browsed to from the program folder. "Leggi" (Ctrl+R) with
    // no file picked says so and reads nothing. (A damaged pair refused is
    // the scheme files'.)
    void passageRoundTrip() {
        Fresh();
        std::filesystem::create_directory(Path(u"viaggi"_s).toStdString());
        const double arrival = session_->scheme().Value(cells::ArrTf);
        bool readNothing = false;
        QStringList seen;
        ModalDriver driver;
        driver.Then([&](QWidget* w) {
            QTest::keyClick(w, Qt::Key_R, Qt::ControlModifier);
            readNothing = !session_->scheme().saved;
            auto* folders = Child<QListWidget>(w, "dirDat");
            const auto found = folders->findItems(u"viaggi"_s, Qt::MatchExactly);
            QVERIFY(!found.isEmpty());
            const QPoint at = folders->visualItemRect(found.front()).center();
            QTest::mousePress(folders->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(folders->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
            QTest::qWait(0);
            QTest::keyClicks(Child<QLineEdit>(w, "edDes"), u"Genova - New York"_s);
            QTest::mouseClick(Child<QAbstractButton>(w, "hsScrivi"), Qt::LeftButton);
            session_->scheme().Clear();
            Child<QLineEdit>(w, "edDes")->clear();
            Pick(w, u"VELM-001.DAT"_s);
            QCOMPARE(Child<QLineEdit>(w, "edDes")->text(), QStringLiteral("Genova - New York"));
            QTest::mouseClick(Child<QAbstractButton>(w, "hsLeggi"), Qt::LeftButton);
            QTest::mouseClick(Child<QAbstractButton>(w, "hbFine"), Qt::LeftButton);
        });
        driver.Press("bbOK", &seen);
        window_->ShowArchive();
        QCOMPARE(driver.Unexpected(), 0);
        QVERIFY2(seen.contains(QString::fromLatin1(kNothingPickedText)),
                 qPrintable(seen.join(u'|')));
        QVERIFY(readNothing);
        QVERIFY(Exists(u"viaggi/PUNT-001.DAT"_s));
        QVERIFY(!Exists(u"VELM-001.DAT"_s));
        QCOMPARE(session_->scheme().Value(cells::ArrTf), arrival);  // solved again
        QVERIFY(session_->scheme().saved);
        QCOMPARE(QString::fromStdString(session_->PanelText()),
                 QStringLiteral("Genova - New York"));
        QCOMPARE(QString::fromStdString(session_->FileName()), QStringLiteral("VELM-001.DAT"));
    }

    // F10 opens the window from the scheme window, whose file name and
    // description panel follow a write while the window is still open.
    void openedFromTheSchemeWindow() {
        Fresh();
        window_.reset();
        const auto program = StartProgram(dir_.path());
        ui::TfrmVelmar& velmar = program->velmar();
        auto* panel = velmar.findChild<QLabel*>(u"pnlDesF"_s);
        QString panelWhileOpen;
        ModalDriver driver;
        driver.Then([&](QWidget* w) {
            QCOMPARE(w->windowTitle(), u"Velmar3: Archivio"_s);
            QTest::keyClicks(Child<QLineEdit>(w, "edDes"), u"Napoli - Palermo"_s);
            QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
            panelWhileOpen = panel->text();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        KeyOn(&velmar, Qt::Key_F10);
        QCOMPARE(driver.Unexpected(), 0);
        QVERIFY(driver.Done());
        QCOMPARE(panelWhileOpen, u"Napoli - Palermo"_s);
        bool named = false;
        for (const QLabel* label : velmar.findChildren<QLabel*>())
            named = named || label->text() == u"VELM-001.DAT"_s;
        QVERIFY(named);
    }
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
