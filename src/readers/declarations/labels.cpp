// Reader of "LABEL_DEC": free-standing labels that other declarations name.
#include "model/DDParserXML.h"
#include "readers/declarations/declaration_list.h"

int CDDParserXML::ParseLabelDec(DOMNodeList* list) {
  k42::ReadDeclarations(list, u"LABEL_ID", m_labels, m_elements, m_texts, [](DOMNode*, CDDElement*) {});
  return 0;
}
