// The registry-export text format ("Windows Registry Editor Version 5.00") read and written.
//
// What is written (UTF-8, '\n' line ends):
//   Windows Registry Editor Version 5.00
//   <blank line>
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Morvane\EDD]
//   "SwitchOffDeviceHelp"=dword:00000001
//   "Name"="text with \\ and \" escaped"
//   @="the default value"
//   "Data"=hex:01,02,ff
//   "Path"=hex(2):25,00,00,00
//   <blank line>
// Roots in the order HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
// HKEY_USERS, HKEY_CURRENT_CONFIG; below them keys sorted by upper-case name,
// each parent before its subkeys; values in the order they were first set.
// A key gets a section when it has values or no subkeys (keys that only lead
// to deeper sections are implied by them). A REG_SZ value is written as a
// quoted string when its data is a UTF-16 text with exactly one NUL, at the
// end, and no line break; a REG_DWORD of four bytes as dword:; every other
// value as hex: (REG_BINARY) or hex(<type>): with the raw bytes on one line.
//
// What is read: the same, plus a UTF-8 or UTF-16LE byte-order mark, "\r\n"
// line ends, the "REGEDIT4" header, ';' comment lines, leading and trailing
// blanks, and hex data continued over several lines with a trailing '\'.
// A line that is none of these is skipped; so are the values of a section
// whose header is malformed, names an unknown root or nests deeper than
// kMaxKeyDepth. In a quoted text, a backslash before any character other than
// '\' or '"' is kept as it is.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry_tree.h"

namespace k42::registry {

// The first line of every export file.
inline constexpr std::string_view kExportHeader = "Windows Registry Editor Version 5.00";

// Reads a whole export file (its raw bytes); malformed lines are skipped.
Hive ParseExport(std::string_view fileBytes);

// Writes a whole registry in the export format described above.
std::string WriteExport(const Hive& hive);

}  // namespace k42::registry
