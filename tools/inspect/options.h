// Command-line options of k42gui-inspect.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspect/commands.h"

namespace inspect {

struct Options {
  std::string command;  // "", "check" or "diff"
  std::string directory;
  std::string xmlFile;
  std::string locFile;
  std::string otherXmlFile;  // diff: the second device, relative to directory
  std::string otherLocFile;
  std::string language = "en";
  long functionId = 1;
  Format format = Format::kText;
  std::string output;  // empty: standard output
  std::vector<std::string> headerPlaces;
  std::vector<std::string> rules;    // check: --rule
  std::vector<std::string> ignored;  // check: --ignore
  bool progress = true;
  bool help = false;
};

// Parses argv; on a usage error returns nothing and sets error.
std::optional<Options> ParseOptions(int argc, char** argv, std::string& error);

const char* Usage();

}  // namespace inspect
