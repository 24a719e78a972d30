#include "ui/TfrmCarta.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "chart/ChartTexts.h"
#include "scheme/SchemeScreen.h"
#include "ui/CommandMenus.h"
#include "ui/Design.h"

namespace velmar::ui {

namespace {

// The window's font: its height in design pixels; the panels' corners are
// measured in it. The panels' texts are a little larger, to be read at a
// glance over a busy chart.
constexpr int kWindowFont = 13;
constexpr int kPanelFont = 15;
constexpr int kToolSize = 24;
// One notch of a common mouse wheel.
constexpr int kWheelNotch = 120;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

bool SettingOf(const Settings& settings, ChartPanel panel) {
    switch (panel) {
        case ChartPanel::Coordinates:
            return settings.coordinatesPanel;
        case ChartPanel::Limits:
            return settings.limitsPanel;
        case ChartPanel::Scale:
            return settings.scalesPanel;
        case ChartPanel::Tools:
            return settings.toolsPanel;
    }
    return true;
}

bool& SettingOf(Settings& settings, ChartPanel panel) {
    switch (panel) {
        case ChartPanel::Coordinates:
            return settings.coordinatesPanel;
        case ChartPanel::Limits:
            return settings.limitsPanel;
        case ChartPanel::Scale:
            return settings.scalesPanel;
        case ChartPanel::Tools:
            break;
    }
    return settings.toolsPanel;
}

ChartCommand PanelCommand(ChartPanel panel) {
    static constexpr ChartCommand kCommands[] = {
        ChartCommand::PanelCoordinates, ChartCommand::PanelLimits, ChartCommand::PanelScale,
        ChartCommand::PanelTools};
    return kCommands[static_cast<int>(panel)];
}

// The settings' mark of each "Vista" layer.
bool Settings::*LayerMark(ChartCommand command) {
    switch (command) {
        case ChartCommand::Labels:
            return &Settings::labels;
        case ChartCommand::BrokenLine:
            return &Settings::brokenLine;
        case ChartCommand::GreatCircle:
            return &Settings::greatCircle;
        default:
            return &Settings::graticule;
    }
}

ChartLayers LayersOf(const Settings& settings) {
    return {settings.labels, settings.brokenLine, settings.greatCircle, settings.graticule};
}

ChartModifiers ModifiersOf(Qt::KeyboardModifiers m) {
    return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier),
            m.testFlag(Qt::AltModifier)};
}

// The corner button's sign: the top-left corner of a frame.
QIcon CornerSign() {
    QPixmap pixmap(Dp(16), Dp(16));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, std::max(1, Dp(2)), Qt::SolidLine, Qt::SquareCap));
    const int a = Dp(3);
    const int b = Dp(12);
    painter.drawLine(a, a, b, a);
    painter.drawLine(a, a, a, b);
    return QIcon(pixmap);
}

// Messages that no one is shown: "Mappa sempre" redraws quietly, as the
// navigator already heard of a failing map when asking for it.
struct QuietSink : MessageSink {
    int MsgBox(const Message&) override { return kMsgOk; }
};

}  // namespace

// The chart picture at its own size, pixel for pixel; the scrolling area
// moves over it.
class TfrmCarta::ChartImage : public QWidget {
  public:
    ChartImage(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const QRect r = event->rect();
        painter.drawImage(r.topLeft(), picture_, r);
    }

  private:
    const QImage& picture_;
};

// Every key and wheel step of the window is the window's before its
// controls': the scrolling area would take the arrows and the wheel.
class TfrmCarta::KeyFirst : public QObject {
  public:
    explicit KeyFirst(TfrmCarta& window) : window_(window) { qApp->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::Wheel) return false;
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != &window_ || !window_.isActiveWindow()) return false;
        if (type == QEvent::KeyPress) return window_.HandleKey(*static_cast<QKeyEvent*>(event));
        return window_.HandleWheel(*static_cast<QWheelEvent*>(event));
    }

  private:
    TfrmCarta& window_;
};

