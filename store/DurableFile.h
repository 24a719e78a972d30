#pragma once
// File writes that survive a crash: a file is written whole to a temporary
// beside its target, flushed to the disk and then renamed over the target, so
// the target holds either its old bytes or the new ones, never a part.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmar {

/// Where a file operation stopped.
enum class FileStep { Done, Open, Transfer, Close };

/// The temporary a durable write of `target` goes through (same folder).
std::string TemporaryPathFor(const std::string& target);

/// Creates (or truncates) `path`, writes `bytes`, flushes them to the disk and
/// closes it. On failure the partial file is removed.
FileStep WriteFlushed(const std::string& path, std::span<const std::uint8_t> bytes);

/// Renames `from` over `to` (atomically on one file system) and flushes the
/// folder so the rename itself is on the disk.
bool RenameFlushed(const std::string& from, const std::string& to);

/// WriteFlushed to the temporary, then RenameFlushed over `target`; the
/// temporary is removed on failure and `target` keeps its old bytes.
FileStep ReplaceFileContents(const std::string& target, std::span<const std::uint8_t> bytes);

/// Reads up to `count` bytes from the start of `path` into `out` (resized to
/// what was read). Open when the file cannot be opened or is not a regular
/// file, Transfer on a read error.
FileStep ReadPrefix(const std::string& path, std::size_t count, std::vector<std::uint8_t>& out);

}  // namespace velmar
