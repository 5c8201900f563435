#!/usr/bin/env python3
"""Builds the Windows installer of one architecture: fills in K42GuiXmlReader.wxs.in and runs wixl.

Usage: make-msi.py --arch x64|x86 --version X.Y.Z --stage DIR --output FILE.msi [--allow-missing]

DIR holds what the Windows build made for that architecture: K42GuiXmlReader.dll, and (once both are built)
k42gui-inspect.exe and K42GuiXmlReader.tlb. Without --allow-missing a missing file stops the build, as a release
must; with it, the file is left out and named on stderr (for trying the installer before every binary exists).
"""

import argparse
import hashlib
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_DIR = os.path.dirname(os.path.dirname(HERE))

# Identities that must never change between releases: the upgrade code finds the installed older version, and the
# DLL's component keeps its identity because it owns the registration. One set per architecture, so that a 32-bit
# and a 64-bit installation live side by side.
ARCHES = {
    "x64": dict(UPGRADE_CODE="{DB010D6E-3C1E-4D39-AF1C-B784E4F511DE}", GUID_DLL="{53540D47-E777-4CB2-B7B9-58BF2B11B68C}",
                PROGRAM_FILES="ProgramFiles64Folder", WIN64="yes", TYPELIB_PLATFORM="win64"),
    "x86": dict(UPGRADE_CODE="{43C0B03A-A601-4F57-988E-55FC9087984B}", GUID_DLL="{A6065301-129A-465E-86B7-3A5E2030B4F9}",
                PROGRAM_FILES="ProgramFilesFolder", WIN64="no", TYPELIB_PLATFORM="win32"),
}
# The automation library's marshaller of dual interfaces, which RegisterTypeLib names for them.
CONSTANTS = dict(PSOAINTERFACE="{00020424-0000-0000-C000-000000000046}", MANUFACTURER="K42GuiXmlReader")
IDL = os.path.join(SOURCE_DIR, "windows", "K42GuiXmlReader.idl")
# Binaries beside the DLL, each required in a release.
STAGED = ["k42gui-inspect.exe", "K42GuiXmlReader.tlb"]
# Directory trees of the source: (source directory, directory under the installation, file name pattern).
# The demo keeps its place relative to the schemas, which its files name as ../../schemas/.
TREES = [("schemas", "schemas", r"\.xsd$"), ("examples/demo", "examples/demo", r"")]


def ident(prefix, path):
    """A WiX identifier for a path: readable, unique through a short hash, at most 72 characters."""
    readable = re.sub(r"[^A-Za-z0-9_.]", "_", path)[-48:]
    return "%s_%s_%s" % (prefix, readable, hashlib.sha1(path.encode()).hexdigest()[:8])


def identities():
    """The class, type library and interface GUIDs, read from the IDL that the DLL's type library is made from."""
    with open(IDL, encoding="utf-8") as idl:
        text = idl.read()
    found = {}
    for key, declaration in [("LIBID", r"library K42GUIXMLREADERLib"), ("IID", r"interface IGuiXmlModel\b"),
                             ("CLSID", r"coclass GuiXmlModel\b")]:
        match = re.search(r"uuid\(([0-9A-Fa-f-]{36})\)[^\[]*?\]\s*" + declaration, text)
        if not match:
            sys.exit(f"make-msi: no uuid for '{declaration}' in {IDL}")
        found[key] = "{" + match.group(1).upper() + "}"
    return found


OUTPUT_DIR = None  # where the .wxs is written; wixl resolves File sources from there and takes no absolute ones


def relative(path):
    return os.path.relpath(path, OUTPUT_DIR)


def xml(text):
    return text.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;").replace(">", "&gt;")


def component(indent, cid, win64, file_id, name, source):
    source = relative(source)
    pad = " " * indent
    return (f'{pad}<Component Id="{cid}" Guid="*" Win64="{win64}">\n'
            f'{pad}  <File Id="{file_id}" Name="{xml(name)}" Source="{xml(source)}" KeyPath="yes" />\n'
            f'{pad}</Component>\n')


