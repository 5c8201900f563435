#!/usr/bin/env bash
# What a Windows user gets for one architecture, checked from Linux without running it: the DLL, its type library
# and the inspector are there, built for that architecture, import only system DLLs (and the inspector the
# component), the DLL exports the COM entry points, and both carry the project's version in their version resource.
# Usage: tests/windows/check_package.sh PACKAGE_DIR x64|x86 VERSION
set -uo pipefail
package=$1 arch=$2 version=$3
case $arch in
  x64) triplet=x86_64-w64-mingw32 format=pei-x86-64 ;;
  x86) triplet=i686-w64-mingw32 format=pei-i386 ;;
  *) echo "check_package: unknown architecture '$arch'" >&2; exit 64 ;;
esac
failures=0
fail() {
  echo "FAIL: $arch package: $*"
  failures=$((failures + 1))
}

dll=$package/K42GuiXmlReader.dll inspector=$package/k42gui-inspect.exe
for file in "$dll" "$package/K42GuiXmlReader.tlb" "$inspector"; do
  [[ -s $file ]] || fail "$file is missing"
done

system_dlls='^(advapi32|kernel32|msvcrt|ole32|oleaut32|user32|gdi32|shell32|version)\.dll$'
for file in "$dll" "$inspector"; do
  [[ -s $file ]] || continue
  name=$(basename "$file")
  "$triplet-objdump" -f "$file" | grep -q "file format $format" || fail "$name is not $format"
  while read -r imported; do
    lower=${imported,,}
    [[ $lower =~ $system_dlls || ($name == k42gui-inspect.exe && $lower == k42guixmlreader.dll) ]] ||
      fail "$name imports $imported"
  done < <("$triplet-objdump" -p "$file" | sed -n 's/^\tDLL Name: //p')

  # The version resource, as windres reads it back from the built file.
  rc=$("$triplet-windres" -J coff -i "$file" -O rc 2>/dev/null | sed -n '/VERSIONINFO/,$p')
  dotted=$(sed -n 's/^ *FILEVERSION //p' <<<"$rc" | tr -d ' ' | tr ',' '.')
  [[ $dotted == "$version.0" ]] || fail "$name FILEVERSION is '$dotted', expected '$version.0'"
  dotted=$(sed -n 's/^ *PRODUCTVERSION //p' <<<"$rc" | tr -d ' ' | tr ',' '.')
  [[ $dotted == "$version.0" ]] || fail "$name PRODUCTVERSION is '$dotted', expected '$version.0'"
  for entry in "FileVersion|$version" "ProductVersion|$version" "OriginalFilename|$name" "CompanyName|Morvane" \
    "ProductName|K42GuiXmlReader"; do
    IFS='|' read -r key want <<<"$entry"
    grep -qF "VALUE \"$key\", \"$want\"" <<<"$rc" || fail "$name version text $key is not '$want'"
  done
done

if [[ -s $dll ]]; then
  exports=$("$triplet-objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
  for entry in DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer; do
    grep -q "\] $entry$" <<<"$exports" || fail "K42GuiXmlReader.dll does not export $entry"
  done
fi
echo "package check ($arch): $failures failed"
((failures == 0))
