// Whether a path names something that can be read to its end without waiting for a writer.
#pragma once

#include <string_view>

namespace k42 {

// False for a path that exists but is not a regular file (a named pipe, a device, a directory, or a
// link to one of them): opening a named pipe blocks until a writer appears, which would hang the
// host's thread. True for a regular file and for a path that does not exist, whose reader then
// reports it missing as usual. path is UTF-8 or UTF-16 (the ANSI code page here is UTF-8).
bool IsReadableWithoutWaiting(std::string_view path);
bool IsReadableWithoutWaiting(std::u16string_view path);

}  // namespace k42
