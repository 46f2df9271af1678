#!/usr/bin/env bash
# Sets everything up, builds both targets and runs every test: the native tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, the same tests as Windows programs under Wine, and a bounded fuzzing
# run of the drawing reader.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
scripts/build.sh || exit 1

logs=build/test-logs
mkdir -p "$logs"
failed_suites=0

run_suite() {  # name, command...
    local name=$1
    shift
    echo "==== $name"
    "$@" 2>&1 | tee "$logs/$name.log"
    local status=${PIPESTATUS[0]}
    [ "$status" -eq 0 ] || failed_suites=$((failed_suites + 1))
}

run_suite native ctest --test-dir build/native --output-on-failure --timeout 300

# Wine's background processes must start before ctest, or they hold its output pipe open.
. scripts/wine_env.sh
run_suite windows xvfb-run -a sh -c 'wineserver -p; wine cmd /c exit >/dev/null 2>&1;
    ctest --test-dir build/windows --output-on-failure --timeout 300; rc=$?; wineserver -k; exit $rc'

cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZELVORA_FUZZ=ON >/dev/null &&
    cmake --build build/fuzz || exit 1
run_suite fuzz ctest --test-dir build/fuzz --output-on-failure --timeout 300 --verbose
grep -h 'stat::number_of_executed_units' "$logs/fuzz.log" | sed 's/^.*stat::/fuzzer: /'

# One closing line over the three runs, counted from the gtest executables and ctest.
passed=0
failed=0
for log in "$logs"/native.log "$logs"/windows.log "$logs"/fuzz.log; do
    read -r p f < <(sed -n 's/^.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*$/\2 \1/p' "$log" |
        awk '{ total += $1; bad += $2 } END { print total - bad, bad + 0 }')
    passed=$((passed + p))
    failed=$((failed + f))
done
[ "$failed_suites" -eq 0 ] || [ "$failed" -gt 0 ] || failed=$failed_suites
echo "tests: $passed passed, $failed failed"
[ "$failed_suites" -eq 0 ]
