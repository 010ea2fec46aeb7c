# Sourced by the real-window tests: skips without a virtual X server, makes a work folder that
# goes with the test ($work), and gives the player settings and saves folders of the test alone
# (ctest names them), empty at the start; never the user's own.
command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case "${XDG_CONFIG_HOME:-}" in */test-xdg/*) ;; *) XDG_CONFIG_HOME="$work/config" ;; esac
case "${XDG_DATA_HOME:-}" in */test-xdg/*) ;; *) XDG_DATA_HOME="$work/data" ;; esac
export XDG_CONFIG_HOME XDG_DATA_HOME
rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
