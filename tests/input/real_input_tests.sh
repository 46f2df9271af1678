#!/usr/bin/env bash
# Drives the real program the way a user does: X11 mouse and keyboard events through Wine's display
# driver, so that keyboard focus, the message loop and the dialogs' own key handling take part. Each
# case starts the program on a copy of an example drawing, acts, saves with the keyboard, and checks
# the saved file with zelvora-cli.
#
# usage: real_input_tests.sh CASE ZELVORA_EXE CLI_EXE WORK_FOLDER   (on an X display, Wine set up)
set -u
case_name=$1 zelvora=$2 cli=$3 work=$4
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
mkdir -p "$work"
drawing=$work/$case_name.Zlv
cp "$examples/house.Zlv" "$drawing"
program_pid=
screen_pid=

fail() {
    echo "FAIL ($case_name): $*" >&2
    if [ -n "$screen_pid" ] && ! kill -0 "$screen_pid" 2>/dev/null; then
        echo "its screen $DISPLAY had ended: $(tail -n 3 "$work/$case_name-screen.log")" >&2
    fi
    import -window root -depth 8 "$work/$case_name-failed.png" 2>/dev/null
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    exit 1
}

# The window of that exact title, once mapped; empty after the time given in seconds.
find_window() {
    local title=$1 seconds=$2 id
    for _ in $(seq $((seconds * 5))); do
        id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}

wait_gone() {
    local title=$1
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    return 1
}

start_program() {
    wine "$zelvora" "$drawing" >/dev/null 2>&1 &
    program_pid=$!
    main=$(find_window "$(basename "$drawing") - Zelvora v1.0.0" 90) || fail "the main window did not appear"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$main")"
    # Without a window manager the X window starts at the menu bar; the client area starts at the
    # first row of the window's grey background below it.
    local row=0
    while read -r line; do
        case $line in *"#F0F0F0"*) break ;; esac
        row=$((row + 1))
    done < <(import -window root -depth 8 -crop "1x80+$((X + 2))+$Y" txt:- | tail -n +2)
    [ "$row" -lt 80 ] || fail "no client area found below the menu bar"
    left=$X
    top=$((Y + row))
}

# The canvas lies at (10, 40) in the main window's client area, the buttons at (10 + 120 i, 10).
pointer_to_canvas() { xdotool mousemove $((left + 10 + $1)) $((top + 40 + $2)); sleep 0.3; }
click_canvas() { pointer_to_canvas "$1" "$2"; xdotool click "${3:-1}"; sleep 0.5; }
click_button() {  # Draw Create Edit Delete View-Ad View-Am
    xdotool mousemove $((left + 10 + 120 * $1 + 50)) $((top + 20)); sleep 0.3
    xdotool click 1; sleep 0.5
}
press() { xdotool key "$@"; sleep 0.5; }

vertex_dialog=${VERTEX_DIALOG:-"Insert the height of vertex and Optiond data"}
answer_vertex_with_enter() {
    find_window "$vertex_dialog" 10 >/dev/null || fail "no vertex dialog after a left click on the canvas"
    press Return
    wait_gone "$vertex_dialog" || fail "Enter did not press Save in the vertex dialog"
}

# Saves with Ctrl+S until the file holds that zoom: a loaded machine may take a while to handle the wheel.
saved_zoom_becomes() {
    for _ in 1 2 3 4 5; do
        sleep 0.5
        press ctrl+s
        zoom=$(wine "$cli" info "$drawing" | tr -d '\r' | sed -n 's/^zoom: //p')
        [ "$zoom" = "$1" ] && return 0
    done
    return 1
}

no_warning() {
    ! xdotool search --onlyvisible --name "^Warning\$" >/dev/null 2>&1 || fail "a warning came up: $1"
}

# Save through the menu with the keyboard, then Quit; the file is replaced as a new one when saved.
save_and_quit() {
    local before
    before=$(stat -c %i "$drawing")
    press alt+f; press s
    [ "$(stat -c %i "$drawing")" != "$before" ] || fail "File > Save did not write the drawing"
    press alt+f; press q
    program_ends || fail "File > Quit did not end the program"
}

program_ends() {
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || return 0
        sleep 0.2
    done
    return 1
}

# A screen of its own and a Wine prefix of its own at that density (kept in the work folder, made on
# first use), so that the other cases keep the suite's screen and density.
own_screen() {
    local size=$1 dpi=$2
    Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp 5>"$work/$case_name-display" >"$work/$case_name-screen.log" 2>&1 &
    screen_pid=$!
    for _ in $(seq 50); do
        [ -s "$work/$case_name-display" ] && break
        sleep 0.2
    done
    [ -s "$work/$case_name-display" ] || fail "no screen of $size"
    export DISPLAY=:$(cat "$work/$case_name-display")
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.2
    done
    xdotool getdisplaygeometry >/dev/null 2>&1 || fail "the screen $DISPLAY of $size does not answer"
    export WINEPREFIX=$(cd "$work" && pwd)/wineprefix-$dpi-dpi
    trap 'wineserver -k; kill "$screen_pid"; wait "$screen_pid"' EXIT
    wine cmd /c exit >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
        fail "the density $dpi could not be set"
}

