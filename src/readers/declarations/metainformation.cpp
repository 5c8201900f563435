// Reader of "METAINFORMATION": metavariables, supported languages, logos.
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "readers/declarations/DeclarationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"

int k42::DeclarationReader::ParseMetaInformation(DOMNodeList* list) {
  k42::ForEachNode(list, [this](DOMNode* node) {
    ParseMetaChildren(node->getChildNodes());
    return true;
  });
  return 0;
}

int k42::DeclarationReader::ParseMetaChildren(DOMNodeList* children) {
  k42::ForEachChild(children, [this](DOMNode* child) {
    const k42::NodeNameRef name = k42::NodeName(child);
    if (name == k42::names::kAuxFiles) {
      ParseAuxFiles(child);
    } else if (name == k42::names::kLanguageSupport) {
      ParseLanguageSupport(child);
    } else if (name == k42::names::kVariableMeta) {
      try {
        std::u16string id;
        if (!k42::GetAttribute(child, k42::names::kVarId, id)) {
          return false;  // the rest of this "METAINFORMATION" is skipped
        }
        auto variable = std::make_unique<CDDMetaVariable>();
        variable->SetId(m_texts, id);
        ParseVarBody(child->getChildNodes(), variable.get());
        m_document.MetaVariables().push_back(std::move(variable));
        m_elements.AddChild(m_document.MetaVariables().back().get());
      } catch (...) {
        return false;  // dropped, and the rest of this section with it
      }
    }
    return true;
  });
  return 0;
}

int k42::DeclarationReader::ParseLanguageSupport(DOMNode* node) {
  if (node == nullptr) return 0;
  int result = 0;
  k42::ForEachChild(node, [&](DOMNode* child) {
    if (!k42::NodeNameIs(child, k42::names::kLanguage)) return true;
    try {
      auto language = std::make_unique<CDDLanguage>();
      if (ParseLanguage(child, language.get()) == 0) m_document.Languages().push_back(std::move(language));
    } catch (...) {
      result = -1;
      return false;
    }
    return true;
  });
  return result;
}

int k42::DeclarationReader::ParseLanguage(DOMNode* node, CDDLanguage* language) {
  if (node == nullptr || language == nullptr) return -1;
  try {
    std::u16string code;
    std::u16string localLabel;
    if (!k42::GetAttribute(node, k42::names::kRfc1766Acr, code) ||
        !k42::GetAttribute(node, k42::names::kLocalLabel, localLabel)) {
      return -1;
    }
    language->SetCode(std::move(code));
    language->SetLocalLabel(std::move(localLabel));
  } catch (...) {
    return -1;
  }
  return 0;
}

int k42::DeclarationReader::ParseAuxFiles(DOMNode* node) {
  if (node == nullptr) return 0;
  k42::ForEachChild(node, [this](DOMNode* child) {
    if (k42::NodeNameIs(child, k42::names::kLogo)) ParseLogo(child);
    return true;
  });
  return 0;
}

int k42::DeclarationReader::ParseLogo(DOMNode* node) {
  if (node == nullptr) return -1;
  try {
    std::u16string type;
    CDDLogo logo;
    if (!k42::GetAttribute(node, k42::names::kType, type) ||
        !k42::GetAttribute(node, k42::names::kHref, logo.m_reference)) {
      return -1;
    }
    if (!k42::KeywordToValue(k42::KeywordTable::kLogoType, type, logo.m_type)) {
      // A host asks for logos by type and could never ask for this one;
      // listing it under either type would show the wrong picture.
      return -1;
    }
    m_document.Logos().push_back(std::move(logo));
  } catch (...) {
    return -1;
  }
  return 0;
}
