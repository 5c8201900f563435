# Writes the preview page's style and script into a C++ header, so that the inspector carries them.
# Usage: cmake -DSTYLE=preview.css -DSCRIPTS=values.js,help.js,preview.js -DOUTPUT=preview_assets.h -P embed.cmake
# The scripts go into the page in the order given: each one uses only those before it.
if(NOT STYLE OR NOT SCRIPTS)
  message(FATAL_ERROR "embed.cmake needs STYLE and SCRIPTS")
endif()
file(READ ${STYLE} style)
string(REPLACE "," ";" scripts "${SCRIPTS}")
set(script "")
foreach(part IN LISTS scripts)
  file(READ ${part} text)
  string(APPEND script "${text}")
endforeach()
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
