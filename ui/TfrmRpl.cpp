#include "ui/TfrmRpl.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "ui/Design.h"
#include "ui/Glyphs.h"
#include "ui/Pictures.h"

namespace velmar::ui {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const std::string& text) {
    auto* label = new QLabel(QString::fromStdString(text), parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFrame* MakeFrame(QWidget* parent, const char* name, QFrame::Shape shape, QFrame::Shadow shadow) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameStyle(shape | shadow);
    return frame;
}

}  // namespace

TfrmRpl::TfrmRpl(QWidget* parent)
    : KeyFirstDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint),
      hsCopia_(new QPushButton(QStringLiteral("&Copia"), this)),
      hbFine_(new QPushButton(QStringLiteral("&Finito"), this)),
      shape1_(MakeFrame(this, "Shape1", QFrame::Box, QFrame::Plain)),
      shape2_(MakeFrame(this, "Shape2", QFrame::Box, QFrame::Plain)),
      bevel3_(MakeFrame(this, "Bevel3", QFrame::HLine, QFrame::Sunken)),
      lblD_mg_(MakeLabel(this, "lblD_mg", "Cammini (miglia)")),
      lblD_H_(MakeLabel(this, "lblD_H", "Tempi (ore = d  h m s)")),
      label1_(MakeLabel(this, "Label1", "Lossodromia")),
      label2_(MakeLabel(this, "Label2", "Spezzata")),
      label3_(MakeLabel(this, "Label3", "Risparmi")),
      lblL_Ml_(MakeLabel(this, "lblL_Ml", labels_.rhumbDistance)),
      lblS_Ml_(MakeLabel(this, "lblS_Ml", labels_.lineDistance)),
      lblR_Ml_(MakeLabel(this, "lblR_Ml", labels_.savedDistance)),
      lblL_Dt_(MakeLabel(this, "lblL_Dt", labels_.rhumbTime)),
      lblS_Dt_(MakeLabel(this, "lblS_Dt", labels_.lineTime)),
      lblR_Dt_(MakeLabel(this, "lblR_Dt", labels_.savedTime)),
      lblPtCr_(MakeLabel(this, "lblPtCr", labels_.spacingTitle)),
      lblLab_NrPt_(MakeLabel(this, "lblLab_NrPt", labels_.firstLabel)),
      lblVal_NrPt_(MakeLabel(this, "lblVal_NrPt", labels_.firstValue)),
      lblLab_DLonP_(MakeLabel(this, "lblLab_DLonP", labels_.secondLabel)),
      lblVal_DLonP_(MakeLabel(this, "lblVal_DLonP", labels_.secondValue)),
      label4_(MakeLabel(this, "Label4", "*  Valore impostato")) {
    setObjectName(QStringLiteral("frmRpl"));
    setWindowTitle(QStringLiteral("Velmar (Punti): Riepilogo della spezzata"));
    setWindowIcon(ProgramWindowIcon());
    setModal(true);
    setSizeGripEnabled(false);

    hsCopia_->setObjectName(QStringLiteral("hsCopia"));
    hsCopia_->setAutoDefault(false);
    hsCopia_->setFocusPolicy(Qt::NoFocus);  // a speed button never takes the focus
    hbFine_->setObjectName(QStringLiteral("hbFine"));
    hbFine_->setDefault(true);
    connect(hsCopia_, &QPushButton::clicked, this, &TfrmRpl::Copy);
    connect(hbFine_, &QPushButton::clicked, this, &QDialog::accept);
    // The window sees its keys before the control that has the focus.
    for (QWidget* control : {static_cast<QWidget*>(hsCopia_), static_cast<QWidget*>(hbFine_)})
        control->installEventFilter(this);

    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    face.setColor(QPalette::WindowText, Qt::black);
    setPalette(face);
    setAutoFillBackground(true);
    // Plain grey frames: a dark line reads on the light face, as on the
    // scheme window's description panel.
    for (QFrame* frame : {shape1_, shape2_}) {
        QPalette grey = frame->palette();
        grey.setColor(QPalette::WindowText, QColor(128, 128, 128));
        frame->setPalette(grey);
        frame->lower();
    }
    // The block's title stands on the frame's top line, which it interrupts.
    lblPtCr_->setAutoFillBackground(true);
    lblPtCr_->raise();
    Layout();
}

