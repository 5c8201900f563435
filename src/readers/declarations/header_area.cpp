// Reader of "HEADER_AREA": the header records per mode and place.
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "readers/declarations/DeclarationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"
#include "platform/text.h"

namespace {

constexpr int kDiscard = -2;  // a required attribute is missing

int32_t OriginFromKeyword(const std::u16string& text) {
  int32_t origin = PAR_VARIABLE;  // any other word names a plain variable
  k42::KeywordToValue(k42::KeywordTable::kOrigin, text, origin);
  return origin;
}

int32_t HeaderVarTypeFromKeyword(const std::u16string& text) {
  int32_t type = HEADERVARTYPE_UNDEF;
  k42::KeywordToValue(k42::KeywordTable::kHeaderVarType, text, type);
  return type;
}

}  // namespace

int k42::DeclarationReader::ParseHeaderArea(DOMNodeList* list) {
  k42::ForEachNode(list, [this](DOMNode* node) {
    try {
      std::u16string use;
      // A section that does not say which mode it serves could never be
      // found by mode; its records are skipped and the next section is
      // read as usual.
      if (k42::GetAttribute(node, k42::names::kUse, use)) ParseHeaderRecords(node->getChildNodes(), use);
    } catch (...) {
      // Out of memory: this section is given up, the next one is tried.
    }
    return true;
  });
  return 0;
}

int k42::DeclarationReader::ParseHeaderRecords(DOMNodeList* children, const std::u16string& use) {
  k42::ForEachChild(children, [&](DOMNode* child) {
    const bool isVariable = k42::NodeNameIs(child, k42::names::kVariableHeader);
    if (!isVariable && !k42::NodeNameIs(child, k42::names::kImageHeader)) return true;
    try {
      auto record = std::make_unique<CDDHeaderRecord>();
      record->m_use = use;
      const int result = isVariable ? ParseVariableHeader(child, record.get()) : ParseImageHeader(child, record.get());
      if (result == 0) m_document.HeaderRecords().push_back(std::move(record));
    } catch (...) {
      // The record being built is dropped; the others are read.
    }
    return true;
  });
  return 0;
}

int k42::DeclarationReader::ParseVariableHeader(DOMNode* node, CDDHeaderRecord* record) {
  if (node == nullptr || record == nullptr) return kDiscard;
  try {
    std::u16string text;
    if (!k42::GetAttribute(node, k42::names::kStyleguideMapping, record->m_mapping)) return kDiscard;
    if (!k42::GetAttribute(node, k42::names::kVarRef, record->m_parameterRef)) return kDiscard;
    k42::GetAttribute(node, k42::names::kVarStatus, record->m_statusRef);
    if (!k42::GetAttribute(node, k42::names::kOrigin, text)) return kDiscard;
    record->m_origin = OriginFromKeyword(text);
    record->m_headerVarType = k42::GetAttribute(node, k42::names::kHeaderVarType, text) ? HeaderVarTypeFromKeyword(text)
                                                                                        : HEADERVARTYPE_UNDEF;
    k42::GetAttribute(node, k42::names::kModId, record->m_controlId);
    k42::GetAttribute(node, k42::names::kModProgId, record->m_controlProgId);
    k42::GetAttribute(node, k42::names::kModInitString, record->m_controlInit);
    if (k42::GetAttribute(node, k42::names::kWidth, text)) record->m_width = k42::LeadingIntegerOf(text);
    if (k42::GetAttribute(node, k42::names::kHeight, text)) record->m_height = k42::LeadingIntegerOf(text);
  } catch (...) {
    return kDiscard;
  }
  return 0;
}

int k42::DeclarationReader::ParseImageHeader(DOMNode* node, CDDHeaderRecord* record) {
  if (node == nullptr || record == nullptr) return kDiscard;
  try {
    record->m_origin = PAR_IMAGE;
    record->m_headerVarType = HEADERVARTYPE_UNDEF;
    if (!k42::GetAttribute(node, k42::names::kLayoutPosition, record->m_mapping)) return kDiscard;
    if (!k42::GetAttribute(node, k42::names::kImageRef, record->m_parameterRef)) return kDiscard;
  } catch (...) {
    return kDiscard;
  }
  return 0;
}
