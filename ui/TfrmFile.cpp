#include "ui/TfrmFile.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStorageInfo>

#include "scheme/session/ArchiveCommands.h"
#include "scheme/session/Session.h"
#include "store/SchemeFiles.h"
#include "ui/Design.h"
#include "ui/Pictures.h"

namespace velmar::ui {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
std::string S(const QString& text) {
    return text.toStdString();
}

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace

TfrmFile::TfrmFile(Session& session, QWidget* parent)
    : KeyFirstDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint),
      session_(session),
      label2_(Named(new QLabel(QStringLiteral("&Descrizione del file"), this), "Label2")),
      edDes_(Named(new QLineEdit(this), "edDes")),
      lblDir_(Named(new QLabel(this), "lblDir")),
      dirDat_(Named(new QListWidget(this), "dirDat")),
      drvDat_(Named(new QComboBox(this), "drvDat")),
      flDat_(Named(new QListWidget(this), "flDat")),
      label1_(Named(new QLabel(QStringLiteral("&Nr file"), this), "Label1")),
      seNumF_(Named(new QSpinBox(this), "seNumF")),
      hsScrivi_(Named(new QPushButton(QStringLiteral("&Scrivi"), this), "hsScrivi")),
      hsLeggi_(Named(new QPushButton(QStringLiteral("&Leggi"), this), "hsLeggi")),
      hbFine_(Named(new QPushButton(QStringLiteral("&Finito"), this), "hbFine")) {
    setObjectName(QStringLiteral("frmFile"));
    setWindowTitle(Q(std::string(kArchiveTitle)));
    setWindowIcon(ProgramWindowIcon());
    setModal(true);
    setSizeGripEnabled(false);

    edDes_->setMaxLength(static_cast<int>(kDescriptionBytes));
    label2_->setBuddy(edDes_);
    label1_->setBuddy(seNumF_);
    seNumF_->setRange(0, kArchiveMaxNumber);
    flDat_->setSelectionMode(QAbstractItemView::SingleSelection);
    lblDir_->setTextFormat(Qt::PlainText);
    for (QPushButton* button : {hsScrivi_, hsLeggi_}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
    }
    hbFine_->setAutoDefault(false);

    connect(hbFine_, &QPushButton::clicked, this, &QDialog::accept);
    connect(hsScrivi_, &QPushButton::clicked, this, &TfrmFile::Write);
    connect(hsLeggi_, &QPushButton::clicked, this, &TfrmFile::Read);
    connect(flDat_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* current) {
        if (!refreshing_ && current) Preview(current);
    });
    connect(seNumF_, &QSpinBox::valueChanged, this, [this](int value) {
        // Back at 0 the next write takes the next free number, not the pick.
        if (value != 0) return;
        const bool was = refreshing_;
        refreshing_ = true;
        flDat_->clearSelection();
        flDat_->setCurrentItem(nullptr);
        refreshing_ = was;
    });
    // The lists are rebuilt when the folder changes, so not from inside their own signals.
    connect(dirDat_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const QString path = item->data(Qt::UserRole).toString();
        QMetaObject::invokeMethod(
            this, [this, path] { SetFolder(path); }, Qt::QueuedConnection);
    });
    connect(drvDat_, &QComboBox::activated, this, [this](int index) {
        const QString path = drvDat_->itemData(index).toString();
        QMetaObject::invokeMethod(
            this, [this, path] { SetFolder(path); }, Qt::QueuedConnection);
    });

    // The window sees its keys before the control that has the focus.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);

    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    face.setColor(QPalette::WindowText, Qt::black);
    setPalette(face);
    setAutoFillBackground(true);

    SetFolder(Q(session_.folder()));
    Layout();
}

void TfrmFile::ShowArchive() {
    Layout();
    RefreshFolders();
    RefreshFiles();
    exec();
}

void TfrmFile::SetFolder(const QString& folder) {
    folder_ = QDir(folder).absolutePath();
    ShowFolderName();
    RefreshDrives();
    RefreshFolders();
    RefreshFiles();
}

void TfrmFile::ShowFolderName() {
    // A long path keeps its two ends, where the drive and the folder's own name are.
    const QString shown = QDir::toNativeSeparators(folder_);
    lblDir_->setToolTip(shown);
    lblDir_->setText(lblDir_->fontMetrics().elidedText(shown, Qt::ElideMiddle, lblDir_->width()));
}

