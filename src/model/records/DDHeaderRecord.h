// Header records: one place of the header area for one mode of operation.
#pragma once

#include <cstdint>
#include <string>

// A plain record read from "VARIABLE_HEADER" or "IMAGE_HEADER". The readers
// always set origin and header variable type; width and height stay 0 when
// the file gives no size (every image record), which a host reads as "no size
// given, use the control's own" rather than an arbitrary number.
class CDDHeaderRecord {
 public:
  std::u16string m_mapping;
  std::u16string m_parameterRef;
  std::u16string m_statusRef;
  std::u16string m_use;
  int32_t m_origin = 0;         // PAR_UNKNOWN until a reader sets it
  int32_t m_headerVarType = 0;  // HEADERVARTYPE_UNDEF
  std::u16string m_controlId;
  std::u16string m_controlProgId;
  std::u16string m_controlInit;
  int32_t m_width = 0;   // no "WIDTH": 0
  int32_t m_height = 0;  // no "HEIGHT": 0
};
