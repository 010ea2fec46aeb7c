#!/usr/bin/env bash
# Opens the player in a real window on a virtual X server, takes a screenshot through the
# window's own picture, and closes it from the event script.
set -u
player="$1"
source "$(dirname "${BASH_SOURCE[0]}")/gui_common.sh"
cat > "$work/events" <<EVENTS
wait 300
screenshot $work/window.png
answer yes
quit
EVENTS
# The window's system libraries (D-Bus under SDL) keep memory to the end of the process, which
# a leak-checking build would report as the player's; memory errors are still checked.
SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
  timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$player" --events "$work/events" --trace=window 2> "$work/trace"
status=$?
cat "$work/trace"
[ "$status" -eq 0 ] || { echo "zd32 exited with $status"; exit 1; }
grep -q "^window open popup" "$work/trace" || { echo "no window was opened"; exit 1; }
grep -q "^window backend sdl driver x11" "$work/trace" || { echo "no real X11 window was opened"; exit 1; }
[ -s "$work/window.png" ] || { echo "no screenshot"; exit 1; }
echo "a real window opened and closed"
