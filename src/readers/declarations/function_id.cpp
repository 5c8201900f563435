// Reader of "FUNCTION_ID": the host's function selects which modules exist
// and whether it works online.
#include <memory>

#include "readers/declarations/DeclarationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"
#include "platform/text.h"

int k42::DeclarationReader::ParseFunctionId(DOMNodeList* list, int32_t functionId) {
  k42::ForEachNode(list, [&](DOMNode* node) {
    try {
      std::u16string idText;
      if (!k42::GetAttribute(node, k42::names::kId, idText)) {
        return false;  // an element without "ID" ends the search
      }
      if (k42::LeadingIntegerOf(idText) != functionId) {
        return true;
      }
      m_document.SetFunctionFound();
      m_document.SetOnline(1);
      std::u16string online;
      if (!k42::GetAttribute(node, k42::names::kIsOnline, online)) {
        if (functionId == 4) m_document.SetOnline(0);
      } else if (!k42::FlagFromText(online)) {
        m_document.SetOnline(0);
      }
      ParseFunctionModules(node->getChildNodes());
    } catch (...) {
      // Out of memory while reading the texts: the search ends here.
    }
    return false;  // later elements are not examined
  });
  return 0;
}

int k42::DeclarationReader::ParseFunctionModules(DOMNodeList* children) {
  k42::ForEachChild(children, [this](DOMNode* node) {
    if (!k42::NodeNameIs(node, k42::names::kModule)) {
      return true;
    }
    try {
      std::u16string reference;
      if (!k42::GetAttribute(node, k42::names::kModRef, reference)) return true;
      auto module = std::make_unique<CDDModule>();
      module->SetId(m_texts, reference);
      m_document.Modules().push_back(std::move(module));
      CDDModule* stored = m_document.Modules().back().get();
      m_elements.AddChild(stored);
      m_document.ScopeList().push_back(stored);
    } catch (...) {
      return false;  // out of memory: no further modules are created
    }
    return true;
  });
  return 0;
}
