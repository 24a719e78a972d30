#include "ui/TfrmPorti.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <numeric>
#include <vector>

#include "ui/Design.h"
#include "ui/Pictures.h"

namespace velmar::ui {

namespace {

const QColor kDepartureColour(255, 0, 0);  // red
const QColor kArrivalColour(255, 0, 255);  // fuchsia

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QColor& colour) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setMaxVisibleItems(20);
    for (QWidget* w : {static_cast<QWidget*>(list), static_cast<QWidget*>(list->view())}) {
        QPalette p = w->palette();
        for (QPalette::ColorRole role :
             {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            p.setColor(role, colour);
        w->setPalette(p);
    }
    return list;
}

// A name as typed to find it: without regard to case or accents, so that
// "citta" finds "Città" as well as "Cittadella".
QString Folded(const QString& text) {
    QString folded;
    for (const QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing) folded += c;
    return folded.toCaseFolded();
}

}  // namespace

TfrmPorti::TfrmPorti(Session& session, const std::string& dataFolder, QWidget* parent)
    : KeyFirstDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint),
      session_(session),
      path_(PortsPath(dataFolder)),
      ports_(LoadPorts(dataFolder)),
      imgSrc_(QStringLiteral(":/porti.png")),
      hsPar_(MakeButton(this, "hsPar", QStringLiteral("Partenza"))),
      hsArr_(MakeButton(this, "hsArr", QStringLiteral("Arrivo"))),
      hcPar_(MakeList(this, "hcPar", kDepartureColour)),
      hcArr_(MakeList(this, "hcArr", kArrivalColour)),
      lblLat_(MakeLabel(this, "lblLat", QStringLiteral("Lat"))),
      lblLon_(MakeLabel(this, "lblLon", QStringLiteral("Lon"))),
      lblPLa_(MakeLabel(this, "lblPLa", QStringLiteral("0"))),
      lblPLo_(MakeLabel(this, "lblPLo", QStringLiteral("0"))),
      lblALa_(MakeLabel(this, "lblALa", QStringLiteral("0"))),
      lblALo_(MakeLabel(this, "lblALo", QStringLiteral("0"))),
      imgDstView_(MakeLabel(this, "imgDst", QString())),
      hbFine_(MakeButton(this, "hbFine", QStringLiteral("&Finito"))) {
    setObjectName(QStringLiteral("frmPorti"));
    setWindowTitle(QStringLiteral("Velmar3: Porti"));
    setWindowIcon(ProgramWindowIcon());
    setModal(true);
    setSizeGripEnabled(false);

    // A missing picture must not leave a null image to paint on.
    if (imgSrc_.isNull()) {
        imgSrc_ = QImage(kPortsPictureWidth, kPortsPictureHeight, QImage::Format_RGB32);
        imgSrc_.fill(Qt::white);
    }
    imgSrc_ = imgSrc_.convertToFormat(QImage::Format_RGB32);
    imgDst_ = imgSrc_;
    imgDstView_->setScaledContents(true);

    hsPar_->setProperty("tag", kDeparture);
    hsArr_->setProperty("tag", kArrival);
    hbFine_->setDefault(true);
    connect(hsPar_, &QPushButton::clicked, this, [this] { TakePortOf(kDeparture); });
    connect(hsArr_, &QPushButton::clicked, this, [this] { TakePortOf(kArrival); });
    connect(hbFine_, &QPushButton::clicked, this, &QDialog::accept);
    for (QComboBox* list : {hcPar_, hcArr_})
        connect(list, &QComboBox::currentIndexChanged, this, &TfrmPorti::ShowChosenPorts);
    // The window sees its keys before the control that has the focus.
    for (QWidget* control :
         std::initializer_list<QWidget*>{hsPar_, hsArr_, hcPar_, hcArr_, hbFine_})
        control->installEventFilter(this);
    setTabOrder(hcPar_, hsPar_);
    setTabOrder(hsPar_, hcArr_);
    setTabOrder(hcArr_, hsArr_);
    setTabOrder(hsArr_, hbFine_);

    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    face.setColor(QPalette::WindowText, Qt::black);
    setPalette(face);
    setAutoFillBackground(true);

    FillLists();
    ShowChosenPorts();
    Layout();
}

void TfrmPorti::FillLists() {
    // The names in the order an Italian reader looks them up: letters
    // without regard to case, an accented letter beside its plain one. Ports
    // of the same name keep the order of their lines. Each entry carries the
    // index of its own port, so its coordinates are always its line's.
    QCollator collator{QLocale(QLocale::Italian, QLocale::Italy)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QString> names;
    names.reserve(ports_.ports.size());
    for (const Port& port : ports_.ports) names.push_back(QString::fromStdString(port.name));
    std::vector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return collator.compare(names[std::size_t(a)], names[std::size_t(b)]) < 0;
    });
    const QString note = QString::fromStdString(SkippedLinesNote(ports_));
    for (QComboBox* list : {hcPar_, hcArr_}) {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const int index : order) list->addItem(names[std::size_t(index)], index);
        list->setCurrentIndex(-1);
        list->setEnabled(ports_.enabled);
        list->setToolTip(note);
    }
}

