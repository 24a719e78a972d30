#include "ui/TfrmVelmar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

#include "scheme/SchemeCommands.h"
#include "ui/CommandMenus.h"
#include "ui/Design.h"
#include "ui/Glyphs.h"

namespace velmar::ui {

namespace {

// Control names of the caption and value labels, by group and cell; cell
// (2,5) has none.
constexpr const char* kCaptionNames[kGroups][kCellsPerGroup] = {
    {"lblPar_La", "lblPar_Lo", "lblPar_tfOra", "lblPar_tfDel", "lblPar_TmOra", "lblPar_TmDel"},
    {"lblPer_Rv", "lblPer_Vp", "lblPer_Ri", "lblPer_V1La", "lblPer_V1Lo", "lblPer_Me"},
    {"lblPer_Ml", "lblPer_Dt", "lblPer_mo", "lblPer_V2La", "lblPer_V2Lo", nullptr},
    {"lblArr_La", "lblArr_Lo", "lblArr_tfOra", "lblArr_tfDel", "lblArr_TmOra", "lblArr_TmDel"},
};
constexpr const char* kValueNames[kGroups][kCellsPerGroup] = {
    {"lblPaLa", "lblPaLo", "lblPaOraF", "lblPaDataF", "lblPaOraG", "lblPaDataG"},
    {"lblRv", "lblVp", "lblRi", "lblV1La", "lblV1Lo", "lblMetodo"},
    {"lblMl", "lblDt", "lblMo", "lblV2La", "lblV2Lo", nullptr},
    {"lblArLa", "lblArLo", "lblArOraF", "lblArDataF", "lblArOraG", "lblArDataG"},
};

// Design layout, in pixels at 120 per inch.
constexpr int kSchemeWidth = 622;
constexpr int kIconBarHeight = 30;
constexpr int kSchemeHeight = 221;
constexpr int kStatusHeight = 26;
constexpr int kCellFont = 15;
constexpr int kPositionRows[kCellsPerGroup] = {41, 60, 86, 104, 130, 148};
constexpr int kPassageRows[5] = {41, 60, 78, 104, 122};

const char* const kCellProperty = "velmarCell";
const char* const kCaptionProperty = "velmarCaption";
// Labels that write their own hint on every mouse move.
const char* const kOwnHint = "velmarOwnHint";

CellRef CellOf(const QObject* label) {
    const int packed = label->property(kCellProperty).toInt();
    return {packed / kCellsPerGroup, packed % kCellsPerGroup};
}

QColor StateColour(int state) {
    if (state > 0) return {0, 0, 128};  // navy: entered
    if (state < 0) return {128, 0, 0};  // maroon: computed
    return Qt::black;
}

QColor SectionColour(ReportSection section) {
    switch (section) {
        case ReportSection::Selected:
            return Qt::red;
        case ReportSection::WithFormats:
            return Qt::blue;
        case ReportSection::NotSelected:
            break;
    }
    return Qt::black;
}

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TfrmVelmar::TfrmVelmar(Session& session, Settings& settings, QWidget* parent)
    : QMainWindow(parent), session_(session), settings_(settings), messages_(session.messages()) {
    setObjectName(QStringLiteral("frmVelmar"));
    setWindowTitle(QStringLiteral("Velmar3"));
    setStatusTip(QString::fromLatin1(kWindowHint));
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    setPalette(face);
    setFocusPolicy(Qt::StrongFocus);

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFocusPolicy(Qt::NoFocus);
    client_->installEventFilter(this);
    setCentralWidget(client_);

    BuildMenus();
    BuildIconBar();
    BuildScheme();
    BuildStatusBar();
    session_.SetView(this);
    Highlight(cells::DepLat);
    SetHint(QString::fromLatin1(kNoHint));
    RefreshFilePanel();
    ApplyBars();
}

void TfrmVelmar::BuildMenus() {
    actions_ = BuildCommandMenus(*this, SchemeCommands(), [this](SchemeCommand c) { Run(c); });
}

void TfrmVelmar::BuildIconBar() {
    pnlIco_ = new QWidget(client_);
    pnlIco_->setObjectName(QStringLiteral("pnlIco"));
    pnlIco_->setStatusTip(QString::fromLatin1(kIconBarHint));
    pnlIco_->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(pnlIco_);
    row->setContentsMargins(Dp(4), Dp(2), Dp(4), Dp(2));
    row->setSpacing(Dp(1));
    SchemeCommand previous = SchemeCommand::Archive;
    for (const SchemeCommandInfo& info : SchemeCommands()) {
        if (info.button.empty()) continue;
        // A gap between the menus' groups, as between the menus themselves.
        if (!buttons_.empty() && CommandInfo(previous).menu != info.menu) row->addSpacing(Dp(8));
        previous = info.command;
        auto* button = new QToolButton(pnlIco_);
        button->setObjectName(Q(info.button));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        button->setIcon(CommandGlyph(info.command));
        button->setIconSize(Dp(20, 20));
        button->setFixedSize(Dp(26, 26));
        button->setStatusTip(Q(info.ButtonHint()));
        button->setToolTip(Q(info.ButtonHint()));
        button->setCheckable(info.checkable);
        const SchemeCommand command = info.command;
        connect(button, &QToolButton::clicked, this, [this, command] { Run(command); });
        row->addWidget(button);
        buttons_[command] = button;
    }
    row->addStretch();
}

QLabel* TfrmVelmar::AddLabel(const char* name, const QString& text, int left, int top,
                             double pixels, bool bold) {
    auto* label = new QLabel(text, pnlPaPeRa_);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(DesignFont(pixels, bold));
    label->move(Dp(left), Dp(top));
    label->adjustSize();
    label->installEventFilter(this);
    return label;
}

void TfrmVelmar::BuildScheme() {
    pnlPaPeRa_ = new QWidget(client_);
    pnlPaPeRa_->setObjectName(QStringLiteral("pnlPaPeRa"));
    pnlPaPeRa_->setStatusTip(QString::fromLatin1(kSchemePanelHint));
    pnlPaPeRa_->setAutoFillBackground(true);
    QPalette white = pnlPaPeRa_->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlPaPeRa_->setPalette(white);
    pnlPaPeRa_->installEventFilter(this);

    struct FrameAt {
        const char* name;
        int left, width;
    };
    for (const FrameAt& f :
         {FrameAt{"shpPar", 10, 139}, FrameAt{"shpPer", 158, 306}, FrameAt{"shpArr", 473, 139}}) {
        auto* frame = new QFrame(pnlPaPeRa_);
        frame->setObjectName(QString::fromLatin1(f.name));
        frame->setFrameShape(QFrame::Box);
        frame->setGeometry(Dp(f.left, 26, f.width, 149));
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    struct HeaderAt {
        const char* name;
        const char* text;
        int left;
        double pixels;
    };
    const HeaderAt headers[3] = {{"lblPartenza", "Partenza", 16, 13},
                                 {"lblPercorso", "Percorso", 160, 15},
                                 {"lblArrivo", "Arrivo", 480, 13}};
    for (int i = 0; i < 3; ++i) {
        headers_[i] = AddLabel(headers[i].name, QString::fromLatin1(headers[i].text),
                               headers[i].left, 8, headers[i].pixels, true);
        if (i != 1)
            headers_[i]->setStatusTip(QString::fromLatin1(kHeaderHint));
        else
            headers_[i]->setProperty(kOwnHint, true);
        headers_[i]->setMouseTracking(true);
        PaintHeader(i);
    }

    for (int g = 0; g < kGroups; ++g) {
        for (int c = 0; c < kCellsPerGroup; ++c) {
            const CellRef cell{g, c};
            if (ClassOf(cell) == CellClass::None) continue;
            int captionLeft = 25, valueLeft = 64, top = kPositionRows[c];
            int valueWidth = 80;
            if (g == kArrival) {
                captionLeft = 487;
                valueLeft = 527;
            } else if (cell == cells::Method) {
                captionLeft = 174;
                valueLeft = 251;
                valueWidth = 205;
                top = 148;
            } else if (g == kPassageA || g == kPassageB) {
                captionLeft = g == kPassageA ? 172 : 330;
                valueLeft = g == kPassageA ? 222 : 379;
                valueWidth = g == kPassageA ? 100 : 80;
                top = kPassageRows[c];
            }
            QLabel* caption =
                AddLabel(kCaptionNames[g][c], Q(CellCaption(cell)), captionLeft, top, kCellFont);
            QLabel* value = AddLabel(kValueNames[g][c], QString(), valueLeft, top, kCellFont);
            value->resize(Dp(valueWidth), caption->height());
            if (cell == cells::Method) value->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            for (QLabel* label : {caption, value}) {
                label->setProperty(kCellProperty, g * kCellsPerGroup + c);
                label->setProperty(kOwnHint, true);
                label->setMouseTracking(true);
            }
            caption->setProperty(kCaptionProperty, true);
            captions_[g][c] = caption;
            values_[g][c] = value;
            ShowCell(g, c, session_.scheme().State(cell),
                     FormatValue(KindOf(cell), session_.scheme().State(cell),
                                 session_.scheme().Value(cell)));
        }
    }

    pnlDesF_ = new QLabel(pnlPaPeRa_);
    pnlDesF_->setObjectName(QStringLiteral("pnlDesF"));
    // A sunken bevel vanishes on the white scheme: a plain grey line instead.
    pnlDesF_->setStyleSheet(QStringLiteral("QLabel { border: 1px solid rgb(150, 150, 150); }"));
    pnlDesF_->setFont(DesignFont(kCellFont));
    pnlDesF_->setGeometry(Dp(8, 184, 601, 25));
    pnlDesF_->setIndent(Dp(6));
}

void TfrmVelmar::BuildStatusBar() {
    hhSts_ = new QWidget(client_);
    hhSts_->setObjectName(QStringLiteral("hhSts"));
    hhSts_->setStatusTip(QString::fromLatin1(kStatusBarHint));
    auto* row = new QHBoxLayout(hhSts_);
    row->setContentsMargins(Dp(2), Dp(2), Dp(2), Dp(2));
    row->setSpacing(Dp(2));
    for (int i = 0; i < 2; ++i) {
        auto* section = new QLabel(hhSts_);
        section->setObjectName(QStringLiteral("hhSts%1").arg(i));
        section->setFrameShape(QFrame::Panel);
        section->setFrameShadow(QFrame::Sunken);
        section->setFont(DesignFont(13));
        section->setIndent(Dp(4));
        if (i == 0) section->setFixedWidth(Dp(120));
        row->addWidget(section, i);
        statusSections_[i] = section;
    }
}

void TfrmVelmar::ShowCell(int group, int cell, int state, const std::string& text) {
    if (!IsCell(group, cell)) return;
    QLabel* label = values_[group][cell];
    if (!label) return;
    label->setText(Q(text));
    SetTextColour(label, StateColour(state));
}

void TfrmVelmar::Highlight(CellRef cell) {
    if (ClassOf(cell) == CellClass::None) return;
    if (QLabel* old = captions_[highlighted_.group][highlighted_.cell]) {
        old->setFont(DesignFont(kCellFont));
        old->adjustSize();
    }
    highlighted_ = cell;
    QLabel* caption = captions_[cell.group][cell.cell];
    caption->setFont(DesignFont(kCellFont, true));
    caption->adjustSize();
    SetHint(Q(CellLabel(cell)));
}

void TfrmVelmar::SetHint(const QString& text) {
    statusSections_[1]->setText(text);
}

void TfrmVelmar::RefreshFilePanel() {
    statusSections_[0]->setText(Q(session_.FileName()));
    pnlDesF_->setText(Q(session_.PanelText()));
}

ReportSelection TfrmVelmar::Selection() const {
    return {selection_[0], selection_[1], selection_[2]};
}

void TfrmVelmar::PaintHeader(int section) {
    SetTextColour(headers_[section], SectionColour(selection_[section]));
}

void TfrmVelmar::NextHeaderColour(int section) {
    selection_[section] = NextReportSection(selection_[section]);
    PaintHeader(section);
}

void TfrmVelmar::ApplyBars() {
    actions_[SchemeCommand::Icons]->setChecked(settings_.icons);
    actions_[SchemeCommand::Status]->setChecked(settings_.schemeStatus);
    pnlIco_->setVisible(settings_.icons);
    hhSts_->setVisible(settings_.schemeStatus);
    Arrange(false, false);
}

void TfrmVelmar::Arrange(bool fit, bool corner) {
    buttons_[SchemeCommand::Icons]->setChecked(true);
    buttons_[SchemeCommand::Status]->setChecked(settings_.schemeStatus);
    const int width = fit ? Dp(kSchemeWidth) : std::max(client_->width(), Dp(kSchemeWidth));
    int top = 0;
    if (settings_.icons) {
        pnlIco_->setGeometry(0, 0, width, Dp(kIconBarHeight));
        top += Dp(kIconBarHeight);
    }
    pnlPaPeRa_->setGeometry(0, top, Dp(kSchemeWidth), Dp(kSchemeHeight));
    top += Dp(kSchemeHeight);
    if (settings_.schemeStatus) {
        hhSts_->setGeometry(0, top, width, Dp(kStatusHeight));
        top += Dp(kStatusHeight);
    }
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedHeight(top + menuHeight);
    setMinimumWidth(Dp(kSchemeWidth));
    setMaximumWidth(QWIDGETSIZE_MAX);
    resize(width, top + menuHeight);

    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect outer = frameGeometry();
    if (corner) {
        move(area.right() + 1 - outer.width(), area.bottom() + 1 - outer.height());
    } else if (outer.bottom() > area.bottom()) {
        move(outer.left(), area.bottom() + 1 - outer.height());
    }
}

void TfrmVelmar::ToggleBar(SchemeCommand command) {
    bool& mark = command == SchemeCommand::Icons ? settings_.icons : settings_.schemeStatus;
    mark = !mark;
    ApplyBars();
}

void TfrmVelmar::EditCell(CellRef cell) {
    session_.editor().EditCell(cell.group, cell.cell);
}

void TfrmVelmar::OtherFormats() {
    if (ShowOtherFormats(session_.scheme(), messages_, highlighted_.group, highlighted_.cell) ==
        OtherFormatsOutcome::OpenSummary)
        emit summaryRequested();
}

void TfrmVelmar::Run(SchemeCommand command) {
    using C = SchemeCommand;
    switch (command) {
        case C::Archive:
            emit archiveRequested();
            break;
        case C::Write:
            session_.WriteStartup();
            RefreshFilePanel();
            break;
        case C::Read:
            session_.ReadStartup();
            RefreshFilePanel();
            break;
        case C::Ports:
            emit portsRequested();
            break;
        case C::Points:
            if (session_.solver().HasGreatCircle(GreatCircleUser::Points)) emit pointsRequested();
            break;
        case C::Chart:
            if (session_.solver().HasGreatCircle(GreatCircleUser::Chart)) emit chartRequested();
            break;
        case C::Exit:
            ExitProgram();
            break;
        case C::Clear: {
            const bool cleared = session_.ClearCommand();
            RefreshFilePanel();
            if (cleared) emit schemeCleared();
            break;
        }
        case C::OtherFormats:
            OtherFormats();
            break;
        case C::SystemTime:
            TakeSystemTime(session_.solver(), SystemNow());
            break;
        case C::Window:
            Arrange(true, true);
            break;
        case C::Copy: {
            std::string text;
            if (CopySchemeReport(session_.scheme(), Selection(), messages_, text))
                QGuiApplication::clipboard()->setText(Q(text));
            break;
        }
        case C::Icons:
        case C::Status:
            ToggleBar(command);
            break;
        case C::Guide:
        case C::Tutor:
            messages_.MsgBox(HelpMessage(command));
            break;
        case C::About:
            emit aboutRequested();
            break;
    }
}

void TfrmVelmar::ExitProgram() {
    if (!session_.Exit(settings_)) return;
    ended_ = true;
    emit programEnded();
}

void TfrmVelmar::closeEvent(QCloseEvent* event) {
    // The program ends only from inside the exit question.
    event->ignore();
    if (!ended_) ExitProgram();
}

void TfrmVelmar::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) pressed_[event->key()] = event->modifiers();
    QMainWindow::keyPressEvent(event);
}

void TfrmVelmar::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    const auto down = pressed_.find(event->key());
    if (down == pressed_.end()) return;  // its press went to a window now closed
    const Qt::KeyboardModifiers held =
        down->second & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
    pressed_.erase(down);
    const int key = event->key();