TfrmCarta::TfrmCarta(Session& session, Settings& settings, std::string mapFolder, QSize picture)
    : QMainWindow(nullptr),
      session_(session),
      settings_(settings),
      mapFolder_(std::move(mapFolder)),
      view_([&] {
          if (picture.isEmpty()) {
              const QScreen* screen = QGuiApplication::primaryScreen();
              picture = screen ? screen->geometry().size() : QSize(1024, 768);
          }
          return ChartView(picture.width(), picture.height());
      }()),
      activation_(*this, session, [this] { ActivateChart(); }) {
    setObjectName(QStringLiteral("frmCarta"));
    setWindowTitle(QString::fromLatin1(kChartCaption));
    const QFont windowFont = DesignFont(kWindowFont, true);
    setFont(windowFont);
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    setPalette(face);
    const QFontMetrics metrics(windowFont);
    tw_ = metrics.horizontalAdvance(QStringLiteral("00dN"));
    th_ = metrics.height();

    picture_ = QImage(view_.Width(), view_.Height(), QImage::Format_RGB32);
    picture_.fill(Qt::white);

    sbChart_ = new QScrollArea(this);
    sbChart_->setObjectName(QStringLiteral("sbChart"));
    sbChart_->setFrameShape(QFrame::NoFrame);
    sbChart_->setWidgetResizable(false);
    imgC_ = new ChartImage(picture_, sbChart_);
    imgC_->setObjectName(QStringLiteral("imgC"));
    imgC_->setFixedSize(view_.Width(), view_.Height());
    imgC_->setCursor(Qt::CrossCursor);
    imgC_->setMouseTracking(true);
    imgC_->setStatusTip(QString::fromLatin1(kChartImageHint));
    imgC_->installEventFilter(this);
    sbChart_->setWidget(imgC_);
    sbChart_->viewport()->installEventFilter(this);
    setCentralWidget(sbChart_);

    lblCursor_ = new QLabel(sbChart_->viewport());
    lblCursor_->setObjectName(QStringLiteral("lblCursor"));
    lblCursor_->setTextFormat(Qt::PlainText);
    lblCursor_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblCursor_->setCursor(Qt::CrossCursor);
    lblCursor_->hide();

    BuildPanels();
    BuildMenus();
    keyFirst_ = std::make_unique<KeyFirst>(*this);
    Arrange();
    ApplyPanels();
}

TfrmCarta::~TfrmCarta() = default;

QWidget* TfrmCarta::Image() const {
    return imgC_;
}

void TfrmCarta::BuildMenus() {
    actions_ = BuildCommandMenus(*this, ChartCommands(), [this](ChartCommand c) { Run(c); });
    // The menu bar's last item shows the hint of whatever is under the mouse.
    mnuHint_ = menuBar()->addAction(QString::fromLatin1(kNoHint));
    mnuHint_->setObjectName(QStringLiteral("mnuHint"));
}

QFrame* TfrmCarta::NewPanel(ChartPanel which, const char* name, const char* titleName, bool white) {
    auto* panel = new QFrame(sbChart_->viewport());
    panel->setObjectName(QString::fromLatin1(name));
    panel->setProperty("tag", static_cast<int>(which));
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window,
                     white ? QColor(Qt::white) : QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    colours.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(colours);
    panel->setFont(DesignFont(kPanelFont));
    panel->installEventFilter(this);

    auto* title = new QToolButton(panel);
    title->setObjectName(QString::fromLatin1(titleName));
    title->setProperty("tag", static_cast<int>(which));
    title->setFont(DesignFont(kPanelFont, true));
    title->setStatusTip(QString::fromLatin1(kPanelTitleHint));
    title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    title->setFocusPolicy(Qt::NoFocus);
    title->installEventFilter(this);
    panels_[static_cast<int>(which)] = panel;
    return panel;
}

