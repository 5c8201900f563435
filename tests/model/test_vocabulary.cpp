// The vocabulary tables that tools judge device files by name only elements and attributes that the
// schemas of the two files declare: a misspelt name there would silently switch a check off.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "model/Vocabulary.h"
#include "platform/utf.h"

namespace {

std::string Schema(const std::string& name) {
  std::ifstream in(std::string(K42GUI_SOURCE_DIR) + "/schemas/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The names of a table that the schema does not declare (xsi:type belongs to the instance namespace).
template <typename Entry, typename Names>
std::string Undeclared(const std::string& schema, std::span<const Entry> table, Names names) {
  std::string missing;
  for (const Entry& entry : table) {
    for (std::u16string_view name : names(entry)) {
      if (name.empty() || name == u"xsi:type") continue;
      const std::string narrow = k42::utf::ToUtf8(name);
      if (schema.find("name=\"" + narrow + "\"") == std::string::npos) missing += narrow + " ";
    }
  }
  return missing;
}

TEST(Vocabulary, EveryNameInTheTablesIsDeclaredByTheSchemaOfItsFile) {
  using namespace k42;
  const std::string gui = Schema("guixml.xsd");
  const std::string loc = Schema("guixml-loc.xsd");
  ASSERT_FALSE(gui.empty());
  ASSERT_FALSE(loc.empty());
  auto reference = [](const Reference& r) { return std::vector{r.element, r.attribute, r.condition}; };
  auto keyword = [](const KeywordAttribute& k) { return std::vector{k.element, k.attribute}; };
  auto declaration = [](const Declaration& d) { return std::vector{d.element, d.idAttribute}; };
  EXPECT_EQ(Undeclared(gui, GuiXmlDeclarations(), declaration), "");
  EXPECT_EQ(Undeclared(gui, GuiXmlReferences(), reference), "");
  EXPECT_EQ(Undeclared(gui, GuiXmlKeywordAttributes(), keyword), "");
  EXPECT_EQ(Undeclared(loc, LocalizedFileReferences(), reference), "");
  EXPECT_EQ(Undeclared(loc, LocalizedFileKeywordAttributes(), keyword), "");
}

}  // namespace
