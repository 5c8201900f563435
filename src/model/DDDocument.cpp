// The document's own upkeep: the GUI label store, the help file references and the lists' spare capacity.
#include "model/DDDocument.h"

#include "model/Keywords.h"

#include <k42gui/IGuiXmlModel.h>

CDDDocument::CDDDocument() = default;

CDDDocument::~CDDDocument() = default;

bool CDDDocument::AdoptGuiLabel(std::unique_ptr<CDDElement> element) {
  // Room first, so that once the dictionary holds the record the store cannot fail to take it.
  if (m_guiLabelStore.size() == m_guiLabelStore.capacity()) m_guiLabelStore.reserve(2 * m_guiLabelStore.size() + 8);
  if (!m_guiLabels.Insert(element.get())) return false;
  m_guiLabelStore.push_back(std::move(element));
  return true;
}

void CDDDocument::SetHelpFile(int32_t helpFileType, std::u16string_view file, std::u16string_view anchors) {
  const bool ui = helpFileType == kHELPUI;
  (ui ? m_uiHelpFile : m_dtmHelpFile).assign(file);
  k42::KeywordToValue(k42::KeywordTable::kHelpAnchors, anchors, ui ? m_uiHelpAnchor : m_dtmHelpAnchor);
}

void CDDDocument::ReleaseSpareCapacity() {
  // A list that doubled while it was read holds up to as much again unused: 33,000 variables leave room
  // for 32,000 more.
  m_variables.shrink_to_fit();
  m_labels.shrink_to_fit();
  m_methods.shrink_to_fit();
  m_images.shrink_to_fit();
  m_metaVariables.shrink_to_fit();
  m_modules.shrink_to_fit();
  m_headerRecords.shrink_to_fit();
  for (const auto& variable : m_variables) variable->ReleaseSpareCapacity();
  for (const auto& variable : m_metaVariables) variable->ReleaseSpareCapacity();
}
