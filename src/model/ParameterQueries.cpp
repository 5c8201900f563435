// Queries over parameters (variables, metavariables, methods, images), the header area and conditional labels.
//
// The first element of a typed list with the requested identifier answers (found through the
// list's index); a dictionary look-up is FindChild on the element dictionary. Outputs a query
// does not reach stay as the caller passed them.
//
// Help references: no reader stores a help reference on a variable or a
// metavariable, so GetParameterInfo hands out an empty one for both.
#include "model/DDDocument.h"

#include <k42gui/IGuiXmlModel.h>

#include "model/Keywords.h"

namespace {

bool HasVariants(const CDDBase* element) {
  const auto* declared = dynamic_cast<const CDDElement*>(element);
  return declared != nullptr && declared->HasVariants();
}

}  // namespace

int32_t CDDDocument::GetParameterType(const std::u16string& id, int32_t parType, int32_t& varType,
                                      int32_t& handling) const {
  switch (parType) {
    case PAR_META:
      // Several metavariables may share the identifier; the first of a
      // known type answers, the others still leave their values behind.
      for (const CDDMetaVariable* meta : m_metaVariableIndex.Find(m_metaVariables, id)) {
        handling = meta->GetHandling();
        varType = meta->GetType();
        if (varType != TYPE_UNKNOWN) return 0;
      }
      return -1;
    case PAR_VARIABLE: {
      const CDDVariable* variable = m_variableIndex.Find(m_variables, id);
      if (variable == nullptr) return -1;
      handling = variable->GetHandling();
      varType = variable->GetType();
      return varType != TYPE_UNKNOWN ? 0 : -1;
    }
    case PAR_METHODE: {
      // A method has no data type: the handling is handed out, the
      // result is always -1.
      const CDDMethod* method = m_methodIndex.Find(m_methods, id);
      if (method != nullptr) handling = method->GetHandling();
      return -1;
    }
    default:
      return -1;
  }
}

// PAR_MODULE answers when the modules list is not empty and PAR_HEADLINE when
// the labels list is not empty: a module is named by its own identifier and a
// headline by the label it shows, so each kind is gated by the list its
// identifier comes from.
int32_t CDDDocument::GetParameterInfo(const std::u16string& id, const std::u16string& labelRef, int32_t parType,
                                      std::u16string& value, std::u16string& label, int32_t& conditionalLabel,
                                      std::u16string& tooltip, std::u16string& helpTopic,
                                      std::u16string& helpRef) const {
  bool listFilled = false;
  switch (parType) {
    case PAR_META:
      listFilled = !m_metaVariables.empty();
      break;
    case PAR_VARIABLE:
      listFilled = !m_variables.empty();
      break;
    case PAR_METHODE:
      listFilled = !m_methods.empty();
      break;
    case PAR_IMAGE:
      listFilled = !m_images.empty();
      break;
    case PAR_MODULE:
      listFilled = !m_modules.empty();
      break;
    case PAR_HEADLINE:
      listFilled = !m_labels.empty();
      break;
    default:
      return -1;
  }
  if (!listFilled || m_elements.Count() == 0) return -1;
  const CDDBase* element = m_elements.FindChild(id);
  if (element == nullptr) return -1;

  switch (parType) {
    case PAR_META:
      if (const auto* meta = dynamic_cast<const CDDVariable*>(element)) meta->GetValueText(value);
      element->GetLabel(label);
      element->GetTooltip(tooltip);
      element->GetHelpTopic(helpTopic);
      helpRef.clear();
      return 0;
    case PAR_VARIABLE: {
      // A plain variable keeps the value output as passed.
      if (const auto* variable = dynamic_cast<const CDDVariable*>(element)) variable->GetValueText(value);
      element->GetHelpTopic(helpTopic);
      helpRef.clear();
      conditionalLabel = HasVariants(element) ? 1 : 0;
      if (conditionalLabel != 0) {
        label.clear();
        tooltip.clear();
      } else {
        element->GetLabel(label);
        element->GetTooltip(tooltip);
      }
      if (labelRef.empty()) return 0;
      // The display names another label: 1 tells that it does not exist,
      // with the variable's own texts already handed out.
      const CDDBase* referenced = m_elements.FindChild(labelRef);
      if (referenced == nullptr) return 1;
      conditionalLabel = HasVariants(referenced) ? 1 : 0;
      if (conditionalLabel != 0) {
        label.clear();
        tooltip.clear();
      } else {
        referenced->GetLabel(label);
      }
      return 0;
    }
    case PAR_METHODE:
    case PAR_IMAGE:
      element->GetLabel(label);
      element->GetTooltip(tooltip);
      element->GetHelpTopic(helpTopic);
      return 0;
    default:  // PAR_MODULE, PAR_HEADLINE
      element->GetLabel(label);
      return 0;
  }
}

int32_t CDDDocument::GetParameterDatatype(const std::u16string& id, int32_t parType, int32_t& varType,
                                          int32_t& sizeInBit, int32_t& conditionalAttribute, std::u16string& storage,
                                          std::u16string& handling) const {
  int32_t result = -1;
  const CDDVariable* found = nullptr;
  if (parType == PAR_META) {
    for (const CDDMetaVariable* meta : m_metaVariableIndex.Find(m_metaVariables, id)) {
      found = meta;
      varType = meta->GetType();
      sizeInBit = 0;
      if (varType != TYPE_UNKNOWN) {
        result = 0;
        break;
      }
    }
  } else if (parType == PAR_VARIABLE) {
    found = m_variableIndex.Find(m_variables, id);
    if (found != nullptr) {
      sizeInBit = found->GetSizeInBit();
      conditionalAttribute = found->GetConditionalAttribute();
      varType = found->GetType();
      if (varType != TYPE_UNKNOWN) result = 0;
    }
  }
  if (found == nullptr) return -1;

  // kCONDITIONAL has no text: the query fails and the text stays as passed.
  if (!k42::HandlingToText(found->GetHandling(), handling)) result = -1;
  k42::StorageToText(found->GetStorage(), storage);
  return result;
}

