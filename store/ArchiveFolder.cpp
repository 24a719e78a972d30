#include "store/ArchiveFolder.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <set>
#include <system_error>

#include "store/DurableFile.h"
#include "store/SchemeFiles.h"

namespace velmar {

std::string ArchiveFileName(int number) {
    if (number < 1 || number > kArchiveMaxNumber) return {};
    std::string digits = std::to_string(number);
    digits.insert(0, 3 - digits.size(), '0');
    return "VELM-" + digits + ".DAT";
}

bool MatchesArchiveMask(const std::string& fileName) {
    static const std::string kPrefix = "VELM-";
    static const std::string kSuffix = ".DAT";
    if (fileName.size() != kPrefix.size() + 3 + kSuffix.size()) return false;
    const auto sameIgnoringCase = [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) ==
               std::toupper(static_cast<unsigned char>(b));
    };
    return std::equal(kPrefix.begin(), kPrefix.end(), fileName.begin(), sameIgnoringCase) &&
           std::equal(kSuffix.begin(), kSuffix.end(), fileName.end() - 4, sameIgnoringCase);
}

DescriptionPreview ReadDescription(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    const FileStep step = ReadPrefix(path, 1 + kDescriptionBytes, bytes);
    if (step == FileStep::Open) return {PreviewStatus::CannotOpen, {}};
    if (step == FileStep::Close) return {PreviewStatus::CannotClose, {}};
    if (step != FileStep::Done || bytes.size() < 1 + kDescriptionBytes ||
        bytes[0] > kDescriptionBytes) {
        return {PreviewStatus::CannotRead, {}};
    }
    SchemeFileRecord record;
    std::copy(bytes.begin(), bytes.end(), record.bytes.begin());
    return {PreviewStatus::Ok, RecordDescription(record)};
}

std::string PreviewErrorText(PreviewStatus status) {
    switch (status) {
        case PreviewStatus::Ok:
            return {};
        case PreviewStatus::CannotOpen:
            return "Errore nel'apertura del file.";
        case PreviewStatus::CannotRead:
            return "Errore nella lettura del file.";
        case PreviewStatus::CannotClose:
            return "Errore nella chiusura del file.";
    }
    return {};
}

std::vector<ArchiveEntry> ListArchive(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<ArchiveEntry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!MatchesArchiveMask(name) || !it->is_regular_file(typeError)) continue;
        ArchiveEntry entry;
        entry.fileName = name;
        DescriptionPreview preview = ReadDescription(it->path().string());
        entry.readable = preview.status == PreviewStatus::Ok;
        entry.description = std::move(preview.description);
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const ArchiveEntry& a, const ArchiveEntry& b) { return a.fileName < b.fileName; });
    return entries;
}

std::optional<int> NextArchiveNumber(const std::vector<ArchiveEntry>& entries) {
    const int next = static_cast<int>(entries.size()) + 1;
    if (next <= kArchiveMaxNumber) return next;
    std::set<int> used;
    for (const ArchiveEntry& entry : entries) {
        const std::string digits = entry.fileName.substr(5, 3);
        if (std::all_of(digits.begin(), digits.end(),
                        [](unsigned char c) { return std::isdigit(c) != 0; })) {
            used.insert(std::stoi(digits));
        }
    }
    for (int number = 1; number <= kArchiveMaxNumber; ++number) {
        if (!used.contains(number)) return number;
    }
    return std::nullopt;
}

std::string ArchiveWriteName(const std::string& picked, int number,
                             const std::vector<ArchiveEntry>& entries) {
    if (!picked.empty()) return picked;
    if (number >= 1 && number <= kArchiveMaxNumber) return ArchiveFileName(number);
    const std::optional<int> next = NextArchiveNumber(entries);
    return next ? ArchiveFileName(*next) : std::string();
}

}  // namespace velmar