QLabel* TfrmCarta::NewText(QFrame* panel, const char* name, const QString& text) {
    auto* label = new QLabel(text, panel);
    label->setTextFormat(Qt::PlainText);
    if (name) {
        label->setObjectName(QString::fromLatin1(name));
        texts_[name] = label;
    }
    // A press on a text drags its panel as one on the panel's body does.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void TfrmCarta::BuildPanels() {
    const int gap = Dp(4);
    auto layoutOf = [gap](QFrame* panel) {
        auto* grid = new QGridLayout(panel);
        grid->setContentsMargins(gap, gap, gap, gap);
        grid->setHorizontalSpacing(Dp(8));
        grid->setVerticalSpacing(Dp(2));
        grid->setSizeConstraint(QLayout::SetFixedSize);
        return grid;
    };
    auto titleOf = [](QFrame* panel) { return panel->findChild<QToolButton*>(); };

    // Coordinates: departure, rhumb course and distance, arrival.
    QFrame* coo = NewPanel(ChartPanel::Coordinates, "pnlCoo", "hsCoo", true);
    QGridLayout* grid = layoutOf(coo);
    titleOf(coo)->setText(QStringLiteral("Coordinate"));
    grid->addWidget(titleOf(coo), 0, 0, 1, 5);
    grid->addWidget(NewText(coo, nullptr, QStringLiteral("Partenza")), 1, 0);
    grid->addWidget(NewText(coo, "lblPla", {}), 1, 1, 1, 2);
    grid->addWidget(NewText(coo, "lblPlo", {}), 1, 3, 1, 2);
    grid->addWidget(NewText(coo, nullptr, QStringLiteral("Percorso")), 2, 0);
    grid->addWidget(NewText(coo, nullptr, QStringLiteral("Rv")), 2, 1);
    grid->addWidget(NewText(coo, "lblRv", {}), 2, 2);
    grid->addWidget(NewText(coo, nullptr, QStringLiteral("ml")), 2, 3);
    grid->addWidget(NewText(coo, "lblml", {}), 2, 4);
    grid->addWidget(NewText(coo, nullptr, QStringLiteral("Arrivo")), 3, 0);
    grid->addWidget(NewText(coo, "lblAla", {}), 3, 1, 1, 2);
    grid->addWidget(NewText(coo, "lblAlo", {}), 3, 3, 1, 2);

    // Limits: north and east above, south and west below.
    QFrame* lim = NewPanel(ChartPanel::Limits, "pnlLim", "hsLim", true);
    grid = layoutOf(lim);
    grid->addWidget(titleOf(lim), 0, 0, 1, 4);
    grid->addWidget(NewText(lim, nullptr, QStringLiteral("Nord")), 1, 0);
    grid->addWidget(NewText(lim, "lblN", {}), 1, 1);
    grid->addWidget(NewText(lim, nullptr, QStringLiteral("Est")), 1, 2);
    grid->addWidget(NewText(lim, "lblE", {}), 1, 3);
    grid->addWidget(NewText(lim, nullptr, QStringLiteral("Sud")), 2, 0);
    grid->addWidget(NewText(lim, "lblS", {}), 2, 1);
    grid->addWidget(NewText(lim, nullptr, QStringLiteral("Ovest")), 2, 2);
    grid->addWidget(NewText(lim, "lblW", {}), 2, 3);

    // Scale: centred lines under the projection's name.
    QFrame* sca = NewPanel(ChartPanel::Scale, "pnlSca", "hbScale", true);
    grid = layoutOf(sca);
    grid->addWidget(titleOf(sca), 0, 0);
    int row = 1;
    for (const auto& [name, text] :
         {std::pair{"lblMerca", "Proiezione di Mercatore"}, std::pair{"lblLatm", ""},
          std::pair{"lblScEq", ""}, std::pair{"lblScLm", ""}}) {
        QLabel* label = NewText(sca, name, QString::fromLatin1(text));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        grid->addWidget(label, row++, 0);
    }

    // Tools: zoom and pan buttons about a compass, "1:1" at its heart.
    QFrame* str = NewPanel(ChartPanel::Tools, "pnlStr", "hsStr", false);
    grid = layoutOf(str);
    grid->setHorizontalSpacing(Dp(2));
    titleOf(str)->setText(QStringLiteral("Strumenti"));
    grid->addWidget(titleOf(str), 0, 0, 1, 3);
    auto button = [&](const char* name, const QString& text, const char* hint, int r, int c) {
        auto* b = new QToolButton(str);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setStatusTip(QString::fromLatin1(hint));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(Dp(kToolSize * 1.5), Dp(kToolSize));
        grid->addWidget(b, r, c);
        return b;
    };
    tools_[button("hsPiu", QStringLiteral("+"), kZoomInHint, 1, 0)] = ChartTool::Plus;
    tools_[button("hsN", QStringLiteral("N"), kPanHint, 1, 1)] = ChartTool::North;
    tools_[button("hsMen", QStringLiteral("-"), kZoomOutHint, 1, 2)] = ChartTool::Minus;
    tools_[button("hsW", QStringLiteral("W"), kPanHint, 2, 0)] = ChartTool::West;
    hsCar_ = button("hsCar", QStringLiteral("1:1"), kOneToOneHint, 2, 1);
    tools_[button("hsE", QStringLiteral("E"), kPanHint, 2, 2)] = ChartTool::East;
    hsLaLo_ = button("hsLaLo", {}, kCornerHint, 3, 0);
    hsLaLo_->setIcon(CornerSign());
    tools_[button("hsS", QStringLiteral("S"), kPanHint, 3, 1)] = ChartTool::South;
    for (const auto& [tool, kind] : tools_) tool->installEventFilter(this);
    connect(hsCar_, &QToolButton::clicked, this, [this] { Step({ChartStep::Kind::Reset}); });
    connect(hsLaLo_, &QToolButton::clicked, this, [this] { Step({ChartStep::Kind::Corner}); });

    for (QFrame* panel : panels_) panel->adjustSize();
    FillLimits();
    FillScale();
}

