#!/usr/bin/env bash
# Sets everything up, builds both targets and runs every test: the native tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, the same tests as Windows programs under Wine, the window tests, the
# program driven by real X11 input, the structure check, the zip and the installer under Wine, and bounded
# fuzzing runs of the file readers.
# Every test case is a ctest entry of its own, so the closing line counts ctest's verdicts.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
scripts/build.sh || exit 1

logs=build/test-logs
rm -rf "$logs"
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

run_suite native ctest --test-dir build/native --output-on-failure --timeout 300 -j2

# Wine's background processes must start before ctest, or they hold its output pipe open. Now and then a
# Wine client loses its server as it starts or ends ("wine client error: write: Bad file descriptor") after
# the test itself has passed: a test under Wine is run once more before it counts as failed.
. scripts/wine_env.sh
run_suite windows xvfb-run -a sh -c 'wineserver -p; wine cmd /c exit >/dev/null 2>&1;
    ctest --test-dir build/windows --output-on-failure --timeout 300 -j2 -LE "input|package" --repeat until-pass:2;
    rc=$?; wineserver -k; exit $rc'
# The real program under X11 mouse and keyboard, on a display large enough for its window.
run_suite input xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wineserver -p; wine cmd /c exit >/dev/null 2>&1;
    ctest --test-dir build/windows --output-on-failure -L input --repeat until-pass:2; rc=$?; wineserver -k; exit $rc'

# The zip and the installer made from the programs just tested, then unpacked, installed, opened through
# the association, upgraded and removed under Wine, each case in a prefix of its own; like the tests above,
# a case is run once more before it counts as failed (a registry query once found nothing in a value the
# installer had written).
run_suite package sh -c 'scripts/package.sh --from build/windows && xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir build/windows --output-on-failure --timeout 300 -L package --repeat until-pass:2'

cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZELVORA_FUZZ=ON >/dev/null &&
    cmake --build build/fuzz || exit 1
run_suite fuzz ctest --test-dir build/fuzz --output-on-failure --timeout 300 --verbose -j2
grep -h 'stat::number_of_executed_units' "$logs/fuzz.log" | sed 's/^.*stat::/fuzzer: /'

# One closing line over every ctest verdict of the five runs.
# A test run again counts by its last verdict.
read -r total good < <(awk '/^ *([0-9]+\/[0-9]+ )?Test +#[0-9]+:/ {
        id = $0; sub(/^.*Test +#/, "", id); sub(/:.*$/, "", id); verdict[FILENAME ":" id] = /Passed/
    } END { for (t in verdict) { total++; good += verdict[t] } print total + 0, good + 0 }' \
    "$logs"/native.log "$logs"/windows.log "$logs"/input.log "$logs"/package.log "$logs"/fuzz.log)
failed=$((total - good))
[ "$failed_suites" -eq 0 ] || [ "$failed" -gt 0 ] || failed=$failed_suites
echo "tests: $good passed, $failed failed (native, Windows under Wine, real input, packages, fuzzing)"
[ "$failed_suites" -eq 0 ]
