#include "ui/TfrmPunti.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "brokenline/PointsText.h"
#include "brokenline/RouteExport.h"
#include "scheme/SchemeCommands.h"
#include "scheme/SchemeScreen.h"
#include "store/ExportFile.h"
#include "ui/CommandMenus.h"
#include "ui/Design.h"
#include "ui/Program.h"

namespace velmar::ui {

namespace {

// Design measures, in pixels at 120 per inch.
constexpr int kClientWidth = 662;
constexpr int kClientHeight = 356;
constexpr int kBarHeight = 26;
constexpr int kItemHeight = 15;
constexpr int kListFont = 15;
constexpr int kWindowFont = 14;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QColor InkColour(LineInk ink) {
    const InkRgb rgb = RgbOf(ink);
    return {rgb.red, rgb.green, rgb.blue};
}

}  // namespace

// Draws a line in its ink, a point's parts in the header's columns and a leg
// in the "Percorso" column between its two points.
class TfrmPunti::LineDelegate : public QStyledItemDelegate {
  public:
    LineDelegate(QHeaderView* header, QObject* parent)
        : QStyledItemDelegate(parent), header_(header) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const std::string text = index.data().toString().toStdString();
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect,
                          selected ? option.palette.color(QPalette::Highlight) : QColor(Qt::white));
        painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                                 : InkColour(InkOf(text)));
        const QRect r = option.rect;
        auto draw = [&](int x, const std::string& part) {
            painter->drawText(QRect(x, r.top(), r.right() - x + 1, r.height()),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Q(part));
        };
        if (index.row() % 2 == 1) {
            draw(r.left() + header_->sectionSize(0), text);
        } else {
            const auto parts = SplitPointLine(text);
            int x = r.left() + Dp(2);
            draw(x, parts[0]);
            if (!parts[1].empty()) {
                x += header_->sectionSize(0) + header_->sectionSize(1);
                draw(x, parts[1]);
            }
            if (!parts[2].empty()) {
                x += header_->sectionSize(2);
                draw(x, parts[2]);
            }
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {header_->length(), Dp(kItemHeight)};
    }

  private:
    QHeaderView* header_;
};

TfrmPunti::TfrmPunti(Session& session, Settings& settings, QWidget* mainWindow)
    : QMainWindow(nullptr),
      session_(session),
      settings_(settings),
      mainWindow_(mainWindow),
      activation_(*this, session, [this] {
          ++recomputes_;
          Busy([this] { session_.engine().Activate(); });
      }) {
    setObjectName(QStringLiteral("frmPunti"));
    setWindowTitle(QString::fromLatin1(kPointsCaption));
    setFont(DesignFont(kWindowFont));
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(kFaceGrey, kFaceGrey, kFaceGrey));
    setPalette(face);

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->installEventFilter(this);
    setCentralWidget(client_);
    auto* column = new QVBoxLayout(client_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    hhFix_ = BuildBar("hhFix", kRecallHint, recall_.data(), 3);
    column->addWidget(hhFix_);

    auto* pnlPunti = new QFrame(client_);
    pnlPunti->setObjectName(QStringLiteral("pnlPunti"));
    pnlPunti->setFrameShape(QFrame::Box);
    pnlPunti->installEventFilter(this);
    auto* inside = new QVBoxLayout(pnlPunti);
    inside->setContentsMargins(Dp(4), Dp(4), Dp(4), Dp(4));
    inside->setSpacing(0);
    column->addWidget(pnlPunti, 1);

    auto* titles = new QStandardItemModel(0, 4, this);
    for (int i = 0; i < 4; ++i)
        titles->setHorizontalHeaderItem(
            i, new QStandardItem(QString::fromLatin1(kPointsColumnTitles[i])));
    hhPunti_ = new QHeaderView(Qt::Horizontal, pnlPunti);
    hhPunti_->setObjectName(QStringLiteral("hhPunti"));
    hhPunti_->setModel(titles);
    hhPunti_->setSectionResizeMode(QHeaderView::Interactive);
    hhPunti_->setStretchLastSection(false);
    hhPunti_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hhPunti_->setFixedHeight(Dp(kBarHeight));
    inside->addWidget(hhPunti_);

    lstPunti_ = new QListWidget(pnlPunti);
    lstPunti_->setObjectName(QStringLiteral("lstPunti"));
    lstPunti_->setStatusTip(QString::fromLatin1(kPointsListHint));
    lstPunti_->setFont(DesignFont(kListFont));
    lstPunti_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstPunti_->setUniformItemSizes(true);
    lstPunti_->setFrameShape(QFrame::NoFrame);
    lstPunti_->setItemDelegate(new LineDelegate(hhPunti_, lstPunti_));
    lstPunti_->installEventFilter(this);
    lstPunti_->viewport()->installEventFilter(this);
    inside->addWidget(lstPunti_, 1);
    // Resizing a column by hand redraws the list at once.
    connect(hhPunti_, &QHeaderView::sectionResized, lstPunti_->viewport(), [this] {
        lstPunti_->doItemsLayout();  // the lines are as wide as the columns
        lstPunti_->viewport()->update();
    });

    hhVar_ = BuildBar("hhVar", kPointsStatusHint, status_.data(), 4);
    status_[3]->setText(QString::fromLatin1(kNoHint));
    column->addWidget(hhVar_);

    BuildMenus();
    resize(Dp(kClientWidth), Dp(kClientHeight) + menuBar()->sizeHint().height());
    ApplyBars();
    ArrangeColumns();
}

