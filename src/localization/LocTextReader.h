// The localized-file reader's state: follows the file's elements as a SAX2 reader reports them and lands
// their texts on the records of the document it is given.
//
// One reader serves one read of the file; the content handler of that read passes each callback on.
//
// Example:
//   k42::LocTextReader reader(document, u"de");
//   reader.StartElement(localName, attributes);   // from ContentHandler::startElement
//   reader.Characters(chars, length);             // from ContentHandler::characters
//   reader.EndElement(localName);                 // from ContentHandler::endElement
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <xercesc/sax2/Attributes.hpp>

#include "localization/IdTrail.h"
#include "localization/LocElements.h"
#include "localization/LocReadMemo.h"
#include "localization/TextTrail.h"
#include "model/DDDocument.h"

class CDDEnumItem;
class CDDVariable;

namespace k42 {

class LocTextReader {
 public:
  // language: the block of that language applies, besides the default block.
  LocTextReader(CDDDocument& document, std::u16string language);
  ~LocTextReader();
  LocTextReader(const LocTextReader&) = delete;
  LocTextReader& operator=(const LocTextReader&) = delete;

  // Throws TooDeep past the element depth bound.
  void StartElement(const XMLCh* localname, const xercesc::Attributes& attributes);
  void EndElement(const XMLCh* localname);
  void Characters(const XMLCh* chars, XMLSize_t length);
  // Once the read is over, however it ended: keeps what helps the next read of the file.
  void Finish();

 private:
  // Outside a language block that applies only "LANG" and "LANGUAGE_SUPPORT" are looked at.
  void LocStart(const XMLCh* localname, const xercesc::Attributes& attributes);
  void LocEnd(const XMLCh* localname);
  // The same inside a block that applies, by element kind; attributes holds the kind's attribute values,
  // absent ones empty.
  void ApplyLocStart(LocElement element, const std::u16string_view* attributes);
  void ApplyLocEnd(LocElement element);
  // Applies the character data collected since the last end tag to the
  // element(s) the localized file currently addresses.
  void ApplyPendingText();
  void ApplyPendingTextTo(CDDBase* target);
  // The item of target the pending "ENUM" names, or null; enumItem is the same item when target is a variable.
  CDDBase* FindEnumItem(CDDBase* target, CDDEnumItem*& enumItem);
  // target as an element, or null; remembered for the next call.
  CDDElement* LocElementOf(CDDBase* target);
  // Builds m_locModuleScopes for this read, when an identifier is first missing from its scope.
  void IndexModuleScopes();
  // What identifier finds in the scope or element top (created there in the built-in texts' scope).
  CDDBase* FindOrCreate(CDDBase* top, const std::u16string& identifier);

  CDDDocument& m_document;
  TextPool& m_texts;
  CDDElementMap& m_elements;
  CDDElementMap& m_guiLabels;
  const std::vector<CDDBase*>& m_scopes;
  const std::u16string m_language;

  int32_t m_locMatched = 0;
  int32_t m_locState = 2;
  std::vector<CDDBase*> m_locContext;
  int32_t m_locSkip = 0;
  unsigned m_locDepth = 0;  // element nesting, bounded by kMaxElementDepth
  uint8_t m_locGuiScope = 0;
  std::u16string m_locCurrentName;
  std::u16string m_locEnumValue;
  std::u16string m_locLegend;
  std::u16string m_locKey;
  std::u16string m_locChars;
  int32_t m_locInLabel = 0;
  int32_t m_locInTooltip = 0;
  int32_t m_locInHelpTopic = 0;
  int32_t m_locInEnum = 0;
  CDDBase* m_locCastFrom = nullptr;  // the last target LocElementOf looked at, and what it found
  CDDElement* m_locCastTo = nullptr;
  CDDBase* m_locVariableFrom = nullptr;  // the same for FindEnumItem's variables
  const CDDVariable* m_locVariable = nullptr;
  // For each identifier that a module of the scope list holds, the element each such module finds for it,
  // in scope-list order. An identifier missing from its scope then costs two look-ups rather than one per
  // module. Not usable (the plain walk of the scope list is taken) when the scope list holds anything but
  // the element dictionary followed by modules.
  std::unordered_map<std::u16string_view, std::vector<CDDBase*>> m_locModuleScopes;
  bool m_locModuleScopesUsable = false;
  bool m_locModuleScopesBuilt = false;
  // The identifiers directly below a scope are found through the previous read's order, and the texts
  // of the records are made from the pool's texts the previous read of the same block used.
  LocReadMemo& m_memo;
  IdTrail m_trail;
  TextTrail m_textTrail;
};

// Enters the display control's built-in interface texts (English) in the document's GUI label dictionary;
// a text already there (from an earlier read) stays. False when memory runs out.
bool AddBuiltinTexts(CDDDocument& document);

}  // namespace k42
