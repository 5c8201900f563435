// Reader of "MET_DEC" and the method record.
#include <memory>

#include "model/DDParserXML.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"

CDDMethod::~CDDMethod() = default;

int CDDParserXML::ParseMetDec(DOMNodeList* list) {
    k42::ForEachNode(list, [this](DOMNode* node) {
        try {
            std::u16string id;
            if (!k42::GetAttribute(node, u"MET_ID", id)) {
                return false;  // a declaration without identifier ends the section
            }
            auto method = std::make_unique<CDDMethod>();
            method->SetId(std::move(id));
            ParseMetBody(node->getChildNodes(), method.get());
            m_methods.push_back(method.get());
            CDDMethod* stored = method.release();
            m_elements.AddChild(stored);
            return true;
        } catch (...) {
            return false;  // the method being built is dropped; the section ends
        }
    });
    return 0;
}

int CDDParserXML::ParseMetBody(DOMNodeList* children, CDDMethod* method) {
    if (method == nullptr) return 0;
    k42::ForEachNode(children, [&](DOMNode* child) {
        if (!k42::IsTextNode(child) && k42::NodeNameIs(child, u"MODIFIER")) ParseMetModifier(child, method);
        return true;
    });
    return 0;
}

int CDDParserXML::ParseMetModifier(DOMNode* node, CDDMethod* method) {
    if (node == nullptr || method == nullptr) return -1;
    try {
        std::u16string text;
        int32_t handling = 0;
        if (k42::GetAttribute(node, u"HANDLING", text) && k42::HandlingFromKeyword(text, handling)) {
            method->SetHandling(handling);
        }
    } catch (...) {
        return -1;
    }
    return 0;
}
