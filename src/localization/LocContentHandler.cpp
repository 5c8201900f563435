// Content handler of the localized-text file: picks the language blocks that
// apply, resolves scopes and identifiers, and lands the texts on the records.
#include "model/DDParserXML.h"
#include "model/Keywords.h"
#include "model/LoadBounds.h"

#include <new>

#include <k42gui/IGuiXmlModel.h>

namespace {

// The attribute's text as the reader holds it (valid during the callback), empty when absent.
std::u16string_view Attribute(const xercesc::Attributes& attributes, const char16_t* name) {
  const XMLCh* value = attributes.getValue(name);
  return value != nullptr ? std::u16string_view(value) : std::u16string_view();
}

// "ANCHORS" keyword to its anchor kind; other values leave anchor unchanged.
void SetAnchorKind(std::u16string_view keyword, int32_t& anchor) {
  k42::KeywordToValue(k42::KeywordTable::kHelpAnchors, keyword, anchor);
}

}  // namespace

void CDDParserXML::startDocument() {}
void CDDParserXML::endDocument() {}
void CDDParserXML::ignorableWhitespace(const XMLCh*, const XMLSize_t) {}
void CDDParserXML::processingInstruction(const XMLCh*, const XMLCh*) {}

void CDDParserXML::startElement(const XMLCh*, const XMLCh* localname, const XMLCh*,
                                const xercesc::Attributes& attributes) {
  // Stopped before the library's namespace bookkeeping, which walks the element stack for each element,
  // makes deep nesting cost quadratic time.
  if (m_locDepth >= k42::kMaxElementDepth) throw k42::TooDeep();
  ++m_locDepth;
  const std::u16string_view name = localname != nullptr ? localname : u"";

  if (m_locMatched == 0) {
    if (name == u"LANG") {
      if (Attribute(attributes, u"DEFAULT") == u"1" || Attribute(attributes, u"ID") == m_language) {
        m_locMatched = 1;
        m_locState = 1;
      }
    } else if (name == u"LANGUAGE_SUPPORT") {
      m_locState = 0;
    }
    return;
  }
  if (m_locSkip != 0) {
    return;
  }

  if (name == u"SCOPE") {
    m_locGuiScope = 0;
    const std::u16string_view scope = Attribute(attributes, u"ID");
    if (scope == u"GLOBAL") {
      m_locContext.push_back(&m_elements);
    } else if (scope == u"SDKSTDGUI") {
      m_locContext.push_back(&m_guiLabels);
      m_locGuiScope = 1;
    } else {
      CDDModule* found = FindModule(std::u16string(scope));
      if (found != nullptr)
        m_locContext.push_back(found);
      else
        m_locSkip = 1;
    }
  } else if (name == u"ID") {
    m_locCurrentName.assign(Attribute(attributes, u"NAME"));
    if (m_locContext.empty() || m_locContext.back() == nullptr) {
      return;
    }
    CDDBase* top = m_locContext.back();
    CDDBase* element = top->FindChild(m_locCurrentName);
    // Identifiers are created only in the GUI label dictionary, the one
    // collection that owns its elements; a record it does not take (an
    // empty identifier) is destroyed again.
    if (element == nullptr && m_locGuiScope != 0 && top == &m_guiLabels) {
      try {
        auto created = std::make_unique<CDDElement>();
        created->SetId(m_locCurrentName);
        AdoptGuiLabel(std::move(created));
        element = top->FindChild(m_locCurrentName);
      } catch (const std::bad_alloc&) {
        element = nullptr;
      }
    }
    if (element != nullptr) m_locContext.push_back(element);
  } else if (name == u"LABEL") {
    m_locKey.assign(Attribute(attributes, u"DDSTRING"));
    m_locInLabel = 1;
  } else if (name == u"TOOLTIP") {
    m_locKey.assign(Attribute(attributes, u"DDSTRING"));
    m_locInTooltip = 1;
  } else if (name == u"HELPTOPIC") {
    m_locInHelpTopic = 1;
  } else if (name == u"ENUM") {
    m_locEnumValue.assign(Attribute(attributes, u"ID"));
    m_locInEnum = 1;
    m_locLegend.assign(Attribute(attributes, u"LEGEND"));
    m_locKey.assign(Attribute(attributes, u"DDSTRING"));
  } else if (name == u"HELPFILE") {
    m_dtmHelpFile.assign(Attribute(attributes, u"FREF"));
    SetAnchorKind(Attribute(attributes, u"ANCHORS"), m_dtmHelpAnchor);
  } else if (name == u"UIHELPFILE") {
    m_uiHelpFile.assign(Attribute(attributes, u"FREF"));
    SetAnchorKind(Attribute(attributes, u"ANCHORS"), m_uiHelpAnchor);
  }
}