QWidget* TfrmPunti::BuildBar(const char* name, const char* hint, QLabel** sections, int count) {
    auto* bar = new QWidget(client_);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setStatusTip(QString::fromLatin1(hint));
    bar->setFixedHeight(Dp(kBarHeight));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(Dp(2), Dp(2), Dp(2), Dp(2));
    row->setSpacing(Dp(2));
    static const char* const kDesign[2][4] = {{"DLon", "DLonAV", "Risp", ""},
                                              {"Metodo", "NrPt", "DLonP", ""}};
    const bool status = count == 4;
    for (int i = 0; i < count; ++i) {
        auto* section = new QLabel(QString::fromLatin1(kDesign[status][i]), bar);
        section->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(name)).arg(i));
        section->setFrameShape(QFrame::Panel);
        section->setFrameShadow(QFrame::Sunken);
        section->setIndent(Dp(4));
        // Each section is at least as wide as its text; the status bar's
        // hint takes the room that is left.
        if (status && i == 3) section->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        row->addWidget(section, status ? (i == 3) : 1);
        sections[i] = section;
    }
    return bar;
}

void TfrmPunti::BuildMenus() {
    actions_ = BuildCommandMenus(*this, PointsCommands(), [this](PointsCommand c) { Run(c); });
}

template <typename F>
void TfrmPunti::Busy(F&& call) {
    activation_.Busy(std::forward<F>(call));
    Refresh();
}

void TfrmPunti::Run(PointsCommand command) {
    using C = PointsCommand;
    const int tag = PointsCommandInfoOf(command).tag;
    PointsController& points = session_.points();
    switch (command) {
        case C::Velmar:
            emit velmarRequested();
            break;
        case C::Chart:
            emit chartRequested();
            break;
        case C::Plan:
        case C::ExportGpx:
        case C::ExportRtz:
            Busy([this, command] { WriteFileCommand(command); });
            break;
        case C::PrintPlan:
            Busy([this] { PrintPlan(); });
            break;
        case C::Close:
            close();
            break;
        case C::Summary:
            Busy([this] { emit summaryRequested(); });
            break;
        case C::Window:
            Arrange();
            break;
        case C::CopySelected:
        case C::CopyAll:
            Copy(tag == 0);
            break;
        case C::Automatic:
            Busy([&points] { points.Automatic(); });
            break;
        case C::Vertex:
        case C::LimitParallel:
        case C::Equation:
        case C::Practical:
            Busy([&points, tag] { points.ChooseMethod(tag); });
            break;
        case C::NrPt:
        case C::DLonP:
            Busy([&points, tag] { points.Spacing(static_cast<SpacingItem>(tag)); });
            break;
        case C::LimitLatitude:
            Busy([&points] { points.LimitLatitude(); });
            break;
        case C::Recall:
            settings_.recall = !settings_.recall;
            ApplyBars();
            break;
        case C::Status:
            settings_.pointsStatus = !settings_.pointsStatus;
            ApplyBars();
            break;
        case C::Guide:
        case C::Tutor:
            Busy([this, command] { session_.messages().MsgBox(PointsHelpMessage(command)); });
            break;
        case C::About:
            Busy([this] { emit aboutRequested(); });
            break;
    }
}

