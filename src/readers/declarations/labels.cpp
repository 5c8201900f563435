// Reader of "LABEL_DEC": free-standing labels that other declarations name.
#include <memory>

#include "model/DDParserXML.h"
#include "model/DomUtil.h"

int CDDParserXML::ParseLabelDec(DOMNodeList* list) {
    k42::ForEachNode(list, [this](DOMNode* node) {
        try {
            std::u16string id;
            if (!k42::GetAttribute(node, u"LABEL_ID", id)) {
                return false;  // a label without identifier ends the section
            }
            auto label = std::make_unique<CDDElement>();
            label->SetId(std::move(id));
            m_labels.push_back(label.get());
            CDDElement* stored = label.release();
            m_elements.AddChild(stored);
            return true;
        } catch (...) {
            return false;  // out of memory: the label is dropped and the section ends
        }
    });
    return 0;
}
