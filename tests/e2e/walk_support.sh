# Sourced by the walks through the program in a real X server: a folder of its own with a copy of
# the program, a screenshot and a check after every step, and the keys and windows of xdotool.
# Expects $program_dir and $shots; sets $work, $tool and $database.

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$shots" "$work/bin"
chmod 700 "$XDG_RUNTIME_DIR"
rm -f "$shots"/*.png
for file in pelvanor pelvanor-tool tvxres.dll pelvanor.hlp libkestrel.so libkestrel.so.0 \
  libkestrel.so.0.1.0; do
  cp -P "$program_dir/$file" "$work/bin/"
done
tool="$work/bin/pelvanor-tool"
database="$work/bin/pelvanor.dat"

step="Vorbereitung"
fail() {
  echo "FEHLER im Schritt \"$step\": $*" >&2
  import -window root "$shots/fehler.png" 2>/dev/null || true
  exit 1
}
begin() {
  step=$1
  echo "== $step"
}
shot() { import -window root "$shots/$1.png"; }

source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"
# How many pixels of a window lie near a colour (within the fuzz, 12 % unless given).
pixels_of() {
  import -window "$1" "$work/window.png"
  convert "$work/window.png" -alpha off -fuzz "${3:-12}%" -fill black +opaque "$2" \
    -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info:
}
# The number of stations the database file holds.
stations_in() { "$tool" list "$1" | wc -l; }

# Starts the program from its folder and sets $pelvanor and $main. With a number, no file the
# program writes may grow beyond that many KiB, as on a full disk.
start_program() {
  (
    cd "$work/bin"
    if [ -n "${1:-}" ]; then
      trap '' XFSZ
      ulimit -f "$1"
    fi
    exec ./pelvanor
  ) >>"$work/pelvanor.log" 2>&1 &
  pelvanor=$!
  pids+=($pelvanor)
  main=$(wait_window '^Pelvanor 2\.1c$' 20)
  sleep 1.5 # the splash leaves after a second
}
wait_program_end() {
  wait_for 15 sh -c "! kill -0 $pelvanor" || fail "das Programm endet nicht"
}