void CDDParserXML::characters(const XMLCh* chars, const XMLSize_t length) {
  // Collected until the next end tag, whichever element it closes.
  if (m_locSkip == 0 && chars != nullptr) {
    m_locChars.append(chars, length);
  }
}

void CDDParserXML::endElement(const XMLCh*, const XMLCh* localname, const XMLCh*) {
  if (m_locDepth > 0) --m_locDepth;
  ApplyPendingText();
  m_locChars.clear();

  const std::u16string_view name = localname != nullptr ? localname : u"";
  if (name == u"LANGUAGE_SUPPORT") {
    m_locState = 2;
  } else if (name == u"LANG") {
    m_locMatched = 0;
    m_locContext.clear();
    m_locState = 2;
  }
  if (m_locMatched == 0) {
    return;
  }

  if (name == u"SCOPE") {
    if (!m_locContext.empty()) m_locContext.pop_back();
    m_locSkip = 0;
  } else if (name == u"ID") {
    m_locCurrentName.clear();
    if (m_locContext.size() > 1) m_locContext.pop_back();
  } else if (name == u"LABEL") {
    m_locInLabel = 0;
    m_locKey.clear();
  } else if (name == u"TOOLTIP") {
    m_locInTooltip = 0;
    m_locKey.clear();
  } else if (name == u"HELPTOPIC") {
    m_locInHelpTopic = 0;
  } else if (name == u"ENUM") {
    m_locInEnum = 0;
    m_locEnumValue.clear();
    m_locLegend.clear();
    m_locKey.clear();
  }
}

void CDDParserXML::ApplyPendingText() {
  if (m_locState != 1 || m_locContext.empty() ||
      (m_locInLabel == 0 && m_locInTooltip == 0 && m_locInHelpTopic == 0 && m_locInEnum == 0)) {
    return;
  }

  // Below the element chosen by "ID" lies its scope. With the scope alone
  // on the stack the identifier was not found there: the text then goes to
  // that identifier in every collection of the scope list.
  if (m_locContext.size() > 1) {
    ApplyPendingTextTo(m_locContext.back());
    return;
  }
  if (m_locModuleScopesUsable) {
    ApplyPendingTextTo(m_elements.FindChild(m_locCurrentName));
    const auto found = m_locModuleScopes.find(m_locCurrentName);
    if (found != m_locModuleScopes.end()) {
      for (CDDBase* target : found->second) ApplyPendingTextTo(target);
    }
    return;
  }
  for (const auto& scope : m_scopes) {
    if (scope == nullptr) continue;
    if (CDDBase* found = scope->FindChild(m_locCurrentName)) ApplyPendingTextTo(found);
  }
}

void CDDParserXML::IndexModuleScopes(bool build) {
  m_locModuleScopes = {};  // gives the memory back between reads
  m_locModuleScopesUsable = false;
  if (!build || m_scopes.empty() || m_scopes.front() != &m_elements) return;
  try {
    for (size_t i = 1; i < m_scopes.size(); ++i) {
      if (m_scopes[i] == nullptr) continue;
      const auto* module = dynamic_cast<const CDDModule*>(m_scopes[i]);
      if (module == nullptr) {
        m_locModuleScopes = {};
        return;
      }
      // Each identifier is held once per module, so the modules' elements append in scope-list order.
      module->LocalDictionary().ForEach(
          [this](CDDBase& element) { m_locModuleScopes[element.Id()].push_back(&element); });
    }
    m_locModuleScopesUsable = true;
  } catch (const std::bad_alloc&) {
    m_locModuleScopes = {};
  }
}

void CDDParserXML::ApplyPendingTextTo(CDDBase* target) {
  if (target == nullptr) return;
  if (m_locInLabel != 0) {
    target->SetLabel(m_locChars, 0, m_locKey);
  } else if (m_locInTooltip != 0) {
    target->SetTooltip(m_locChars, m_locKey);
  } else if (m_locInHelpTopic != 0) {
    target->SetHelpTopic(m_locChars);
  } else if (!m_locEnumValue.empty()) {
    CDDBase* item =
        m_locKey.empty() ? target->FindChild(m_locEnumValue) : target->FindChildByDdString(m_locEnumValue, m_locKey);
    if (item != nullptr) {
      item->SetLabel(m_locChars, target->NextOrder(), u"");
      item->SetLegend(m_locLegend);
    }
  }
}
