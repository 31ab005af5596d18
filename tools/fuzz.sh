#!/usr/bin/env bash
# Fuzzes the program's readers of outside data with clang's libFuzzer.
#
#   tools/fuzz.sh [seconds] [reader ...]
#
# Builds the fuzz targets (tests/fuzz/fuzz_<reader>.cpp) with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/, then runs
# each named reader (all of them by default) for the given time (default 60 s)
# on a working copy of its seed corpus and past crashes,
# build-fuzz/corpus/<reader>, which keeps what the fuzzer learns between runs. An input that makes a target fail is
# saved in build-fuzz/crashes/<reader>/ and the run goes on with the next
# reader; the exit status says whether any failed.
set -euo pipefail
seconds="${1:-60}"
shift || true

QUORVANE_FUZZ=1 source "$(dirname "${BASH_SOURCE[0]}")/prepare.sh"

readers=("$@")
if [ ${#readers[@]} -eq 0 ]; then
    for source in "$QUORVANE_ROOT"/tests/fuzz/fuzz_*.cpp; do
        name="$(basename "$source" .cpp)"
        readers+=("${name#fuzz_}")
    done
fi

# The readers find their files in folders of their own, never the user's.
scratch="$QUORVANE_BUILD/fuzzhome"
mkdir -p "$scratch/data" "$scratch/config"
export HOME="$scratch" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$QUORVANE_ROOT/tests/sanitizer/qt-plugins.supp:print_suppressions=0"

failed=()
for reader in "${readers[@]}"; do
    corpus="$QUORVANE_BUILD/corpus/$reader"
    crashes="$QUORVANE_BUILD/crashes/$reader"
    mkdir -p "$corpus" "$crashes"
    for seeds in corpus crashes; do
        cp -n "$QUORVANE_ROOT/tests/fuzz/$seeds/$reader"/* "$corpus"/ 2>/dev/null || true
    done
    echo "== fuzzing $reader for $seconds s"
    if ! "$QUORVANE_BUILD/fuzz/fuzz_$reader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
            -close_fd_mask=3 -artifact_prefix="$crashes/" "$corpus"; then
        failed+=("$reader")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "failed: ${failed[*]} (inputs in $QUORVANE_BUILD/crashes/)"
    exit 1
fi
echo "no failures"
