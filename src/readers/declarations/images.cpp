// Reader of "IMAGE_DEC" and the image record.
#include <memory>

#include "model/DDParserXML.h"
#include "model/DomUtil.h"
#include "platform/text.h"

CDDImage::~CDDImage() = default;

int CDDParserXML::ParseImageDec(DOMNodeList* list) {
    k42::ForEachNode(list, [this](DOMNode* node) {
        try {
            std::u16string id;
            if (!k42::GetAttribute(node, u"IMAGE_ID", id)) {
                return false;  // a declaration without identifier ends the section
            }
            auto image = std::make_unique<CDDImage>();
            image->SetId(std::move(id));
            ParseImageBody(node->getChildNodes(), image.get());
            m_images.push_back(image.get());
            CDDImage* stored = image.release();
            m_elements.AddChild(stored);
            return true;
        } catch (...) {
            return false;  // the image being built is dropped; the section ends
        }
    });
    return 0;
}

int CDDParserXML::ParseImageBody(DOMNodeList* children, CDDImage* image) {
    if (image == nullptr) return 0;
    k42::ForEachNode(children, [&](DOMNode* child) {
        if (k42::IsTextNode(child)) return true;
        if (k42::NodeNameIs(child, u"REGULAR")) ParseImageSize(child, CDDImage::kRegular, image);
        else if (k42::NodeNameIs(child, u"LARGE")) ParseImageSize(child, CDDImage::kLarge, image);
        else if (k42::NodeNameIs(child, u"SMALL")) ParseImageSize(child, CDDImage::kSmall, image);
        else if (k42::NodeNameIs(child, u"LINK")) ParseImageLink(child, image);
        return true;
    });
    return 0;
}

int CDDParserXML::ParseImageSize(DOMNode* node, int sizeIndex, CDDImage* image) {
    if (node == nullptr || image == nullptr) return -1;
    try {
        std::u16string reference;
        if (k42::GetAttribute(node, u"IREF", reference)) image->SetImageRef(sizeIndex, std::move(reference));
    } catch (...) {
        return -1;
    }
    return 0;
}

int CDDParserXML::ParseImageLink(DOMNode* node, CDDImage* image) {
    if (node == nullptr || image == nullptr) return -1;
    try {
        std::u16string text;
        if (k42::GetAttribute(node, u"HELPID", text)) image->SetHelpId(k42::LeadingInteger(text));
        if (k42::GetAttribute(node, u"MENU", text)) image->SetMenuRef(std::move(text));
    } catch (...) {
        return -1;
    }
    return 0;
}
