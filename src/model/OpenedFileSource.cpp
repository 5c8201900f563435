// Feeds the XML library from a file we opened ourselves, after checking what it is.
#include "model/OpenedFileSource.h"

#include <xercesc/util/BinInputStream.hpp>

#include "platform/text.h"

namespace k42 {
namespace {

class OpenedFileStream : public xercesc::BinInputStream {
 public:
  explicit OpenedFileStream(ReadableFile file) : m_file(std::move(file)) {}

  XMLFilePos curPos() const override { return m_position; }

  // A read error ends the input: the parser then reports the document as ending early.
  XMLSize_t readBytes(XMLByte* const toFill, const XMLSize_t maxToRead) override {
    const int64_t n = m_file.Read(toFill, maxToRead);
    if (n <= 0) return 0;
    m_position += static_cast<XMLFilePos>(n);
    return static_cast<XMLSize_t>(n);
  }

  const XMLCh* getContentType() const override { return nullptr; }

 private:
  ReadableFile m_file;
  XMLFilePos m_position = 0;
};

}  // namespace

OpenedFileSource::OpenedFileSource(ReadableFile file, std::u16string_view path)
    : m_file(std::move(file)), m_size(m_file.Size()) {
  setSystemId(AbsolutePath(path).c_str());
}

xercesc::BinInputStream* OpenedFileSource::makeStream() const {
  if (!m_file) return nullptr;
  return new OpenedFileStream(std::move(m_file));
}

OpenedFileSource* OpenForParser(std::u16string_view path, std::u16string& reason) {
  ReadableFile file = ReadableFile::Open(path);
  reason = FromNarrow(file.Reason());
  if (file.Failure() == OpenFailure::kNotRegular || file.Failure() == OpenFailure::kTooLarge) return nullptr;
  return new OpenedFileSource(std::move(file), path);
}

}  // namespace k42
