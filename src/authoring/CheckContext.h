// What every family of the checker's rules reads (both files as scanned, the loaded model) and where their
// findings go.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <k42gui/DeviceCheck.h>
#include <k42gui/DeviceFiles.h>
#include <k42gui/IGuiXmlModel.h>

#include "authoring/SourceScan.h"
#include "loading/DDModel.h"
#include "model/Vocabulary.h"

namespace k42::check {

std::string Narrow(std::u16string_view text);
std::string Quoted(std::u16string_view text);
std::string Joined(const std::vector<std::u16string_view>& words);

// One declaration as the GUI XML file writes it.
struct Declared {
  Kind kind;
  std::u16string scope;  // the module of a menu or display, the use of a header place
  std::u16string key;    // the identifier as the look-ups compare it
  const ScannedAttribute* id;
  int element = -1;  // the declaring element's place in the scanned GUI XML file
};

struct Context {
  explicit Context(const k42gui::CheckRequest& checked);
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  bool Enabled(const char* rule) const { return enabled.count(rule) != 0; }
  void Add(const char* rule, k42gui::Severity severity, const std::string& file, Position at, std::string message);

  // The identifier of the MODULE_DEC around element index of the GUI XML file, empty outside one.
  std::u16string EnclosingModule(int index) const;
  bool IsDeclared(Kind kind, const std::u16string& id) const;
  static Position RootPosition(const ScannedFile& scan);
  // The language blocks of the localized file: their ID and where they start.
  std::vector<std::pair<std::u16string, Position>> LocLanguages() const;
  // How the tools judge a file the device names, once per file.
  const k42gui::DeviceFile& FileVerdict(const std::filesystem::path& file);
  // The file read as the tools read the files a device names: only inside its directory, bounded.
  k42gui::DeviceFile ReadFile(const std::filesystem::path& file) const;
  // The file a reference of the device names: the component puts the device directory in front.
  std::filesystem::path DeviceFilePath(std::u16string_view named) const;

  const k42gui::CheckRequest& request;
  std::set<std::string> enabled;
  std::filesystem::path directory;
  ScannedFile gui;
  ScannedFile loc;
  bool guiWellFormed = false;
  bool locWellFormed = false;  // false also when there is no localized file
  bool loaded = false;         // the model below holds the device
  CDDModel model;
  std::vector<Declared> declared;                        // every declaration, in document order
  std::map<Kind, std::set<std::u16string>> declaredIds;  // by kind, of any function
  std::vector<k42gui::Finding> findings;
  // Why the device did not load, when the rule that says so was left out.
  std::vector<k42gui::Finding> loadProblems;

 private:
  // The directory the files a device names must lie in.
  std::string AllowedDirectory() const;
  std::map<std::string, k42gui::DeviceFile> m_fileVerdicts;  // by the path the component would open
};

// The families of rules, each over the files alone or, where it says so, over the loaded model too.
void CheckKeywords(Context& context);      // unknown-keyword
void CheckReferences(Context& context);    // unresolved-ref
void CheckFiles(Context& context);         // missing-file, file-outside-device
void CheckDeclarations(Context& context);  // shadowed-id, unknown-function, unknown-language: model
void CheckTexts(Context& context);         // missing-text, unused-text, missing-builtin-text
void CheckChoiceTexts(Context& context);   // missing-text, unused-text of choices: model
void CheckPictures(Context& context);      // index-past-strip, header-image
void CheckCommands(Context& context);      // unlabelled-command
void CheckHelpAnchors(Context& context);   // help-anchor

}  // namespace k42::check

namespace k42::check {

// Reports what keeps one file from being read as the component reads it. wellFormed tells whether the
// file's elements can be trusted at all; the result whether the file is also valid against its schema.
bool ReadDeviceXml(Context& context, const std::string& path, const ScannedFile& scan, DeviceFile kind,
                   bool& wellFormed);
// Loads the device with the component's own model; false (with a finding) when it does not load.
bool LoadDevice(Context& context);

}  // namespace k42::check
