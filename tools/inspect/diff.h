// Compares the JSON trees of two devices the way their author thinks of them: by identifier where
// the device gives one, by position otherwise, and names every change in the author's words.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "inspect/json_report.h"

namespace inspect {

struct Change {
  std::string area;  // the top-level key the change lies under, for grouping
  std::string path;  // e.g. "display disBasic: item 3 (varPVUnit): control"
  // "added", "removed", "changed"; for parameters and displays, which a device declares once and
  // then uses, "declared", "newlyUsed" and "noLongerUsed" instead where the declaration tells, and
  // "undeclared" for one still used whose declaration went; in a comparison of two languages,
  // "untranslated" and "missing" texts.
  std::string kind;
  Json before;                      // null when added
  Json after;                       // null when removed
  std::string language;             // set when the change shows in this language only
  std::string oldLanguage;          // untranslated and missing texts: the language they were compared with
  bool text = false;                // a text the localized file gives (label, tooltip, ...)
  std::vector<std::string> alsoAt;  // the other places the same text change shows
};

// Whether a side declares a record that its trees and displays may no longer reach: asked with the
// area ("parameters" or "displays") and the record as the other side's tree has it.
using Declares = std::function<bool(const std::string& area, const Json& record)>;

struct Comparison {
  // Unset: a record reached on one side only is "added" or "removed".
  Declares beforeDeclares, afterDeclares;
  // The sides are two languages (oldLanguage, newLanguage): a text that differs is a translation
  // and not listed; one that is the same, or empty in the new language, is.
  bool languages = false;
  std::string oldLanguage, newLanguage;
};

// Every difference between two DeviceJson trees, in the order of the tree (so grouped by area).
// The file names and the language the devices were loaded with are not part of the device.
std::vector<Change> CompareDevices(const Json& before, const Json& after, const Comparison& comparison = {});

// One text edited in the localized file shows wherever the text is used (the tree, the display item,
// the parameter): such changes become the first of them, with the other places in alsoAt.
std::vector<Change> MergeTextChanges(std::vector<Change> changes);

// One readable line, e.g. `display disBasic: item 3 (varPVUnit): control combo -> list`.
std::string ChangeLine(const Change& change);
Json ChangeJson(const Change& change);

}  // namespace inspect
