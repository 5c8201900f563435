// Reader of a display control's "GUI_FORMAT" children, and the pooled attribute texts of display items.
#include "readers/navigation/NavigationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"

namespace {

constexpr std::u16string_view kFormatAttributes[] = {k42::names::kDisplayCondition, k42::names::kFormatControl,
                                                     k42::names::kAlign};
enum { kCondition, kFormat, kAlign };

}  // namespace

int k42::NavigationReader::ParseControlFormat(DOMNodeList* children, CDDDisplayItem* control) {
  if (control == nullptr) return 0;
  k42::ForEachChild(children, [&](DOMNode* node) {
    if (!k42::NodeNameIs(node, k42::names::kGuiFormat)) return true;
    // Every "GUI_FORMAT" starts from the values of a fresh variable, so the last one decides all three
    // fields; a format decided at run time ("%COND%") leaves the format empty.
    try {
      const k42::Attributes attributes(node, kFormatAttributes);
      std::u16string_view text;
      int32_t condition = CDDVariable::kInitialDisplayCondition;
      if (attributes.Get(kCondition, text)) {
        k42::KeywordToValue(k42::KeywordTable::kDisplayCondition, text, condition);
      }
      k42::PooledText format, alignment;
      if (attributes.Get(kFormat, text) && text != u"%COND%") format = m_texts.Intern(text);
      if (attributes.Get(kAlign, text)) alignment = m_texts.Intern(text);
      control->m_displayCondition = condition;
      control->m_alignment = alignment;
      control->m_format = format;
    } catch (...) {
      return false;  // out of memory: the control keeps what it had
    }
    return true;
  });
  return 0;
}

bool k42::NavigationReader::PoolAttribute(const DOMNode* node, std::u16string_view name, k42::PooledText& field) {
  std::u16string_view text;
  if (!k42::GetAttribute(node, name, text)) return false;
  field = m_texts.Intern(text);
  return true;
}