void TfrmPorti::Layout() {
    setFont(DesignFont(14));
    const struct {
        QWidget* control;
        int left, top, width, height;
    } places[] = {
        {lblLat_, 440, 8, 100, 18},
        {lblLon_, 560, 8, 110, 18},
        {hsPar_, 10, 28, 100, 28},
        {hcPar_, 118, 28, 310, 28},
        {lblPLa_, 440, 33, 110, 20},
        {lblPLo_, 560, 33, 120, 20},
        {hsArr_, 10, 64, 100, 28},
        {hcArr_, 118, 64, 310, 28},
        {lblALa_, 440, 69, 110, 20},
        {lblALo_, 560, 69, 120, 20},
        {hbFine_, 700, 44, 110, 33},
        {imgDstView_, 10, 104, kPortsPictureWidth, kPortsPictureHeight},
    };
    for (const auto& p : places) {
        p.control->setFont(font());
        p.control->setGeometry(Dp(p.left, p.top, p.width, p.height));
    }
    hcPar_->view()->setFont(font());
    hcArr_->view()->setFont(font());
    setFixedSize(Dp(20 + kPortsPictureWidth), Dp(114 + kPortsPictureHeight));

    CentreOnScreen(this);
}

void TfrmPorti::ShowPorts(int opener) {
    opener_ = opener;
    pressedKey_ = 0;
    Layout();
    ReportPortsUnavailable(ports_, path_, session_.messages());
    (ports_.enabled ? static_cast<QWidget*>(hcPar_) : hbFine_)->setFocus(Qt::OtherFocusReason);
    exec();
}

std::optional<Port> TfrmPorti::Chosen(const QComboBox* list) const {
    const QVariant index = list->currentData();
    return PortPosition(ports_, index.isValid() ? index.toInt() : -1);
}

void TfrmPorti::ShowChosenPorts() {
    imgDst_ = imgSrc_;
    QPainter painter(&imgDst_);
    painter.setRenderHint(QPainter::Antialiasing);
    const struct {
        QComboBox* list;
        QLabel* lat;
        QLabel* lon;
        QColor colour;
    } ends[] = {{hcPar_, lblPLa_, lblPLo_, kDepartureColour},
                {hcArr_, lblALa_, lblALo_, kArrivalColour}};
    for (const auto& end : ends) {
        const std::optional<Port> port = Chosen(end.list);
        const PortTexts texts = ShownPortTexts(port);
        end.lat->setText(QString::fromStdString(texts.latitude));
        end.lon->setText(QString::fromStdString(texts.longitude));
        if (!port) continue;
        // A dot: a zero-length line with a 5-pixel round pen.
        painter.setPen(QPen(end.colour, 5, Qt::SolidLine, Qt::RoundCap));
        const PicturePixel at = PortPixel(port->latitude, port->longitude);
        painter.drawPoint(at.x, at.y);
    }
    painter.end();
    imgDstView_->setPixmap(QPixmap::fromImage(imgDst_));
}

void TfrmPorti::TakePortOf(int group) {
    const TakePortOutcome outcome =
        TakePort(session_.solver(), group, Chosen(hcPar_), Chosen(hcArr_), session_.portNames());
    if (outcome == TakePortOutcome::Taken && opener_ == 2) emit chartRedrawRequested();
}

void TfrmPorti::JumpTo(QComboBox* list, const QString& typed) {
    if (!typedAt_.isValid() || typedAt_.elapsed() > QApplication::keyboardInputInterval())
        typed_.clear();
    typedAt_.start();
    // The letters typed so far, or this one alone when they begin no name.
    for (const QString& prefix : {typed_ + typed, typed}) {
        const QString folded = Folded(prefix);
        for (int i = 0; i < list->count(); ++i) {
            if (Folded(list->itemText(i)).startsWith(folded)) {
                typed_ = prefix;
                list->setCurrentIndex(i);
                return;
            }
        }
    }
    QApplication::beep();
}

bool TfrmPorti::HandleKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    if ((key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) ||
        mods != Qt::NoModifier)
        return false;
    if (event.type() == QEvent::KeyPress) {
        pressedKey_ = key;
    } else if (!event.isAutoRepeat()) {
        // Only a key pressed here: the Enter or Escape that chose a port in
        // an open list, or closed it, ends there and must not close the window.
        const bool pressedHere = pressedKey_ == key;
        pressedKey_ = 0;
        if (pressedHere) hbFine_->click();
    }
    return true;
}

bool TfrmPorti::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        if (KeyFirstDialog::eventFilter(watched, event)) return true;
        const auto& key = *static_cast<QKeyEvent*>(event);
        auto* list = qobject_cast<QComboBox*>(watched);
        const Qt::KeyboardModifiers mods =
            key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (list && event->type() == QEvent::KeyPress && mods == Qt::NoModifier &&
            !key.text().isEmpty() && key.text().at(0).isPrint()) {
            JumpTo(list, key.text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velmar::ui
