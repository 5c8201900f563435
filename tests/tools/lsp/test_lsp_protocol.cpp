// The language server through its pipes: checks of unsaved buffers at the checker's positions, definitions,
// hovers and completion across both device files, and bad input answered with errors.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "../inspect_runner.h"
#include "lsp_client.h"

namespace {

namespace fs = std::filesystem;
using lsp_test::Find;
using lsp_test::Framed;
using nlohmann::json;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The first diagnostic of that rule, or null.
json WithCode(const json& diagnostics, const std::string& code) {
  for (const json& diagnostic : diagnostics) {
    if (diagnostic.value("code", "") == code) return diagnostic;
  }
  return nullptr;
}

std::string Start() {
  return Framed(lsp_test::Initialize(1)) + Framed(lsp_test::NotificationMessage("initialized", json::object()));
}

TEST(LspDiagnostics, UnsavedBuffersAreCheckedWhereCheckPlacesTheFindings) {
  const lsp_test::DemoCopy demo;
  // A character outside the Basic Multilingual Plane before the mistake: two UTF-16 code units.
  const std::string gui =
      Replaced(demo.guiText, R"(<VARIABLE_PARDIS VAR_REF="varTag" CONTROLSTYLE="EDIT"/>)",
               "<!-- \xF0\x9D\x84\x9E --><VARIABLE_PARDIS VAR_REF=\"varTagg\" CONTROLSTYLE=\"EDIT\"/>");
  const std::string loc = Replaced(demo.locText, R"(<ID NAME="lblDeviceTitle">)",
                                   R"(<ID NAME="lblNowhere"><LABEL>x</LABEL></ID><ID NAME="lblDeviceTitle">)");
  const lsp_test::Served served = lsp_test::Serve(Start() + Framed(lsp_test::DidOpen(demo.guiUri, gui)) +
                                                  Framed(lsp_test::DidOpen(demo.locUri, loc)) + lsp_test::Ending());
  EXPECT_EQ(served.exitCode, 0);

  const json unresolved = WithCode(served.Diagnostics(demo.guiUri), "unresolved-ref");
  ASSERT_FALSE(unresolved.is_null()) << served.Diagnostics(demo.guiUri);
  const lsp_test::Place typo = Find(gui, "varTagg\" CONTROLSTYLE=\"EDIT\"");
  EXPECT_EQ(unresolved["range"]["start"], json({{"line", typo.line}, {"character", typo.character}}));
  EXPECT_EQ(unresolved["range"]["end"], json({{"line", typo.line}, {"character", typo.character + 7}}));
  EXPECT_EQ(unresolved["severity"], 1);

  const json unused = WithCode(served.Diagnostics(demo.locUri), "unused-text");
  ASSERT_FALSE(unused.is_null()) << served.Diagnostics(demo.locUri);
  const lsp_test::Place nowhere = Find(loc, "<ID NAME=\"lblNowhere\"");
  EXPECT_EQ(unused["range"]["start"]["line"], nowhere.line);

  // The same texts saved and checked by `check`: the same places, 1-based there.
  fs::create_directories(demo.root + "/examples/saved");
  const std::string saved = demo.root + "/examples/saved/demo.xml";
  fs::copy(demo.root + "/examples/demo", demo.root + "/examples/saved",
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::ofstream(saved, std::ios::binary) << gui;
  const json check = json::parse(inspect_test::Inspect("check --format json " + inspect_test::Quote(saved)).out);
  bool compared = false;
  for (const json& finding : check["findings"]) {
    if (finding["rule"] != "unresolved-ref") continue;
    EXPECT_EQ(finding["line"], typo.line + 1);
    EXPECT_EQ(finding["column"], typo.character + 1);
    compared = true;
  }
  EXPECT_TRUE(compared) << check;

  // The saved files are untouched and no hidden copy is left behind.
  EXPECT_EQ(inspect_test::ReadFile(demo.gui), demo.guiText);
  for (const auto& entry : fs::directory_iterator(demo.root + "/examples/demo"))
    EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();

  // Fixed by an edit (given as a range, as some clients send them anyway), the finding is gone again.
  const json range = {{"start", {{"line", typo.line}, {"character", typo.character + 6}}},
                      {"end", {{"line", typo.line}, {"character", typo.character + 7}}}};
  const json fix = lsp_test::NotificationMessage("textDocument/didChange",
                                                 {{"textDocument", {{"uri", demo.guiUri}, {"version", 2}}},
                                                  {"contentChanges", json::array({{{"range", range}, {"text", ""}}})}});
  const lsp_test::Served fixed =
      lsp_test::Serve(Start() + Framed(lsp_test::DidOpen(demo.guiUri, gui)) + Framed(fix) + lsp_test::Ending());
  int reported = 0;
  for (const json& message : fixed.messages) {
    if (message.value("method", "") == "textDocument/publishDiagnostics" && message["params"]["uri"] == demo.guiUri)
      reported += WithCode(message["params"]["diagnostics"], "unresolved-ref").is_null() ? 0 : 1;
  }
  EXPECT_EQ(reported, 1);
  EXPECT_TRUE(fixed.Diagnostics(demo.guiUri).is_array());
  EXPECT_TRUE(WithCode(fixed.Diagnostics(demo.guiUri), "unresolved-ref").is_null());
}

// With --root the server checks, and writes its hidden copies beside, only the files below that directory:
// named with a final separator or not, and not through a ".." that leads out of it.
TEST(LspDiagnostics, ARootKeepsTheChecksAndTheirCopiesBelowIt) {
  const lsp_test::DemoCopy demo;
  const std::string broken = Replaced(demo.guiText, R"(VAR_REF="varTag")", R"(VAR_REF="varTagg")");
  const std::string outsideUri = "file://" + demo.root + "/examples/demo/sub/../demo.xml";
  const auto published = [&](const std::string& uri, const std::string& root) {
    const lsp_test::Served served = lsp_test::Serve(
        Start() + Framed(lsp_test::DidOpen(uri, broken)) + lsp_test::Ending(), "--root " + inspect_test::Quote(root));
    EXPECT_EQ(served.exitCode, 0);
    return std::count_if(served.messages.begin(), served.messages.end(), [](const json& message) {
      return message.value("method", "") == "textDocument/publishDiagnostics";
    });
  };
  EXPECT_GT(published(demo.guiUri, demo.root + "/examples/demo"), 0);
  EXPECT_GT(published(demo.guiUri, demo.root + "/examples/"), 0);
  EXPECT_EQ(published(demo.guiUri, demo.root + "/examples/demo/sub"), 0);
  EXPECT_EQ(published(demo.guiUri, demo.root + "/examples/dem"), 0);
  EXPECT_EQ(published(outsideUri, demo.root + "/examples/demo/sub"), 0);
}

// The places that name a variable or a module's display, from a reference or from a text of the localized
// file: uses in the GUI XML file, the texts in every language, the declaration only when asked for.
TEST(LspNavigation, ReferencesListEveryUseInBothFiles) {
  const lsp_test::DemoCopy demo;
  const lsp_test::Place text = Find(demo.locText, "<ID NAME=\"varTag\"", 11);
  const lsp_test::Place use = Find(demo.guiText, "VAR_REF=\"varTag\"", 10);
  const lsp_test::Place display = Find(demo.guiText, "PARDIS_REF=\"disBasic\"", 13);
  const auto references = [](int id, const std::string& uri, lsp_test::Place place, bool declaration) {
    json request = lsp_test::AtPosition(id, "textDocument/references", uri, place.line, place.character);
    request["params"]["context"] = {{"includeDeclaration", declaration}};
    return Framed(request);
  };
  const lsp_test::Served served =
      lsp_test::Serve(Start() + references(2, demo.locUri, text, false) + references(3, demo.guiUri, use, true) +
                      references(4, demo.guiUri, display, false) + lsp_test::Ending());
  // Each place as "gui:line" or "loc:line" (1-based), checked to hold the identifier itself.
  const auto places = [&](int id, const std::string& identifier) {
    std::vector<std::string> found;
    for (const json& location : (*served.Reply(id))["result"]) {
      const bool gui = location["uri"] == demo.guiUri;
      const json& range = location["range"];
      EXPECT_EQ(range["start"]["line"], range["end"]["line"]);
      const unsigned line = range["start"]["line"];
      std::string lineText = gui ? demo.guiText : demo.locText;
      for (unsigned skipped = 0; skipped < line; ++skipped) lineText.erase(0, lineText.find('\n') + 1);
      lineText = lineText.substr(0, lineText.find('\n'));
      const unsigned from = range["start"]["character"], to = range["end"]["character"];
      EXPECT_EQ(lineText.substr(from, to - from), identifier) << lineText;
      found.push_back((gui ? "gui:" : "loc:") + std::to_string(line + 1));
    }
    std::sort(found.begin(), found.end());
    return found;
  };
  const std::vector<std::string> uses = {"gui:131", "gui:147", "gui:158", "gui:280", "gui:291", "loc:176", "loc:59"};
  EXPECT_EQ(places(2, "varTag"), uses);
  std::vector<std::string> withDeclaration = uses;
  withDeclaration.push_back("gui:77");
  std::sort(withDeclaration.begin(), withDeclaration.end());
  EXPECT_EQ(places(3, "varTag"), withDeclaration);
  EXPECT_EQ(places(4, "disBasic"), (std::vector<std::string>{"gui:125", "gui:127", "gui:131", "gui:132", "gui:133",
                                                             "gui:154", "gui:186", "loc:105", "loc:222"}));

  // A second declaration, a few lines below the first, is hidden by it: it is no place of the first one.
  const std::string twice = Replaced(demo.guiText, "<VAR_DEC VAR_ID=\"varDescriptor\">",
                                     "<VAR_DEC VAR_ID=\"varTag\"/><VAR_DEC VAR_ID=\"varDescriptor\">");
  const lsp_test::Served hidden = lsp_test::Serve(Start() + Framed(lsp_test::DidOpen(demo.guiUri, twice)) +
                                                  references(2, demo.guiUri, use, true) + lsp_test::Ending());
  std::vector<unsigned> declarations;
  for (const json& location : (*hidden.Reply(2))["result"]) {
    const unsigned line = location["range"]["start"]["line"];
    if (location["uri"] == demo.guiUri && line < 100) declarations.push_back(line + 1);
  }
  EXPECT_EQ(declarations, std::vector<unsigned>{77});
}

// The outline of each file: declarations with module-local ones inside their module; language blocks with
// their scopes and the identifiers they give texts. Every symbol lies inside its parent, its name inside it.
TEST(LspNavigation, OutlinesOfBothFiles) {
  const lsp_test::DemoCopy demo;
  const auto symbols = [](int id, const std::string& uri) {
    return Framed(lsp_test::RequestMessage(id, "textDocument/documentSymbol", {{"textDocument", {{"uri", uri}}}}));
  };
  const lsp_test::Served served =
      lsp_test::Serve(Start() + symbols(2, demo.guiUri) + symbols(3, demo.locUri) + lsp_test::Ending());
  const auto position = [](const json& at) {
    return std::make_pair(at["line"].get<int>(), at["character"].get<int>());
  };
  const auto inside = [&](const json& inner, const json& outer) {
    return position(outer["start"]) <= position(inner["start"]) && position(inner["end"]) <= position(outer["end"]);
  };
  // "name detail" of each symbol, its children after it, indented.
  std::vector<std::string> lines;
  const std::function<void(const json&, const json*, std::string)> walk = [&](const json& symbol, const json* parent,
                                                                              std::string indent) {
    EXPECT_TRUE(inside(symbol["selectionRange"], symbol["range"])) << symbol["name"];
    if (parent != nullptr) {
      EXPECT_TRUE(inside(symbol["range"], (*parent)["range"])) << symbol["name"];
    }
    lines.push_back(indent + symbol["name"].get<std::string>() + " " + symbol["detail"].get<std::string>());
    for (const json& child : symbol["children"]) walk(child, &symbol, indent + "  ");
    for (size_t i = 1; i < symbol["children"].size(); ++i) {  // siblings one after the other
      EXPECT_LE(position(symbol["children"][i - 1]["range"]["end"]), position(symbol["children"][i]["range"]["start"]));
    }
  };
  for (const json& symbol : (*served.Reply(2))["result"]) walk(symbol, nullptr, "");
  const auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
  EXPECT_TRUE(has("varTag variable") && has("lblPressureUnit label") && has("modSetup module")) << lines.size();
  EXPECT_TRUE(has("  disBasic display") && has("  menuSetupRoot menu"));
  EXPECT_FALSE(has("disBasic display"));  // only inside its module

  lines.clear();
  for (const json& symbol : (*served.Reply(3))["result"]) walk(symbol, nullptr, "");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with(" language"); }),
            2);
  EXPECT_EQ(lines.front(), "en language");
  EXPECT_TRUE(has("  GLOBAL scope") && has("    varTag texts") && has("  modSetup scope") && has("    disBasic texts"));
}

