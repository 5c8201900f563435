// Queries over parameters (variables, metavariables, methods, images), the header area and conditional labels.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

int32_t CDDParserXML::GetParameterType(const std::u16string&, int32_t, int32_t&, int32_t&) const { return -1; }
int32_t CDDParserXML::GetParameterInfo(const std::u16string&, const std::u16string&, int32_t, std::u16string&, std::u16string&,
                                       int32_t&, std::u16string&, std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetParameterDatatype(const std::u16string&, int32_t, int32_t&, int32_t&, int32_t&, std::u16string&,
                                           std::u16string&) const { return -1; }
int32_t CDDParserXML::GetParameterFormat(const std::u16string&, int32_t, std::u16string&, std::u16string&, int32_t&,
                                         std::u16string&, int32_t&) const { return -1; }
int32_t CDDParserXML::GetParameterEnumItems(const std::u16string&, int32_t, std::vector<CDDEnumItem*>&) const { return -1; }
int32_t CDDParserXML::GetParameterRef(const std::u16string&, int32_t, int32_t, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetMetaVarRef(std::vector<std::u16string>&) const { return -1; }
int32_t CDDParserXML::GetHeaderVarRef(int32_t, const std::u16string&, std::u16string&, int32_t&, std::u16string&,
                                      std::u16string&, int32_t&) const { return -1; }
int32_t CDDParserXML::GetHeaderCtrlInfo(int32_t, const std::u16string&, std::u16string&, std::u16string&, std::u16string&,
                                        int32_t&, int32_t&) const { return -1; }
int32_t CDDParserXML::GetConditionalLabelData(const std::u16string&, std::vector<CDDText>&) const { return -1; }
