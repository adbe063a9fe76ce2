# Sourced by the scripts that drive tracewin-demo under Xvfb with xdotool
# (scripts/screenshots, scripts/user-guide): checks the tools, builds the
# demo, re-runs the calling script inside xvfb-run, starts and stops the
# demo, saves screenshots, and finds things on screen by their text in the
# widget map the demo writes (TRACEWIN_DEMO_WIDGETS). Set `drive_name` (for
# messages) before sourcing; call `drive_setup RUN "$@"` first: the demo's
# registry (RUN/config), its log, the widget map and the screenshots go to
# the folder RUN.

drive_setup() {
  local out=$1; shift
  mkdir -p "$out"
  out=$(cd "$out" && pwd)
  local missing=() tool
  for tool in xvfb-run xdotool import convert; do command -v "$tool" >/dev/null || missing+=("$tool"); done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "$drive_name: missing ${missing[*]} (Debian: xvfb, xdotool, imagemagick)" >&2
    exit 2
  fi
  if [ -z "${TRACEWIN_SHOTS_INSIDE:-}" ]; then
    cmake --preset default >/dev/null
    cmake --build build --target tracewin-demo tracewin >/dev/null
    # The demo keeps its registry in the config folder: a fresh one per run,
    # so every run starts from the same settings.
    rm -rf "$out/config"
    # From a random display number up: several runs at once on one machine
    # would otherwise race for the first free one.
    TRACEWIN_SHOTS_INSIDE=1 exec xvfb-run -a -n $((100 + RANDOM % 5000)) -s "-screen 0 1600x1024x24" "$0" "$@"
  fi
  export TRACEWIN_SHOTS="$out"
  export XDG_CONFIG_HOME="$out/config"
  export TRACEWIN_DEMO_WIDGETS="$out/widgets.txt"
  drive_out=$out
  drive_map=$TRACEWIN_DEMO_WIDGETS
  demo=
  trap 'drive_stop' EXIT
}

# drive_start ARGS...: starts the demo (in the folder drive_dir, default
# here) and waits for its window (at 0,0).
drive_start() {
  rm -f "$drive_map"
  local demo_exe="$PWD/build/apps/tracewin-demo"
  (cd "${drive_dir:-.}" && exec "$demo_exe" "$@") >>"$drive_out/demo.log" 2>&1 &
  demo=$!
  drive_window "tracewin demo" >/dev/null
  win=$(drive_window "tracewin demo")
  xdotool windowmove "$win" 0 0
  # The first blocks drawn and the map written.
  drive_where areas "view A" >/dev/null
  sleep 1.5
}

drive_stop() {
  [ -n "$demo" ] || return 0
  kill "$demo" 2>/dev/null || true
  wait "$demo" 2>/dev/null || true
  demo=
}

# drive_window NAME: the id of the first window whose title holds NAME,
# waiting up to 15 s; the script stops if it never appears.
drive_window() {
  local id i
  for i in $(seq 75); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "$drive_name: the window '$1' never appeared" >&2
  exit 1
}

# drive_rect WINDOW TEXT: "X Y W H" of the first item with exactly that text
# ("~TEXT": holding TEXT) in that window of the map ("*" any window,
# "~NAME" one whose title holds NAME),
# waiting up to 10 s for it.
drive_rect() {
  local rect i
  for i in $(seq 100); do
    rect=$(awk -F'\t' -v w="$1" -v t="$2" '(w == "*" || $1 == w || (w ~ /^~/ && index($1, substr(w, 2)))) && ($2 == t || (t ~ /^~/ && index($2, substr(t, 2)))) { print $3, $4, $5, $6; exit }' \
      "$drive_map" 2>/dev/null || true)
    [ -n "$rect" ] && { echo "$rect"; return 0; }
    sleep 0.1
  done
  echo "$drive_name: '$2' never appeared in '$1'" >&2
  exit 1
}

# drive_where WINDOW TEXT [FX FY]: a point of that item, at the fractions
# FX, FY of its width and height (default its centre).
drive_where() {
  local x y w h
  read -r x y w h <<<"$(drive_rect "$1" "$2")"
  [ -n "$x" ] || exit 1
  awk -v x="$x" -v y="$y" -v w="$w" -v h="$h" -v fx="${3:-0.5}" -v fy="${4:-0.5}" \
    'BEGIN { printf "%d %d\n", x + fx * w, y + fy * h }'
}

# drive_click WINDOW TEXT [FX FY]: the left button on that item.
drive_click() {
  local p
  p=$(drive_where "$@") || exit 1
  xdotool mousemove $p click 1
}

# drive_text WINDOW PREFIX: the text of the first item that starts with PREFIX.
drive_text() {
  awk -F'\t' -v w="$1" -v t="$2" '(w == "*" || $1 == w) && index($2, t) == 1 { print $2; exit }' "$drive_map"
}

# drive_gone WINDOW: waits until no window of that name ("~NAME": whose
# title holds NAME) is in the map.
drive_gone() {
  local i
  for i in $(seq 100); do
    awk -F'\t' -v w="$1" '$1 == w || (w ~ /^~/ && index($1, substr(w, 2))) { found = 1 } END { exit !found }' "$drive_map" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "$drive_name: the window '$1' did not close" >&2
  exit 1
}

# drive_shot NAME [WINDOW TEXT | GEOMETRY]: the screen, or the item's
# rectangle of the map, or an X geometry (WxH+X+Y), to OUT/NAME.png.
drive_shot() {
  local name=$1 x y w h crop=
  if [ $# -ge 3 ]; then
    read -r x y w h <<<"$(drive_rect "$2" "$3")"
    [ -n "$x" ] || exit 1
    crop="${w}x${h}+${x}+${y}"
  elif [ $# -eq 2 ]; then
    crop=$2
  fi
  if [ -n "$crop" ]; then
    import -window root -crop "$crop" +repage "$drive_out/$name.png"
  else
    import -window root "$drive_out/$name.png"
  fi
  echo "$drive_out/$name.png"
}
