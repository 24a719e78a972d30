#include "ui/TfrmInfo.h"

#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "ui/Design.h"
#include "ui/Pictures.h"

namespace velmar::ui {

namespace {

const QColor kNavy(0, 0, 128);

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TfrmInfo::TfrmInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      imgIcona_(new QLabel(this)),
      lblProdotto_(MakeLabel(this, "lblProdotto", QStringLiteral("Velmar3"))),
      lblVersione_(MakeLabel(this, "lblVersione", QStringLiteral("versione 3.1.a"))),
      lblCartella_(MakeLabel(this, "lblCartella", QString())),
      hbOK_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Velmar3: Informazioni"));
    setWindowIcon(ProgramWindowIcon());
    setModal(true);
    imgIcona_->setObjectName(QStringLiteral("imgIcona"));
    hbOK_->setObjectName(QStringLiteral("hbOK"));
    hbOK_->setDefault(true);
    connect(hbOK_, &QPushButton::clicked, this, &QDialog::accept);

    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    setPalette(face);
    setAutoFillBackground(true);
    QPalette navy = lblProdotto_->palette();
    navy.setColor(QPalette::WindowText, kNavy);
    lblProdotto_->setPalette(navy);
    Layout();
}

void TfrmInfo::SetProgramFolder(const QString& folder) {
    if (folder == folder_) return;
    folder_ = folder;
    Layout();
}

int TfrmInfo::ShowAbout(int module) {
    module_ = module;
    Layout();
    hbOK_->setFocus(Qt::OtherFocusReason);
    return exec();
}

void TfrmInfo::Layout() {
    setFont(DesignFont(13));
    imgIcona_->setGeometry(Dp(12, 12, 32, 32));
    imgIcona_->setPixmap(ProgramIcon(Dp(32), devicePixelRatioF()));
    lblProdotto_->setFont(TitleFont(20));
    lblVersione_->setFont(DesignFont(15));
    lblCartella_->setFont(DesignFont(13));

    // A long folder is shortened in its middle to fit the screen; the
    // tooltip keeps it whole.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const int widestText = screenWidth * 4 / 5 - Dp(100);
    const QString line =
        QStringLiteral("Cartella: ") +
        QDir::toNativeSeparators(folder_.isEmpty() ? QStringLiteral("-") : folder_);
    lblCartella_->setText(
        QFontMetrics(lblCartella_->font()).elidedText(line, Qt::ElideMiddle, widestText));
    lblCartella_->setToolTip(lblCartella_->text() == line ? QString() : line);

    const int pad = Dp(10);
    const int left = Dp(60);
    const int top = Dp(12);
    int y = top + pad;
    int textWidth = Dp(200);
    for (QLabel* label : {lblProdotto_, lblVersione_, lblCartella_}) {
        label->resize(label->sizeHint());
        label->move(left + pad, y);
        y += label->height() + Dp(4);
        textWidth = std::max(textWidth, label->width());
    }
    versionFrame_ = QRect(left, top, textWidth + 2 * pad, y - Dp(4) + pad - top);

    const int width = versionFrame_.right() + 1 + Dp(12);
    const QSize button = Dp(97, 33);
    hbOK_->setGeometry(
        QRect(QPoint((width - button.width()) / 2, versionFrame_.bottom() + 1 + Dp(12)), button));
    setFixedSize(width, hbOK_->geometry().bottom() + 1 + Dp(12));

    CentreOnScreen(this);
    update();
}

void TfrmInfo::keyPressEvent(QKeyEvent* event) {
    // Escape answers on its release, as "OK"; its press must not reject.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void TfrmInfo::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        hbOK_->click();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void TfrmInfo::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kNavy, std::max(1, Dp(1.5))));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(versionFrame_).adjusted(0.5, 0.5, -0.5, -0.5), Dp(8), Dp(8));
}

}  // namespace velmar::ui
