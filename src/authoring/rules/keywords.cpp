// The checker's rule "unknown-keyword": keyword attributes hold a keyword of the component's tables.
#include <span>

#include "authoring/CheckContext.h"

namespace k42::check {
namespace {

void CheckFile(Context& context, const ScannedFile& scan, const std::string& path,
               std::span<const KeywordAttribute> table) {
  for (const ScannedElement& element : scan.elements) {
    for (const KeywordAttribute& keyword : table) {
      if (element.name != keyword.element) continue;
      const ScannedAttribute* attribute = keyword.attribute.empty() ? nullptr : element.Attribute(keyword.attribute);
      if (!keyword.attribute.empty() && attribute == nullptr) continue;
      const std::u16string& text = attribute != nullptr ? attribute->value : element.text;
      int32_t value = 0;
      if (KeywordToValue(keyword.table, text, value)) continue;
      const std::string what = keyword.attribute.empty() ? Narrow(element.name) : Narrow(keyword.attribute);
      context.Add("unknown-keyword", k42gui::Severity::kError, path,
                  attribute != nullptr ? attribute->valuePosition : element.position,
                  Quoted(text) + " is not a " + what + " keyword (known: " + Joined(KeywordsOf(keyword.table)) + ")");
    }
  }
}

}  // namespace

void CheckKeywords(Context& context) {
  if (context.guiWellFormed) CheckFile(context, context.gui, context.request.guiXmlPath, GuiXmlKeywordAttributes());
  if (context.locWellFormed)
    CheckFile(context, context.loc, context.request.localizedPath, LocalizedFileKeywordAttributes());
}

}  // namespace k42::check
