#!/usr/bin/env bash
# A player that waits must sleep: opens the splash in a real window on a virtual X server (with
# the software renderer, where every frame costs the processor), then the popup menu, the open
# file dialog and the close question, and measures the processor time zd32 takes while each of
# them waits with nothing changing. Fails above 5% of one core (ZD_IDLE_LIMIT) in any of them.
set -u
player="$1"
limit="${ZD_IDLE_LIMIT:-5}"
source "$(dirname "${BASH_SOURCE[0]}")/gui_common.sh"
# Each wait is a quiet stretch; the sampling below starts a second into it and lasts three.
cat > "$work/events" <<EVENTS
wait 5000
rclick 100 100
wait 5000
menu -
command 101
wait 5000
file -
quit
wait 5000
answer no
wait 100
quit
answer yes
EVENTS
SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy \
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
  timeout 90 xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$player" --events "$work/events" --trace=window,dialog,message 2> "$work/trace" &
runner=$!

player_pid=""
for _ in $(seq 200); do
  player_pid=$(pgrep -n -x "$(basename "$player")" -P "$(pgrep -d, -P "$runner")" 2>/dev/null)
  [ -n "$player_pid" ] && break
  sleep 0.05
done
[ -n "$player_pid" ] || { wait "$runner"; cat "$work/trace"; echo "zd32 did not start"; exit 1; }

cpu_ns() {  # processor time of all the player's threads so far, in nanoseconds
  cat /proc/"$player_pid"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%.0f", sum }'
}
wait_for_line() {  # waits until the trace has a line starting with $1
  for _ in $(seq 400); do
    grep -q "^$1" "$work/trace" && return 0
    kill -0 "$runner" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}
failed=0
measure() {  # $1: what waits, $2: the trace line that says it is up
  if ! wait_for_line "$2"; then
    echo "$1: never came up"; failed=1; return
  fi
  sleep 1
  local before after started ended
  before=$(cpu_ns); started=$(date +%s.%N)
  sleep 3
  after=$(cpu_ns); ended=$(date +%s.%N)
  local percent
  percent=$(awk -v t="$((after - before))" -v a="$started" -v b="$ended" \
    'BEGIN { printf "%.2f", 100 * t / 1e9 / (b - a) }')
  echo "$1: $percent% of a core"
  awk -v p="$percent" -v l="$limit" 'BEGIN { exit !(p > l) }' && failed=1
}
measure "splash" "window open"
measure "popup menu" "dialog popup-menu"
measure "open file dialog" "dialog open-file"
measure "close question" "message"
wait "$runner"
status=$?
[ "$status" -eq 0 ] || { cat "$work/trace"; echo "zd32 exited with $status"; exit 1; }
[ "$failed" -eq 0 ] || { echo "the player works while it should wait (limit $limit%)"; exit 1; }
echo "the player sleeps while it waits"
