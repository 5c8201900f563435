#!/usr/bin/env bash
# The inspector on Windows answers like the Linux one: the same exit codes and the same standard output apart from
# path separators (and JSON's escaped ones), byte for byte otherwise (no CRLF line ends), over the demo device and
# the authoring fixtures.
# Usage: tests/windows/compare_inspect.sh LINUX_INSPECT WORK_DIR WINDOWS_COMMAND...   (run from the source root)
set -uo pipefail
linux=$1 work=$2
shift 2
windows=("$@")
mkdir -p "$work"

demo=examples/demo/demo.xml
fixtures=tests/data/authoring
# name|expected exit code|arguments (paths relative to the source root, valid on both systems)
cases=(
  "report|0|$demo"
  "report-de-f2|0|-l de -f 2 $demo"
  "report-json|0|--format json $demo"
  "preview-html|0|--format html $demo"
  "check-clean|0|check $demo"
  "check-warnings-json|1|check --format json $fixtures/shadowed.xml $fixtures/clean_loc.xml"
  "check-errors|2|check $fixtures/keyword.xml $fixtures/clean_loc.xml"
  "diff-languages|1|diff --new-language de $demo"
  "diff-json|1|diff --format json --new-language de $demo"
  "usage|64|check --rule no-such-rule $fixtures/clean.xml"
)

separators() { sed -e 's#\\\\#/#g' -e 's#\\#/#g'; }

failures=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name expected args <<<"$entry"
  read -ra argv <<<"$args"
  # Both sides with every backslash (JSON's doubled ones too) made a slash: the style and script of the preview
  # page hold backslashes of their own.
  "$linux" --no-progress "${argv[@]}" 2>/dev/null | separators >"$work/$name.linux"
  linux_status=${PIPESTATUS[0]}
  "${windows[@]}" --no-progress "${argv[@]}" 2>/dev/null | separators >"$work/$name.windows"
  windows_status=${PIPESTATUS[0]}
  if [[ $linux_status != "$expected" || $windows_status != "$expected" ]]; then
    echo "FAIL: inspect $name: exit codes Linux $linux_status, Windows $windows_status, expected $expected"
    failures=$((failures + 1))
  fi
  if ! diff -q "$work/$name.linux" "$work/$name.windows" >/dev/null; then
    echo "FAIL: inspect $name: outputs differ (diff $work/$name.linux $work/$name.windows)"
    diff "$work/$name.linux" "$work/$name.windows" | head -n 10
    failures=$((failures + 1))
  fi
  # An empty pair would compare equal without proving anything.
  if [[ ! -s $work/$name.linux && $name != usage ]]; then
    echo "FAIL: inspect $name: no output"
    failures=$((failures + 1))
  fi
done
echo "inspector comparison: ${#cases[@]} cases, $failures failed"
((failures == 0))
