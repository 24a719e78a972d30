#include "ui/Program.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "ui/HintHandler.h"
#include "ui/Pictures.h"
#include "ui/TfrmAttesa.h"
#include "ui/TfrmCarta.h"
#include "ui/TfrmFile.h"
#include "ui/TfrmInfo.h"
#include "ui/TfrmMsgDlg.h"
#include "ui/TfrmPorti.h"
#include "ui/TfrmPunti.h"
#include "ui/TfrmRpl.h"
#include "ui/TfrmTast.h"
#include "ui/TfrmVelmar.h"

namespace velmar::ui {

Program::Program(ProgramFolders folders) : folders_(std::move(folders)) {
    session_ = std::make_unique<Session>(folders_.program, messages_);
}

Program::~Program() {
    // The hint handler watches every event of the application, and a window
    // being destroyed still causes some: its menu bar loses the focus and
    // clears its hint. The handler goes first, or it would call into a
    // window already half destroyed.
    hints_.reset();
}

void Program::Start() {
    // The wait window first, painted at once: making the windows takes a moment.
    auto wait = std::make_unique<TfrmAttesa>();
    wait->ShowAndPaint();

    // The program's name is the main window's caption, "Velmar3". No
    // application display name is set: the platform would append it to every
    // window's caption, and the message boxes' captions must stand as they are.
    QApplication::setWindowIcon(ProgramWindowIcon());

    velmar_ = std::make_unique<TfrmVelmar>(*session_, settings_);
    hints_ = std::make_unique<HintHandler>();
    connect(hints_.get(), &HintHandler::hintChanged, velmar_.get(), &TfrmVelmar::SetHint);
    porti_ = std::make_unique<TfrmPorti>(*session_, folders_.data, velmar_.get());
    tast_ = std::make_unique<TfrmTast>(messages_, session_->scheme().saved, velmar_.get());
    session_->SetKeypad(tast_.get());
    punti_ = std::make_unique<TfrmPunti>(*session_, settings_, velmar_.get());
    punti_->SetMapFolder(folders_.data);
    connect(hints_.get(), &HintHandler::hintChanged, punti_.get(), &TfrmPunti::SetHint);
    file_ = std::make_unique<TfrmFile>(*session_, velmar_.get());
    rpl_ = std::make_unique<TfrmRpl>(velmar_.get());
    carta_ = std::make_unique<TfrmCarta>(*session_, settings_, folders_.data);
    connect(hints_.get(), &HintHandler::hintChanged, carta_.get(), &TfrmCarta::SetHint);
    info_ = std::make_unique<TfrmInfo>(velmar_.get());
    info_->SetProgramFolder(QDir::toNativeSeparators(QString::fromStdString(folders_.program)));
    msgDlg_ = std::make_unique<TfrmMsgDlg>(velmar_.get());
    messages_.target = msgDlg_.get();

    connect(velmar_.get(), &TfrmVelmar::programEnded, this, &Program::ended);
    connect(velmar_.get(), &TfrmVelmar::portsRequested, this, [this] { porti_->ShowPorts(0); });
    connect(velmar_.get(), &TfrmVelmar::aboutRequested, this, [this] { info_->ShowAbout(0); });
    connect(velmar_.get(), &TfrmVelmar::schemeCleared, punti_.get(), &QWidget::hide);
    connect(velmar_.get(), &TfrmVelmar::schemeCleared, carta_.get(), &QWidget::hide);
    auto bringUp = [this](QWidget* window) {
        return [this, window] {
            window->show();
            window->raise();
            window->activateWindow();
        };
    };
    connect(velmar_.get(), &TfrmVelmar::pointsRequested, this, bringUp(punti_.get()));
    connect(velmar_.get(), &TfrmVelmar::chartRequested, this, bringUp(carta_.get()));
    connect(punti_.get(), &TfrmPunti::chartRequested, this, bringUp(carta_.get()));
    connect(punti_.get(), &TfrmPunti::velmarRequested, this, bringUp(velmar_.get()));
    connect(carta_.get(), &TfrmCarta::velmarRequested, this, bringUp(velmar_.get()));
    connect(carta_.get(), &TfrmCarta::pointsRequested, this, bringUp(punti_.get()));
    connect(carta_.get(), &TfrmCarta::portsRequested, this, [this] { porti_->ShowPorts(2); });
    connect(carta_.get(), &TfrmCarta::aboutRequested, this, [this] { info_->ShowAbout(2); });
    connect(porti_.get(), &TfrmPorti::chartRedrawRequested, carta_.get(),
            &TfrmCarta::ActivateChart);
    connect(punti_.get(), &TfrmPunti::aboutRequested, this, [this] { info_->ShowAbout(1); });
    connect(punti_.get(), &TfrmPunti::summaryRequested, this,
            [this] { rpl_->ShowSummary(session_->scheme(), session_->line()); });
    connect(file_.get(), &TfrmFile::schemeFileChanged, velmar_.get(),
            &TfrmVelmar::RefreshFilePanel);
    connect(velmar_.get(), &TfrmVelmar::archiveRequested, this, [this] {
        file_->ShowArchive();
        velmar_->RefreshFilePanel();
    });
    connect(velmar_.get(), &TfrmVelmar::summaryRequested, this,
            [this] { rpl_->ShowSummary(session_->scheme(), session_->line()); });

    session_->scheme().Clear();
    settings_ = Settings::Read(folders_.program);
    velmar_->ApplyBars();
    velmar_->show();
    velmar_->Arrange(true, true);
    session_->scheme().ResetHistory();
    velmar_->Run(SchemeCommand::Read);
    carta_->ApplyPanels();
    punti_->ApplyBars();
    punti_->ArrangeColumns();
    punti_->Arrange();

    wait->hide();
    wait.reset();
    velmar_->repaint();
    velmar_->activateWindow();
}

ProgramFolders RunningProgramFolders() {
    const QString exe = QCoreApplication::applicationDirPath();
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // The user's own folder first, then the install's share folder before
    // the system's, so that a second install (under /opt, say) reads the
    // data it came with.
    std::vector<std::string> share{
        user.toStdString(),
        QDir::cleanPath(exe + QStringLiteral("/../share/velmar")).toStdString()};
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        share.push_back(folder.toStdString());
    return ChooseProgramFolders(exe.toStdString(), user.toStdString(), share);
}

}  // namespace velmar::ui
