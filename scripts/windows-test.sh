#!/usr/bin/env bash
# Builds K42GuiXmlReader.dll and its host tests with mingw-w64 and runs every Windows check under Wine:
# registration key by key, the host tests, the VBScript, and unregistration key by key.
# Usage: scripts/windows-test.sh   (build tree: $K42GUI_WINDOWS_BUILD_DIR, default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${K42GUI_WINDOWS_BUILD_DIR:-build-windows}")
started=$SECONDS
step() { echo "windows-test: $* ($((SECONDS - started)) s)"; }

scripts/windows-deps.sh "$build"
step "toolchain, Wine and Xerces-C ready"
cmake -S windows -B "$build/dll" -DCMAKE_TOOLCHAIN_FILE="$root/windows/mingw-toolchain.cmake" \
  -DK42GUI_XERCES_DIR="$build/xerces/install" >/dev/null
cmake --build "$build/dll" -j"$(nproc)" >"$build/dll-build.log" 2>&1 || { tail -50 "$build/dll-build.log"; exit 1; }
step "DLL and host tests built"

# A fresh Wine prefix in the build tree, without a display (message-only windows need none) and without the
# .NET and browser installers that a new prefix would otherwise offer.
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
trap 'timeout 60 wineserver -k >/dev/null 2>&1 || true' EXIT
# Every Wine call is bounded, so a hang (a modal box, a stuck server) fails the run instead of stalling it.
wine_run() { timeout "${K42GUI_WINE_TIMEOUT:-300}" wine "$@"; }
timeout 300 wine wineboot -i >/dev/null 2>&1
timeout 120 wineserver -w
step "Wine prefix created"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The value NAME (empty: the default value) of KEY in Wine's registry, or "<missing>" when the key or value is not
# there; reg prints CRLF lines "    NAME    REG_SZ    VALUE".
value() {
  local key=$1 name=${2:-} out
  if [[ -z $name ]]; then
    out=$(wine_run reg query "$key" /ve 2>/dev/null) || { echo "<missing>"; return; }
  else
    out=$(wine_run reg query "$key" /v "$name" 2>/dev/null) || { echo "<missing>"; return; }
  fi
  printf '%s\n' "$out" | tr -d '\r' | sed -n 's/^ *[^ ].*  REG_[A-Z_]*    //p' | head -n1
}
expect() {
  local got
  got=$(value "$1" "${3:-}")
  [[ $got == "$2" ]] || fail "$1 ${3:-(default)}: expected '$2', got '$got'"
}
exists() { wine_run reg query "$1" >/dev/null 2>&1; }

clsid='{3A555CD6-5570-496E-9DA9-739C629B88C1}'
libid='{0BDB543F-4E42-4043-89D8-62773A423B33}'
iid='{8B0204EA-9862-4268-A3D4-7358798F1EA6}'
class='K42DTM.GuiXmlModel Class'

cd "$build/dll"
dll=$(winepath -w "$PWD/K42GuiXmlReader.dll")

# ---- Registration, key by key
wine_run regsvr32 /s K42GuiXmlReader.dll || fail "regsvr32 K42GuiXmlReader.dll exited with $?"
expect 'HKCR\K42Gui.GuiXmlModel.1' "$class"
expect 'HKCR\K42Gui.GuiXmlModel.1\CLSID' "$clsid"
expect 'HKCR\K42Gui.GuiXmlModel' "$class"
expect 'HKCR\K42Gui.GuiXmlModel\CLSID' "$clsid"
expect 'HKCR\K42Gui.GuiXmlModel\CurVer' 'K42Gui.GuiXmlModel.1'
expect "HKCR\\CLSID\\$clsid" "$class"
expect "HKCR\\CLSID\\$clsid\\ProgID" 'K42Gui.GuiXmlModel.1'
expect "HKCR\\CLSID\\$clsid\\VersionIndependentProgID" 'K42Gui.GuiXmlModel'
expect "HKCR\\CLSID\\$clsid\\Programmable" '(value not set)'
expect "HKCR\\CLSID\\$clsid\\InprocServer32" "$dll"
expect "HKCR\\CLSID\\$clsid\\InprocServer32" 'Apartment' ThreadingModel
expect "HKCR\\CLSID\\$clsid\\TypeLib" "$libid"
# The type library, as the automation library registers it.
expect "HKCR\\TypeLib\\$libid\\1.0" 'K42GuiXmlReader 1.0 Type Library'
expect "HKCR\\TypeLib\\$libid\\1.0\\0\\win64" "$dll"
expect "HKCR\\Interface\\$iid" 'IGuiXmlModel'
expect "HKCR\\Interface\\$iid\\TypeLib" "$libid"
expect "HKCR\\Interface\\$iid\\TypeLib" '1.0' Version
step "registration checked"

# ---- The host tests and the script, against the registered DLL
wine_run test_component_windows.exe --gtest_brief=1 || fail "host tests (test_component_windows.exe)"
step "host tests run"
demo="$(winepath -w "$root/examples/demo")\\"
script=$(winepath -w "$root/tests/windows/late_binding.vbs")
wine_run cscript //nologo "$script" "$demo" | tr -d '\r' | tee "$build/late_binding.txt" || fail "late_binding.vbs"
grep -q '^late binding: [0-9]* checks, 0 failed$' "$build/late_binding.txt" || fail "late_binding.vbs did not finish"
step "VBScript run"

# ---- Unregistration, key by key; afterwards a script can no longer create the object
wine_run regsvr32 /u /s K42GuiXmlReader.dll || fail "regsvr32 /u K42GuiXmlReader.dll exited with $?"
for key in 'HKCR\K42Gui.GuiXmlModel.1' 'HKCR\K42Gui.GuiXmlModel' "HKCR\\CLSID\\$clsid" "HKCR\\TypeLib\\$libid" \
  "HKCR\\Interface\\$iid"; do
  if exists "$key"; then fail "$key is still there after unregistration"; fi
done
exists 'HKCR\CLSID' || fail 'HKCR\CLSID itself was removed'
status=0
wine_run cscript //nologo "$script" "$demo" >/dev/null 2>&1 || status=$?
[[ $status == 100 ]] || fail "an unregistered object must not be creatable (script exit $status, expected 100)"
step "unregistration checked"

if ((failures)); then
  echo "windows-test: $failures check(s) failed"
  exit 1
fi
echo "windows-test: all Windows checks passed in $((SECONDS - started)) s"
