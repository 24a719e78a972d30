// The broken-line summary window over a real solved passage: opened from the
// scheme window's method cell, its labels are the domain's, its keys and
// buttons copy and close, and a line that does not qualify leaves it as it was.

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "tests/ui/ModalDriver.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Design.h"
#include "ui/Program.h"
#include "ui/TfrmRpl.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using namespace velmar::ui::testing;

namespace {

QString Text(QWidget* w, const char* name) {
    const auto* label = w->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

void Click(QWidget* w, const char* button) {
    QTest::mouseClick(w->findChild<QAbstractButton*>(QLatin1String(button)), Qt::LeftButton);
}

}  // namespace

class SummaryWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { ui::SetDesignScale(1.0); }

    // The method cell's right button opens the summary on the line the
    // session computed, every label showing the domain's text. Keys go to
    // whatever has the focus, the window seeing its own first: Ctrl+Insert
    // copies, Insert alone and Ctrl+C do not; Escape closes, Shift+Escape
    // does not.
    void OpensFromTheMethodCell() {
        QTemporaryDir dir;
        const auto program = StartProgram(dir.path());
        Session& session = program->session();
        EnterSample(session.solver(), {.departureTime = false});
        ModalDriver driver;
        driver.Press("bbOK");  // the automatic choice's notice
        QVERIFY(session.engine().Activate());
        SummaryLabels expected;
        QVERIFY(FillSummary(session.scheme(), session.line(), expected));

        using L = SummaryLabels;
        const std::pair<const char*, std::string L::*> fields[] = {
            {"lblL_Ml", &L::rhumbDistance},   {"lblS_Ml", &L::lineDistance},
            {"lblR_Ml", &L::savedDistance},   {"lblL_Dt", &L::rhumbTime},
            {"lblS_Dt", &L::lineTime},        {"lblR_Dt", &L::savedTime},
            {"lblPtCr", &L::spacingTitle},    {"lblLab_NrPt", &L::firstLabel},
            {"lblVal_NrPt", &L::firstValue},  {"lblLab_DLonP", &L::secondLabel},
            {"lblVal_DLonP", &L::secondValue}};
        QStringList shown, want, copies;
        for (const auto& [name, field] : fields) want << QString::fromStdString(expected.*field);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        bool openAfterShiftEscape = false, closedByEscape = false;
        driver.Then([&](QWidget* w) {
            for (const auto& [name, field] : fields) shown << Text(w, name);
            ModalDriver::Activate(w);
            const auto key = [w](Qt::Key key, Qt::KeyboardModifiers held = Qt::NoModifier) {
                QWidget* focus = QApplication::focusWidget();
                QTest::keyClick(focus ? focus : w, key, held);
            };
            key(Qt::Key_Insert);
            key(Qt::Key_C, Qt::ControlModifier);
            copies << Clipboard();
            key(Qt::Key_Insert, Qt::ControlModifier);
            copies << Clipboard();
            key(Qt::Key_Escape, Qt::ShiftModifier);
            openAfterShiftEscape = w->isVisible();
            key(Qt::Key_Escape);
            closedByEscape = !w->isVisible();
            if (!closedByEscape) Click(w, "hbFine");
        });
        QTest::mouseClick(program->velmar().ValueLabel(cells::Method), Qt::RightButton);
        QVERIFY(driver.Done());
        QCOMPARE(driver.Unexpected(), 0);
        QCOMPARE(driver.Titles().size(), 2);
        QCOMPARE(shown, want);
        QVERIFY(!shown.contains(QStringLiteral("err")));
        QCOMPARE(copies, (QStringList{QStringLiteral("before"),
                                      QString::fromStdString(SummaryCopyText(expected))}));
        QVERIFY(openAfterShiftEscape);
        QVERIFY(closedByEscape);
    }

    // A line not strictly between the great circle and the rhumb line fills
    // nothing: at first the unfilled labels stand (and are copied), later
    // the last filled content stays.
    void UnqualifiedLineLeavesTheWindow() {
        Silent silent;
        Session session(QDir::tempPath().toStdString(), silent);
        EnterSample(session.solver(), {.departureTime = false});
        ui::TfrmRpl window;
        QString copied;
        ModalDriver driver;
        auto copyAndClose = [&](QWidget* w) {
            Click(w, "hsCopia");
            copied = Clipboard();
            Click(w, "hbFine");
        };

        driver.Then(copyAndClose);
        window.ShowSummary(session.scheme(), session.line());  // no line computed yet
        QCOMPARE(copied, QString::fromStdString(SummaryCopyText(SummaryLabels{})));

        QVERIFY(session.engine().Activate());
        driver.Then(copyAndClose);
        window.ShowSummary(session.scheme(), session.line());
        const QString filled = copied;
        QVERIFY(Text(&window, "lblS_Ml") != QStringLiteral("err"));

        BrokenLine stale = session.line();
        stale.totalDistance = session.scheme().Value(cells::ml);  // no saving
        driver.Then(copyAndClose);
        window.ShowSummary(session.scheme(), stale);
        QCOMPARE(copied, filled);
        QVERIFY(driver.Done());
        QCOMPARE(driver.Unexpected(), 0);
    }
};

QTEST_MAIN(SummaryWindowTest)

#include "summary_window_test.moc"
