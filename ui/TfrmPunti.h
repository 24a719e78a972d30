#pragma once
// The points window: the broken line point by point with its legs, the
// recall bar with the route facts, the status bar with the method and its
// spacing, and the menus that choose the method, set the spacing and copy
// the list. Every text and rule comes from the broken-line domain; the
// window recomputes the line when it becomes active.

#include <QMainWindow>
#include <array>
#include <map>
#include <string>

#include "brokenline/PointsScreen.h"
#include "chart/PlanDocument.h"
#include "scheme/session/Session.h"
#include "store/Settings.h"
#include "ui/ActivationRecompute.h"

class QAction;
class QHeaderView;
class QLabel;
class QListWidget;

namespace velmar::ui {

class TfrmPunti : public QMainWindow {
    Q_OBJECT

  public:
    /// `mainWindow` gives the layout its width (its scheme panel) and height.
    TfrmPunti(Session& session, Settings& settings, QWidget* mainWindow = nullptr);

    /// Runs a menu command.
    void Run(PointsCommand command);
    /// The activation's recompute, subject to the activation gate.
    void Activated();
    /// The columns' widths from the list's font; the list is redrawn.
    void ArrangeColumns();
    /// "Finestra": width of the scheme panel, the height the main window
    /// leaves, at the screen's top right corner.
    void Arrange();
    /// The recall and status bars as their ticks say.
    void ApplyBars();
    /// The status bar's hint section.
    void SetHint(const QString& text);
    /// Shows the texts of the last successful recompute.
    void Refresh();

    /// The folder the plan's chart reads the world map files from; until
    /// set, the running program's bundled data folder.
    void SetMapFolder(std::string folder) { mapFolder_ = std::move(folder); }

    QAction* Action(PointsCommand command) const { return actions_.at(command); }
    QListWidget* List() const { return lstPunti_; }
    QHeaderView* Header() const { return hhPunti_; }
    QLabel* RecallSection(int i) const { return recall_[i]; }
    QLabel* StatusSection(int i) const { return status_[i]; }
    /// Recomputes run on activation so far.
    int Recomputes() const { return recomputes_; }

  signals:
    void velmarRequested();
    void chartRequested();
    void summaryRequested();
    void aboutRequested();

  protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class LineDelegate;

    void BuildMenus();
    QWidget* BuildBar(const char* name, const char* hint, QLabel** sections, int count);
    void Copy(bool all);
    /// The file a plan or an export goes to, from the save dialog; empty
    /// when the user cancelled.
    QString AskFileName(PointsCommand command);
    /// "Piano di navigazione...", "Esporta GPX...", "Esporta RTZ...".
    void WriteFileCommand(PointsCommand command);
    /// "Stampa piano...": the platform's print dialog, then the plan.
    void PrintPlan();
    /// The plan of the line on screen, printed now.
    PlanDocument MakePlan() const;
    /// Runs a domain call that may open the window's own dialogs.
    template <typename F>
    void Busy(F&& call);

    Session& session_;
    Settings& settings_;
    QWidget* mainWindow_;
    ActivationRecompute activation_;
    int recomputes_ = 0;
    std::string mapFolder_;
    QString lastFolder_;

    QWidget* client_ = nullptr;
    QWidget* hhFix_ = nullptr;
    QWidget* hhVar_ = nullptr;
    QHeaderView* hhPunti_ = nullptr;
    QListWidget* lstPunti_ = nullptr;
    std::array<QLabel*, 3> recall_{};
    std::array<QLabel*, 4> status_{};
    std::map<PointsCommand, QAction*> actions_;
};

}  // namespace velmar::ui
