#!/usr/bin/env bash
# The committed icon and menu picture are exactly what the generator makes of
# their text sources, with the sizes and colour depths the program loads; and
# a faulty source stops the generator with a message naming file and line.
#   artwork_test.sh <tarivox-artgen> <res/art dir>
set -uo pipefail
generator="$1"
art="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect() {  # expect <what> <actual> <expected>
  [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"
}

mkdir "$work/made"
"$generator" "$art" "$work/made" >/dev/null || fail "the generator refuses the committed sources"
for picture in tarivox.ico menu_logo.bmp; do
  cmp "$art/$picture" "$work/made/$picture" ||
    fail "$picture is not what its sources make: build the 'artwork' target and commit both"
done

# The icon: two 32 x 32 images, 16 and 256 colours, no 16 x 16 one. The
# system chooses among them by the directory (width, height, colour count
# with 0 for 256, bits per pixel) and draws each by its own header.
icon="$art/tarivox.ico"
expect "icon images" "$(identify -format '%m %wx%h %z-bit\n' "$icon" 2>&1)" \
  $'ICO 32x32 4-bit\nICO 32x32 8-bit'
expect "icon directory" "$(od -An -v -tu1 -w16 -j6 -N32 "$icon" | awk '{print $1, $2, $3, $7}')" \
  $'32 32 16 4\n32 32 0 8'
expect "menu picture" "$(identify -format '%m %wx%h %z-bit %C\n' "$art/menu_logo.bmp" 2>&1)" \
  'BMP3 136x32 4-bit None'

# Mistakes a person editing the sources makes, one row each: the source, the
# sed edit that breaks it, and the message naming the line the edit changed
# (found by cmp; for a removed last line, the new last line).
faults=(
  'emblem.txt|/^pixels$/{n;s/.$//}|pixel row has 31 symbols, expected 32'
  "emblem.txt|/^pixels\$/{n;s/^./X/}|undeclared symbol 'X'"
  'emblem.txt|$d|expected 32 pixel rows, found 31'
  "emblem.txt|s/^colour Y F2C200 yellow/colour Y F2C200 gold/|unknown classic colour 'gold'"
  'emblem.txt|s/^colour Y F2C200/colour Y F2C20/|expected a colour written as RRGGBB'
  "emblem.txt|s/^colour O B07800/colour Y B07800/|symbol 'Y' declared twice"
  'font_large.txt|/^glyph T$/{n;n;s/.$//}|glyph rows must all have the same, nonzero width'
  "menu_logo.txt|s/^background/backgruond/|'backgruond white' is not a layout line"
  'menu_logo.txt|s/^fill 0 31 136 1/fill 0 31 136 2/|the drawing reaches 136,33, outside the picture'
  'menu_logo.txt|s/^emblem 2 0/emblem 2 1/|the drawing reaches 34,33, outside the picture'
  'menu_logo.txt|s/^text 40 15/text 120 15/|the drawing reaches 138,26, outside the picture'
  "menu_logo.txt|s/Tarivox 2001\$/Tarivox 2001!/|the font has no '!'"
)
for row in "${faults[@]}"; do
  IFS='|' read -r file edit message <<<"$row"
  rm -rf "$work/faulty"
  cp -r "$art" "$work/faulty"
  sed -i "$edit" "$work/faulty/$file"
  line="$(cmp "$art/$file" "$work/faulty/$file" 2>&1 | sed -n 's/.*, line //p')"
  if said="$("$generator" "$work/faulty" "$work/faulty" 2>&1)"; then
    fail "[$row] accepted"
  elif [[ "$said" != "tarivox-artgen: $file:$line: $message"* ]]; then
    fail "[$row] said '$said'"
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "artwork: the pictures are what their sources make, in their shapes; ${#faults[@]} faults refused"
