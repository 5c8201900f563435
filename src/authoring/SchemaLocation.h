// The schema a device file's root element names for itself, as the validating parser picks it.
#pragma once

#include <string>

#include "authoring/SourceScan.h"

namespace k42 {

struct SchemaReference {
  const ScannedAttribute* attribute = nullptr;  // the attribute that names it; null: none does
  std::u16string location;                      // as written; empty when no location is given for the root
  std::u16string space;                         // the root element's namespace, empty for none
};

// The parser validates the root element against the grammar of the root's own namespace: the location
// paired with that namespace in xsi:schemaLocation (pairs of namespace and location, in any order and
// number), or xsi:noNamespaceSchemaLocation for a root without namespace. Locations given for other
// namespaces are not the file's schema.
SchemaReference SchemaOf(const ScannedElement& root);

}  // namespace k42
