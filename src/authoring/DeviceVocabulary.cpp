// The device files' vocabulary in the public header's plain terms, built once from the model's own tables.
#include <k42gui/DeviceVocabulary.h>

#include "model/Keywords.h"
#include "model/Vocabulary.h"
#include "platform/utf.h"

namespace k42gui {
namespace {

using k42::Kind;
using k42::Target;

std::string Narrow(std::u16string_view text) { return k42::utf::ToUtf8(text); }

VocabularyReference ToReference(const k42::Reference& reference) {
  VocabularyReference out;
  out.element = Narrow(reference.element);
  out.attribute = Narrow(reference.attribute);
  out.target = std::string(k42::TargetWord(reference.target));
  out.sameModule = reference.target == Target::kDisplay || reference.target == Target::kMenu;
  out.isFile = reference.target == Target::kFile;
  out.condition = Narrow(reference.condition);
  out.conditionKeyword = Narrow(reference.conditionKeyword);
  for (const k42::Declaration& declaration : k42::GuiXmlDeclarations()) {
    if (k42::TargetFinds(reference.target, declaration.kind))
      out.declaredBy.push_back({Narrow(declaration.element), Narrow(declaration.idAttribute)});
  }
  // Header areas and languages are named by attributes that are not declarations of records.
  if (reference.target == Target::kHeaderUse)
    out.declaredBy.push_back({Narrow(k42::kHeaderAreaElement), Narrow(k42::kHeaderUseAttribute)});
  if (reference.target == Target::kLanguage)
    out.declaredBy.push_back({Narrow(k42::kLanguageElement), Narrow(k42::kLanguageCodeAttribute)});
  return out;
}

std::vector<VocabularyKeywords> ToKeywords(std::span<const k42::KeywordAttribute> attributes) {
  std::vector<VocabularyKeywords> out;
  for (const k42::KeywordAttribute& attribute : attributes) {
    VocabularyKeywords keywords{Narrow(attribute.element), Narrow(attribute.attribute), {}};
    for (std::u16string_view keyword : k42::KeywordsOf(attribute.table)) keywords.keywords.push_back(Narrow(keyword));
    out.push_back(std::move(keywords));
  }
  return out;
}

}  // namespace

const DeviceVocabulary& GuiXmlVocabulary() {
  static const DeviceVocabulary vocabulary = [] {
    DeviceVocabulary v;
    for (const k42::Declaration& d : k42::GuiXmlDeclarations()) {
      // Functions and header places carry no texts of their own.
      const bool hasTexts = d.kind != Kind::kFunction && d.kind != Kind::kHeaderPlace;
      v.declarations.push_back({Narrow(d.element), Narrow(d.idAttribute), Narrow(k42::KindName(d.kind)),
                                k42::IsModuleLocal(d.kind), hasTexts});
    }
    for (const k42::Reference& r : k42::GuiXmlReferences()) v.references.push_back(ToReference(r));
    v.keywordAttributes = ToKeywords(k42::GuiXmlKeywordAttributes());
    return v;
  }();
  return vocabulary;
}

const DeviceVocabulary& LocalizedFileVocabulary() {
  static const DeviceVocabulary vocabulary = [] {
    DeviceVocabulary v;
    for (const k42::Reference& r : k42::LocalizedFileReferences()) v.references.push_back(ToReference(r));
    v.keywordAttributes = ToKeywords(k42::LocalizedFileKeywordAttributes());
    return v;
  }();
  return vocabulary;
}

const LocalizedLayout& LocalizedFileLayout() {
  static const LocalizedLayout layout = [] {
    LocalizedLayout l;
    l.language = Narrow(k42::kLocLanguage);
    l.languageId = Narrow(k42::kLocLanguageId);
    l.scope = Narrow(k42::kLocScope);
    l.scopeId = Narrow(k42::kLocScopeId);
    l.globalScope = Narrow(k42::kLocGlobalScope);
    l.builtinScope = Narrow(k42::kLocBuiltinScope);
    l.text = Narrow(k42::kLocText);
    l.textName = Narrow(k42::kLocTextName);
    l.label = "LABEL";
    l.tooltip = "TOOLTIP";
    l.helpTopic = "HELPTOPIC";
    l.variantKey = "DDSTRING";
    l.moduleElement = Narrow(k42::kModuleElement);
    l.moduleId = Narrow(k42::kModuleIdAttribute);
    return l;
  }();
  return layout;
}

}  // namespace k42gui
