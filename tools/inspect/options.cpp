// Parsing of the inspector's command line.
#include "inspect/options.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace inspect {

const char* Usage() {
  return "usage: k42gui-inspect [options] GUI_XML_FILE [LOCALIZED_FILE]\n"
         "       k42gui-inspect check [options] GUI_XML_FILE [LOCALIZED_FILE]\n"
         "       k42gui-inspect diff [options] OLD_GUI_XML_FILE NEW_GUI_XML_FILE\n"
         "\n"
         "Loads a device through the K42GuiXmlReader component, as a display control does,\n"
         "and prints everything the control would see.\n"
         "\n"
         "  -d, --directory DIR     directory of both files (default: the GUI XML file's directory)\n"
         "  -l, --language ID       language identifier, e.g. en or de (default: en)\n"
         "  -f, --function N        function identifier selecting the modules (default: 1)\n"
         "      --format FORMAT     text (default), json or html\n"
         "  -o, --output FILE       write the report to FILE instead of standard output\n"
         "      --header-place NAME also ask for this header place (repeatable)\n"
         "      --no-progress       no progress bar on standard error\n"
         "      --rule NAME         check: run only this rule (repeatable)\n"
         "      --ignore NAME       check: leave this rule out (repeatable)\n"
         "  -h, --help              this text\n"
         "\n"
         "The localized file defaults to the GUI XML file's name with _loc before its extension.\n"
         "Exit codes: 0 loaded, 1 loaded with errors (a section or the localized file failed),\n"
         "2 could not load, 64 wrong arguments. check: 0 clean, 1 warnings only, 2 errors.\n";
}

std::optional<Options> ParseOptions(int argc, char** argv, std::string& error) {
  Options options;
  std::vector<std::string> positional;
  int first = 1;
  if (argc > 1 && (std::string(argv[1]) == "check" || std::string(argv[1]) == "diff")) {
    options.command = argv[1];
    first = 2;
  }
  for (int i = first; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const char* name) -> std::optional<std::string> {
      if (i + 1 >= argc) {
        error = std::string("missing value for ") + name;
        return std::nullopt;
      }
      return std::string(argv[++i]);
    };
    if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "-d" || arg == "--directory") {
      auto v = value("--directory");
      if (!v) return std::nullopt;
      options.directory = *v;
    } else if (arg == "-l" || arg == "--language") {
      auto v = value("--language");
      if (!v) return std::nullopt;
      options.language = *v;
    } else if (arg == "-f" || arg == "--function") {
      auto v = value("--function");
      if (!v) return std::nullopt;
      char* end = nullptr;
      errno = 0;
      const long number = std::strtol(v->c_str(), &end, 10);
      if (v->empty() || *end != '\0' || errno != 0 || number < INT32_MIN || number > INT32_MAX) {
        error = "the function identifier must be a 32-bit integer: " + *v;
        return std::nullopt;
      }
      options.functionId = number;
    } else if (arg == "--format") {
      auto v = value("--format");
      if (!v) return std::nullopt;
      if (*v == "text")
        options.format = Format::kText;
      else if (*v == "json")
        options.format = Format::kJson;
      else if (*v == "html")
        options.format = Format::kHtml;
      else {
        error = "unknown format: " + *v;
        return std::nullopt;
      }
    } else if (arg == "-o" || arg == "--output") {
      auto v = value("--output");
      if (!v) return std::nullopt;
      options.output = *v;
    } else if (arg == "--header-place") {
      auto v = value("--header-place");
      if (!v) return std::nullopt;
      options.headerPlaces.push_back(*v);
    } else if (arg == "--rule" || arg == "--ignore") {
      auto v = value(arg == "--rule" ? "--rule" : "--ignore");
      if (!v) return std::nullopt;
      (arg == "--rule" ? options.rules : options.ignored).push_back(*v);
    } else if (arg == "--no-progress") {
      options.progress = false;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      error = "unknown option: " + arg;
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (options.help) return options;
  if (positional.empty() || positional.size() > 2) {
    error = "expected a GUI XML file and optionally a localized file";
    return std::nullopt;
  }
  if (options.command == "diff") {
    if (positional.size() != 2) {
      error = "diff expects two GUI XML files";
      return std::nullopt;
    }
    const std::filesystem::path other(positional[1]);
    const std::filesystem::path otherDir = other.has_parent_path() ? other.parent_path() : ".";
    const std::filesystem::path xmlDir = std::filesystem::path(positional[0]).has_parent_path()
                                             ? std::filesystem::path(positional[0]).parent_path()
                                             : ".";
    options.otherXmlFile = std::filesystem::relative(other, xmlDir).string();
    options.otherLocFile =
        std::filesystem::relative(otherDir / (other.stem().string() + "_loc" + other.extension().string()), xmlDir)
            .string();
    positional.pop_back();
  }
  const std::filesystem::path xml(positional[0]);
  if (options.directory.empty()) {
    options.directory = xml.has_parent_path() ? xml.parent_path().string() + "/" : "./";
    options.xmlFile = xml.filename().string();
  } else {
    options.xmlFile = positional[0];
  }
  if (positional.size() == 2) {
    const std::filesystem::path loc(positional[1]);
    options.locFile = options.directory.empty() || positional[1].find('/') == std::string::npos
                          ? positional[1]
                          : loc.filename().string();
  } else {
    const std::filesystem::path name(options.xmlFile);
    options.locFile = name.stem().string() + "_loc" + name.extension().string();
  }
  return options;
}

}  // namespace inspect