int32_t CDDDocument::GetParameterFormat(const std::u16string& id, int32_t parType, std::u16string& format,
                                        std::u16string& alignment, int32_t& displayCondition, std::u16string& style,
                                        int32_t& conditionalFormat) const {
  const CDDVariable* found = nullptr;
  if (parType == PAR_META) {
    const auto& metas = m_metaVariableIndex.Find(m_metaVariables, id);
    if (!metas.empty()) found = metas.front();
  } else if (parType == PAR_VARIABLE) {
    found = m_variableIndex.Find(m_variables, id);
  }
  if (found == nullptr) return -1;
  format = found->GetFormat();
  alignment = found->GetAlignment();
  displayCondition = found->GetDisplayCondition();
  style = found->GetStyle();
  if (parType == PAR_VARIABLE) conditionalFormat = found->GetConditionalFormat();
  return 0;
}

int32_t CDDDocument::GetParameterEnumItems(const std::u16string& id, int32_t, std::vector<CDDEnumItem*>& items) const {
  if (m_elements.Count() == 0) return -1;
  const auto* variable = dynamic_cast<const CDDVariable*>(m_elements.FindChild(id));
  if (variable == nullptr) return -1;
  variable->EnumItems().GetItems(items);
  return 0;
}

int32_t CDDDocument::GetParameterRefAt(const std::u16string& id, int32_t parType, int32_t index,
                                       std::u16string& reference) const {
  if (parType != PAR_IMAGE) return -1;
  const CDDImage* image = m_imageIndex.Find(m_images, id);
  if (image == nullptr) return -1;
  reference = image->GetImageRef(index);
  return 0;
}

int32_t CDDDocument::GetMetaVarRef(std::vector<std::u16string>& ids) const {
  if (m_metaVariables.empty()) return -1;
  for (const auto& meta : m_metaVariables) {
    ids.emplace_back(meta->Id());
  }
  return 0;
}

const CDDHeaderRecord* CDDDocument::FindHeaderRecord(int32_t mode, const std::u16string& mapping) const {
  // Text never holds a NUL, so the pair is one unambiguous key.
  auto key = [](const std::u16string& use, const std::u16string& name) { return use + u'\0' + name; };
  for (; m_headerRecordsIndexed < m_headerRecords.size(); ++m_headerRecordsIndexed) {
    const CDDHeaderRecord* record = m_headerRecords[m_headerRecordsIndexed].get();
    m_headerRecordIndex.emplace(key(record->m_use, record->m_mapping), record);
  }
  const auto found = m_headerRecordIndex.find(key(k42::ModeToText(mode), mapping));
  return found == m_headerRecordIndex.end() ? nullptr : found->second;
}

int32_t CDDDocument::GetHeaderVarRef(int32_t mode, const std::u16string& mapping, std::u16string& parameterId,
                                     int32_t& origin, std::u16string& labelRef, std::u16string& statusId,
                                     int32_t& headerVarType) const {
  // Header records carry no label reference.
  labelRef.clear();
  const CDDHeaderRecord* record = FindHeaderRecord(mode, mapping);
  if (record == nullptr) return -1;
  parameterId = record->m_parameterRef;
  statusId = record->m_statusRef;
  origin = record->m_origin;
  headerVarType = record->m_headerVarType;
  return 0;
}

int32_t CDDDocument::GetHeaderCtrlInfo(int32_t mode, const std::u16string& mapping, std::u16string& controlId,
                                       std::u16string& progId, std::u16string& init, int32_t& width,
                                       int32_t& height) const {
  const CDDHeaderRecord* record = FindHeaderRecord(mode, mapping);
  if (record == nullptr) return -1;
  controlId = record->m_controlId;
  progId = record->m_controlProgId;
  init = record->m_controlInit;
  width = record->m_width;
  height = record->m_height;
  return 0;
}

int32_t CDDDocument::GetConditionalLabelData(const std::u16string& id, std::vector<CDDText>& variants) const {
  if (m_elements.Count() == 0) return -1;
  const auto* element = dynamic_cast<const CDDElement*>(m_elements.FindChild(id));
  if (element == nullptr || !element->HasVariants()) return -1;
  element->GetVariants(variants);
  return 0;
}

const CDDElement* CDDDocument::FindParameter(const std::u16string& id, int32_t parType) const {
  switch (parType) {
    case PAR_VARIABLE:
      return m_variableIndex.Find(m_variables, id);
    case PAR_META: {
      const auto& metas = m_metaVariableIndex.Find(m_metaVariables, id);
      return metas.empty() ? nullptr : metas.front();
    }
    case PAR_METHODE:
      return m_methodIndex.Find(m_methods, id);
    case PAR_IMAGE:
      return m_imageIndex.Find(m_images, id);
    case PAR_MODULE:
      return FindModule(id);
    default:
      return nullptr;
  }
}
