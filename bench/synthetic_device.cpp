// Generates synthetic devices for the benchmarks.
#include "synthetic_device.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace k42bench {

SyntheticDevice WriteSyntheticDevice(int modules, int menus, int entries) {
  std::string pattern = (std::filesystem::temp_directory_path() / "k42gui-bench-XXXXXX").string();
  SyntheticDevice device;
  device.directory = std::string(mkdtemp(pattern.data())) + "/";

  std::ostringstream xml, loc;
  xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv:GUIXML xmlns:tv=\"urn:k42gui:guixml\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"urn:k42gui:guixml "
      << K42GUI_SOURCE_DIR << "/schemas/guixml.xsd\">\n";
  loc << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LANGUAGE_SUPPORT "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\""
      << K42GUI_SOURCE_DIR << "/schemas/guixml-loc.xsd\">\n";
  std::ostringstream en, de;
  for (int m = 0; m < modules; ++m) {
    for (int u = 0; u < menus; ++u) {
      for (int e = 0; e < entries; ++e) {
        const std::string id = "v" + std::to_string(m) + "_" + std::to_string(u) + "_" + std::to_string(e);
        xml << " <VAR_DEC VAR_ID=\"" << id << "\"><DATATYPE SIZE_IN_BIT=\"8\">DD_ENUM8</DATATYPE>"
            << "<MODIFIER HANDLING=\"READWRITE\"/><GUI_FORMAT FORMAT_CONTROL=\"%u\" ALIGN=\"RIGHT\"/>"
            << "<ENUM_ITEM VALUE=\"0\"/><ENUM_ITEM VALUE=\"1\"/><ENUM_ITEM VALUE=\"2\"/></VAR_DEC>\n";
        en << "  <ID NAME=\"" << id << "\"><LABEL>Parameter " << id << "</LABEL><TOOLTIP>Tip</TOOLTIP>"
           << "<ENUM ID=\"2\">two</ENUM><ENUM ID=\"0\">zero</ENUM><ENUM ID=\"1\">one</ENUM></ID>\n";
        de << "  <ID NAME=\"" << id << "\"><LABEL>Parameter " << id << " (de)</LABEL></ID>\n";
      }
    }
  }
  xml << " <FUNCTION_ID ID=\"1\">";
  for (int m = 0; m < modules; ++m) xml << "<MODULE MOD_REF=\"mod" << m << "\"/>";
  xml << "</FUNCTION_ID>\n";
  for (int m = 0; m < modules; ++m) {
    xml << " <MODULE_DEC MOD_ID=\"mod" << m << "\" MOD_INTEGRATION=\"TAB\"><NAVIGATION_AREA>"
        << "<MENU MENU_REF=\"root" << m << "\" PARDIS_REF=\"d" << m << "_0\"/>"
        << "<MENU_DEC MENU_ID=\"root" << m << "\">";
    for (int u = 0; u < menus; ++u)
      xml << "<MENU MENU_REF=\"m" << m << "_" << u << "\" PARDIS_REF=\"d" << m << "_" << u << "\"/>";
    xml << "</MENU_DEC>";
    for (int u = 0; u < menus; ++u) {
      xml << "<MENU_DEC MENU_ID=\"m" << m << "_" << u << "\">";
      for (int e = 0; e < entries; ++e) {
        xml << "<VARIABLE_NAV VAR_REF=\"v" << m << "_" << u << "_" << e << "\" PARDIS_REF=\"d" << m << "_" << u
            << "\" IMAGELIST_INDEX=\"2\"/>";
      }
      xml << "</MENU_DEC>";
    }
    xml << "</NAVIGATION_AREA><PARDIS_AREA>";
    for (int u = 0; u < menus; ++u) {
      xml << "<PARDIS_DEC PARDIS_ID=\"d" << m << "_" << u << "\" xsi:type=\"tv:custompardisdecType\">";
      for (int e = 0; e < entries; ++e) {
        xml << "<VARIABLE_PARDIS VAR_REF=\"v" << m << "_" << u << "_" << e << "\" CONTROLSTYLE=\"COMBO\"/>";
        if (e == entries / 2) xml << "<NEWCOLUMN_PARDIS/>";
      }
      xml << "</PARDIS_DEC>";
    }
    xml << "</PARDIS_AREA></MODULE_DEC>\n";
  }
  xml << "</tv:GUIXML>\n";
  loc << " <LANG ID=\"en\" DEFAULT=\"1\"><SCOPE ID=\"GLOBAL\">\n"
      << en.str() << " </SCOPE></LANG>\n"
      << " <LANG ID=\"de\"><SCOPE ID=\"GLOBAL\">\n"
      << de.str() << " </SCOPE></LANG>\n</LANGUAGE_SUPPORT>\n";

  const std::string xmlText = xml.str();
  std::ofstream(device.directory + device.xmlFile, std::ios::binary) << xmlText;
  std::ofstream(device.directory + device.locFile, std::ios::binary) << loc.str();
  device.xmlBytes = xmlText.size();
  return device;
}

}  // namespace k42bench
