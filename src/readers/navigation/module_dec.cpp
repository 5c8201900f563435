// Reader of "MODULE_DEC": attributes of the modules the function selected;
// their contents go to the module body reader.
#include "readers/navigation/NavigationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"

int k42::NavigationReader::ParseModuleDec(DOMNodeList* list) {
  k42::ForEachNode(list, [this](DOMNode* node) {
    try {
      std::u16string id;
      if (!k42::GetAttribute(node, k42::names::kModId, id)) {
        return false;  // a declaration without identifier ends the section
      }
      CDDModule* module = m_document.FindModule(id);
      if (module == nullptr) {
        return true;  // not available under the selected function
      }
      // A failure while one optional attribute is taken over skips only
      // that attribute.
      auto optional = [&](auto take) {
        try {
          take();
        } catch (...) {}
      };
      optional([&] {
        std::u16string text;
        if (k42::GetAttribute(node, k42::names::kModIcon, text)) module->SetIcon(std::move(text));
      });
      optional([&] {
        std::u16string text;
        if (k42::GetAttribute(node, k42::names::kModInitString, text)) module->SetInitString(std::move(text));
      });
      optional([&] {
        std::u16string text;
        int32_t integration = 0;
        if (k42::GetAttribute(node, k42::names::kModIntegration, text) &&
            k42::KeywordToValue(k42::KeywordTable::kIntegration, text, integration)) {
          module->SetIntegration(integration);
        }
      });
      ParseModuleBody(node->getChildNodes(), module);
      return true;
    } catch (...) {
      return false;  // any other failure ends the section
    }
  });
  return 0;
}
