// The shape shared by the declaration sections (labels, variables, methods,
// images): one record per element, identifier attribute required, children
// read into the record, storage in a typed list and the element dictionary.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/DDBase.h"
#include "model/DomUtil.h"

namespace k42 {

// Reads every element of list in order into a new Record. An element without
// the identifier attribute ends the section, and so does a failure while a
// record is built (it is dropped): nothing escapes to the section walk.
// Identifiers are kept in texts, the model's pool.
// readBody(node, record) reads the element's children into the record.
template <typename Record, typename ReadBody>
void ReadDeclarations(xercesc::DOMNodeList* list, std::u16string_view idAttribute,
                      std::vector<std::unique_ptr<Record>>& records, CDDElementMap& dictionary, TextPool& texts,
                      ReadBody readBody) {
  ForEachNode(list, [&](xercesc::DOMNode* node) {
    try {
      std::u16string_view id;
      if (!GetAttribute(node, idAttribute, id)) return false;
      auto record = std::make_unique<Record>();
      record->SetId(texts, id);
      readBody(node, record.get());
      records.push_back(std::move(record));
      dictionary.AddChild(records.back().get());
      return true;
    } catch (...) {
      return false;
    }
  });
}

}  // namespace k42
