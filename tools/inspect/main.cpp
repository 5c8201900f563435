// k42gui-inspect: loads a device through the component's public interface,
// exactly as a host does, and reports what the display control would see.
#include <fstream>
#include <iostream>

#include <k42gui/AutoPtr.h>
#include <k42gui/IGuiXmlModel.h>

#include "inspect/automation.h"
#include "inspect/device_reader.h"
#include "inspect/load_watch.h"
#include "inspect/options.h"
#include "inspect/reports.h"

namespace {

constexpr int kExitLoaded = 0;
constexpr int kExitLoadedWithErrors = 1;
constexpr int kExitNotLoaded = 2;
constexpr int kExitUsage = 64;

k42::AutoPtr<IGuiXmlModel> CreateModel() {
  k42::AutoPtr<IClassFactory> factory;
  k42::AutoPtr<IGuiXmlModel> model;
  if (SUCCEEDED(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.OutVoid()))) {
    factory->CreateInstance(nullptr, IID_IGuiXmlModel, model.OutVoid());
  }
  return model;
}

void PrintDiagnostics(const inspect::LoadWatch& watch) {
  for (const inspect::Diagnostic& d : watch.Diagnostics()) {
    std::cerr << d.file << ':' << d.line << ':' << d.column << ": " << d.severity << ": " << d.message << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = inspect::ParseOptions(argc, argv, error);
  if (!options) {
    std::cerr << "k42gui-inspect: " << error << "\n\n" << inspect::Usage();
    return kExitUsage;
  }
  if (options->help) {
    std::cout << inspect::Usage();
    return kExitLoaded;
  }

  k42::AutoPtr<IGuiXmlModel> model = CreateModel();
  if (!model) {
    std::cerr << "k42gui-inspect: the component could not create a GuiXmlModel object\n";
    return kExitNotLoaded;
  }

  inspect::Device device;
  device.directory = options->directory;
  device.xmlFile = options->xmlFile;
  device.locFile = options->locFile;
  device.functionId = options->functionId;

  int exitCode = kExitLoaded;
  {
    inspect::LoadWatch watch(options->directory + options->xmlFile, options->directory + options->locFile);
    HRESULT hr;
    {
      inspect::ProgressBar progress(options->progress);
      const k42::AutoBstr directory(inspect::Utf16(options->directory)), xml(inspect::Utf16(options->xmlFile)),
          loc(inspect::Utf16(options->locFile)), language(inspect::Utf16(options->language));
      hr = model->Initialize(directory, xml, loc, language, options->functionId,
                             reinterpret_cast<long>(progress.Handle()));
    }
    PrintDiagnostics(watch);
    switch (watch.Outcome(hr == S_OK)) {
      case inspect::LoadOutcome::kLoaded:
        break;
      case inspect::LoadOutcome::kLoadedWithErrors:
        std::cerr << "k42gui-inspect: loaded with errors\n";
        exitCode = kExitLoadedWithErrors;
        break;
      case inspect::LoadOutcome::kNotLoaded:
        std::cerr << "k42gui-inspect: could not load " << options->directory << options->xmlFile << '\n';
        return kExitNotLoaded;
    }
  }

  inspect::ReadDevice(*model, options->headerPlaces, device);
  model.Reset();

  std::ofstream file;
  if (!options->output.empty()) {
    file.open(options->output, std::ios::binary);
    if (!file) {
      std::cerr << "k42gui-inspect: cannot write " << options->output << '\n';
      return kExitUsage;
    }
  }
  std::ostream& out = options->output.empty() ? std::cout : file;
  switch (options->format) {
    case inspect::Format::kText:
      inspect::WriteText(device, out);
      break;
    case inspect::Format::kJson:
      inspect::WriteJson(device, out);
      break;
    case inspect::Format::kHtml:
      inspect::WriteHtml(device, out);
      break;
  }
  return exitCode;
}
