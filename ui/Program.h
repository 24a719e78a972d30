#pragma once
// The desktop program: the one session over the scheme, the settings, the
// program folder and every window, created once each in a fixed order and
// kept for the whole run; start-up runs here and the run ends only through
// the scheme window's exit question.

#include <QObject>
#include <QString>
#include <memory>

#include "core/Interaction.h"
#include "scheme/session/Session.h"
#include "store/ProgramFolder.h"
#include "store/Settings.h"

namespace velmar::ui {

class HintHandler;
class TfrmAttesa;
class TfrmCarta;
class TfrmFile;
class TfrmInfo;
class TfrmMsgDlg;
class TfrmPorti;
class TfrmPunti;
class TfrmRpl;
class TfrmTast;
class TfrmVelmar;

class Program : public QObject {
    Q_OBJECT

  public:
    explicit Program(ProgramFolders folders);
    ~Program() override;

    /// Start-up: the wait window at once, the windows, the cleared scheme,
    /// the settings, the scheme window shown and arranged, the startup pair
    /// read and solved, the wait window gone.
    void Start();

    Session& session() { return *session_; }
    Settings& settings() { return settings_; }
    const ProgramFolders& folders() const { return folders_; }
    TfrmVelmar& velmar() { return *velmar_; }
    TfrmPorti& porti() { return *porti_; }
    TfrmTast& tast() { return *tast_; }
    TfrmPunti& punti() { return *punti_; }
    TfrmRpl& rpl() { return *rpl_; }
    TfrmCarta& carta() { return *carta_; }
    TfrmFile& file() { return *file_; }
    TfrmInfo& info() { return *info_; }
    TfrmMsgDlg& msgDlg() { return *msgDlg_; }
    HintHandler& hints() { return *hints_; }

  signals:
    /// The run is over (the exit question let it end): the event loop may stop.
    void ended();

  private:
    /// The session is made before the message box (the box is the last
    /// window made), so its messages go through this relay.
    struct MessageRelay : MessageSink {
        MessageSink* target = nullptr;
        int MsgBox(const Message& message) override {
            return target ? target->MsgBox(message) : kMsgCancel;
        }
    };

    ProgramFolders folders_;
    MessageRelay messages_;
    Settings settings_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<HintHandler> hints_;
    std::unique_ptr<TfrmVelmar> velmar_;
    std::unique_ptr<TfrmPorti> porti_;
    std::unique_ptr<TfrmTast> tast_;
    std::unique_ptr<TfrmPunti> punti_;
    std::unique_ptr<TfrmFile> file_;
    std::unique_ptr<TfrmRpl> rpl_;
    std::unique_ptr<TfrmCarta> carta_;
    std::unique_ptr<TfrmInfo> info_;
    std::unique_ptr<TfrmMsgDlg> msgDlg_;
};

/// The program's folders for the running executable: beside it when it can
/// be written and the bundled data is there (a build), else the user's data
/// folder with the bundled data read from the install's share folder.
ProgramFolders RunningProgramFolders();

}  // namespace velmar::ui