def tree(source_root, install_name, pattern, win64, refs):
    """The Directory element of one source tree, with a component per file, sorted so builds are repeatable."""

    def walk(rel, indent):
        directory = os.path.join(SOURCE_DIR, source_root, rel)
        name = os.path.basename(rel) if rel else os.path.basename(install_name)
        out = f'{" " * indent}<Directory Id="{ident("d", install_name + "/" + rel)}" Name="{xml(name)}">\n'
        for entry in sorted(os.listdir(directory)):
            path = os.path.join(directory, entry)
            entry_rel = os.path.join(rel, entry) if rel else entry
            if os.path.isdir(path):
                out += walk(entry_rel, indent + 2)
            elif re.search(pattern, entry):
                key = install_name + "/" + entry_rel
                refs.append(ident("c", key))
                out += component(indent + 2, ident("c", key), win64, ident("f", key), entry, path)
        return out + f'{" " * indent}</Directory>\n'

    # An installation directory of more than one level ("examples/demo") is nested in its parents.
    parents = install_name.split("/")[:-1]
    opening = "".join(f'{" " * (10 + 2 * i)}<Directory Id="{ident("d", "/".join(parents[:i + 1]))}" Name="{part}">\n'
                      for i, part in enumerate(parents))
    closing = "".join(f'{" " * (10 + 2 * i)}</Directory>\n' for i in reversed(range(len(parents))))
    return opening + walk("", 10 + 2 * len(parents)) + closing


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--arch", required=True, choices=sorted(ARCHES))
    parser.add_argument("--version", required=True)
    parser.add_argument("--stage", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--allow-missing", action="store_true")
    args = parser.parse_args()

    if not re.fullmatch(r"\d+\.\d+\.\d+", args.version):
        sys.exit(f"make-msi: version '{args.version}' is not MAJOR.MINOR.PATCH")
    global OUTPUT_DIR
    OUTPUT_DIR = os.path.dirname(os.path.abspath(args.output))
    stage = os.path.abspath(args.stage)
    refs = ["ComponentDll", "ComponentReadme", "ComponentChangelog"]
    missing = [name for name in ["K42GuiXmlReader.dll"] + STAGED if not os.path.isfile(os.path.join(stage, name))]
    if "K42GuiXmlReader.dll" in missing or (missing and not args.allow_missing):
        sys.exit(f"make-msi: missing in {stage}: {', '.join(missing)}")
    for name in missing:
        print(f"make-msi: {name} is not in {stage}; the {args.arch} installer leaves it out", file=sys.stderr)

    optional = ""
    for name in STAGED:
        if name not in missing:
            refs.append(ident("c", name))
            optional += component(10, ident("c", name), ARCHES[args.arch]["WIN64"], name, name,
                                  os.path.join(stage, name))
    trees = "".join(tree(src, dst, pattern, ARCHES[args.arch]["WIN64"], refs) for src, dst, pattern in TREES)

    values = dict(CONSTANTS, **identities(), **ARCHES[args.arch], VERSION=args.version, ARCH=args.arch,
                  STAGE=xml(relative(stage)), SOURCE_DIR=xml(relative(SOURCE_DIR)),
                  OPTIONAL_FILES=optional.rstrip("\n"), TREES=trees.rstrip("\n"),
                  COMPONENT_REFS="\n".join(f'      <ComponentRef Id="{ref}" />' for ref in refs))
    with open(os.path.join(HERE, "K42GuiXmlReader.wxs.in"), encoding="utf-8") as template:
        text = template.read()
    unknown = set(re.findall(r"@([A-Z0-9_]+)@", text)) - set(values)
    if unknown:
        sys.exit(f"make-msi: the template names unknown values: {', '.join(sorted(unknown))}")
    text = re.sub(r"@([A-Z0-9_]+)@", lambda match: values[match.group(1)], text)

    output = os.path.abspath(args.output)
    wxs = os.path.splitext(output)[0] + ".wxs"
    os.makedirs(OUTPUT_DIR, exist_ok=True)
    with open(wxs, "w", encoding="utf-8") as out:
        out.write(text)
    result = subprocess.run(["wixl", "-a", args.arch, "-o", output, wxs])
    if result.returncode != 0:
        sys.exit(f"make-msi: wixl failed on {wxs}")
    os.remove(wxs)


if __name__ == "__main__":
    main()
