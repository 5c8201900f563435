#!/usr/bin/env bash
# Installs the cross toolchains and Wine (64- and 32-bit), and builds a static Xerces-C for each Windows
# architecture from Debian's source once.
# Usage: scripts/windows-deps.sh BUILD_DIR [x64] [x86]   (default: both; Xerces lands in BUILD_DIR/xerces/ARCH/install,
# a second run reuses it)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build-windows}")
shift || true
archs=("$@")
((${#archs[@]})) || archs=(x64 x86)

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
scripts/install-deps.sh g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools libwine-dev wine wine64 dpkg-dev

# 32-bit Windows programs run on Wine's 32-bit half, which comes from the i386 architecture and needs a kernel that
# runs 32-bit programs. Without one, wine32 would only break every Wine call (its loader is tried first), so the
# i386 C library is tried before: where it cannot run, the x86 checks are skipped (scripts/windows-test.sh).
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  "${sudo_cmd[@]}" apt-get update -qq
fi
scripts/install-deps.sh libc6:i386
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  scripts/install-deps.sh wine32:i386
else
  echo "windows-deps: this kernel runs no 32-bit programs; wine32 is not installed (no x86 checks under Wine)"
fi

# Debian's source of Xerces-C, unpacked once for both architectures.
xerces=$build/xerces
mkdir -p "$xerces"
if ! compgen -G "$xerces/src/xerces-c-*/CMakeLists.txt" >/dev/null; then
  rm -rf "$xerces/src"
  mkdir -p "$xerces/src"
  (cd "$xerces/src" && apt-get source -qq xerces-c >/dev/null)
fi
source_dir=$(dirname "$(compgen -G "$xerces/src/xerces-c-*/CMakeLists.txt" | head -n1)")
# Installing wants the HTML manual, which Debian's source package leaves out.
mkdir -p "$source_dir/doc/html"

# One build of the library for one architecture, with that architecture's toolchain file.
# XMLCh stays char16_t as on Linux, so the model and the readers compile unchanged; no network access.
build_xerces() {
  local arch=$1 dir=$xerces/$1
  [[ -f $dir/install/lib/libxerces-c.a ]] && return 0
  local log=$dir/build.log
  mkdir -p "$dir"
  echo "Building Xerces-C for Windows $arch (log: $log)"
  {
    cmake -S "$source_dir" -B "$dir/build" -DCMAKE_TOOLCHAIN_FILE="$root/windows/toolchain-$arch.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -Dnetwork:BOOL=OFF -Dtranscoder=windows \
      -Dmessage-loader=inmemory -Dxmlch-type=char16_t -DCMAKE_INSTALL_PREFIX="$dir/install"
    # Only the library and its headers: the samples and tests do not build for Windows from Linux.
    cmake --build "$dir/build" --target xerces-c -j"$(nproc)"
    cmake --install "$dir/build/src"
  } >"$log" 2>&1 || { tail -40 "$log"; exit 1; }
}

for arch in "${archs[@]}"; do
  case $arch in
    x64 | x86) build_xerces "$arch" ;;
    *) echo "windows-deps: unknown architecture '$arch' (x64 or x86)" >&2; exit 64 ;;
  esac
done