void TfrmRpl::ShowSummary(const Scheme& scheme, const BrokenLine& line) {
    FillSummary(scheme, line, labels_);
    ShowLabels();
    Layout();
    hbFine_->setFocus(Qt::OtherFocusReason);
    exec();
}

void TfrmRpl::ShowLabels() {
    const struct {
        QLabel* label;
        const std::string& text;
    } shown[] = {{lblL_Ml_, labels_.rhumbDistance},   {lblS_Ml_, labels_.lineDistance},
                 {lblR_Ml_, labels_.savedDistance},   {lblL_Dt_, labels_.rhumbTime},
                 {lblS_Dt_, labels_.lineTime},        {lblR_Dt_, labels_.savedTime},
                 {lblPtCr_, labels_.spacingTitle},    {lblLab_NrPt_, labels_.firstLabel},
                 {lblVal_NrPt_, labels_.firstValue},  {lblLab_DLonP_, labels_.secondLabel},
                 {lblVal_DLonP_, labels_.secondValue}};
    for (const auto& s : shown) s.label->setText(QString::fromStdString(s.text));
}

void TfrmRpl::Layout() {
    // Places and fonts are set on every showing, so that the window follows
    // the screen's scale and the lengths of its texts.
    setFont(DesignFont(14));
    const qreal dpr = devicePixelRatioF();
    hsCopia_->setIcon(CommandGlyph(SchemeCommand::Copy));
    hsCopia_->setIconSize(Dp(18, 18));
    hbFine_->setIcon(ButtonGlyph(GlyphKind::Ok, Dp(18), dpr));
    hbFine_->setIconSize(Dp(18, 18));

    const struct {
        QLabel* label;
        int left, top;
    } places[] = {{lblD_mg_, 113, 66},       {lblD_H_, 226, 66},       {label1_, 20, 96},
                  {label2_, 20, 126},        {label3_, 20, 155},       {lblL_Ml_, 113, 96},
                  {lblS_Ml_, 113, 126},      {lblR_Ml_, 113, 155},     {lblL_Dt_, 226, 96},
                  {lblS_Dt_, 226, 126},      {lblR_Dt_, 226, 155},     {lblPtCr_, 20, 196},
                  {lblLab_NrPt_, 30, 222},   {lblVal_NrPt_, 226, 218}, {lblLab_DLonP_, 30, 251},
                  {lblVal_DLonP_, 226, 251}, {label4_, 30, 292}};
    // The frames reach past the widest text: a long time or spacing text
    // widens the window rather than being cut off.
    int right = Dp(400);
    for (const auto& p : places) {
        p.label->setFont(font());
        p.label->move(Dp(p.left), Dp(p.top));
        p.label->resize(p.label->sizeHint());
        if (p.label != lblPtCr_) right = std::max(right, p.label->geometry().right() + 1 + Dp(10));
    }
    const int extra = right - Dp(400);
    // A little air either side of the title where it cuts the frame's line.
    lblPtCr_->setContentsMargins(Dp(2), 0, Dp(2), 0);
    lblPtCr_->resize(lblPtCr_->sizeHint());

    hsCopia_->setGeometry(Dp(10, 15, 90, 29));
    hbFine_->setGeometry(Dp(290, 15, 105, 33).translated(extra, 0));
    shape1_->setGeometry(Dp(10, 59, 390, 123).adjusted(0, 0, extra, 0));
    shape2_->setGeometry(Dp(10, 203, 390, 116).adjusted(0, 0, extra, 0));
    // A bottom-line bevel: its line along the lower edge of its box.
    const QRect bevel = Dp(30, 273, 65, 16);
    bevel3_->setGeometry(bevel.left(), bevel.bottom() - 1, bevel.width(), 2);
    setFixedSize(Dp(410) + extra, Dp(330));

    CentreOnScreen(this);
}

void TfrmRpl::Copy() {
    QApplication::clipboard()->setText(QString::fromStdString(SummaryCopyText(labels_)));
}

bool TfrmRpl::HandleKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    const bool release = event.type() == QEvent::KeyRelease;
    if (event.key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        // Escape closes on its release, as "&Finito"; its press must not reject.
        if (release && !event.isAutoRepeat()) hbFine_->click();
        return true;
    }
    if (event.key() == Qt::Key_Insert && mods == Qt::ControlModifier) {
        if (release && !event.isAutoRepeat()) Copy();
        return true;
    }
    return false;
}

}  // namespace velmar::ui
