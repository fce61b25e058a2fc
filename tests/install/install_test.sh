#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs into a fresh prefix, as one user would into a folder of
# their own, and checks what the desktop and the program find there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FEHLER: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
folder="$prefix/lib/pelvanor"
for file in pelvanor pelvanor-tool libkestrel.so.0 tvxres.dll pelvanor.hlp pelvanor.dat; do
  [ -e "$folder/$file" ] || fail "$file fehlt in $folder"
done
readelf -d "$folder/pelvanor" | grep -q 'RUNPATH.*\$ORIGIN' || fail "Laufzeitpfad fehlt"
stations=$("$prefix/bin/pelvanor-tool" list "$folder/pelvanor.dat" | wc -l)
[ "$stations" -eq 5342 ] || fail "Startdatenbank mit $stations statt 5342 Stationen"

entry="$prefix/share/applications/pelvanor.desktop"
grep -qx "Exec=$folder/pelvanor" "$entry" || fail "Exec zeigt nicht auf $folder/pelvanor"
grep -qx 'Categories=Education;Science;Geography;' "$entry" || fail "Kategorien fehlen"
if command -v desktop-file-validate >/dev/null; then
  errors=$(desktop-file-validate "$entry" 2>&1 | grep -v ': hint: ' || true)
  [ -z "$errors" ] || fail "desktop-file-validate: $errors"
fi
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/pelvanor.png"
  [ -f "$icon" ] || fail "Symbol ${size}x${size} fehlt"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/pelvanor.svg" ] || fail "SVG-Symbol fehlt"

# A database the user has worked with survives the next installation.
"$prefix/bin/pelvanor-tool" convert "$folder/pelvanor.dat" "$prefix/eine.csv" >/dev/null 2>&1
head -2 "$prefix/eine.csv" > "$prefix/nur-eine.csv"
rm "$folder/pelvanor.dat"
"$prefix/bin/pelvanor-tool" convert "$prefix/nur-eine.csv" "$folder/pelvanor.dat" >/dev/null 2>&1
cmake --install "$build" --prefix "$prefix" >/dev/null
stations=$("$prefix/bin/pelvanor-tool" list "$folder/pelvanor.dat" | wc -l)
[ "$stations" -eq 1 ] || fail "Installation hat die vorhandene Datenbank ersetzt"
echo "Installation in Ordnung"
