// The SDK initialization string: key look-up, "||" escapes and the model's help entries.
#include <gtest/gtest.h>

#include "model/DDModel.h"
#include "model/InitString.h"

namespace {

using k42::InitStringValue;

TEST(InitString, ValuesWithEscapesAndKeysMatchedExactly) {
    const std::u16string text = u"HelpApplication=viewer.exe|HelpParameter=/A page=3|Path=C:||x||||y|Tail=ab||";
    EXPECT_EQ(InitStringValue(text, u"HelpApplication"), u"viewer.exe");
    EXPECT_EQ(InitStringValue(text, u"HelpParameter"), u"/A page=3");
    EXPECT_EQ(InitStringValue(text, u"Path"), u"C:|x||y");
    EXPECT_EQ(InitStringValue(text, u"Tail"), u"ab|");  // an escaped separator at the very end
    EXPECT_EQ(InitStringValue(text, u"Help"), u"");      // the beginning of a key is no key
    EXPECT_EQ(InitStringValue(text, u"Application"), u"");
    EXPECT_EQ(InitStringValue(text, u"helpapplication"), u"");
    EXPECT_EQ(InitStringValue(text, u""), u"");
    EXPECT_EQ(InitStringValue(u"", u"Path"), u"");
    EXPECT_EQ(InitStringValue(u"K=first|K=second", u"K"), u"first");
    // Escaped pairs are not seen while searching: "||B=" inside a value passes for the key B.
    EXPECT_EQ(InitStringValue(u"A=x||B=y|B=z", u"B"), u"y");
}

TEST(InitString, ModelStoresTheTextAndTakesItsHelpEntries) {
    CDDModel model;
    std::u16string value = u"keep";
    EXPECT_EQ(model.ParseInitString(u"HelpApplication", value), 1);  // nothing stored yet
    EXPECT_EQ(value, u"keep");

    EXPECT_EQ(model.SetSDKInitialization(u"HelpParameter=-p ||1|HelpApplication=hv"), 0);
    std::u16string text, application, parameter;
    EXPECT_EQ(model.GetSDKInitialization(text), 0);
    EXPECT_EQ(text, u"HelpParameter=-p ||1|HelpApplication=hv");
    EXPECT_EQ(model.GetSDKInitHelp(application, parameter), 0);
    EXPECT_EQ(application + u"/" + parameter, u"hv/-p |1");

    EXPECT_EQ(model.ParseInitString(u"HelpParameter", value), 0);
    EXPECT_EQ(value, u"-p |1");
    EXPECT_EQ(model.ParseInitString(u"HelpParam", value), 1);
    EXPECT_EQ(value, u"");

    model.SetSDKInitialization(u"Other=1");
    model.GetSDKInitHelp(application, parameter);
    EXPECT_EQ(application + parameter, u"");
}

}  // namespace
