#!/usr/bin/env bash
# Fails on any include that points back up the layers of the component or across the two reader groups.
#
#   platform <- model <- readers/declarations, readers/navigation (side by side) <- localization <- loading
#     <- component
#   authoring (the device checker) stands beside the component on the same parts; no part includes it.
# scripts/check-link-layers.sh checks the same line for symbols: each part links alone on the parts below it.
#   tools (and whatever a host writes) use only the public headers <k42gui/...>.
#
# A part may include its own headers and those of the parts below it, always written from src/
# ("model/DDDocument.h"); a path with ".." would dodge the rule and is refused everywhere.
set -euo pipefail
cd "$(dirname "$0")/.."

# Part directory -> the include prefixes it may use.
declare -A allowed=(
  [src/platform]="platform/"
  [src/model]="platform/ model/"
  [src/readers/declarations]="platform/ model/ readers/declarations/"
  [src/readers/navigation]="platform/ model/ readers/navigation/"
  [src/localization]="platform/ model/ localization/"
  [src/loading]="platform/ model/ readers/ localization/ loading/"
  [src/component]="platform/ model/ readers/ localization/ loading/ component/"
  [src/authoring]="platform/ model/ readers/ localization/ loading/ authoring/"
  [tools]="inspect/"
)

failures=0
for part in "${!allowed[@]}"; do
  while IFS= read -r line; do
    file=${line%%:*}
    rest=${line#*:}
    number=${rest%%:*}
    path=$(sed -E 's/.*#include *"([^"]+)".*/\1/' <<<"${rest#*:}")
    ok=0
    if [[ $path != *..* ]]; then
      for prefix in ${allowed[$part]}; do
        [[ $path == "$prefix"* ]] && ok=1
      done
    fi
    if ((!ok)); then
      echo "$file:$number: \"$path\" is not reachable from $part (it may include: ${allowed[$part]})" >&2
      failures=$((failures + 1))
    fi
  done < <(git ls-files -- "$part" | grep -E '\.(h|cpp)$' | xargs -r grep -nE '^\s*#\s*include\s*"' /dev/null || true)
done

if ((failures)); then
  echo "check-layers: $failures include(s) cross a layer" >&2
  exit 1
fi
echo "check-layers: every include stays within its layer"
