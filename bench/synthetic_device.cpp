// Generates synthetic devices for the benchmark: every section of the vocabulary, three languages.
#include "synthetic_device.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace k42bench {

namespace {

std::string N(int value) { return std::to_string(value); }

std::string ModuleId(int m) { return "mod_" + N(m); }
std::string MenuId(int m, int d) { return "mnu_" + N(m) + "_" + N(d); }
std::string DisplayId(int m, int d) { return "dis_" + N(m) + "_" + N(d); }
// Named as a converter names them: what the parameter is, then where it comes from.
std::string VariableId(int m, int d, int k) {
  static const std::array<const char*, 12> kNames = {"pressure",    "temperature", "flow_rate",   "level",
                                                     "damping",     "upper_range", "lower_range", "alarm_delay",
                                                     "sensor_trim", "tag",         "descriptor",  "unit_code"};
  return std::string("var_") + kNames[(m * 7 + d * 3 + k) % 12] + "_" + N(m) + "_" + N(d) + "_" + N(k);
}
std::string SpareId(int s) { return "var_spare_" + N(s); }
std::string MethodId(int m, int d) { return "met_" + N(m) + "_" + N(d / 4); }
std::string ImageId(int m) { return "img_" + N(m); }
std::string HeadlineId(int m, int d) { return "lbl_" + N(m) + "_" + N(d); }
std::string MetaId(int i) { return "meta_" + N(i); }
std::string MappingId(int m) { return "HDR_MODULE_" + N(m); }

constexpr int kFeatures = 5;
constexpr int kSdkLabels = 5;
constexpr int kProbeDisplayItems = 27;  // the rows a large display hands out
int MetaCount(const DeviceScale& scale) { return 10 + scale.modules; }

std::u16string Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// The kinds of variable the generator cycles through; enumerations take their texts from the localized file.
enum class Kind {
  kFloat,
  kEnum,
  kDouble,
  kUint16,
  kString,
  kBitEnum,
  kInt32,
  kKeyedEnum,
  kDate,
  kCond,
  kDuration,
  kPassword
};
constexpr int kKinds = 12;

Kind KindOf(int serial) { return static_cast<Kind>(serial % kKinds); }
bool IsEnumeration(Kind kind) { return kind == Kind::kEnum || kind == Kind::kBitEnum || kind == Kind::kKeyedEnum; }
// Variables outside the displays: with distinct texts they hold no enumerations, so that the many of them
// weigh in both files as the displays' variables do not (a label, often conditional, and some tooltip).
Kind SpareKindOf(int serial, const DeviceScale& scale) {
  const Kind kind = KindOf(serial);
  return scale.distinctTexts && IsEnumeration(kind) ? Kind::kString : kind;
}
bool HasVariantLabels(int serial) { return serial % 7 == 3; }

// The ENUM_ITEM values of an enumeration kind (none for the others).
std::vector<int> EnumValues(Kind kind) {
  switch (kind) {
    case Kind::kEnum:  // a unit table
      return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    case Kind::kBitEnum:
      return {1, 2, 4, 8, 16, 32, 64, 128};
    case Kind::kKeyedEnum:
      return {0, 1};
    default:
      return {};
  }
}

void WriteVarDec(std::string& xml, const std::string& id, int serial, Kind kind) {
  static const std::array<const char*, 3> kStorage = {"DYNAMIC", "STATIC", "CONSTANT"};
  static const std::array<const char*, 3> kHandling = {"READONLY", "READWRITE", "WRITEONLY"};
  static const std::array<const char*, 4> kCondition = {"ALWAYS", "NOTZERO", "READONLY", "OFFLINE"};
  const char* storage = kStorage[serial % 3];
  xml += "  <VAR_DEC VAR_ID=\"" + id + "\">\n    <DATATYPE STORAGE=\"" + storage + "\" ";
  switch (kind) {
    case Kind::kFloat:
      xml += "SIZE_IN_BIT=\"32\">DD_FLOAT</DATATYPE>\n";
      break;
    case Kind::kEnum:
      xml += "SIZE_IN_BIT=\"8\">DD_ENUM8</DATATYPE>\n";
      break;
    case Kind::kDouble:
      xml += "SIZE_IN_BIT=\"64\">DD_DOUBLE</DATATYPE>\n";
      break;
    case Kind::kUint16:
      xml += "SIZE_IN_BIT=\"16\">DD_UINT16</DATATYPE>\n";
      break;
    case Kind::kString:
      xml += "SIZE_IN_BIT=\"256\">DD_VISIBLE_STR</DATATYPE>\n";
      break;
    case Kind::kBitEnum:
      xml += "SIZE_IN_BIT=\"8\">DD_BIT_ENUM8</DATATYPE>\n";
      break;
    case Kind::kInt32:
      xml += "SIZE_IN_BIT=\"32\">DD_INT32</DATATYPE>\n";
      break;
    case Kind::kKeyedEnum:
      xml += "SIZE_IN_BIT=\"16\">DD_ENUM16</DATATYPE>\n";
      break;
    case Kind::kDate:
      xml += "SIZE_IN_BIT=\"24\">DD_DATE</DATATYPE>\n";
      break;
    case Kind::kCond:
      xml += "SIZE_IN_BIT=\"8\" COND=\"1\">DD_UINT8</DATATYPE>\n";
      break;
    case Kind::kDuration:
      xml += "SIZE_IN_BIT=\"48\">DD_DURATION</DATATYPE>\n";
      break;
    case Kind::kPassword:
      xml += "SIZE_IN_BIT=\"64\">DD_PASSWORD</DATATYPE>\n";
      break;
  }
  const char* handling = kind == Kind::kCond ? "COND" : kHandling[serial % 3];
  xml += std::string("    <MODIFIER HANDLING=\"") + handling + "\"/>\n";
  if (EnumValues(kind).empty()) {
    static const std::array<const char*, 4> kFormats = {"%.3f", "%d", "%s", "%u"};
    xml += std::string("    <GUI_FORMAT FORMAT_CONTROL=\"") + (kind == Kind::kCond ? "%COND%" : kFormats[serial % 4]) +
           "\" ALIGN=\"" + (serial % 2 == 0 ? "RIGHT" : "LEFT") + "\" DISPLAY_CONDITION=\"" + kCondition[serial % 4] +
           "\"/>\n";
  }
  for (int value : EnumValues(kind)) {
    xml += "    <ENUM_ITEM VALUE=\"" + N(value) + "\"";
    if (kind == Kind::kKeyedEnum && value == 1) {
      xml += " DDSTRING=\"NAMUR\"/>\n    <ENUM_ITEM VALUE=\"1\" DDSTRING=\"LEGACY\"";
    }
    xml += "/>\n";
  }
  xml += "  </VAR_DEC>\n";
}

// Words of the three languages, so that texts differ in length and content as real translations do.
struct Language {
  const char* id;
  const char* name;
  std::array<const char*, 8> nouns;
  const char* tooltip;
  const char* help;
};

const std::array<Language, 3> kLanguages = {{
    {"en",
     "English",
     {"Pressure", "Temperature", "Flow rate", "Level", "Damping", "Range limit", "Alarm delay", "Sensor trim"},
     "Value measured or configured in the device",
     "help"},
    {"de",
     "Deutsch",
     {"Druck", "Temperatur", "Durchfluss", "F\xC3\xBCllstand", "D\xC3\xA4mpfung", "Messbereichsgrenze",
      "Alarmverz\xC3\xB6gerung", "Sensorabgleich"},
     "Im Ger\xC3\xA4t gemessener oder eingestellter Wert",
     "hilfe"},
    {"fr",
     "Fran\xC3\xA7"
     "ais",
     {"Pression", "Temp\xC3\xA9rature",
      "D\xC3\xA9"
      "bit",
      "Niveau", "Amortissement", "Limite de gamme", "D\xC3\xA9lai d'alarme", "Ajustage du capteur"},
     "Valeur mesur\xC3\xA9"
     "e ou r\xC3\xA9gl\xC3\xA9"
     "e dans l'appareil",
     "aide"},
}};

// With distinct texts, tooltips, enumeration texts and legends name their variable and every third variable
// has conditional labels (every seventh otherwise); otherwise they repeat across variables.
void WriteVariableTexts(std::string& loc, const Language& language, const std::string& id, int serial, Kind kind,
                        bool distinct) {
  const std::string noun = language.nouns[serial % 8];
  const std::string tooltip = distinct ? noun + " " + N(serial) + " (" + language.help + ")" : language.tooltip;
  const std::string enumPrefix = distinct ? noun + " " + N(serial) + "/" : noun + " ";
  loc += "      <ID NAME=\"" + id + "\"><LABEL>" + noun + " " + N(serial) + "</LABEL>";
  if (distinct ? serial % 3 == 0 : HasVariantLabels(serial)) {
    loc += "<LABEL DDSTRING=\"GAUGE\">" + noun + " " + N(serial) + " (g)</LABEL><LABEL DDSTRING=\"ABSOLUTE\">" + noun +
           " " + N(serial) + " (a)</LABEL>";
    if (!distinct) loc += "<TOOLTIP DDSTRING=\"GAUGE\">" + tooltip + "</TOOLTIP>";
  }
  if (distinct ? serial % 3 == 1 : serial % 2 == 0) loc += "<TOOLTIP>" + tooltip + "</TOOLTIP>";
  if (!distinct && serial % 3 == 0) loc += "<HELPTOPIC>" + std::string(language.help) + "_" + id + "</HELPTOPIC>";
  const std::vector<int> values = EnumValues(kind);
  // Listed in an order of their own: the texts find their items by value, not by position.
  for (auto it = values.rbegin(); it != values.rend(); ++it) {
    if (kind == Kind::kKeyedEnum && *it == 1) {
      loc += "<ENUM ID=\"1\" DDSTRING=\"NAMUR\" LEGEND=\"NE 43\">" + enumPrefix + "low</ENUM>";
      loc += "<ENUM ID=\"1\" DDSTRING=\"LEGACY\">" + enumPrefix + "low (old)</ENUM>";
      continue;
    }
    // Distinct legends only on the first item: the item texts carry the weight.
    const std::string legend = !distinct               ? " LEGEND=\"" + noun + "\""
                               : it == values.rbegin() ? " LEGEND=\"" + noun + " " + N(serial) + "\""
                                                       : "";
    loc += "<ENUM ID=\"" + N(*it) + "\"" + legend + ">" + enumPrefix + N(*it) + "</ENUM>";
  }
  loc += "</ID>\n";
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace

DeviceScale SmallScale() { return DeviceScale{3, 8, 11, 16}; }

DeviceScale LargeScale() { return DeviceScale{31, 97, 11, 64}; }

DeviceScale TextHeavyScale() { return DeviceScale{31, 48, 11, 42000, true}; }

Probes ProbesOf(const DeviceScale& scale) {
  const int m = scale.modules - 1;
  const int d = scale.displaysPerModule - 1;
  return Probes{
      {"module", Wide(ModuleId(m))},
      {"menu", Wide(MenuId(m, d))},
      {"display", Wide(DisplayId(m, d))},
      {"menuItem", Wide(VariableId(m, d, scale.variablesPerDisplay - 1))},
      {"variable", Wide(SpareId(scale.spareVariables - 1))},
      {"method", Wide(MethodId(m, d))},
      {"image", Wide(ImageId(m))},
      {"label", Wide(HeadlineId(m, d))},
      {"meta", Wide(MetaId(MetaCount(scale) - 1))},
      {"mapping", Wide(MappingId(m))},
      {"feature", Wide("Feature" + N(kFeatures - 1))},
      {"guiLabel", Wide("sdkLabel" + N(kSdkLabels - 1))},
  };
}

SyntheticDevice WriteSyntheticDevice(const DeviceScale& scale, const std::string& directory) {
  if (scale.modules < 1 || scale.displaysPerModule < 2 || scale.variablesPerDisplay < 2 || scale.spareVariables < 1) {
    throw std::invalid_argument("a device needs a module, two displays, two variables each and a spare variable");
  }
  SyntheticDevice device;
  device.directory = directory.empty() || directory.back() == '/' ? directory : directory + "/";
  device.probes = ProbesOf(scale);
  const int modules = scale.modules;
  const int displays = scale.displaysPerModule;
  const int perDisplay = scale.variablesPerDisplay;

  std::string xml;
  xml.reserve(static_cast<size_t>(modules) * displays * perDisplay * 640);
  xml +=
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv:GUIXML xmlns:tv=\"urn:k42gui:guixml\"\n"
      "           xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
      "           xsi:schemaLocation=\"urn:k42gui:guixml " K42GUI_SOURCE_DIR "/schemas/guixml.xsd\">\n";

  // Labels: two free ones, then the headline of every display.
  xml += "  <LABEL_DEC LABEL_ID=\"lbl_title\"/>\n  <LABEL_DEC LABEL_ID=\"lbl_unit\"/>\n";
  for (int m = 0; m < modules; ++m) {
    for (int d = 0; d < displays; ++d) xml += "  <LABEL_DEC LABEL_ID=\"" + HeadlineId(m, d) + "\"/>\n";
  }

  // Variables: those of the displays in display order, then the spare ones (the last is the probe).
  int serial = 0;
  for (int m = 0; m < modules; ++m) {
    for (int d = 0; d < displays; ++d) {
      for (int k = 0; k < perDisplay; ++k, ++serial) WriteVarDec(xml, VariableId(m, d, k), serial, KindOf(serial));
    }
  }
  const int spareStart = serial;
  for (int s = 0; s < scale.spareVariables; ++s) {
    const int spareSerial = spareStart + s;
    // The probe variable is an enumeration with conditional labels, so every parameter query finds something.
    const bool probe = s == scale.spareVariables - 1;
    WriteVarDec(xml, SpareId(s), spareSerial, probe ? Kind::kEnum : SpareKindOf(spareSerial, scale));
  }

  // Function 1 works offline, function 2 online; both offer every module.
  for (int function = 1; function <= 2; ++function) {
    xml += "  <FUNCTION_ID ID=\"" + N(function) + "\" IS_ONLINE=\"" + (function == 1 ? "FALSE" : "TRUE") + "\">\n";
    for (int m = 0; m < modules; ++m) xml += "    <MODULE MOD_REF=\"" + ModuleId(m) + "\"/>\n";
    xml += "  </FUNCTION_ID>\n";
  }

  for (int m = 0; m < modules; ++m) {
    const bool last = m == modules - 1;
    const char* integration = last || m % 4 != 3 ? "TAB" : (m % 8 == 3 ? "MENU" : "NONE");
    xml += "  <MODULE_DEC MOD_ID=\"" + ModuleId(m) + "\" MOD_ICON=\"images/" + ModuleId(m) +
           ".ico\" MOD_INTEGRATION=\"" + integration + "\" MOD_INITSTRING=\"module=" + N(m) + ";view=tree\">\n";
    if (last || m % 5 == 4) xml += "    <LINK2MODULE FREF=\"modules/" + ModuleId(m) + ".xml\"/>\n";

    // One menu per display, as a tree three wide: menu d holds the sub-menus 3d+1 to 3d+3, a method and then
    // the variables of display d.
    xml += "    <NAVIGATION_AREA NAVIGATION_AREA_IMAGELIST=\"images/tree_" + N(m) + ".bmp\">\n";
    xml += "      <MENU MENU_REF=\"" + MenuId(m, 0) + "\" PARDIS_REF=\"" + DisplayId(m, 0) +
           "\" IMAGELIST_INDEX=\"0\"/>\n";
    for (int d = 0; d < displays; ++d) {
      xml += "      <MENU_DEC MENU_ID=\"" + MenuId(m, d) + "\"" + (d % 9 == 5 ? " RWRO_COND=\"0\"" : "") + ">\n";
      for (int child = 3 * d + 1; child <= 3 * d + 3 && child < displays; ++child) {
        xml += "        <MENU MENU_REF=\"" + MenuId(m, child) + "\" PARDIS_REF=\"" + DisplayId(m, child) +
               "\" IMAGELIST_INDEX=\"1\"/>\n";
      }
      if (d % 4 == 0) {
        xml += "        <METHOD_NAV MET_REF=\"" + MethodId(m, d) + "\" PARDIS_REF=\"" + DisplayId(m, d) +
               "\" IMAGELIST_INDEX=\"3\"/>\n";
      }
      if (d == 1 && modules > 1) {
        xml += "        <MODULE_NAV MOD_REF=\"" + ModuleId((m + 1) % modules) + "\" IMAGELIST_INDEX=\"4\"/>\n";
      }
      for (int k = 0; k < perDisplay; ++k) {
        xml += "        <VARIABLE_NAV VAR_REF=\"" + VariableId(m, d, k) + "\" PARDIS_REF=\"" + DisplayId(m, d) + "\"";
        if (k == 1) xml += " LABEL_REF=\"lbl_unit\"";
        if (k == 2) xml += " COND=\"1\"";
        xml += " IMAGELIST_INDEX=\"2\"/>\n";
      }
      xml += "      </MENU_DEC>\n";
    }
    xml += "    </NAVIGATION_AREA>\n    <PARDIS_AREA>\n";

    for (int d = 0; d < displays; ++d) {
      const bool probe = last && d == displays - 1;
      const bool single = !probe && d % 10 == 9;
      xml += "      <PARDIS_DEC PARDIS_ID=\"" + DisplayId(m, d) +
             "\" xsi:type=\"tv:" + (single ? "singlemodulepardisdecType" : "custompardisdecType") + "\"" +
             (d % 6 == 2 || probe ? " VALIDITY_ID=\"" + VariableId(m, d, 0) + "\"" : std::string()) + ">\n";
      xml += "        <HEADLINE_PARDIS LABEL_REF=\"" + HeadlineId(m, d) +
             "\" FONTNAME=\"Segoe UI\" COLOR_NORMAL=\"8388608\" COLOR_VISITED=\"128\" HEIGHT=\"16\" WEIGHT=\"700\" "
             "ITALIC=\"FALSE\" UNDERLINE=\"0\"/>\n";
      int items = 1;
      if (d % 8 == 0 || probe) {
        xml += "        <IMAGE_PARDIS IMAGE_REF=\"" + ImageId(m) + "\"/>\n";
        ++items;
      }
      // The probe display shows the variables of the displays before it too, up to its row count.
      const int shown = probe ? perDisplay + (kProbeDisplayItems - perDisplay - 5) : perDisplay;
      for (int k = 0; k < shown; ++k, ++items) {
        const int source = k < perDisplay ? d : d - 1 - (k - perDisplay) / perDisplay;
        const std::string variable = VariableId(m, source, k % perDisplay);
        static const std::array<const char*, 6> kStyles = {"EDIT", "STATIC", "COMBO", "RADIO", "CHECKBOX", "LIST"};
        xml += "        <VARIABLE_PARDIS VAR_REF=\"" + variable + "\" CONTROLSTYLE=\"" + kStyles[k % 6] + "\"";
        if (k == 1) xml += " LABEL_REF=\"lbl_unit\"";
        if (k == 3) xml += " LEGEND=\"Set point\" HELPREF=\"sp_" + N(d) + "\"";
        if (k % 2 == 0) xml += " HELPREF=\"help_" + variable + "\"";
        if (k % 5 == 4) {
          xml += ">\n          <GUI_FORMAT FORMAT_CONTROL=\"%.2f\" ALIGN=\"LEFT\"/>\n        </VARIABLE_PARDIS>\n";
        } else {
          xml += "/>\n";
        }
        if (k == perDisplay / 2) {
          xml += "        <NEWCOLUMN_PARDIS/>\n";
          ++items;
        }
      }
      // The first variables of the next display again, as related values.
      for (int k = 0; !probe && d + 1 < displays && k < 4; ++k, ++items) {
        xml += "        <VARIABLE_PARDIS VAR_REF=\"" + VariableId(m, d + 1, k) + "\" CONTROLSTYLE=\"STATIC\"/>\n";
      }
      xml += "        <EMPTYFIELD_PARDIS/>\n        <METHOD_PARDIS MET_REF=\"" + MethodId(m, d) +
             "\" CONTROLSTYLE=\"BUTTON\"/>\n";
      items += 2;
      if (single) {
        xml += "        <MODULE_PARDIS MOD_ID=\"ctl_" + N(m) + "_" + N(d) +
               "\" MOD_PROGID=\"Morvane.TrendCtrl.1\" MOD_INITSTRING=\"channel=" + N(d) +
               "\" WIDTH=\"640\" HEIGHT=\"360\"/>\n";
      }
      if (probe && items != kProbeDisplayItems) throw std::logic_error("the probe display has the wrong row count");
      xml += "        <HOR_NAV TARGET=\"FIRST\" PARDIS_REF=\"" + DisplayId(m, 0) + "\"/>\n";
      if (d > 0) xml += "        <HOR_NAV TARGET=\"PREVIOUS\" PARDIS_REF=\"" + DisplayId(m, d - 1) + "\"/>\n";
      if (d + 1 < displays) xml += "        <HOR_NAV TARGET=\"NEXT\" PARDIS_REF=\"" + DisplayId(m, d + 1) + "\"/>\n";
      xml += "        <HOR_NAV TARGET=\"LAST\" PARDIS_REF=\"" + DisplayId(m, displays - 1) + "\"/>\n";
      xml += "        <HOR_NAV TARGET=\"HOME\" PARDIS_REF=\"" + DisplayId(m, 0) + "\"/>\n";
      xml += "      </PARDIS_DEC>\n";
    }
    xml += "    </PARDIS_AREA>\n";
    xml += "    <MODULEMENUBAR>\n      <MENUBAR_POPUP MENUBAR_ID=\"mb_" + N(m) + "\">\n" +
           "        <MENUBAR_ITEM MENUBAR_ID=\"mb_" + N(m) +
           "_run\" MENUBAR_TYPE=\"FUNCTIONONLINE\" MENUBAR_ACTION=\"" + MethodId(m, 0) +
           "\"/>\n        <MENUBAR_SEPARATOR/>\n        <MENUBAR_ITEM MENUBAR_ID=\"mb_" + N(m) +
           "_cmp\" MENUBAR_TYPE=\"DIALOGBOX\" MENUBAR_ACTION=\"CompareDialog\"/>\n      </MENUBAR_POPUP>\n"
           "    </MODULEMENUBAR>\n    <FEATURES>\n";
    for (int f = 0; f < kFeatures; ++f) {
      xml += "      <FEATURE NAME=\"Feature" + N(f) + "\" VALUE=\"value" + N(f) + "_" + N(m) + "\"/>\n";
    }
    xml += "    </FEATURES>\n    <HEADER_REF OFFLINE=\"OFFLINE\" ONLINE=\"ONLINE\"/>\n  </MODULE_DEC>\n";
  }

  // The header: the standard places, then one place per module in each mode; the last one embeds a control.
  static const std::array<const char*, 3> kUses = {"ONLINE", "OFFLINE", "GENERAL"};
  for (const char* use : kUses) {
    xml += std::string("  <HEADER_AREA USE=\"") + use + "\">\n";
    xml += "    <VARIABLE_HEADER STYLEGUIDE_MAPPING=\"DEVICE_TAG\" VAR_REF=\"" + VariableId(0, 0, 4) +
           "\" ORIGIN=\"VARIABLE\" HEADER_VAR_TYPE=\"STATIC\"/>\n"
           "    <VARIABLE_HEADER STYLEGUIDE_MAPPING=\"MANUFACTURER\" VAR_REF=\"" +
           MetaId(0) + "\" ORIGIN=\"META\"/>\n";
    for (int m = 0; m < modules; ++m) {
      xml += "    <VARIABLE_HEADER STYLEGUIDE_MAPPING=\"" + MappingId(m) + "\" VAR_REF=\"" + VariableId(m, 0, 0) +
             "\" ORIGIN=\"VARIABLE\" VAR_STATUS=\"" + VariableId(m, 0, 1) + "\" HEADER_VAR_TYPE=\"" +
             (m == modules - 1 ? "MODULE\" MOD_ID=\"ctl_bar\" MOD_PROGID=\"Morvane.Bargraph.1\" "
                                 "MOD_INITSTRING=\"min=0;max=100\" WIDTH=\"160\" HEIGHT=\"48\"/>\n"
                               : "LED_HANDLING\"/>\n");
    }
    xml += "    <IMAGE_HEADER LAYOUT_POSITION=\"DEVICE_IMAGE\" IMAGE_REF=\"img_device\"/>\n  </HEADER_AREA>\n";
  }

  xml += "  <METAINFORMATION>\n";
  for (int i = 0; i < MetaCount(scale); ++i) {
    xml += "    <VARIABLE_META VAR_ID=\"" + MetaId(i) + "\">\n      <DATATYPE STORAGE=\"CONSTANT\"" +
           (i % 2 == 0 ? ">DD_VISIBLE_STR" : " SIZE_IN_BIT=\"8\">DD_UINT8") + "</DATATYPE>\n      <VALUE SOURCE=\"" +
           (i % 3 == 0 ? "DEVICE" : "EDD") + "\">" + (i % 2 == 0 ? "Morvane Messtechnik GmbH" : N(i)) +
           "</VALUE>\n    </VARIABLE_META>\n";
  }
  xml += "    <LANGUAGE_SUPPORT>\n";
  for (const Language& language : kLanguages) {
    xml += std::string("      <LANGUAGE RFC1766ACR=\"") + language.id + "\" LOCALLABEL=\"" + language.name + "\"/>\n";
  }
  xml +=
      "    </LANGUAGE_SUPPORT>\n    <AUX_FILES>\n      <LOGO TYPE=\"VENDOR\" HREF=\"images/vendor.bmp\"/>\n"
      "      <LOGO TYPE=\"DEVICE\" HREF=\"images/device.bmp\"/>\n    </AUX_FILES>\n  </METAINFORMATION>\n";

  static const std::array<const char*, 4> kMethodHandling = {"COND", "READWRITE", "WRITEONLY", "READONLY"};
  for (int m = 0; m < modules; ++m) {
    for (int d = 0; d < displays; d += 4) {
      xml += "  <MET_DEC MET_ID=\"" + MethodId(m, d) + "\">\n    <MODIFIER HANDLING=\"" +
             kMethodHandling[(m + d / 4) % 4] + "\"/>\n  </MET_DEC>\n";
    }
  }
  xml +=
      "  <IMAGE_DEC IMAGE_ID=\"img_device\">\n    <REGULAR IREF=\"images/device.bmp\"/>\n"
      "    <LARGE IREF=\"images/device_large.bmp\"/>\n    <SMALL IREF=\"images/device_small.bmp\"/>\n"
      "    <LINK HELPID=\"1042\" MENU=\"" +
      MenuId(0, 0) + "\"/>\n  </IMAGE_DEC>\n";
  for (int m = 0; m < modules; ++m) {
    xml += "  <IMAGE_DEC IMAGE_ID=\"" + ImageId(m) + "\">\n    <REGULAR IREF=\"images/" + ImageId(m) +
           ".png\"/>\n    <LINK HELPID=\"" + N(2000 + m) + "\"/>\n  </IMAGE_DEC>\n";
  }

  xml +=
      "  <MENUBAR>\n    <MENUBAR_POPUP MENUBAR_ID=\"mbDevice\">\n"
      "      <MENUBAR_ITEM MENUBAR_ID=\"mbUpload\" MENUBAR_TYPE=\"FUNCTIONONLINE\" MENUBAR_ACTION=\"Upload\"/>\n"
      "      <MENUBAR_ITEM MENUBAR_ID=\"mbDownload\" MENUBAR_TYPE=\"FUNCTIONONLINE\" MENUBAR_ACTION=\"Download\"/>\n"
      "      <MENUBAR_SEPARATOR/>\n      <MENUBAR_POPUP MENUBAR_ID=\"mbViews\">\n";
  for (int m = 0; m < modules && m < 12; ++m) {
    xml += "        <MENUBAR_ITEM MENUBAR_ID=\"mbShow_" + N(m) + "\" MENUBAR_TYPE=\"MODULE\" MENUBAR_ACTION=\"" +
           ModuleId(m) + "\"/>\n";
  }
  xml +=
      "      </MENUBAR_POPUP>\n    </MENUBAR_POPUP>\n    <MENUBAR_POPUP MENUBAR_ID=\"mbUnit\">\n"
      "      <MENUBAR_VARIABLE MENUBAR_MENU_ID=\"mbUnit\" MENUBAR_VARIABLE_ID=\"" +
      VariableId(0, 0, 1) + "\"/>\n    </MENUBAR_POPUP>\n    <MENUBAR_POPUP MENUBAR_ID=\"mbLanguage\">\n";
  for (const Language& language : kLanguages) {
    xml += std::string("      <MENUBAR_ITEM MENUBAR_ID=\"mbLang_") + language.id +
           "\" MENUBAR_TYPE=\"SETLANGUAGE\" MENUBAR_ACTION=\"" + language.id + "\"/>\n";
  }
  xml +=
      "    </MENUBAR_POPUP>\n    <MENUBAR_ITEM MENUBAR_ID=\"mbAbout\" MENUBAR_TYPE=\"FUNCTION\" "
      "MENUBAR_ACTION=\"About\"/>\n  </MENUBAR>\n";

  xml += "  <TOOLBAR TOOLBAR_IMAGELIST=\"images/toolbar.bmp\">\n";
  static const std::array<const char*, 6> kTools = {"Upload", "Download", "", "mod_0", "PrintDialog", "About"};
  for (int t = 0; t < static_cast<int>(kTools.size()); ++t) {
    if (t == 2) {
      xml += "    <TOOLBARITEM_DEC TOOLBAR_ITEMTYPE=\"TOOLBAR_SEPARATOR\"/>\n";
      continue;
    }
    xml += std::string("    <TOOLBARITEM_DEC TOOLBAR_ITEMTYPE=\"") + (t == 3 ? "TOOLBAR_CHECK" : "TOOLBAR_BUTTON") +
           "\" TOOLBAR_ACTIONTYPE=\"" +
           (t == 3  ? "MODULE"
            : t < 2 ? "FUNCTIONONLINE"
                    : "FUNCTION") +
           "\" TOOLBAR_ACTION=\"" + kTools[t] + "\" TOOLBAR_ID=\"tb" + N(t) + "\" TOOLBAR_BITMAPINDEX=\"" + N(t) +
           "\"/>\n";
  }
  xml += "  </TOOLBAR>\n</tv:GUIXML>\n";

  // The localized file: English is the default; each language has every text.
  std::string loc;
  loc.reserve(xml.size() * 3 / 2);
  loc +=
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LANGUAGE_SUPPORT "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
      "                  xsi:noNamespaceSchemaLocation=\"" K42GUI_SOURCE_DIR "/schemas/guixml-loc.xsd\">\n";
  for (const Language& language : kLanguages) {
    const std::string lang = language.id;
    loc += "  <LANG ID=\"" + lang + "\"" + (lang == "en" ? " DEFAULT=\"1\"" : "") + ">\n";
    loc += "    <HELPFILE FREF=\"help/device_" + lang + ".pdf\" ANCHORS=\"EQTOHELPTOPIC\"/>\n";
    loc += "    <UIHELPFILE FREF=\"help/device_ui_" + lang + ".chm\" ANCHORS=\"EQTOID\"/>\n";
    loc += "    <SCOPE ID=\"GLOBAL\">\n";
    loc += "      <ID NAME=\"lbl_title\"><LABEL>Morvane PT-42 (" + lang + ")</LABEL></ID>\n";
    loc += "      <ID NAME=\"lbl_unit\"><LABEL>" + std::string(language.nouns[0]) + " unit</LABEL></ID>\n";
    for (int m = 0; m < modules; ++m) {
      for (int d = 0; d < displays; ++d) {
        loc += "      <ID NAME=\"" + HeadlineId(m, d) + "\"><LABEL>" + language.nouns[d % 8] + " " + N(m) + "." + N(d) +
               "</LABEL></ID>\n";
      }
    }
    int textSerial = 0;
    for (int m = 0; m < modules; ++m) {
      for (int d = 0; d < displays; ++d) {
        for (int k = 0; k < perDisplay; ++k, ++textSerial) {
          WriteVariableTexts(loc, language, VariableId(m, d, k), textSerial, KindOf(textSerial), scale.distinctTexts);
        }
      }
    }
    for (int s = 0; s < scale.spareVariables; ++s, ++textSerial) {
      const bool probe = s == scale.spareVariables - 1;
      // The probe's label varies with a DDSTRING, as the conditional-label query needs.
      const int textKey = probe ? 3 : textSerial;
      WriteVariableTexts(loc, language, SpareId(s), textKey, probe ? Kind::kEnum : SpareKindOf(textSerial, scale),
                         scale.distinctTexts);
    }
    for (int i = 0; i < MetaCount(scale); ++i) {
      loc += "      <ID NAME=\"" + MetaId(i) + "\"><LABEL>" + language.nouns[i % 8] + " (meta " + N(i) +
             ")</LABEL></ID>\n";
    }
    for (int m = 0; m < modules; ++m) {
      loc += "      <ID NAME=\"" + ModuleId(m) + "\"><LABEL>" + language.nouns[m % 8] + " module " + N(m) +
             "</LABEL><TOOLTIP>" + language.tooltip + "</TOOLTIP></ID>\n";
      loc += "      <ID NAME=\"" + ImageId(m) + "\"><LABEL>Image " + N(m) + "</LABEL></ID>\n";
      for (int d = 0; d < displays; d += 4) {
        loc += "      <ID NAME=\"" + MethodId(m, d) + "\"><LABEL>" + language.nouns[d % 8] + " wizard " + N(d / 4) +
               "</LABEL><HELPTOPIC>" + language.help + "_" + MethodId(m, d) + "</HELPTOPIC></ID>\n";
      }
      loc += "      <ID NAME=\"mb_" + N(m) + "\"><LABEL>Tools " + N(m) + "</LABEL></ID>\n";
    }
    loc += "      <ID NAME=\"img_device\"><LABEL>PT-42</LABEL></ID>\n";
    for (const char* item : {"mbDevice", "mbUpload", "mbDownload", "mbViews", "mbUnit", "mbLanguage", "mbAbout"}) {
      loc += std::string("      <ID NAME=\"") + item + "\"><LABEL>" + item + " (" + lang + ")</LABEL></ID>\n";
    }
    loc += "    </SCOPE>\n    <SCOPE ID=\"SDKSTDGUI\">\n";
    for (int i = 0; i < kSdkLabels; ++i) {
      loc += "      <ID NAME=\"sdkLabel" + N(i) + "\"><LABEL>Standard text " + N(i) + " (" + lang + ")</LABEL></ID>\n";
    }
    loc += "    </SCOPE>\n";
    for (int m = 0; m < modules; ++m) {
      loc += "    <SCOPE ID=\"" + ModuleId(m) + "\">\n";
      for (int d = 0; d < displays; ++d) {
        loc += "      <ID NAME=\"" + MenuId(m, d) + "\"><LABEL>" + language.nouns[(d + 3) % 8] + " menu " + N(d) +
               "</LABEL>" + (d % 5 == 0 ? "<HELPTOPIC>" + std::string(language.help) + "_menu</HELPTOPIC>" : "") +
               "</ID>\n";
        loc += "      <ID NAME=\"" + DisplayId(m, d) + "\"><LABEL>" + language.nouns[(d + 5) % 8] + " display " + N(d) +
               "</LABEL></ID>\n";
      }
      loc += "    </SCOPE>\n";
    }
    loc += "  </LANG>\n";
  }
  loc += "</LANGUAGE_SUPPORT>\n";

  WriteFile(device.directory + device.xmlFile, xml);
  WriteFile(device.directory + device.locFile, loc);
  device.xmlBytes = xml.size();
  device.locBytes = loc.size();
  return device;
}

}  // namespace k42bench
