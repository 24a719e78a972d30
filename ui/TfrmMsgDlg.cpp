#include "ui/TfrmMsgDlg.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "ui/Design.h"
#include "ui/Pictures.h"

namespace velmar::ui {

int MsgBoxWidth(const MsgBoxMeasures& m) {
    int w = m.textLeft + m.buttonWidth + m.margin;
    w = std::max(w, m.titleWidth);
    w = std::max(w, m.textLeft + m.shownButtons * (m.buttonWidth + m.margin));
    if (m.headerWidth > 0) w = std::max(w, m.textLeft + m.headerWidth);
    if (m.messageWidth > 0) w = std::max(w, m.textLeft + m.messageWidth);
    return w;
}

namespace {

QLabel* MakeIcon(QWidget* parent, const char* name) {
    auto* icon = new QLabel(parent);
    icon->setObjectName(QLatin1String(name));
    return icon;
}

QLabel* MakeText(QWidget* parent, const char* name, bool wrap) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    // Messages carry file names and user texts: never read them as rich text
    // or take an "&" for a mnemonic.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* MakeButton(QDialog* box, const char* name, const QString& caption, int result) {
    auto* button = new QPushButton(caption, box);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(true);
    QObject::connect(button, &QPushButton::clicked, box, [box, result] { box->done(result); });
    return button;
}

// A carriage return breaks the line there; CR LF counts as one break.
QString LinesOf(const std::string& text) {
    QString lines = QString::fromStdString(text);
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

}  // namespace

TfrmMsgDlg::TfrmMsgDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      icoWarn_(MakeIcon(this, "icoWarn")),
      icoInfo_(MakeIcon(this, "icoInfo")),
      icoQuestion_(MakeIcon(this, "icoQuestion")),
      icoError_(MakeIcon(this, "icoError")),
      lblHdr_(MakeText(this, "lblHdr", false)),
      lblMsg_(MakeText(this, "lblMsg", false)),
      lblNte_(MakeText(this, "lblNte", true)),
      bbOK_(MakeButton(this, "bbOK", QStringLiteral("OK"), kMsgOk)),
      bbYes_(MakeButton(this, "bbYes", QStringLiteral("&Si"), kMsgYes)),
      bbNo_(MakeButton(this, "bbNo", QStringLiteral("&No"), kMsgNo)),
      bbCancel_(MakeButton(this, "bbCancel", QStringLiteral("Annulla"), kMsgCancel)) {
    setObjectName(QStringLiteral("frmMsgDlg"));
    setModal(true);
    setSizeGripEnabled(false);
    QPalette face = palette();
    face.setColor(QPalette::Window, Qt::white);
    face.setColor(QPalette::WindowText, Qt::black);
    setPalette(face);
    setAutoFillBackground(true);
    setWindowIcon(ProgramWindowIcon());
}

void TfrmMsgDlg::Layout(const Message& message) {
    // Fonts, places and pictures are set on every call, so that the box
    // follows the screen's scale and keeps nothing of the previous message.
    setFont(DesignFont(13));
    const qreal dpr = devicePixelRatioF();
    const struct {
        QLabel* label;
        MessageIconKind kind;
        const char* letter;
    } icons[] = {{icoInfo_, MessageIconKind::Information, "I"},
                 {icoWarn_, MessageIconKind::Warning, "!"},
                 {icoError_, MessageIconKind::Error, "E"},
                 {icoQuestion_, MessageIconKind::Question, "?"}};
    for (const auto& icon : icons) {
        icon.label->setGeometry(Dp(8, 8, 32, 32));
        icon.label->setPixmap(MessageIcon(icon.kind, Dp(32), dpr));
        icon.label->setVisible(message.icon == icon.letter);
    }
    for (QLabel* label : {lblHdr_, lblMsg_, lblNte_})
        label->setFont(DesignFont(15, label == lblHdr_));
    lblHdr_->move(Dp(56), Dp(56));

    // The three measures are read from the elements, so they follow the scale.
    const int m = icoInfo_->x();
    const int x0 = lblHdr_->x();
    const int buttonTop = Dp(8);
    const QSize buttonSize = Dp(97, 33);
    MsgBoxMeasures measures;
    measures.margin = m;
    measures.textLeft = x0;
    measures.buttonWidth = buttonSize.width();

    setWindowTitle(QString::fromStdString(message.title));
    measures.titleWidth =
        QFontMetrics(font()).horizontalAdvance(windowTitle()) + TitleBarAllowance();

    const std::string& letters = message.buttons;
    const struct {
        QPushButton* button;
        GlyphKind glyph;
        bool shown;
    } buttons[] = {{bbOK_, GlyphKind::Ok, letters.find('O') != std::string::npos},
                   {bbYes_, GlyphKind::Yes, letters.find('Y') != std::string::npos},
                   {bbNo_, GlyphKind::No, letters.find('N') != std::string::npos},
                   {bbCancel_, GlyphKind::Cancel, letters.find('C') != std::string::npos}};
    int x = x0;
    QPushButton* first = nullptr;
    for (const auto& b : buttons) {
        b.button->setIcon(ButtonGlyph(b.glyph, Dp(18), dpr));
        b.button->setIconSize(Dp(18, 18));
        b.button->setVisible(b.shown);
        b.button->setDefault(false);
        if (!b.shown) continue;
        b.button->setGeometry(QRect(QPoint(x, buttonTop), buttonSize));
        x += buttonSize.width() + m;
        ++measures.shownButtons;
        if (!first) first = b.button;
    }

    // A box wider than the screen would hide its own text: a header that long
    // is shortened in the middle (its tooltip keeps it whole) and a message
    // that long wraps at the screen's width.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int widest = (screen ? screen->availableGeometry().width() : 1024) - Dp(16) - m;

    lblHdr_->setVisible(!message.header.empty());
    lblHdr_->setToolTip(QString());
    if (lblHdr_->isVisibleTo(this)) {
        const QString header = QString::fromStdString(message.header);
        lblHdr_->setText(header);
        if (x0 + lblHdr_->sizeHint().width() > widest) {
            lblHdr_->setText(
                QFontMetrics(lblHdr_->font()).elidedText(header, Qt::ElideMiddle, widest - x0));
            lblHdr_->setToolTip(header);
        }
        lblHdr_->resize(lblHdr_->sizeHint());
        measures.headerWidth = lblHdr_->width();
    }

    const bool hasMessage = !message.message.empty();
    bool wrapMessage = message.message.find('\r') != std::string::npos;
    lblMsg_->setVisible(hasMessage);
    if (hasMessage) {
        lblMsg_->setWordWrap(false);
        lblMsg_->setText(LinesOf(message.message));
        if (!wrapMessage && x0 + lblMsg_->sizeHint().width() > widest) wrapMessage = true;
        if (!wrapMessage) {
            lblMsg_->resize(lblMsg_->sizeHint());
            measures.messageWidth = lblMsg_->width();
        }
    }

    int w = MsgBoxWidth(measures);
    if (hasMessage && wrapMessage && message.message.find('\r') == std::string::npos)
        w = std::max(w, widest);  // an over-long line wraps at the widest box

    int y = lblHdr_->y();
    if (lblHdr_->isVisibleTo(this)) y += lblHdr_->height() + m;
    if (hasMessage) {
        if (wrapMessage) {
            lblMsg_->setWordWrap(true);
            lblMsg_->resize(w - x0, lblMsg_->heightForWidth(w - x0));
        }
        lblMsg_->move(x0, y);
        y += lblMsg_->height() + m;
    }
    lblNte_->setVisible(!message.note.empty());
    if (lblNte_->isVisibleTo(this)) {
        lblNte_->setText(QString::fromStdString(message.note));
        lblNte_->setGeometry(x0, y, w - x0, lblNte_->heightForWidth(w - x0));
        y += lblNte_->height() + m;
    }
    setFixedSize(w + m, y);
    ui::CentreOnScreen(this);

    // Escape presses OK in an "O" box, No in a "YN" box, Cancel wherever it
    // is shown; otherwise only the close box ends the box.
    escapeButton_ = nullptr;
    if (letters == "O")
        escapeButton_ = bbOK_;
    else if (letters == "YN")
        escapeButton_ = bbNo_;
    else if (bbCancel_->isVisibleTo(this))
        escapeButton_ = bbCancel_;
    if (bbOK_->isVisibleTo(this))
        bbOK_->setDefault(true);
    else if (bbYes_->isVisibleTo(this))
        bbYes_->setDefault(true);
    if (first)
        first->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

int TfrmMsgDlg::TitleBarAllowance() const {
    // Known once the window manager has framed the box; before its first
    // showing, a typical title bar with its borders.
    const int framed = frameGeometry().height() - geometry().height();
    return framed > 0 ? framed : Dp(30);
}

int TfrmMsgDlg::MsgBox(const Message& message) {
    // A message raised while the box is up gets a box of its own rather than
    // re-laying out the one the user is reading.
    if (isVisible()) {
        TfrmMsgDlg nested(this);
        return nested.MsgBox(message);
    }
    Layout(message);
    if (message.icon != "I") QApplication::beep();
    const int result = exec();
    // exec() gives 0 only if the box is destroyed under it; that ended nothing.
    return result == 0 ? kMsgCancel : result;
}

void TfrmMsgDlg::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape) {
        if (mods == Qt::NoModifier && escapeButton_) escapeButton_->click();
        return;  // never the dialog's own reject: Escape answers only as a button
    }
    if (mods == Qt::NoModifier || mods == Qt::AltModifier) {
        QPushButton* answer = event->key() == Qt::Key_S   ? bbYes_
                              : event->key() == Qt::Key_N ? bbNo_
                                                          : nullptr;
        if (answer && answer->isVisible()) {
            answer->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TfrmMsgDlg::reject() {
    done(kMsgCancel);
}

}  // namespace velmar::ui
