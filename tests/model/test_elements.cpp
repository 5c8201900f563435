// Element classes: plain and variant texts, and the first-wins collection.
#include <gtest/gtest.h>

#include "model/DDBase.h"
#include "model/CompactText.h"
#include "model/TextPool.h"
#include "model/records/DDVariable.h"

namespace {

std::u16string LabelOf(const CDDBase& element) {
  std::u16string label = u"untouched";
  element.GetLabel(label);
  return label;
}

TEST(ElementTexts, PlainLabelVariantsAndBaseDefaults) {
  CDDElement element;
  element.SetLabel(u"Pressure", 3, u"");
  element.SetLabel(u"Druck (bar)", 7, u"UNIT_BAR");
  element.SetLabel(u"Druck (psi)", 0, u"UNIT_PSI");
  element.SetLabel(u"Pressure (bar)", 0, u"UNIT_BAR");  // replaces, no new variant
  EXPECT_EQ(LabelOf(element), u"Pressure");
  EXPECT_EQ(element.GetOrder(), 3);  // a keyed label does not touch the order
  EXPECT_TRUE(element.HasVariants());
  std::vector<CDDText> variants;
  element.GetVariants(variants);
  ASSERT_EQ(variants.size(), 2u);
  EXPECT_EQ(variants[0].m_key + u"=" + variants[0].m_label + u"|" + variants[1].m_key,
            u"UNIT_BAR=Pressure (bar)|UNIT_PSI");

  // A tooltip first creates the variant that the label fills later; only variants: empty plain label.
  CDDElement keyed;
  keyed.SetTooltip(u"tip", u"K");
  keyed.SetLabel(u"label", 0, u"K");
  keyed.GetVariants(variants);
  ASSERT_EQ(variants.size(), 1u);
  EXPECT_EQ(variants[0].m_label + u"|" + variants[0].m_tooltip, u"label|tip");
  EXPECT_EQ(LabelOf(keyed), u"");

  // Many keys, each set twice in a changing order: one variant per key, in first-seen order, last text wins.
  CDDElement many;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 20; ++i) {
      const int key = round == 0 ? i : 19 - i;
      many.SetLabel(u"L" + std::u16string(1, char16_t(u'a' + key)) + std::u16string(round, u'!'), 0,
                    u"K" + std::u16string(1, char16_t(u'a' + key)));
    }
  }
  many.SetTooltip(u"tip", u"Kc");
  many.GetVariants(variants);
  ASSERT_EQ(variants.size(), 20u);
  EXPECT_EQ(variants[2].m_key + variants[2].m_label + variants[2].m_tooltip, u"KcLc!tip");
  EXPECT_EQ(variants[19].m_key + variants[19].m_label, u"KtLt!");

  // Base operations leave outputs alone.
  CDDElement plain;
  std::u16string text = u"caller";
  plain.GetDdString(text);
  EXPECT_EQ(text, u"caller");
  EXPECT_EQ(plain.FindChild(u"x"), nullptr);
  EXPECT_EQ(plain.FindChildByDdString(u"x", u"k"), nullptr);
  EXPECT_EQ(plain.NextOrder(), 0);
  CDDBase base;
  base.SetLabel(u"ignored", 1, u"");
  EXPECT_EQ(LabelOf(base), u"untouched");
}

TEST(ElementMap, FirstEnteredWinsAndKeysAreExact) {
  CDDElement first, second, lower, unnamed;
  first.SetId(u"Temp");
  second.SetId(u"Temp");
  lower.SetId(u"temp");
  CDDElementMap map;
  for (CDDElement* element : {&first, &second, &lower, &unnamed, static_cast<CDDElement*>(nullptr)}) {
    map.AddChild(element);  // the empty identifier and null are ignored
  }
  EXPECT_EQ(map.Count(), 2u);
  EXPECT_EQ(map.FindChild(u"Temp"), &first);
  EXPECT_EQ(map.FindChild(u"temp"), &lower);
  EXPECT_EQ(map.FindChild(u"Temp "), nullptr);
}

