// Reader of "LABEL_DEC": free-standing labels that other declarations name.
#include "model/DDParserXML.h"
#include "model/DomUtil.h"

int CDDParserXML::ParseLabelDec(DOMNodeList* list) {
    k42::ForEachNode(list, [this](DOMNode* node) {
        std::u16string id;
        if (!k42::GetAttribute(node, u"LABEL_ID", id)) {
            return false;  // a label without identifier ends the section
        }
        auto* label = new CDDElement();
        label->SetId(std::move(id));
        m_labels.push_back(label);
        m_elements.AddChild(label);
        return true;
    });
    return 0;
}
