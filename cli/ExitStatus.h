#pragma once
// The exit statuses of velmar-cli.

namespace velmar::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFile = 1;     ///< a scheme pair could not be read or written
inline constexpr int kExitRefused = 2;  ///< an entry was refused
inline constexpr int kExitUsage = 64;   ///< a malformed argument

}  // namespace velmar::cli
