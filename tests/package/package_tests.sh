#!/usr/bin/env bash
# The downloads of build/dist as a Windows user meets them, each case in a fresh Wine prefix of its own:
#   zip        unpacked, its files and checksums, the command-line tool run on every example
#   installer  an older build installed silently, then this one over it, the files, the Start menu
#              shortcut, the registry keys of the association and of the list of installed apps,
#              two drawings opened through the association, and a silent uninstall that leaves the
#              user's drawings and recent files and nothing of what the installer wrote
#
# usage: package_tests.sh zip|installer DIST WORK   (the installer case needs an X display)
set -u
case_name=$1
dist=$(cd "$2" && pwd)
work=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0

fail() {
    echo "FAIL ($case_name): $*" >&2
    failures=$((failures + 1))
}
expect_eq() {  # what, actual, expected
    [ "$2" = "$3" ] || fail "$1: '$2', expected '$3'"
}
# Waits up to the seconds given for a command to succeed.
wait_for() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 5))); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

zips=("$dist"/Zelvora-*-win64.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || { echo "FAIL: not one zip in $dist" >&2; exit 1; }
version=${zips[0]##*/Zelvora-}
version=${version%-win64.zip}
name=Zelvora-$version

# A fresh prefix; Wine's services start here with no output to hold, and go at the end. Wine must not
# hand the association or the shortcut to the desktop of the machine running the test.
rm -rf "$work"
mkdir -p "$work/prefix"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8  # the non-Latin names reach Wine intact
# Wine links Documents and the like to the home folder: the test's own, not the machine's.
export HOME=$work/home
mkdir -p "$HOME"
wineserver -p
trap 'wineserver -k' EXIT
wine wineboot -i >/dev/null 2>&1

windows_variable() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
unix_path() { wine winepath -u "$1" 2>/dev/null; }
# The data of a registry value ("" for the default one), or "(absent)".
reg_value() {
    local found
    if [ -z "$2" ]; then
        found=$(wine reg query "$1" /ve 2>/dev/null) || { echo "(absent)"; return; }
    else
        found=$(wine reg query "$1" /v "$2" 2>/dev/null) || { echo "(absent)"; return; }
    fi
    printf '%s\n' "$found" | tr -d '\r' | sed -n 's/^    .*    REG_[A-Z_]*    \{0,1\}//p' | head -n 1
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }

test_zip() {
    local unpacked=$work/unpacked folder listing
    (cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the downloads"
    unzip -q "${zips[0]}" -d "$unpacked" || { fail "the zip does not unpack"; return; }
    folder=$unpacked/$name
    listing=$(cd "$unpacked" && find . -type f | LC_ALL=C sort | sed 's|^\./||')
    for file in Zelvora.exe zelvora-cli.exe README.txt Guide.txt LICENSE.txt examples/house.Zlv \
        examples/industrial_site.Zlv examples/l_building.Zlv licences/clipper.txt licences/dxflib.txt \
        licences/geographiclib.txt licences/nlohmann-json.txt licences/mingw-w64-runtime.txt \
        licences/gcc-runtime.txt licences/libharu.txt licences/zlib.txt licences/dejavu-fonts.txt \
        licences/droid-fallback-font.txt; do
        grep -qx "$name/$file" <<<"$listing" || fail "$file is missing from the zip"
    done
    expect_eq "files outside $name/" "$(grep -vc "^$name/" <<<"$listing")" 0
    # A bare Windows machine has none of the MinGW run-time libraries.
    for program in Zelvora.exe zelvora-cli.exe; do
        x86_64-w64-mingw32-objdump -p "$folder/$program" | grep -qi 'DLL Name: lib' &&
            fail "$program needs a MinGW library: $(x86_64-w64-mingw32-objdump -p "$folder/$program" | grep -i 'DLL Name: lib')"
        x86_64-w64-mingw32-objdump -h "$folder/$program" | grep -q '\.debug' && fail "$program keeps debug sections"
    done
    for text in README.txt Guide.txt LICENSE.txt licences/clipper.txt; do
        expect_eq "lines of $text without CR LF" "$(grep -vc $'\r$' "$folder/$text")" 0
    done
    grep -q "@VERSION@" "$folder/README.txt" && fail "README.txt keeps a @VERSION@"
    grep -q "Zelvora-$version-setup.exe" "$folder/README.txt" || fail "README.txt does not name the installer"

    expect_eq "zelvora-cli --version" "$(cd "$folder" && wine ./zelvora-cli.exe --version 2>&1 | tr -d '\r')" \
        "zelvora-cli $version"
    for example in "$folder"/examples/*.Zlv; do
        (cd "$folder" && wine ./zelvora-cli.exe info "examples\\${example##*/}" 2>&1) | grep -q "^valid: yes" ||
            fail "zelvora-cli info does not find ${example##*/} valid"
    done
}

# Wine keeps no per-user view of the classes (HKEY_CLASSES_ROOT shows only the machine's), so the
# per-user association is copied to the machine's classes for as long as the association is tried,
# as Windows merges them. Only keys that were not there before are removed again.
machine_copies=()
copy_classes_to_machine() {
    local top sub
    for top in $(wine reg query 'HKCU\Software\Classes' 2>/dev/null | tr -d '\r' | sed -n 's/^HKEY_CURRENT_USER\\Software\\Classes\\//p'); do
        if ! key_exists "HKLM\\Software\\Classes\\$top"; then
            machine_copies+=("$top")
            continue
        fi
        for sub in $(wine reg query "HKCU\\Software\\Classes\\$top" 2>/dev/null | tr -d '\r' |
            sed -n "s/^HKEY_CURRENT_USER\\\\Software\\\\Classes\\\\$top\\\\//p"); do
            key_exists "HKLM\\Software\\Classes\\$top\\$sub" || machine_copies+=("$top\\$sub")
        done
    done
    wine reg copy 'HKCU\Software\Classes' 'HKLM\Software\Classes' /s /f >/dev/null 2>&1 ||
        fail "the classes cannot be copied for the association test"
}
remove_machine_copies() {
    local key
    for key in "${machine_copies[@]}"; do
        wine reg delete "HKLM\\Software\\Classes\\$key" /f >/dev/null 2>&1
    done
}

main_windows() { xdotool search --onlyvisible --name "Zelvora v${version//./\\.}\$" 2>/dev/null | wc -l; }
recent_first() { tr -d '\r' <"$recent_ini" 2>/dev/null | sed -n 's/^File1=//p'; }
first_recent_is() { [ "$(recent_first)" = "$1" ]; }
windows_are() { [ "$(main_windows)" -eq "$1" ]; }

# Double clicks: Explorer starts the association's command, as "wine start" does. The program opens
# a drawing before it shows its window, and lists it first in the recent files once it has.
open_by_association() {  # windows path, main windows expected afterwards
    wine start "$1" >/dev/null 2>&1 || { fail "wine start refused $1"; return 1; }
    wait_for 60 first_recent_is "$1" ||
        { fail "the program did not open $1 (first recent file: '$(recent_first)')"; return 1; }
    wait_for 30 windows_are "$2" || { fail "$(main_windows) main windows shown, expected $2"; return 1; }
}

test_installer() {
    local documents appdata localappdata install install_windows old_stage setup_old setup plans
    documents=$(unix_path "$(windows_variable USERPROFILE)\\Documents")
    appdata=$(windows_variable APPDATA)
    localappdata=$(windows_variable LOCALAPPDATA)
    install_windows="$localappdata\\Programs\\Zelvora"
    install=$(unix_path "$install_windows")
    recent_ini=$(unix_path "$appdata\\Zelvora\\recent.ini")
    local uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvora'
    local classes='HKCU\Software\Classes'

    # The older build: the same files, an older version and a file that the new one no longer has.
    unzip -q "${zips[0]}" -d "$work/stage" || { fail "the zip does not unpack"; return; }
    old_stage=$work/stage/$name
    echo "read me before 1.0" >"$old_stage/Obsolete.txt"
    setup_old=$work/Zelvora-0.9.0-setup.exe
    "$root/scripts/make_installer.sh" "$old_stage" 0.9.0 "$setup_old" >"$work/makensis.log" 2>&1 ||
        { fail "the older installer cannot be made: $(cat "$work/makensis.log")"; return; }
    rm "$old_stage/Obsolete.txt"
    wine "$setup_old" /S >/dev/null 2>&1
    expect_eq "version after the older install" "$(reg_value "$uninstall_key" DisplayVersion)" 0.9.0
    [ -f "$install/Obsolete.txt" ] || fail "the older build did not install where expected: $install"

    # What the user has made by the time of the upgrade.
    plans="$documents/Plans été"
    mkdir -p "$plans" "$(dirname "$recent_ini")"
    cp "$root/examples/industrial_site.Zlv" "$plans/建筑 north.Zlv"
    cp "$root/examples/house.Zlv" "$plans/second house.Zlv"
    cp "$root/examples/l_building.Zlv" "$install/my site.Zlv"
    printf '[Recent]\r\nFile1=%s\r\n' "$(windows_variable USERPROFILE)\\Documents\\earlier.Zlv" >"$recent_ini"
    cp "$recent_ini" "$work/recent-before.ini"

    setup=$dist/$name-setup.exe
    wine "$setup" /S >/dev/null 2>&1
    expect_eq "version after the upgrade" "$(reg_value "$uninstall_key" DisplayVersion)" "$version"
    [ -e "$install/Obsolete.txt" ] && fail "the upgrade left the older build's Obsolete.txt"
    [ -f "$install/my site.Zlv" ] || fail "the upgrade removed the user's drawing from the install folder"
    cmp -s "$recent_ini" "$work/recent-before.ini" || fail "the upgrade changed the recent files"
    (cd "$old_stage" && find . -type f) | while read -r file; do
        cmp -s "$old_stage/$file" "$install/$file" || fail "$file is not installed as it is in the zip"
    done
    [ -f "$install/Uninstall.exe" ] || fail "no Uninstall.exe"

    local shortcut
    shortcut=$(unix_path "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Zelvora.lnk")
    [ -f "$shortcut" ] || fail "no Start menu shortcut at $shortcut"
    grep -aq 'Zelvora.exe' "$shortcut" 2>/dev/null || fail "the shortcut does not start Zelvora.exe"

    local command="\"$install_windows\\Zelvora.exe\" \"%1\""
    expect_eq ".Zlv" "$(reg_value "$classes\\.Zlv" "")" Zelvora.Drawing
    expect_eq ".Zlv OpenWithProgids" "$(reg_value "$classes\\.Zlv\\OpenWithProgids" Zelvora.Drawing)" ""
    expect_eq "icon" "$(reg_value "$classes\\Zelvora.Drawing\\DefaultIcon" "")" "$install_windows\\Zelvora.exe,0"
    expect_eq "open command" "$(reg_value "$classes\\Zelvora.Drawing\\shell\\open\\command" "")" "$command"
    expect_eq "Open with command" "$(reg_value "$classes\\Applications\\Zelvora.exe\\shell\\open\\command" "")" \
        "$command"
    expect_eq "Open with types" "$(reg_value "$classes\\Applications\\Zelvora.exe\\SupportedTypes" .Zlv)" ""
    expect_eq "DisplayName" "$(reg_value "$uninstall_key" DisplayName)" Zelvora
    expect_eq "InstallLocation" "$(reg_value "$uninstall_key" InstallLocation)" "$install_windows"
    expect_eq "UninstallString" "$(reg_value "$uninstall_key" UninstallString)" "\"$install_windows\\Uninstall.exe\""
    expect_eq "QuietUninstallString" "$(reg_value "$uninstall_key" QuietUninstallString)" \
        "\"$install_windows\\Uninstall.exe\" /S"
    local size kilobytes
    size=$(reg_value "$uninstall_key" EstimatedSize)
    kilobytes=$(du -sk "$install" | cut -f1)
    if [[ ! $size =~ ^0x[0-9a-f]+$ ]] || [ $((size)) -lt $((kilobytes / 2)) ] || [ $((size)) -gt $((kilobytes * 2)) ]; then
        fail "EstimatedSize $size KB for $kilobytes KB installed"
    fi
    key_exists 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvora' &&
        fail "the per-user install wrote to the machine's list of apps"

    # Two double clicks while the first window is open: two windows, each with its drawing.
    copy_classes_to_machine
    local plans_windows
    plans_windows="$(windows_variable USERPROFILE)\\Documents\\Plans été"
    open_by_association "$plans_windows\\建筑 north.Zlv" 1 &&
        import -window root -depth 8 "$work/association.png" 2>/dev/null &&
        open_by_association "$plans_windows\\second house.Zlv" 2
    remove_machine_copies
    wine taskkill /IM Zelvora.exe >/dev/null 2>&1
    wait_for 30 windows_are 0 || fail "the program did not close when asked"
    cp "$recent_ini" "$work/recent-before-uninstall.ini"

    # The uninstall as Settings > Apps starts it; the uninstaller goes on from a copy of itself.
    local quiet uninstaller
    quiet=$(reg_value "$uninstall_key" QuietUninstallString)
    uninstaller=${quiet#\"}
    uninstaller=${uninstaller%%\"*}
    wine "$(unix_path "$uninstaller")" /S >/dev/null 2>&1
    uninstalled() { ! key_exists "$uninstall_key" && [ ! -e "$install/Uninstall.exe" ]; }
    wait_for 60 uninstalled || fail "the uninstaller did not finish"
    [ -e "$shortcut" ] && fail "the uninstall left the shortcut"
    for key in "$classes\\.Zlv" "$classes\\Zelvora.Drawing" "$classes\\Applications\\Zelvora.exe" "$uninstall_key"; do
        key_exists "$key" && fail "the uninstall left $key"
    done
    expect_eq "left in the install folder" "$(ls -A "$install" 2>&1)" "my site.Zlv"
    [ -f "$plans/建筑 north.Zlv" ] && [ -f "$plans/second house.Zlv" ] || fail "the uninstall took the user's drawings"
    cmp -s "$recent_ini" "$work/recent-before-uninstall.ini" || fail "the uninstall changed the recent files"

    # Nothing else of ours anywhere: no file and no per-user registry entry naming Zelvora or .Zlv
    # beyond the user's own (the drawings in Documents lie outside the prefix's drive).
    local left expected
    left=$(cd "$WINEPREFIX/drive_c" && find . \( -iname '*zelvora*' -o -iname '*.zlv' \) | LC_ALL=C sort)
    expected=$(printf '%s\n' "$install_windows" "$install_windows\\my site.Zlv" "$appdata\\Zelvora" |
        sed 's|^[A-Za-z]:|.|; s|\\|/|g' | LC_ALL=C sort)
    expect_eq "files left" "$left" "$expected"
    wine reg export HKCU "$work/user.reg" /y >/dev/null 2>&1
    left=$(iconv -f UTF-16LE -t UTF-8 "$work/user.reg" 2>/dev/null | tr -d '\r' | grep -i 'zelvora\|\.zlv')
    expect_eq "per-user registry entries left" "$left" ""
}

case $case_name in
    zip) test_zip ;;
    installer) test_installer ;;
    *) echo "usage: $0 zip|installer DIST WORK" >&2; exit 64 ;;
esac
[ "$failures" -eq 0 ] && echo "$case_name: passed" || echo "$case_name: $failures failed" >&2
[ "$failures" -eq 0 ]