void TfrmFile::RefreshDrives() {
    drvDat_->clear();
    const QString root = QStorageInfo(folder_).rootPath();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString path = volume.rootPath();
        // A container's bind-mounted files are volumes too, but no place to browse.
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(path).isDir()) continue;
        const QString name = volume.displayName();
        drvDat_->addItem(name == path ? QDir::toNativeSeparators(path)
                                      : QDir::toNativeSeparators(path) + QStringLiteral("  [") +
                                            name + QLatin1Char(']'),
                         path);
        if (path == root) drvDat_->setCurrentIndex(drvDat_->count() - 1);
    }
}

void TfrmFile::RefreshFolders() {
    dirDat_->clear();
    const QDir dir(folder_);
    // The way up first, then the folders inside; a double click enters one.
    QDir up(folder_);
    if (up.cdUp()) {
        auto* item = new QListWidgetItem(QStringLiteral(".."), dirDat_);
        item->setData(Qt::UserRole, up.absolutePath());
    }
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(name, dirDat_);
        item->setData(Qt::UserRole, dir.absoluteFilePath(name));
    }
}

void TfrmFile::RefreshFiles() {
    // A click in progress has made the item current before selecting it: it
    // stays the pick as well, or the click would preview it a second time.
    const QString picked = flDat_->currentItem() ? flDat_->currentItem()->text() : Picked();
    refreshing_ = true;
    entries_ = ListArchive(S(folder_));
    flDat_->clear();
    for (const ArchiveEntry& entry : entries_) {
        auto* item = new QListWidgetItem(Q(entry.fileName), flDat_);
        if (!picked.isEmpty() && item->text() == picked) {
            flDat_->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    refreshing_ = false;
}

QString TfrmFile::Picked() const {
    const QList<QListWidgetItem*> selected = flDat_->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void TfrmFile::Preview(QListWidgetItem* item) {
    if (const auto description = PreviewArchive(session_.messages(), S(folder_), S(item->text())))
        edDes_->setText(Q(*description));
}

void TfrmFile::Read() {
    if (ReadArchive(session_, S(folder_), S(Picked())) == FileCommandOutcome::Done)
        emit schemeFileChanged();
}

void TfrmFile::Write() {
    if (WriteArchive(session_, S(folder_), S(edDes_->text()), S(Picked()), seNumF_->value(),
                     entries_) == FileCommandOutcome::Done) {
        RefreshFiles();
        emit schemeFileChanged();
    }
}

void TfrmFile::Layout() {
    setFont(DesignFont(14));
    const qreal dpr = devicePixelRatioF();
    hbFine_->setIcon(ButtonGlyph(GlyphKind::Ok, Dp(18), dpr));
    hbFine_->setIconSize(Dp(18, 18));
    for (QWidget* control : findChildren<QWidget*>()) control->setFont(font());

    hbFine_->setGeometry(Dp(340, 11, 104, 33));
    label2_->setGeometry(Dp(10, 48, 434, 20));
    edDes_->setGeometry(Dp(10, 70, 434, 24));
    lblDir_->setGeometry(Dp(10, 107, 331, 20));
    label1_->setGeometry(Dp(350, 107, 94, 20));
    dirDat_->setGeometry(Dp(10, 129, 164, 123));
    flDat_->setGeometry(Dp(182, 129, 159, 153));
    seNumF_->setGeometry(Dp(350, 129, 84, 28));
    drvDat_->setGeometry(Dp(10, 258, 164, 26));
    hsScrivi_->setGeometry(Dp(350, 214, 89, 30));
    hsLeggi_->setGeometry(Dp(350, 251, 89, 30));
    setFixedSize(Dp(452, 293));
    ShowFolderName();

    CentreOnScreen(this);
}

bool TfrmFile::HandleKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    const bool act = event.type() == QEvent::KeyRelease && !event.isAutoRepeat();
    const int key = event.key();
    if (mods == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        if (act) hbFine_->click();
        return true;
    }
    if (mods == Qt::NoModifier && key == Qt::Key_F5) {
        if (act) RefreshFiles();
        return true;
    }
    if (mods == Qt::ControlModifier && (key == Qt::Key_S || key == Qt::Key_R)) {
        if (act) (key == Qt::Key_S ? hsScrivi_ : hsLeggi_)->click();
        return true;
    }
    return false;
}

bool TfrmFile::event(QEvent* event) {
    // Every activation reads the list again: files may have come or gone.
    if (event->type() == QEvent::WindowActivate) RefreshFiles();
    return QDialog::event(event);
}

}  // namespace velmar::ui