// A rename changes the declaration and every place that names it, in both files, and nothing else; a name
// that is taken, or that could not stand in an attribute value, is refused.
TEST(LspNavigation, RenameChangesEveryPlaceOrNone) {
  const lsp_test::DemoCopy demo;
  const lsp_test::Place use = Find(demo.guiText, "VAR_REF=\"varTag\"", 10);
  const lsp_test::Place style = Find(demo.guiText, "CONTROLSTYLE=\"EDIT\"", 15);
  const auto rename = [&](int id, lsp_test::Place place, const std::string& name) {
    json request = lsp_test::AtPosition(id, "textDocument/rename", demo.guiUri, place.line, place.character);
    request["params"]["newName"] = name;
    return Framed(request);
  };
  const lsp_test::Served served =
      lsp_test::Serve(Start() + rename(2, use, "varTagName") + rename(3, use, "varPV") + rename(4, use, "var Tag") +
                      rename(5, style, "STATIC") + lsp_test::Ending());
  const json& changes = (*served.Reply(2))["result"]["changes"];
  ASSERT_EQ(changes.size(), 2u) << changes;
  EXPECT_EQ(changes[demo.guiUri].size(), 6u);  // the declaration and five uses
  EXPECT_EQ(changes[demo.locUri].size(), 2u);  // the English and the German texts
  for (const json& edit : changes[demo.guiUri]) EXPECT_EQ(edit["newText"], "varTagName");
  const auto error = [&](int id) { return (*served.Reply(id))["error"]; };
  EXPECT_EQ(error(3)["message"], "a variable 'varPV' is declared already");
  EXPECT_EQ(error(4)["code"], -32602);
  EXPECT_EQ(error(5)["message"], "nothing declared here to rename");
}

