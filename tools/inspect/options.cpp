// Parsing of the inspector's command line with CLI11.
#include "inspect/options.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <iostream>
#include <vector>

#include <CLI/CLI.hpp>
#include <k42gui/DeviceCheck.h>

namespace inspect {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDescription =
    "Loads a device through the K42GuiXmlReader component, as a display control does, and prints what the\n"
    "control would see (the default), lints it for its author (check), compares two devices (diff) or\n"
    "serves an editor as a language server (lsp).\n";

constexpr const char* kPaths =
    "File arguments are paths from the current directory, or from DIR when -d is given. The localized file\n"
    "defaults to the GUI XML file's name with _loc before its extension, next to it.\n";

constexpr const char* kReportExits =
    "Exit codes: 0 loaded, 1 loaded with errors (a section or the localized file failed), 2 could not load,\n"
    "64 wrong arguments, 74 the output could not be written.";

// What every subcommand accepts; bound to one set of variables so that an option may stand before or
// after the subcommand's name.
struct Common {
  std::string directory;
  std::string language = "en";
  long functionId = 1;
  std::string format = "text";
  std::string output;
  std::vector<std::string> headerPlaces;
  bool noProgress = false;
  std::vector<std::string> files;
};

void AddCommon(CLI::App& app, Common& common, std::vector<std::string> formats) {
  app.add_option("-d,--directory", common.directory,
                 "directory handed to Initialize; file arguments are taken from it (default: the GUI XML "
                 "file's directory)")
      ->type_name("DIR");
  app.add_option("-l,--language", common.language, "language identifier, e.g. en or de (default: en)")->type_name("ID");
  app.add_option("-f,--function", common.functionId, "function identifier selecting the modules (default: 1)")
      ->type_name("N")
      ->check(CLI::Range(static_cast<long>(INT32_MIN), static_cast<long>(INT32_MAX)));
  std::string formatHelp;
  for (const std::string& format : formats) formatHelp += (formatHelp.empty() ? "" : ", ") + format;
  app.add_option("--format", common.format, "output format: " + formatHelp + " (default: text)")
      ->type_name("FORMAT")
      ->check(CLI::IsMember(formats));
  app.add_option("-o,--output", common.output, "write to FILE instead of standard output (- is standard output)")
      ->type_name("FILE");
  // One name per occurrence: a list option would otherwise swallow the file names after it.
  app.add_option("--header-place", common.headerPlaces, "also ask for this header place (repeatable)")
      ->type_name("NAME")
      ->allow_extra_args(false);
  app.add_flag("--no-progress", common.noProgress, "no progress bar on standard error");
}

Format ToFormat(const std::string& name) {
  if (name == "json") return Format::kJson;
  if (name == "html") return Format::kHtml;
  return Format::kText;
}

fs::path FromDirectory(const std::string& directory, const std::string& file) {
  const fs::path path(file);
  if (directory.empty() || path.is_absolute()) return path;
  return fs::path(directory) / path;
}

// The name under which Initialize finds `file` after `directory` (which ends with a separator).
std::string NameIn(const fs::path& file, const std::string& directory) {
  std::error_code error;
  // Canonical forms: the system resolves `..` after the directory's symbolic links, and so does this.
  const fs::path canonicalFile = fs::weakly_canonical(file, error);
  const fs::path canonicalDirectory = error ? fs::path() : fs::weakly_canonical(directory, error);
  if (!error) {
    const fs::path relative = canonicalFile.lexically_relative(canonicalDirectory);
    if (!relative.empty()) return relative.string();
  }
  return file.lexically_relative(directory).string();
}

}  // namespace

DeviceArgs ResolveDevice(const std::string& directory, const std::string& xmlFile, const std::string& locFile) {
  const fs::path xml = FromDirectory(directory, xmlFile);
  DeviceArgs device;
  device.directory = directory.empty() ? xml.parent_path().string() : directory;
  if (device.directory.empty()) device.directory = ".";
  if (device.directory.back() != '/') device.directory += '/';
  const fs::path loc = locFile.empty() ? xml.parent_path() / (xml.stem().string() + "_loc" + xml.extension().string())
                                       : FromDirectory(directory, locFile);
  device.xmlFile = NameIn(xml, device.directory);
  device.locFile = NameIn(loc, device.directory);
  return device;
}

// The check rules with what each finds, for the subcommand's help.
std::string CheckRuleList() {
  std::string list = "\nRules (--rule NAME runs only those named, --ignore NAME leaves one out):\n";
  for (const k42gui::Rule& rule : k42gui::CheckRules()) {
    std::string name = rule.name;
    name.resize(std::max<size_t>(name.size() + 2, 22), ' ');
    list += "  " + name + rule.description + "\n";
  }
  return list + "\n";
}

