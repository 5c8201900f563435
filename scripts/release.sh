#!/usr/bin/env bash
# Builds every artefact of a release into dist/: the Debian package, an MSI and a zip of the binaries per Windows
# architecture, the source tarball, and SHA256SUMS over them. The version is the root CMake project's.
# Usage: scripts/release.sh [--partial]
#   --partial  make what can be made and name what is missing, instead of stopping at the first missing binary
#              (for trying the installers before every Windows binary is built; never for a real release).
# Build trees: build-release (Linux), $K42GUI_WINDOWS_BUILD_DIR or build-windows (shared with windows-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
partial=0
if [[ ${1:-} == --partial ]]; then partial=1; elif [[ $# -gt 0 ]]; then
  echo "usage: scripts/release.sh [--partial]" >&2
  exit 64
fi
version=$(sed -n 's/^project(K42GuiXmlReader VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "release: no version in CMakeLists.txt's project()" >&2; exit 1; }
name=K42GuiXmlReader-$version
dist=$root/dist
linux_build=$root/build-release
windows_build=$(realpath -m "${K42GUI_WINDOWS_BUILD_DIR:-build-windows}")
started=$SECONDS
step() { echo "release $version: $* ($((SECONDS - started)) s)"; }
missing=()
# A missing artefact ends a release; with --partial it is only named, and the run ends with exit 0.
lack() {
  if ((partial)); then
    echo "release: MISSING $*" >&2
    missing+=("$*")
  else
    echo "release: $* (a release needs it; scripts/release.sh --partial makes the rest)" >&2
    exit 1
  fi
}

grep -q "^## \[$version\]" CHANGELOG.md || lack "CHANGELOG.md has no section '## [$version]'"
scripts/install-deps.sh dpkg-dev help2man wixl zip
rm -rf "$dist"
mkdir -p "$dist" "$linux_build"
log=$linux_build/release.log

# ---- Linux: the Debian package of an optimized build installed under /usr
cmake -S . -B "$linux_build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DK42GUI_BUILD_TESTS=OFF \
  >"$log" 2>&1 || { cat "$log"; exit 1; }
cmake --build "$linux_build" -j"$(nproc)" >>"$log" 2>&1 || { tail -50 "$log"; exit 1; }
rm -rf "$linux_build/packages"
(cd "$linux_build" && cpack -G DEB) >>"$log" 2>&1 || { tail -50 "$log"; exit 1; }
cp "$linux_build"/packages/*.deb "$dist/"
step "Debian package built"

# ---- Windows: per architecture, a directory with the DLL, its type library and the inspector
# Fills $1/ with K42GuiXmlReader.dll, K42GuiXmlReader.tlb and k42gui-inspect.exe for architecture $2: the package
# directory of that architecture's Windows build (the tree scripts/windows-test.sh builds, brought up to date here).
windows_binaries() {
  local stage=$1 arch=$2 build=$windows_build/$2
  scripts/windows-deps.sh "$windows_build" "$arch" >/dev/null
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/windows/toolchain-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DK42GUI_XERCES_DIR="$windows_build/xerces/$arch/install" >/dev/null
  cmake --build "$build" -j"$(nproc)" >"$windows_build/$arch-release-build.log" 2>&1 ||
    { tail -50 "$windows_build/$arch-release-build.log"; exit 1; }
  for file in K42GuiXmlReader.dll K42GuiXmlReader.tlb k42gui-inspect.exe; do
    if [[ -f $build/package/$file ]]; then cp "$build/package/$file" "$stage/"; fi
  done
}

for arch in x64 x86; do
  stage=$linux_build/windows-$arch
  rm -rf "$stage"
  mkdir -p "$stage"
  windows_binaries "$stage" "$arch"
  # Symbols and debugging sections of the static runtime and Xerces-C are of no use to a user: half the size.
  strip_tool=x86_64-w64-mingw32-strip
  if [[ $arch == x86 ]]; then strip_tool=i686-w64-mingw32-strip; fi
  for binary in "$stage"/*.dll "$stage"/*.exe; do
    if [[ -f $binary ]]; then "$strip_tool" --strip-unneeded "$binary"; fi
  done
  absent=()
  for file in K42GuiXmlReader.dll K42GuiXmlReader.tlb k42gui-inspect.exe; do
    [[ -f $stage/$file ]] || absent+=("$file")
  done
  if ((${#absent[@]})); then lack "$arch: the Windows build made no ${absent[*]}"; fi
  if [[ ! -f $stage/K42GuiXmlReader.dll ]]; then continue; fi

  allow=()
  if ((partial)); then allow=(--allow-missing); fi
  packaging/msi/make-msi.py --arch "$arch" --version "$version" --stage "$stage" \
    --output "$dist/$name-$arch.msi" "${allow[@]}"
  # The binaries for those who register the DLL themselves, with the files a host's developer reads.
  zip_dir=$linux_build/zip/$name-windows-$arch
  rm -rf "$linux_build/zip"
  mkdir -p "$zip_dir/schemas"
  cp "$stage"/* README.md CHANGELOG.md "$zip_dir/"
  cp schemas/*.xsd "$zip_dir/schemas/"
  (cd "$linux_build/zip" && zip -qrX "$dist/$name-windows-$arch.zip" "$name-windows-$arch")
  step "$arch installer and zip built"
done

# ---- Sources: what is committed, as the tag will have it
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
  echo "release: the working tree has uncommitted changes; the source tarball holds the last commit" >&2
fi
git archive --format=tar.gz --prefix="$name/" -o "$dist/$name.tar.gz" HEAD
(cd "$dist" && sha256sum -- * >SHA256SUMS)

step "sources and checksums written"
ls -l "$dist"
if ((${#missing[@]})); then
  echo "release $version: PARTIAL, missing: ${missing[*]}"
fi
