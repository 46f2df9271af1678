#!/usr/bin/env bash
# Sets everything up, builds both targets and runs every test: the native tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, the same tests as Windows programs under Wine, the program driven by
# real X11 input, and a bounded fuzzing run of the drawing reader.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
scripts/build.sh || exit 1

logs=build/test-logs
rm -rf "$logs"
# Every GoogleTest program leaves a report of its cases under cases/, for the closing count.
mkdir -p "$logs/cases/native" "$logs/cases/windows"
failed_suites=0

run_suite() {  # name, command...
    local name=$1
    shift
    echo "==== $name"
    "$@" 2>&1 | tee "$logs/$name.log"
    local status=${PIPESTATUS[0]}
    [ "$status" -eq 0 ] || failed_suites=$((failed_suites + 1))
}

export GTEST_OUTPUT="xml:$PWD/$logs/cases/native/"
run_suite native ctest --test-dir build/native --output-on-failure --timeout 300

# Wine's background processes must start before ctest, or they hold its output pipe open.
. scripts/wine_env.sh
export GTEST_OUTPUT="xml:Z:$(echo "$PWD/$logs/cases/windows/" | tr / '\\')"  # Wine's drive Z: is the root
run_suite windows xvfb-run -a sh -c 'wineserver -p; wine cmd /c exit >/dev/null 2>&1;
    ctest --test-dir build/windows --output-on-failure --timeout 300 -LE input; rc=$?; wineserver -k; exit $rc'
# The real program under X11 mouse and keyboard, on a display large enough for its window.
run_suite input xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wineserver -p; wine cmd /c exit >/dev/null 2>&1;
    ctest --test-dir build/windows --output-on-failure -L input; rc=$?; wineserver -k; exit $rc'

cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZELVORA_FUZZ=ON >/dev/null &&
    cmake --build build/fuzz || exit 1
run_suite fuzz ctest --test-dir build/fuzz --output-on-failure --timeout 300 --verbose
grep -h 'stat::number_of_executed_units' "$logs/fuzz.log" | sed 's/^.*stat::/fuzzer: /'

# One closing line: the test cases of the GoogleTest programs (native and Windows) and the other
# ctest entries (example checks, command-line checks, the real-input cases, the fuzzer).
read -r cases caseFailures < <(cat "$logs"/cases/*/*.xml 2>/dev/null |
    sed -n 's/^<testsuites tests="\([0-9]*\)" failures="\([0-9]*\)".*$/\1 \2/p' |
    awk '{ total += $1; bad += $2 } END { print total + 0, bad + 0 }')
read -r entries entryFailures < <(cat "$logs"/native.log "$logs"/windows.log "$logs"/input.log "$logs"/fuzz.log |
    grep -E '^ *[0-9]+/[0-9]+ Test +#' | grep -v -E 'core_tests|gui_tests' |
    awk '{ total++ } /Passed/ { good++ } END { print total + 0, total - good }')
passed=$((cases - caseFailures + entries - entryFailures))
failed=$((caseFailures + entryFailures))
[ "$failed_suites" -eq 0 ] || [ "$failed" -gt 0 ] || failed=$failed_suites
echo "tests: $passed passed, $failed failed ($cases test cases in the GoogleTest programs, $entries other checks)"
[ "$failed_suites" -eq 0 ]
