// A read of one device file that keeps every element with the line and column of its start tag and of
// each attribute, so that findings can point at the text an author wrote; in time linear in the file, and
// stopped at the bounds the component's load has.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace k42 {

struct Position {
  unsigned line = 0;    // 1-based; 0: the file as a whole
  unsigned column = 0;  // 1-based, in characters
};

struct ScannedAttribute {
  std::u16string name;  // qualified, as written
  std::u16string value;
  Position position;       // of the attribute's name
  Position valuePosition;  // of the first character of its value
};

struct ScannedElement {
  std::u16string name;   // qualified, as written
  std::u16string space;  // the namespace the name is in, empty for none
  Position position;     // of the "<" of the start tag
  int parent = -1;       // index in the scan, -1 for the root
  std::vector<ScannedAttribute> attributes;
  std::u16string text;  // the character data directly inside

  const ScannedAttribute* Attribute(std::u16string_view attributeName) const;
};

struct ScanProblem {
  Position position;
  bool fatal = false;  // the file is not well-formed (or could not be read)
  std::string message;
  std::string systemId;  // the file the parser was reading (a schema, for errors in one)
};

// Which of the component's two readers the validation follows.
enum class DeviceFile { kGuiXml, kLocalized };

// The largest file the checker reads: far above real devices, which stay below a few tens of MiB.
constexpr uint64_t kMaxScannedFile = uint64_t{256} << 20;

struct ScannedFile {
  bool opened = false;  // read whole; else failure and reason say why not
  OpenFailure failure = OpenFailure::kMissing;
  std::string reason;                    // "not a regular file (a named pipe)", "larger than N bytes", ...
  std::string text;                      // the file's bytes, which every read of it parses
  std::u16string systemId;               // its absolute path, against which the schema locations are resolved
  std::vector<ScannedElement> elements;  // in document order
  std::vector<ScanProblem> problems;

  // The nearest enclosing element (itself included) of that name, or -1.
  int Enclosing(int index, std::u16string_view elementName) const;
};

// Reads path without validation: the elements and the well-formedness errors. A document type declaration,
// nesting deeper than kMaxElementDepth and more than kMaxElementAttributes attributes on one element end
// the read with a fatal problem that gives the component's reason.
ScannedFile ScanElements(const std::string& path);

// Parses the scanned file's text again, validating as the component's reader of that file does; only the
// problems are kept.
std::vector<ScanProblem> Validate(const ScannedFile& scan, DeviceFile kind);

}  // namespace k42
