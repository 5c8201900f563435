#!/usr/bin/env bash
# Installs, repairs, upgrades and uninstalls the Windows installer under Wine and checks every file and key.
# Usage: scripts/install-test-msi.sh ARCH MSI STAGE_DIR
#   ARCH x64|x86; MSI the installer to check; STAGE_DIR what it was built from (its DLL gives the reference
#   registration, and an older installer is built from it for the upgrade). Scratch: $K42GUI_INSTALL_TEST_DIR,
#   default build-install-test/msi-ARCH (a Wine prefix of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
arch=$1
msi=$(realpath "$2")
stage=$(realpath "$3")
[[ -f $msi && -f $stage/K42GuiXmlReader.dll ]] || { echo "install-test-msi: no $msi or no DLL in $stage" >&2; exit 1; }
work=$(realpath -m "${K42GUI_INSTALL_TEST_DIR:-build-install-test/msi-$arch}")
started=$SECONDS
step() { echo "install-test-msi ($arch): $* ($((SECONDS - started)) s)"; }

case $arch in
  x64) view=/reg:64 program_files='C:\Program Files' system='C:\windows\system32' ;;
  x86) view=/reg:32 program_files='C:\Program Files (x86)' system='C:\windows\syswow64' ;;
  *) echo "install-test-msi: unknown architecture '$arch' (x64 or x86)" >&2; exit 64 ;;
