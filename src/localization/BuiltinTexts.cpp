// The display control's built-in interface texts and their English defaults.
#include "localization/LocTextReader.h"

#include <iterator>
#include <memory>
#include <new>

namespace {

struct BuiltinText {
  const char16_t* id;
  const char16_t* text;
};

// In the order they are added. The blanks at the ends are part of the texts:
// the display control joins them with values ("up to " + maximum + " characters allowed").
constexpr BuiltinText kBuiltinTexts[] = {
    {u"naviColumnHeadLabel", u"Label"},
    {u"naviColumnHeadValue", u"Value"},
    {u"naviColumnHeadUnit", u"Unit"},
    {u"toolInfoRanges", u"Ranges:"},
    {u"toolInfoRange", u"Range:"},
    {u"toolInfoRangeTo", u"up to "},
    {u"toolInfoRangeRest", u" characters allowed"},
    {u"toolInfoPressEnter", u"Press Enter to confirm"},
    {u"toolInfoOutOfRange", u"Out of range."},
    {u"toolInfoInvalidCharacter", u"Invalid character"},
    {u"toolInfoCharactersAllowed", u"0..9, A..Z are allowed"},
    {u"toolInfoAscii8BitAllowed", u"Only ISO Latin-1 characters are allowed."},
    {u"toolInfoDateFormat", u"Format: DD.MM.YYYY (Year 1900 .. 2155)"},
    {u"toolInfoStateErrorText", u"Error: "},
    {u"toolInfoStateErrorCode", u"Error code: "},
    {u"toolBarToggleTree", u"toggle the tree window"},
    {u"toolBarToggleHeader", u"toggle the header window"},
    {u"toolBarTogglePictures", u"toggle pictures in display"},
    {u"toolBarDtmHelp", u"start DTM help"},
    {u"toolBarUIHelp", u"start user interface help"},
    {u"toolBarPrivateDialogHelp", u"Due to application context, requested function is not available"},
    {u"navBarGoHome", u"Go home"},
    {u"navBarGoStart", u"goto start"},
    {u"navBarGoBack", u"one step back"},
    {u"navBarGoForward", u"one step forward"},
    {u"navBarGoLast", u"goto last step"},
    {u"navBarCloseButton", u"Close"},
};
static_assert(std::size(kBuiltinTexts) == 27);

}  // namespace

bool k42::AddBuiltinTexts(CDDDocument& document) {
  try {
    for (const BuiltinText& row : kBuiltinTexts) {
      auto element = std::make_unique<CDDElement>();
      element->SetId(row.id);
      element->SetLabel(row.text, 0, u"");
      // A record kept from an earlier read holds the text of the last
      // language applied; it stays, and the new default is dropped.
      document.AdoptGuiLabel(std::move(element));
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
