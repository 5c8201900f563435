// Creates a GuiXmlModel through DllGetClassObject, initializes it while watching the load, and reads the device.
#include "inspect/device_loader.h"

#include <cstdint>
#include <string>
#include <utility>

#include <k42gui/AutoPtr.h>
#include <k42gui/IGuiXmlModel.h>

#include "inspect/automation.h"
#include "inspect/device_reader.h"
#include "inspect/load_watch.h"

namespace inspect {
namespace {

k42::AutoPtr<IGuiXmlModel> CreateModel() {
  k42::AutoPtr<IClassFactory> factory;
  k42::AutoPtr<IGuiXmlModel> model;
  if (SUCCEEDED(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.OutVoid()))) {
    factory->CreateInstance(nullptr, IID_IGuiXmlModel, model.OutVoid());
  }
  return model;
}

// Initialize takes the progress window as a number; window handles keep to 32 bits on every Windows.
long WindowNumber(HWND window) { return static_cast<long>(reinterpret_cast<intptr_t>(window)); }

std::string DiagnosticLines(const LoadWatch& watch) {
  std::string text;
  for (const Diagnostic& d : watch.Diagnostics()) text += FormatDiagnostic(d) + '\n';
  return text;
}

}  // namespace

int LoadDevice(const DeviceArgs& args, bool progress, Device& device) {
  ProgressBar bar(progress);
  return LoadDevice(args, bar, device);
}

int LoadDevice(const DeviceArgs& args, ProgressBar& bar, Device& device, k42::AutoPtr<IGuiXmlModel>* keep) {
  k42::AutoPtr<IGuiXmlModel> model = CreateModel();
  if (!model) {
    bar.Say("k42gui-inspect: the component could not create a GuiXmlModel object\n");
    return kExitNotLoaded;
  }
  device.directory = args.directory;
  device.xmlFile = args.xmlFile;
  device.locFile = args.locFile;
  device.functionId = args.functionId;

  int exitCode = kExitLoaded;
  {
    LoadWatch watch(args.directory + args.xmlFile, args.directory + args.locFile);
    HRESULT hr;
    {
      const k42::AutoBstr directory(Utf16(args.directory)), xml(Utf16(args.xmlFile)), loc(Utf16(args.locFile)),
          language(Utf16(args.language));
      hr = model->Initialize(directory, xml, loc, language, args.functionId, WindowNumber(bar.Handle()));
    }
    watch.Finish();
    bar.Phase("reading the device");
    std::string report = DiagnosticLines(watch);
    switch (watch.Outcome(hr == S_OK)) {
      case LoadOutcome::kLoaded:
        break;
      case LoadOutcome::kLoadedWithErrors:
        report += "k42gui-inspect: loaded with errors\n";
        exitCode = kExitLoadedWithErrors;
        break;
      case LoadOutcome::kNotLoaded:
        bar.Finish();
        bar.Say(report + "k42gui-inspect: could not load " + args.directory + args.xmlFile + '\n');
        return kExitNotLoaded;
    }
    if (!report.empty()) bar.Say(report);
  }
  ReadDevice(*model, args.headerPlaces, args.allLanguages, device);
  if (keep != nullptr) *keep = std::move(model);
  return exitCode;
}

}  // namespace inspect
