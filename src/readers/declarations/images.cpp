// Reader of "IMAGE_DEC" and the image record.
#include <memory>

#include "readers/declarations/DeclarationReader.h"
#include "model/Names.h"
#include "readers/declarations/declaration_list.h"
#include "model/DomUtil.h"
#include "platform/text.h"

int k42::DeclarationReader::ParseImageDec(DOMNodeList* list) {
  k42::ReadDeclarations(list, k42::names::kImageId, m_document.Images(), m_elements, m_texts,
                        [this](DOMNode* node, CDDImage* image) { ParseImageBody(node->getChildNodes(), image); });
  return 0;
}

int k42::DeclarationReader::ParseImageBody(DOMNodeList* children, CDDImage* image) {
  if (image == nullptr) return 0;
  k42::ForEachChild(children, [&](DOMNode* child) {
    // Text and comment nodes ("#text", "#comment") match none of the names.
    const k42::NodeNameRef name = k42::NodeName(child);
    if (name == k42::names::kRegular)
      ParseImageSize(child, CDDImage::kRegular, image);
    else if (name == k42::names::kLarge)
      ParseImageSize(child, CDDImage::kLarge, image);
    else if (name == k42::names::kSmall)
      ParseImageSize(child, CDDImage::kSmall, image);
    else if (name == k42::names::kLink)
      ParseImageLink(child, image);
    return true;
  });
  return 0;
}

int k42::DeclarationReader::ParseImageSize(DOMNode* node, int sizeIndex, CDDImage* image) {
  if (node == nullptr || image == nullptr) return -1;
  try {
    std::u16string reference;
    if (k42::GetAttribute(node, k42::names::kIref, reference)) image->SetImageRef(sizeIndex, std::move(reference));
  } catch (...) {
    return -1;
  }
  return 0;
}

int k42::DeclarationReader::ParseImageLink(DOMNode* node, CDDImage* image) {
  if (node == nullptr || image == nullptr) return -1;
  try {
    std::u16string text;
    if (k42::GetAttribute(node, k42::names::kHelpId, text)) image->SetHelpId(k42::LeadingIntegerOf(text));
    if (k42::GetAttribute(node, k42::names::kMenu, text)) image->SetMenuRef(std::move(text));
  } catch (...) {
    return -1;
  }
  return 0;
}
