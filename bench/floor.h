// The floor of a load: bare parses of the two files with the parser settings the component uses.
#pragma once

#include <string>

namespace k42bench {

// Builds the validated document of the GUI XML file (validation always, namespaces, schema, full schema
// checking) and drops it; returns the parser's error count. Needs the XML library initialized.
size_t ParseGuiXmlDom(const std::string& path);

// Reads the localized file with a SAX2 reader of the component's features and a handler that does
// nothing; returns the reader's error count.
size_t ParseLocalizedSax(const std::string& path);

}  // namespace k42bench
