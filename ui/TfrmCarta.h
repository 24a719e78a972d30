#pragma once
// The chart window: the passage on the Mercator chart in a scrolling area
// over a picture of the screen's size, four floating panels (coordinates,
// limits, scale, tools), the pointer readout, and the keys, wheel and mouse
// that zoom and pan. Every rule, text and figure comes from the chart
// domain; the window recomputes the marks when it becomes active.

#include <QImage>
#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "brokenline/PointsScreen.h"
#include "chart/ChartDrawing.h"
#include "chart/ChartScreen.h"
#include "chart/WorldMap.h"
#include "scheme/session/Session.h"
#include "store/Settings.h"
#include "ui/ActivationRecompute.h"

class QAction;
class QFrame;
class QLabel;
class QScrollArea;
class QToolButton;

namespace velmar::ui {

class TfrmCarta : public QMainWindow {
    Q_OBJECT

  public:
    /// `mapFolder` holds the world map files. The picture is the screen's
    /// size unless `picture` gives one (for tests and benchmarks).
    TfrmCarta(Session& session, Settings& settings, std::string mapFolder, QSize picture = {});
    ~TfrmCarta() override;

    /// Runs a menu command.
    void Run(ChartCommand command);
    /// Recomputes the marks from the scheme and the broken line, fills the
    /// coordinates panel and redraws (the view is reset first when the
    /// scheme is unsaved).
    void ActivateChart();
    /// The activation's recompute, subject to the activation gate.
    void Activated();
    /// Redraws the whole picture for the view (the map too with "Mappa
    /// sempre") and refreshes the shown limits and scale panels.
    void Redraw();
    /// Applies an input's step: the view changes and the picture is redrawn,
    /// or the chart area scrolls to its corner.
    void Step(const ChartStep& step);
    /// The four panels and the menu's check marks as the settings say.
    void ApplyPanels();
    /// "Posiziona": the four panels in their corners, shown or hidden.
    void PlacePanels();
    /// "Finestra": at the screen's top-left corner with its full size.
    void Arrange();
    /// The "Hint" menu's caption.
    void SetHint(const QString& text);
    /// The picture "&Copia" puts on the clipboard.
    QImage CopyPicture() const;

    const ChartView& View() const { return view_; }
    ChartView& View() { return view_; }
    const QImage& Picture() const { return picture_; }
    QAction* Action(ChartCommand command) const { return actions_.at(command); }
    QAction* HintItem() const { return mnuHint_; }
    QFrame* Panel(ChartPanel panel) const { return panels_[static_cast<int>(panel)]; }
    QScrollArea* ChartArea() const { return sbChart_; }
    QWidget* Image() const;
    QLabel* Readout() const { return lblCursor_; }
    /// Map files actually read so far (the map is kept for the run).
    int MapReads() const { return mapCache_.Reads(); }

  signals:
    void portsRequested();
    void pointsRequested();
    void velmarRequested();
    void aboutRequested();

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class ChartImage;
    class KeyFirst;
    struct PanelDrag {
        QFrame* panel = nullptr;
        QPoint grab;  ///< the pointer's offset inside the panel
    };

    void BuildMenus();
    void BuildPanels();
    QFrame* NewPanel(ChartPanel panel, const char* name, const char* titleName, bool white);
    QLabel* NewText(QFrame* panel, const char* name, const QString& text);
    void FillLimits();
    void FillScale();
    void ShowPanel(ChartPanel panel, bool shown);
    void PlacePanel(ChartPanel panel);
    /// "Mappa": the coastline over the current picture, with its messages.
    void DrawMap();
    /// The kept map for the chart's meridian, read if needed; messages go to
    /// `sink`.
    const WorldMap* KeptMap(MessageSink& sink);
    bool HandleKey(const QKeyEvent& event);
    bool HandleWheel(const QWheelEvent& event);
    bool HandlePanelMouse(QFrame* panel, bool title, const QMouseEvent& event);
    void MovePointer(const QPoint& imagePos);

    Session& session_;
    Settings& settings_;
    std::string mapFolder_;
    ChartView view_;
    ChartMarks marks_;
    QImage picture_;
    WorldMapCache mapCache_;
    ActivationRecompute activation_;
    int wheelRest_ = 0;
    int tw_ = 0;
    int th_ = 0;
    PanelDrag drag_;

    QScrollArea* sbChart_ = nullptr;
    ChartImage* imgC_ = nullptr;
    QLabel* lblCursor_ = nullptr;
    std::array<QFrame*, kChartPanelCount> panels_{};
    std::map<std::string, QLabel*> texts_;
    std::map<QObject*, ChartTool> tools_;
    QToolButton* hsCar_ = nullptr;
    QToolButton* hsLaLo_ = nullptr;
    std::map<ChartCommand, QAction*> actions_;
    QAction* mnuHint_ = nullptr;
    std::unique_ptr<KeyFirst> keyFirst_;
};

}  // namespace velmar::ui