// A short item list is searched by comparing texts alone, with no hash in front: values and DD strings that
// differ only in the upper byte of one code unit ("R" U+0052 and "Œ" U+0152), or only in their last unit,
// are different texts.
TEST(EnumItemList, ValuesAndDdStringsMatchOnEveryByteOfEveryUnit) {
  k42::TextPool pool;
  CDDEnumItemList items;
  items.Add(pool, u"1", u"NAMUR");
  items.Add(pool, u"1", u"NAMU\u0152");
  items.Add(pool, u"\u0131", u"");  // dotless i, U+0131, beside "1", U+0031
  items.Add(pool, u"12", u"");
  const auto& list = items.Items();
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(items.FindChild(u"1"), list[0].get());
  EXPECT_EQ(items.FindChild(u"\u0131"), list[2].get());
  EXPECT_EQ(items.FindChild(u"12"), list[3].get());
  EXPECT_EQ(items.FindChild(u"13"), nullptr);
  EXPECT_EQ(items.FindChildByDdString(u"1", u"NAMUR"), list[0].get());
  EXPECT_EQ(items.FindChildByDdString(u"1", u"NAMU\u0152"), list[1].get());
  EXPECT_EQ(items.FindChildByDdString(u"\u0131", u"NAMUR"), nullptr);
  EXPECT_EQ(items.FindChildByDdString(u"1", u"NAMUS"), nullptr);
}

// Rows keep pooled texts for the model's lifetime: every text must read back exactly, however many were
// stored before it and whatever their size, and a text seen again must not be stored again.
TEST(TextPool, TextsReadBackExactlyAndRepeatsAreStoredOnce) {
  k42::TextPool pool;
  EXPECT_TRUE(pool.Intern(u"").empty());
  EXPECT_EQ(pool.Intern(u"").View(), u"");
  const std::u16string huge(100000, u'x');  // longer than a storage block
  std::vector<std::u16string> texts{u"LEFT", u"left", u"LEFT ", std::u16string(u"a\0b", 3)};
  // Enough texts to fill several blocks, with the one of its own block stored between two of them.
  for (int i = 0; i < 20000; ++i) {
    texts.push_back(u"var" + std::u16string(1, char16_t(u'A' + i % 26)) + std::u16string(i % 7, u'_') +
                    std::u16string(1, char16_t(0x4E00 + i)));
    if (i == 10000) texts.push_back(huge);
  }
  std::vector<k42::PooledText> stored;
  for (const auto& text : texts) stored.push_back(pool.Intern(text));
  for (size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(stored[i].View(), texts[i]) << i;
    // A repeat hands out the very same storage.
    ASSERT_EQ(pool.Intern(texts[i]).View().data(), stored[i].View().data()) << i;
  }
  EXPECT_EQ(pool.Count(), texts.size());
}

// Texts of every length read back after assignment, copy, move and assignment from themselves, whether they
// are kept in the object or in a block of their own.
TEST(CompactText, EveryLengthSurvivesCopiesMovesAndReassignment) {
  const std::u16string texts[] = {u"", u"1", u"ab", std::u16string(u"x\0y", 3), u"four", u"a longer text, \u00e4"};
  for (const std::u16string& first : texts) {
    for (const std::u16string& second : texts) {
      k42::CompactText text(first);
      ASSERT_EQ(text.View(), first);
      k42::CompactText copy(text);
      text = second;
      EXPECT_EQ(copy.View(), first);
      EXPECT_EQ(text.View(), second);
      text = text.View().substr(text.View().size() / 2);  // from a part of itself
      EXPECT_EQ(text.View(), second.substr(second.size() / 2));
      k42::CompactText moved(std::move(copy));
      EXPECT_EQ(moved.View(), first);
      EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from text is empty
      moved = std::move(text);
      EXPECT_EQ(moved.View(), second.substr(second.size() / 2));
    }
  }

  // Made with a pool, a text is kept once in the pool; a copy owns its text and survives the pool (under the
  // address sanitizer a borrowed text would not).
  k42::CompactText survivor;
  {
    k42::TextPool pool;
    k42::CompactText a(pool, u"Enumeration label"), b(pool, std::u16string(u"Enumeration label"));
    const k42::CompactText shortText(pool, u"On"), owned(u"Enumeration label");
    EXPECT_EQ(a.View().data(), b.View().data());
    EXPECT_EQ(pool.Count(), 1u);
    EXPECT_TRUE(a.Borrowed() && !owned.Borrowed() && !shortText.Borrowed());
    survivor = a;
    EXPECT_FALSE(survivor.Borrowed());
    a = u"owned again";
    EXPECT_EQ(b.View(), u"Enumeration label");
    EXPECT_EQ(shortText.View(), u"On");
  }
  EXPECT_EQ(survivor.View(), u"Enumeration label");
}

}  // namespace