void TfrmPunti::Activated() {
    activation_.Activated();
}

void TfrmPunti::Refresh() {
    const PointsDisplay& display = session_.engine().Display();
    for (int i = 0; i < 3; ++i) recall_[i]->setText(Q(display.recall[i]));
    for (int i = 0; i < 3; ++i) status_[i]->setText(Q(display.status.sections[i]));

    QStringList lines;
    lines.reserve(static_cast<int>(display.lines.size()));
    for (const std::string& line : display.lines) lines << Q(line);
    bool same = lstPunti_->count() == lines.size();
    for (int i = 0; same && i < lines.size(); ++i) same = lstPunti_->item(i)->text() == lines[i];
    if (!same) {
        lstPunti_->clear();
        lstPunti_->addItems(lines);
    }

    const SpacingStatus& status = display.status;
    actions_[PointsCommand::NrPt]->setText(Q(status.nrPtCaption));
    actions_[PointsCommand::NrPt]->setStatusTip(Q(status.nrPtHint));
    actions_[PointsCommand::DLonP]->setText(Q(status.dLonPCaption));
    actions_[PointsCommand::DLonP]->setStatusTip(Q(status.dLonPHint));
    for (PointsCommand method : {PointsCommand::Vertex, PointsCommand::LimitParallel,
                                 PointsCommand::Equation, PointsCommand::Practical})
        actions_[method]->setChecked(PointsCommandInfoOf(method).tag == status.checkedTag);
    actions_[PointsCommand::LimitParallel]->setEnabled(display.limitLatEnabled);
    actions_[PointsCommand::LimitLatitude]->setEnabled(display.limitLatEnabled);
    actions_[PointsCommand::Practical]->setEnabled(display.practicalEnabled);
}

void TfrmPunti::Copy(bool all) {
    std::vector<int> selected;
    for (const QModelIndex& index : lstPunti_->selectionModel()->selectedIndexes())
        selected.push_back(index.row());
    std::sort(selected.begin(), selected.end());
    QGuiApplication::clipboard()->setText(
        Q(CopyListText(session_.engine().Display().lines, selected, all)));
}

PlanDocument TfrmPunti::MakePlan() const {
    const Scheme& scheme = session_.scheme();
    const PlanPortNames names{session_.portNames().NameOf(scheme, kDeparture),
                              session_.portNames().NameOf(scheme, kArrival)};
    const std::string folder = mapFolder_.empty() ? RunningProgramFolders().data : mapFolder_;
    return MakePlanDocument(scheme, session_.line(), session_.work(),
                            session_.engine().CurrentMethod(), names, SystemNow(), folder);
}

