#!/usr/bin/env bash
# Installs the cross toolchain and Wine, and builds a static Xerces-C for Windows from Debian's source once.
# Usage: scripts/windows-deps.sh BUILD_DIR   (Xerces lands in BUILD_DIR/xerces; a second run reuses it)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build-windows}")

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi

# apt-get source needs a source entry; Debian's images ship only binary ones.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/k42-debian-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  "${sudo_cmd[@]}" apt-get update -qq
fi
scripts/install-deps.sh g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine wine64 dpkg-dev

xerces=$build/xerces
if [[ -f $xerces/install/lib/libxerces-c.a ]]; then
  exit 0
fi
mkdir -p "$xerces"
if ! compgen -G "$xerces/src/xerces-c-*/CMakeLists.txt" >/dev/null; then
  rm -rf "$xerces/src"
  mkdir -p "$xerces/src"
  (cd "$xerces/src" && apt-get source -qq xerces-c >/dev/null)
fi
source_dir=$(dirname "$(compgen -G "$xerces/src/xerces-c-*/CMakeLists.txt" | head -n1)")
# Installing wants the HTML manual, which Debian's source package leaves out.
mkdir -p "$source_dir/doc/html"

# XMLCh stays char16_t as on Linux, so the model and the readers compile unchanged; no network access.
log=$xerces/build.log
echo "Building Xerces-C for Windows (log: $log)"
{
  cmake -S "$source_dir" -B "$xerces/build" -DCMAKE_TOOLCHAIN_FILE="$root/windows/mingw-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -Dnetwork:BOOL=OFF -Dtranscoder=windows \
    -Dmessage-loader=inmemory -Dxmlch-type=char16_t -DCMAKE_INSTALL_PREFIX="$xerces/install"
  # Only the library and its headers: the samples and tests do not build for Windows from Linux.
  cmake --build "$xerces/build" --target xerces-c -j"$(nproc)"
  cmake --install "$xerces/build/src"
} >"$log" 2>&1 || { tail -40 "$log"; exit 1; }
