// Image records: CDDImage, declared by "IMAGE_DEC", with up to three sizes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/DDBase.h"

class CDDImage : public CDDElement {
 public:
  static constexpr int kRegular = 0;
  static constexpr int kLarge = 1;
  static constexpr int kSmall = 2;

  ~CDDImage() override = default;

  void SetMenuRef(std::u16string v) { m_menuRef = std::move(v); }
  const std::u16string& GetMenuRef() const { return m_menuRef; }
  // Index 0 regular, 1 large, 2 small; other indexes are ignored / empty.
  void SetImageRef(int index, std::u16string v) {
    if (index >= 0 && index < 3) m_imageRefs[index] = std::move(v);
  }
  std::u16string GetImageRef(int index) const {
    return (index >= 0 && index < 3) ? m_imageRefs[index] : std::u16string();
  }
  void SetHelpId(int32_t v) { m_helpId = v; }
  int32_t GetHelpId() const { return m_helpId; }

 private:
  std::u16string m_menuRef;
  std::array<std::u16string, 3> m_imageRefs;
  int32_t m_helpId = 0;
};
