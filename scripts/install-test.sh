#!/usr/bin/env bash
# Checks the installers that scripts/release.sh put into dist/: the Debian package on this machine, and each
# architecture's MSI under Wine. Every architecture a release has must be there.
# Usage: scripts/install-test.sh   (after scripts/release.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(K42GuiXmlReader VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
started=$SECONDS
status=0

debs=(dist/*_"$version"_*.deb)
if [[ -f ${debs[0]} ]]; then
  scripts/install-test-deb.sh "${debs[0]}" || status=1
else
  echo "install-test: no Debian package of $version in dist/ (run scripts/release.sh)" >&2
  status=1
fi
for arch in x64 x86; do
  # The x86 installer runs on Wine's 32-bit half, which a kernel without 32-bit support cannot start
  # (scripts/windows-deps.sh then leaves it out): the MSI is built, but not installed here.
  if [[ $arch == x86 ]] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "install-test: SKIPPED the x86 installer under Wine: no 32-bit Wine on this machine"
    [[ ${K42GUI_REQUIRE_X86:-0} == 1 ]] && { echo "FAIL: K42GUI_REQUIRE_X86=1"; status=1; }
    continue
  fi
  msi=dist/K42GuiXmlReader-$version-$arch.msi
  if [[ -f $msi ]]; then
    scripts/install-test-msi.sh "$arch" "$msi" "build-release/windows-$arch" || status=1
  else
    echo "install-test: no $arch installer of $version in dist/" >&2
    status=1
  fi
done
echo "install-test: finished in $((SECONDS - started)) s with status $status"
exit $status
