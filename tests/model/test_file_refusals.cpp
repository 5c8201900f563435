// Schema locations that lead to a named pipe or a directory through "..", links or an include are refused
// by both readers instead of blocking the host's thread or leaking.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "loading/DDModel.h"
#include "platform/text.h"
#include "support/log_capture.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;

// A device directory with pipes where the library's textual resolution of ".." would lead, and where the
// system's resolution leads:
//   pipe.xsd            a named pipe ("nonexistent/../pipe.xsd" and "link/../pipe.xsd" read as text)
//   link -> real/inner  so the system resolves "link/../pipe.xsd" to real/pipe.xsd
//   real/pipe.xsd       a named pipe
//   real/dir.xsd/       a directory
class HostileDirectory {
 public:
  HostileDirectory() {
    m_dir = fs::path(k42test::WriteTempFile("hostile/.keep", "")).parent_path();
    fs::create_directories(m_dir / "real" / "inner");
    fs::create_directories(m_dir / "real" / "dir.xsd");
    std::error_code ignored;
    fs::create_directory_symlink(m_dir / "real" / "inner", m_dir / "link", ignored);
    for (const char* pipe : {"pipe.xsd", "real/pipe.xsd"}) {
      const std::string path = (m_dir / pipe).string();
      if (!fs::exists(path)) mkfifo(path.c_str(), 0600);
      m_pipes.push_back(path);
    }
  }

  fs::path Path(const std::string& name) const { return m_dir / name; }

  std::string Write(const std::string& name, const std::string& text) const {
    return k42test::WriteTempFile("hostile/" + name, text);
  }

  // Opens every pipe for writing, which releases a reader that waits on one.
  void ReleaseReaders() const {
    for (const std::string& pipe : m_pipes) {
      const int writer = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) close(writer);
    }
  }

 private:
  fs::path m_dir;
  std::vector<std::string> m_pipes;
};

std::string GuiXml(const std::string& schemaLocation) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<tv:GUIXML xmlns:tv=\"urn:k42gui:guixml\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
         "           xsi:schemaLocation=\"urn:k42gui:guixml " +
         schemaLocation + "\"/>\n";
}

std::string LocXml(const std::string& schemaLocation) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<LANGUAGE_SUPPORT xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
         "                  xsi:noNamespaceSchemaLocation=\"" +
         schemaLocation + "\"><LANG ID=\"en\" DEFAULT=\"1\"/></LANGUAGE_SUPPORT>\n";
}

// A schema that only includes another location.
std::string IncludingSchema(const std::string& targetNamespace, const std::string& location) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"" +
         (targetNamespace.empty() ? std::string() : " targetNamespace=\"" + targetNamespace + "\"") +
         "><xs:include schemaLocation=\"" + location + "\"/></xs:schema>\n";
}

// Loads the two files on another thread; should the load wait on a pipe, the pipes are opened for writing
// after a while, which releases it, so the test fails instead of hanging.
int32_t LoadWithoutWaiting(const HostileDirectory& dir, const std::string& gui, const std::string& loc) {
  auto load = std::async(std::launch::async, [&] {
    CDDModel model;
    return model.Initialize(u"", k42::FromNarrow(gui), k42::FromNarrow(loc), u"en", 1, nullptr);
  });
  if (load.wait_for(std::chrono::seconds(20)) == std::future_status::timeout) {
    ADD_FAILURE() << "the load waited on a pipe";
    dir.ReleaseReaders();
  }
  return load.get();
}

bool Logged(const k42test::LogCapture& log, const std::u16string& text) {
  for (const std::u16string& line : log.Lines()) {
    if (line.find(text) != std::u16string::npos) return true;
  }
  return false;
}

TEST(FileRefusals, SchemaPathsThatLeadToPipesOrDirectoriesAreRefusedInBothFiles) {
  const HostileDirectory dir;
  const std::string source = K42GUI_SOURCE_DIR;
  const std::string goodGui = k42test::DataPathNarrow("model/sections.xml");
  const std::string goodLoc = dir.Write("good_loc.xml", LocXml(source + "/schemas/guixml-loc.xsd"));
  dir.Write("include_gui.xsd", IncludingSchema("urn:k42gui:guixml", "link/../pipe.xsd"));
  dir.Write("include_loc.xsd", IncludingSchema("", "nonexistent/../pipe.xsd"));

  struct Case {
    const char* name;
    std::string location;
    std::u16string logged;  // empty: the schema is simply missing, as the system resolves the path
  };
  const Case cases[] = {
      {"dotdot", "nonexistent/../pipe.xsd", u""},
      {"link", "link/../pipe.xsd", u"grammar location is not a regular file (a named pipe): link/../pipe.xsd"},
      {"directory", "link/../dir.xsd", u"grammar location is not a regular file (a directory): link/../dir.xsd"},
      {"absolute", dir.Path("real/pipe.xsd").string(), u"not a regular file (a named pipe)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      k42test::LogCapture log;
      const std::string gui = dir.Write(std::string(c.name) + ".xml", GuiXml(c.location));
      EXPECT_EQ(LoadWithoutWaiting(dir, gui, goodLoc), kParseErrors);
      if (!c.logged.empty()) {
        EXPECT_TRUE(Logged(log, c.logged));
      }
    }
    {
      k42test::LogCapture log;
      const std::string loc = dir.Write(std::string(c.name) + "_loc.xml", LocXml(c.location));
      EXPECT_EQ(LoadWithoutWaiting(dir, goodGui, loc), kParseLocFileFailed);
      if (!c.logged.empty()) {
        EXPECT_TRUE(Logged(log, c.logged));
      }
    }
  }

  // The same paths inside an included schema.
  k42test::LogCapture log;
  const std::string gui = dir.Write("include.xml", GuiXml("include_gui.xsd"));
  EXPECT_EQ(LoadWithoutWaiting(dir, gui, goodLoc), kParseErrors);
  EXPECT_TRUE(Logged(log, u"grammar location is not a regular file (a named pipe): link/../pipe.xsd"));
  const std::string loc = dir.Write("include_loc.xml", LocXml("include_loc.xsd"));
  EXPECT_EQ(LoadWithoutWaiting(dir, goodGui, loc), kParseLocFileFailed);
}

// The device files themselves: a directory or a device in place of either file is refused at once.
TEST(FileRefusals, DirectoriesAndDevicesInPlaceOfTheFilesAreRefused) {
  const HostileDirectory dir;
  const std::string goodGui = k42test::DataPathNarrow("model/sections.xml");
  const std::string goodLoc = k42test::DataPathNarrow("common/minimal_loc.xml");
  for (const std::string& hostile : {dir.Path("real").string(), std::string("/dev/zero")}) {
    SCOPED_TRACE(hostile);
    k42test::LogCapture log;
    EXPECT_EQ(LoadWithoutWaiting(dir, hostile, goodLoc), kParseXmlException);
    EXPECT_TRUE(Logged(log, u"Not a regular file, not read : " + k42::FromNarrow(hostile)));
    EXPECT_EQ(LoadWithoutWaiting(dir, goodGui, hostile), kParseLocFileFailed);
  }
}

}  // namespace
