// Directory prefixing of file references and the failed language switch.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/message_box_capture.h"
#include "support/test_paths.h"

namespace {

using Strings = std::vector<std::u16string>;

TEST(ModelPaths, ExactlyTheListedFileReferencesGetTheDirectory) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "queries/queries.xml", "queries/queries_loc.xml"), 0);
    const std::u16string dir = k42test::DataDir();

    std::u16string icon, tree, link, help;
    EXPECT_EQ(model.GetModuleIcon(u"modA", icon), 0);
    EXPECT_EQ(model.GetModuleTreeIconList(u"modA", tree), 0);
    EXPECT_EQ(model.GetExternModulePath(u"modB", link), 0);
    EXPECT_EQ((Strings{icon, tree, link}), (Strings{dir + u"img/a.ico", dir + u"img/a_tree.bmp", dir + u"ext/modB.xml"}));
    EXPECT_EQ(model.GetModuleIcon(u"modB", icon), 0);
    EXPECT_EQ(icon, u"");  // nothing to prefix

    std::u16string name;
    EXPECT_EQ(model.GetModuleInfo(u"modA", name, icon, tree, help), 0);
    EXPECT_EQ((Strings{name, icon, tree, help}), (Strings{u"Module A", dir + u"img/a.ico", dir + u"img/a_tree.bmp", u""}));
    name = icon = u"keep";
    EXPECT_EQ(model.GetModuleInfo(u"modX", name, icon, tree, help), -1);
    EXPECT_EQ(name + icon, u"keepkeep");

    std::u16string init;
    EXPECT_EQ(model.GetExternModule(u"modB", link, name, init), 0);
    EXPECT_EQ((Strings{link, name, init}), (Strings{u"ext/modB.xml", u"Module B", u"mode=1"}));  // not prefixed

    std::vector<CDDLogo> logos;
    EXPECT_EQ(model.GetLogo(logos), -1);  // one logo has no path; the others are prefixed all the same
    ASSERT_EQ(logos.size(), 3u);
    EXPECT_EQ((Strings{logos[0].m_reference, logos[1].m_reference, logos[2].m_reference}),
              (Strings{dir + u"img/vendor.bmp", u"", dir + u"img/device.bmp"}));

    std::u16string reference;
    EXPECT_EQ(model.GetParameterRef(u"imgA", PAR_IMAGE, reference), 0);
    EXPECT_EQ(reference, dir + u"img/a.bmp");
    std::u16string toolbar;
    EXPECT_EQ(model.GetToolbarIconsList(toolbar), 0);
    EXPECT_EQ(toolbar, dir + u"img/toolbar.bmp");

    CDDModel bare;
    ASSERT_EQ(k42test::Load(bare, "queries/no_labels.xml", "common/minimal_loc.xml"), 0);
    toolbar = u"keep";
    EXPECT_EQ(bare.GetToolbarIconsList(toolbar), -1);
    EXPECT_EQ(toolbar, u"");
    EXPECT_EQ(bare.GetLogo(logos), -1);
    EXPECT_TRUE(logos.empty());
}

TEST(ModelPaths, FailedLanguageSwitchShowsTheGuiXmlFileInOpenFailed) {
    CDDModel model;
    // The localized file does not exist: loading fails at its end, the GUI XML content stays.
    EXPECT_EQ(k42test::Load(model, "queries/no_labels.xml", "queries/absent_loc.xml"), kParseLocFileFailed);
    k42test::MessageBoxCapture boxes;
    EXPECT_EQ(model.OnLanguageIDChange(u"en", nullptr), 0);  // the current language: nothing is read
    EXPECT_TRUE(boxes.Shown().empty());

    EXPECT_NE(model.OnLanguageIDChange(u"de", nullptr), 0);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, k42test::DataDir() + u"queries/no_labels.xml");
    EXPECT_EQ(boxes.Shown()[0].caption, u"Open failed!");
    EXPECT_EQ(boxes.Shown()[0].type, static_cast<UINT>(MB_OK));
    std::u16string language;
    model.GetLanguage(language);
    EXPECT_EQ(language, u"de");
}

}  // namespace
