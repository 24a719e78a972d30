#include "brokenline/PointsScreen.h"

#include <algorithm>
#include <cstring>

namespace velmar {

const std::vector<PointsCommandInfo>& PointsCommands() {
    using C = PointsCommand;
    static const char* const kSetMethod = "Imposti metodo evidenziato";
    static const std::vector<PointsCommandInfo> commands = {
        {C::Velmar, "&File", "Velmar", "F6", "", "Richiami il modulo Velmar"},
        {C::Chart, "&File", "Carta", "F8", "", "Richiami il modulo Carta", 0, true},
        {C::Plan, "&File", "Piano di navigazione...", "Ctrl+N", "mnuF_Piano",
         "Salvi il piano di navigazione in un file PDF"},
        {C::PrintPlan, "&File", "Stampa piano...", "Shift+Ctrl+P", "mnuF_Stampa",
         "Stampi il piano di navigazione", 0, true},
        {C::ExportGpx, "&File", "Esporta GPX...", "Ctrl+G", "mnuF_Gpx",
         "Esporti la spezzata come rotta GPX per il plotter cartografico"},
        {C::ExportRtz, "&File", "Esporta RTZ...", "Ctrl+T", "mnuF_Rtz",
         "Esporti la spezzata come rotta RTZ per l'ECDIS", 0, true},
        {C::Close, "&File", "Chiudi", "Ctrl+F4", "", "Chiudi il modulo punti"},
        {C::Summary, "Fun&zioni", "Riepilogo...", "F7", "mnuZ_Rpl",
         "Visualizzi finestra con riepilogo spezzata"},
        {C::Window, "Fun&zioni", "Finestra", "F2", "mnuZ_Fin", "Dimensioni e riposizioni finestra",
         0, true},
        {C::CopySelected, "Fun&zioni", "Copia selezionati", "Ctrl+C", "mnuZ_CopiaS",
         "Copi gli elementi selezionati", 1},
        {C::CopyAll, "Fun&zioni", "Copia tutto", "Shift+Ctrl+C", "mnuZ_CopiaT",
         "Copi tutti gli elementi della spezzata", 0},
        {C::Automatic, "&Metodo", "Automatico", "F10", "mnuM_Aut", "Reimposti metodo e parametri",
         0, true},
        {C::Vertex, "&Metodo", "Coordinate del &Vertice", "Ctrl+V", "mnuM_Cov", kSetMethod, 1,
         false, true},
        {C::LimitParallel, "&Metodo", "Parallelo &Limite", "Ctrl+L", "mnuM_Pli", kSetMethod, 2,
         false, true},
        {C::Equation, "&Metodo", "&Equazione del circolo massimo", "Ctrl+E", "mnuM_Ecm", kSetMethod,
         3, false, true},
        {C::Practical, "&Metodo", "&Pratico", "Ctrl+P", "mnuM_Mpr", kSetMethod, 4, false, true},
        {C::NrPt, "&Parametri", "NrPt...", "F3", "mnuP_NrPt", "Imposti il numero dei punti", 1},
        {C::DLonP, "&Parametri", "DLonP...", "F4", "mnuP_DLonP",
         "Imposti la differenza di longitudine tra i punti", 2, true},
        {C::LimitLatitude, "&Parametri", "Latitudine Limite...", "F5", "mnuP_LatLim",
         "Imposti latitudine parallelo limite"},
        {C::Recall, "&Opzioni", "&Richiamo", "Ctrl+R", "mnuZ_Ric",
         "Visualizzi/Nascondi la barra di richiamo", 0, false, true},
        {C::Status, "&Opzioni", "&Status", "Ctrl+S", "mnuZ_Sts",
         "Visualizzi/Nascondi la barra di stato", 0, false, true},
        {C::Guide, "&Guida", "Guida...", "Ctrl+F1", "", ""},
        {C::Tutor, "&Guida", "Tutore...", "", "", "", 0, true},
        {C::About, "&Guida", "Info sul &Modulo..", "Ctrl+M", "", ""},
    };
    return commands;
}

const PointsCommandInfo& PointsCommandInfoOf(PointsCommand command) {
    const auto& all = PointsCommands();
    return *std::find_if(all.begin(), all.end(),
                         [command](const PointsCommandInfo& i) { return i.command == command; });
}

PointsFileDialog PointsFileDialogOf(PointsCommand command) {
    switch (command) {
        case PointsCommand::ExportGpx:
            return {"Esporta la spezzata in GPX", "Rotta GPX (*.gpx)", "spezzata.gpx",
                    "Velmar: Esporta GPX"};
        case PointsCommand::ExportRtz:
            return {"Esporta la spezzata in RTZ", "Rotta RTZ (*.rtz)", "spezzata.rtz",
                    "Velmar: Esporta RTZ"};
        default:
            break;
    }
    return {"Piano di navigazione", "Documento PDF (*.pdf)", "piano-di-navigazione.pdf",
            "Velmar: Piano di navigazione"};
}

Message PointsHelpMessage(PointsCommand command) {
    if (command == PointsCommand::Tutor)
        return {"I",
                "O",
                "Velmar: Tutore",
                "tutore.html",
                "Usa un browser qualunque per aprire il file e consultare il tutore",
                ""};
    return {"I",
            "O",
            "Velmar: Guida",
            "guida.html",
            "Usa un browser qualunque per aprire il file e consultare la guida",
            ""};
}

LineInk InkOf(const std::string& line) {
    if (line.find_first_of("AB") != std::string::npos) return LineInk::Endpoint;
    if (line.find('V') != std::string::npos) return LineInk::Vertex;
    return LineInk::Other;
}

InkRgb RgbOf(LineInk ink) {
    switch (ink) {
        case LineInk::Endpoint:
            return {0, 0, 128};
        case LineInk::Vertex:
            return {0, 0, 255};
        case LineInk::Other:
            break;
    }
    return {128, 0, 0};
}

std::array<std::string, 3> SplitPointLine(const std::string& line) {
    std::array<std::string, 3> parts;
    std::size_t from = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t comma = i + 1 < parts.size() ? line.find(',', from) : std::string::npos;
        parts[i] = line.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return parts;
}

namespace {

// FNV-1a over raw bytes: cheap, and any change of a value or state shows.
struct Fnv {
    std::uint64_t hash = 14695981039346656037ull;
    template <typename T>
    void Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) {
            hash ^= b;
            hash *= 1099511628211ull;
        }
    }
};

}  // namespace

std::uint64_t ActivationFingerprint(const Scheme& scheme, const BrokenLine& line) {
    Fnv f;
    f.Add(scheme.values);
    f.Add(scheme.states);
    for (std::uint8_t b : {line.n, line.vertexIndex, line.spacingChoice, line.practicalChoice})
        f.Add(b);
    for (double d : {line.limitLat, line.dtP, line.dmP, line.totalTime, line.totalDistance})
        f.Add(d);
    return f.hash;
}

}  // namespace velmar
