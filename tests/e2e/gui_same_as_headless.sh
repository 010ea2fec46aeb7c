#!/usr/bin/env bash
# Plays one event script through dialogs, menus and the quit question twice, headless and in a
# real window on a virtual X server: the runtime must see the same things either way, so the
# two traces must agree line for line (but for the line naming the window backend).
set -u
player="$1"
source "$(dirname "${BASH_SOURCE[0]}")/gui_common.sh"
cat > "$work/events" <<'EVENTS'
wait 200
rclick 100 100
wait 300
menu 117
command 101
wait 300
file /no/such/authorfi
answer ok
wait 100
file -
key Ctrl+O
file -
quit
wait 200
answer no
wait 100
quit
answer yes
EVENTS
"$player" --headless --events "$work/events" --trace 2> "$work/headless" \
  || { cat "$work/headless"; echo "the headless run failed"; exit 1; }
# The window's system libraries (D-Bus under SDL) keep memory to the end of the process, which
# a leak-checking build would report as the player's; memory errors are still checked.
SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
  timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$player" --events "$work/events" --trace 2> "$work/window"
status=$?
[ "$status" -eq 0 ] || { cat "$work/window"; echo "zd32 in a window exited with $status"; exit 1; }
grep -q "^window backend sdl" "$work/window" || { cat "$work/window"; echo "the SDL backend did not run"; exit 1; }
grep -v "^window backend sdl" "$work/window" > "$work/window.same"
grep -q "^dialog popup-menu" "$work/headless" || { echo "the script showed no popup menu"; exit 1; }
diff -u "$work/headless" "$work/window.same" || { echo "the traces differ"; exit 1; }
echo "the window and the headless run traced the same"
