#pragma once
// What the scheme window shows and decides besides the cells' own texts: the
// cells' captions and click classes, the hints of the values and of the
// passage header, the route facts box, the keyboard's highlight moves and the
// table of the window's commands with their shortcuts and hints. Plain C++:
// the window binds its labels and menu items to these and adds nothing.

#include <optional>
#include <string>
#include <vector>

#include "core/Interaction.h"
#include "scheme/Scheme.h"

namespace velmar {

/// How a cell answers the mouse.
enum class CellClass {
    None,         ///< cell (2,5): no labels at all
    Entry,        ///< the sixteen typed cells: the keypad
    GreatCircle,  ///< Ri, mo and the vertices: the points window
    Method,       ///< the broken-line method: points window and summary
};
CellClass ClassOf(CellRef cell);

/// The short caption on the screen: "Lat", "tf", "del", "Rv", "Metodo"...;
/// empty for cell (2,5).
std::string CellCaption(CellRef cell);

/// The status bar's text for the mouse over a value; nullopt leaves the
/// status bar as it is (a state no cell should hold).
std::optional<std::string> ValueHint(const Scheme& scheme, CellRef cell);

/// The status bar's text for the mouse over the "Percorso" header.
std::string PassageHeaderHint(const Scheme& scheme);

/// The route facts box of a right click on a section header; nullopt
/// (nothing shown) until `Ri` is computed.
std::optional<Message> RouteFactsMessage(const Scheme& scheme);

/// The keys that move the highlight.
enum class HighlightKey { PageUp, PageDown, Home, End, Left, Right, Up, Down };
/// The highlighted cell after a key: groups and cells wrap; cell (2,5) is
/// never reached (3,5 after Right, 1,5 otherwise).
CellRef MoveHighlight(CellRef from, HighlightKey key);

/// Enter on the highlighted cell: the great-circle and method cells of the
/// passage open the points window, every other cell is edited.
bool EnterOpensPoints(CellRef cell);

/// The scheme window's commands.
enum class SchemeCommand {
    Archive, Write, Read, Ports, Points, Chart, Exit,
    Clear, OtherFormats, SystemTime, Window, Copy,
    Icons, Status,
    Guide, Tutor, About,
};

/// A command as its menu item and its icon-bar button show it.
struct SchemeCommandInfo {
    SchemeCommand command;
    std::string menu;      ///< "&File", "Fun&zioni", "&Opzioni", "&Guida"
    std::string caption;   ///< "Archivio...", "&Copia"...
    std::string shortcut;  ///< "F10", "Ctrl+X"; empty for none
    std::string button;    ///< the icon-bar button's name ("hsFile"); empty for none
    std::string menuName;  ///< the menu item's name ("mnuF_Arc")
    std::string hint;      ///< the menu item's hint
    bool separatorAfter = false;
    bool checkable = false;
    /// The button's hint: the key in angle brackets before the hint, for the
    /// commands that have a shortcut.
    std::string ButtonHint() const;
};
/// Every command in menu order.
const std::vector<SchemeCommandInfo>& SchemeCommands();
const SchemeCommandInfo& CommandInfo(SchemeCommand command);

/// The help items' message ("guida.html" or "tutore.html"): the program
/// only names the file.
Message HelpMessage(SchemeCommand command);

/// Hints of the window's other elements.
inline constexpr const char* kNoHint = "Sposta il mouse";
inline constexpr const char* kWindowHint = "[Click] Dimensioni; [Click-Ds] Riposizioni";
inline constexpr const char* kIconBarHint = "Barra delle Icone";
inline constexpr const char* kStatusBarHint = "Barra di stato";
inline constexpr const char* kSchemePanelHint = "[Click] Selezioni tutto lo schema per la copia";
inline constexpr const char* kHeaderHint = "[Click] Selezioni per la copia";

}  // namespace velmar
