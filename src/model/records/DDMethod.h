// Method records: CDDMethod, declared by "MET_DEC".
#pragma once

#include <cstdint>

#include "model/DDBase.h"

class CDDMethod : public CDDElement {
 public:
  ~CDDMethod() override = default;

  void SetHandling(int32_t v) { m_handling = v; }
  int32_t GetHandling() const { return m_handling; }

 private:
  int32_t m_handling = 1;  // kREADWRITE
};
