// Element classes: plain and variant texts, and the first-wins collection.
#include <gtest/gtest.h>

#include "model/DDBase.h"

namespace {

TEST(ElementTexts, PlainLabelAndVariantsAreKeptApart) {
    CDDElement element;
    element.SetLabel(u"Pressure", 3, u"");
    element.SetLabel(u"Druck (bar)", 7, u"UNIT_BAR");
    element.SetLabel(u"Druck (psi)", 0, u"UNIT_PSI");
    element.SetLabel(u"Pressure (bar)", 0, u"UNIT_BAR");  // replaces, no new variant

    std::u16string label;
    element.GetLabel(label);
    EXPECT_EQ(label, u"Pressure");
    EXPECT_EQ(element.GetOrder(), 3);  // a keyed label does not touch the order
    EXPECT_TRUE(element.HasVariants());

    std::vector<CDDText> variants;
    element.GetVariants(variants);
    ASSERT_EQ(variants.size(), 2u);
    EXPECT_EQ(variants[0].m_key, u"UNIT_BAR");
    EXPECT_EQ(variants[0].m_label, u"Pressure (bar)");
    EXPECT_EQ(variants[1].m_key, u"UNIT_PSI");
}

TEST(ElementTexts, TooltipFirstCreatesVariantThatLabelFillsLater) {
    CDDElement element;
    element.SetTooltip(u"tip", u"K");
    element.SetLabel(u"label", 0, u"K");
    std::vector<CDDText> variants;
    element.GetVariants(variants);
    ASSERT_EQ(variants.size(), 1u);
    EXPECT_EQ(variants[0].m_label, u"label");
    EXPECT_EQ(variants[0].m_tooltip, u"tip");

    std::u16string label = u"untouched";
    element.GetLabel(label);
    EXPECT_EQ(label, u"");  // only variants: the plain label is empty
}

TEST(ElementTexts, BaseOperationsLeaveOutputsAlone) {
    CDDElement element;
    std::u16string text = u"caller";
    element.GetDdString(text);
    EXPECT_EQ(text, u"caller");
    EXPECT_EQ(element.FindChild(u"x"), nullptr);
    EXPECT_EQ(element.FindChildByDdString(u"x", u"k"), nullptr);
    EXPECT_EQ(element.NextOrder(), 0);

    CDDBase base;
    base.SetLabel(u"ignored", 1, u"");
    base.GetLabel(text);
    EXPECT_EQ(text, u"caller");
}

TEST(ElementMap, FirstEnteredWinsAndKeysAreExact) {
    CDDElement first, second, lower, unnamed;
    first.SetId(u"Temp");
    second.SetId(u"Temp");
    lower.SetId(u"temp");
    CDDElementMap map;
    map.AddChild(&first);
    map.AddChild(&second);
    map.AddChild(&lower);
    map.AddChild(&unnamed);  // empty identifier: ignored
    map.AddChild(nullptr);
    EXPECT_EQ(map.Count(), 2u);
    EXPECT_EQ(map.FindChild(u"Temp"), &first);
    EXPECT_EQ(map.FindChild(u"temp"), &lower);
    EXPECT_EQ(map.FindChild(u"Temp "), nullptr);
}

TEST(ElementMap, DeleteAllDestroysHeldElements) {
    CDDElementMap map;
    auto* element = new CDDElement();
    element->SetId(u"owned");
    map.AddChild(element);
    map.DeleteAll();  // the sanitizer reports a leak if this does not delete
    EXPECT_EQ(map.Count(), 0u);
    EXPECT_EQ(map.FindChild(u"owned"), nullptr);
}

}  // namespace
