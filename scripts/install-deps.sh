#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need, when missing; package names given
# as arguments (e.g. the fuzzers' compiler) are installed with them.
set -euo pipefail

packages=(cmake make g++ pkg-config libxerces-c-dev libgtest-dev libgmock-dev googletest
          nlohmann-json3-dev libcli11-dev clang-format python3
          neovim)  # the language server's test drives neovim's built-in client
packages+=("$@")
if [[ "${K42GUI_WITH_BROWSER:-0}" == "1" ]]; then
  # The preview tests drive Chromium from Node; npm fetches puppeteer-core into the build tree. A Node
  # from elsewhere (NodeSource) brings its own npm, which Debian's npm package would conflict with.
  packages+=(chromium nodejs)
  if ! command -v npm >/dev/null; then packages+=(npm); fi
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
