// Readable names of the interface's enumeration values.
#include <array>
#include <string>

#include "inspect/device.h"

namespace inspect {
namespace {

template <size_t N>
std::string Pick(const std::array<const char*, N>& names, int64_t value, int64_t first = 0) {
  const int64_t index = value - first;
  if (index >= 0 && index < static_cast<int64_t>(N)) return names[static_cast<size_t>(index)];
  std::string unnamed = "#";  // built in two steps: gcc 12 warns (-Wrestrict) wrongly on "#" + to_string
  unnamed += std::to_string(value);
  return unnamed;
}

}  // namespace

std::string ItemTypeName(int64_t v) {
  static const std::array<const char*, 9> n{"unknown", "rootmenu",    "menu",  "variable", "method",
                                            "module",  "editdisplay", "image", "newcolumn"};
  return Pick(n, v);
}
std::string ControlStyleName(int64_t v) {
  static const std::array<const char*, 13> n{"unknown",       "edit",  "static",  "radio",      "checkbox",
                                             "list",          "combo", "button",  "emptyfield", "newcolumn",
                                             "module-button", "led",   "headline"};
  return Pick(n, v);
}
std::string ParTypeName(int64_t v) {
  static const std::array<const char*, 8> n{"unknown", "meta",  "variable", "method",
                                            "module",  "image", "empty",    "headline"};
  return Pick(n, v);
}
std::string DisplayConditionName(int64_t v) {
  static const std::array<const char*, 4> n{"always", "readonly", "notzero", "offline"};
  return Pick(n, v);
}
std::string DisplayTypeName(int64_t v) {
  static const std::array<const char*, 3> n{"custom", "single-module", "unknown"};
  return Pick(n, v);
}
std::string IntegrationName(int64_t v) {
  static const std::array<const char*, 3> n{"tab", "menu", "none"};
  return Pick(n, v);
}
std::string MenuTypeName(int64_t v) {
  static const std::array<const char*, 4> n{"popup-begin", "popup-end", "item", "separator"};
  return Pick(n, v);
}
std::string ActionTypeName(int64_t v) {
  static const std::array<const char*, 6> n{"dialogbox",   "module", "function",
                                            "setlanguage", "enum",   "function-online"};
  return Pick(n, v);
}
std::string ToolbarTypeName(int64_t v) {
  static const std::array<const char*, 3> n{"button", "separator", "check"};
  return Pick(n, v);
}
std::string HandlingName(int64_t v) {
  static const std::array<const char*, 4> n{"readonly", "readwrite", "writeonly", "conditional"};
  return Pick(n, v);
}
std::string HeaderVarTypeName(int64_t v) {
  static const std::array<const char*, 5> n{"undefined", "static", "led", "led-handling", "module"};
  return Pick(n, v);
}
std::string AnchorName(int64_t v) {
  static const std::array<const char*, 3> n{"none", "id", "helptopic"};
  return Pick(n, v);
}
std::string VarTypeName(int64_t v) {
  static const std::array<const char*, 44> n{
      "UNKNOWN",  "FLOAT",    "DOUBLE",    "INT8",       "INT16",      "INT24",       "INT32",
      "UINT8",    "UINT16",   "UINT24",    "UINT32",     "ULONG",      "ENUM8",       "ENUM16",
      "ENUM24",   "ENUM32",   "BIT_ENUM8", "BIT_ENUM16", "BIT_ENUM24", "BIT_ENUM32",  "DATE",
      "TIME",     "DATETIME", "TIMEVALUE", "INDEX",      "BITSTRING",  "VISIBLE_STR", "VISIBLE_STR_PACKED",
      "BUTTON",   "IMAGE",    "MODULE",    "EMPTYFIELD", "NEWCOLUMN",  "NOTUNIQUE",   "INT8_FP",
      "INT16_FP", "INT24_FP", "INT32_FP",  "UINT8_FP",   "UINT16_FP",  "UINT24_FP",   "UINT32_FP",
      "PASSWORD", "DURATION"};
  return Pick(n, v);
}

}  // namespace inspect
