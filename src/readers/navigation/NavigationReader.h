// The readers of the sections that lay out the device's user interface: "MODULE_DEC" with each module's
// navigation area, displays, links and features, "MENUBAR" and "TOOLBAR", each filling the document it is
// given.
//
// Example:
//   k42::DeviceHelpSwitch deviceHelp;   // kept as long as the document, read once
//   k42::NavigationReader reader(document, deviceHelp);
//   reader.ParseModuleDec(moduleDecElements);
#pragma once

#include <cstdint>
#include <string>

#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMNodeList.hpp>

#include "model/DDDocument.h"
#include "readers/navigation/DeviceHelpSwitch.h"

namespace k42 {

using xercesc::DOMNode;
using xercesc::DOMNodeList;

class NavigationReader {
 public:
  NavigationReader(CDDDocument& document, DeviceHelpSwitch& deviceHelp)
      : m_document(document),
        m_texts(document.Texts()),
        m_elements(document.ElementDictionary()),
        m_deviceHelp(deviceHelp) {}

  // Section readers. Each gets every element of its tag name in document order.
  int ParseModuleDec(DOMNodeList* list);
  int ParseMenubar(DOMNodeList* list);
  int ParseToolbar(DOMNodeList* list);

  // A display control's "GUI_FORMAT" children.
  int ParseControlFormat(DOMNodeList* children, CDDDisplayItem* control);

 private:
  // Module body: links, features, header references, device-help switch.
  int ParseModuleBody(DOMNodeList* children, CDDModule* module);
  int ParseLink2Module(DOMNode* node, CDDModule* module);
  int ParseFeatures(DOMNodeList* children, CDDModule* module);
  int ParseFeature(DOMNode* node, CDDModule* module);
  int ParseHeaderRef(DOMNode* node, CDDModule* module);

  // Navigation area.
  int ParseNavigationArea(DOMNode* node, CDDModule* module);
  int ParseMenuDec(DOMNode* node, CDDModule* module);
  int ParseRootMenu(DOMNode* node, CDDModule* module);
  int ParseVariableNav(DOMNode* node, CDDModule* module, CDDMenuItem* menu);
  int ParseMethodNav(DOMNode* node, CDDModule* module, CDDMenuItem* menu);
  int ParseModuleNav(DOMNode* node, CDDModule* module, CDDMenuItem* menu);
  int ParseSubMenu(DOMNode* node, CDDModule* module, CDDMenuItem* menu);

  // Display layouts.
  int ParsePardisArea(DOMNode* node, CDDModule* module);
  int ParsePardisDec(DOMNode* node, CDDModule* module);
  int ParseVariablePardis(DOMNode* node, CDDPardis* display);
  int ParseImagePardis(DOMNode* node, CDDPardis* display);
  int ParseMethodPardis(DOMNode* node, CDDPardis* display);
  int ParseModulePardis(DOMNode* node, CDDPardis* display);
  int ParseHeadlinePardis(DOMNode* node, CDDPardis* display);
  int ParseEmptyFieldPardis(DOMNode* node, CDDPardis* display);
  int ParseNewColumnPardis(DOMNode* node, CDDPardis* display);
  int ParseHorNav(DOMNode* node, CDDPardis* display);
  // The attribute's text, stored in the model's text pool; false (field unchanged) when it is absent.
  bool PoolAttribute(const DOMNode* node, std::u16string_view name, PooledText& field);

  // Menu bar and toolbar.
  int ParseMenubarItems(DOMNodeList* children, OwnedList<CDDMenubarItem>& items);
  int ParseToolbarItems(DOMNodeList* children);

  CDDDocument& m_document;
  TextPool& m_texts;          // where the records' texts are kept
  CDDElementMap& m_elements;  // the dictionary of every declared element
  DeviceHelpSwitch& m_deviceHelp;
};

}  // namespace k42
