// Reader of a variable's "GUI_FORMAT": display condition, format and alignment.
#include "readers/declarations/DeclarationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"

namespace {

constexpr std::u16string_view kFormatAttributes[] = {k42::names::kDisplayCondition, k42::names::kFormatControl,
                                                     k42::names::kAlign};
enum { kCondition, kFormat, kAlign };

}  // namespace

int k42::DeclarationReader::ParseGuiFormat(DOMNode* node, CDDVariable* variable) {
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