std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& line) {
  CLI::App app(kDescription, "k42gui-inspect");
  app.footer(std::string(kPaths) + kReportExits);
  app.set_version_flag("--version", std::string("k42gui-inspect ") + K42GUI_VERSION);
  app.require_subcommand(0, 1);
  Common common;
  AddCommon(app, common, {"text", "json", "html"});
  app.add_option("GUI_XML_FILE", common.files, "the GUI XML file and, optionally, its localized file")
      ->type_name("[LOCALIZED_FILE]")
      ->expected(0, 2);

  CLI::App* check = app.add_subcommand("check", "lint the device for its author");
  check->footer(std::string(kPaths) + CheckRuleList() +
                "Exit codes: 0 clean, 1 warnings only, 2 errors (or a device the component cannot load), 64 wrong\n"
                "arguments, 74 the output could not be written.");
  AddCommon(*check, common, {"text", "json"});
  // One name per occurrence: a list option would otherwise swallow the file names after it.
  check->add_option("--rule", line.check.rules, "run only this rule (repeatable)")
      ->type_name("NAME")
      ->allow_extra_args(false);
  check->add_option("--ignore", line.check.ignored, "leave this rule out (repeatable)")
      ->type_name("NAME")
      ->allow_extra_args(false);
  check->add_option("GUI_XML_FILE", common.files, "the GUI XML file and, optionally, its localized file")
      ->type_name("[LOCALIZED_FILE]")
      ->expected(1, 2)
      ->required();

  CLI::App* diff = app.add_subcommand(
      "diff", "compare two devices, or one device in two languages, as a host sees them (exit 1: different)");
  diff->footer(std::string(kPaths) +
               "Without --new-language every language both localized files list is compared; a change seen\n"
               "in some of them only is marked with them ([de] ...). A parameter or display still declared\n"
               "but no longer used, or declared before and now used, is \"no longer used\" or \"newly used\";\n"
               "\"removed\" and \"declared\" mean the declaration itself went or came. A text edited once is\n"
               "one line, with the other places it shows (also at ...).\n"
               "With --new-language the new side is read in that language and its texts are checked as\n"
               "translations of the old side's (-l): texts the same in both are listed as untranslated, texts\n"
               "the new language leaves empty as missing, translated texts not at all.\n"
               "Exit codes: 0 equal (with --new-language: nothing listed), 1 different, 2 a side could not\n"
               "be loaded, 64 wrong arguments, 74 the output could not be written.");
  AddCommon(*diff, common, {"text", "json"});
  std::string newLanguage;
  diff->add_option("--new-language", newLanguage,
                   "the new side's language: list its untranslated and missing texts (default: that of -l)")
      ->type_name("ID");
  diff->add_option("OLD_GUI_XML", common.files, "the old device and the new one (default: the old one again)")
      ->type_name("[NEW_GUI_XML]")
      ->expected(1, 2)
      ->required();

  CLI::App* lsp =
      app.add_subcommand("lsp",
                         "serve an editor: a language server on standard input and output (diagnostics, definitions, "
                         "hovers, completion)");
  lsp->footer(
      "The localized file of a GUI XML file is its name with _loc before the extension, next to it.\n"
      "Exit codes: 0 after a shutdown request, 1 when the input ended without one.");
  lsp->add_option("-l,--language", line.lsp.language, "language the checker reads texts in (default: en)")
      ->type_name("ID");
  lsp->add_option("-f,--function", line.lsp.functionId, "function identifier selecting the modules (default: 1)")
      ->type_name("N")
      ->check(CLI::Range(static_cast<long>(INT32_MIN), static_cast<long>(INT32_MAX)));
  lsp->add_option("--root", line.lsp.root,
                  "check only the device files below DIR: files elsewhere get no diagnostics, and nothing is "
                  "written outside DIR (the checks of unsaved buffers write hidden copies beside the files)")
      ->type_name("DIR");

  try {
    app.parse(argc, argv);
    if (check->parsed()) {
      line.subcommand = Subcommand::kCheck;
    } else if (diff->parsed()) {
      line.subcommand = Subcommand::kDiff;
    } else if (lsp->parsed()) {
      line.subcommand = Subcommand::kLsp;
      return std::nullopt;
    } else if (common.files.empty()) {
      throw CLI::RequiredError("a GUI XML file");
    }
    // Given before the subcommand's name, --format met only the report's list.
    if (line.subcommand != Subcommand::kReport && common.format == "html")
      throw CLI::ValidationError("--format", "html is the report's; check and diff write text or json");
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);  // --help, --version
    std::cerr << "k42gui-inspect: " << error.what() << "\nRun 'k42gui-inspect --help' for the options.\n";
    return kExitUsage;
  }

  // In diff the second file is the new device, elsewhere the localized file.
  const bool isDiff = line.subcommand == Subcommand::kDiff;
  DeviceArgs device = ResolveDevice(common.directory, common.files[0],
                                    !isDiff && common.files.size() > 1 ? common.files[1] : std::string());
  device.language = common.language;
  device.functionId = common.functionId;
  device.headerPlaces = common.headerPlaces;
  const Format format = ToFormat(common.format);
  const bool progress = !common.noProgress;

  switch (line.subcommand) {
    case Subcommand::kReport:
      line.report.device = device;
      line.report.format = format;
      line.report.output = common.output;
      line.report.progress = progress;
      break;
    case Subcommand::kCheck:
      line.check.device = device;
      line.check.format = format;
      line.check.output = common.output;
      break;
    case Subcommand::kLsp:
      break;
    case Subcommand::kDiff: {
      line.diff.before = device;
      line.diff.after = device;
      if (common.files.size() > 1) {
        const DeviceArgs other = ResolveDevice(common.directory, common.files[1], "");
        line.diff.after.directory = other.directory;
        line.diff.after.xmlFile = other.xmlFile;
        line.diff.after.locFile = other.locFile;
      }
      if (!newLanguage.empty()) line.diff.after.language = newLanguage;
      line.diff.format = format;
      line.diff.output = common.output;
      line.diff.progress = progress;
      break;
    }
  }
  return std::nullopt;
}

}  // namespace inspect