void TfrmCarta::Run(ChartCommand command) {
    using C = ChartCommand;
    auto toggle = [this, command](bool& mark) {
        mark = !mark;
        actions_[command]->setChecked(mark);
    };
    switch (command) {
        case C::Ports:
            activation_.Busy([this] { emit portsRequested(); });
            break;
        case C::Points:
            emit pointsRequested();
            break;
        case C::Velmar:
            emit velmarRequested();
            break;
        case C::Copy: {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            QGuiApplication::clipboard()->setImage(CopyPicture());
            QApplication::restoreOverrideCursor();
            break;
        }
        case C::Close:
            hide();
            break;
        case C::Labels:
        case C::BrokenLine:
        case C::GreatCircle:
        case C::Graticule:
            toggle(settings_.*LayerMark(command));
            Redraw();
            break;
        case C::Map:
            activation_.Busy([this] { DrawMap(); });
            break;
        case C::MapAlways:
            toggle(settings_.mapAlways);
            if (settings_.mapAlways) {
                // Switched on: a missing or damaged map is told now, once.
                activation_.Busy([this] { DrawMap(); });
            } else {
                Redraw();
            }
            break;
        case C::Window:
            Arrange();
            break;
        case C::PanelCoordinates:
        case C::PanelLimits:
        case C::PanelScale:
        case C::PanelTools: {
            const auto panel = static_cast<ChartPanel>(static_cast<int>(command) -
                                                       static_cast<int>(C::PanelCoordinates));
            ShowPanel(panel, !SettingOf(settings_, panel));
            break;
        }
        case C::PanelsNone:
        case C::PanelsAll:
            for (int i = 0; i < kChartPanelCount; ++i)
                ShowPanel(static_cast<ChartPanel>(i), command == C::PanelsAll);
            break;
        case C::PanelsPlace:
            PlacePanels();
            break;
        case C::PanelsAuto:
            toggle(settings_.autoPanels);
            break;
        case C::Guide:
        case C::Tutor:
            activation_.Busy(
                [this, command] { session_.messages().MsgBox(ChartHelpMessage(command)); });
            break;
        case C::About:
            activation_.Busy([this] { emit aboutRequested(); });
            break;
    }
}