esac
install_dir="$program_files\\K42GuiXmlReader"
version=$(sed -n 's/^project(K42GuiXmlReader VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# An older version from the same template, for the upgrade.
IFS=. read -r major minor patch <<<"$version"
if ((patch > 0)); then older=$major.$minor.$((patch - 1))
elif ((minor > 0)); then older=$major.$((minor - 1)).99
else older=$((major - 1)).99.99; fi
rm -rf "$work"
mkdir -p "$work"
packaging/msi/make-msi.py --arch "$arch" --version "$older" --stage "$stage" --output "$work/older.msi" \
  --allow-missing 2>"$work/older.log" || { cat "$work/older.log"; exit 1; }
step "older installer ($older) built"

export WINEPREFIX="$work/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# Debian's `wine` starts the 32-bit loader whenever wine32 is installed, also where the kernel cannot run 32-bit
# programs, and `msiexec`, `reg` and `cscript` are then the 32-bit ones. The 64-bit installer is run by the 64-bit
# loader: keys that the 32-bit msiexec writes into the 64-bit view of a 64-bit package are visible to 32-bit
# programs that ask for that view, but not to 64-bit programs, which could then not create the object.
wine=wine
if [[ $arch == x64 && -x /usr/lib/wine/wine64 ]]; then
  wine=/usr/lib/wine/wine64
  export WINELOADER=$wine
fi
trap 'timeout 60 wineserver -k >/dev/null 2>&1 || true' EXIT
# Every Wine call is bounded: a modal box or a stuck server fails the run instead of stalling it.
wine_run() { timeout "${K42GUI_WINE_TIMEOUT:-300}" "$wine" "$@"; }
winepath() { wine_run winepath "$@" 2>/dev/null | tr -d '\r'; }
timeout 300 "$wine" wineboot -i >/dev/null 2>&1
timeout 120 wineserver -w
step "Wine prefix created"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

clsid='{3A555CD6-5570-496E-9DA9-739C629B88C1}'
libid='{0BDB543F-4E42-4043-89D8-62773A423B33}'
iid='{8B0204EA-9862-4268-A3D4-7358798F1EA6}'
roots=('HKCR\K42Gui.GuiXmlModel.1' 'HKCR\K42Gui.GuiXmlModel' "HKCR\\CLSID\\$clsid" "HKCR\\TypeLib\\$libid"
  "HKCR\\Interface\\$iid")
unix_install_dir=$(winepath -u "$install_dir")
unix_install_dir=${unix_install_dir%/}

# Every key and value under the component's registry roots as sorted lines "KEY | NAME | TYPE | DATA" (reg prints
# a key's path, then its values indented; the order of values is not part of the registration). The type library's
# HELPDIR is compared without a final separator: the installer writes a directory property, which always has one.
registration() {
  local key
  for key in "${roots[@]}"; do
    wine_run reg query "$key" /s "$view" 2>/dev/null || echo "<no $key>"
  done | tr -d '\r' | awk '
    /^HKEY_/ || /^<no / { key = $0; print key; next }
    /^    / { sub(/^    /, ""); n = split($0, part, /    /); data = part[3]; for (i = 4; i <= n; i++) data = data "    " part[i]
              if (key ~ /\\HELPDIR$/) sub(/\\$/, "", data)
              print key " | " part[1] " | " part[2] " | " data }' | sort
}
installed_products() {
  wine_run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s "$view" 2>/dev/null |
    tr -d '\r' | grep -c 'DisplayName  *REG_SZ  *K42GuiXmlReader ' || true
}
installed_version() {
  wine_run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s "$view" 2>/dev/null |
    tr -d '\r' | sed -n 's/^ *DisplayVersion  *REG_SZ  *//p' | sort -u | tr '\n' ' '
}
same_registration() {
  if ! diff -u "$work/reference.txt" <(registration) >"$work/registration.diff"; then
    fail "$1: the registry differs from what the component's own registration writes:"
    cat "$work/registration.diff"
  fi
}
none_left() {
  local key
  for key in "${roots[@]}"; do
    if wine_run reg query "$key" "$view" >/dev/null 2>&1; then fail "$1: $key is still there"; fi
  done
  wine_run reg query 'HKCR\CLSID' "$view" >/dev/null 2>&1 || fail "$1: HKCR\\CLSID itself was removed"
}
run_script() {
  local script
  script=$(winepath -w "$root/tests/install/installed_demo.vbs")
  wine_run "$system\\cscript.exe" //nologo "$script" "$install_dir\\" | tr -d '\r' >"$work/script.txt" || true
  grep -q '^installed demo: [0-9]* checks, 0 failed$' "$work/script.txt" ||
    fail "$1: the script could not use the installed demo: $(cat "$work/script.txt")"
}

# ---- The reference: what DllRegisterServer writes for a DLL at the installed path
mkdir -p "$unix_install_dir"
cp "$stage/K42GuiXmlReader.dll" "$unix_install_dir/"
wine_run "$system\\regsvr32.exe" /s "$install_dir\\K42GuiXmlReader.dll" || fail "regsvr32 of the staged DLL"
registration >"$work/reference.txt"
grep -q "InprocServer32" "$work/reference.txt" || fail "the staged DLL registered nothing"
wine_run "$system\\regsvr32.exe" /u /s "$install_dir\\K42GuiXmlReader.dll" || fail "regsvr32 /u of the staged DLL"
rm -rf "$unix_install_dir"
none_left "reference unregistered"
step "reference registration taken"

# ---- Install: every file, the same registration, a script against the installed device
wine_run msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i exited with $?"
(cd "$unix_install_dir" && find . -type f | sort) >"$work/files.txt" || true
# Exactly the binaries of the stage, the README and changelog, the schemas and the whole demo device.
{
  (cd "$stage" && find . -maxdepth 1 -type f)
  (cd "$root" && find ./schemas -name '*.xsd' && find ./examples/demo -type f)
  printf './README.md\n./CHANGELOG.md\n'
} | sort >"$work/expected-files.txt"
if ! diff -u "$work/expected-files.txt" "$work/files.txt" >"$work/files.diff"; then
  fail "the installed files differ from the expected ones:"
  cat "$work/files.diff"
fi
[[ $(installed_products) == 1 ]] || fail "after install: $(installed_products) products named K42GuiXmlReader"
[[ $(installed_version) == "$version " ]] || fail "installed version '$(installed_version)', expected $version"
same_registration "after install"
run_script "after install"
if [[ -f $unix_install_dir/k42gui-inspect.exe ]]; then
  wine_run "$install_dir\\k42gui-inspect.exe" "$install_dir\\examples\\demo\\demo.xml" | tr -d '\r' \
    >"$work/inspect.txt" 2>&1 || fail "the installed inspector exited with $?"
  grep -q '^Device ' "$work/inspect.txt" || fail "the installed inspector did not report the demo device"
fi
step "installed, registration and script checked"

# ---- Repair: a lost DLL, demo file and class key come back
rm -f "$unix_install_dir/K42GuiXmlReader.dll" "$unix_install_dir/examples/demo/demo.xml"
wine_run reg delete "HKCR\\CLSID\\$clsid\\InprocServer32" /f "$view" >/dev/null 2>&1 || fail "could not delete a key"
# REINSTALL=ALL with REINSTALLMODE=amus is the repair that `msiexec /famus` starts (Wine's msiexec refuses /f):
# every file again, and the machine's registry values rewritten.
wine_run msiexec /i "$(winepath -w "$msi")" REINSTALL=ALL REINSTALLMODE=amus /qn || fail "repair exited with $?"
for restored in K42GuiXmlReader.dll examples/demo/demo.xml; do
  [[ -f $unix_install_dir/$restored ]] || fail "repair did not restore $restored"
done
same_registration "after repair"
step "repair checked"

# ---- Uninstall: every installed file and every key is gone
wine_run msiexec /x "$(winepath -w "$msi")" /qn || fail "msiexec /x exited with $?"
while read -r file; do
  [[ ! -e $unix_install_dir/$file ]] || fail "$file is still there after uninstall"
done <"$work/files.txt"
[[ ! -e $unix_install_dir ]] || fail "the installation directory is still there after uninstall"
none_left "after uninstall"
[[ $(installed_products) == 0 ]] || fail "after uninstall: $(installed_products) products still listed"
status=0
wine_run "$system\\cscript.exe" //nologo "$(winepath -w "$root/tests/install/installed_demo.vbs")" 'C:\' \
  >/dev/null 2>&1 || status=$?
[[ $status == 100 ]] || fail "after uninstall the object must not be creatable (script exit $status, expected 100)"
step "uninstall checked"

# ---- Upgrade: the older version, then this one, in place; one product and one registration remain
wine_run msiexec /i "$(winepath -w "$work/older.msi")" /qn || fail "msiexec /i of $older exited with $?"
[[ $(installed_version) == "$older " ]] || fail "installed version '$(installed_version)', expected $older"
wine_run msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i over $older exited with $?"
[[ $(installed_products) == 1 ]] || fail "after upgrade: $(installed_products) products named K42GuiXmlReader"
[[ $(installed_version) == "$version " ]] || fail "after upgrade: version '$(installed_version)', expected $version"
same_registration "after upgrade"
run_script "after upgrade"
wine_run msiexec /x "$(winepath -w "$msi")" /qn || fail "msiexec /x after upgrade exited with $?"
none_left "after upgrade and uninstall"
[[ ! -e $unix_install_dir ]] || fail "the installation directory is still there after the upgrade's uninstall"
step "upgrade checked"

if ((failures)); then
  echo "install-test-msi ($arch): $failures check(s) failed"
  exit 1
fi
echo "install-test-msi ($arch): all installer checks passed in $((SECONDS - started)) s"
