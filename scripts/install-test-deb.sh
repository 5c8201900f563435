#!/usr/bin/env bash
# Installs the Debian package on this machine, uses it as a user and as a host's developer would, removes it, and
# checks that none of its files remain. Needs root (or sudo); leaves the machine without the package.
# Usage: scripts/install-test-deb.sh DEB   (scratch: $K42GUI_INSTALL_TEST_DIR, default build-install-test/deb)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
deb=$(realpath "$1")
work=$(realpath -m "${K42GUI_INSTALL_TEST_DIR:-build-install-test/deb}")
package=$(dpkg-deb -f "$deb" Package)
version=$(sed -n 's/^project(K42GuiXmlReader VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
started=$SECONDS
step() { echo "install-test-deb: $* ($((SECONDS - started)) s)"; }
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
  echo "install-test-deb: $package is installed already; remove it first (apt-get remove $package)" >&2
  exit 1
fi
rm -rf "$work"
mkdir -p "$work"

# ---- The package itself: its version, and dependencies that dpkg-shlibdeps computed
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version $(dpkg-deb -f "$deb" Version), expected $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libxerces-c3.2 libc6 libstdc++6; do
  tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -qxF "$needed" || fail "Depends lacks $needed: $depends"
done

# ---- Install; the inspector is on the PATH, has its man page and reports the installed demo
"${sudo_cmd[@]}" apt-get install -y -qq "$deb" >"$work/apt-install.log" 2>&1 ||
  { cat "$work/apt-install.log"; fail "apt-get install $deb"; }
dpkg -L "$package" | while read -r path; do [[ -d $path ]] || echo "$path"; done >"$work/files.txt"
step "installed $(wc -l <"$work/files.txt") files"
hash -r
[[ $(command -v k42gui-inspect) == /usr/bin/k42gui-inspect ]] || fail "k42gui-inspect is not on the PATH"
[[ $(k42gui-inspect --version) == *"$version"* ]] || fail "k42gui-inspect --version: $(k42gui-inspect --version)"
man -w k42gui-inspect >/dev/null 2>&1 || fail "no man page for k42gui-inspect"
k42gui-inspect /usr/share/k42gui/examples/demo/demo.xml >"$work/inspect.txt" 2>&1 ||
  fail "k42gui-inspect on the installed demo exited with $?"
grep -q '^Device ' "$work/inspect.txt" || fail "k42gui-inspect did not report the installed demo: $(head -5 "$work/inspect.txt")"
k42gui-inspect check /usr/share/k42gui/examples/demo/demo.xml >"$work/check.txt" 2>&1 ||
  fail "the installed demo does not check clean against the installed schemas: $(cat "$work/check.txt")"
step "inspector checked"

# ---- A host built against the installed package, with find_package and with pkg-config, runs
consumer=$root/tests/data/component/consumer
if cmake -S "$consumer" -B "$work/consumer" -DCMAKE_BUILD_TYPE=Release >"$work/consumer.log" 2>&1 &&
  cmake --build "$work/consumer" >>"$work/consumer.log" 2>&1; then
  [[ $("$work/consumer/consumer") == "consumer: OK" ]] || fail "the find_package host did not finish"
else
  cat "$work/consumer.log"
  fail "a host could not be built with find_package against the package"
fi
# shellcheck disable=SC2046 # pkg-config's flags are separate words
if c++ "$consumer/consumer.cpp" $(pkg-config --cflags --libs k42guixmlreader) -o "$work/pc-consumer"; then
  [[ $("$work/pc-consumer") == "consumer: OK" ]] || fail "the pkg-config host did not finish"
else
  fail "a host could not be built with pkg-config against the package"
fi
[[ $(pkg-config --modversion k42guixmlreader) == "$version" ]] ||
  fail "pkg-config version $(pkg-config --modversion k42guixmlreader), expected $version"
grep -qF "set(PACKAGE_VERSION \"$version\")" /usr/lib/*/cmake/K42GuiXmlReader/K42GuiXmlReaderConfigVersion.cmake ||
  fail "the CMake package does not have version $version"
step "hosts built and run"

# ---- Remove: not one of the package's files is left
"${sudo_cmd[@]}" apt-get remove -y -qq "$package" >"$work/apt-remove.log" 2>&1 ||
  { cat "$work/apt-remove.log"; fail "apt-get remove $package"; }
while read -r path; do
  [[ ! -e $path ]] || fail "$path is still there after apt-get remove"
done <"$work/files.txt"
for dir in /usr/share/k42gui /usr/include/k42gui /usr/share/doc/"$package"; do
  [[ ! -e $dir ]] || fail "$dir is still there after apt-get remove"
done
step "removed"
# apt-get remove keeps the package's record (its maintainer scripts); purging drops it, as before the test.
"${sudo_cmd[@]}" dpkg --purge "$package" >/dev/null 2>&1 || true

if ((failures)); then
  echo "install-test-deb: $failures check(s) failed"
  exit 1
fi
echo "install-test-deb: all package checks passed in $((SECONDS - started)) s"
