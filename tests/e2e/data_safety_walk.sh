#!/usr/bin/env bash
# data_safety_walk.sh PROGRAM_DIR STATIONS_CSV SHOT_DIR
# The ways a user could lose stations or a picture, walked through in a real X server under
# openbox: a failed reload followed by a save, an export onto the open database, a truncated
# database named like an old one, a picture saved on a full disk. Ends by listing the database
# with the tool and comparing the stations with those it started with.
set -euo pipefail
program_dir=$1
stations=$2
shots=$3
source "$(dirname "$0")/walk_support.sh"

"$tool" convert "$stations" "$database" >/dev/null 2>&1
cp "$database" "$work/intakt.dat"
"$tool" list "$work/intakt.dat" | cut -f1 >"$work/vorher.txt"
[ "$(wc -l <"$work/vorher.txt")" -eq 95 ] || fail "die Startdatenbank hat nicht 95 Stationen"

# damage FILE RECORD MONTH VALUE: the record's monthly temperature becomes the value.
damage() {
  perl -e '
    my ($file, $record, $month, $value) = @ARGV;
    open my $in, "<:raw", $file or die; local $/; my $bytes = <$in>; close $in;
    my $class = "TDiagramData::TTemperatureData";
    my $at = -1;
    for (1 .. $record) { $at = index($bytes, $class, $at + 1); die "no record" if $at < 0; }
    $at += length($class) + 4; # the class version follows the name
    $at += 4 + unpack("V", substr($bytes, $at, 4)) for 1 .. $month - 1;
    substr($bytes, $at, 4 + unpack("V", substr($bytes, $at, 4))) = pack("V", length $value) . $value;
    open my $out, ">:raw", $file or die; print $out $bytes; close $out;
  ' "$@"
}
# Answers the box with the given title by its default button.
confirm() {
  local box
  box=$(wait_window "$1")
  shot "$2"
  keys_to "$box" Return
  wait_for 10 sh -c "! xwininfo -id $box | grep -q IsViewable" ||
    fail "die Meldung \"$1\" schließt nicht"
}

begin "Fenstermanager und Programm starten"
start_window_manager
start_program
shot 01-karte

begin "Datensatz 54 der Datei beschädigen und neu laden"
damage "$database" 54 7 79.7
cp "$database" "$work/beschaedigt.dat"
keys_to "$main" alt+b n
question=$(wait_window '^Warnung$')
keys_to "$question" alt+j
confirm '^Fehler$' 02-fehler-beim-laden

begin "Eine Station löschen"
keys_to "$main" alt+g l
search=$(wait_window '^Suche Station\.\.\.$')
keys_to "$search" ctrl+a
xdotool type --delay 20 '^Kairo'
xdotool key Return
question=$(wait_window '^Warnung$')
shot 03-loeschen
keys_to "$question" alt+j
wait_for 10 no_window '^Warnung$' || fail "die Frage schließt nicht"

begin "In die geöffnete Datenbank exportieren, über einen Umweg im Namen"
keys_to "$main" alt+b e
list=$(wait_window '^Ortauswahl$')
keys_to "$list" Return
pick=$(wait_window '^Auswahlliste$')
keys_to "$pick" Home Down Return
save=$(wait_window '^Diagramm exportieren\.\.\.$')
keys_to "$save" ctrl+a
xdotool type --delay 10 "$work/bin/../bin/pelvanor.dat"
xdotool key Return
# The file dialog asks before it names an existing file.
sleep 1
xdotool key alt+j
confirm '^Fehler$' 04-export-verweigert
confirm '^Fehler$' 05-export-fehlgeschlagen
cmp -s "$database" "$work/beschaedigt.dat" || fail "der Export hat die Datenbank verändert"

begin "Eine abgeschnittene Datenbank mit dem Namen der alten Generation importieren"
mkdir -p "$work/alt"
head -c 5000 "$work/intakt.dat" >"$work/alt/pelvanor.dat"
keys_to "$main" alt+b i
open=$(wait_window '^Diagramm importieren\.\.\.$')
keys_to "$open" ctrl+a
xdotool type --delay 10 "$work/alt/pelvanor.dat"
xdotool key Return
confirm '^Fehler$' 06-kein-importfilter
no_window '^Zusammenführen$' || fail "eine Frage zum Zusammenführen erscheint"
no_window '^Meldungen$' || fail "ein Protokoll des Imports erscheint"

begin "Beenden und sichern"
keys_to "$main" alt+x
confirm '^Warnung$' 07-sichern
wait_program_end
"$tool" list "$database" | cut -f1 >"$work/nachher.txt"
grep -v '^Kairo/' "$work/vorher.txt" | diff - "$work/nachher.txt" >/dev/null ||
  fail "die gesicherte Datenbank hält nicht die 94 übrigen Stationen: $(wc -l <"$work/nachher.txt")"
echo "Gesichert: $(stations_in "$database") Stationen, vorher $(stations_in "$work/intakt.dat")"

begin "Ein Diagramm auf einer vollen Platte als PDF über ein altes speichern"
mkdir -p "$work/bilder"
"$tool" render "$database" 'Berlin/Deutschland' "$work/bilder/alt.pdf" >/dev/null
cp "$work/bilder/alt.pdf" "$work/alt.pdf"
start_program 16
keys_to "$main" ctrl+s
search=$(wait_window '^Suche Station\.\.\.$')
keys_to "$search" ctrl+a
xdotool type --delay 20 '^Berlin/'
xdotool key Return
diagram=$(wait_window '^Berlin/Deutschland$')
keys_to "$diagram" ctrl+s
save=$(wait_window '^Diagramm speichern\.\.\.$')
keys_to "$save" ctrl+a
xdotool type --delay 10 "$work/bilder/alt.pdf"
xdotool key Return
sleep 1
xdotool key alt+j
confirm '^Fehler$' 08-volle-platte
cmp -s "$work/bilder/alt.pdf" "$work/alt.pdf" || fail "das alte PDF wurde verändert"
keys_to "$diagram" ctrl+Tab
wait_for 10 sh -c "xwininfo -id $main | grep -q IsViewable" || fail "die Karte kommt nicht"
keys_to "$main" alt+x
question=$(wait_window '^Warnung$')
keys_to "$question" alt+j
wait_program_end
echo "Alle Schritte gelungen; Bildschirmfotos in $shots"
