#include "chart/ChartScreen.h"

#include <algorithm>

#include "brokenline/PointsScreen.h"
#include "scheme/SchemeScreen.h"

namespace velmar {

const std::vector<ChartCommandInfo>& ChartCommands() {
    using C = ChartCommand;
    static const char* const kPanel = "Visualizzi/Nascondi il quadro corrispondente";
    static const std::vector<ChartCommandInfo> commands = {
        {C::Ports, "&File", "Porti...", "F4", "", "Richiami il modulo Porti"},
        {C::Points, "&File", "Punti...", "F6", "", "Richiami il modulo Punti"},
        {C::Velmar, "&File", "Velmar...", "F8", "", "Richiami il modulo Velmar", false, true},
        {C::Copy, "&File", "&Copia", "Ctrl+C", "", "Copi la carta negli appunti", false, true},
        {C::Close, "&File", "Chiudi", "Ctrl+F4", "", "Chiudi il modulo carta"},
        {C::Labels, "&Vista", "Diciture", "F3", "mnuV_Dic",
         "Visualizzi/Nascondi diciture sulla carta", true},
        {C::BrokenLine, "&Vista", "Spezzata", "F5", "mnuV_Spe",
         "Visualizzi/Nascondi i punti della spezzata", true},
        {C::GreatCircle, "&Vista", "Ortodromia", "F7", "mnuV_Ort",
         "Visualizzi/Nascondi l'ortodromia (le ortodromie tangenti)", true},
        {C::Graticule, "&Vista", "Reticolo", "F9", "mnuV_Mer",
         "Visualizzi/Nascondi il reticolo di mercatore", true, true},
        {C::Map, "&Vista", "Mappa", "F12", "mnuV_Map", "Disegni una mappa del mondo"},
        {C::MapAlways, "&Vista", "Mappa sempre", "Shift+F12", "mnuV_MapS",
         "Disegni la mappa del mondo a ogni ridisegno della carta", true, true},
        {C::Window, "&Vista", "Finestra", "F2", "", "Ripristini la finestra a tutto schermo"},
        {C::PanelCoordinates, "&Quadri", "&1 Coordinate", "Alt+1", "mnuQ_Coo", kPanel, true},
        {C::PanelLimits, "&Quadri", "&2 Limiti", "Alt+2", "mnuQ_Lim", kPanel, true},
        {C::PanelScale, "&Quadri", "&3 Scale", "Alt+3", "mnuQ_Sca", kPanel, true},
        {C::PanelTools, "&Quadri", "&4 Strumenti", "Alt+4", "mnuQ_Str", kPanel, true, true},
        {C::PanelsNone, "&Quadri", "Nessuno", "F10", "", "Nascondi tutti i quadri"},
        {C::PanelsAll, "&Quadri", "Tutti", "Shift+F10", "", "Visualizzi tutti i quadri", false,
         true},
        {C::PanelsPlace, "&Quadri", "Posiziona", "Ctrl+F10", "",
         "Posizioni i quadri visibili nei rispettivi angoli"},
        {C::PanelsAuto, "&Quadri", "Auto", "Alt+F10", "mnuQ_Aut",
         "Posizioni i quadri visibili quando ridimensioni la finestra", true},
        {C::Guide, "&Guida", "Guida", "Ctrl+F1", "", CommandInfo(SchemeCommand::Guide).hint},
        {C::Tutor, "&Guida", "Tutore", "", "", CommandInfo(SchemeCommand::Tutor).hint, false, true},
        {C::About, "&Guida", "Info sul &Modulo", "Ctrl+M", "",
         CommandInfo(SchemeCommand::About).hint},
    };
    return commands;
}

const ChartCommandInfo& ChartCommandInfoOf(ChartCommand command) {
    const auto& all = ChartCommands();
    return *std::find_if(all.begin(), all.end(),
                         [command](const ChartCommandInfo& i) { return i.command == command; });
}

Message ChartHelpMessage(ChartCommand command) {
    // The chart names the help files as the points window does.
    return PointsHelpMessage(command == ChartCommand::Tutor ? PointsCommand::Tutor
                                                            : PointsCommand::Guide);
}

namespace {

using Kind = ChartStep::Kind;

constexpr ChartStep Pan(PanDirection direction, StepSize size) {
    return {Kind::Pan, direction, size};
}
constexpr ChartStep Zoom(bool in, StepSize size) {
    return {in ? Kind::ZoomIn : Kind::ZoomOut, PanDirection::kNorth, size};
}

}  // namespace

std::optional<ChartStep> ChartCharacterStep(char typed) {
    const StepSize size = typed >= 'a' ? StepSize::kFine : StepSize::kCoarse;
    switch (typed) {
        case 'N':
        case 'n':
            return Pan(PanDirection::kNorth, size);
        case 'S':
        case 's':
            return Pan(PanDirection::kSouth, size);
        case 'W':
        case 'w':
            return Pan(PanDirection::kWest, size);
        case 'E':
        case 'e':
            return Pan(PanDirection::kEast, size);
        default:
            return std::nullopt;
    }
}

std::optional<ChartStep> ChartKeyStep(ChartKey key, ChartModifiers modifiers) {
    if (modifiers.shift || modifiers.alt) return std::nullopt;
    const bool ctrl = modifiers.ctrl;
    const StepSize size = ctrl ? StepSize::kCoarse : StepSize::kFine;
    switch (key) {
        case ChartKey::Up:
            return Pan(PanDirection::kNorth, size);
        case ChartKey::Down:
            return Pan(PanDirection::kSouth, size);
        case ChartKey::Left:
            return Pan(PanDirection::kWest, size);
        case ChartKey::Right:
            return Pan(PanDirection::kEast, size);
        case ChartKey::Home:
            return ChartStep{ctrl ? Kind::Corner : Kind::Reset};
        case ChartKey::KeypadPlus:
            return Zoom(true, size);
        case ChartKey::KeypadMinus:
            return Zoom(false, size);
    }
    return std::nullopt;
}

std::optional<ChartStep> ChartWheelStep(bool up, ChartModifiers m) {
    const auto vertical = up ? PanDirection::kNorth : PanDirection::kSouth;
    const auto horizontal = up ? PanDirection::kEast : PanDirection::kWest;
    if (!m.shift && !m.alt) return Pan(vertical, m.ctrl ? StepSize::kCoarse : StepSize::kFine);
    if (m.shift && !m.alt) return Pan(horizontal, m.ctrl ? StepSize::kCoarse : StepSize::kFine);
    if (m.shift && m.alt && !m.ctrl) return Zoom(up, StepSize::kFine);
    if (m.ctrl && m.alt && !m.shift) return Zoom(up, StepSize::kCoarse);
    return std::nullopt;
}

std::optional<ChartStep> ChartToolStep(ChartTool tool, bool left, bool right) {
    if (!left && !right) return std::nullopt;
    const StepSize size = left ? StepSize::kCoarse : StepSize::kFine;
    switch (tool) {
        case ChartTool::Plus:
            return Zoom(true, size);
        case ChartTool::Minus:
            return Zoom(false, size);
        case ChartTool::North:
            return Pan(PanDirection::kNorth, size);
        case ChartTool::South:
            return Pan(PanDirection::kSouth, size);
        case ChartTool::West:
            return Pan(PanDirection::kWest, size);
        case ChartTool::East:
            return Pan(PanDirection::kEast, size);
    }
    return std::nullopt;
}

bool ApplyChartStep(ChartView& view, const ChartStep& step) {
    switch (step.kind) {
        case Kind::Pan:
            return view.Pan(step.direction, step.size);
        case Kind::ZoomIn:
            return view.ZoomIn(step.size);
        case Kind::ZoomOut:
            return view.ZoomOut(step.size);
        case Kind::Reset:
            view.Reset();
            return true;
        case Kind::Corner:
            return false;
    }
    return false;
}

PanelPlace PanelCorner(ChartPanel panel, int areaWidth, int areaHeight, int panelWidth,
                       int panelHeight, int tw, int th) {
    switch (panel) {
        case ChartPanel::Coordinates:
            return {tw, th};
        case ChartPanel::Limits:
            return {areaWidth - panelWidth, th};
        case ChartPanel::Scale:
            return {areaWidth - panelWidth, areaHeight - panelHeight};
        case ChartPanel::Tools:
            return {tw, areaHeight - panelHeight};
    }
    return {};
}

std::optional<PanelPlace> PanelPlaceOnCopy(ChartPanel panel, PanelPlace current, int pictureWidth,
                                           int pictureHeight, int panelWidth, int panelHeight) {
    switch (panel) {
        case ChartPanel::Coordinates:
            return current;
        case ChartPanel::Limits:
            return PanelPlace{pictureWidth - panelWidth, current.top};
        case ChartPanel::Scale:
            return PanelPlace{pictureWidth - panelWidth, pictureHeight - panelHeight};
        case ChartPanel::Tools:
            break;
    }
    return std::nullopt;
}

}  // namespace velmar
