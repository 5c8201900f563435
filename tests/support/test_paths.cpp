// Test data paths and model loading for the tests.
#include "support/test_paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "loading/DDModel.h"
#include "platform/text.h"

namespace k42test {

std::u16string DataDir() { return k42::FromNarrow(std::string(K42GUI_TEST_DATA_DIR) + "/"); }

std::u16string DataPath(const std::string& relative) { return DataDir() + k42::FromNarrow(relative); }

std::string DataPathNarrow(const std::string& relative) { return std::string(K42GUI_TEST_DATA_DIR) + "/" + relative; }

int32_t Load(CDDModel& model, const std::string& xmlFile, const std::string& locFile, const std::u16string& language,
             int32_t functionId, HWND progress) {
  return model.Initialize(DataDir(), k42::FromNarrow(xmlFile), k42::FromNarrow(locFile), language, functionId,
                          progress);
}

namespace {

// One temporary directory per test process, removed when the process ends
// (kept when K42GUI_KEEP_TEST_FILES is set, for looking at a failure).
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "k42gui-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!m_path.empty() && std::getenv("K42GUI_KEEP_TEST_FILES") == nullptr) {
      std::filesystem::remove_all(m_path, ignored);
    }
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

}  // namespace

std::string WriteTempFile(const std::string& name, const std::string& text) {
  static const TempDir dir;
  if (dir.Path().empty()) return {};
  const std::filesystem::path path = dir.Path() / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

}  // namespace k42test
