#!/usr/bin/env bash
# user_walk.sh PROGRAM_DIR STATIONS_CSV SHOT_DIR [README_PICTURE_DIR]
# Uses Pelvanor as a user would, in the X server of $DISPLAY (started by xvfb-run): real mouse
# and key events through xdotool under openbox, a screenshot after every step in SHOT_DIR, and a
# check of what each step must have brought about. Runs the program in a folder of its own on a
# fresh starter database. Fails naming the step that did not happen.
set -euo pipefail
program_dir=$1
stations=$2
shots=$3
pictures=${4:-}

source "$(dirname "$0")/walk_support.sh"
# The starter database as the build makes it: the starter stations and the WMO normals.
cmake -DTOOL="$tool" -DSTATIONS="$stations" -DDATABASE="$database" \
  -P "$(dirname "$0")/../../cmake/StarterDatabase.cmake" >/dev/null
starter_count=$("$tool" list "$database" | wc -l)

# A window alone, frame included, for the README.
picture() {
  [ -n "$pictures" ] || return 0
  mkdir -p "$pictures"
  import -frame -window "$2" -resize '900x900>' "$pictures/$1.png"
}

# expect_colour WINDOW COLOUR MINIMUM WHAT [FUZZ]: waits up to 5 s for the window to be painted.
expect_colour() {
  local count deadline=$((SECONDS + 5))
  while :; do
    count=$(pixels_of "$1" "$2" "${5:-12}")
    [ "$count" -ge "$3" ] && return 0
    [ $SECONDS -lt $deadline ] || fail "$4: nur $count Bildpunkte der Farbe $2"
    sleep 0.2
  done
}

begin "Fenstermanager starten"
start_window_manager

begin "Programm starten und Karte zeigen"
start_program
shot 01-karte
expect_colour "$main" "rgb(220,232,239)" 100000 "Meer der Weltkarte" 2
expect_colour "$main" "rgb(245,241,230)" 40000 "Land der Weltkarte" 2
if [ -n "$pictures" ]; then
  keys_to "$main" ctrl+a
  sleep 0.7
  picture karte "$main"
  keys_to "$main" ctrl+a
  sleep 0.7
fi

begin "Rechteck über Europa ziehen"
eval "$(xdotool getwindowgeometry --shell "$main")"
menu_height=$(( HEIGHT - 400 - 24 ))
map_x=$X
map_y=$((Y + menu_height))
drag $((map_x + 296)) $((map_y + 86)) 68 58 shot 02-rechteck
list=$(wait_window '^Ortauswahl$')
shot 03-ortauswahl

begin "Stationen in der Liste wählen"
keys_to "$list" Home shift+Down shift+Down Return
wait_for 10 no_window '^Ortauswahl$' || fail "die Liste schließt nicht"
wait_for 10 sh -c "[ \$(xdotool search --onlyvisible --name '/' | wc -l) -ge 3 ]" ||
  fail "keine drei Diagrammfenster"
sleep 0.5
shot 04-diagramme
# The active window lies on top of the others, which are hidden beneath it.
active_diagram() { xdotool getactivewindow getwindowname 2>/dev/null | grep -q /; }
wait_for 10 active_diagram || fail "kein Diagrammfenster ist aktiv"
first=$(xdotool getactivewindow)
title=$(xdotool getwindowname "$first")
# grep reads the whole list: a grep that stopped at the first hit would break the tool's pipe.
"$tool" list "$database" | cut -f1 | grep -xF "$title" >/dev/null ||
  fail "Fenster \"$title\" ist keine Station"
expect_colour "$first" "rgb(255,0,0)" 200 "rote Temperaturkurve"
expect_colour "$first" "rgb(0,0,255)" 200 "blaue Niederschlagskurve"
picture diagramm "$first"

begin "Kontextmenü des Diagrammfensters"
eval "$(xdotool getwindowgeometry --shell "$first")"
xdotool windowactivate --sync "$first"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
sleep 0.5
shot 05-kontextmenue
xdotool key Escape

