#pragma once
// The scheme window, the program's main window: the 24 cells of the scheme
// in their three frames, the icon bar, the status bar and the menus. It
// shows the cells as the scheme tells it (it is the scheme's CellView),
// routes clicks, keys and menu commands to the session, and asks the program
// for the other windows through its signals.

#include <QMainWindow>
#include <array>
#include <map>

#include "scheme/Report.h"
#include "scheme/SchemeScreen.h"
#include "scheme/session/Session.h"
#include "store/Settings.h"

class QAction;
class QFrame;
class QLabel;
class QToolButton;

namespace velmar::ui {

class TfrmVelmar : public QMainWindow, public CellView {
    Q_OBJECT

  public:
    TfrmVelmar(Session& session, Settings& settings, QWidget* parent = nullptr);

    /// The scheme's cell view: the value label's text in its state colour.
    void ShowCell(int group, int cell, int state, const std::string& text) override;

    /// Runs a command of the menus, the icon bar and the shortcuts.
    void Run(SchemeCommand command);
    /// The exit question; tells programEnded when the user lets the program end.
    void ExitProgram();
    /// Sizes the window to its bars and scheme: `fit` gives it the scheme's
    /// width, `corner` moves it to the screen's bottom right corner.
    void Arrange(bool fit, bool corner);
    /// Shows or hides the icon bar and the status bar as the settings say.
    void ApplyBars();
    /// The status bar's hint section.
    void SetHint(const QString& text);
    /// The file name section and the description panel, from the session.
    void RefreshFilePanel();

    CellRef Highlighted() const { return highlighted_; }
    void Highlight(CellRef cell);
    ReportSelection Selection() const;
    /// True once the exit question let the program end.
    bool Ended() const { return ended_; }

    QAction* Action(SchemeCommand command) const { return actions_.at(command); }
    QLabel* ValueLabel(CellRef cell) const { return values_[cell.group][cell.cell]; }
    QLabel* CaptionLabel(CellRef cell) const { return captions_[cell.group][cell.cell]; }
    QLabel* Header(int section) const { return headers_[section]; }

  signals:
    void portsRequested();
    void pointsRequested();
    void chartRequested();
    void archiveRequested();
    void summaryRequested();
    void aboutRequested();
    /// The scheme was cleared: the windows that show the broken line hide.
    void schemeCleared();
    /// The exit question let the program end: the settings are written and
    /// the event loop may end.
    void programEnded();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void BuildIconBar();
    void BuildScheme();
    void BuildStatusBar();
    QLabel* AddLabel(const char* name, const QString& text, int left, int top, double pixels,
                     bool bold = false);

    void EditCell(CellRef cell);
    void OtherFormats();
    void NextHeaderColour(int section);
    void PaintHeader(int section);
    bool CellMouse(QLabel* label, QEvent* event);
    void ToggleBar(SchemeCommand command);

    Session& session_;
    Settings& settings_;
    MessageSink& messages_;

    QWidget* client_ = nullptr;
    QWidget* pnlIco_ = nullptr;
    QWidget* pnlPaPeRa_ = nullptr;
    QWidget* hhSts_ = nullptr;
    QLabel* pnlDesF_ = nullptr;
    std::array<QLabel*, 2> statusSections_{};
    std::array<QLabel*, 3> headers_{};
    std::array<ReportSection, 3> selection_{};
    QLabel* captions_[kGroups][kCellsPerGroup] = {};
    QLabel* values_[kGroups][kCellsPerGroup] = {};
    std::map<SchemeCommand, QAction*> actions_;
    std::map<SchemeCommand, QToolButton*> buttons_;

    CellRef highlighted_ = cells::DepLat;
    /// The modifiers held when each key still down went down: a chord acts
    /// on release with these, whichever key the hand lets go of first, and
    /// a release whose press went to another window does nothing.
    std::map<int, Qt::KeyboardModifiers> pressed_;
    bool ended_ = false;
};

}  // namespace velmar::ui
