#!/usr/bin/env python3
"""Checks that the texts users read about a release name the version of the root CMake project.

Usage: one_version.py SOURCE_DIR
The changelog must open with an Unreleased section followed by this version's section with its date, and the
README's Install section must name this version's installers, so that a version bump cannot leave them behind.
"""

import re
import sys


def main():
    root = sys.argv[1]
    with open(f"{root}/CMakeLists.txt", encoding="utf-8") as cmake:
        version = re.search(r"^project\(K42GuiXmlReader VERSION (\d+\.\d+\.\d+)", cmake.read(), re.M).group(1)
    problems = []

    with open(f"{root}/CHANGELOG.md", encoding="utf-8") as changelog:
        sections = re.findall(r"^## (.*)$", changelog.read(), re.M)
    if sections[:1] != ["[Unreleased]"]:
        problems.append(f"CHANGELOG.md must open with '## [Unreleased]', not {sections[:1]}")
    if len(sections) < 2 or not re.fullmatch(re.escape(f"[{version}]") + r" - \d{4}-\d{2}-\d{2}", sections[1]):
        problems.append(f"CHANGELOG.md's first release section must be '## [{version}] - YYYY-MM-DD', not {sections[1:2]}")

    with open(f"{root}/README.md", encoding="utf-8") as readme:
        match = re.search(r"^## Install\n(.*?)^## ", readme.read(), re.M | re.S)
    install = match.group(1) if match else ""
    if not match:
        problems.append("README.md has no '## Install' section")
    for artefact in [f"K42GuiXmlReader-{version}-x64.msi", f"K42GuiXmlReader-{version}-x86.msi",
                     f"k42guixmlreader_{version}_amd64.deb", f"K42GuiXmlReader-{version}-windows-x64.zip"]:
        if artefact not in install:
            problems.append(f"README.md's Install section does not name {artefact}")

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
