// The checker's rule "unlabelled-command": what the host's menu bars and toolbar show has something to show.
#include <algorithm>

#include "authoring/CheckContext.h"

namespace k42::check {
namespace {

constexpr std::u16string_view kMenubarEntries[] = {u"MENUBAR_POPUP", u"MENUBAR_ITEM"};
constexpr std::u16string_view kMenubarIdAttribute = u"MENUBAR_ID";
constexpr std::u16string_view kToolbarElement = u"TOOLBAR";
constexpr std::u16string_view kToolbarStripAttribute = u"TOOLBAR_IMAGELIST";
constexpr std::u16string_view kToolbarItemElement = u"TOOLBARITEM_DEC";
constexpr std::u16string_view kToolbarTypeAttribute = u"TOOLBAR_ITEMTYPE";

}  // namespace

// A menu-bar entry gets its label from the localized file through its MENUBAR_ID, so one without an
// identifier is an empty entry. A toolbar button never gets a label from the component: what it shows is
// its picture, so a toolbar without a strip shows empty buttons.
void CheckCommands(Context& context) {
  const ScannedFile& gui = context.gui;
  bool strip = false;
  for (const ScannedElement& element : gui.elements) {
    const ScannedAttribute* named =
        element.name == kToolbarElement ? element.Attribute(kToolbarStripAttribute) : nullptr;
    strip = strip || (named != nullptr && !named->value.empty());
  }
  for (const ScannedElement& element : gui.elements) {
    if (std::find(std::begin(kMenubarEntries), std::end(kMenubarEntries), element.name) != std::end(kMenubarEntries)) {
      const ScannedAttribute* id = element.Attribute(kMenubarIdAttribute);
      if (id != nullptr && !id->value.empty()) continue;
      context.Add("unlabelled-command", k42gui::Severity::kWarning, context.request.guiXmlPath, element.position,
                  Narrow(element.name) + " without " + Narrow(kMenubarIdAttribute) +
                      " gets no text from the localized file, so the host shows an empty entry");
    } else if (element.name == kToolbarItemElement && !strip) {
      const ScannedAttribute* type = element.Attribute(kToolbarTypeAttribute);
      if (type != nullptr && type->value == u"TOOLBAR_SEPARATOR") continue;
      context.Add("unlabelled-command", k42gui::Severity::kWarning, context.request.guiXmlPath, element.position,
                  "toolbar button without a picture: no TOOLBAR names a " + Narrow(kToolbarStripAttribute) +
                      ", and toolbar buttons get no label from the component");
    }
  }
}

}  // namespace k42::check
