#!/usr/bin/env bash
# Plays the demo in a window when there is a display, otherwise runs its scripted tour headless
# and keeps the screenshots. The demo is two titles side by side: the meadow (build/demo/_meadow,
# where it starts) and the pond (build/demo/!pond), which the meadow links to.
set -euo pipefail
build="$(realpath "${1:-build}")"
player="$build/zd32"
tour="$(realpath examples/demo/tour.events)"
title_args=()
if [ -d "$build/demo/_meadow" ]; then title_args=("$build/demo/_meadow"); fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$player" "${title_args[@]}"
fi

shots="$build/demo-shots"
rm -rf "$shots"
mkdir -p "$shots"
echo "No display here: playing the demo's scripted tour headless."
# The tour quits nowhere and saves on its Saves page: it must find no learner's place of an earlier
# run (a resume offer would change its way), so it gets a saves folder of its own. The window
# above keeps the user's, so that the meadow remembers where the learner was.
saves="$(mktemp -d)"
trap 'rm -rf "$saves"' EXIT
# Its web link asks which browser to use and is answered Cancel: it must see none of this
# machine's browsers nor a choice made before, so the desktop's folders and the settings are its
# own too.
# The tour names its screenshots without a folder: they land where the player runs.
(cd "$shots" && XDG_DATA_HOME="$saves" XDG_CONFIG_HOME="$saves/config" \
  XDG_DATA_DIRS="$saves/none" XDG_CONFIG_DIRS="$saves/none" BROWSER= "$player" --headless --screen 1024x768 --events "$tour" \
  --trace=page,message,dialog,window,file "${title_args[@]}")
echo "Screenshots of the tour are in $shots/:"
ls -1 "$shots"
