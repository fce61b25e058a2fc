#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs into a fresh prefix, as one user would into a folder of
# their own, and checks what the desktop, the software centre, man and the program find there.
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
grep -qx 'Categories=Education;Geography;Geoscience;' "$entry" || fail "Kategorien fehlen"
if command -v desktop-file-validate >/dev/null; then
  errors=$(desktop-file-validate "$entry" 2>&1 | grep -v ': hint: ' || true)
  [ -z "$errors" ] || fail "desktop-file-validate: $errors"
fi
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/pelvanor.png"
  [ -f "$icon" ] || fail "Symbol ${size}x${size} fehlt"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/pelvanor.svg" ] || fail "SVG-Symbol fehlt"
[ -f "$prefix/share/doc/pelvanor/copyright" ] || fail "copyright fehlt"

metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml)
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >"$prefix/appstream.log" 2>&1 ||
    fail "AppStream-Daten: $(cat "$prefix/appstream.log")"
fi
version=$("$prefix/bin/pelvanor-tool" --version | cut -d' ' -f2)
grep -q "<release version=\"$version\"" "$metainfo" || fail "AppStream nennt Version $version nicht"

# The manual pages: clean for man and its index, and every command and option of the tool's
# help is described.
for page in pelvanor pelvanor-tool; do
  file="$prefix/share/man/man1/$page.1.gz"
  [ -f "$file" ] || fail "Handbuchseite $page fehlt"
  if command -v lexgrog >/dev/null; then
    lexgrog "$file" >/dev/null || fail "lexgrog versteht $page nicht"
    warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
  fi
done
described=$(zcat "$prefix/share/man/man1/pelvanor-tool.1.gz" | sed 's/\\-/-/g')
for word in $("$prefix/bin/pelvanor-tool" --help | grep -oE '^  [a-z]+|--[a-z0-9-]+' | sort -u); do
  grep -qe "$word" <<<"$described" || fail "die Handbuchseite von pelvanor-tool nennt $word nicht"
done

# A database the user has worked with survives the next installation.
"$prefix/bin/pelvanor-tool" convert "$folder/pelvanor.dat" "$prefix/eine.csv" >/dev/null 2>&1
head -2 "$prefix/eine.csv" > "$prefix/nur-eine.csv"
rm "$folder/pelvanor.dat"
"$prefix/bin/pelvanor-tool" convert "$prefix/nur-eine.csv" "$folder/pelvanor.dat" >/dev/null 2>&1
cmake --install "$build" --prefix "$prefix" >/dev/null
stations=$("$prefix/bin/pelvanor-tool" list "$folder/pelvanor.dat" | wc -l)
[ "$stations" -eq 1 ] || fail "Installation hat die vorhandene Datenbank ersetzt"
echo "Installation in Ordnung"
