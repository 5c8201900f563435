// Reader of "LABEL_DEC": free-standing labels that other declarations name.
#include "readers/declarations/DeclarationReader.h"
#include "readers/declarations/declaration_list.h"

int k42::DeclarationReader::ParseLabelDec(DOMNodeList* list) {
  k42::ReadDeclarations(list, u"LABEL_ID", m_document.Labels(), m_elements, m_texts, [](DOMNode*, CDDElement*) {});
  return 0;
}