TEST(LspNavigation, DefinitionHoverAndCompletionAcrossBothFiles) {
  const lsp_test::DemoCopy demo;
  const lsp_test::Place reference = Find(demo.guiText, "VAR_REF=\"varPV\"", 10);
  const lsp_test::Place declaration = Find(demo.guiText, "VAR_ID=\"varPV\"", 8);
  const lsp_test::Place display = Find(demo.guiText, "PARDIS_REF=\"disBasic\"", 13);
  const lsp_test::Place displayDeclaration = Find(demo.guiText, "PARDIS_ID=\"disBasic\"", 11);
  const lsp_test::Place text = Find(demo.locText, "<ID NAME=\"varPV\"", 11);
  const lsp_test::Place style = Find(demo.guiText, "CONTROLSTYLE=\"EDIT\"", 15);
  const lsp_test::Place type = Find(demo.guiText, ">DD_FLOAT<", 3);
  std::string input = Start();
  input += Framed(lsp_test::AtPosition(2, "textDocument/definition", demo.guiUri, reference.line, reference.character));
  input += Framed(lsp_test::AtPosition(3, "textDocument/definition", demo.locUri, text.line, text.character));
  input += Framed(lsp_test::AtPosition(4, "textDocument/definition", demo.guiUri, display.line, display.character));
  input += Framed(lsp_test::AtPosition(5, "textDocument/hover", demo.guiUri, reference.line, reference.character));
  input += Framed(lsp_test::AtPosition(6, "textDocument/completion", demo.guiUri, reference.line, reference.character));
  input += Framed(lsp_test::AtPosition(7, "textDocument/completion", demo.guiUri, style.line, style.character));
  input += Framed(lsp_test::AtPosition(8, "textDocument/completion", demo.guiUri, type.line, type.character));
  // The same file opened with a line more above the declaration: the answer follows the buffer (the first
  // answers came from the saved file).
  const std::string moved = Replaced(demo.guiText, "<VAR_DEC VAR_ID=\"varPV\"", "\n<VAR_DEC VAR_ID=\"varPV\"");
  input += Framed(lsp_test::DidOpen(demo.guiUri, moved));
  input +=
      Framed(lsp_test::AtPosition(9, "textDocument/definition", demo.guiUri, reference.line + 1, reference.character));
  const lsp_test::Served served = lsp_test::Serve(input + lsp_test::Ending());

  const auto startOf = [&](int id) {
    return served.Reply(id) ? (*served.Reply(id))["result"]["range"]["start"] : json();
  };
  const auto at = [](lsp_test::Place place) { return json({{"line", place.line}, {"character", place.character}}); };
  EXPECT_EQ((*served.Reply(2))["result"]["uri"], demo.guiUri);
  EXPECT_EQ(startOf(2), at(declaration));                       // the value's first character
  EXPECT_EQ((*served.Reply(3))["result"]["uri"], demo.guiUri);  // from the localized file
  EXPECT_EQ(startOf(3), at(declaration));
  EXPECT_EQ(startOf(4), at(displayDeclaration));
  EXPECT_EQ(startOf(9), at(Find(moved, "VAR_ID=\"varPV\"", 8)));

  const std::string hover = (*served.Reply(5))["result"]["contents"]["value"];
  for (const char* word : {"**variable** `varPV`", "**en**: Pressure", "*GAUGE*: Gauge pressure",
                           "tooltip: Measured process pressure", "**de**: Druck", "*ABSOLUTE*: Absolutdruck"})
    EXPECT_NE(hover.find(word), std::string::npos) << word << " in " << hover;

  const auto labels = [&](int id) {
    std::vector<std::string> found;
    for (const json& item : (*served.Reply(id))["result"]["items"]) found.push_back(item["label"]);
    return found;
  };
  const auto has = [](const std::vector<std::string>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
  };
  const std::vector<std::string> variables = labels(6);
  EXPECT_TRUE(has(variables, "varPV") && has(variables, "varTag") && has(variables, "varPVUnit"));
  EXPECT_FALSE(has(variables, "disBasic") || has(variables, "metZeroTrim"));
  const std::vector<std::string> styles = labels(7);
  EXPECT_TRUE(has(styles, "EDIT") && has(styles, "COMBO") && has(styles, "STATIC"));
  EXPECT_FALSE(has(styles, "BUTTON") || has(styles, "varPV"));  // a method's style, an identifier
  EXPECT_TRUE(has(labels(8), "DD_FLOAT"));
}

