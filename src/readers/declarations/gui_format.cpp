// Reader of "GUI_FORMAT": display condition, format and alignment of a
// variable, and of a display control.
#include "model/DDParserXML.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"

namespace {

constexpr std::u16string_view kFormatAttributes[] = {u"DISPLAY_CONDITION", u"FORMAT_CONTROL", u"ALIGN"};
enum { kCondition, kFormat, kAlign };

}  // namespace

int CDDParserXML::ParseGuiFormat(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    const k42::Attributes attributes(node, kFormatAttributes);
    std::u16string_view text;
    int32_t condition = 0;
    if (attributes.Get(kCondition, text) &&
        k42::KeywordToValue(k42::KeywordTable::kDisplayCondition, text, condition)) {
      variable->SetDisplayCondition(condition);
    }
    if (attributes.Get(kFormat, text)) {
      // "%COND%" marks a format decided at run time; the text stays as it was.
      if (text == u"%COND%") {
        variable->SetConditionalFormat(1);
      } else {
        variable->SetFormat(k42::CompactText(m_texts, text));
      }
    }
    if (attributes.Get(kAlign, text)) {
      variable->SetAlignment(k42::CompactText(m_texts, text));
    }
  } catch (...) {
    return -1;  // out of memory: the variable keeps what was set so far
  }
  return 0;
}

int CDDParserXML::ParseControlFormat(DOMNodeList* children, CDDDisplayItem* control) {
  if (control == nullptr) return 0;
  k42::ForEachChild(children, [&](DOMNode* node) {
    if (!k42::NodeNameIs(node, u"GUI_FORMAT")) return true;
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

bool CDDParserXML::PoolAttribute(const DOMNode* node, const char16_t* name, k42::PooledText& field) {
  std::u16string_view text;
  if (!k42::GetAttribute(node, name, text)) return false;
  field = m_texts.Intern(text);
  return true;
}
