#!/usr/bin/env python3
"""Checks that the IDL (the type library's source) and the Linux interface header describe the same interface.

Compared: the GUIDs of the interface, the class and the library; the methods in order (their position is the
dispatch identifier, and each IDL id must say so); each parameter's direction, type and name; the enumerations
with their enumerator names and values.

Usage: idl_agreement.py IDL HEADER            exits 1 and lists the differences when they disagree
       idl_agreement.py --self-check IDL HEADER  proves that typical edits of the IDL are caught
"""
import re
import sys


def strip_comments(text):
    return re.sub(r"//[^\n]*|/\*.*?\*/", "", text, flags=re.S)


def parse_enums(body):
    enums = {}
    for name, items in re.findall(r"enum\s+(\w+)\s*(?::\s*\w+\s*)?\{(.*?)\}", body, re.S):
        values = []
        for item in filter(None, (i.strip() for i in items.split(","))):
            key, _, value = (part.strip() for part in item.partition("="))
            values.append((key, int(value, 0)))
        enums[name] = values
    return enums


def parse_parameters(text, idl):
    parameters = []
    for raw in filter(None, (p.strip() for p in " ".join(text.split()).split(","))):
        direction = None
        if idl:
            match = re.match(r"\[([^\]]*)\]\s*(.*)", raw)
            if not match:
                raise ValueError(f"IDL parameter without direction: {raw}")
            direction = ",".join(sorted(a.strip() for a in match.group(1).split(",")))
            raw = match.group(2)
        type_text, name = re.match(r"(.*?)\s*(\w+)$", raw).groups()
        type_text = type_text.replace(" ", "")
        if not idl:
            direction = "out" if type_text.endswith("*") else "in"
        parameters.append((direction, type_text, name))
    return parameters


def parse_idl(text):
    text = strip_comments(text)
    guids = {
        "IID_IGuiXmlModel": re.search(r"uuid\(([\w-]+)\)[^\]]*\]\s*interface\s+IGuiXmlModel\b", text, re.S),
        "LIBID_K42GUIXMLREADERLib": re.search(r"uuid\(([\w-]+)\)[^\]]*\]\s*library\s+K42GUIXMLREADERLib\b", text, re.S),
        "CLSID_GuiXmlModel": re.search(r"uuid\(([\w-]+)\)[^\]]*\]\s*coclass\s+GuiXmlModel\b", text, re.S),
    }
    guids = {key: match.group(1).upper() if match else None for key, match in guids.items()}
    interface = re.search(r"interface\s+IGuiXmlModel\s*:\s*IDispatch\s*\{(.*?)\};", text, re.S).group(1)
    methods = []
    for attributes, name, parameters in re.findall(r"\[([^\]]*)\]\s*HRESULT\s+(\w+)\s*\((.*?)\)\s*;", interface, re.S):
        dispid = re.search(r"\bid\((\d+)\)", attributes)
        methods.append((name, int(dispid.group(1)) if dispid else None, parse_parameters(parameters, True)))
    return guids, methods, parse_enums(text)


def header_guid(text, name):
    match = re.search(name + r"\s*=\s*\{\s*(0x\w+),\s*(0x\w+),\s*(0x\w+),\s*\{([^}]*)\}", text)
    if not match:
        return None
    data1, data2, data3 = (int(v, 16) for v in match.groups()[:3])
    data4 = [int(v, 16) for v in match.group(4).split(",")]
    return "%08X-%04X-%04X-%02X%02X-%s" % (data1, data2, data3, data4[0], data4[1],
                                           "".join("%02X" % b for b in data4[2:]))


def parse_header(text):
    text = strip_comments(text)
    guids = {key: header_guid(text, key) for key in ("IID_IGuiXmlModel", "LIBID_K42GUIXMLREADERLib",
                                                      "CLSID_GuiXmlModel")}
    interface = re.search(r"struct\s+IGuiXmlModel\s*:\s*public\s+IDispatch\s*\{(.*?)\};", text, re.S).group(1)
    methods = []
    for position, (name, parameters) in enumerate(
            re.findall(r"virtual\s+HRESULT\s+STDMETHODCALLTYPE\s+(\w+)\s*\((.*?)\)\s*=\s*0\s*;", interface, re.S), 1):
        methods.append((name, position, parse_parameters(parameters, False)))
    return guids, methods, parse_enums(text.split("struct IGuiXmlModel")[0])


