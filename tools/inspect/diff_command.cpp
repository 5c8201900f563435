// The `diff` subcommand: what changed between two devices (or one device in two languages) as a host sees them.
#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "inspect/commands.h"
#include "inspect/device_loader.h"
#include "inspect/diff.h"
#include "inspect/diff_declarations.h"
#include "inspect/load_watch.h"
#include "inspect/output.h"
#include "inspect/printable.h"

namespace inspect {
namespace {

constexpr int kExitEqual = 0;
constexpr int kExitDifferent = 1;

// Loads the sides, one language at a time, under one progress bar.
class Loader {
 public:
  explicit Loader(ProgressBar& bar) : m_bar(bar) {}

  // False when the side could not be loaded (the loader has said why).
  // With languages, the side's languages are listed and its model is kept in model.
  bool Load(DeviceArgs args, const std::string& language, Json& json, std::vector<std::string>* languages = nullptr,
            k42::AutoPtr<IGuiXmlModel>* model = nullptr) {
    args.language = language;
    // The bar measures only the first load; the later ones show their name and the time they take.
    if (m_loads++ > 0) m_bar.Phase("loading " + args.xmlFile + " (" + language + ")");
    Device device;
    if (LoadDevice(args, m_bar, device, model) == kExitNotLoaded) return false;
    json = DeviceJson(device);
    if (languages != nullptr) {
      for (const auto& [id, name] : device.languages) languages->push_back(id);
    }
    return true;
  }

 private:
  ProgressBar& m_bar;
  int m_loads = 0;
};

// What identifies a change across the languages compared: added and removed records count as the
// same whatever their texts.
std::string Signature(const Change& change) {
  std::string signature = change.path + '\n' + change.kind;
  if (change.kind == "changed") signature += '\n' + change.before.dump() + '\n' + change.after.dump();
  return signature;
}

// Changes seen in every language are listed once; the others carry their language. The result is
// grouped by area, the first language's changes first within each area.
std::vector<Change> MergeLanguages(const std::vector<std::pair<std::string, std::vector<Change>>>& passes) {
  if (passes.size() == 1) return passes.front().second;
  std::map<std::string, size_t> seenIn;
  for (const auto& [language, changes] : passes) {
    std::set<std::string> once;
    for (const Change& change : changes) {
      if (once.insert(Signature(change)).second) ++seenIn[Signature(change)];
    }
  }
  std::vector<std::string> areas;
  for (const auto& [language, changes] : passes) {
    for (const Change& change : changes) {
      if (std::find(areas.begin(), areas.end(), change.area) == areas.end()) areas.push_back(change.area);
    }
  }
  std::vector<std::tuple<size_t, size_t, size_t, Change>> ordered;
  for (size_t pass = 0; pass < passes.size(); ++pass) {
    const auto& [language, changes] = passes[pass];
    for (size_t i = 0; i < changes.size(); ++i) {
      Change change = changes[i];
      const bool everywhere = seenIn[Signature(change)] == passes.size();
      if (everywhere && pass > 0) continue;
      if (!everywhere) change.language = language;
      const size_t area = std::find(areas.begin(), areas.end(), change.area) - areas.begin();
      ordered.emplace_back(area, pass, i, std::move(change));
    }
  }
  std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a), std::get<2>(a)) <
           std::tie(std::get<0>(b), std::get<1>(b), std::get<2>(b));
  });
  std::vector<Change> merged;
  for (auto& entry : ordered) merged.push_back(std::move(std::get<3>(entry)));
  return merged;
}

}  // namespace

int RunDiff(const DiffArgs& args) {
  if (args.format == Format::kHtml) {
    std::cerr << "k42gui-inspect: diff writes text or json\n";
    return kExitUsage;
  }
  // With one language for both sides, every language both localized files have is compared too, so
  // a changed translation shows; with two languages the device is compared against itself or another
  // in exactly those, and its texts are judged as translations. Each language is a load of its own: a language switch would keep the texts the
  // new language lacks from whichever language was read before, and the two sides could differ there.
  ProgressBar bar(args.progress);
  std::vector<std::pair<std::string, std::vector<Change>>> passes;
  Json before, after;
  std::vector<std::string> languagesBefore, languagesAfter;
  // The first load of each side stays, to ask it for declarations that nothing uses; they are the
  // same in every language.
  k42::AutoPtr<IGuiXmlModel> modelBefore, modelAfter;
  Loader loader(bar);
  if (!loader.Load(args.before, args.before.language, before, &languagesBefore, std::addressof(modelBefore)) ||
      !loader.Load(args.after, args.after.language, after, &languagesAfter, std::addressof(modelAfter))) {
    bar.Finish();
    return kExitNotLoaded;
  }
  Comparison comparison;
  comparison.beforeDeclares = DeclarationsOf(modelBefore);
  comparison.afterDeclares = DeclarationsOf(modelAfter);
  comparison.languages = args.before.language != args.after.language;
  comparison.oldLanguage = args.before.language;
  comparison.newLanguage = args.after.language;
  passes.emplace_back(args.before.language, CompareDevices(before, after, comparison));
  if (!comparison.languages) {
    for (const std::string& language : languagesBefore) {
      if (language == args.before.language ||
          std::find(languagesAfter.begin(), languagesAfter.end(), language) == languagesAfter.end()) {
        continue;
      }
      if (!loader.Load(args.before, language, before) || !loader.Load(args.after, language, after)) {
        bar.Finish();
        return kExitNotLoaded;
      }
      passes.emplace_back(language, CompareDevices(before, after, comparison));
    }
  }
  const std::vector<Change> changes = MergeTextChanges(MergeLanguages(passes));

  bar.Phase("writing the changes");
  const int result = WriteOutput(
      args.output, changes.empty() ? kExitEqual : kExitDifferent,
      [&](std::ostream& out) {
        if (args.format == Format::kJson) {
          Json json{{"formatVersion", kJsonFormatVersion}, {"changes", Json::array()}};
          for (const Change& change : changes) json["changes"].push_back(ChangeJson(change));
          out << json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
        } else {
          for (const Change& change : changes) out << Printable(ChangeLine(change)) << '\n';
        }
      },
      [&](uint64_t bytes) { bar.Written(bytes); });
  bar.Finish();
  return result;
}

}  // namespace inspect
