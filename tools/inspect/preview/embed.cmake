# Writes the preview page's style and script into a C++ header, so that the inspector carries them.
# Usage: cmake -DSTYLE=preview.css -DSCRIPT=preview.js -DOUTPUT=preview_assets.h -P embed.cmake
file(READ ${STYLE} style)
file(READ ${SCRIPT} script)
foreach(text style script)
  string(FIND "${${text}}" ")K42PAGE\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${text} contains the raw string delimiter")
  endif()
endforeach()
file(WRITE ${OUTPUT} "// Generated from tools/inspect/preview/ by embed.cmake: the preview page's style and script.
#pragma once
namespace inspect {
inline constexpr const char kPreviewStyle[] = R\"K42PAGE(${style})K42PAGE\";
inline constexpr const char kPreviewScript[] = R\"K42PAGE(${script})K42PAGE\";
}  // namespace inspect
")
