#!/usr/bin/env bash
# Makes the meadow demo's movie, animation and sound clip with the ffmpeg tool, from the demo's
# own pictures (examples/demo/pictures/), into the built title directory OUTDIR:
#
#   OUTDIR/movies/qtime/meadow.mov  a Cinepak QuickTime movie, 320 x 240, 5 s at 10 frames a
#                                   second: a pan across four of the pictures, a day in the
#                                   meadow from the house to the sunset, over four soft chords
#                                   (16-bit PCM)
#   OUTDIR/tween/qtime/bee.mov      a QuickTime Animation (RLE) movie, 240 x 96, 2 s at 15
#                                   frames a second: the bee flying across the sky, made to loop
#   OUTDIR/movies/qtime/tune.wav    a WAV clip, 4.2 s: a little tune of sine tones
#
# Everything comes from the pictures and from sine formulas, and the files are written
# bit-exact, so two runs give the same bytes. Without ffmpeg the note below is printed and
# nothing is made: the demo's movie pages then ask for the movies they cannot find.
#
# Usage: scripts/make-demo-media.sh OUTDIR        (the build runs it on build/demo/_meadow)
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
out="$1"

if ! command -v ffmpeg >/dev/null 2>&1; then
  echo "make-demo-media: no ffmpeg here, so the demo has no movie, animation or sound clip" \
       "(scripts/install-deps.sh installs it)."
  exit 0
fi
pictures="$(cd "$(dirname "$0")/../examples/demo/pictures" && pwd)"

mkdir -p "$out/movies/qtime" "$out/tween/qtime"
# Each file is written beside its final name and renamed when complete, so that an interrupted
# build never leaves half a movie behind.
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
exact=(-fflags +bitexact -flags:v +bitexact -flags:a +bitexact -map_metadata -1)

# --- The movie: a pan across four pictures, 1.25 s each, below their title bands and words. ---
# Each window is a 4 : 3 part of a 640 x 480 picture that slides as the seconds go by; it is
# scaled to 320 x 240.
fps=10
scene=1.25
pan() {  # INPUT W H X0 Y0 DX DY: a W x H window from (X0, Y0) moving DX, DY over the scene
  local i=$1 w=$2 h=$3 x0=$4 y0=$5 dx=$6 dy=$7
  printf "[%s]crop=%s:%s:'%s+%s*t/%s':'%s+%s*t/%s',scale=320:240:flags=bicubic,setsar=1[v%s];" \
    "$i" "$w" "$h" "$x0" "$dx" "$scene" "$y0" "$dy" "$scene" "$i"
}
video="$(pan 0 480 360 0 100 160 0)$(pan 1 400 300 0 90 240 0)$(pan 2 480 360 160 100 -160 0)"
video+="$(pan 3 264 198 100 200 176 0)"
video+="[v0][v1][v2][v3]concat=n=4:v=1:a=0,format=rgb24[v]"
# Four chords, one a scene (C, F, G, C major), each swelling and fading so that they join softly.
chord() {  # the sum of three sines, SEMITONES above middle C
  local sum="" s
  for s in "$@"; do sum+="+sin(2*PI*261.63*pow(2,$s/12)*t)"; done
  echo "(${sum#+})"
}
notes="if(lt(t,1.25),$(chord 0 4 7),if(lt(t,2.5),$(chord 5 9 12),if(lt(t,3.75),$(chord 7 11 14),$(chord 0 4 12))))"
sound="0.09*(0.5-0.5*cos(2*PI*mod(t,$scene)/$scene))*$notes"
ff -loop 1 -framerate "$fps" -t "$scene" -i "$pictures/arrival.png" \
   -loop 1 -framerate "$fps" -t "$scene" -i "$pictures/flowers.png" \
   -loop 1 -framerate "$fps" -t "$scene" -i "$pictures/pond.png" \
   -loop 1 -framerate "$fps" -t "$scene" -i "$pictures/goodbye.png" \
   -f lavfi -i "aevalsrc=exprs='$sound':s=22050:d=5" \
   -filter_complex "$video" -map "[v]" -map 4:a \
   -c:v cinepak -max_extra_cb_iterations 0 -min_strips 3 -max_strips 3 \
   -c:a pcm_s16be -ac 1 "${exact[@]}" -f mov "$out/movies/qtime/meadow.mov.part"
mv "$out/movies/qtime/meadow.mov.part" "$out/movies/qtime/meadow.mov"

# --- The animation: the bee crossing a strip of sky over the grass, bobbing as it flies. -------
# It leaves on the right as it comes in on the left, so the loop has no seam.
ff -f lavfi -i "color=c=0x77BBFF:s=240x96:r=15:d=2" -i "$pictures/bee.png" \
   -filter_complex "[0]drawbox=x=0:y=78:w=240:h=18:color=0x88CC44:t=fill,drawbox=x=0:y=88:w=240:h=8:color=0x66AA22:t=fill[sky];[sky][1]overlay=x='-64+304*t/2':y='14+10*sin(2*PI*t)':format=rgb,format=rgb24[v]" \
   -map "[v]" -c:v qtrle "${exact[@]}" -f mov "$out/tween/qtime/bee.mov.part"
mv "$out/tween/qtime/bee.mov.part" "$out/tween/qtime/bee.mov"

# --- The clip: a little tune, one note every 0.3 s and the last held, each note a sine with its
# octave, struck and dying away to nothing before the next. -------------------------------------
melody=(7 4 4 5 2 2 0 2 4 5 7 7 7)  # semitones above middle C
pitch="${melody[12]}"
for ((n = 11; n >= 0; n--)); do pitch="if(lt(t,$((3 * (n + 1)))/10),${melody[n]},$pitch)"; done
# The time into the note and the note's length (the last one lasts 0.6 s).
into="if(lt(t,3.6),mod(t,0.3),t-3.6)"
length="if(lt(t,3.6),0.3,0.6)"
tone="0.35*min(1,$into/0.01)*exp(-3*$into)*(1-$into/$length)"
tone+="*(sin(2*PI*523.25*pow(2,$pitch/12)*t)+0.3*sin(4*PI*523.25*pow(2,$pitch/12)*t))"
ff -f lavfi -i "aevalsrc=exprs='$tone':s=22050:d=4.2" \
   -c:a pcm_s16le -ac 1 "${exact[@]}" -f wav "$out/movies/qtime/tune.wav.part"
mv "$out/movies/qtime/tune.wav.part" "$out/movies/qtime/tune.wav"

echo "make-demo-media: made the movie, the animation and the tune in $out"