QString TfrmPunti::AskFileName(PointsCommand command) {
    const PointsFileDialog texts = PointsFileDialogOf(command);
    // The program's own dialog, not the desktop's: the question before an
    // existing file is replaced is the program's message box.
    QFileDialog dialog(this, QString::fromUtf8(texts.caption));
    dialog.setObjectName(QStringLiteral("dlgFile"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromUtf8(texts.filter));
    const QString suffix = QFileInfo(QString::fromUtf8(texts.suggestedName)).suffix();
    dialog.setDefaultSuffix(suffix);
    dialog.setDirectory(lastFolder_.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                            : lastFolder_);
    dialog.selectFile(QString::fromUtf8(texts.suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

void TfrmPunti::WriteFileCommand(PointsCommand command) {
    const QString path = AskFileName(command);
    if (path.isEmpty()) return;
    QByteArray bytes;
    if (command == PointsCommand::Plan) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        bytes = PlanDocumentPdf(MakePlan());
        QApplication::restoreOverrideCursor();
    } else {
        const Route route = PlannedRoute(session_.scheme(), session_.line(), session_.work(),
                                         session_.engine().CurrentMethod());
        bytes = QByteArray::fromStdString(command == PointsCommand::ExportGpx ? ToGpx(route)
                                                                              : ToRtz(route));
    }
    const std::string title = PointsFileDialogOf(command).messageTitle;
    ExportFile(QDir::toNativeSeparators(path).toStdString(),
               {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                static_cast<std::size_t>(bytes.size())},
               title, session_.messages());
}

void TfrmPunti::PrintPlan() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    printer.setDocName(QStringLiteral("Piano di navigazione"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Stampa piano"));
    if (dialog.exec() != QDialog::Accepted) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int pages = PaintPlanDocument(printer, MakePlan());
    QApplication::restoreOverrideCursor();
    if (pages == 0)
        session_.messages().MsgBox({"E", "O", "Velmar: Stampa piano",
                                    printer.printerName().toStdString(),
                                    "Impossibile stampare il piano di navigazione.", ""});
}

void TfrmPunti::ArrangeColumns() {
    const QFontMetrics metrics(lstPunti_->font());
    for (int i = 0; i < 4; ++i)
        hhPunti_->resizeSection(i, metrics.horizontalAdvance(
                                       QString::fromLatin1(kPointsColumnSamples[std::min(i, 2)])));
    lstPunti_->viewport()->update();
}

void TfrmPunti::Arrange() {
    const QScreen* screen = mainWindow_ && mainWindow_->screen() ? mainWindow_->screen()
                                                                 : QGuiApplication::primaryScreen();
    QWidget* scheme =
        mainWindow_ ? mainWindow_->findChild<QWidget*>(QStringLiteral("pnlPaPeRa")) : nullptr;
    // The scheme panel's width, unless the columns need more: the platform's
    // fonts may be wider than the design's, and the last column must show.
    const auto* panel = findChild<QFrame*>(QStringLiteral("pnlPunti"));
    const int columns = hhPunti_->length() + 2 * Dp(4) + 2 * panel->frameWidth() +
                        style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = std::max(scheme ? scheme->width() : Dp(kClientWidth), columns);
    if (screen) {
        const QRect area = screen->geometry();
        const int frame = frameGeometry().height() - height();
        const int outer =
            area.height() - (mainWindow_ ? mainWindow_->frameGeometry().height() : 0) - Dp(6);
        resize(width, std::max(outer - frame, Dp(120)));
        move(area.right() + 1 - frameGeometry().width(), area.top());
    } else {
        resize(width, height());
    }
    ApplyBars();
}

void TfrmPunti::ApplyBars() {
    actions_[PointsCommand::Recall]->setChecked(settings_.recall);
    actions_[PointsCommand::Status]->setChecked(settings_.pointsStatus);
    hhFix_->setVisible(settings_.recall);
    hhVar_->setVisible(settings_.pointsStatus);
}

void TfrmPunti::SetHint(const QString& text) {
    status_[3]->setText(text);
}

void TfrmPunti::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) activation_.ActivationChanged();
}

void TfrmPunti::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ApplyBars();
}

bool TfrmPunti::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (!lstPunti_) return QMainWindow::eventFilter(watched, event);
    // The list's own copy key would take Ctrl+C from the menu item.
    if (watched == lstPunti_ && type == QEvent::ShortcutOverride) return true;
    if (watched == lstPunti_->viewport()) {
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) return false;
        // Another button leaves the selection as it is, and copies on release.
        if (type == QEvent::MouseButtonRelease) {
            Copy(false);
            if ((mouse->modifiers() &
                 (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == Qt::ShiftModifier)
                Copy(true);
        }
        return true;
    }
    if (type == QEvent::MouseButtonRelease && watched->isWidgetType() &&
        (watched == client_ || watched->objectName() == QLatin1String("pnlPunti"))) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            ArrangeColumns();
        else
            Arrange();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace velmar::ui