TEST(LspNavigation, HoverShowsTheBufferAsTypedWithItsCharacterReferencesDecoded) {
  const lsp_test::DemoCopy demo;
  std::string loc = demo.locText;
  const std::string druck = "<LABEL>Druck</LABEL>";
  loc.replace(loc.find(druck), druck.size(), "<LABEL>Dr&#xFC;ck &#128200; &#0; &#xD800;</LABEL>");
  const lsp_test::Place reference = Find(demo.guiText, "VAR_REF=\"varPV\"", 10);
  std::string input = Start();
  input += Framed(lsp_test::DidOpen(demo.locUri, loc));
  input += Framed(lsp_test::AtPosition(5, "textDocument/hover", demo.guiUri, reference.line, reference.character));
  const lsp_test::Served served = lsp_test::Serve(input + lsp_test::Ending());
  const std::string hover = (*served.Reply(5))["result"]["contents"]["value"];
  // Two- and four-byte characters; a reference that names no character is dropped.
  EXPECT_NE(hover.find("**de**: Dr\xC3\xBC"
                       "ck \xF0\x9F\x93\x88   \xE2\x80\x94"),
            std::string::npos)
      << hover;
}

TEST(LspProtocol, BadInputIsAnsweredWithErrorsAndTheServerGoesOn) {
  const lsp_test::DemoCopy demo;
  std::string input;
  input += Framed(lsp_test::AtPosition(1, "textDocument/hover", demo.guiUri, 0, 0));  // before initialize
  input += "Content-Length: 9\r\n\r\n{not json";
  input += "Content-Type: text/plain\r\n\r\n";
  input += Framed(json::array({1, 2}));
  input += Framed(lsp_test::Initialize(2));
  input += Framed(lsp_test::RequestMessage(3, "textDocument/formatting", json::object()));
  input += Framed(lsp_test::RequestMessage(4, "textDocument/definition", {{"textDocument", {{"uri", demo.guiUri}}}}));
  input += Framed(lsp_test::AtPosition(5, "textDocument/hover", demo.guiUri, 100000, 100000));  // past the end
  input += Framed(lsp_test::NotificationMessage("textDocument/didChange", {{"bogus", true}}));
  const lsp_test::Served served = lsp_test::Serve(input + lsp_test::Ending());

  const auto code = [&](int id) { return served.Reply(id) ? (*served.Reply(id))["error"]["code"] : json(); };
  EXPECT_EQ(code(1), -32002);
  std::vector<int> anonymous;
  for (const json& message : served.messages) {
    if (message.contains("error") && message["id"].is_null()) anonymous.push_back(message["error"]["code"]);
  }
  EXPECT_EQ(anonymous, (std::vector<int>{-32700, -32700, -32600}));
  EXPECT_TRUE((*served.Reply(2))["result"]["capabilities"]["hoverProvider"]);
  EXPECT_EQ(code(3), -32601);
  EXPECT_EQ(code(4), -32602);
  EXPECT_EQ((*served.Reply(5))["result"], nullptr);
  EXPECT_EQ((*served.Reply(999))["result"], nullptr);
  EXPECT_EQ(served.exitCode, 0);

  // An input that ends inside a message, without a shutdown: no reply to it, exit code 1.
  const lsp_test::Served cut = lsp_test::Serve(Start() + "Content-Length: 100\r\n\r\n{\"id\":");
  EXPECT_EQ(cut.exitCode, 1);
  EXPECT_EQ(cut.messages.size(), 1U);
}

}  // namespace

