// Where a subcommand writes its result: a file, or standard output for "" and "-"; a failed write is an error.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace inspect {

// Exit code when the output cannot be opened or written (a full disk, a closed pipe's peer aside).
constexpr int kExitWriteError = 74;

// Opens `path`, lets `write` fill it and closes it. On success returns exitCode; when the file
// cannot be created or a write fails (also at the final flush), prints one line naming the file and
// the reason on standard error and returns kExitWriteError. `written`, when given, hears the byte
// count as the text goes out (for a progress display).
int WriteOutput(const std::string& path, int exitCode, const std::function<void(std::ostream&)>& write,
                const std::function<void(uint64_t)>& written = nullptr);

}  // namespace inspect