vertices_of() { wine "$cli" info "$drawing" --vertices | tr -d '\r'; }
polygons_saved() { wine "$cli" info "$drawing" | tr -d '\r' | sed -n 's/^polygons: //p'; }

case $case_name in
escape_after_toolbar_click)
    # Pick up the first vertex of the house (40 m, 40 m: pixel 400, 400 at "x 1.0") after the Edit
    # button took the focus; Escape must end the drag, so the next click drops nothing.
    start_program
    click_button 2
    click_canvas 400 400
    pointer_to_canvas 600 300
    press Escape
    click_canvas 600 300
    no_warning "after Escape and a click"
    save_and_quit
    cmp -s "$drawing" "$examples/house.Zlv" || fail "the vertex moved although Escape ended the drag"
    ;;
create_with_clicks_and_keys)
    # Three left clicks and a closing right click make a polygon; every vertex dialog is answered
    # with Enter, and the first one takes a 99-character name typed into its scrolling field. A
    # second polygon is begun and dropped with Escape, so the right click after it closes nothing.
    name=$(printf 'N%.0s' $(seq 90))123456789
    start_program
    click_button 1
    click_canvas 100 100
    find_window "$vertex_dialog" 10 >/dev/null || fail "no vertex dialog after the first click"
    press Tab; press Tab
    xdotool type --delay 20 "$name"; sleep 0.5
    answer_vertex_with_enter
    click_canvas 300 100; answer_vertex_with_enter
    click_canvas 300 250; answer_vertex_with_enter
    click_canvas 100 250 3; answer_vertex_with_enter
    click_canvas 500 100; answer_vertex_with_enter
    press Escape
    click_canvas 600 200 3
    no_warning "the right click after Escape found a polygon under construction"
    save_and_quit
    expected=$(printf '1\t%s\t1\t4\n\t\t10\t10\t1\n\t\t30\t10\t1\n\t\t30\t25\t1\n\t\t10\t25\t1' "$name")
    actual=$(vertices_of | sed -n '/^1\t/,$p')
    [ "$actual" = "$expected" ] || fail "the new polygon is not as clicked and typed:
$actual"
    ;;
undo_and_redo_with_keys)
    # A polygon deleted by mistake comes back with Ctrl+Z and goes again with Ctrl+Y, the keys acting
    # while a toolbar button has the focus; Ctrl+S saves each state.
    start_program
    click_button 3
    click_canvas 450 420
    find_window Warning 10 >/dev/null || fail "no question before the delete"
    press y
    press ctrl+z
    press ctrl+s
    [ "$(polygons_saved)" = 1 ] || fail "Ctrl+Z did not bring the polygon back"
    press ctrl+y
    press ctrl+s
    [ "$(polygons_saved)" = 0 ] || fail "Ctrl+Y did not delete the polygon again"
    save_and_quit
    ;;
wheel_zooms_about_the_pointer)
    # Ctrl+wheel away from the user zooms in about the pointer, resting on the house's first vertex
    # (pixel 400, 400 at "x 1.0"); the vertex stays under it, so a Delete click there finds the house.
    # Ctrl+wheel towards the user zooms back. The zoom is kept in the file, saved with Ctrl+S.
    start_program
    click_button 3
    pointer_to_canvas 400 400
    xdotool keydown ctrl; xdotool click 4; xdotool keyup ctrl
    saved_zoom_becomes "x 2" || fail "Ctrl+wheel did not zoom in (zoom: $zoom)"
    click_canvas 400 400
    find_window Warning 10 >/dev/null || fail "the house's vertex did not stay under the pointer"
    press n
    wait_gone Warning || fail "the question did not close on N"
    pointer_to_canvas 400 400
    xdotool keydown ctrl; xdotool click 5; xdotool keyup ctrl
    saved_zoom_becomes "x 1.0" || fail "Ctrl+wheel did not zoom back (zoom: $zoom)"
    save_and_quit
    ;;
enter_saves_the_vertex_height)
    # A right click on the house's first vertex opens its height dialog; Enter saves what was typed,
    # as the Save button does.
    start_program
    click_button 2
    click_canvas 400 400 3
    find_window "Edit height of vertex" 10 >/dev/null || fail "no height dialog after a right click on a vertex"
    press End; press BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
    xdotool type --delay 20 "7.5"; sleep 0.3
    press Return
    wait_gone "Edit height of vertex" || fail "Enter did not save in the height dialog"
    save_and_quit
    vertices_of | grep -q "$(printf '^\t\t40\t40\t7.5$')" || fail "the height typed was not saved:
$(vertices_of)"
    ;;
