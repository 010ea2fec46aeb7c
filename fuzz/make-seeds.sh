#!/usr/bin/env bash
# Gathers the seed corpora of the fuzz targets into CORPUS/seeds/<target>/, from what is at hand when
# it runs: the demo titles (made from examples/demo by zdbuild), the demo descriptions, event
# scripts and script files of the tree, the messages files, database folders made by zdbuild
# from fuzz/seeds-src/databases, and the shared test data next to the repository when it is
# there. Nothing is written inside the source tree.
#
#   [ZD_TESTDATA_DIR=...] fuzz/make-seeds.sh SOURCE_DIR FUZZ_BUILD_DIR CORPUS_DIR [PLAIN_BUILD_DIR]
set -euo pipefail

src=$(cd "$1" && pwd)
fuzz_build=$2
corpus=$3
plain_build=${4:-$src/build}
# The shared test data: ZD_TESTDATA_DIR, or beside the repository (or beside its worktrees).
testdata=${ZD_TESTDATA_DIR:-$src/../shared/testdata}
[ -d "$testdata" ] || testdata=$src/../../shared/testdata

for target in authorfile tcs sprite draw styled_text script messages event_script description movie_header movie_reference \
    database filters status toolbox; do
  mkdir -p "$corpus/seeds/fuzz_$target"
done

# A seed's name is its content's hash, so gathering twice adds nothing.
seed() {  # seed TARGET FILE
  local sum
  sum=$(sha1sum "$2" | cut -c1-16)
  cp "$2" "$corpus/seeds/fuzz_$1/$sum"
}
seed_text() {  # seed_text TARGET TEXT
  local tmp
  tmp=$(mktemp)
  printf '%s' "$2" > "$tmp"
  seed "$1" "$tmp"
  rm -f "$tmp"
}
starts_with() {  # starts_with FILE MAGIC
  [ "$(head -c ${#2} "$1" 2>/dev/null | tr -d '\0')" = "$2" ]
}

# The demo titles: the plain build's when it has made them, otherwise made here with the fuzz
# build's zdbuild.
titles=$plain_build/demo
if [ ! -f "$titles/_meadow/authorfi" ]; then
  titles=$fuzz_build/seed-titles
  if [ ! -f "$titles/_meadow/authorfi" ] && [ -x "$fuzz_build/zdbuild" ]; then
    rm -rf "$titles"
    "$fuzz_build/zdbuild" "$src/examples/demo/title.json" "$titles/_meadow" >/dev/null
    "$fuzz_build/zdbuild" "$src/examples/demo/pond.json" "$titles/!pond" >/dev/null
  fi
fi
if [ -d "$titles" ]; then
  while IFS= read -r -d '' file; do
    name=$(basename "$file")
    if [ "$name" = authorfi ]; then
      seed authorfile "$file"
    elif starts_with "$file" 3TCS; then
      seed tcs "$file"
    elif starts_with "$file" Draw; then
      seed draw "$file"
    elif [ "$(stat -c %s "$file")" -le 65536 ]; then
      seed sprite "$file"   # the other resources of the demo are sprite files
    fi
  done < <(find "$titles" -type f -print0)
fi

