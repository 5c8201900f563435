// IGuiXmlModel methods of the header area and device state: header variables and controls, metavariables, online flag.
#include <cstdint>
#include <vector>

#include "component/GuiXmlModel.h"
#include "component/conversions.h"
#include "component/variant_array.h"

namespace k42com {

// 18: one dimension, the identifiers of the metavariables.
HRESULT CGuiXmlModel::GetMetaVarRef(VARIANT* pvarRefs) {
  return Shielded([&] {
    std::vector<std::u16string> ids;
    if (m_model.GetMetaVarRef(ids) != 0 || ids.empty()) return S_FALSE;
    VariantArray list(ids.size());
    for (size_t row = 0; row < ids.size(); ++row) list.PutText(row, ids[row]);
    return list.HandOutResult(pvarRefs);
  });
}

// 24: when a header record matches: parameter identifier, origin, label
// reference (always empty), status identifier and header variable type.
// The origin is a ParType number and pbstrOrigin carries it as that number,
// not as a string: the pointer-sized BSTR variable receives the value
// (read it back as static_cast<ParType>(reinterpret_cast<intptr_t>(origin)))
// and must not be freed.
HRESULT CGuiXmlModel::GetHeaderVarRef(Mode enMode, BSTR bstrMapping, BSTR* pbstrParID, BSTR* pbstrOrigin,
                                      BSTR* pbstrLabelRef, BSTR* pbstrStatusID, long* pVarType) {
  return Shielded([&] {
    std::u16string parameterId, labelRef, statusId;
    int32_t origin = 0;
    int32_t headerVarType = 0;
    if (m_model.GetHeaderVarRef(EnumValue(enMode), FromBstr(bstrMapping), parameterId, origin, labelRef, statusId,
                                headerVarType) != 0)
      return S_FALSE;
    WriteText(pbstrParID, parameterId);
    if (pbstrOrigin) *pbstrOrigin = reinterpret_cast<BSTR>(static_cast<intptr_t>(origin));
    WriteText(pbstrLabelRef, labelRef);
    WriteText(pbstrStatusID, statusId);
    WriteNumber(pVarType, headerVarType);
    return S_OK;
  });
}

// 34: the is-online flag of the selected function identifier; S_FALSE for a null pointer.
HRESULT CGuiXmlModel::GetFunctionIdIsOnline(long* online) {
  return Shielded([&] {
    int32_t value = 0;
    if (m_model.GetFunctionIdIsOnline(online ? &value : nullptr) != 0) return S_FALSE;
    WriteNumber(online, value);
    return S_OK;
  });
}

// 36: identifier, ProgID, initialization text, width and height of a header control, when a record matches.
HRESULT CGuiXmlModel::GetHeaderCtrlInfo(Mode enMode, BSTR bstrMapping, BSTR* pbstrID, BSTR* pbstrProgID,
                                        BSTR* pbstrInit, long* plWidth, long* plHeight) {
  return Shielded([&] {
    std::u16string controlId, progId, init;
    int32_t width = 0;
    int32_t height = 0;
    if (m_model.GetHeaderCtrlInfo(EnumValue(enMode), FromBstr(bstrMapping), controlId, progId, init, width, height) !=
        0)
      return S_FALSE;
    WriteText(pbstrID, controlId);
    WriteText(pbstrProgID, progId);
    WriteText(pbstrInit, init);
    WriteNumber(plWidth, width);
    WriteNumber(plHeight, height);
    return S_OK;
  });
}

}  // namespace k42com
