// IGuiXmlModel methods of help files and the SDK initialization string.
#include "component/GuiXmlModel.h"
#include "component/conversions.h"

namespace k42com {

// 5: the help file to show (a default device help file when the device's
// own is missing), always written; the anchor kind is the model's.
HRESULT CGuiXmlModel::GetHelpFilePath(long lHelpFileType, BSTR* pbstrHelpFilePath, AnchorType* pAnchorType) {
  return Shielded([&] {
    std::u16string path;
    DirectOutput<AnchorType> anchor(pAnchorType);
    const int32_t status = m_model.GetHelpFilePath(static_cast<int32_t>(lHelpFileType), path, anchor.Value());
    WriteText(pbstrHelpFilePath, path);
    return status == 0 ? S_OK : S_FALSE;
  });
}

// 38: stores the initialization string and takes its help entries.
HRESULT CGuiXmlModel::SetSDKInitialization(BSTR bstrSDKInitialization) {
  return Shielded([&] {
    m_model.SetSDKInitialization(FromBstr(bstrSDKInitialization));
    return S_OK;
  });
}

// 39: the stored initialization string.
HRESULT CGuiXmlModel::GetSDKInitialization(BSTR* pbstrSDKInitialization) {
  return Shielded([&] {
    std::u16string text;
    m_model.GetSDKInitialization(text);
    WriteText(pbstrSDKInitialization, text);
    return S_OK;
  });
}

// 40: help application and help parameter (empty once no help file was found).
HRESULT CGuiXmlModel::GetSDKInitHelp(BSTR* pbstrHelpApplication, BSTR* pbstrHelpParameter) {
  return Shielded([&] {
    std::u16string application, parameter;
    m_model.GetSDKInitHelp(application, parameter);
    WriteText(pbstrHelpApplication, application);
    WriteText(pbstrHelpParameter, parameter);
    return S_OK;
  });
}

// 41: the value of one key of the initialization string; S_FALSE (output
// untouched) when it is missing or empty, or nothing is stored.
HRESULT CGuiXmlModel::ParseInitString(BSTR bstrParameter, BSTR* pbstrValue) {
  return Shielded([&] {
    std::u16string value;
    if (m_model.ParseInitString(FromBstr(bstrParameter), value) != 0) return S_FALSE;
    WriteText(pbstrValue, value);
    return S_OK;
  });
}

}  // namespace k42com
