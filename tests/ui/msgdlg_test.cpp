// The message box and the about window driven as the user drives them: a
// queued action finds the modal window and replays clicks and keys on it.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/ui/ModalDriver.h"
#include "ui/Design.h"
#include "ui/TfrmInfo.h"
#include "ui/TfrmMsgDlg.h"

using velmar::Message;
using velmar::ui::testing::ModalDriver;
Q_DECLARE_METATYPE(Message)

namespace {

// Replays one gesture: "click:<button>", "key:<key>", "alt:<key>" or "close".
void Replay(QWidget* box, const QString& gesture) {
    const QString what = gesture.section(QLatin1Char(':'), 1);
    if (gesture == QLatin1String("close")) {
        box->close();
    } else if (gesture.startsWith(QLatin1String("click:"))) {
        auto* button = box->findChild<QPushButton*>(what);
        QVERIFY(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        QWidget* target = box->focusWidget() ? box->focusWidget() : box;
        const Qt::KeyboardModifiers mods =
            gesture.startsWith(QLatin1String("alt:")) ? Qt::AltModifier : Qt::NoModifier;
        const QKeySequence key(what);
        QTest::keyClick(target, static_cast<Qt::Key>(key[0].key()), mods);
    }
}

}  // namespace

class MsgDlgTest final : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { velmar::ui::SetDesignScale(1.0); }

    void Results_data();
    void Results();
    void Layout_data();
    void Layout();
    void AboutEscape_data();
    void AboutEscape();

  private:
    velmar::ui::TfrmMsgDlg box_;  // one box for every row: nothing may carry over
};

void MsgDlgTest::Results_data() {
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("result");
    const auto row = [](const char* name, const char* buttons, const char* gesture, int result) {
        QTest::newRow(name) << QString::fromLatin1(buttons) << QString::fromLatin1(gesture)
                            << result;
    };
    row("OK clicked", "O", "click:bbOK", 1);
    row("Cancel clicked", "YNC", "click:bbCancel", 2);
    row("Escape in O", "O", "key:Esc", 1);
    row("Escape in YN", "YN", "key:Esc", 7);
    row("Escape in YNC", "YNC", "key:Esc", 2);
    row("Enter in YN is Yes", "YN", "key:Return", 6);
    row("Enter after Tab is No", "YNC", "key:Tab,key:Return", 7);
    row("S", "YN", "key:S", 6);
    row("Alt+N", "YN", "alt:N", 7);
    row("close box in YN", "YN", "close", 2);
    row("no known button: Escape does nothing, close box ends", "X", "key:Esc,close", 2);
}

void MsgDlgTest::Results() {
    QFETCH(QString, buttons);
    QFETCH(QString, gesture);
    QFETCH(int, result);
    ModalDriver modal;
    modal.Then([gesture](QWidget* box) {
        for (const QString& step : gesture.split(QLatin1Char(','))) Replay(box, step);
        // A mnemonic clicks its button a moment later; no answer at all
        // shows as a result no button gives.
        if (!QTest::qWaitFor([box] { return !box->isVisible(); }, 1000))
            static_cast<QDialog*>(box)->done(-1);
    });
    const int answer =
        box_.MsgBox(Message{"?", buttons.toStdString(), "Velmar3: Prova", "Domanda", "Testo", ""});
    QCOMPARE(answer, result);
}

void MsgDlgTest::Layout_data() {
    const std::string line = "Questa riga di messaggio e' abbastanza lunga da allargare il box";
    const std::string broken = "Questa riga di messaggio e' abbastanza\rlunga da allargare il box";
    QTest::addColumn<Message>("message");
    QTest::addColumn<int>("width");  // client width; 0: wider than any button row
    QTest::addColumn<bool>("msgWraps");
    QTest::newRow("long line widens") << Message{"!", "O", "T", "", line, ""} << 0 << false;
    QTest::newRow("O after a wide box")
        << Message{"I", "O", "Velmar3: Prova", "", "", ""} << 169 << false;
    QTest::newRow("carriage return wraps") << Message{"!", "O", "T", "", broken, ""} << 169 << true;
    QTest::newRow("note never widens")
        << Message{"E", "O", "T", "", "", line + line} << 169 << false;
    QTest::newRow("long header widens") << Message{"E", "O", "T", line, "", ""} << 0 << false;
}

void MsgDlgTest::Layout() {
    QFETCH(Message, message);
    QFETCH(int, width);
    QFETCH(bool, msgWraps);
    ModalDriver modal;
    // The checks run inside a lambda of their own: the box closes whatever they find.
    modal.Then([=](QWidget* box) {
        [&] {
            if (width > 0)
                QCOMPARE(box->width(), width);
            else
                QVERIFY2(box->width() > 379, qPrintable(QString::number(box->width())));
            // Every shown text lies inside the client area, clear of its right margin.
            for (const char* name : {"lblHdr", "lblMsg", "lblNte"}) {
                auto* label = box->findChild<QLabel*>(QLatin1String(name));
                if (!label->isVisible()) continue;
                QVERIFY(label->geometry().right() < box->width() - 8);
                QVERIFY(label->geometry().bottom() < box->height());
            }
            auto* msg = box->findChild<QLabel*>(QStringLiteral("lblMsg"));
            if (msgWraps) QVERIFY(msg->height() >= 2 * msg->fontMetrics().height());
            auto* note = box->findChild<QLabel*>(QStringLiteral("lblNte"));
            if (note->isVisible()) QVERIFY(note->height() >= 2 * note->fontMetrics().height());
        }();
        box->close();
    });
    QCOMPARE(box_.MsgBox(message), 2);
}

void MsgDlgTest::AboutEscape_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("result");
    QTest::newRow("Escape is OK") << int(Qt::NoModifier) << int(QDialog::Accepted);
    QTest::newRow("Shift+Escape is not") << int(Qt::ShiftModifier) << int(QDialog::Rejected);
}

void MsgDlgTest::AboutEscape() {
    QFETCH(int, modifiers);
    QFETCH(int, result);
    velmar::ui::TfrmInfo about;
    about.SetProgramFolder(QStringLiteral("/opt/velmar"));
    ModalDriver modal;
    modal.Then([modifiers](QWidget* window) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Escape, Qt::KeyboardModifiers(modifiers));
        if (window->isVisible()) window->close();  // Escape was not an answer
    });
    QCOMPARE(about.ShowAbout(2), result);
    QCOMPARE(about.Module(), 2);
}

QTEST_MAIN(MsgDlgTest)
#include "msgdlg_test.moc"
