// Fuzzes late binding: IDispatch::Invoke on a component object that holds the demo device, arguments from the input.
#include <k42gui/IGuiXmlModel.h>
#include <k42gui/windows.h>
#include <k42gui/winuser.h>

#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

int SilentBox(HWND, LPCWSTR, LPCWSTR, UINT, void*) { return IDOK; }

// The methods that change what later calls answer. Initialize would load whatever files the input names, so
// it is never called: the object keeps the demo device.
constexpr DISPID kInitialize = 1;
constexpr DISPID kSetLanguage = 3;
constexpr DISPID kOnLanguageIDChange = 31;
constexpr DISPID kSetSDKInitialization = 38;

// The input read front to back; past its end every read gives zeros.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  bool AtEnd() const { return m_pos >= m_size; }
  uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  uint32_t Word() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
    return value;
  }
  // A length byte, then one byte per character (two, little-endian, when the length's high bit is set).
  std::u16string Text() {
    const uint8_t length = Byte();
    std::u16string text;
    for (int i = 0; i < (length & 0x7F) && !AtEnd(); ++i)
      text += (length & 0x80) ? char16_t(Byte() | Byte() << 8) : char16_t(Byte());
    return text;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

std::string SourceFile(const char* relative) {
  std::ifstream in(std::string(K42GUI_SOURCE_DIR) + relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every attribute value of the demo files: identifiers of modules, menus, displays, parameters, labels and
// languages, so that calls reach the answers of things that exist.
const std::vector<std::u16string>& DemoWords() {
  static const std::vector<std::u16string> words = [] {
    std::vector<std::u16string> found;
    const std::regex value("=\"([^\"<>&]*)\"");
    for (const char* file : {"/examples/demo/demo.xml", "/examples/demo/demo_loc.xml"}) {
      const std::string text = SourceFile(file);
      for (std::sregex_iterator it(text.begin(), text.end(), value), end; it != end; ++it) {
        const std::string word = (*it)[1];
        found.emplace_back(word.begin(), word.end());  // the demo's identifiers are ASCII
      }
    }
    found.emplace_back();
    return found;
  }();
  return words;
}

BSTR AllocText(const std::u16string& text) { return SysAllocStringLen(text.data(), UINT(text.size())); }

// The component object, created through the exported class object and loaded with the demo device.
IGuiXmlModel* LoadDemo() {
  IClassFactory* factory = nullptr;
  IGuiXmlModel* model = nullptr;
  if (FAILED(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) abort();
  factory->CreateInstance(nullptr, IID_IGuiXmlModel, reinterpret_cast<void**>(&model));
  factory->Release();
  if (!model) abort();
  const std::string directory = std::string(K42GUI_SOURCE_DIR) + "/examples/demo/";
  BSTR dir = AllocText(std::u16string(directory.begin(), directory.end()));
  BSTR gui = SysAllocString(u"demo.xml"), loc = SysAllocString(u"demo_loc.xml"), lang = SysAllocString(u"en");
  // The demo must load, or the run would only exercise the answers of an empty object.
  if (model->Initialize(dir, gui, loc, lang, 1, 0) != S_OK) abort();
  SysFreeString(dir);
  SysFreeString(gui);
  SysFreeString(loc);
  SysFreeString(lang);
  return model;
}

IGuiXmlModel*& Model() {
  static IGuiXmlModel* model = LoadDemo();
  return model;
}

// The arguments of one call and everything they point to, all freed by the destructor so that a leak the
// fuzzer reports is the component's.
class CallArgs {
 public:
  CallArgs(ByteReader& in, UINT count) : m_args(count) {
    // DISPPARAMS holds the last argument first; the order of building does not matter.
    for (VARIANT& arg : m_args) FillArgument(in, arg);
  }
  ~CallArgs() {
    for (VARIANT& arg : m_args)
      if (!(arg.vt & VT_BYREF)) VariantClear(&arg);
    for (VARIANT& target : m_variants) VariantClear(&target);
    // A method stores a new text into a VT_BYREF|VT_BSTR argument without freeing what it held: the caller keeps
    // both.
    for (size_t i = 0; i < m_texts.size(); ++i) {
      if (m_texts[i] != m_originalTexts[i]) SysFreeString(m_texts[i]);
      SysFreeString(m_originalTexts[i]);
    }
  }
  CallArgs(const CallArgs&) = delete;
  CallArgs& operator=(const CallArgs&) = delete;

  VARIANT* Data() { return m_args.data(); }
  UINT Count() const { return UINT(m_args.size()); }

 private:
  // A value the VARIANT owns.
  static void FillValue(ByteReader& in, VARIANT& value, int depth) {
    value = VARIANT{};  // VT_EMPTY, and null pointers for the kinds that hold one
    const uint8_t kind = in.Byte();
    switch (kind % 13) {
      case 0:
        break;
      case 1:
        value.vt = VT_NULL;
        break;
      case 2:
        value.vt = VT_I4;
        value.lVal = LONG(in.Word());
        break;
      case 3:
        value.vt = VT_BSTR;
        value.bstrVal = AllocText(in.Text());
        break;
      case 4:
        value.vt = VT_BSTR;
        value.bstrVal = AllocText(DemoWords()[in.Byte() % DemoWords().size()]);
        break;
      case 5:
        value.vt = VT_BSTR;  // a null BSTR is the empty text
        break;
      case 6:
        value.vt = VT_I8;
        value.llVal = LONGLONG(uint64_t(in.Word()) << 32 | in.Word());
        break;
      case 7: {
        const uint64_t bits = uint64_t(in.Word()) << 32 | in.Word();
        value.vt = VT_R8;
        std::memcpy(&value.dblVal, &bits, sizeof bits);
        break;
      }
      case 8:
        value.vt = VT_BOOL;
        value.boolVal = (kind & 0x80) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
      case 9:
      case 10: {
        // An array, as a script variable holds one from an earlier call.
        const ULONG count = in.Byte() % 5;
        const bool ofVariants = kind % 13 == 9;
        SAFEARRAY* array = SafeArrayCreateVector(ofVariants ? VT_VARIANT : VT_BSTR, 0, count);
        if (!array) break;
        for (LONG i = 0; i < LONG(count); ++i) {
          if (ofVariants) {
            VARIANT element{};
            if (depth < 2) FillValue(in, element, depth + 1);
            SafeArrayPutElement(array, &i, &element);
            VariantClear(&element);
          } else {
            BSTR element = AllocText(in.Text());
            SafeArrayPutElement(array, &i, element);
            SysFreeString(element);
          }
        }
        value.vt = VT_ARRAY | (ofVariants ? VT_VARIANT : VT_BSTR);
        value.parray = array;
        break;
      }
      case 11: {
        // Numbers of the other widths and kinds, as the bytes say.
        static constexpr VARTYPE kTypes[] = {VT_I2,  VT_UI1, VT_ERROR, VT_CY,  VT_DATE,
                                             VT_UI4, VT_I1,  VT_UINT,  VT_INT, VT_R4};
        value.vt = kTypes[in.Byte() % std::size(kTypes)];
        value.llVal = LONGLONG(in.Word());
        break;
      }
      default:
        value.vt = (kind & 0x80) ? VT_DISPATCH : VT_UNKNOWN;  // null interface pointers
        break;
    }
  }

  void FillArgument(ByteReader& in, VARIANT& arg) {
    const uint8_t kind = in.Byte();
    arg = VARIANT{};
    switch (kind % 6) {
      case 0:
      case 1:
        FillValue(in, arg, 0);
        break;
      case 2:
        // What a script passes for a variable: whatever the variable held, arrays included.
        FillValue(in, m_variants.emplace_back(), 0);
        arg.vt = VT_BYREF | VT_VARIANT;
        arg.pvarVal = &m_variants.back();
        break;
      case 3:
        m_originalTexts.push_back((kind & 0x80) ? AllocText(in.Text()) : nullptr);
        m_texts.push_back(m_originalTexts.back());
        arg.vt = VT_BYREF | VT_BSTR;
        arg.pbstrVal = &m_texts.back();
        break;
      case 4:
        arg.vt = VT_BYREF | VT_I4;
        arg.plVal = &m_longs.emplace_back(LONG(in.Word()));
        break;
      default: {
        // A by-reference argument whose pointer is null.
        static constexpr VARTYPE kTypes[] = {VT_VARIANT, VT_BSTR, VT_I4, VT_I8, VT_BOOL, VT_R8};
        arg.vt = VT_BYREF | kTypes[in.Byte() % std::size(kTypes)];
        arg.byref = nullptr;
        break;
      }
    }
  }

  std::vector<VARIANT> m_args;
  // Targets of by-reference arguments; deques keep their addresses while growing.
  std::deque<VARIANT> m_variants;
  std::deque<BSTR> m_texts;
  std::deque<BSTR> m_originalTexts;
  std::deque<LONG> m_longs;
};

// One Invoke as the input describes it; returns the dispatch identifier called.
DISPID InvokeOnce(ByteReader& in, IDispatch* object) {
  const uint8_t selector = in.Byte();
  DISPID id = selector < 0xF8 ? DISPID(selector % 44) : DISPID(in.Word());  // 0 and 43 are unknown
  if (id == kInitialize) id = 0;
  const uint8_t shape = in.Byte();
  const WORD flags = (shape & 0x01) ? WORD(in.Word()) : WORD(DISPATCH_METHOD);
  CallArgs args(in, in.Byte() % 10);

  DISPID named = (shape & 0x02) ? DISPID_PROPERTYPUT : 0;
  DISPPARAMS params{};
  params.rgvarg = (shape & 0x04) ? nullptr : args.Data();
  params.cArgs = args.Count();
  if (shape & 0x08) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception{};
  UINT argErr = 0;
  object->Invoke(id, (shape & 0x10) ? IID_IDispatch : IID_NULL, 0, flags, (shape & 0x20) ? nullptr : &params,
                 (shape & 0x40) ? nullptr : &result, &exception, (shape & 0x80) ? nullptr : &argErr);
  VariantClear(&result);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return id;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  K42SetMessageBoxHandler(&SilentBox, nullptr);
  ByteReader in(data, size);
  std::set<DISPID> called;
  for (int call = 0; call < 8 && !in.AtEnd(); ++call) called.insert(InvokeOnce(in, Model()));

  // The next input starts from the demo as loaded, so that every finding reproduces from its own input.
  if (called.count(kOnLanguageIDChange)) {
    // Texts of another language stay applied; only a new object is the demo as loaded.
    Model()->Release();
    Model() = LoadDemo();
  } else {
    if (called.count(kSetLanguage)) {
      BSTR english = SysAllocString(u"en");
      Model()->SetLanguage(english);
      SysFreeString(english);
    }
    if (called.count(kSetSDKInitialization)) Model()->SetSDKInitialization(nullptr);
  }
  return 0;
}
