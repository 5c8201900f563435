// Reader of "FUNCTION_ID": the host's function selects which modules exist
// and whether it works online.
#include "model/DDParserXML.h"
#include "model/DomUtil.h"
#include "platform/text.h"

int CDDParserXML::ParseFunctionId(DOMNodeList* list, int32_t functionId) {
    k42::ForEachNode(list, [&](DOMNode* node) {
        std::u16string idText;
        if (!k42::GetAttribute(node, u"ID", idText)) {
            return false;  // an element without "ID" ends the search
        }
        if (k42::LeadingInteger(idText) != functionId) {
            return true;
        }
        m_isOnline = 1;
        std::u16string online;
        if (!k42::GetAttribute(node, u"IS_ONLINE", online)) {
            if (functionId == 4) m_isOnline = 0;
        } else if (!ParseBool(online)) {
            m_isOnline = 0;
        }
        ParseFunctionModules(node->getChildNodes());
        return false;  // later elements are not examined
    });
    return 0;
}

int CDDParserXML::ParseFunctionModules(DOMNodeList* children) {
    k42::ForEachNode(children, [this](DOMNode* node) {
        std::u16string reference;
        if (k42::IsTextNode(node) || !k42::NodeNameIs(node, u"MODULE") ||
            !k42::GetAttribute(node, u"MOD_REF", reference)) {
            return true;
        }
        auto* module = new CDDModule();
        module->SetId(std::move(reference));
        m_modules.push_back(module);
        m_elements.AddChild(module);
        m_scopes.push_back(module);
        return true;
    });
    return 0;
}

bool CDDParserXML::ParseBool(const std::u16string& text) {
    const std::u16string upper = k42::ToUpper(text);
    return !(upper == u"FALSE" || upper == u"0");
}
