// The chart window inside the whole program: opened from the scheme window
// with F8 on a solved passage, driven by keys, the wheel, the mouse and its
// menu shortcuts, the map's messages answered from their own event loops.

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "chart/ChartTexts.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/SamplePassage.h"
#include "ui/Program.h"
#include "ui/TfrmCarta.h"
#include "ui/TfrmVelmar.h"

using namespace velmar;
using namespace velmar::ui::testing;

namespace {

void Wheel(QWidget* target, int notches, Qt::KeyboardModifiers modifiers) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, notches * 120), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

int DarkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 40;
    return dark;
}

}  // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ui::Program> program_;

    ui::TfrmCarta& Chart() { return program_->carta(); }

  private slots:
    void init() {
        for (const char* file : {"MONDOGW.MAP", "MONDOAG.MAP", "PORTI.TXT"}) {
            const QString path = dir_.filePath(QLatin1String(file));
            QFile::remove(path);  // an earlier case may have damaged it
            QFile::copy(QStringLiteral(VELMAR_DATA_DIR "/") + QLatin1String(file), path);
        }
        WriteSample(dir_.path().toStdString(), {.departureTime = false});
        program_ = StartProgram(dir_.path());
        KeyOn(&program_->velmar(), Qt::Key_F8);
        QTRY_VERIFY(Chart().isActiveWindow());
        QCOMPARE(Chart().View().Zoom(), 100);
        QTRY_VERIFY(!Chart()
                         .Panel(ChartPanel::Coordinates)
                         ->findChild<QLabel*>(QStringLiteral("lblml"))
                         ->text()
                         .isEmpty());
    }
    void cleanup() { program_.reset(); }

    // Each row: an input, and the step the rules give it ("none" for the
    // modifier states that must do nothing).
    void inputs_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QByteArray>("step");
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
                  alt = Qt::AltModifier, pad = Qt::KeypadModifier;
        auto row = [](const char* name, const char* input, int key, int modifiers,
                      const char* step) {
            QTest::newRow(name) << QByteArray(input) << key << modifiers << QByteArray(step);
        };
        row("Up", "key", int(Qt::Key_Up), none, "N fine");
        row("Ctrl+Left", "key", int(Qt::Key_Left), ctrl, "W coarse");
        row("Shift+Up", "key", int(Qt::Key_Up), shift, "none");
        row("Alt+Right", "key", int(Qt::Key_Right), alt, "none");
        row("keypad +", "key", int(Qt::Key_Plus), pad, "+ fine");
        row("Ctrl+keypad -", "key", int(Qt::Key_Minus), (ctrl | pad), "- coarse");
        row("main +", "key", int(Qt::Key_Plus), none, "none");
        row("N", "char", 'N', shift, "N coarse");
        row("e", "char", 'e', none, "E fine");
        row("Ctrl+S", "char", 'S', ctrl, "none");
        row("wheel up", "wheel+", 0, none, "N fine");
        row("Ctrl wheel down", "wheel-", 0, ctrl, "S coarse");
        row("Shift wheel up", "wheel+", 0, shift, "E fine");
        row("Shift+Ctrl wheel down", "wheel-", 0, (shift | ctrl), "W coarse");
        row("Shift+Alt wheel up", "wheel+", 0, (shift | alt), "+ fine");
        row("Ctrl+Alt wheel down", "wheel-", 0, (ctrl | alt), "- coarse");
        row("Alt wheel", "wheel+", 0, alt, "none");
        row("Shift+Ctrl+Alt wheel", "wheel+", 0, (shift | ctrl | alt), "none");
        row("left click", "image", int(Qt::LeftButton), none, "at");
        row("right click", "image", int(Qt::RightButton), none, "- half");
        row("+ left", "hsPiu", int(Qt::LeftButton), none, "+ coarse");
        row("W right", "hsW", int(Qt::RightButton), none, "W fine");
    }
    void inputs() {
        QFETCH(QByteArray, input);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QByteArray, step);
        ui::TfrmCarta& w = Chart();
        w.View().SetView(800, 0.4, 0.5);
        w.Redraw();
        ChartView expected = w.View();
        const QPoint at(120, 90);
        const QList<QByteArray> parts = step.split(' ');
        const StepSize size = parts.value(1) == "fine" ? StepSize::kFine : StepSize::kCoarse;
        const QByteArray dirs("NSWE");
        if (parts[0].size() == 1 && dirs.contains(parts[0]))
            expected.Pan(PanDirection(dirs.indexOf(parts[0])), size);
        if (step == "+ fine" || step == "+ coarse") expected.ZoomIn(size);
        if (step == "- fine" || step == "- coarse") expected.ZoomOut(size);
        if (step == "at") expected.ZoomInAt(at.x(), at.y());
        if (step == "- half") expected.ZoomOutAt();

        const auto mods = Qt::KeyboardModifiers(modifiers);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        if (input == "key") {
            QTest::keyClick(w.windowHandle(), Qt::Key(key), mods);
        } else if (input == "char") {
            QTest::keyClick(w.windowHandle(), char(key), mods);
        } else if (input.startsWith("wheel")) {
            Wheel(w.Image(), input.endsWith('+') ? 1 : -1, mods);
        } else if (input == "image") {
            QTest::mousePress(w.Image(), Qt::MouseButton(key), mods, at);
            // The readout tells where the pointer is.
            QCOMPARE(w.Readout()->text(),
                     QString::fromStdString(PointerReadout(w.View(), at.x(), at.y()))
                         .replace(QLatin1Char('\r'), QLatin1Char('\n')));
        } else {
            QTest::mousePress(w.findChild<QToolButton*>(QString::fromLatin1(input)),
                              Qt::MouseButton(key), mods);
        }
        QCOMPARE(w.View().Zoom(), expected.Zoom());
        QCOMPARE(w.View().Fx(), expected.Fx());
        QCOMPARE(w.View().Fy(), expected.Fy());
    }

    void homeResetsAndCtrlHomeOnlyScrolls() {
        ui::TfrmCarta& w = Chart();
        QScrollBar* h = w.ChartArea()->horizontalScrollBar();
        QScrollBar* v = w.ChartArea()->verticalScrollBar();
        QVERIFY(h->maximum() > 0 && v->maximum() > 0);  // the picture is the screen's size
        w.View().SetView(1600, 0.3, 0.6);
        h->setValue(h->maximum());
        v->setValue(v->maximum());
        KeyOn(&w, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(QPoint(h->value(), v->value()), QPoint(0, 0));
        QCOMPARE(w.View().Zoom(), 1600);
        KeyOn(&w, Qt::Key_Home);
        QCOMPARE(w.View().Zoom(), 100);
    }

    void panelsGoToTheirCorners() {
        ui::TfrmCarta& w = Chart();
        QWidget* area = w.ChartArea()->viewport();
        QFrame* limits = w.Panel(ChartPanel::Limits);
        QFrame* scale = w.Panel(ChartPanel::Scale);
        auto inCorners = [&] {
            return limits->geometry().right() == area->width() - 1 &&
                   scale->geometry().bottomRight() == QPoint(area->width() - 1, area->height() - 1);
        };
        QVERIFY(inCorners());
        // "Auto" follows a resize.
        w.resize(w.width() - 100, w.height() - 80);
        QTRY_VERIFY(inCorners());
        // A panel dragged by its title stays where it was left; the right
        // button on its body sends it back.
        auto* title = limits->findChild<QToolButton*>(QStringLiteral("hsLim"));
        const QPoint from = limits->pos();
        QTest::mousePress(title, Qt::LeftButton, {}, QPoint(5, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), title->mapToGlobal(QPointF(-55, 45)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(title, &move);
        QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(-55, 45));
        QCOMPARE(limits->pos(), from + QPoint(-60, 40));
        QTest::mouseRelease(limits, Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(limits->pos(), from);
        // Without "Auto" a resize leaves them; "Posiziona" puts them back.
        KeyOn(&w, Qt::Key_F10, Qt::AltModifier);
        QVERIFY(!w.Action(ChartCommand::PanelsAuto)->isChecked());
        w.resize(w.width() + 60, w.height() + 50);
        QTRY_VERIFY(!inCorners());
        KeyOn(&w, Qt::Key_F10, Qt::ControlModifier);
        QVERIFY(inCorners());
    }

    void copyCarriesTheShownPanelsButNeverTheTools() {
        ui::TfrmCarta& w = Chart();
        QApplication::clipboard()->clear();
        KeyOn(&w, Qt::Key_C, Qt::ControlModifier);
        const QImage copy = QApplication::clipboard()->image();
        const QImage picture = w.Picture().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(copy.size(), picture.size());
        auto same = [&](const QImage& a, ChartPanel panel) {
            const QRect r = w.Panel(panel)->geometry();
            return a.copy(r) == picture.copy(r);
        };
        QVERIFY(!same(copy, ChartPanel::Coordinates));
        QVERIFY(same(copy, ChartPanel::Tools));
        // The scale panel goes to the picture's corner, not the window's.
        const QSize s = w.Panel(ChartPanel::Scale)->size();
        QCOMPARE(copy.pixelColor(copy.width() - 1, copy.height() - s.height()), QColor(Qt::black));
        KeyOn(&w, Qt::Key_F10);  // "Nessuno"
        KeyOn(&w, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
    }

    void limitsPanelSwitchedOnShowsTheCurrentView() {
        ui::TfrmCarta& w = Chart();
        auto* north = w.Panel(ChartPanel::Limits)->findChild<QLabel*>(QStringLiteral("lblN"));
        KeyOn(&w, Qt::Key_2, Qt::AltModifier);
        QVERIFY(!w.Panel(ChartPanel::Limits)->isVisible());
        KeyOn(&w, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        KeyOn(&w, Qt::Key_2, Qt::AltModifier);
        QVERIFY(w.Panel(ChartPanel::Limits)->isVisible());
        QCOMPARE(north->text(), QString::fromStdString(LimitsPanelTexts(w.View()).north));
    }

    void mapMessagesAndTheKeptMap_data() {
        QTest::addColumn<QByteArray>("file");  // empty: no map file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << QStringLiteral("File non trovato");
        QTest::newRow("damaged") << QByteArray("-1 10 20\n0 30 x\n")
                                 << QStringLiteral("Errore nella lettura");
    }
    void mapMessagesAndTheKeptMap() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        ui::TfrmCarta& w = Chart();
        const QString path = dir_.filePath(QStringLiteral("MONDOGW.MAP"));
        QFile::remove(path);
        if (!file.isEmpty()) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file);
        }
        ModalDriver driver;
        QStringList shown;
        driver.Press("bbOK", &shown);
        KeyOn(&w, Qt::Key_F12);
        QTRY_VERIFY(driver.Done());
        QVERIFY2(shown.join(u'|').contains(message), qPrintable(shown.join(u'|')));
        QCOMPARE(driver.Titles(), QStringList{QStringLiteral("Carta: Mappa")});
        QVERIFY(w.View().Zoom() == 100 && w.isVisible());
    }

    // A port taken in the ports window opened from the chart shows on the
    // chart behind it before the window closes.
    void aPortTakenRedrawsTheChartBehind() {
        ui::TfrmCarta& w = Chart();
        auto* departure = w.findChild<QLabel*>(QStringLiteral("lblPla"));
        const QString before = departure->text();
        const QImage picture = w.Picture();
        QString behind;
        bool redrawn = false;
        ModalDriver driver;
        driver.Then([&](QWidget* ports) {
            ModalDriver::Activate(ports);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("lis"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            behind = departure->text();
            redrawn = w.Picture() != picture;
            QTest::keyClick(ports, Qt::Key_Return);
        });
        KeyOn(&w, Qt::Key_F4);
        QTRY_VERIFY(driver.Done());
        QCOMPARE(behind,
                 QString::fromStdString(
                     CoordinatesPanelTexts(program_->session().scheme()).departureLatitude));
        QVERIFY(behind != before);
        QVERIFY(redrawn);
    }

    void mapAlwaysSurvivesAZoomStepAndIsReadOnce() {
        ui::TfrmCarta& w = Chart();
        const int bare = DarkPixels(w.Picture());
        KeyOn(&w, Qt::Key_F12);
        QVERIFY(DarkPixels(w.Picture()) > bare + 1000);
        KeyOn(&w, Qt::Key_Plus, Qt::KeypadModifier);  // a redraw wipes the map...
        QVERIFY(DarkPixels(w.Picture()) < bare + 1000);
        KeyOn(&w, Qt::Key_F12, Qt::ShiftModifier);  // ...unless it is always drawn
        QVERIFY(program_->settings().mapAlways);
        KeyOn(&w, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(w.View().Zoom(), 120);
        QVERIFY(DarkPixels(w.Picture()) > bare + 1000);
        QCOMPARE(w.MapReads(), 1);
        // The menu bar's last item tells the hint of what is under the mouse.
        QEnterEvent enter(QPointF(50, 50), QPointF(50, 50),
                          w.Image()->mapToGlobal(QPointF(50, 50)));
        QApplication::sendEvent(w.Image(), &enter);
        QTRY_COMPARE(w.HintItem()->text(), QString::fromLatin1(kChartImageHint));
    }
};

QTEST_MAIN(ChartWindowTest)
#include "chart_window_test.moc"
