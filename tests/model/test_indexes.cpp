// Look-ups by identifier answer as a scan of their list from the front would, on a device with duplicates.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "model/IdIndex.h"
#include "support/test_paths.h"

namespace {

// The oracle: the first record of the list with that identifier, found by walking the list.
template <typename List>
auto ScanFirst(const List& list, const std::u16string& id) -> decltype(list.front().get()) {
  for (const auto& record : list) {
    if (record->Id() == id) return record.get();
  }
  return nullptr;
}

const std::u16string kIds[] = {u"varDup",  u"varOnce", u"metaDup",   u"metDup", u"imgDup", u"modDup",
                               u"modOnce", u"menuDup", u"menuOther", u"nope",   u""};

// Every identifier query of the model against the scan of its list.
void ExpectFirstMatchAnswers(const CDDModel& model) {
  for (const std::u16string& id : kIds) {
    SCOPED_TRACE(std::string(id.begin(), id.end()));
    int32_t type = -7, handling = -7;
    const CDDVariable* variable = ScanFirst(model.Variables(), id);
    EXPECT_EQ(model.GetParameterType(id, PAR_VARIABLE, type, handling),
              variable && variable->GetType() != TYPE_UNKNOWN ? 0 : -1);
    if (variable) {
      EXPECT_EQ(std::tuple(type, handling), std::tuple(variable->GetType(), variable->GetHandling()));
    }

    std::u16string format = u"keep", alignment, style;
    int32_t condition = -7, conditional = -7;
    EXPECT_EQ(model.GetParameterFormat(id, PAR_VARIABLE, format, alignment, condition, style, conditional),
              variable ? 0 : -1);
    EXPECT_EQ(format, variable ? variable->GetFormat() : u"keep");
    const CDDMetaVariable* meta = ScanFirst(model.MetaVariables(), id);
    format = u"keep";
    EXPECT_EQ(model.GetParameterFormat(id, PAR_META, format, alignment, condition, style, conditional), meta ? 0 : -1);
    EXPECT_EQ(format, meta ? meta->GetFormat() : u"keep");

    const CDDMethod* method = ScanFirst(model.Methods(), id);
    handling = -7;
    model.GetParameterType(id, PAR_METHODE, type, handling);
    EXPECT_EQ(handling, method ? method->GetHandling() : -7);

    const CDDImage* image = ScanFirst(model.Images(), id);
    std::u16string reference = u"keep";
    EXPECT_EQ(model.GetParameterRefAt(id, PAR_IMAGE, 0, reference), image ? 0 : -1);
    EXPECT_EQ(reference, image ? image->GetImageRef(0) : u"keep");

    const CDDModule* module = ScanFirst(model.Modules(), id);
    std::u16string icon = u"keep";
    EXPECT_EQ(model.GetModuleIconRef(id, icon), module ? 0 : -1);
    EXPECT_EQ(icon, module ? module->GetIcon() : u"keep");

    // Menus of the first module: the first menu of an identifier answers, the first menu holding an entry
    // gives the display of an item outside every menu.
    const CDDModule& first = *ScanFirst(model.Modules(), u"modDup");
    const CDDMenuItem* menu = ScanFirst(first.Menus(), id);
    std::vector<CDDMenuEntry> entries;
    EXPECT_EQ(model.GetMenuItems(u"modDup", id, entries), menu ? 0 : -1);
    EXPECT_EQ(entries.size(), menu ? menu->Entries().size() : 0u);
    std::u16string display = u"keep";
    int32_t expectedMenu = -1;
    for (size_t i = 0; i < first.Menus().size() && expectedMenu < 0; ++i) {
      if (first.Menus()[i]->FindEntryDisplay(id, display)) expectedMenu = static_cast<int32_t>(i);
    }
    std::u16string found = u"keep";
    EXPECT_EQ(first.FindMenuOfItem(id, found), expectedMenu);
    EXPECT_EQ(found, display);
  }

  // Enumeration items of every variable, short lists and long ones: the first item of a value (never one
  // without a value), and the first of a value and DD string.
  for (const auto& variable : model.Variables()) {
    const auto& items = variable->EnumItems().Items();
    for (const std::u16string value : {u"1", u"2", u"8", u"9", u""}) {
      const CDDBase* first = nullptr;
      for (const auto& item : items) {
        if (!value.empty() && item->Id() == value && first == nullptr) first = item.get();
      }
      EXPECT_EQ(variable->FindChild(value), first);
      for (const std::u16string key : {u"A", u"B", u"C"}) {
        const CDDBase* keyed = nullptr;
        for (const auto& item : items) {
          if (item->Id() == value && item->DdString() == key && keyed == nullptr) keyed = item.get();
        }
        EXPECT_EQ(variable->FindChildByDdString(value, key), keyed);
      }
    }
  }

  // Header records: the first of a mode and mapping; metavariables: the first of a known type.
  std::u16string parameter, label, status;
  int32_t origin = 0, headerType = 0;
  EXPECT_EQ(model.GetHeaderVarRef(MODE_ONLINE, u"TAG", parameter, origin, label, status, headerType), 0);
  EXPECT_EQ(parameter, u"varDup");
  int32_t varType = 0, size = 0, conditional = 0;
  std::u16string storage, handlingText;
  EXPECT_EQ(model.GetParameterDatatype(u"metaDup", PAR_META, varType, size, conditional, storage, handlingText), 0);
  EXPECT_EQ(std::tuple(varType, storage), std::tuple(int32_t{TYPE_DD_UINT8}, std::u16string(u"DYNAMIC")));
}

TEST(Indexes, FirstMatchAnswersAfterLoadingSwitchingAndLoadingAgain) {
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, "queries/duplicates.xml", "queries/duplicates_loc.xml"), 0);
  ASSERT_EQ(model.Variables().size(), 3u);
  ExpectFirstMatchAnswers(model);

  ASSERT_EQ(model.ChangeLanguage(u"de", nullptr), 0);
  ExpectFirstMatchAnswers(model);
  std::u16string label;
  ASSERT_EQ(model.GetGlobalLabel(u"varDup", label), 0);
  EXPECT_EQ(label, u"Doppelt");

  // A second load on the same object appends to the lists: the records of the first load still answer.
  ASSERT_EQ(k42test::Load(model, "queries/duplicates.xml", "queries/duplicates_loc.xml"), 0);
  ASSERT_EQ(model.Variables().size(), 6u);
  ExpectFirstMatchAnswers(model);
}

}  // namespace

namespace {

struct Keyed {
  std::u16string id;
  std::u16string_view Id() const { return id; }
};

}  // namespace

// The table keeps part of each identifier's hash beside its record: across growths and colliding probes,
// every record is found under its own identifier only, a taken identifier is refused, an absent one missed.
TEST(Indexes, IdTableFindsEachRecordUnderItsOwnIdentifierOnly) {
  std::vector<Keyed> records(5000);
  k42::IdTable<Keyed> table;
  for (size_t i = 0; i < records.size(); ++i) {
    records[i].id = u"id" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + std::u16string(i / 26, u'x');
    ASSERT_TRUE(table.Insert(&records[i]));
  }
  Keyed again{records[17].id};
  EXPECT_FALSE(table.Insert(&again));
  EXPECT_EQ(table.size(), records.size());
  for (const Keyed& record : records) ASSERT_EQ(table.Find(record.id), &record);
  EXPECT_EQ(table.Find(u"idzy"), nullptr);
  EXPECT_EQ(table.Find(u""), nullptr);
  size_t visited = 0;
  table.ForEach(
      [&](Keyed& record) { visited += &record >= records.data() && &record < records.data() + records.size(); });
  EXPECT_EQ(visited, records.size());
}
