# Helpers for driving Pelvanor in the X server of $DISPLAY with xdotool, sourced by the tests that
# use the program as a person would. The sourcing script defines fail MESSAGE and the array pids
# of the processes it ends when it is done.

# Waits up to $1 seconds for the command to succeed.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
# The first visible window whose title matches the pattern.
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_window() { [ -n "$(window "$1")" ]; }
no_window() { [ -z "$(window "$1")" ]; }
wait_window() {
  wait_for "${2:-10}" has_window "$1" || fail "kein Fenster \"$1\""
  window "$1"
}
# Presses keys in the active window, which must be the one given.
keys_to() {
  xdotool windowactivate --sync "$1" 2>/dev/null || true
  shift
  xdotool key --clearmodifiers "$@"
}
start_window_manager() {
  openbox >/dev/null 2>&1 &
  pids+=($!)
  wait_for 10 sh -c "xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW" ||
    fail "openbox meldet sich nicht"
}
# create_station EDIT_DIALOG [COMMAND...]: in the dialog that creates a station, latitude,
# longitude and altitude by the tab key, the hemispheres as they are; then the command (a
# screenshot, say) and "Fortsetzen" (Alt+F), which stores the station and offers the next one,
# which is declined.
create_station() {
  keys_to "$1" Tab
  for value in 51 30 "" 7 15 "" 120; do
    [ -z "$value" ] || { xdotool key ctrl+a; xdotool type --delay 20 "$value"; }
    xdotool key Tab
  done
  sleep 0.3
  "${@:2}"
  xdotool key alt+f
  local next
  next=$(wait_window '^Suche Station\.\.\.$')
  keys_to "$next" Escape
  wait_for 10 no_window '^Diagramm erstellen' || fail "der Bearbeiten-Dialog schließt nicht"
}
# drag X Y DX DY [COMMAND...]: drags with the left button from the screen point by the given
# distance, in a few steps as a hand would; the command (a screenshot, say) runs before the
# release.
drag() {
  local x=$1 y=$2 dx=$3 dy=$4 part
  xdotool mousemove "$x" "$y" mousedown 1
  for part in 1 2 3 4; do
    xdotool mousemove $((x + dx * part / 4)) $((y + dy * part / 4))
    sleep 0.05
  done
  "${@:5}"
  xdotool mouseup 1
}
