#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for a while under AddressSanitizer,
# UndefinedBehaviorSanitizer and leak detection; any crash, leak, timeout or out-of-memory input fails.
#
#   K42GUI_FUZZ_SECONDS    seconds per target (default 90: six targets in about the time four took at 120)
#   K42GUI_FUZZ_TARGETS    the targets to run (default: all six)
#   K42GUI_FUZZ_BUILD_DIR  build directory (default build-fuzz)
#
# Seeds: the fixtures of tests/data and the demo device (copied at run time), fuzz/corpus/<target>/,
# and the inputs of earlier findings in tests/data/fuzz/<target>/, which therefore run first on every pass.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${K42GUI_FUZZ_SECONDS:-90}
read -r -a targets <<<"${K42GUI_FUZZ_TARGETS:-fuzz_guixml fuzz_locfile fuzz_registry fuzz_dispatch fuzz_check fuzz_lsp}"
build=$root/${K42GUI_FUZZ_BUILD_DIR:-build-fuzz}

# clang's default version, with the compiler runtime that holds libFuzzer and the sanitizers.
scripts/install-deps.sh clang libclang-rt-dev

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DK42GUI_BUILD_FUZZ=ON \
  -DK42GUI_BUILD_TESTS=OFF -DK42GUI_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# Fixture files of one kind into a fresh seed directory.
copy_seeds() {
  local into=$1
  shift
  rm -rf "$into"
  mkdir -p "$into"
  local file
  for file in "$@"; do
    if [[ -f $file ]]; then cp "$file" "$into/$(basename "$(dirname "$file")")_$(basename "$file")"; fi
  done
}

shopt -s nullglob
# The inputs stay inside the build directory: the XML targets write their files below TMPDIR, and no
# machine registry is read.
export TMPDIR=$build/tmp K42GUI_REGISTRY=$build/tmp/registry.reg K42GUI_LOG=0
mkdir -p "$TMPDIR"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
  seeds=$build/seeds/$target
  case $target in
    fuzz_guixml | fuzz_check)
      guixml=()
      for file in tests/data/*/*.xml examples/demo/*.xml; do
        [[ $file == *_loc.xml ]] || guixml+=("$file")
      done
      copy_seeds "$seeds" "${guixml[@]}"
      ;;
    fuzz_locfile) copy_seeds "$seeds" tests/data/*/*_loc.xml examples/demo/*_loc.xml ;;
    *) copy_seeds "$seeds" ;;
  esac
  corpus=$build/corpus/$target        # what the fuzzer adds, kept between local runs
  artifacts=$build/artifacts/$target  # reproducers of findings
  logs=$build/logs/$target
  rm -rf "$artifacts" "$logs"
  mkdir -p "$corpus" "$artifacts" "$logs"
  dirs=("$corpus" "$seeds")
  for dir in "$root/fuzz/corpus/$target" "$root/tests/data/fuzz/$target"; do
    if [[ -d $dir ]]; then dirs+=("$dir"); fi
  done
  echo "== $target: ${seconds}s"
  status=0
  # With -jobs the fuzzer runs in a child process that writes its output to fuzz-0.log in the working directory.
  (cd "$logs" && "$build/fuzz/$target" -jobs=1 -workers=1 -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -detect_leaks=1 -print_final_stats=1 -dict="$root/fuzz/k42gui.dict" \
    -artifact_prefix="$artifacts/" "${dirs[@]}" >/dev/null 2>&1) || status=$?
  reproducers=("$artifacts"/*)
  if ((status != 0 || ${#reproducers[@]})); then
    tail -n 60 "$logs"/fuzz-*.log || true
    echo "FAILED: $target (exit $status); reproducers:"
    for file in "${reproducers[@]}"; do echo "  $build/fuzz/$target $file"; done
    failed+=("$target")
  else
    grep -h "stat::number_of_executed_units\|stat::peak_rss_mb" "$logs"/fuzz-*.log | sed 's/^/   /' || true
  fi
done

if ((${#failed[@]})); then
  echo "Fuzzing found problems in: ${failed[*]}"
  exit 1
fi
echo "Fuzzing: no findings"