close_offers_cancel)
    # File > Close on a changed drawing asks Yes, No or Cancel; Escape is Cancel and keeps the drawing,
    # changed, in the window, as the title's star says.
    start_program
    click_button 3
    click_canvas 450 420
    find_window Warning 10 >/dev/null || fail "no question before the delete"
    press y
    press alt+f; press c
    find_window Warning 10 >/dev/null || fail "no question before Close"
    press Escape
    wait_gone Warning || fail "Escape did not close the question"
    find_window "$(basename "$drawing")\\* - Zelvora v1.0.0" 10 >/dev/null || fail "the changed drawing did not stay open"
    cmp -s "$drawing" "$examples/house.Zlv" || fail "Cancel wrote the file"
    kill "$program_pid"  # the star in the title showed the changed drawing still open: nothing to save
    ;;
undo_keeps_the_zoom)
    # Ctrl+wheel zooms in, a delete changes the drawing, Ctrl+Z brings the house back: the zoom the
    # user chose stays, and the saved file says so.
    start_program
    click_button 3
    pointer_to_canvas 400 400
    xdotool keydown ctrl; xdotool click 4; xdotool keyup ctrl
    sleep 2
    click_canvas 400 400
    find_window Warning 10 >/dev/null || fail "no question before the delete"
    press y
    wait_gone Warning || fail "the question did not close on Y"
    press ctrl+z
    press ctrl+s
    [ "$(polygons_saved)" = 1 ] || fail "Ctrl+Z did not bring the house back"
    zoom=$(wine "$cli" info "$drawing" | tr -d '\r' | sed -n 's/^zoom: //p')
    [ "$zoom" = "x 2" ] || fail "Ctrl+Z changed the zoom to $zoom"
    save_and_quit
    ;;
structures_window_keys)
    # F4 opens the Structures window; a click on the house's row lights the house up in orange on the
    # canvas, and Ctrl+C in the list (the main window's Ctrl+C copies a picture) puts the row on the
    # clipboard under its heading line, the same cells as zelvora-cli assess prints.
    start_program
    press F4
    structures=$(find_window Structures 20) || fail "F4 opened no Structures window"
    sleep 3
    eval "$(xdotool getwindowgeometry --shell "$structures")"
    xdotool mousemove $((X + 60)) $((Y + 64)); sleep 0.3; xdotool click 1; sleep 1.5
    orange=$(import -window root -depth 8 txt:- | grep -c "#FFAA28")
    [ "$orange" -gt 100 ] || fail "the selected house is not highlighted ($orange orange pixels)"
    press ctrl+c
    clip=$(xclip -selection clipboard -o | tr -d '\r')
    heading=$(printf 'No.\tName\tHeight [m]\tAd [m²]\tAm [m²]\tCD\tND [1/year]\tNM [1/year]\tNL [1/year]\tNI [1/year]\tNDJ [1/year]')
    [ "$(echo "$clip" | head -n 1)" = "$heading" ] || fail "the clipboard has no heading line: $clip"
    row=$(echo "$clip" | sed -n 2p | tr '\t' ' ' | xargs)
    expected=$(wine "$cli" assess "$drawing" | tr -d '\r' | sed -n 2p | xargs)
    [ -n "$row" ] && [ "$row" = "$expected" ] || fail "the clipboard row '$row' is not assess's '$expected'"
    xclip -selection clipboard -t TARGETS -o | grep -qx Csv || fail "no CSV on the clipboard"
    kill "$program_pid"  # nothing was changed
    ;;
assessment_with_keys)
    # Data > Assessment... from the keyboard; Tab leaves the edition's buttons for NG, Enter is OK.
    # The value typed is in the saved file, as zelvora-cli reads it.
    start_program
    press alt+d; press a
    find_window Assessment 10 >/dev/null || fail "Alt+D, A did not open the Assessment dialog"
    press Tab
    xdotool type --delay 20 "4.5"; sleep 0.3
    press Return
    wait_gone Assessment || fail "Enter did not press OK in the Assessment dialog"
    no_warning "after NG 4.5"
    save_and_quit
    json=$(wine "$cli" assess "$drawing" --json | tr -d '\r')
    case $json in *'"ng":4.5,'*) ;; *) fail "NG typed was not saved: $json" ;; esac
    ;;
fits_the_screen_at_192_dpi)
    # At 192 DPI the window would be 1700 x 1200 pixels; on a 1400 x 1000 screen it must shrink to the
    # work area and lie inside it, its menu bar on the screen: a click on File opens the menu, and Q
    # there quits (the drawing is unchanged, so nothing is asked).
    own_screen 1400x1000 192
    start_program
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1400 ] && [ $((Y + HEIGHT)) -le 1000 ] ||
        fail "the window at ($X, $Y), $WIDTH x $HEIGHT, leaves the 1400 x 1000 screen"
    xdotool mousemove $((X + 30)) $(((Y + top) / 2)); sleep 0.3
    xdotool click 1; sleep 1
    press q
    program_ends || fail "a click on File did not open its menu"
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 64
    ;;
esac
echo "ok: $case_name"
