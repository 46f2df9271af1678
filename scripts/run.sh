#!/usr/bin/env bash
# Sets everything up, builds the Windows program and starts it on an example drawing (under Wine where
# the machine is not Windows). Without a display it runs on a virtual one, takes a screenshot once the
# splash has gone, and closes again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build build/windows --target Zelvora zelvora-cli
drawing=${1:-examples/industrial_site.Zlv}
. scripts/wine_env.sh
wine build/windows/cli/zelvora-cli.exe info "$drawing"
if [ -n "${DISPLAY:-}" ]; then
    exec wine build/windows/Zelvora.exe "$drawing"
fi
shot=$PWD/build/zelvora-screenshot.png
wineserver -w  # a Wine started without a display must be gone before one starts on the virtual display
# The picture is taken once the main window is shown (the splash comes first), or after a minute.
xvfb-run -a -s "-screen 0 1280x900x24" sh -c "
    wine build/windows/Zelvora.exe '$drawing' &
    for second in \$(seq 60); do
        xdotool search --onlyvisible --name 'Zelvora v1.0.0\$' >/dev/null 2>&1 && break
        sleep 1
    done
    sleep 2
    import -window root -depth 8 '$shot'
    wineserver -k" || true
echo "No display here: Zelvora ran on a virtual one; its window is in $shot"
