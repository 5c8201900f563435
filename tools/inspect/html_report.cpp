// The HTML report: a self-contained preview of the navigation trees and of
// each display laid out as the display control arranges it.
#include <cstdio>
#include <string>

#include "inspect/reports.h"

namespace inspect {
namespace {

std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Anchor(const std::string& module, const std::string& display) {
  std::string id = "display-";
  for (char c : module + "-" + display) {
    const bool plain =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    if (plain) {
      id += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, ".%02x", static_cast<unsigned char>(c));
      id += hex;
    }
  }
  return id;
}

// A colour is a Windows COLORREF (0x00BBGGRR); -1 means none was given.
std::string Css(int64_t colorref) {
  if (colorref < 0) return {};
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(colorref & 0xff),
                static_cast<unsigned>((colorref >> 8) & 0xff), static_cast<unsigned>((colorref >> 16) & 0xff));
  return text;
}

void WriteTree(const std::string& module, const TreeNode& node, std::ostream& out) {
  out << "<li class=\"node " << ItemTypeName(node.itemType) << "\">";
  const std::string label = node.label.empty() ? node.reference : node.label;
  if (!node.displayId.empty()) {
    out << "<a href=\"#" << Anchor(module, node.displayId) << "\">" << Escape(label) << "</a>";
  } else {
    out << "<span>" << Escape(label) << "</span>";
  }
  if (node.conditionalLabel) out << " <em class=\"cond\">(conditional label)</em>";
  if (!node.children.empty()) {
    out << "<ul>";
    for (const TreeNode& child : node.children) WriteTree(module, child, out);
    out << "</ul>";
  }
  out << "</li>\n";
}

void WriteControl(const DisplayItem& item, std::ostream& out) {
  const std::string ref = Escape(item.reference);
  switch (item.controlStyle) {
    case 1:
      out << "<input class=\"edit\" value=\"" << ref << "\" title=\"" << Escape(item.format) << "\" readonly>";
      break;
    case 2:
      out << "<span class=\"static\">" << ref << "</span>";
      break;
    case 3:
      out << "<label class=\"radio\"><input type=\"radio\" disabled> " << ref << "</label>";
      break;
    case 4:
      out << "<input class=\"checkbox\" type=\"checkbox\" disabled>";
      break;
    case 5:
      out << "<select class=\"list\" size=\"2\" disabled><option>" << ref << "</option></select>";
      break;
    case 6:
      out << "<select class=\"combo\" disabled><option>" << ref << "</option></select>";
      break;
    case 7:
      out << "<button class=\"button\" disabled>" << Escape(item.label.empty() ? item.reference : item.label)
          << "</button>";
      break;
    case 11:
      out << "<span class=\"led\" title=\"" << ref << "\"></span>";
      break;
    default:
      if (item.parType == 4) {
        out << "<div class=\"embedded\" style=\"width:" << (item.weightOrWidth > 0 ? item.weightOrWidth : 120)
            << "px;height:" << (item.height > 0 ? item.height : 40) << "px\">embedded " << Escape(item.labelRef) << " ("
            << ref << ")</div>";
      } else if (item.parType == 5) {
        out << "<div class=\"image\">image " << ref << "</div>";
      } else {
        out << "<span class=\"unknown\">" << ref << "</span>";
      }
  }
}

void WriteItem(const DisplayItem& item, std::ostream& out) {
  if (item.controlStyle == 8) {  // an empty field keeps its cell blank
    out << "<div class=\"cell empty\">&nbsp;</div>\n";
    return;
  }
  if (item.controlStyle == 12) {
    out << "<div class=\"cell headline\" style=\"";
    if (!item.fontName.empty()) out << "font-family:'" << Escape(item.fontName) << "';";
    if (item.height > 0) out << "font-size:" << item.height << "px;";
    if (item.weightOrWidth > 0) out << "font-weight:" << item.weightOrWidth << ";";
    if (item.italic) out << "font-style:italic;";
    if (item.underline) out << "text-decoration:underline;";
    if (!Css(item.colorNormal).empty()) out << "color:" << Css(item.colorNormal) << ";";
    out << "\">" << Escape(item.label.empty() ? item.labelRef : item.label) << "</div>\n";
    return;
  }
  out << "<div class=\"cell item " << ControlStyleName(item.controlStyle) << "\"><span class=\"label\">"
      << Escape(item.label) << "</span>";
  WriteControl(item, out);
  if (item.displayCondition != 0) out << "<small> shown " << DisplayConditionName(item.displayCondition) << "</small>";
  out << "</div>\n";
}

void WriteDisplay(const Display& display, std::ostream& out) {
  out << "<section class=\"display\" id=\"" << Anchor(display.module, display.id) << "\">\n<h2>"
      << Escape(display.label.empty() ? display.id : display.label) << " <small>" << Escape(display.module) << " / "
      << Escape(display.id) << ", " << DisplayTypeName(display.type) << (display.rwro ? ", RWRO-conditional" : "")
      << "</small></h2>\n<div class=\"columns\">\n<div class=\"column\">\n";
  for (const DisplayItem& item : display.items) {
    if (item.controlStyle == 9) {  // a column break starts the next column
      out << "</div>\n<div class=\"column\">\n";
      continue;
    }
    WriteItem(item, out);
  }
  out << "</div>\n</div>\n<nav class=\"buttons\">";
  const std::pair<const char*, const std::string*> buttons[] = {{"first", &display.first},
                                                                {"previous", &display.previous},
                                                                {"next", &display.next},
                                                                {"last", &display.last},
                                                                {"home", &display.home}};
  for (const auto& [name, target] : buttons) {
    if (target->empty()) continue;
    out << "<a class=\"nav\" href=\"#" << Anchor(display.module, *target) << "\">" << name << "</a> ";
  }
  out << "</nav>\n</section>\n";
}

}  // namespace

void WriteHtml(const Device& device, std::ostream& out) {
  out << "<!DOCTYPE html>\n<html lang=\"" << Escape(device.language) << "\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
      << Escape(device.xmlFile) << "</title>\n<style>\n"
      << "body{font-family:sans-serif;margin:0;display:flex}\n"
      << "aside{width:22em;padding:1em;background:#f2f2f2;min-height:100vh}\n"
      << "main{flex:1;padding:1em}\n"
      << ".columns{display:flex;gap:2em}.column{display:flex;flex-direction:column;gap:.4em;min-width:16em}\n"
      << ".cell{min-height:1.6em;display:flex;gap:.6em;align-items:center}.label{min-width:8em}\n"
      << ".led{display:inline-block;flex:none;width:1em;height:1em;border-radius:50%;background:#4caf50}\n"
      << ".embedded,.image{border:1px dashed #888;padding:.3em}.cond{color:#a60}\n"
      << "section.display{border-top:1px solid #ccc;margin-bottom:2em}\n"
      << "</style>\n</head>\n<body>\n<aside>\n<h1>" << Escape(device.xmlFile) << "</h1>\n";
  for (const Module& module : device.modules) {
    out << "<div class=\"tree\" data-module=\"" << Escape(module.id) << "\">\n<h3>"
        << Escape(module.name.empty() ? module.id : module.name) << "</h3>\n<ul>\n";
    for (const TreeNode& node : module.tree) WriteTree(module.id, node, out);
    out << "</ul>\n</div>\n";
  }
  out << "</aside>\n<main>\n";
  for (const Display& display : device.displays) WriteDisplay(display, out);
  out << "</main>\n</body>\n</html>\n";
}

}  // namespace inspect