# Descriptions, and the texts and scripts their objects carry.
for json in "$src"/examples/demo/*.json; do
  seed description "$json"
done
if command -v python3 >/dev/null 2>&1; then
  while IFS= read -r -d '' text; do
    seed_text styled_text "$text"
    seed_text script "$text"
  done < <(python3 - "$src"/examples/demo/*.json <<'PY'
import json, sys
def walk(node):
    if isinstance(node, dict):
        if isinstance(node.get("text"), str):
            yield node["text"]
        for value in node.values():
            yield from walk(value)
    elif isinstance(node, list):
        for value in node:
            yield from walk(value)
for path in sys.argv[1:]:
    with open(path, encoding="utf-8") as f:
        for text in walk(json.load(f)):
            sys.stdout.write(text + "\0")
PY
)
fi
for script in "$src"/tests/scripts/*.zds; do
  [ -f "$script" ] && seed script "$script"
done
for lines in "$src"/fuzz/seeds-src/filters/*; do
  [ -f "$lines" ] && seed filters "$lines"
done
for file in "$src"/fuzz/seeds-src/status/*; do
  [ -f "$file" ] && seed status "$file"
done
# Toolbox sets (a good one, one with an entry of length 0) and a toolbox icon file.
for file in "$src"/fuzz/seeds-src/toolbox/*; do
  seed toolbox "$file"
done

# Settings files holding a browser choice, and a browser's desktop entry.
mkdir -p "$corpus/seeds/fuzz_browser_settings"
for file in "$src"/fuzz/seeds-src/browser_settings/*; do
  seed browser_settings "$file"
done

# Install lists and the icons their titles' CDs carry.
mkdir -p "$corpus/seeds/fuzz_install_list" "$corpus/seeds/fuzz_icon"
for file in "$src"/fuzz/seeds-src/install_list/*; do
  case "$file" in
    *.ico) seed icon "$file" ;;
    *) seed install_list "$file" ;;
  esac
done
[ -f "$src/examples/demo/PC/PCINST" ] && seed install_list "$src/examples/demo/PC/PCINST"

# Event scripts.
while IFS= read -r -d '' events; do
  seed event_script "$events"
done < <(find "$src/examples" "$src/tests" -name '*.events' -print0)

# Messages files, each with a key it holds and one it does not.
for messages in "$src"/runtime/resources/messages/*.txt; do
  for key in "$(head -c 200 "$messages" | grep -o '^[^:]*' | head -n 1)" nosuchkey; do
    tmp=$(mktemp)
    { printf '%s\n' "$key"; cat "$messages"; } > "$tmp"
    seed messages "$tmp"
    rm -f "$tmp"
  done
done

# Movie references as titles write them: a name, a "qtime" folder after a colon, DOS line ends,
# a path before the last dot, and names that try to leave the title.
for text in $'intro\n' $'intro: 2\r\n' $'c:\\titles\\clip.intro\n' 'intro' \
    $'..\\..\\x\n' $'x: \\..\\..\\etc\n' $'a\nb\nc'; do
  seed_text movie_reference "$text"
done

# Database folders made by zdbuild, packed as fuzz_database takes them: six 32-bit
# little-endian lengths (DESCRIBE, DATA, EXPLAIN, TOKEN, FREETEXT, GRAPHICS; the top bit set
# for a file the folder lacks), then the files' bytes in the same order.
le32() {  # le32 NUMBER: its four bytes, least significant first
  local v=$1 i
  for i in 0 8 16 24; do printf "\\x$(printf %02x $(((v >> i) & 255)))"; done
}
pack_database() {  # pack_database FOLDER OUT
  local name
  {
    for name in DESCRIBE DATA EXPLAIN TOKEN FREETEXT GRAPHICS; do
      if [ -f "$1/$name" ]; then le32 "$(stat -c %s "$1/$name")"; else le32 $((0x80000000)); fi
    done
    for name in DESCRIBE DATA EXPLAIN TOKEN FREETEXT GRAPHICS; do
      if [ -f "$1/$name" ]; then cat "$1/$name"; fi
    done
  } > "$2"
}
# The fuzz build's zdbuild, else the plain build's (the first that writes the folder).
make_database() {  # make_database DESCRIPTION FOLDER
  local tool
  for tool in "$fuzz_build/zdbuild" "$plain_build/zdbuild"; do
    [ -x "$tool" ] && "$tool" --database "$1" "$2" >/dev/null 2>&1 && return 0
  done
  return 1
}
if [ -x "$fuzz_build/zdbuild" ] || [ -x "$plain_build/zdbuild" ]; then
  made=$(mktemp -d)
  # Besides the descriptions: 240 records of 200 bytes, so that reading them refills the
  # 20,480-byte record window three times and the last fill ends at the last record.
  {
    printf '{"title": "Window", "fields": [{"name": "Name", "type": "text", "width": 188},'
    printf ' {"name": "N", "type": "integer"}, {"name": "At", "type": "coordinates"},'
    printf ' {"name": "R", "type": "real"}], "records": ['
    for i in $(seq 0 239); do
      [ "$i" -gt 0 ] && printf ','
      printf '["record %d", %d, [%d, %d], %d.5]' "$i" "$((i * 7))" "$i" "$((-i))" "$i"
    done
    printf ']}'
  } > "$made/window.json"
  for json in "$src"/fuzz/seeds-src/databases/*.json "$made/window.json"; do
    name=$(basename "$json" .json)
    if make_database "$json" "$made/$name"; then
      pack_database "$made/$name" "$made/$name.seed"
      seed database "$made/$name.seed"
    fi
  done
  rm -rf "$made"
fi

# The shared test data, when it is beside the repository.
if [ -d "$testdata/riscos" ]; then
  for file in "$testdata"/riscos/sprites/*; do [ -f "$file" ] && seed sprite "$file"; done
  for file in "$testdata"/riscos/draw/*; do [ -f "$file" ] && seed draw "$file"; done
fi
if [ -d "$testdata/media" ]; then
  for file in "$testdata"/media/*.mov; do [ -f "$file" ] && seed movie_header "$file"; done
fi

# Media files: every file of the shared media folder, and small movies and sounds in the codecs
# of the period made with the ffmpeg tool when it is installed (a fraction of a second each,
# well under the fuzzers' 64 KB).
mkdir -p "$corpus/seeds/fuzz_media_open"
if [ -d "$testdata/media" ]; then
  for file in "$testdata"/media/*; do
    case "$file" in *.md) ;; *) [ -f "$file" ] && seed media_open "$file" ;; esac
  done
fi
if command -v ffmpeg >/dev/null 2>&1; then
  made=$(mktemp -d)
  picture=(-f lavfi -i testsrc=s=32x24:r=10:d=0.5)
  sound=(-f lavfi -i sine=f=440:r=11025:d=0.5)
  make_media() {  # make_media NAME ARGUMENTS...
    local name=$1
    shift
    ffmpeg -y -nostdin -loglevel error "$@" "$made/$name" && seed media_open "$made/$name"
  }
  make_media cinepak-ima4.mov "${picture[@]}" "${sound[@]}" -c:v cinepak -c:a adpcm_ima_qt
  make_media rle-pcm.mov "${picture[@]}" "${sound[@]}" -c:v qtrle -c:a pcm_s16be
  # FFmpeg 5.1's own Apple Video encoder aborts at some sizes (32 x 24, 160 x 120), not at this.
  make_media rpza.mov -f lavfi -i testsrc=s=64x48:r=10:d=0.5 -c:v rpza -pix_fmt rgb555be
  make_media svq1.mov "${picture[@]}" -c:v svq1
  make_media msvideo1.avi "${picture[@]}" "${sound[@]}" -c:v msvideo1 -c:a pcm_u8
  make_media tone.wav "${sound[@]}" -c:a adpcm_ms
  make_media tone.aif "${sound[@]}"
  make_media tone.au "${sound[@]}"
  rm -rf "$made"
fi

# Script texts run both ways: every script seed, and the texts that once read differently.
mkdir -p "$corpus/seeds/fuzz_script_reading"
cp "$corpus"/seeds/fuzz_script/* "$corpus/seeds/fuzz_script_reading/" 2>/dev/null || true
for script in "$src"/tests/script/regressions/*; do
  [ -f "$script" ] && seed script_reading "$script"
done

# Dictionaries: the words a target's input is made of, which random mutation seldom spells.
mkdir -p "$corpus/dicts"
grep -ohE 'add\("[a-z_0-9]+"' "$src"/runtime/script/script_commands.cpp |
  sed -E 's/add\("([^"]+)"/"\1 "/' | sort -u > "$corpus/dicts/fuzz_script.dict"
printf '"%s"\n' '%' '$' '(' ')' ',' '==' '!=' '>=' '<=' 'bit' '!bit' 'if ' 'else' 'endif' \
  'handler ' 'endhandler' >> "$corpus/dicts/fuzz_script.dict"
cp "$corpus/dicts/fuzz_script.dict" "$corpus/dicts/fuzz_script_reading.dict"
grep -ohE '"[A-Za-z_]+":' "$src"/examples/demo/*.json | sort -u |
  sed -E 's/"([^"]+)":/"\\"\1\\":"/' > "$corpus/dicts/fuzz_description.dict"

for dir in "$corpus"/seeds/fuzz_*; do
  echo "seeds: $(basename "$dir"): $(find "$dir" -type f | wc -l)"
done