    if (held == Qt::AltModifier && key >= Qt::Key_F1 && key <= Qt::Key_F3) {
        NextHeaderColour(key - Qt::Key_F1);
        return;
    }
    if (held == Qt::ControlModifier && key == Qt::Key_F3) {
        for (int i = 0; i < 3; ++i) NextHeaderColour(i);
        return;
    }
    if (held != Qt::NoModifier) return;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (EnterOpensPoints(highlighted_))
            Run(SchemeCommand::Points);
        else
            EditCell(highlighted_);
        return;
    }
    static const std::map<int, HighlightKey> kMoves = {
        {Qt::Key_PageUp, HighlightKey::PageUp}, {Qt::Key_PageDown, HighlightKey::PageDown},
        {Qt::Key_Home, HighlightKey::Home},     {Qt::Key_End, HighlightKey::End},
        {Qt::Key_Left, HighlightKey::Left},     {Qt::Key_Right, HighlightKey::Right},
        {Qt::Key_Up, HighlightKey::Up},         {Qt::Key_Down, HighlightKey::Down},
    };
    if (const auto move = kMoves.find(key); move != kMoves.end()) {
        const CellRef to = MoveHighlight(highlighted_, move->second);
        if (!(to == highlighted_)) Highlight(to);
    }
}

bool TfrmVelmar::CellMouse(QLabel* label, QEvent* event) {
    const CellRef cell = CellOf(label);
    const CellClass kind = ClassOf(cell);
    const bool caption = label->property(kCaptionProperty).toBool();
    const bool chosen = !session_.scheme().IsEmpty(cells::Method);
    switch (event->type()) {
        case QEvent::MouseMove:
            if (caption) {
                SetHint(Q(CellLabel(cell)));
            } else if (const auto hint = ValueHint(session_.scheme(), cell)) {
                SetHint(Q(*hint));
            }
            return false;
        case QEvent::MouseButtonDblClick:
            if (!caption) return false;
            if (kind == CellClass::Entry)
                EditCell(highlighted_);
            else if (kind == CellClass::GreatCircle)
                Run(SchemeCommand::Points);
            else if (kind == CellClass::Method && chosen)
                emit summaryRequested();
            return true;
        case QEvent::MouseButtonRelease: {
            const bool left = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            const bool right = static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
            if (caption) {
                Highlight(cell);
            } else if (kind == CellClass::Entry) {
                Highlight(cell);
                if (right)
                    OtherFormats();
                else
                    EditCell(cell);
            } else if (kind == CellClass::GreatCircle) {
                if (left) {
                    Run(SchemeCommand::Points);
                } else {
                    Highlight(cell);
                    OtherFormats();
                }
            } else if (kind == CellClass::Method) {
                if (left)
                    Run(SchemeCommand::Points);
                else if (chosen)
                    emit summaryRequested();
            }
            return true;
        }
        default:
            return false;
    }
}

bool TfrmVelmar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove)
        return QMainWindow::eventFilter(watched, event);

    if (auto* label = qobject_cast<QLabel*>(watched);
        label && label->property(kCellProperty).isValid())
        return CellMouse(label, event);

    for (int i = 0; i < 3; ++i) {
        if (watched != headers_[i]) continue;
        if (type == QEvent::MouseMove) {
            if (i == 1) SetHint(Q(PassageHeaderHint(session_.scheme())));
            return false;
        }
        if (type == QEvent::MouseButtonRelease) {
            const auto button = static_cast<QMouseEvent*>(event)->button();
            if (button == Qt::LeftButton) {
                NextHeaderColour(i);
            } else if (button == Qt::RightButton) {
                if (const auto facts = RouteFactsMessage(session_.scheme()))
                    messages_.MsgBox(*facts);
            }
        }
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (watched == pnlPaPeRa_) {
            for (int i = 0; i < 3; ++i) NextHeaderColour(i);
            return true;
        }
        if (watched == client_) {
            Arrange(true, button != Qt::LeftButton);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace velmar::ui
