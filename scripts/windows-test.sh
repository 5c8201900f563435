#!/usr/bin/env bash
# Builds K42GuiXmlReader.dll, its host tests and k42gui-inspect.exe for x64 and x86 from the one CMake project, and
# runs every Windows check of both architectures in one Wine prefix: registration side by side (each in its own
# registry view) key by key, the host tests, the VBScript, the inspector against the Linux one, and
# unregistration key by key.
# Usage: scripts/windows-test.sh [x64] [x86]   (default: both; build tree: $K42GUI_WINDOWS_BUILD_DIR, default
# build-windows; the Linux inspector to compare with: $K42GUI_TEST_BUILD_DIR/tools/k42gui-inspect when built, else
# one built in the build tree)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${K42GUI_WINDOWS_BUILD_DIR:-build-windows}")
archs=("$@")
((${#archs[@]})) || archs=(x64 x86)
started=$SECONDS
step() { echo "windows-test: $* ($((SECONDS - started)) s)"; }

scripts/windows-deps.sh "$build" "${archs[@]}"
package_failed=0
step "toolchains, Wine and Xerces-C ready"
for arch in "${archs[@]}"; do
  cmake -S . -B "$build/$arch" -DCMAKE_TOOLCHAIN_FILE="$root/windows/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DK42GUI_XERCES_DIR="$build/xerces/$arch/install" >/dev/null
  cmake --build "$build/$arch" -j"$(nproc)" >"$build/$arch-build.log" 2>&1 ||
    { tail -50 "$build/$arch-build.log"; exit 1; }
  step "$arch: DLL, inspector and host tests built in $build/$arch (package: $build/$arch/package)"
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/$arch/CMakeCache.txt")
  tests/windows/check_package.sh "$build/$arch/package" "$arch" "$version" || package_failed=1
done

linux_inspect=$(realpath -m "${K42GUI_TEST_BUILD_DIR:-build-test}/tools/k42gui-inspect")
if [[ ! -x $linux_inspect ]]; then
  cmake -S . -B "$build/linux" -DCMAKE_BUILD_TYPE=Release -DK42GUI_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build/linux" -j"$(nproc)" --target k42gui-inspect >"$build/linux-build.log" 2>&1 ||
    { tail -50 "$build/linux-build.log"; exit 1; }
  linux_inspect=$build/linux/tools/k42gui-inspect
  step "Linux inspector built"
fi

# The architectures run under Wine: x86 needs Wine's 32-bit half, which a kernel without 32-bit support cannot run
# (scripts/windows-deps.sh then leaves it out); its package is still built and checked above.
wine_archs=()
for arch in "${archs[@]}"; do
  if [[ $arch == x86 ]] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "windows-test: SKIPPED x86 under Wine: no 32-bit Wine on this machine (needs a kernel that runs 32-bit programs)"
    [[ ${K42GUI_REQUIRE_X86:-0} == 1 ]] && { echo "FAIL: K42GUI_REQUIRE_X86=1"; exit 1; }
    continue
  fi
  wine_archs+=("$arch")
done
archs=("${wine_archs[@]}")

# One fresh Wine prefix for both architectures, without a display (message-only windows need none) and without
# the .NET and browser installers that a new prefix would otherwise offer.
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
trap 'timeout 60 wineserver -k >/dev/null 2>&1 || true' EXIT
# Every Wine call is bounded, so a hang (a modal box, a stuck server) fails the run instead of stalling it.
wine_run() { timeout "${K42GUI_WINE_TIMEOUT:-300}" wine "$@"; }
timeout 300 wine wineboot -i >/dev/null 2>&1
timeout 120 wineserver -w
step "Wine prefix created"

failures=$package_failed
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The value NAME (empty: the default value) of KEY in the registry view VIEW (64 or 32), or "<missing>" when the
# key or value is not there; reg prints CRLF lines "    NAME    REG_SZ    VALUE".
value() {
  local view=$1 key=$2 name=${3:-} out
  if [[ -z $name ]]; then
    out=$(wine_run reg query "$key" /ve "/reg:$view" 2>/dev/null) || { echo "<missing>"; return; }
  else
    out=$(wine_run reg query "$key" /v "$name" "/reg:$view" 2>/dev/null) || { echo "<missing>"; return; }
  fi
  printf '%s\n' "$out" | tr -d '\r' | sed -n 's/^ *[^ ].*  REG_[A-Z_]*    //p' | head -n1
}
expect() {
  local got
  got=$(value "$1" "$2" "${4:-}")
  [[ $got == "$3" ]] || fail "[$1-bit view] $2 ${4:-(default)}: expected '$3', got '$got'"
}
exists() { wine_run reg query "$2" "/reg:$1" >/dev/null 2>&1; }

clsid='{3A555CD6-5570-496E-9DA9-739C629B88C1}'
libid='{0BDB543F-4E42-4043-89D8-62773A423B33}'
iid='{8B0204EA-9862-4268-A3D4-7358798F1EA6}'
class='K42DTM.GuiXmlModel Class'

# What each architecture runs its Windows programs with, and where its registrations live.
view_of() { [[ $1 == x64 ]] && echo 64 || echo 32; }
syskind_of() { [[ $1 == x64 ]] && echo win64 || echo win32; }
system_tool() {
  if [[ $1 == x64 ]]; then echo "$2"; else echo "C:\\windows\\syswow64\\$2.exe"; fi
}
dll_of() { winepath -w "$build/$1/package/K42GuiXmlReader.dll"; }
# Runs an architecture's system tool (regsvr32, cscript) as that architecture. Debian's `wine` starts the 32-bit
# loader whenever wine32 is installed, and that loader runs the 32-bit build of a tool named without a path, so
# a script meant for the x64 object would create the x86 one (or none): x64 tools go through the 64-bit loader.
tool_run() {
  local arch=$1 tool
  tool=$(system_tool "$1" "$2")
  shift 2
  if [[ $arch == x64 && -x /usr/lib/wine/wine64 ]]; then
    timeout "${K42GUI_WINE_TIMEOUT:-300}" /usr/lib/wine/wine64 "$tool" "$@"
  else
    wine_run "$tool" "$@"
  fi
}

# ---- Registration of both, side by side, key by key in each view
for arch in "${archs[@]}"; do
  (cd "$build/$arch/package" && tool_run "$arch" regsvr32 /s K42GuiXmlReader.dll) ||
    fail "$arch: regsvr32 K42GuiXmlReader.dll exited with $?"
done
for arch in "${archs[@]}"; do
  view=$(view_of "$arch")
  dll=$(dll_of "$arch")
  expect "$view" 'HKCR\K42Gui.GuiXmlModel.1' "$class"
  expect "$view" 'HKCR\K42Gui.GuiXmlModel.1\CLSID' "$clsid"
  expect "$view" 'HKCR\K42Gui.GuiXmlModel' "$class"
  expect "$view" 'HKCR\K42Gui.GuiXmlModel\CLSID' "$clsid"
  expect "$view" 'HKCR\K42Gui.GuiXmlModel\CurVer' 'K42Gui.GuiXmlModel.1'
  expect "$view" "HKCR\\CLSID\\$clsid" "$class"
  expect "$view" "HKCR\\CLSID\\$clsid\\ProgID" 'K42Gui.GuiXmlModel.1'
  expect "$view" "HKCR\\CLSID\\$clsid\\VersionIndependentProgID" 'K42Gui.GuiXmlModel'
  expect "$view" "HKCR\\CLSID\\$clsid\\Programmable" '(value not set)'
  # Each view's class leads to that architecture's DLL.
  expect "$view" "HKCR\\CLSID\\$clsid\\InprocServer32" "$dll"
  expect "$view" "HKCR\\CLSID\\$clsid\\InprocServer32" 'Apartment' ThreadingModel
  expect "$view" "HKCR\\CLSID\\$clsid\\TypeLib" "$libid"
  # The type library, as the automation library registers it: one entry per architecture.
  expect "$view" "HKCR\\TypeLib\\$libid\\1.0" 'K42GuiXmlReader 1.0 Type Library'
  expect "$view" "HKCR\\TypeLib\\$libid\\1.0\\0\\$(syskind_of "$arch")" "$dll"
  expect "$view" "HKCR\\Interface\\$iid" 'IGuiXmlModel'
  expect "$view" "HKCR\\Interface\\$iid\\TypeLib" "$libid"
  expect "$view" "HKCR\\Interface\\$iid\\TypeLib" '1.0' Version
done
step "registration checked (${archs[*]})"

# ---- The host tests, the script and the inspector of each architecture, against its registered DLL
demo="$(winepath -w "$root/examples/demo")\\"
script=$(winepath -w "$root/tests/windows/late_binding.vbs")
for arch in "${archs[@]}"; do
  # The host tests link the DLL: the loader finds it in the package directory.
  WINEPATH=$(winepath -w "$build/$arch/package") wine_run "$build/$arch/tests/windows/test_component_windows.exe" \
    --gtest_brief=1 || fail "$arch: host tests (test_component_windows.exe)"
  step "$arch: host tests run"
  tool_run "$arch" cscript //nologo "$script" "$demo" | tr -d '\r' |
    tee "$build/$arch/late_binding.txt" || fail "$arch: late_binding.vbs"
  grep -q '^late binding: [0-9]* checks, 0 failed$' "$build/$arch/late_binding.txt" ||
    fail "$arch: late_binding.vbs did not finish"
  step "$arch: VBScript run"
  tests/windows/compare_inspect.sh "$linux_inspect" "$build/$arch/inspect-comparison" \
    timeout "${K42GUI_WINE_TIMEOUT:-300}" wine "$build/$arch/package/k42gui-inspect.exe" ||
    fail "$arch: inspector differs from the Linux one"
  step "$arch: inspector compared with the Linux one"
done

# ---- Unregistration of both, key by key; afterwards a script can no longer create the object
for arch in "${archs[@]}"; do
  (cd "$build/$arch/package" && tool_run "$arch" regsvr32 /u /s K42GuiXmlReader.dll) ||
    fail "$arch: regsvr32 /u K42GuiXmlReader.dll exited with $?"
done
for arch in "${archs[@]}"; do
  view=$(view_of "$arch")
  for key in 'HKCR\K42Gui.GuiXmlModel.1' 'HKCR\K42Gui.GuiXmlModel' "HKCR\\CLSID\\$clsid" "HKCR\\TypeLib\\$libid" \
    "HKCR\\Interface\\$iid"; do
    if exists "$view" "$key"; then fail "[$view-bit view] $key is still there after unregistration"; fi
  done
  exists "$view" 'HKCR\CLSID' || fail "[$view-bit view] HKCR\\CLSID itself was removed"
  status=0
  tool_run "$arch" cscript //nologo "$script" "$demo" >/dev/null 2>&1 || status=$?
  [[ $status == 100 ]] || fail "$arch: an unregistered object must not be creatable (script exit $status, expected 100)"
done
step "unregistration checked"

if ((failures)); then
  echo "windows-test: $failures check(s) failed"
  exit 1
fi
echo "windows-test: all Windows checks passed for ${archs[*]} in $((SECONDS - started)) s"
