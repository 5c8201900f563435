// Loading a GUI XML file: progress messages, parse errors, result codes,
// path building and the refusal of anything outside the local files.
#include <gtest/gtest.h>

#include <algorithm>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/log_capture.h"
#include "support/message_box_capture.h"
#include "support/test_paths.h"
#include "support/test_window.h"

namespace {

using k42test::Load;

size_t CountLinesStartingWith(const std::vector<std::u16string>& lines, const std::u16string& prefix) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::u16string& line) { return line.rfind(prefix, 0) == 0; });
}

TEST(Loading, ValidFileSendsRangeStepAndOneStepPerSection) {
    k42test::TestWindow window;
    CDDModel model;
    ASSERT_EQ(Load(model, "model/sections.xml", "common/minimal_loc.xml", u"en", 1, window.Handle()), 0);

    const auto messages = window.Messages();
    ASSERT_EQ(messages.size(), 12u);
    EXPECT_EQ(messages[0], (k42test::ReceivedMessage{PBM_EH_SETRANGE, 0, MAKELPARAM(0, 11)}));
    EXPECT_EQ(messages[1], (k42test::ReceivedMessage{PBM_EH_SETSTEP, 1, 0}));
    for (size_t i = 2; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i], (k42test::ReceivedMessage{PBM_EH_STEPIT, 0, 0})) << i;
    }
    EXPECT_EQ(model.Labels().size(), 1u);
    EXPECT_EQ(model.Modules().size(), 1u);
    EXPECT_EQ(model.FunctionId(), 1);
}

TEST(Loading, NullWindowLoadsWithoutMessages) {
    CDDModel model;
    EXPECT_EQ(Load(model, "model/sections.xml", "common/minimal_loc.xml", u"en", 1, nullptr), 0);
    EXPECT_EQ(model.Labels().size(), 1u);
}

TEST(Loading, SchemaViolationsAreLoggedOneLinePerErrorAndNothingIsRead) {
    k42test::LogCapture log;
    k42test::TestWindow window;
    CDDModel model;
    EXPECT_EQ(Load(model, "model/schema_errors.xml", "common/minimal_loc.xml", u"en", 1, window.Handle()),
              kParseErrors);

    const auto lines = log.Lines();
    const size_t errors = CountLinesStartingWith(lines, u" XMLERROR:  ");
    EXPECT_GE(errors, 2u);
    EXPECT_EQ(static_cast<int32_t>(errors), model.DomErrorHandler()->ErrorCount());
    std::u16string countLine;
    for (char c : std::to_string(errors)) countLine.push_back(static_cast<char16_t>(c));
    countLine += u" error(s) found while parsing file:\n " + k42test::DataPath("model/schema_errors.xml");
    EXPECT_NE(std::find(lines.begin(), lines.end(), countLine), lines.end());
    EXPECT_TRUE(model.Labels().empty());
    EXPECT_TRUE(window.Messages().empty());  // no section was walked
}

TEST(Loading, NotWellFormedFileShowsTheFatalErrorBoxAndLeavesTheModelEmpty) {
    k42test::MessageBoxCapture boxes;
    CDDModel model;
    EXPECT_EQ(Load(model, "model/not_well_formed.xml", "common/minimal_loc.xml"), kParseErrors);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"FATAL ERROR found parsing TAVIRO XML file!");
    EXPECT_EQ(boxes.Shown()[0].caption, u"XML Reader");
    EXPECT_EQ(boxes.Shown()[0].type, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(model.Labels().empty());
    EXPECT_TRUE(model.Modules().empty());
}

TEST(Loading, MissingFileFailsWithoutReadingAnything) {
    k42test::MessageBoxCapture boxes;
    CDDModel model;
    EXPECT_NE(Load(model, "model/no_such_file.xml", "common/minimal_loc.xml"), 0);
    EXPECT_TRUE(model.Labels().empty());
}

TEST(Loading, PathsUseTheDirectoryAsPassedWhileTheStoredDirectoryGetsItsSeparator) {
    k42test::MessageBoxCapture boxes;  // the files do not exist
    struct Case {
        std::u16string directory, stored, xmlPath;
    };
    const Case cases[] = {
        {u"/data/dev", u"/data/dev/", u"/data/devgui.xml"},
        {u"/data/dev/", u"/data/dev/", u"/data/dev/gui.xml"},
        {u"C:\\dev", u"C:\\dev\\", u"C:\\devgui.xml"},
        {u"C:\\dev\\", u"C:\\dev\\", u"C:\\dev\\gui.xml"},
        {u"C:\\dev/sub\\", u"C:\\dev/sub\\/", u"C:\\dev/sub\\gui.xml"},  // any '/' makes '/' the separator
        {u"", u"\\", u"gui.xml"},
    };
    for (const Case& c : cases) {
        CDDModel model;
        model.Initialize(c.directory, u"gui.xml", u"loc.xml", u"en", 1, nullptr);
        EXPECT_EQ(model.Directory(), c.stored);
        EXPECT_EQ(model.XmlPath(), c.xmlPath);
        EXPECT_EQ(model.LocPath(), c.directory + u"loc.xml");
        EXPECT_EQ(model.XmlFileName(), u"gui.xml");
    }
}

TEST(Loading, LanguageAndFunctionIdentifierAreStored) {
    CDDModel model;
    ASSERT_EQ(Load(model, "model/sections.xml", "common/minimal_loc.xml", u"de", 7), 0);
    EXPECT_EQ(model.Language(), u"de");
    EXPECT_EQ(model.FunctionId(), 7);
    EXPECT_TRUE(model.Modules().empty());  // function 7 lists no module
}

TEST(SafeLoading, RemoteGrammarLocationIsRefusedAndTheLoadFails) {
    k42test::LogCapture log;
    CDDModel model;
    EXPECT_EQ(Load(model, "model/remote_schema.xml", "common/minimal_loc.xml"), kParseErrors);
    const auto lines = log.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::u16string& line) {
        return line.find(u"remote grammar location refused: http://127.0.0.1:9/guixml.xsd") != std::u16string::npos;
    }));
    EXPECT_TRUE(model.Labels().empty());
}

TEST(SafeLoading, ExternalEntityIsNeverRead) {
    k42test::LogCapture log;
    k42test::MessageBoxCapture boxes;
    CDDModel model;
    EXPECT_EQ(Load(model, "model/external_entity.xml", "common/minimal_loc.xml"), kParseErrors);
    const auto lines = log.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::u16string& line) {
        return line.find(u"external entity refused: file:///etc/hostname") != std::u16string::npos;
    }));
    EXPECT_TRUE(model.Labels().empty());
}

TEST(SafeLoading, EntityExpansionStopsAtTheLimit) {
    k42test::MessageBoxCapture boxes;
    CDDModel model;
    EXPECT_EQ(Load(model, "model/billion_laughs.xml", "common/minimal_loc.xml"), kParseErrors);
    EXPECT_FALSE(boxes.Shown().empty());
    EXPECT_TRUE(model.Labels().empty());
}

}  // namespace
