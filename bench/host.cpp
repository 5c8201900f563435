// Creates model objects through the component's exports and makes the queries the benchmark times.
#include "host.h"

#include <array>
#include <stdexcept>

namespace k42bench {

namespace {

// Frees the automation strings a query hands out, as a host does after reading them.
class Outputs {
 public:
  Outputs() = default;
  ~Outputs() {
    for (BSTR& text : m_texts) SysFreeString(text);
    VariantClear(&m_array);
  }
  Outputs(const Outputs&) = delete;
  Outputs& operator=(const Outputs&) = delete;

  BSTR* Text(size_t index) { return &m_texts.at(index); }
  VARIANT* Array() { return &m_array; }
  // Rows of the array output (0 when there is none).
  long Rows() const {
    if (m_array.vt != (VT_ARRAY | VT_VARIANT) || m_array.parray == nullptr) return 0;
    LONG upper = -1;
    SafeArrayGetUBound(m_array.parray, 1, &upper);
    return upper + 1;
  }

 private:
  std::array<BSTR, 6> m_texts{};
  VARIANT m_array{};
};

// The last item of the last menu is shown by the last display; the spare variable is in no menu at all, so
// its item information is found only by the fallback search.
std::vector<Query> MakeQueries() {
  using A = const QueryArgs&;
  std::vector<Query> queries = {
      {"GetModuleIcon", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetModuleIcon(a.module.get(), out.Text(0));
       }},
      {"GetModuleRootMenus", true, S_OK,
       [](IGuiXmlModel& model, A a, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetModuleRootMenus(a.module.get(), out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetModuleTreeIconList", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetModuleTreeIconList(a.module.get(), out.Text(0));
       }},
      {"GetModuleInfo", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetModuleInfo(a.module.get(), out.Text(0), out.Text(1), out.Text(2), out.Text(3));
       }},
      {"GetExternModulePath", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetExternModulePath(a.module.get(), out.Text(0));
       }},
      {"GetMenuItems", true, S_OK,
       [](IGuiXmlModel& model, A a, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetMenuItems(a.module.get(), a.menu.get(), out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetDisplayItems", true, S_OK,
       [](IGuiXmlModel& model, A a, long& rows) {
         Outputs out;
         long rwro = 0;
         const HRESULT hr = model.GetDisplayItems(a.module.get(), a.display.get(), out.Text(0), out.Array(), &rwro);
         rows = out.Rows();
         return hr;
       }},
      {"GetDisplayInfo", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         DisplayType type = DISPLAY_UNKNOWN;
         return model.GetDisplayInfo(a.module.get(), a.display.get(), out.Text(0), &type, out.Text(1));
       }},
      {"GetDisplayButtonNav", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetDisplayButtonNav(a.module.get(), a.display.get(), out.Text(0), out.Text(1), out.Text(2),
                                          out.Text(3), out.Text(4));
       }},
      {"GetItemInfo (item of its menu)", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         long conditional = 0, icon = 0;
         ItemType type = ITEM_UNKNOWN;
         return model.GetItemInfo(a.module.get(), a.menu.get(), a.menuItem.get(), out.Text(0), &conditional, &icon,
                                  out.Text(1), &type);
       }},
      // Answers S_FALSE with the item type, as it does for every item outside the module's menus.
      {"GetItemInfo (in no menu: fallback search)", true, S_FALSE,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         long conditional = 0, icon = 0;
         ItemType type = ITEM_UNKNOWN;
         const HRESULT hr = model.GetItemInfo(a.module.get(), a.noMenu.get(), a.variable.get(), out.Text(0),
                                              &conditional, &icon, out.Text(1), &type);
         return type == ITEM_VARIABLE ? hr : E_FAIL;
       }},
      {"GetParameterType (variable)", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         VarType type = TYPE_UNKNOWN;
         HandlingType handling = kREADONLY;
         return model.GetParameterType(a.variable.get(), PAR_VARIABLE, &type, &handling);
       }},
      {"GetParameterType (metavariable)", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         VarType type = TYPE_UNKNOWN;
         HandlingType handling = kREADONLY;
         return model.GetParameterType(a.meta.get(), PAR_META, &type, &handling);
       }},
      // A method has no data type: S_FALSE with its handling.
      {"GetParameterType (method)", true, S_FALSE,
       [](IGuiXmlModel& model, A a, long&) {
         VarType type = TYPE_UNKNOWN;
         HandlingType handling = kCONDITIONAL;
         const HRESULT hr = model.GetParameterType(a.method.get(), PAR_METHODE, &type, &handling);
         return handling != kCONDITIONAL ? hr : E_FAIL;
       }},
      {"GetParameterInfo (variable)", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         long conditional = 0;
         return model.GetParameterInfo(a.variable.get(), a.none.get(), a.none.get(), PAR_VARIABLE, out.Text(0),
                                       out.Text(1), &conditional, out.Text(2), out.Text(3), out.Text(4));
       }},
      {"GetParameterInfo (method)", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         long conditional = 0;
         return model.GetParameterInfo(a.method.get(), a.none.get(), a.none.get(), PAR_METHODE, out.Text(0),
                                       out.Text(1), &conditional, out.Text(2), out.Text(3), out.Text(4));
       }},
      {"GetParameterDatatype", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         VarType type = TYPE_UNKNOWN;
         long size = 0, conditional = 0;
         return model.GetParameterDatatype(a.variable.get(), PAR_VARIABLE, &type, &size, &conditional, out.Text(0),
                                           out.Text(1));
       }},
      {"GetParameterFormat", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         long condition = 0, conditionalFormat = 0;
         return model.GetParameterFormat(a.variable.get(), PAR_VARIABLE, out.Text(0), out.Text(1), &condition,
                                         out.Text(2), &conditionalFormat);
       }},
      {"GetParameterEnumItems", true, S_OK,
       [](IGuiXmlModel& model, A a, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetParameterEnumItems(a.variable.get(), PAR_VARIABLE, out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetParameterRef (image)", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetParameterRef(a.image.get(), PAR_IMAGE, out.Text(0));
       }},
      {"GetConditionalLabelData", true, S_OK,
       [](IGuiXmlModel& model, A a, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetConditionalLabelData(a.variable.get(), out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetHeaderVarRef", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         long type = 0;
         BSTR origin = nullptr;  // carries the origin's number, not a text: never freed
         return model.GetHeaderVarRef(MODE_GENERAL, a.mapping.get(), out.Text(0), &origin, out.Text(1), out.Text(2),
                                      &type);
       }},
      {"GetHeaderCtrlInfo", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         long width = 0, height = 0;
         return model.GetHeaderCtrlInfo(MODE_GENERAL, a.mapping.get(), out.Text(0), out.Text(1), out.Text(2), &width,
                                        &height);
       }},
      {"GetExternModule", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetExternModule(a.module.get(), out.Text(0), out.Text(1), out.Text(2));
       }},
      {"GetModulebarItems", true, S_OK,
       [](IGuiXmlModel& model, A a, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetModulebarItems(a.module.get(), out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetModuleFeature", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetModuleFeature(a.module.get(), a.feature.get(), out.Text(0));
       }},
      {"GetHeaderRefs", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetHeaderRefs(a.module.get(), out.Text(0), out.Text(1));
       }},
      {"GetGuiLabel", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetGuiLabel(a.guiLabel.get(), out.Text(0));
       }},
      {"GetGlobalLabel", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.GetGlobalLabel(a.label.get(), out.Text(0));
       }},
      {"ParseInitString", true, S_OK,
       [](IGuiXmlModel& model, A a, long&) {
         Outputs out;
         return model.ParseInitString(a.initKey.get(), out.Text(0));
       }},
      // Lists without an identifier: their answers grow with the device by nature.
      {"GetTabModules", false, S_OK,
       [](IGuiXmlModel& model, A, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetTabModules(1, out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetSupportedLanguages", false, S_OK,
       [](IGuiXmlModel& model, A, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetSupportedLanguages(out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetLogo", false, S_OK,
       [](IGuiXmlModel& model, A, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetLogo(LOGO_VENDOR, out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetMetaVarRef", false, S_OK,
       [](IGuiXmlModel& model, A, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetMetaVarRef(out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetMenubarItems", false, S_OK,
       [](IGuiXmlModel& model, A, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetMenubarItems(out.Array());
         rows = out.Rows();
         return hr;
       }},
      {"GetToolbarItems", false, S_OK,
       [](IGuiXmlModel& model, A, long& rows) {
         Outputs out;
         const HRESULT hr = model.GetToolbarItems(out.Array());
         rows = out.Rows();
         return hr;
       }},
  };
  return queries;
}

int SilentBox(HWND, LPCWSTR, LPCWSTR, UINT, void*) { return IDOK; }

}  // namespace

ModelPtr CreateModel() {
  K42SetMessageBoxHandler(&SilentBox, nullptr);
  IClassFactory* factory = nullptr;
  if (FAILED(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    throw std::runtime_error("the component hands out no class factory");
  }
  IGuiXmlModel* model = nullptr;
  const HRESULT hr = factory->CreateInstance(nullptr, IID_IGuiXmlModel, reinterpret_cast<void**>(&model));
  factory->Release();
  if (FAILED(hr) || model == nullptr) throw std::runtime_error("the class factory creates no GuiXmlModel");
  return ModelPtr(model);
}

ModelPtr LoadDevice(const std::string& directory, const std::u16string& language) {
  ModelPtr model = CreateModel();
  const Bstr dir(std::u16string(directory.begin(), directory.end()));
  const Bstr xml(u"device.xml"), loc(u"device_loc.xml"), lang(language);
  const HRESULT hr = model->Initialize(dir.get(), xml.get(), loc.get(), lang.get(), 1, 0);
  if (hr != S_OK) throw std::runtime_error("Initialize answered " + std::to_string(hr) + " for " + directory);
  const Bstr init(u"HelpApplication=viewer|HelpParameter=/page|Mode=expert");
  model->SetSDKInitialization(init.get());
  return model;
}

QueryArgs::QueryArgs(const Probes& probes) {
  const std::pair<const char*, Bstr*> roles[] = {
      {"module", &module},     {"menu", &menu},       {"display", &display}, {"menuItem", &menuItem},
      {"variable", &variable}, {"method", &method},   {"image", &image},     {"label", &label},
      {"meta", &meta},         {"mapping", &mapping}, {"feature", &feature}, {"guiLabel", &guiLabel}};
  for (const auto& [role, text] : roles) text->reset(probes.at(role));
}

const std::vector<Query>& Queries() {
  static const std::vector<Query> queries = MakeQueries();
  return queries;
}

std::vector<std::string> CheckQueries(IGuiXmlModel& model, const QueryArgs& args) {
  std::vector<std::string> failures;
  for (const Query& query : Queries()) {
    long rows = 0;
    const HRESULT hr = query.call(model, args, rows);
    if (hr != query.expected) {
      failures.push_back(query.name + " answered " + std::to_string(hr) + ", not " + std::to_string(query.expected));
    }
    if (query.name == "GetDisplayItems" && rows != 27) {
      failures.push_back("GetDisplayItems handed out " + std::to_string(rows) + " rows, not 27");
    }
  }
  return failures;
}

}  // namespace k42bench
