// The localized-file reader's callbacks: resolves scopes and identifiers and lands the texts on the
// document's records, in the SAX2 reader's callbacks, on the caller's thread.
#include "localization/LocTextReader.h"
#include "model/Names.h"

#include "model/LoadBounds.h"
#include "localization/LocElements.h"
#include "model/records/DDVariable.h"

#include <new>

#include <k42gui/IGuiXmlModel.h>

namespace k42 {

namespace {

// Most DD strings and legends are absent, and so is the value they replace: then nothing is copied.
void AssignValue(std::u16string& to, std::u16string_view from) {
  if (!to.empty() || !from.empty()) to.assign(from);
}

}  // namespace

LocTextReader::LocTextReader(CDDDocument& document, std::u16string language)
    : m_document(document),
      m_texts(document.Texts()),
      m_elements(document.ElementDictionary()),
      m_guiLabels(document.GuiLabelDictionary()),
      m_scopes(document.ScopeList()),
      m_language(std::move(language)),
      m_memo(LocReadMemoOf(document)),
      m_trail(m_memo.order),
      m_textTrail(m_texts, m_memo.texts) {}

void LocTextReader::Finish() {
  m_trail.Keep();
  m_textTrail.Keep();
}

LocTextReader::~LocTextReader() = default;

void LocTextReader::StartElement(const XMLCh* localname, const xercesc::Attributes& attributes) {
  // Stopped before the library's namespace bookkeeping, which walks the element stack for each element,
  // makes deep nesting cost quadratic time.
  if (m_locDepth >= kMaxElementDepth) throw TooDeep();
  ++m_locDepth;
  LocStart(localname, attributes);
}

void LocTextReader::Characters(const XMLCh* chars, XMLSize_t length) {
  // Collected until the next end tag, whichever element it closes.
  if (m_locSkip == 0 && chars != nullptr) {
    m_locChars.append(chars, length);
    // The text is usually complete here and interned at the end tag: unless the previous read's entry is
    // tried first, its slot of the pool's table starts loading while the parser reads that tag.
    if (m_locState == 1 && (m_locInLabel | m_locInTooltip | m_locInHelpTopic) != 0 && !m_textTrail.HasGuess())
      m_texts.Prefetch(m_locChars);
  }
}

void LocTextReader::EndElement(const XMLCh* localname) {
  if (m_locDepth > 0) --m_locDepth;
  LocEnd(localname);
}

void LocTextReader::LocStart(const XMLCh* localname, const xercesc::Attributes& attributes) {
  const std::u16string_view name = localname != nullptr ? localname : u"";
  std::u16string_view values[kLocAttributes];
  if (m_locMatched == 0) {
    if (!MayBeLanguageElement(name)) return;
    const LocElement element = LocElementNamed(name);
    if (element == LocElement::kLang) {
      ReadLocAttributes(element, attributes, values);
      // The default language's block applies, and so does the block of the language asked for.
      if (values[0] == u"1" || values[1] == m_language) {
        m_locMatched = 1;
        m_locState = 1;
        m_textTrail.EnterBlock(values[1]);
      }
    } else if (element == LocElement::kLanguageSupport) {
      m_locState = 0;
    }
    return;
  }
  if (m_locSkip != 0) return;
  const LocElement element = LocElementNamed(name);
  if (element == LocElement::kOther) return;
  ReadLocAttributes(element, attributes, values);
  ApplyLocStart(element, values);
}

void LocTextReader::LocEnd(const XMLCh* localname) {
  const std::u16string_view name = localname != nullptr ? localname : u"";
  if (m_locMatched == 0 && !MayBeLanguageElement(name)) {
    // Outside a block that applies no text is pending and no state depends on other elements.
    m_locChars.clear();
    return;
  }
  ApplyLocEnd(LocElementNamed(name));
}

void LocTextReader::ApplyLocStart(LocElement element, const std::u16string_view* attributes) {
  switch (element) {
    case LocElement::kScope: {
      m_locGuiScope = 0;
      const std::u16string_view scope = attributes[0];
      if (scope == locnames::kGlobalScope) {
        m_locContext.push_back(&m_elements);
      } else if (scope == locnames::kBuiltinScope) {
        m_locContext.push_back(&m_guiLabels);
        m_locGuiScope = 1;
      } else {
        CDDModule* found = m_document.FindModule(std::u16string(scope));
        if (found != nullptr)
          m_locContext.push_back(found);
        else
          m_locSkip = 1;
      }
      if (m_locSkip == 0 && m_locContext.size() == 1) m_trail.EnterScope(m_locContext.back());
      break;
    }
    case LocElement::kId: {
      m_locCurrentName.assign(attributes[0]);
      if (m_locContext.empty() || m_locContext.back() == nullptr) {
        return;
      }
      CDDBase* top = m_locContext.back();
      CDDBase* found = nullptr;
      if (m_locContext.size() == 1) {
        found = m_trail.Guess(m_locCurrentName);
        if (found == nullptr) found = FindOrCreate(top, m_locCurrentName);
        m_trail.Met(found);
      } else {
        found = FindOrCreate(top, m_locCurrentName);
      }
      if (found != nullptr) m_locContext.push_back(found);
      break;
    }
    case LocElement::kLabel:
      AssignValue(m_locKey, attributes[0]);
      m_locInLabel = 1;
      break;
    case LocElement::kTooltip:
      AssignValue(m_locKey, attributes[0]);
      m_locInTooltip = 1;
      break;
    case LocElement::kHelpTopic:
      m_locInHelpTopic = 1;
      break;
    case LocElement::kEnum:
      m_locEnumValue.assign(attributes[0]);
      m_locInEnum = 1;
      AssignValue(m_locLegend, attributes[1]);
      AssignValue(m_locKey, attributes[2]);
      break;
    case LocElement::kHelpFile:
      m_document.SetHelpFile(kHELPDTM, attributes[0], attributes[1]);
      break;
    case LocElement::kUiHelpFile:
      m_document.SetHelpFile(kHELPUI, attributes[0], attributes[1]);
      break;
    default:
      break;
  }
}

void LocTextReader::ApplyLocEnd(LocElement element) {
  ApplyPendingText();
  m_locChars.clear();

  if (element == LocElement::kLanguageSupport) {
    m_locState = 2;
  } else if (element == LocElement::kLang) {
    m_locMatched = 0;
    m_locContext.clear();
    m_locState = 2;
  }
  if (m_locMatched == 0) {
    return;
  }

  switch (element) {
    case LocElement::kScope:
      if (!m_locContext.empty()) m_locContext.pop_back();
      m_locSkip = 0;
      break;
    case LocElement::kId:
      m_locCurrentName.clear();
      if (m_locContext.size() > 1) m_locContext.pop_back();
      break;
    case LocElement::kLabel:
      m_locInLabel = 0;
      m_locKey.clear();
      break;
    case LocElement::kTooltip:
      m_locInTooltip = 0;
      m_locKey.clear();
      break;
    case LocElement::kHelpTopic:
      m_locInHelpTopic = 0;
      break;
    case LocElement::kEnum:
      m_locInEnum = 0;
      m_locEnumValue.clear();
      m_locLegend.clear();
      m_locKey.clear();
      break;
    default:
      break;
  }
}

void LocTextReader::ApplyPendingText() {
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
  // Built at the first identifier missing from its scope: most reads have none, and the modules' records
  // do not change during a read (only the GUI label dictionary gains records).
  if (!m_locModuleScopesBuilt) {
    m_locModuleScopesBuilt = true;
    IndexModuleScopes();
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

CDDBase* LocTextReader::FindOrCreate(CDDBase* top, const std::u16string& identifier) {
  CDDBase* found = top->FindChild(identifier);
  // Identifiers are created only in the GUI label dictionary, the one collection that owns its elements; a
  // record it does not take (an empty identifier) is destroyed again.
  if (found != nullptr || m_locGuiScope == 0 || top != &m_guiLabels) return found;
  try {
    auto created = std::make_unique<CDDElement>();
    created->SetId(m_texts, identifier);
    m_locCastFrom = nullptr;  // a record it does not take is destroyed, and its address may come again
    m_locVariableFrom = nullptr;
    m_document.AdoptGuiLabel(std::move(created));
    return top->FindChild(identifier);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void LocTextReader::IndexModuleScopes() {
  if (m_scopes.empty() || m_scopes.front() != &m_elements) return;
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

CDDBase* LocTextReader::FindEnumItem(CDDBase* target, CDDEnumItem*& enumItem) {
  // A variable's items are enumeration items, found in its list without a type check each; its list is what
  // its FindChild asks. A variable's "ENUM" elements come in a row: the target is looked at once.
  if (target != m_locVariableFrom) {
    m_locVariableFrom = target;
    m_locVariable = dynamic_cast<const CDDVariable*>(target);
  }
  if (m_locVariable != nullptr) {
    const CDDEnumItemList& items = m_locVariable->EnumItems();
    enumItem = m_locKey.empty() ? items.Item(m_locEnumValue) : items.ItemByDdString(m_locEnumValue, m_locKey);
    return enumItem;
  }
  return m_locKey.empty() ? target->FindChild(m_locEnumValue) : target->FindChildByDdString(m_locEnumValue, m_locKey);
}

CDDElement* LocTextReader::LocElementOf(CDDBase* target) {
  // An "ID" gives one element several texts in a row: it is looked at once.
  if (target != m_locCastFrom) {
    m_locCastFrom = target;
    m_locCastTo = dynamic_cast<CDDElement*>(target);
  }
  return m_locCastTo;
}

void LocTextReader::ApplyPendingTextTo(CDDBase* target) {
  if (target == nullptr) return;
  // The model's records are elements: their texts are kept in the model's pool, where the texts that repeat
  // (enumeration labels and legends above all) are stored once. Anything else gets the texts to own.
  if (m_locInLabel != 0) {
    if (CDDElement* element = LocElementOf(target))
      element->SetLabel(m_texts, m_textTrail.Make(m_locChars), 0, m_locKey);
    else
      target->SetLabel(m_locChars, 0, m_locKey);
  } else if (m_locInTooltip != 0) {
    if (CDDElement* element = LocElementOf(target))
      element->SetTooltip(m_texts, m_textTrail.Make(m_locChars), m_locKey);
    else
      target->SetTooltip(m_locChars, m_locKey);
  } else if (m_locInHelpTopic != 0) {
    if (CDDElement* element = LocElementOf(target))
      element->SetHelpTopic(m_textTrail.Make(m_locChars));
    else
      target->SetHelpTopic(m_locChars);
  } else if (!m_locEnumValue.empty()) {
    CDDEnumItem* enumItem = nullptr;
    CDDBase* item = FindEnumItem(target, enumItem);
    if (item == nullptr) return;
    const int32_t order = target->NextOrder();
    if (auto* element = enumItem != nullptr ? enumItem : dynamic_cast<CDDElement*>(item)) {
      element->SetLabel(m_texts, m_textTrail.Make(m_locChars), order, u"");
      element->SetLegend(m_textTrail.Make(m_locLegend));
    } else {
      item->SetLabel(m_locChars, order, u"");
      item->SetLegend(m_locLegend);
    }
  }
}

}  // namespace k42
