# Screenshots and the colours of their pixels.

screenshot() { import -window root "$1" 2>/dev/null || true; }

# Takes a screenshot of the whole screen as $TMP/$1.png; at, corner_at and pixel "$SHOT"
# then read it.
# It first waits for the screen to settle (two captures alike, 0.1 s apart; at most 2 s):
# on a loaded machine a window is mapped, or a cell changed, a while before it is painted.
shoot() {
  SHOT="$TMP/$1.png"
  local i previous="" now
  for i in $(seq 20); do
    now=$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum)
    [ "$now" = "$previous" ] && break
    previous=$now
    sleep 0.1
  done
  screenshot "$SHOT"
}

# Prints the colour of the screen pixel ($2, $3) of the screenshot $1 as RRGGBB.
pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr a-f A-F; }

# The colour of grid cell (c, r) in the last screenshot, read 4 px up and left of the
# cell's centre, inside any tile picture; an empty cell reads FFFFFF.
at() { pixel "$SHOT" $(($(cell_x "$1") - 4)) $(($(cell_y "$2") - 4)); }

# The colour of the top-left corner of grid cell (c, r)'s picture in the last screenshot.
corner_at() { pixel "$SHOT" $(($(cell_x "$1") - 9)) $(($(cell_y "$2") - 9)); }

# Prints 1 when the 50 x 50 square at ($2, $3) of the screenshot $1 shows the error icon
# (more than 5% of its pixels clearly red), 0 otherwise.
error_icon_at() {
  convert "$1" -crop "50x50+$2+$3" +repage -fx 'r>0.6&&g<0.3&&b<0.3' -format '%[fx:mean>0.05]' info:
}

# Prints "left right": how far the first block of text in the picture $1 (its first rows
# holding dark pixels, down to the next row with none) stands from the picture's left and
# right edges.
text_margins() {
  local w h first last
  read -r w h <<<"$(identify -format '%w %h' "$1")"
  # Each row squeezed to one pixel, white when the row holds any dark pixel.
  read -r first last <<<"$(convert "$1" -colorspace Gray -threshold 40% -negate -scale "1x${h}!" -threshold 0 \
                             -depth 8 txt:- | awk -F'[,:]' '
    /^#/ {next}
    /FFFFFF/ {if (first == "") first = $2; if (last == "" || $2 == last + 1) {last = $2; next}}
    first != "" {print first, last; exit}
    END {if (first != "") print first, last}' | head -n1)"
  [ -n "$first" ] || { echo "none"; return 0; }
  local bw bx
  IFS='x+' read -r bw _ bx _ <<<"$(convert "$1" -crop "${w}x$((last - first + 1))+0+$first" +repage \
                                     -colorspace Gray -threshold 40% -negate -format '%@' info:)"
  echo "$bx $((w - bx - bw))"
}
