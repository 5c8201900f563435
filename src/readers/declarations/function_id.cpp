// Reader of "FUNCTION_ID": the host's function selects which modules exist
// and whether it works online.
#include <memory>

#include "model/DDParserXML.h"
#include "model/DomUtil.h"
#include "platform/text.h"

int CDDParserXML::ParseFunctionId(DOMNodeList* list, int32_t functionId) {
  k42::ForEachNode(list, [&](DOMNode* node) {
    try {
      std::u16string idText;
      if (!k42::GetAttribute(node, u"ID", idText)) {
        return false;  // an element without "ID" ends the search
      }
      if (k42::LeadingIntegerOf(idText) != functionId) {
        return true;
      }
      m_functionFound = true;
      m_isOnline = 1;
      std::u16string online;
      if (!k42::GetAttribute(node, u"IS_ONLINE", online)) {
        if (functionId == 4) m_isOnline = 0;
      } else if (!ParseBool(online)) {
        m_isOnline = 0;
      }
      ParseFunctionModules(node->getChildNodes());
    } catch (...) {
      // Out of memory while reading the texts: the search ends here.
    }
    return false;  // later elements are not examined
  });
  return 0;
}

int CDDParserXML::ParseFunctionModules(DOMNodeList* children) {
  k42::ForEachChild(children, [this](DOMNode* node) {
    if (!k42::NodeNameIs(node, u"MODULE")) {
      return true;
    }
    try {
      std::u16string reference;
      if (!k42::GetAttribute(node, u"MOD_REF", reference)) return true;
      auto module = std::make_unique<CDDModule>();
      module->SetId(m_texts, reference);
      m_modules.push_back(std::move(module));
      CDDModule* stored = m_modules.back().get();
      m_elements.AddChild(stored);
      m_scopes.push_back(stored);
    } catch (...) {
      return false;  // out of memory: no further modules are created
    }
    return true;
  });
  return 0;
}

// Upper-casing copies the text and may throw; callers read it inside their
// own guard.
bool CDDParserXML::ParseBool(const std::u16string& text) {
  const std::u16string upper = k42::ToUpper(text);
  return !(upper == u"FALSE" || upper == u"0");
}
