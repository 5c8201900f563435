// The readers of the declaration sections: "LABEL_DEC", "VAR_DEC", "FUNCTION_ID", "HEADER_AREA",
// "METAINFORMATION", "MET_DEC" and "IMAGE_DEC", each filling the document it is given.
//
// Example:
//   k42::DeclarationReader reader(document);
//   reader.ParseVarDec(varDecElements);   // every "VAR_DEC" element, in document order
#pragma once

#include <cstdint>
#include <string>

#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMNodeList.hpp>

#include "model/DDDocument.h"

namespace k42 {

using xercesc::DOMNode;
using xercesc::DOMNodeList;

class DeclarationReader {
 public:
  explicit DeclarationReader(CDDDocument& document)
      : m_document(document), m_texts(document.Texts()), m_elements(document.ElementDictionary()) {}

  // Section readers. Each gets every element of its tag name in document order.
  int ParseLabelDec(DOMNodeList* list);
  int ParseVarDec(DOMNodeList* list);
  int ParseFunctionId(DOMNodeList* list, int32_t functionId);
  int ParseHeaderArea(DOMNodeList* list);
  int ParseMetaInformation(DOMNodeList* list);
  int ParseMetDec(DOMNodeList* list);
  int ParseImageDec(DOMNodeList* list);

 private:
  // Variables.
  int ParseVarBody(DOMNodeList* children, CDDVariable* variable);
  int ParseGuiFormat(DOMNode* node, CDDVariable* variable);
  int ParseDatatype(DOMNode* node, CDDVariable* variable);
  int ParseVarModifier(DOMNode* node, CDDVariable* variable);
  int ParseEnumItem(DOMNode* node, CDDVariable* variable);
  int ParseValue(DOMNode* node, CDDVariable* variable);

  // Methods and images.
  int ParseMetBody(DOMNodeList* children, CDDMethod* method);
  int ParseMetModifier(DOMNode* node, CDDMethod* method);
  int ParseImageBody(DOMNodeList* children, CDDImage* image);
  int ParseImageSize(DOMNode* node, int sizeIndex, CDDImage* image);
  int ParseImageLink(DOMNode* node, CDDImage* image);

  // Function identifier: the modules it selects.
  int ParseFunctionModules(DOMNodeList* children);

  // Header area.
  int ParseHeaderRecords(DOMNodeList* children, const std::u16string& use);
  int ParseVariableHeader(DOMNode* node, CDDHeaderRecord* record);
  int ParseImageHeader(DOMNode* node, CDDHeaderRecord* record);

  // Metainformation.
  int ParseMetaChildren(DOMNodeList* children);
  int ParseLanguageSupport(DOMNode* node);
  int ParseLanguage(DOMNode* node, CDDLanguage* language);
  int ParseAuxFiles(DOMNode* node);
  int ParseLogo(DOMNode* node);

  CDDDocument& m_document;
  TextPool& m_texts;          // where the records' texts are kept
  CDDElementMap& m_elements;  // the dictionary of every declared element
};

}  // namespace k42
