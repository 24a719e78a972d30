#include "store/Settings.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "store/DurableFile.h"
#include "store/ProfileText.h"

namespace velmar {
namespace {

struct SettingsKey {
    const char* section;
    const char* key;
    bool Settings::*mark;
};

// In the order in which they are read and written.
constexpr std::array<SettingsKey, 13> kKeys = {{
    {"Velmar", "Icone", &Settings::icons},
    {"Velmar", "Status", &Settings::schemeStatus},
    {"Punti", "Richiamo", &Settings::recall},
    {"Punti", "Status", &Settings::pointsStatus},
    {"Carta", "Diciture", &Settings::labels},
    {"Carta", "Spezzata", &Settings::brokenLine},
    {"Carta", "Ortodromia", &Settings::greatCircle},
    {"Carta", "Reticolo", &Settings::graticule},
    {"Carta", "Quadro coordinate", &Settings::coordinatesPanel},
    {"Carta", "Quadro limiti", &Settings::limitsPanel},
    {"Carta", "Quadro scale", &Settings::scalesPanel},
    {"Carta", "Quadro strumenti", &Settings::toolsPanel},
    {"Carta", "Auto", &Settings::autoPanels},
}};

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

std::string ReadText(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (ReadPrefix(path, kMaxSettingsBytes, bytes) != FileStep::Done) return {};
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::string SettingsPath(const std::string& folder) {
    if (folder.empty()) return std::string(kSettingsFileName);
    return (std::filesystem::path(folder) / kSettingsFileName).string();
}

Settings Settings::Parse(std::string_view text) {
    const ProfileText profile = ProfileText::Parse(text);
    Settings settings;
    for (const SettingsKey& entry : kKeys) {
        if (const auto value = profile.Int(entry.section, entry.key)) {
            settings.*entry.mark = *value != 0;
        }
    }
    return settings;
}

Settings Settings::Read(const std::string& folder) {
    return Parse(ReadText(SettingsPath(folder)));
}

std::string Settings::Merge(std::string_view existing) const {
    ProfileText profile = ProfileText::Parse(existing);
    for (const SettingsKey& entry : kKeys) {
        profile.Set(entry.section, entry.key, this->*entry.mark ? "1" : "0");
    }
    return profile.Text();
}

bool Settings::Write(const std::string& folder) const {
    const std::string path = SettingsPath(folder);
    const std::string text = Merge(ReadText(path));
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    return ReplaceFileContents(path, bytes) == FileStep::Done;
}

bool Settings::Write(const std::string& folder, MessageSink& messages) const {
    if (Write(folder)) return true;
    messages.MsgBox(Message{"!", "O", "Velmar3: Impostazioni", SettingsPath(folder),
                            "Errore nella scrittura del file.", ""});
    return false;
}

}  // namespace velmar