void TfrmCarta::ActivateChart() {
    if (!session_.scheme().saved) view_.Reset();
    marks_ = ComputeChartMarks(session_.scheme(), session_.line());
    view_.SetMeridian(marks_.meridian);
    actions_[ChartCommand::BrokenLine]->setEnabled(marks_.BrokenLineEnabled());
    const CoordinatesTexts texts = CoordinatesPanelTexts(session_.scheme());
    texts_["lblPla"]->setText(Q(texts.departureLatitude));
    texts_["lblPlo"]->setText(Q(texts.departureLongitude));
    texts_["lblRv"]->setText(Q(texts.rhumbCourse));
    texts_["lblml"]->setText(Q(texts.rhumbDistance));
    texts_["lblAla"]->setText(Q(texts.arrivalLatitude));
    texts_["lblAlo"]->setText(Q(texts.arrivalLongitude));
    Panel(ChartPanel::Coordinates)->adjustSize();
    Redraw();
    activation_.Record();
}

void TfrmCarta::Activated() {
    activation_.Activated();
}

void TfrmCarta::Redraw() {
    DrawChart(picture_, view_, marks_, LayersOf(settings_));
    if (settings_.mapAlways) {
        QuietSink quiet;
        if (const WorldMap* map = KeptMap(quiet)) {
            OverlayWorldMap(picture_, view_, *map);
        }
    }
    if (Panel(ChartPanel::Limits)->isVisibleTo(this)) FillLimits();
    if (Panel(ChartPanel::Scale)->isVisibleTo(this)) FillScale();
    imgC_->update();
}

const WorldMap* TfrmCarta::KeptMap(MessageSink& sink) {
    return mapCache_.Load(MapFilePath(mapFolder_, view_.Meridian()), sink);
}

void TfrmCarta::DrawMap() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    // The busy pointer goes before a failure is told.
    struct PointerFirst : MessageSink {
        MessageSink& target;
        explicit PointerFirst(MessageSink& t) : target(t) {}
        int MsgBox(const Message& message) override {
            QApplication::restoreOverrideCursor();
            const int answer = target.MsgBox(message);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return answer;
        }
    } sink(session_.messages());
    if (settings_.mapAlways) {
        // The picture may hold the map already: start from the bare chart.
        DrawChart(picture_, view_, marks_, LayersOf(settings_));
    }
    if (const WorldMap* map = KeptMap(sink)) {
        OverlayWorldMap(picture_, view_, *map);
    }
    imgC_->update();
}

void TfrmCarta::Step(const ChartStep& step) {
    if (step.kind == ChartStep::Kind::Corner) {
        sbChart_->horizontalScrollBar()->setValue(0);
        sbChart_->verticalScrollBar()->setValue(0);
        return;
    }
    if (ApplyChartStep(view_, step)) Redraw();
}

void TfrmCarta::FillLimits() {
    const LimitsTexts texts = LimitsPanelTexts(view_);
    Panel(ChartPanel::Limits)->findChild<QToolButton*>()->setText(Q(texts.title));
    texts_["lblN"]->setText(Q(texts.north));
    texts_["lblE"]->setText(Q(texts.east));
    texts_["lblS"]->setText(Q(texts.south));
    texts_["lblW"]->setText(Q(texts.west));
    Panel(ChartPanel::Limits)->adjustSize();
}

void TfrmCarta::FillScale() {
    const QScreen* screen = this->screen();
    const ScaleTexts texts = ScalePanelTexts(view_, screen ? screen->logicalDotsPerInch() : 96);
    Panel(ChartPanel::Scale)->findChild<QToolButton*>()->setText(Q(texts.title));
    texts_["lblLatm"]->setText(Q(texts.meanLatitude));
    texts_["lblScEq"]->setText(Q(texts.equatorial));
    texts_["lblScLm"]->setText(Q(texts.atMeanLatitude));
    QFrame* panel = Panel(ChartPanel::Scale);
    // A wider text keeps the panel in its corner rather than growing past it.
    const QRect before = panel->geometry();
    panel->adjustSize();
    if (panel->width() != before.width() && before.right() >= sbChart_->viewport()->width() - 1)
        panel->move(before.right() + 1 - panel->width(), panel->y());
}