namespace {

std::vector<std::string> Labels(const lsp_test::Served& served, int id) {
  std::vector<std::string> found;
  if (served.Reply(id) == nullptr) return found;
  for (const json& item : (*served.Reply(id))["result"]["items"]) found.push_back(item["label"]);
  std::sort(found.begin(), found.end());
  return found;
}

TEST(LspNavigation, CompletesWhileATagIsHalfWrittenAndByScopeInTheLocalizedFile) {
  const lsp_test::DemoCopy demo;
  // Typed up to the cursor, with nothing after the value yet.
  const std::string gui = Replaced(demo.guiText, R"(<VARIABLE_PARDIS VAR_REF="varTag" CONTROLSTYLE="EDIT"/>)",
                                   "<HOR_NAV TARGET=\"NEXT\" PARDIS_REF=\"dis\n");
  const lsp_test::Place typed = Find(gui, "PARDIS_REF=\"dis\n", 15);
  const lsp_test::Place scope = Find(demo.locText, "<SCOPE ID=\"modSetup\"", 11);
  const lsp_test::Place inModule = Find(demo.locText, "<ID NAME=\"menuSetupRoot\"", 10);  // in modSetup's scope
  std::string input = Start() + Framed(lsp_test::DidOpen(demo.guiUri, gui));
  input += Framed(lsp_test::AtPosition(2, "textDocument/completion", demo.guiUri, typed.line, typed.character));
  input += Framed(lsp_test::AtPosition(3, "textDocument/completion", demo.locUri, scope.line, scope.character));
  input += Framed(lsp_test::AtPosition(4, "textDocument/completion", demo.locUri, inModule.line, inModule.character));
  const lsp_test::Served served = lsp_test::Serve(input + lsp_test::Ending());

  // The displays of the module the tag stands in, and the typed part is what a choice replaces.
  EXPECT_EQ(Labels(served, 2), (std::vector<std::string>{"disBasic", "disOutput", "disSetupOverview"}));
  const json edit = (*served.Reply(2))["result"]["items"][0]["textEdit"]["range"];
  EXPECT_EQ(edit["start"]["character"], typed.character - 3);
  EXPECT_EQ(edit["end"]["character"], typed.character);
  // A scope is a module or one of the two named scopes.
  const std::vector<std::string> scopes = Labels(served, 3);
  for (const char* word : {"GLOBAL", "SDKSTDGUI", "modSetup", "modDiagnosis"})
    EXPECT_NE(std::find(scopes.begin(), scopes.end(), word), scopes.end()) << word;
  // Inside a module's scope: that module's menus and displays, no variables.
  const std::vector<std::string> names = Labels(served, 4);
  EXPECT_NE(std::find(names.begin(), names.end(), "disBasic"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "menuBasic"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "varPV"), names.end());
}

}  // namespace
