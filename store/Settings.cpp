#include "store/Settings.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <system_error>
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
constexpr std::array<SettingsKey, 14> kKeys = {{
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
    {"Carta", "Mappa sempre", &Settings::mapAlways},
}};

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

// The file's text: empty when there is no file; none when a file is there
// but cannot be read whole (unreadable, not a regular file, too large).
std::optional<std::string> ReadText(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return std::string();
    std::vector<std::uint8_t> bytes;
    if (ReadPrefix(path, kMaxSettingsBytes + 1, bytes) != FileStep::Done ||
        bytes.size() > kMaxSettingsBytes) {
        return std::nullopt;
    }
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
    return Parse(ReadText(SettingsPath(folder)).value_or(std::string()));
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
    // What an existing file holds besides the marks is kept; a file that
    // cannot be read whole is left alone rather than replaced by less.
    const std::optional<std::string> existing = ReadText(path);
    if (!existing) return false;
    const std::string text = Merge(*existing);
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