void TfrmCarta::ShowPanel(ChartPanel panel, bool shown) {
    SettingOf(settings_, panel) = shown;
    actions_[PanelCommand(panel)]->setChecked(shown);
    if (shown && panel == ChartPanel::Limits) FillLimits();
    if (shown && panel == ChartPanel::Scale) FillScale();
    Panel(panel)->setVisible(shown);
    if (shown) Panel(panel)->raise();
}

void TfrmCarta::ApplyPanels() {
    actions_[ChartCommand::Labels]->setChecked(settings_.labels);
    actions_[ChartCommand::BrokenLine]->setChecked(settings_.brokenLine);
    actions_[ChartCommand::GreatCircle]->setChecked(settings_.greatCircle);
    actions_[ChartCommand::Graticule]->setChecked(settings_.graticule);
    actions_[ChartCommand::MapAlways]->setChecked(settings_.mapAlways);
    actions_[ChartCommand::PanelsAuto]->setChecked(settings_.autoPanels);
    for (int i = 0; i < kChartPanelCount; ++i) {
        const auto panel = static_cast<ChartPanel>(i);
        ShowPanel(panel, SettingOf(std::as_const(settings_), panel));
    }
    PlacePanels();
}

void TfrmCarta::PlacePanel(ChartPanel panel) {
    QFrame* frame = Panel(panel);
    const QWidget* area = sbChart_->viewport();
    const PanelPlace place = PanelCorner(panel, area->width(), area->height(), frame->width(),
                                         frame->height(), tw_, th_);
    frame->move(place.left, place.top);
}

void TfrmCarta::PlacePanels() {
    for (int i = 0; i < kChartPanelCount; ++i) PlacePanel(static_cast<ChartPanel>(i));
}

void TfrmCarta::Arrange() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize frame = frameGeometry().size() - size();
    resize(area.size() - frame);
    move(area.topLeft());
}