def differences(idl_text, header_text):
    idl_guids, idl_methods, idl_enums = parse_idl(idl_text)
    h_guids, h_methods, h_enums = parse_header(header_text)
    found = []
    if not h_methods or not h_enums or None in h_guids.values():
        found.append("the header could not be read: no methods, enumerations or GUIDs found")
    for key in h_guids:
        if idl_guids[key] != h_guids[key]:
            found.append(f"{key}: IDL {idl_guids[key]}, header {h_guids[key]}")
    if len(idl_methods) != len(h_methods):
        found.append(f"method count: IDL {len(idl_methods)}, header {len(h_methods)}")
    for position, (idl, header) in enumerate(zip(idl_methods, h_methods), 1):
        name, dispid, parameters = idl
        if name != header[0]:
            found.append(f"method {position}: IDL {name}, header {header[0]}")
        if dispid != position:
            found.append(f"{name}: dispatch id {dispid} at position {position}")
        for index, (a, b) in enumerate(zip(parameters, header[2])):
            if a[0] not in ("in", "out") or a[0] != b[0] or a[1:] != b[1:]:
                found.append(f"{name} parameter {index + 1}: IDL [{a[0]}] {a[1]} {a[2]}, header {b[1]} {b[2]} ({b[0]})")
        if len(parameters) != len(header[2]):
            found.append(f"{name}: IDL has {len(parameters)} parameters, header {len(header[2])}")
    if sorted(idl_enums) != sorted(h_enums):
        found.append(f"enumerations: IDL {sorted(idl_enums)}, header {sorted(h_enums)}")
    for name in sorted(set(idl_enums) & set(h_enums)):
        if idl_enums[name] != h_enums[name]:
            found.append(f"enum {name}: IDL {idl_enums[name]}, header {h_enums[name]}")
    return found


# Edits a careless change of the IDL could make, each of which must be reported.
MUTATIONS = [
    ("a GUID digit", "8B0204EA-9862", "8B0204EB-9862"),
    ("the class GUID", "3A555CD6-5570", "3A555CD6-5571"),
    ("a dispatch id", "[id(7),", "[id(8),"),
    ("a direction", "[out] BSTR* pbstrIconPath", "[in] BSTR* pbstrIconPath"),
    ("a parameter type", "[in] long lFunctionID", "[in] short lFunctionID"),
    ("an enumeration value", "kWRITEONLY = 2", "kWRITEONLY = 3"),
    ("an enumerator name", "PAR_METHODE = 3", "PAR_METHOD = 3"),
    ("the method order", None, None),
]


def self_check(idl_text, header_text):
    assert not differences(idl_text, header_text), "the checked-in files must agree"
    failures = []
    for label, old, new in MUTATIONS:
        if old is None:  # swap the first two methods, ids included
            first = re.search(r"\[id\(2\).*?;\s*", idl_text, re.S)
            second = re.search(r"\[id\(3\).*?;\s*", idl_text, re.S)
            mutated = (idl_text[:first.start()] + second.group(0) + first.group(0) + idl_text[second.end():])
        else:
            assert old in idl_text, f"mutation '{label}' no longer applies"
            mutated = idl_text.replace(old, new, 1)
        if not differences(mutated, header_text):
            failures.append(label)
    return failures


def main(argv):
    check = argv[1:2] == ["--self-check"]
    idl_path, header_path = argv[2:4] if check else argv[1:3]
    idl_text = open(idl_path, encoding="utf-8").read()
    header_text = open(header_path, encoding="utf-8").read()
    if check:
        missed = self_check(idl_text, header_text)
        for label in missed:
            print(f"not caught: {label}")
        return 1 if missed else 0
    found = differences(idl_text, header_text)
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
