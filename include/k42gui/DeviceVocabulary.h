// What the words of the two device files mean, for tools that help an author write them (an editor's
// language server): which attributes declare an identifier, which refer to one and where it may be declared,
// which hold a keyword and which keywords there are, and how the localized file addresses its texts.
//
// Example:
//   for (const k42gui::VocabularyReference& r : k42gui::GuiXmlVocabulary().references)
//     if (r.element == "VARIABLE_PARDIS" && r.attribute == "VAR_REF")
//       for (const k42gui::VocabularyDeclarer& d : r.declaredBy) std::cout << d.element << ' ' << d.attribute;
#pragma once

#include <string>
#include <vector>

namespace k42gui {

// An element that declares an identifier in one of its attributes.
struct VocabularyDeclaration {
  std::string element;
  std::string attribute;
  std::string kind;          // "variable", "display", ...
  bool moduleLocal = false;  // known only inside its module (menus, displays)
  bool hasTexts = false;     // the localized file can give it texts (label, tooltip, help topic)
};

// Where the identifier of a reference may be declared.
struct VocabularyDeclarer {
  std::string element;
  std::string attribute;
};

// An attribute that names something declared elsewhere (or, with isFile, a file of the device).
struct VocabularyReference {
  std::string element;
  std::string attribute;
  std::string target;  // what it names, in the checker's words ("variable", "display", "file", ...)
  std::vector<VocabularyDeclarer> declaredBy;
  bool sameModule = false;  // only declarations inside the enclosing module count
  bool isFile = false;      // a path relative to the device's directory
  // When set, the reference holds only while the element's attribute `condition` is `conditionKeyword`.
  std::string condition;
  std::string conditionKeyword;
};

// An attribute (or, with an empty attribute, the text) of element that holds one of keywords.
struct VocabularyKeywords {
  std::string element;
  std::string attribute;
  std::vector<std::string> keywords;  // in the component's table order
};

struct DeviceVocabulary {
  std::vector<VocabularyDeclaration> declarations;
  std::vector<VocabularyReference> references;
  std::vector<VocabularyKeywords> keywordAttributes;
};

// How the localized file addresses texts: <LANG ID><SCOPE ID><ID NAME><LABEL DDSTRING>text</LABEL>...
struct LocalizedLayout {
  std::string language, languageId;  // a language block
  std::string scope, scopeId;        // the collection the names inside are looked up in
  std::string globalScope;           // the element dictionary: every declaration with texts but menus, displays
  std::string builtinScope;          // the component's own interface texts; nothing the device declares
  std::string text, textName;        // the element that receives the texts inside
  std::string label, tooltip, helpTopic, variantKey;
  std::string moduleElement, moduleId;  // any other scope is the identifier of a module
};

const DeviceVocabulary& GuiXmlVocabulary();
const DeviceVocabulary& LocalizedFileVocabulary();
const LocalizedLayout& LocalizedFileLayout();

}  // namespace k42gui
