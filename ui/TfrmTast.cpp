#include "ui/TfrmTast.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include "ui/Design.h"

namespace velmar::ui {

namespace {

const QColor kInsertText(0, 0, 0);
const QColor kModifyText(0, 0, 128);
const QColor kCheckText(255, 0, 0);

constexpr double kTextPixels = 15;
constexpr double kCaptionPixels = 13;

QLabel* MakeLabel(QWidget* parent, const char* name, QRect designRect, double pixels,
                  bool bold = false) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(designRect);
    label->setFont(DesignFont(pixels, bold));
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect designRect) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(designRect);
    button->setFont(DesignFont(kTextPixels));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TfrmTast::TfrmTast(MessageSink& messages, bool& schemeSaved, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      messages_(messages),
      schemeSaved_(schemeSaved) {
    setObjectName(QStringLiteral("frmTast"));
    setModal(true);
    setFixedSize(Dp(410, 162));
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    setPalette(face);
    setAutoFillBackground(true);

    lblSpiega_ = MakeLabel(this, "lblSpiega", Dp(10, 11, 280, 19), kTextPixels, true);
    lblMinMax_ = MakeLabel(this, "lblMinMax", Dp(10, 30, 280, 19), kTextPixels);

    pnlIns_ = MakeLabel(this, "pnlIns", Dp(10, 62, 208, 23), kTextPixels, true);
    pnlIns_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlIns_->setIndent(Dp(4));
    pnlIns_->setAutoFillBackground(true);

    // Created in the tab order: the three fields, the hemisphere, then the buttons.
    static const char* const kCaptionNames[] = {"lblUno", "lblDue", "lblTre"};
    static const char* const kFieldNames[] = {"seUno", "seDue", "seTre"};
    static const int kLefts[] = {10, 84, 153};
    static const int kWidths[] = {70, 66, 66};
    for (int f = 0; f < 3; ++f) {
        captions_[f] =
            MakeLabel(this, kCaptionNames[f], Dp(kLefts[f], 96, kWidths[f], 19), kCaptionPixels);
        auto* field = new QSpinBox(this);
        field->setObjectName(QLatin1String(kFieldNames[f]));
        field->setGeometry(Dp(kLefts[f], 118, kWidths[f], 27));
        field->setFont(DesignFont(kTextPixels));
        // A number beyond a limit is brought to the nearest limit on leaving
        // the field, not back to the number it held before.
        field->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        fields_[f] = field;
        // Typing that leaves the number as it was still counts as typing (a
        // 0 typed over 0 says the zero is meant): follow the editor's every
        // edit as well as the spin box's own changes (arrows, corrections).
        connect(field, &QSpinBox::textChanged, this, [this, f] { FieldEdited(f); });
        if (auto* editor = field->findChild<QLineEdit*>())
            connect(editor, &QLineEdit::textEdited, this, [this, f] { FieldEdited(f); });
    }

    hbSegno_ = MakeButton(this, "hbSegno", QString(), Dp(226, 118, 56, 27));
    hbSegno_->setFont(DesignFont(kTextPixels, true));
    hsBkSp_ = MakeButton(this, "hsBkSp", QStringLiteral("Reset"), Dp(226, 59, 56, 26));
    hsBkSp_->setFocusPolicy(Qt::NoFocus);  // a speed button: the cursor stays in its field
    hbOK_ = MakeButton(this, "hbOK", QStringLiteral("OK"), Dp(295, 11, 105, 33));
    hbOK_->setDefault(true);
    hbAnnulla_ = MakeButton(this, "hbAnnulla", QStringLiteral("Annulla"), Dp(295, 52, 105, 33));

    connect(hbSegno_, &QPushButton::clicked, this, &TfrmTast::hbSegnoClick);
    connect(hsBkSp_, &QPushButton::clicked, this, &TfrmTast::hsBkSpClick);
    connect(hbOK_, &QPushButton::clicked, this, &TfrmTast::hbOKClick);
    connect(hbAnnulla_, &QPushButton::clicked, this, &QDialog::reject);

    // The window sees the keys before whichever of its controls has the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool TfrmTast::ShowKeypad(const KeypadRequest& request, double& value) {
    logic_.emplace(request, SystemToday());
    accepted_ = false;
    checkText_.reset();
    Load();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    fields_[0]->setFocus();
    fields_[0]->selectAll();  // the first digit typed replaces the loaded number
    exec();
    if (accepted_) value = value_;
    return accepted_;
}

void TfrmTast::Load() {
    const KeypadLogic& logic = *logic_;
    setWindowTitle(QString::fromStdString(logic.WindowCaption()));
    lblSpiega_->setText(QString::fromStdString(ValueName(logic.kind())));
    const KeypadRequest& request = logic.request();
    lblMinMax_->setText(QString::fromStdString(
        RangeText(logic.kind(), request.rangeSwitch, request.lower, request.upper)));
    loading_ = true;
    for (int f = 0; f < 3; ++f) {
        const bool shown = f < logic.FieldCount();
        captions_[f]->setVisible(shown);
        fields_[f]->setVisible(shown);
        if (!shown) continue;
        captions_[f]->setText(QString::fromStdString(logic.FieldCaption(f)));
        const FieldLimits limits = logic.Limits(f);
        fields_[f]->setRange(limits.lower, limits.upper);
        if (auto* editor = fields_[f]->findChild<QLineEdit*>()) editor->setMaxLength(limits.digits);
    }
    loading_ = false;
    hbSegno_->setVisible(logic.HasHemisphere());
    ShowFields();
    ShowText();
}

void TfrmTast::ShowFields() {
    loading_ = true;
    for (int f = 0; f < logic_->FieldCount(); ++f) fields_[f]->setValue(logic_->Field(f));
    const char letter = logic_->Hemisphere();
    hbSegno_->setText(letter ? QString(QLatin1Char(letter)) : QString());
    loading_ = false;
}

void TfrmTast::ShowText() {
    const std::string& text = logic_->Text();
    if (checkText_ && *checkText_ != text) checkText_.reset();
    QPalette colours = pnlIns_->palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, checkText_             ? kCheckText
                                           : logic_->insertMode() ? kInsertText
                                                                  : kModifyText);
    pnlIns_->setPalette(colours);
    pnlIns_->setText(QString::fromStdString(text));
}

void TfrmTast::FieldEdited(int field) {
    if (loading_ || !logic_ || field >= logic_->FieldCount()) return;
    bool whole = false;
    const int number = fields_[field]->text().toInt(&whole);
    logic_->SetField(field, whole ? number : logic_->Limits(field).lower);
    ShowText();
}

void TfrmTast::hbSegnoClick() {
    logic_->ToggleHemisphere();
    ShowFields();
}

void TfrmTast::hsBkSpClick() {
    logic_->Reset();
    ShowFields();
    ShowText();
    for (QSpinBox* field : fields_)
        if (field->hasFocus()) field->selectAll();
}

void TfrmTast::hbOKClick() {
    // A number still being typed counts as it will stand in its field.
    for (QSpinBox* field : fields_)
        if (field->isVisible()) field->interpretText();
    double value = 0;
    switch (logic_->PressOk(messages_, schemeSaved_, value)) {
        case KeypadClose::Accepted:
            value_ = value;
            accepted_ = true;
            accept();
            return;
        case KeypadClose::Unchanged:
            accept();
            return;
        case KeypadClose::Refused:
            break;
    }
    checkText_ = logic_->Text();
    ShowText();
    const int target = KeypadErrorField(logic_->LastError());
    // The cursor moves as if by keyboard, so that a button shows it has it.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (target == kHemisphereButton) {
        hbSegno_->setFocus();
    } else {
        fields_[target]->setFocus();
        fields_[target]->selectAll();
    }
}

bool TfrmTast::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !logic_) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            hbOK_->click();
            return true;
        case Qt::Key_Escape:
            hbAnnulla_->click();
            return true;
        case Qt::Key_Backspace:
            hsBkSp_->click();
            return true;
        case Qt::Key_N:
        case Qt::Key_S:
        case Qt::Key_E:
        case Qt::Key_W:
            if (logic_->LetterKeyToggles(static_cast<char>('A' + (key->key() - Qt::Key_A))))
                hbSegno_->click();
            return true;
        default:
            return false;
    }
}

}  // namespace velmar::ui
