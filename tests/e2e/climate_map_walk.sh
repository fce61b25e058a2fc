#!/usr/bin/env bash
# climate_map_walk.sh PROGRAM_DIR SHOT_DIR
# The map as a climate map, used as a teacher would, in the X server of $DISPLAY (started by
# xvfb-run) under openbox, on a copy of the large starter database beside the program: the
# colouring by zone switched on in the configuration, the legend, the map of Europe limited to the
# Cs zones, three of their stations opened from a drag over the Mediterranean, and the tool's
# picture of the climate map. A screenshot after every step in SHOT_DIR.
set -euo pipefail
program_dir=$1
shots=$2

source "$(dirname "$0")/walk_support.sh"
cp "$program_dir/pelvanor.dat" "$database"

# Marker colours are told apart closely: Cfb's green from Cfa's.
zone_pixels() { pixels_of "$1" "$2" 3; }
# The zone codes of stations named on standard input, one a line, as the tool lists them.
zones_of() {
  "$tool" list "$database" --koeppen >"$work/zonen.txt"
  while read -r name; do
    awk -F'\t' -v name="$name" '$1 == name { print $3 }' "$work/zonen.txt"
  done
}
# The map's top-left corner on the screen: below the menu, above the status bar.
map_origin() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  map_x=$X
  map_y=$((Y + HEIGHT - $1 - 24))
}

begin "Fenstermanager starten"
start_window_manager
# A German keyboard, which has the "ä" of the setting's key: xdotool would otherwise lend the
# letter to a key for a moment, which the program may miss.
setxkbmap de

begin "Programm starten"
start_program
shot 01-karte

begin "In der Konfiguration nach Klimazonen färben"
keys_to "$main" ctrl+k
settings=$(wait_window '^Konfiguration$')
keys_to "$settings" alt+adiaeresis
sleep 0.3
shot 02-konfiguration
keys_to "$settings" Return
legend=$(wait_window '^Klimazonen$')
sleep 0.5
shot 03-legende

begin "Alle Stationen in den Farben ihrer Zonen"
keys_to "$main" ctrl+a
sleep 1
shot 04-weltkarte
yellow=$(zone_pixels "$main" "rgb(255,255,0)")
green=$(zone_pixels "$main" "rgb(100,255,80)")
[ "$yellow" -gt 300 ] || fail "nur $yellow Bildpunkte im Gelb von Csa"
[ "$green" -gt 1000 ] || fail "nur $green Bildpunkte im Grün von Cfb"

begin "Nur die Cs-Zonen, auf der Europakarte"
# The list finds a zone by its first letters; Csb follows Csa.
keys_to "$legend" C s a
xdotool key shift+Down alt+n
sleep 0.5
shot 05-nur-cs
keys_to "$main" ctrl+w
sleep 1
shot 06-europa-cs
yellow=$(zone_pixels "$main" "rgb(255,255,0)")
green=$(zone_pixels "$main" "rgb(100,255,80)")
[ "$yellow" -gt 2000 ] || fail "nur $yellow Bildpunkte im Gelb von Csa auf der Europakarte"
[ "$green" -lt 20 ] || fail "$green Bildpunkte im Grün von Cfb, obwohl nur Cs gezeigt wird"

begin "Drei Stationen am Mittelmeer öffnen"
map_origin 420
# From north of Rome to the south of Greece.
drag $((map_x + 370)) $((map_y + 330)) 110 70 shot 07-rechteck
list=$(wait_window '^Ortauswahl$')
shot 08-ortauswahl
keys_to "$list" Home shift+Down shift+Down Return
wait_for 10 sh -c "[ \$(xdotool search --onlyvisible --name '/' | wc -l) -ge 3 ]" ||
  fail "keine drei Diagrammfenster"
sleep 0.7
shot 09-diagramme
opened=$(for window in $(xdotool search --onlyvisible --name '/'); do
  xdotool getwindowname "$window"
done)
echo "Geöffnet: $(tr '\n' ';' <<<"$opened")"
codes=$(zones_of <<<"$opened" | sort -u | tr '\n' ' ')
[ "$(zones_of <<<"$opened" | grep -c '^Cs')" -eq 3 ] || fail "nicht drei Cs-Stationen: $codes"

begin "Zurück zur Karte mit der aktuellen Station"
keys_to "$(xdotool getactivewindow)" ctrl+Tab
wait_for 10 sh -c "xwininfo -id $main | grep -q IsViewable" || fail "die Karte kommt nicht"
sleep 0.7
shot 10-karte-aktuell
[ "$(pixels_of "$main" "rgb(0,0,255)" 1)" -gt 20 ] || fail "kein blauer Ring um die aktuelle Station"

begin "Die Klimakarte als Bild für ein Arbeitsblatt"
"$tool" map "$database" "$shots/11-werkzeug-welt.png" --zonen
"$tool" map "$database" "$shots/12-werkzeug-europa.png" --europa --zonen --width 1280
[ "$(identify -format '%w' "$shots/12-werkzeug-europa.png")" -eq 1280 ] ||
  fail "das Bild der Europakarte ist nicht 1280 Bildpunkte breit"

begin "Beenden"
keys_to "$main" alt+x
question=$(wait_window '^Warnung$')
keys_to "$question" alt+j
wait_program_end
echo "Alle Schritte gelungen; Bildschirmfotos in $shots"
