// Reader of "LABEL_DEC": free-standing labels that other declarations name.
#include "readers/declarations/DeclarationReader.h"
#include "model/Names.h"
#include "readers/declarations/declaration_list.h"

int k42::DeclarationReader::ParseLabelDec(DOMNodeList* list) {
  k42::ReadDeclarations(list, k42::names::kLabelId, m_document.Labels(), m_elements, m_texts,
                        [](DOMNode*, CDDElement*) {});
  return 0;
}
