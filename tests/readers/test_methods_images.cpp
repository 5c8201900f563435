// Method and image declarations read through a parsed file.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

class MethodImageDeclarations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(k42test::Load(model_, "readers/decl_methods_images.xml", "common/minimal_loc.xml"), 0);
    }
    CDDModel model_;
};

TEST_F(MethodImageDeclarations, MethodHandlingIsTheLastRecognisedKeyword) {
    const auto& methods = model_.Methods();
    ASSERT_EQ(methods.size(), 3u);
    EXPECT_EQ(methods[0]->Id(), u"metPlain");
    EXPECT_EQ(methods[0]->GetHandling(), kREADWRITE);
    EXPECT_EQ(methods[1]->GetHandling(), kCONDITIONAL);
    // Lower case and a missing "HANDLING" leave the earlier value.
    EXPECT_EQ(methods[2]->GetHandling(), kWRITEONLY);
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"metTwo"), methods[1]);
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"metNeverRead"), nullptr);
}

TEST_F(MethodImageDeclarations, ImageSizesAndLinksOverwriteOnlyWhatTheyGive) {
    const auto& images = model_.Images();
    ASSERT_EQ(images.size(), 4u);

    const CDDImage& smallOnly = *images[0];
    EXPECT_EQ(smallOnly.GetImageRef(CDDImage::kRegular), u"");
    EXPECT_EQ(smallOnly.GetImageRef(CDDImage::kLarge), u"");
    EXPECT_EQ(smallOnly.GetImageRef(CDDImage::kSmall), u"small.bmp");
    EXPECT_EQ(smallOnly.GetHelpId(), 0);

    const CDDImage& all = *images[1];
    EXPECT_EQ(all.GetImageRef(CDDImage::kRegular), u"second.bmp");  // a later "REGULAR" without IREF keeps it
    EXPECT_EQ(all.GetImageRef(CDDImage::kLarge), u"large.bmp");
    EXPECT_EQ(all.GetHelpId(), 42);
    EXPECT_EQ(all.GetMenuRef(), u"mnuHelp");

    EXPECT_EQ(images[2]->GetHelpId(), 0);  // "none" is no number
    EXPECT_EQ(images[2]->GetMenuRef(), u"");
}

TEST_F(MethodImageDeclarations, AnImageNamedLikeAVariableIsStoredButNotFoundByIdentifier) {
    const auto& images = model_.Images();
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[3]->Id(), u"shared");
    ASSERT_EQ(model_.Variables().size(), 1u);
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"shared"), model_.Variables()[0]);
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"imgAll"), images[1]);
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"imgNeverRead"), nullptr);
}

}  // namespace
