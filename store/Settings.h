#pragma once
// The settings file "VELMAR3.INI": the check marks of the optional bars,
// panels and chart layers of the three main windows, in three sections.

#include <array>
#include <string>
#include <string_view>

#include "core/Interaction.h"

namespace velmar {

inline constexpr std::string_view kSettingsFileName = "VELMAR3.INI";

/// The fourteen check marks; every one but "Mappa sempre" defaults to checked.
struct Settings {
    // Section "Velmar": the scheme window.
    bool icons = true;         ///< "Icone": the icon bar
    bool schemeStatus = true;  ///< "Status": the status bar
    // Section "Punti": the points window.
    bool recall = true;        ///< "Richiamo": the recall bar
    bool pointsStatus = true;  ///< "Status": the status bar
    // Section "Carta": the chart window.
    bool labels = true;            ///< "Diciture"
    bool brokenLine = true;        ///< "Spezzata"
    bool greatCircle = true;       ///< "Ortodromia"
    bool graticule = true;         ///< "Reticolo"
    bool coordinatesPanel = true;  ///< "Quadro coordinate"
    bool limitsPanel = true;       ///< "Quadro limiti"
    bool scalesPanel = true;       ///< "Quadro scale"
    bool toolsPanel = true;        ///< "Quadro strumenti"
    bool autoPanels = true;        ///< "Auto"
    /// "Mappa sempre": every redraw of the chart draws the coastline too.
    /// Unchecked by default, so that a redraw shows the bare chart until the
    /// navigator asks for the map.
    bool mapAlways = false;

    friend bool operator==(const Settings&, const Settings&) = default;

    /// Reads the file in `folder`. Never fails: a missing or unreadable file,
    /// a missing key or a value that is not a whole number leaves the mark
    /// checked; 0 clears it, any other number sets it.
    static Settings Read(const std::string& folder);
    /// The same, from the text of a file.
    static Settings Parse(std::string_view text);

    /// Writes the fourteen keys into the file in `folder`, keeping whatever
    /// else an existing file holds (other sections, keys, comments). The file
    /// is replaced whole through a temporary, so a failed write leaves the old
    /// one. False on failure, and when an existing file cannot be read whole
    /// (it is then left as it is).
    bool Write(const std::string& folder) const;
    /// As Write, and on failure shows the message "Errore nella scrittura del
    /// file." naming the file's full path.
    bool Write(const std::string& folder, MessageSink& messages) const;

    /// `existing` (the old file's text, possibly empty) with the fourteen keys set.
    std::string Merge(std::string_view existing) const;
};

/// The full path of the settings file in `folder`.
std::string SettingsPath(const std::string& folder);

}  // namespace velmar
