// Metainformation records: metavariables, supported languages and logos.
#pragma once

#include <cstdint>
#include <string>

#include "model/records/DDVariable.h"

// A variable that carries its value (and where it comes from) in the file.
class CDDMetaVariable : public CDDVariable {
 public:
  ~CDDMetaVariable() override = default;

  void SetSource(std::u16string v) override { m_source = std::move(v); }
  void GetSource(std::u16string& v) const override { v = m_source; }
  void SetValueText(std::u16string v) override { m_valueText = std::move(v); }
  void GetValueText(std::u16string& v) const override { v = m_valueText; }

 private:
  std::u16string m_source;
  std::u16string m_valueText;
};

// A language for which the localized file has texts.
class CDDLanguage {
 public:
  virtual ~CDDLanguage() = default;

  void SetCode(std::u16string v) { m_code = std::move(v); }
  const std::u16string& GetCode() const { return m_code; }
  void SetLocalLabel(std::u16string v) { m_localLabel = std::move(v); }
  const std::u16string& GetLocalLabel() const { return m_localLabel; }

 private:
  std::u16string m_code;
  std::u16string m_localLabel;
};

// A vendor or device logo.
struct CDDLogo {
  std::u16string m_reference;
  int32_t m_type = 0;  // LogoType
};
