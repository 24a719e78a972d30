// The keypad window driven as a navigator drives it: keys replayed on the
// focused control of the real modal window. The checks themselves are the
// keypad logic's and are tested there; here only the routing of keys, the
// focus, the colours of the value line and the call's result.

#include <QApplication>
#include <QLabel>
#include <QtTest>
#include <memory>

#include "core/DateTime.h"
#include "tests/scheme/SchemeFakes.h"
#include "tests/ui/ModalDriver.h"
#include "ui/TfrmTast.h"

using namespace Qt::StringLiterals;
using velmar::KeypadRequest;
using velmar::QuantityKind;
using velmar::ui::testing::ModalDriver;

class KeypadWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void typing_data();
    void typing();

  private:
    QString Seen(QWidget* keypad) const;
    velmar::testing::RecordingMessages messages_;
    bool saved_ = true;
    // One window for every row: each call must reload it from its request.
    std::unique_ptr<velmar::ui::TfrmTast> keypad_;
};

void KeypadWindowTest::initTestCase() {
    keypad_ = std::make_unique<velmar::ui::TfrmTast>(messages_, saved_);
}

// Value line text, its colour (red a failed check, navy modify mode, black
// insert mode) and the focused control, as "text,colour,focus".
QString KeypadWindowTest::Seen(QWidget* keypad) const {
    const auto* line = keypad->findChild<QLabel*>(QStringLiteral("pnlIns"));
    const QWidget* focus = QApplication::focusWidget();
    return line->text() + u',' + line->palette().color(QPalette::WindowText).name() + u',' +
           (focus ? focus->objectName() : QString());
}

// Keys: as the modal driver types them ('\r' Enter), '#' the close box, '|'
// notes what the window shows at that moment.
void KeypadWindowTest::typing_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("seen");
    QTest::addColumn<bool>("result");
    QTest::addColumn<double>("returned");
    QTest::addColumn<int>("messages");

    const int lat = static_cast<int>(QuantityKind::Latitude);
    const int date = static_cast<int>(QuantityKind::Date);
    const double april30 = velmar::DayNumber(velmar::CivilDate{2026, 4, 30});
    // Digits replace the selected loaded number; a letter key flips the
    // letter shown, wherever the cursor is.
    QTest::newRow("latitude typed from a click-open")
        << lat << false << 45.5 << u"12\t15\tS|\r"_s << u"45° 30' 00\" Nord,#000080,seTre"_s << true
        << -12.25 << 0;
    // With no letter shown a letter key does nothing; the cursor waits on
    // the hemisphere button, whose click gives N (a wrongly chosen N would
    // have flipped to S).
    QTest::newRow("refused hemisphere") << lat << true << 0.0 << u"10\r|N \r"_s
                                        << u"Verifica SEGNO,#ff0000,hbSegno"_s << true << 10.0 << 0;
    QTest::newRow("refused date: the red text goes when the first field changes")
        << date << false << april30 << u"31\r|29|\r"_s
        << u"Verifica VALORE,#ff0000,seUno;30-04-2026,#000080,seUno"_s << true << april30 - 1 << 0;
    // A zero typed over the loaded zero says the zero is meant.
    QTest::newRow("zero message, then 0 typed")
        << lat << true << 0.0 << u"\r|0|\r"_s
        << u"Verifica VALORE,#ff0000,seUno;Nuovo valore,#000000,seUno"_s << true << 0.0 << 1;
    QTest::newRow("Esc cancels") << lat << false << 45.5 << u"12\x1b"_s << u""_s << false << 45.5
                                 << 0;
    QTest::newRow("close box cancels")
        << lat << false << 45.5 << u"12#"_s << u""_s << false << 45.5 << 0;
    QTest::newRow("Backspace resets fields and letter")
        << lat << false << -45.5 << u"12N\bN\r"_s << u""_s << true << 45.5 << 0;
}

void KeypadWindowTest::typing() {
    QFETCH(int, kind);
    QFETCH(bool, insert);
    QFETCH(double, value);
    QFETCH(QString, keys);
    QFETCH(QString, seen);
    QFETCH(bool, result);
    QFETCH(double, returned);
    QFETCH(int, messages);

    messages_.shown.clear();
    saved_ = true;
    QStringList noted;
    bool leftOpen = false;
    ModalDriver modal;
    modal.Then([&](QWidget* window) {
        ModalDriver::Activate(window);
        for (const QChar c : keys) {
            if (!window->isVisible()) break;
            if (c == u'|')
                noted << Seen(window);
            else if (c == u'#')
                window->close();
            else
                ModalDriver::TypeInto(window, c);
        }
        leftOpen = window->isVisible();
        if (leftOpen) window->close();
    });

    KeypadRequest request;
    request.kind = static_cast<QuantityKind>(kind);
    request.insert = insert;
    request.value = value;
    double typed = value;
    const bool accepted = keypad_->ShowKeypad(request, typed);

    QVERIFY(!leftOpen);
    QCOMPARE(noted.join(u';'), seen);
    QCOMPARE(accepted, result);
    QCOMPARE(typed, returned);
    QCOMPARE(saved_, !result);  // only an accepted value clears the saved flag
    QCOMPARE(static_cast<int>(messages_.shown.size()), messages);
}

QTEST_MAIN(KeypadWindowTest)
#include "keypad_window_test.moc"
