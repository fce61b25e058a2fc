#!/usr/bin/env bash
# package_test.sh BUILD_DIR SHOT_DIR
# Builds the Debian package, checks it as Debian does, and installs it as a school's administrator
# would. Then an ordinary user starts the installed program in an X server of its own (with
# openbox, driven by xdotool, a screenshot of every step in SHOT_DIR), creates a station, saves,
# quits, starts again and finds it: in a database of the user's own, while the shipped one stays
# as it was. Removing the package leaves the user's database. Installing packages and adding
# users needs root: anyone else is told so, and the test counts as skipped (exit code 77).
set -euo pipefail
build=$(realpath "$1")
shots=$2

skip() {
  echo "ÜBERSPRUNGEN: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] ||
  skip "der Pakettest installiert ein Debian-Paket und legt einen Benutzer an; das darf nur root"
command -v dpkg >/dev/null || skip "kein Debian-System: dpkg fehlt"
if dpkg-query -W -f='${Status}' pelvanor 2>/dev/null | grep -q 'ok installed'; then
  skip "Pelvanor ist hier schon als Paket installiert; der Test ersetzt und entfernt es nicht"
fi

step="Vorbereitung"
user=pelvanor-test-$$
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  dpkg-query -W pelvanor >/dev/null 2>&1 && dpkg --purge pelvanor >/dev/null 2>&1
  if uid=$(id -u "$user" 2>/dev/null); then
    # A program that did not end leaves its marker and its socket behind.
    rm -f "/dev/shm/Pelvanor 2.1c-$uid" "${TMPDIR:-/tmp}/Pelvanor 2.1c-$uid"
    userdel -r "$user" >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$shots"
rm -f "$shots"/*.png
fail() {
  echo "FEHLER im Schritt \"$step\": $*" >&2
  [ -z "${DISPLAY:-}" ] || import -window root "$shots/fehler.png" 2>/dev/null || true
  exit 1
}
begin() {
  step=$1
  echo "== $step"
}

begin "Paket bauen"
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log") || fail "$(cat "$work/cpack.log")"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
package="$work/deb/pelvanor_${version}_$(dpkg --print-architecture).deb"
[ -f "$package" ] || fail "$(basename "$package") fehlt"
echo "Paket: $(basename "$package"), $(stat -c %s "$package") Bytes," \
  "installiert $(dpkg-deb -f "$package" Installed-Size) KiB"
depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 fonts-liberation qt6-translations-l10n qt6-qpa-plugins; do
  grep -q "$needed" <<<"$depends" || fail "Depends nennt $needed nicht"
done
if grep -qE 'kestrel|-dev\b' <<<"$depends"; then fail "Depends nennt Pakete, die es nicht braucht"; fi

begin "Paket prüfen"
lintian_ok=true
lintian --fail-on error "$package" >"$work/lintian.log" 2>&1 || lintian_ok=false
grep -v 'running with root privileges' "$work/lintian.log" || true
$lintian_ok || fail "lintian meldet Fehler"

begin "Paket installieren"
if ! dpkg -i "$package" >"$work/dpkg.log" 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -f -y -qq --no-install-recommends \
    >>"$work/dpkg.log" 2>&1 || fail "$(cat "$work/dpkg.log")"
fi
dpkg-query -W -f='${Status}' pelvanor | grep -q 'ok installed' || fail "$(cat "$work/dpkg.log")"
for file in /usr/bin/pelvanor /usr/bin/pelvanor-tool /usr/lib/pelvanor/tvxres.dll \
  /usr/lib/pelvanor/pelvanor.hlp /usr/lib/pelvanor/libkestrel.so.0 \
  /usr/share/applications/pelvanor.desktop /usr/share/doc/pelvanor/copyright \
  /usr/share/icons/hicolor/scalable/apps/pelvanor.svg; do
  [ -e "$file" ] || fail "$file fehlt"
done
shipped=/usr/lib/pelvanor/pelvanor.dat
shipped_sum=$(md5sum <"$shipped")
grep -qx 'Exec=pelvanor' /usr/share/applications/pelvanor.desktop || fail "Exec=pelvanor fehlt"
metainfo=$(dpkg -L pelvanor | grep '^/usr/share/metainfo/.*\.metainfo\.xml$')
appstreamcli validate --no-net "$metainfo" || fail "AppStream-Daten ungültig"
for page in pelvanor pelvanor-tool; do
  [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] || fail "man $page findet die Seite nicht"
done

source "$(dirname "$0")/../support/x_session.sh"

begin "Benutzer anlegen"
useradd --create-home --shell /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)
# The user's session folder, which the desktop would make at login.
runtime="$home/.run"
install -d -m 700 -o "$user" -g "$user" "$runtime"
session=(HOME="$home" USER="$user" LOGNAME="$user" PATH=/usr/bin:/bin LC_ALL=C.UTF-8
  XDG_RUNTIME_DIR="$runtime")
own="$home/.local/share/pelvanor/pelvanor.dat"
# As the user, with nothing of root's environment but the display.
as_user() { runuser -u "$user" -- env -i "${session[@]}" DISPLAY="$DISPLAY" "$@"; }
tool_list() { as_user pelvanor-tool list "$own"; }

begin "X-Server und Fenstermanager starten"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb startet nicht: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
start_window_manager

shot() { import -window root "$shots/$1.png"; }
# Starts /usr/bin/pelvanor as the user and waits for its window.
start_program() {
  # setpriv becomes the program itself, so that its process id is the program's.
  (cd "$home" && exec setpriv --reuid="$user" --regid="$user" --init-groups env -i \
    "${session[@]}" DISPLAY="$DISPLAY" /usr/bin/pelvanor) >>"$work/pelvanor.log" 2>&1 &
  program=$!
  pids+=($program)
  main=$(wait_window '^Pelvanor 2\.1c$' 20)
  sleep 1.5 # the splash leaves after a second
}
ends() { ! kill -0 "$program" 2>/dev/null; }
# Opens the name dialog of the main window by its key and enters the name or pattern.
enter_name() {
  keys_to "$main" "$1"
  local dialog
  dialog=$(wait_window '^Suche Station\.\.\.$')
  keys_to "$dialog" ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
}

begin "Programm als Benutzer starten"
start_program
shot 01-start
[ -f "$own" ] || fail "keine eigene Datenbank $own"
[ "$(stat -c %a "$(dirname "$own")")" = 700 ] || fail "der Ordner der Datenbank ist nicht 0700"
[ "$(tool_list | wc -l)" -eq "$(pelvanor-tool list "$shipped" | wc -l)" ] ||
  fail "die eigene Datenbank ist keine Kopie der mitgelieferten"

begin "Info nennt die eigene Datenbank"
keys_to "$main" alt+h
sleep 0.3
xdotool key i
info=$(wait_window '^Programminformationen$')
sleep 0.3
shot 02-info
keys_to "$info" Return
wait_for 10 no_window '^Programminformationen$' || fail "Info schließt nicht"

begin "Station anlegen"
enter_name ctrl+e 'Schulstadt/Testland'
edit=$(wait_window '^Diagramm erstellen' 10)
create_station "$edit" shot 03-erstellen

begin "Sichern und beenden"
keys_to "$main" alt+x
question=$(wait_window '^Warnung$')
shot 04-frage
keys_to "$question" Return
wait_for 15 ends || fail "das Programm endet nicht"
tool_list | grep '^Schulstadt/Testland	' >/dev/null || fail "die neue Station fehlt in $own"
[ "$(md5sum <"$shipped")" = "$shipped_sum" ] || fail "die mitgelieferte Datenbank wurde verändert"

begin "Wieder starten und die Station finden"
start_program
enter_name ctrl+s '^Schulstadt'
diagram=$(wait_window '^Schulstadt/Testland$' 10)
sleep 0.5
shot 05-gefunden
keys_to "$diagram" ctrl+Tab
wait_for 10 sh -c "xwininfo -id $main | grep -q IsViewable" || fail "die Karte kommt nicht"
keys_to "$main" alt+x
question=$(wait_window '^Warnung$')
keys_to "$question" alt+j
wait_for 15 ends || fail "das Programm endet nicht"

begin "Paket entfernen"
dpkg -r pelvanor >"$work/dpkg.log" 2>&1 || fail "$(cat "$work/dpkg.log")"
[ ! -e /usr/bin/pelvanor ] || fail "/usr/bin/pelvanor bleibt"
[ -f "$own" ] || fail "die Datenbank des Benutzers ist mit dem Paket verschwunden"
grep -q 'Schulstadt/Testland' <(strings "$own") || fail "die Station fehlt nach dem Entfernen"
echo "Paket in Ordnung; Bildschirmfotos in $shots"
