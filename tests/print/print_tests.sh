#!/usr/bin/env bash
# File > Print... as a user prints a report: Ctrl+P, Enter in the report's dialog and in the system's
# print dialog (with "Print to file" ticked, a file name typed into the save dialog that follows), by
# real X11 keys through Wine's display driver. The printer is a PostScript printer (Wine's own driver)
# whose port is a file, in a Wine prefix of the test's own; what it printed is turned into PDF by
# Ghostscript and read back with pdftotext beside the PDF that zelvora-cli report writes for the same
# drawing: the same pages with the same words and numbers.
#
# usage: print_tests.sh CASE ZELVORA_EXE CLI_EXE FILE_PRINTER_EXE WORK_FOLDER   (on an X display)
set -u
case_name=$1 zelvora=$2 cli=$3 file_printer=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work/$case_name"
work=$(cd "$work" && pwd)
out=$work/$case_name
program_pid=

# A prefix of its own, made on first use and shared by the cases: the printers stay out of the prefix
# the other Windows tests run in.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1

finish() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    wineserver -k >/dev/null 2>&1
}
fail() {
    echo "FAIL ($case_name): $*" >&2
    import -window root -depth 8 "$out/failed.png" 2>/dev/null
    finish
    exit 1
}

find_window() {  # title, seconds
    local id
    for _ in $(seq $(($2 * 5))); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
press() { xdotool key "$@"; sleep 0.5; }

# A printer of the PPD's paper, made the default; each job it prints ends up in the file given.
printer_of_paper() {  # A4 | Letter
    local ppd=$out/postscript_$1.ppd
    sed "s/^\*Default\(PageSize\|ImageableArea\|PaperDimension\): A4\$/*Default\1: $1/" \
        "$here/postscript_a4.ppd" > "$ppd"
    printed=$out/printed.ps
    rm -f "$printed"
    wine "$file_printer" "PostScript $1 to file" "$(winepath -w "$ppd")" "$(winepath -w "$printed")" ||
        fail "the printer could not be set up"
}

# The drawing printed with the keyboard, to the printer's port or, given a file, with "Print to file"
# into that file; waits for the file printed to be complete.
print_with_keys() {
    local to_file=${1:-}
    wine "$zelvora" "$drawing" >/dev/null 2>&1 &
    program_pid=$!
    find_window "$(basename "$drawing") - Zelvora v1.0.0" 90 >/dev/null || fail "the main window did not appear"
    sleep 1
    press ctrl+p
    find_window Report 10 >/dev/null || fail "Ctrl+P did not ask for the report's project, author and checker"
    press Return
    find_window Print 10 >/dev/null || fail "no print dialog after the report's dialog"
    if [ -n "$to_file" ]; then
        press alt+l
        press Return
        find_window "Save As" 10 >/dev/null || fail "no question for the file to print into"
        xdotool type --delay 20 "$(winepath -w "$to_file")"; sleep 0.3
        press Return
        port_file=$printed printed=$to_file
    else
        press Return
    fi
    for _ in $(seq 120); do
        [ -s "$printed" ] && tail -c 64 "$printed" | grep -q '%%EOF' && break
        sleep 0.5
    done
    tail -c 64 "$printed" 2>/dev/null | grep -q '%%EOF' || fail "nothing was printed in 60 s"
    ! xdotool search --onlyvisible --name "^Failed\$" >/dev/null 2>&1 || fail "the program said printing failed"
    press alt+f; press q
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || { program_pid=; return 0; }
        sleep 0.2
    done
    fail "File > Quit did not end the program (did printing change the drawing?)"
}

same_text_as_the_pdf() {
    wine "$cli" report "$drawing" "$out/exported.pdf" >/dev/null 2>&1 || fail "zelvora-cli report failed"
    ps2pdf "$printed" "$out/printed.pdf" || fail "Ghostscript cannot read what was printed"
    python3 "$here/same_text.py" "$out/printed.pdf" "$out/exported.pdf" ||
        fail "the printed pages do not carry the PDF's text"
}

case $case_name in
house_to_file_on_a4)
    # "Print to file" takes the file named in the save dialog; the printer's own port gets nothing.
    drawing=$out/house.Zlv
    cp "$here/../../examples/house.Zlv" "$drawing"
    printer_of_paper A4
    rm -f "$out/house.prn"
    print_with_keys "$out/house.prn"
    [ ! -e "$port_file" ] || fail "the printer's port was printed to although a file was chosen"
    same_text_as_the_pdf
    ;;
site_of_30_on_letter)
    # Thirty buildings, three names in Latin, Greek and Chinese; Letter paper is 18 mm shorter than the
    # page, and the foot of each page (file, date, page number) must still be printed.
    drawing=$out/site30.Zlv
    python3 - "$out/site30.geojson" <<'PY'
import json, math, sys
names = ["Werkhalle Süd", "Αποθήκη Β", "仓库一号"] + [f"Block {i}" for i in range(4, 31)]
metre_lat = 1 / 111320.0
metre_lon = metre_lat / math.cos(math.radians(48.0))
features = []
for i, name in enumerate(names):
    x, y = (i % 6) * 40.0, (i // 6) * 40.0
    ring = [(x, y), (x + 20, y), (x + 20, y + 14), (x, y + 14), (x, y)]
    features.append({"type": "Feature", "properties": {"name": name, "height": 10 + i % 7},
                     "geometry": {"type": "Polygon", "coordinates": [
                         [[11.0 + px * metre_lon, 48.0 + py * metre_lat] for px, py in ring]]}})
with open(sys.argv[1], "w", encoding="utf-8") as f:
    json.dump({"type": "FeatureCollection", "features": features}, f, ensure_ascii=False)
PY
    rm -f "$drawing"
    wine "$cli" import "$out/site30.geojson" "$drawing" >/dev/null 2>&1 || fail "the site could not be imported"
    printer_of_paper Letter
    print_with_keys
    same_text_as_the_pdf
    # The Chinese name's four characters reach the printer in the fallback face, as glyphs of their own.
    glyphs=$(awk '/\/FontName \/DroidSansFallback/ {face = 1} /\/FontName \/DejaVu/ {face = 0}
                  face && /^\/[^ ]+ [0-9]+ RD/ && $1 != "/.notdef" {print $1}' "$printed" | sort -u | wc -l)
    [ "$glyphs" -eq 4 ] || fail "$glyphs glyphs of the fallback face printed, expected the name's 4"
    ;;
*)
    echo "unknown case $case_name" >&2
    finish
    exit 64
    ;;
esac
finish
echo "ok: $case_name"
