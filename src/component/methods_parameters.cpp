// IGuiXmlModel methods about single parameters: type, information, data type, format, enumeration items, reference, label variants.
#include <vector>

#include "component/GuiXmlModel.h"
#include "component/conversions.h"
#include "component/variant_array.h"

namespace k42com {

// 19: variable type and handling as the model sets them.
HRESULT CGuiXmlModel::GetParameterType(BSTR bstrParameterID, ParType enParType, VarType* penVarType,
                                       HandlingType* penHandlingType) {
  return Shielded([&] {
    DirectOutput<VarType> varType(penVarType);
    DirectOutput<HandlingType> handling(penHandlingType);
    const int32_t status =
        m_model.GetParameterType(FromBstr(bstrParameterID), EnumValue(enParType), varType.Value(), handling.Value());
    return status == 0 ? S_OK : S_FALSE;
  });
}

// 20: all six outputs are written whatever the model found; texts it did not
// set are empty, the conditional-label flag 0. With a legend (non-empty),
// the label output is the legend, a blank and the model's label.
HRESULT CGuiXmlModel::GetParameterInfo(BSTR bstrParameterID, BSTR bstrLabelRef, BSTR bstrLegend, ParType enParType,
                                       BSTR* pbstrValue, BSTR* pbstrLabel, long* nIsConditionalLabel,
                                       BSTR* pbstrToolTip, BSTR* pbstrHelpTopic, BSTR* pbstrHelpRef) {
  return Shielded([&] {
    std::u16string value, label, tooltip, helpTopic, helpRef;
    int32_t conditionalLabel = 0;
    const int32_t status =
        m_model.GetParameterInfo(FromBstr(bstrParameterID), FromBstr(bstrLabelRef), EnumValue(enParType), value, label,
                                 conditionalLabel, tooltip, helpTopic, helpRef);
    const std::u16string legend = FromBstr(bstrLegend);
    WriteText(pbstrValue, value);
    WriteText(pbstrLabel, legend.empty() ? label : legend + u" " + label);
    WriteNumber(nIsConditionalLabel, conditionalLabel);
    WriteText(pbstrToolTip, tooltip);
    WriteText(pbstrHelpTopic, helpTopic);
    WriteText(pbstrHelpRef, helpRef);
    return status == 0 ? S_OK : S_FALSE;
  });
}

// 21: the three integers start at 0 in the caller's variables and get what
// the model sets; storage and handling texts are always written (empty
// when the model gives none).
HRESULT CGuiXmlModel::GetParameterDatatype(BSTR bstrParameterID, ParType enParType, VarType* penVarType,
                                           long* nSizeInBit, long* nConditionalAttribute, BSTR* pbstrStorage,
                                           BSTR* pbstrHandling) {
  return Shielded([&] {
    WriteNumber(penVarType, 0);
    WriteNumber(nSizeInBit, 0);
    WriteNumber(nConditionalAttribute, 0);
    DirectOutput<VarType> varType(penVarType);
    DirectOutput<long> sizeInBit(nSizeInBit);
    DirectOutput<long> conditionalAttribute(nConditionalAttribute);
    std::u16string storage, handling;
    const int32_t status =
        m_model.GetParameterDatatype(FromBstr(bstrParameterID), EnumValue(enParType), varType.Value(),
                                     sizeInBit.Value(), conditionalAttribute.Value(), storage, handling);
    WriteText(pbstrStorage, storage);
    WriteText(pbstrHandling, handling);
    return status == 0 ? S_OK : S_FALSE;
  });
}

// 22: format, alignment and style texts are always written (empty when the
// model gives none). The display condition and the conditional-format flag
// are always written too: the model's values when it found the parameter,
// and where it sets nothing (parameter not found; the flag of a
// metavariable) 0, that is kDISPLAYALWAYS and "not conditional", the values
// a parameter without those attributes has.
HRESULT CGuiXmlModel::GetParameterFormat(BSTR bstrParameterID, ParType enParType, BSTR* pbstrFormat,
                                         BSTR* pbstrAlignment, long* nDisplayCondition, BSTR* pbstrStyle,
                                         long* pbIsConditionalFormat) {
  return Shielded([&] {
    std::u16string format, alignment, style;
    int32_t displayCondition = kDISPLAYALWAYS;
    int32_t conditionalFormat = 0;
    const int32_t status = m_model.GetParameterFormat(FromBstr(bstrParameterID), EnumValue(enParType), format,
                                                      alignment, displayCondition, style, conditionalFormat);
    WriteText(pbstrFormat, format);
    WriteText(pbstrAlignment, alignment);
    WriteNumber(nDisplayCondition, displayCondition);
    WriteText(pbstrStyle, style);
    WriteNumber(pbIsConditionalFormat, conditionalFormat);
    return status == 0 ? S_OK : S_FALSE;
  });
}

// 23: rows x 4 (label, legend, DD string, value) of the variable's enumeration items.
HRESULT CGuiXmlModel::GetParameterEnumItems(BSTR bstrParameterID, ParType enParType, VARIANT* pEnumItems) {
  return Shielded([&] {
    std::vector<CDDEnumItem*> items;
    if (m_model.GetParameterEnumItems(FromBstr(bstrParameterID), EnumValue(enParType), items) != 0 || items.empty())
      return S_FALSE;
    VariantArray table(items.size(), 4);
    for (size_t row = 0; row < items.size(); ++row) {
      const CDDEnumItem* item = items[row];
      if (!item) continue;
      std::u16string label, legend, ddString;
      item->GetLabel(label);
      item->GetLegend(legend);
      item->GetDdString(ddString);
      table.PutText(row, 0, label);
      table.PutText(row, 1, legend);
      table.PutText(row, 2, ddString);
      table.PutLong(row, 3, item->GetValue());
    }
    return table.HandOutResult(pEnumItems);
  });
}

// 25: the first reference of an image (with the directory in front), always written.
HRESULT CGuiXmlModel::GetParameterRef(BSTR bstrParameterID, ParType enParType, BSTR* pbstrRef) {
  return Shielded([&] {
    std::u16string reference;
    const int32_t status = m_model.GetParameterRef(FromBstr(bstrParameterID), EnumValue(enParType), reference);
    WriteText(pbstrRef, reference);
    return status == 0 ? S_OK : S_FALSE;
  });
}

// 32: rows x 3 (DD string key, label, tooltip), one row per variant of a
// conditional label. A cell that cannot be stored does not change the result.
HRESULT CGuiXmlModel::GetConditionalLabelData(BSTR bstrParameterID, VARIANT* pVarLabels) {
  return Shielded([&] {
    std::vector<CDDText> variants;
    if (m_model.GetConditionalLabelData(FromBstr(bstrParameterID), variants) != 0) return S_FALSE;
    VariantArray table(variants.size(), 3);
    for (size_t row = 0; row < variants.size(); ++row) {
      table.PutText(row, 0, variants[row].m_key);
      table.PutText(row, 1, variants[row].m_label);
      table.PutText(row, 2, variants[row].m_tooltip);
    }
    return table.HandOut(pVarLabels) ? S_OK : S_FALSE;
  });
}

}  // namespace k42com
