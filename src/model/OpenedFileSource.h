// A parser input that reads a file already opened by k42::ReadableFile, so the parser never opens a path.
#pragma once

#include <string>

#include <xercesc/sax/InputSource.hpp>

#include "platform/files.h"

namespace k42 {

// The input of one parse. Its system identifier is the file's absolute path, which the parser names in its
// messages and against which it resolves relative schema locations (through our entity resolver, which opens
// them the same way). The file is read once: a second stream from the same source is empty. A source whose
// file could not be opened gives no stream, which the parser reports as a file it cannot open.
class OpenedFileSource : public xercesc::InputSource {
 public:
  OpenedFileSource(ReadableFile file, std::u16string_view path);

  xercesc::BinInputStream* makeStream() const override;
  // The file's size when it was opened (0 when it was not).
  uint64_t Size() const { return m_size; }

 private:
  mutable ReadableFile m_file;
  uint64_t m_size;
};

// Opens path for the parser. A missing or unreadable file still gives a source, which the parser then reports
// as it reports any file it cannot open. Something that is not a regular file (a directory, a named pipe, a
// device) gives null, and reason says why ("not a regular file (a named pipe)").
OpenedFileSource* OpenForParser(std::u16string_view path, std::u16string& reason);

}  // namespace k42