void TfrmCarta::SetHint(const QString& text) {
    QString caption = text;
    mnuHint_->setText(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

QImage TfrmCarta::CopyPicture() const {
    QImage copy = picture_.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&copy);
    painter.setFont(font());
    for (const ChartPanel which :
         {ChartPanel::Coordinates, ChartPanel::Limits, ChartPanel::Scale}) {
        const QFrame* panel = Panel(which);
        if (!panel->isVisibleTo(this)) continue;
        const auto place = PanelPlaceOnCopy(which, {panel->x(), panel->y()}, copy.width(),
                                            copy.height(), panel->width(), panel->height());
        if (!place) continue;
        const QPoint at(place->left, place->top);
        painter.setPen(Qt::black);
        painter.setBrush(panel->palette().color(QPalette::Window));
        painter.drawRect(QRect(at, panel->size() - QSize(1, 1)));
        for (const QWidget* child : panel->findChildren<QWidget*>()) {
            QString text;
            Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
            if (const auto* label = qobject_cast<const QLabel*>(child)) {
                text = label->text();
                if (which == ChartPanel::Scale) alignment = Qt::AlignHCenter | Qt::AlignVCenter;
            } else if (const auto* title = qobject_cast<const QToolButton*>(child)) {
                text = title->text();
                alignment = Qt::AlignHCenter | Qt::AlignVCenter;
            }
            if (text.isEmpty()) continue;
            painter.setFont(child->font());
            painter.drawText(child->geometry().translated(at), alignment, text);
        }
    }
    return copy;
}

void TfrmCarta::MovePointer(const QPoint& imagePos) {
    const QString text = Q(PointerReadout(view_, imagePos.x(), imagePos.y()))
                             .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblCursor_->setText(text);
    lblCursor_->adjustSize();
    lblCursor_->move(imgC_->mapTo(sbChart_->viewport(), imagePos) + QPoint(3, 3));
    lblCursor_->show();
    lblCursor_->raise();
}

bool TfrmCarta::HandleKey(const QKeyEvent& event) {
    const ChartModifiers modifiers = ModifiersOf(event.modifiers());
    std::optional<ChartKey> key;
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    switch (event.key()) {
        case Qt::Key_Up:
            key = ChartKey::Up;
            break;
        case Qt::Key_Down:
            key = ChartKey::Down;
            break;
        case Qt::Key_Left:
            key = ChartKey::Left;
            break;
        case Qt::Key_Right:
            key = ChartKey::Right;
            break;
        case Qt::Key_Home:
            key = ChartKey::Home;
            break;
        case Qt::Key_Plus:
            if (keypad) key = ChartKey::KeypadPlus;
            break;
        case Qt::Key_Minus:
            if (keypad) key = ChartKey::KeypadMinus;
            break;
        default:
            break;
    }
    std::optional<ChartStep> step;
    if (key) {
        step = ChartKeyStep(*key, modifiers);
    } else if (!modifiers.ctrl && !modifiers.alt && event.text().size() == 1) {
        step = ChartCharacterStep(event.text().at(0).toLatin1());
    }
    if (step) Step(*step);
    // The keys of the rules are the window's whatever the modifiers: the
    // scrolling area must not move the chart under the view's feet.
    return step || key;
}

bool TfrmCarta::HandleWheel(const QWheelEvent& event) {
    const QPoint delta = event.angleDelta();
    wheelRest_ += delta.y() != 0 ? delta.y() : delta.x();
    while (std::abs(wheelRest_) >= kWheelNotch) {
        const bool up = wheelRest_ > 0;
        wheelRest_ -= up ? kWheelNotch : -kWheelNotch;
        if (const auto step = ChartWheelStep(up, ModifiersOf(event.modifiers()))) Step(*step);
    }
    return true;
}

bool TfrmCarta::HandlePanelMouse(QFrame* panel, bool title, const QMouseEvent& event) {
    switch (event.type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (title && event.button() != Qt::LeftButton) return true;
            drag_ = {panel, panel->mapFromGlobal(event.globalPosition().toPoint())};
            panel->raise();
            return true;
        case QEvent::MouseMove:
            if (drag_.panel == panel) {
                const QPoint at =
                    panel->parentWidget()->mapFromGlobal(event.globalPosition().toPoint());
                panel->move(at - drag_.grab);
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            if (!(event.buttons() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)))
                drag_ = {};
            if (event.button() == Qt::RightButton)
                PlacePanel(static_cast<ChartPanel>(panel->property("tag").toInt()));
            return true;
        default:
            return false;
    }
}

bool TfrmCarta::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == sbChart_->viewport()) {
        if (type == QEvent::Resize && settings_.autoPanels) PlacePanels();
        return false;
    }
    if (watched == imgC_) {
        if (type == QEvent::MouseMove) {
            MovePointer(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (type == QEvent::Leave) {
            lblCursor_->hide();
        } else if (type == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPointF at = mouse->position();
            if (mouse->button() == Qt::LeftButton && view_.ZoomInAt(at.x(), at.y())) Redraw();
            if (mouse->button() == Qt::RightButton && view_.ZoomOutAt()) Redraw();
            MovePointer(at.toPoint());
            return true;
        }
        return false;
    }
    if (const auto tool = tools_.find(watched); tool != tools_.end()) {
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (const auto step = ChartToolStep(tool->second, mouse->button() == Qt::LeftButton,
                                                mouse->button() == Qt::RightButton))
                Step(*step);
        }
        // The button still looks pressed under the left button.
        return type == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
        type == QEvent::MouseMove || type == QEvent::MouseButtonDblClick) {
        if (auto* panel = qobject_cast<QFrame*>(watched);
            panel && panel->property("tag").isValid() &&
            panel->parentWidget() == sbChart_->viewport())
            return HandlePanelMouse(panel, false, *static_cast<QMouseEvent*>(event));
        if (auto* title = qobject_cast<QToolButton*>(watched);
            title && title->property("tag").isValid())
            return HandlePanelMouse(qobject_cast<QFrame*>(title->parentWidget()), true,
                                    *static_cast<QMouseEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmCarta::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Each showing starts from the whole world, centred.
    Step({ChartStep::Kind::Reset});
}

void TfrmCarta::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) activation_.ActivationChanged();
}

}  // namespace velmar::ui