begin "Zwei Stationen vergleichen"
keys_to "$first" ctrl+v
partners=$(wait_window '^Ortauswahl$')
keys_to "$partners" Home Return
compare=$(wait_window ' verglichen mit ')
keys_to "$compare" space
sleep 0.7
shot 06-vergleich
expect_colour "$compare" "rgb(0,255,0)" 100 "grüne Kurve der unteren Station"
picture vergleich "$compare"

begin "In die Zwischenablage kopieren"
keys_to "$compare" ctrl+c
wait_for 10 sh -c "xclip -o -selection clipboard -t TARGETS | grep -qx image/x-emf" ||
  fail "kein image/x-emf in der Zwischenablage"
targets=$(xclip -o -selection clipboard -t TARGETS)
for format in image/emf image/svg+xml image/png; do
  grep -qx "$format" <<<"$targets" || fail "kein $format in der Zwischenablage"
done
xclip -o -selection clipboard -t image/x-emf >"$work/kopie.emf"
[ "$(head -c 44 "$work/kopie.emf" | tail -c 4)" = " EMF" ] || fail "die Kopie ist kein EMF"

begin "Als EMF speichern"
keys_to "$compare" ctrl+s
save=$(wait_window '^Diagramm speichern\.\.\.$')
shot 07-speichern
keys_to "$save" ctrl+a
xdotool type --delay 20 "$work/vergleich.emf"
xdotool key Return
wait_for 10 test -s "$work/vergleich.emf" || fail "vergleich.emf wurde nicht geschrieben"
[ "$(head -c 44 "$work/vergleich.emf" | tail -c 4)" = " EMF" ] || fail "vergleich.emf ist kein EMF"

begin "Zurück zur Karte"
keys_to "$compare" ctrl+Tab
wait_for 10 sh -c "xwininfo -id $main | grep -q IsViewable" || fail "die Karte kommt nicht"
wait_for 10 sh -c "[ \$(xdotool search --onlyvisible --name '/' | wc -l) -eq 0 ]" ||
  fail "Diagrammfenster bleiben sichtbar"
sleep 0.5
shot 08-karte

begin "Station suchen"
keys_to "$main" ctrl+s
search=$(wait_window '^Suche Station\.\.\.$')
keys_to "$search" ctrl+a
xdotool type --delay 20 '^Kairo/'
shot 09-suche
xdotool key Return
# While a comparison is on, a station chosen on the map side becomes its partner.
kairo=$(wait_window ' verglichen mit Kairo/')
shot 10-kairo
keys_to "$kairo" ctrl+Tab
wait_for 10 sh -c "xwininfo -id $main | grep -q IsViewable" || fail "die Karte kommt nicht"

begin "Station anlegen"
keys_to "$main" ctrl+q
keys_to "$main" ctrl+e
name=$(wait_window '^Suche Station\.\.\.$')
# xdotool types an umlaut by remapping a key for a moment, which a program may miss; the name
# is pasted instead, as a user might take it from a list.
printf '%s' 'Prüfstadt/Testland' | xclip -selection clipboard
keys_to "$name" ctrl+a ctrl+v
xdotool key Return
edit=$(wait_window '^Diagramm erstellen' 10)
sleep 0.5
shot 11-erstellen
create_station "$edit" shot 12-erstellt
"$tool" list "$database" | grep '^Prüfstadt/Testland' >/dev/null &&
  fail "die Station steht vor dem Sichern schon in der Datei"

begin "Beenden mit der Frage nach dem Sichern"
keys_to "$main" alt+x
question=$(wait_window '^Warnung$')
shot 13-frage
keys_to "$question" Return
wait_program_end
"$tool" list "$database" | grep '^Prüfstadt/Testland	' >/dev/null ||
  fail "die neue Station fehlt in der gesicherten Datenbank: $("$tool" list "$database" |
    grep Testland || echo keine Station aus Testland)"
[ "$("$tool" list "$database" | wc -l)" -eq $((starter_count + 1)) ] ||
  fail "die Datenbank hat nicht $((starter_count + 1)) Stationen"
echo "Alle Schritte gelungen; Bildschirmfotos in $shots"
