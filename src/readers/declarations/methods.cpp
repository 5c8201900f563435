// Reader of "MET_DEC" and the method record.
#include <memory>

#include "readers/declarations/DeclarationReader.h"
#include "model/Names.h"
#include "readers/declarations/declaration_list.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"

int k42::DeclarationReader::ParseMetDec(DOMNodeList* list) {
  k42::ReadDeclarations(list, k42::names::kMetId, m_document.Methods(), m_elements, m_texts,
                        [this](DOMNode* node, CDDMethod* method) { ParseMetBody(node->getChildNodes(), method); });
  return 0;
}

int k42::DeclarationReader::ParseMetBody(DOMNodeList* children, CDDMethod* method) {
  if (method == nullptr) return 0;
  k42::ForEachChild(children, [&](DOMNode* child) {
    if (k42::NodeNameIs(child, k42::names::kModifier)) ParseMetModifier(child, method);
    return true;
  });
  return 0;
}

int k42::DeclarationReader::ParseMetModifier(DOMNode* node, CDDMethod* method) {
  if (node == nullptr || method == nullptr) return -1;
  try {
    std::u16string_view text;
    int32_t handling = 0;
    if (k42::GetAttribute(node, k42::names::kHandling, text) && k42::HandlingFromKeyword(text, handling)) {
      method->SetHandling(handling);
    }
  } catch (...) {
    return -1;
  }
  return 0;
}
