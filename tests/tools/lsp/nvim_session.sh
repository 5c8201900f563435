#!/usr/bin/env bash
# Runs nvim_session.lua in a headless neovim on a copy of the demo device (with the schemas beside it as in
# the source tree). Fails, never skips, when neovim is missing: scripts/install-deps.sh installs it.
set -uo pipefail
inspect=$1 source=$2 work=$3
if ! command -v nvim >/dev/null; then
  echo "nvim is not installed; scripts/install-deps.sh installs Debian's neovim" >&2
  exit 1
fi
rm -rf "$work" && mkdir -p "$work/examples" || exit 1
cp -r "$source/schemas" "$work/" && cp -r "$source/examples/demo" "$work/examples/" || exit 1
K42GUI_INSPECT="$inspect" K42GUI_DEMO="$work/examples/demo/demo.xml" K42GUI_RESULT="$work/result.txt" \
  timeout 240 nvim --headless -u NONE -i NONE -n -c "luafile $source/tests/tools/lsp/nvim_session.lua" </dev/null
status=$?
cat "$work/result.txt" 2>/dev/null || echo "neovim wrote no result (exit $status)"
exit $status
