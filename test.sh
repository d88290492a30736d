#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the ordinary build, the
# same suite once more under AddressSanitizer and UBSan, and the file readers
# under libFuzzer. Window tests run in a private X server.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

jobs=$(nproc)
export LIBGL_ALWAYS_SOFTWARE=1

# Runs the suite of one build folder: the tests without a window in parallel,
# then the window tests (label gl) in one X server; the end-to-end tests (label
# e2e) run apart. Arguments after the folder are environment settings for the
# window tests only.
suite() {
  local folder=$1
  shift
  (cd "$folder" && ctest --output-on-failure -j "$jobs" -LE 'gl|e2e')
  (cd "$folder" && env "$@" xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs" -L gl)
}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
suite build
# The game played end to end: each scenario runs the built igra in its own X server.
(cd build && ctest --output-on-failure -j "$jobs" -L e2e)

# The whole suite under AddressSanitizer and UBSan (build-san, no benchmarks).
# Any finding ends its test process, so the test fails. LeakSanitizer checks
# every test without a window; the window tests run without it, since SDL's
# D-Bus start-up and Mesa keep memory to the end of the process.
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIGRA_SANITIZE=ON -DIGRA_BENCH=OFF
cmake --build build-san -j "$jobs"
export ASAN_OPTIONS=check_initialization_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
suite build-san ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
unset ASAN_OPTIONS UBSAN_OPTIONS

# The file and description readers under libFuzzer (clang, AddressSanitizer and
# UBSan): a short, fixed number of runs of each from its seed files, all
# readers at once, so a reader that can be made to fail fails here. Longer
# runs: see README.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DIGRA_FUZZ=ON -DBUILD_TESTING=OFF -DIGRA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$jobs" --target igra_fuzz
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build-fuzz/tests/fuzz/fuzz_zatravki "$corpus"
readers=(mesh skelet nastroiki pole csv objekt infopanel)
declare -A pids
for reader in "${readers[@]}"; do
  build-fuzz/tests/fuzz/fuzz_$reader -runs=10000 -seed=1 -close_fd_mask=1 -artifact_prefix=build-fuzz/fuzz_$reader- \
    "$corpus/$reader" >"build-fuzz/fuzz_$reader.log" 2>&1 &
  pids[$reader]=$!
done
failed=0
for reader in "${readers[@]}"; do
  if wait "${pids[$reader]}"; then
    echo "fuzz_$reader: $(tail -n 1 "build-fuzz/fuzz_$reader.log")"
  else
    cat "build-fuzz/fuzz_$reader.log"
    echo "fuzz_$reader: the reader failed on an input (saved as build-fuzz/fuzz_$reader-*)" >&2
    failed=1
  fi
done
exit "$failed"
