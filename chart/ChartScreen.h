#pragma once
// The chart window's rules that need no window: its menu commands with
// captions, shortcuts and hints, what each key, key press, wheel step and
// tools-panel button does to the view (by the exact modifier state), where
// each floating panel sits, and the window's fixed texts.

#include <optional>
#include <string>
#include <vector>

#include "chart/ChartView.h"
#include "core/Interaction.h"

namespace velmar {

/// The chart window's commands.
enum class ChartCommand {
    Ports,
    Points,
    Velmar,
    Copy,
    Close,
    Labels,
    BrokenLine,
    GreatCircle,
    Graticule,
    Map,
    MapAlways,
    Window,
    PanelCoordinates,
    PanelLimits,
    PanelScale,
    PanelTools,
    PanelsNone,
    PanelsAll,
    PanelsPlace,
    PanelsAuto,
    Guide,
    Tutor,
    About,
};

/// A command as its menu item shows it.
struct ChartCommandInfo {
    ChartCommand command;
    std::string menu;  ///< "&File", "&Vista", "&Quadri", "&Guida"
    std::string caption;
    std::string shortcut;  ///< "F4", "Shift+F10", "Alt+1"; empty for none
    std::string menuName;  ///< "mnuV_Dic"; empty for the items that have no name
    std::string hint;
    bool checkable = false;
    bool separatorAfter = false;
};
/// Every command in menu order.
const std::vector<ChartCommandInfo>& ChartCommands();
const ChartCommandInfo& ChartCommandInfoOf(ChartCommand command);

/// "Guida" and "Tutore": the program only names the file.
Message ChartHelpMessage(ChartCommand command);

inline constexpr const char* kChartCaption = "Velmar3: Modulo Carta";
inline constexpr const char* kChartImageHint = "[Click] Raddoppi lo zoom; [Click-Ds] Lo dimezzi";
inline constexpr const char* kPanelTitleHint = "Trascina per spostare; [Click-Ds] Riposizioni";
inline constexpr const char* kPanHint = "Sposti il centro della zona visualizzata";
inline constexpr const char* kZoomInHint = "Ingrandisci";
inline constexpr const char* kZoomOutHint = "Riduci";
inline constexpr const char* kOneToOneHint = "Zoom 100%";
inline constexpr const char* kCornerHint = "Riposizioni il centro della carta";

/// What an input does to the chart.
struct ChartStep {
    enum class Kind {
        Pan,     ///< move the centre by `direction` and `size`
        ZoomIn,  ///< by `size`
        ZoomOut,
        Reset,   ///< "1:1": zoom 100, centred, redrawn
        Corner,  ///< scroll the chart area to its top-left corner; the view is unchanged
    };
    Kind kind = Kind::Pan;
    PanDirection direction = PanDirection::kNorth;
    StepSize size = StepSize::kCoarse;
    friend bool operator==(const ChartStep&, const ChartStep&) = default;
};

/// The modifier keys held, as the rules tell them apart.
struct ChartModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

/// Keys with a key-down rule.
enum class ChartKey { Up, Down, Left, Right, Home, KeypadPlus, KeypadMinus };

/// A typed character: "N", "S", "W", "E" pan coarse, their small letters fine.
std::optional<ChartStep> ChartCharacterStep(char typed);
/// A key going down: arrows pan, "Home" resets or goes to the corner, the
/// keypad's plus and minus zoom; only with no modifier or with Ctrl alone.
std::optional<ChartStep> ChartKeyStep(ChartKey key, ChartModifiers modifiers);
/// A wheel step (up away from the user): no modifier pans north/south
/// fine, Ctrl coarse; Shift pans east/west fine, Shift+Ctrl coarse;
/// Shift+Alt zooms fine, Ctrl+Alt coarse. Any other state does nothing.
std::optional<ChartStep> ChartWheelStep(bool up, ChartModifiers modifiers);

/// The tools panel's buttons.
enum class ChartTool { Plus, Minus, North, South, West, East };
/// A button of the tools panel pressed with the left (coarse) or the right
/// (fine) mouse button; other buttons do nothing.
std::optional<ChartStep> ChartToolStep(ChartTool tool, bool left, bool right);

/// Applies a step to the view: true when the picture must be redrawn
/// (always for Reset, never for Corner, which only scrolls).
bool ApplyChartStep(ChartView& view, const ChartStep& step);

/// The four floating panels, in the order of their tags.
enum class ChartPanel { Coordinates, Limits, Scale, Tools };
inline constexpr int kChartPanelCount = 4;

/// A panel's corner in the chart area: coordinates top-left (tw, th),
/// limits top-right, scale bottom-right, tools bottom-left (tw from the
/// left). `areaWidth`, `areaHeight` are the chart area's client size; tw,
/// th the width of "00dN" and the height of "H" in the window's font.
struct PanelPlace {
    int left = 0;
    int top = 0;
    friend bool operator==(const PanelPlace&, const PanelPlace&) = default;
};
PanelPlace PanelCorner(ChartPanel panel, int areaWidth, int areaHeight, int panelWidth,
                       int panelHeight, int tw, int th);

/// Where a shown panel is drawn on the copied picture: coordinates at its
/// place, limits against the right edge at its own height, scale in the
/// bottom-right corner. The tools panel is never copied.
std::optional<PanelPlace> PanelPlaceOnCopy(ChartPanel panel, PanelPlace current, int pictureWidth,
                                           int pictureHeight, int panelWidth, int panelHeight);

}  // namespace velmar
