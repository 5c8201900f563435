// Opening files for reading: what is refused, with which reason, and that nothing waits.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

#include "platform/files.h"
#include "platform/text.h"
#include "support/test_paths.h"

namespace {

TEST(ReadableFile, ReadsRegularFilesAndRefusesEverythingElseAtOnce) {
  const std::string file = k42test::WriteTempFile("files/plain.txt", "twelve bytes");
  const std::string dir = std::filesystem::path(file).parent_path().string();
  const std::string pipe = dir + "/pipe";
  std::filesystem::remove(pipe);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);

  k42::ReadableFile plain = k42::ReadableFile::Open(file);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain.Size(), 12u);
  std::string bytes;
  ASSERT_TRUE(plain.ReadAll(bytes));
  EXPECT_EQ(bytes, "twelve bytes");

  struct Case {
    std::string path;
    uint64_t limit;
    k42::OpenFailure failure;
    std::string described;
  };
  const Case cases[] = {
      {pipe, k42::kNoSizeLimit, k42::OpenFailure::kNotRegular, "not a regular file (a named pipe): " + pipe},
      {dir, k42::kNoSizeLimit, k42::OpenFailure::kNotRegular, "not a regular file (a directory): " + dir},
      {"/dev/zero", k42::kNoSizeLimit, k42::OpenFailure::kNotRegular, "not a regular file (a device): /dev/zero"},
      {dir + "/none", k42::kNoSizeLimit, k42::OpenFailure::kMissing, "no such file: " + dir + "/none"},
      {file + "/below", k42::kNoSizeLimit, k42::OpenFailure::kMissing, "no such file: " + file + "/below"},
      {file, 11, k42::OpenFailure::kTooLarge, "larger than 11 bytes: " + file},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    k42::ReadableFile refused = k42::ReadableFile::Open(c.path, c.limit);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.Failure(), c.failure);
    EXPECT_EQ(refused.Describe(c.path), c.described);
    EXPECT_FALSE(refused.ReadAll(bytes));
    EXPECT_EQ(refused.Read(bytes.data(), 1), -1);
  }
  // The wide form names the path with its code units as given.
  EXPECT_EQ(k42::ReadableFile::Open(u"/dev/null").Describe(u"/dev/null"), u"not a regular file (a device): /dev/null");
}

// The kernel, not the text, decides where "x/.." leads: a path through a missing directory does not exist,
// even where dropping "x/.." as text would name a pipe.
TEST(ReadableFile, DotDotIsResolvedByTheSystem) {
  const std::string file = k42test::WriteTempFile("files/dotdot/plain.txt", "x");
  const std::string dir = std::filesystem::path(file).parent_path().string();
  EXPECT_EQ(k42::ReadableFile::Open(dir + "/missing/../plain.txt").Failure(), k42::OpenFailure::kMissing);
  EXPECT_TRUE(k42::ReadableFile::Open(dir + "/../dotdot/plain.txt"));
  // Messages and relative references use the path the system opened.
  const std::string canonical = std::filesystem::canonical(file).string();
  EXPECT_EQ(k42::AbsolutePath(std::u16string(u"") + k42::FromNarrow(dir + "/../dotdot/plain.txt")),
            k42::FromNarrow(canonical));
}

}  // namespace
