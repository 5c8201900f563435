// A streaming read of one device file that keeps every element with the line and column of its start
// tag and of each attribute, so that findings can point at the text an author wrote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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
  std::u16string name;  // qualified, as written
  Position position;    // of the "<" of the start tag
  int parent = -1;      // index in the scan, -1 for the root
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

struct ScannedFile {
  bool opened = false;
  std::vector<ScannedElement> elements;  // in document order
  std::vector<ScanProblem> problems;

  // The nearest enclosing element (itself included) of that name, or -1.
  int Enclosing(int index, std::u16string_view elementName) const;
};

// Reads path without validation: the elements and the well-formedness errors.
ScannedFile ScanElements(const std::string& path);

// Reads path validating as the component's reader of that file does; only the problems are kept.
std::vector<ScanProblem> Validate(const std::string& path, DeviceFile kind);

}  // namespace k42
