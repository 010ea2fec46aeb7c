#!/usr/bin/env bash
# The keyboard in the real window's menus and dialogs, on a virtual X server: the arrow keys and
# Return choose from the popup menu (a scaling mode, which the window then uses), Escape closes
# it, F10 opens the File menu, and the file browser goes into a folder and picks a title with
# Down and Return; Escape answers the close question No.
set -u
player=$(realpath "$1")
zdbuild=$(realpath "$2")
source "$(dirname "${BASH_SOURCE[0]}")/gui_common.sh"

# The file browser opens in the folder the player starts in: there it lists "..", then "moss".
mkdir -p "$work/root"
echo '{"pages": [{"name": "Home", "background": "#203048"}],
       "sections": [{"name": "Home", "page": "Home"}]}' > "$work/title.json"
"$zdbuild" "$work/title.json" "$work/root/moss" || { echo "zdbuild failed"; exit 1; }

# The popup menu's entries that can be chosen: 119, 113, 114, 116, 117, 120, 121, 122, 118;
# the eighth is "stretch". A key may come before the menu has drawn itself (the second Escape).
cat > "$work/events" <<EVENTS
wait 300
rclick 100 100
wait 300
key Down
key Down
key Down
key Down
key Down
key Down
key Down
key Down
key Return
wait 200
rclick 100 100
key Escape
wait 200
key F10
wait 200
key Return
wait 300
key Down
key Down
key Return
wait 200
key Down
key Down
key Return
wait 300
quit
key Escape
wait 100
quit
answer yes
EVENTS
# The window's system libraries (D-Bus under SDL) keep memory to the end of the process, which
# a leak-checking build would report as the player's; memory errors are still checked.
(cd "$work/root" && SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
  timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$player" --events "$work/events" --trace 2> "$work/trace")
status=$?
cat "$work/trace"
[ "$status" -eq 0 ] || { echo "zd32 exited with $status"; exit 1; }
grep -q "^window backend sdl driver x11" "$work/trace" || { echo "no real X11 window was opened"; exit 1; }
expect_line() {
  grep -qxF -- "$1" "$work/trace" || { echo "missing from the trace: $1 ($2)"; exit 1; }
}
expect_line "menu 122" "Down eight times and Return in the popup menu"
expect_line "window scaling stretch" "the chosen scaling mode"
expect_line "menu none" "Escape in the popup menu"
expect_line "dialog open-file [Αρχείο τίτλου (*.*)]" "F10 and Return"
expect_line "file $work/root/moss/authorfi" "Down and Return in the file browser"
expect_line "answer no" "Escape to the close question"
echo "menus and dialogs answered the keyboard"
