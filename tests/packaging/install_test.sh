#!/usr/bin/env bash
# make install, checked: installs the build tree below a temporary DESTDIR (a folder with a
# blank in its name), then checks that every file is where it belongs and nowhere else, that the
# desktop entry, the AppStream metadata and the manual pages are valid, that each manual page
# names every option its program's --help lists, and that the installed player finds its
# messages files and toolbox icon in share/zendral when there are none beside it.
# Usage: install_test.sh BUILD_DIR. Exit status 77 (skipped) when a checking tool is missing.
set -uo pipefail

build=${1:?usage: install_test.sh BUILD_DIR}
for tool in cmake desktop-file-validate appstreamcli groff cmp od; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dest="$work/dest dir"
prefix=/usr/local
root="$dest$prefix"
app=org.zendral.Player
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! DESTDIR="$dest" cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install failed"
  exit 1
fi

# Every file where it belongs.
expected=(
  bin/zd32 bin/zdinst32 bin/zdbuild bin/zdinfo
  share/zendral/MESSAGES.TXT share/zendral/MESSAGES.EN.TXT share/zendral/TOOLICON.PNT
  "share/applications/$app.desktop" "share/metainfo/$app.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$app.svg"
  share/man/man1/zd32.1 share/man/man1/zdinst32.1 share/man/man1/zdbuild.1 share/man/man1/zdinfo.1
)
for file in "${expected[@]}"; do
  [ -f "$root/$file" ] || fail "$file is not installed"
done
for program in zd32 zdinst32 zdbuild zdinfo; do
  [ -x "$root/bin/$program" ] || fail "bin/$program is not executable"
done
# Nothing else, and nothing outside the prefix.
(cd "$root" && find . -type f | sed 's|^\./||' | sort) >"$work/installed.txt"
printf '%s\n' "${expected[@]}" | sort >"$work/expected.txt"
if ! diff -u "$work/expected.txt" "$work/installed.txt"; then
  fail "the installed files differ from the list above"
fi
outside=$(find "$dest" -mindepth 1 -not -path "$root" -not -path "$root/*" -type f)
[ -z "$outside" ] || fail "files outside the prefix: $outside"
cmp -s "$build/MESSAGES.TXT" "$root/share/zendral/MESSAGES.TXT" ||
  fail "the installed MESSAGES.TXT is not the build's"
cmp -s "$build/MESSAGES.EN.TXT" "$root/share/zendral/MESSAGES.EN.TXT" ||
  fail "the installed MESSAGES.EN.TXT is not the build's"

# The desktop entry and the AppStream metadata, valid and pointing at each other.
desktop="$root/share/applications/$app.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $app.desktop"
grep -qx 'Exec=zd32 %f' "$desktop" || fail "the desktop entry does not start zd32 %f"
grep -qx "Icon=$app" "$desktop" || fail "the desktop entry's icon is not the installed $app"
grep -qx 'Name=Zendral player' "$desktop" || fail "the desktop entry has no English name"
grep -q '^Name\[el\]=.' "$desktop" || fail "the desktop entry has no Greek name"
grep -q '^Comment\[el\]=.' "$desktop" || fail "the desktop entry has no Greek comment"
metainfo="$root/share/metainfo/$app.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $app.metainfo.xml"
grep -q "<id>$app</id>" "$metainfo" || fail "the metainfo's id is not $app"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $app.desktop"
grep -q '<release version="0.1.0"' "$metainfo" || fail "the metainfo has no 0.1.0 release"

# The manual pages: no warnings, and every option of --help described.
for program in zd32 zdinst32 zdbuild zdinfo; do
  page="$root/share/man/man1/$program.1"
  warnings=$(groff -man -ww -z "$page" 2>&1)
  [ -z "$warnings" ] || fail "$program.1 has warnings: $warnings"
  grep -q "^$program \\\\- " "$page" || fail "$program.1 does not name $program"
  if help=$(LANGUAGE= LC_ALL= LC_MESSAGES= LANG= "$root/bin/$program" --help --lang en 2>/dev/null) ||
     help=$("$root/bin/$program" --help 2>/dev/null); then
    text=$(sed 's/\\-/-/g' "$page")
    for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
      grep -q -- "$option" <<<"$text" || fail "$program.1 does not describe $option"
    done
  else
    echo "note: $program --help does not answer yet; its options were not compared"
  fi
done

# The installed player, with no messages beside it, takes them from share/zendral: a script
# with an unknown command gets the keyed message's text from the messages file, in the
# language asked for.
cd "$work" || exit 1
printf 'nosuchcommand 1\n' >"$work/unknown.zds"
run_script() {
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG \
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    "$root/bin/zd32" --run-script "$work/unknown.zds" "$@" 2>&1
}
english=$(run_script --lang en)
grep -q 'message scerr2: .*Unknown command nosuchcommand' <<<"$english" ||
  fail "the installed zd32 (English) did not find MESSAGES.EN.TXT: $english"
greek=$(run_script)
grep -q 'Άγνωστη εντολή nosuchcommand' <<<"$greek" ||
  fail "the installed zd32 (Greek) did not find MESSAGES.TXT: $greek"
# Without the data folder the same run has only the message's key: the texts above came from
# share/zendral and from nowhere else.
mv "$root/share/zendral" "$root/share/zendral-aside"
bare=$(run_script --lang en)
grep -q 'Unknown command' <<<"$bare" && fail "zd32 found messages without share/zendral: $bare"
mv "$root/share/zendral-aside" "$root/share/zendral"

# The installed TOOLICON.PNT is a sprite file the player draws: the installed zdinfo converts
# its sprite to a 32x32 PNG.
if "$root/bin/zdinfo" --sprite "$root/share/zendral/TOOLICON.PNT" --png "$work/icon.png" >/dev/null; then
  size=$(od -An -tu1 -j16 -N8 "$work/icon.png" | tr -s ' ' | sed 's/^ //')
  [ "$size" = "0 0 0 32 0 0 0 32" ] || fail "TOOLICON.PNT's sprite is not 32x32 ($size)"
else
  fail "zdinfo cannot draw the installed TOOLICON.PNT"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "make install: all checks passed"
