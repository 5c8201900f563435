// One validating SAX2 read of the localized-text file, with the caller's content and error handlers.
//
// Example:
//   if (k42::ReadLocalizedFile(path, &handler, &errors) != k42::kLocReadOk) { /* not (fully) applied */ }
#pragma once

#include <string>

#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax2/ContentHandler.hpp>

namespace k42 {

// Results of ReadLocalizedFile.
enum LocReadResult : int {
  kLocReadOk = 0,
  kLocReadInitFailed = 1,  // the XML library could not be initialized
  kLocReadFailed = 4,      // the reader counted errors, or an external resource had to be refused
};

// Reads path once, from what was opened, bounded in memory, depth and attributes, never reaching the
// network or files the document names. A refusal leaves the document incomplete and reads as a failure.
// Only the library's out-of-memory exception leaves it, when the process itself (not the read's budget)
// is out of memory.
int ReadLocalizedFile(const std::u16string& path, xercesc::ContentHandler* content, xercesc::ErrorHandler* errors);

}  // namespace k42
