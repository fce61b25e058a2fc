#!/bin/bash
# What a user waits for with many stations, each measured in a fresh process, as the median of
# several runs (the machine may be shared, so single runs say little): loading 100,000 stations
# against reading the same file from the page cache, with the highest resident memory; the
# start of the program up to the painted map with 5,000 stations; a CSV file of 100,000 stations
# made into a database file; 20,000 stations merged into 20,000.
#
#   bench/fresh_process.sh BUILD_DIR [RUNS]
#
# The stations are made up by bench/make_stations; the files go to a temporary folder.
set -eu

build=$(cd "$1" && pwd)
runs=${2:-7}
tool="$build/bin/pelvanor-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# measure LABEL PREPARE COMMAND...: runs PREPARE, then times COMMAND, RUNS times; prints the
# median of the wall times and of the highest resident memory.
measure() {
    local label=$1 prepare=$2
    shift 2
    local times=() memory=()
    for _ in $(seq "$runs"); do
        eval "$prepare"
        local start end
        start=$(date +%s%N)
        /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
        memory+=($(tail -n 1 "$work/rss"))
    done
    local time rss
    time=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    rss=$(printf '%s\n' "${memory[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    printf '%-46s %8.3f s %8d KB\n' "$label" "$(echo "$time / 1000000" | bc -l)" "$rss"
}

"$build/bench/make_stations" 100000 11 "$work/100000.csv"
"$build/bench/make_stations" 5000 12 "$work/5000.csv"
"$build/bench/make_stations" 20000 13 "$work/target.csv"
"$build/bench/make_stations" 20000 14 "$work/incoming.csv"
for name in 100000 5000 target incoming; do
    "$tool" convert "$work/$name.csv" "$work/$name.dat" >/dev/null 2>&1
done
mkdir "$work/program"
cp "$work/5000.dat" "$work/program/pelvanor.dat"
ln -s "$build/bin/tvxres.dll" "$work/program/tvxres.dll"

echo "median of $runs runs each; file of 100,000 stations: $(stat -c %s "$work/100000.dat") bytes"
measure "read 100,000 stations' file (dd)" "" dd if="$work/100000.dat" of=/dev/null bs=64M
measure "load 100,000 stations (pelvanor-tool info)" "" "$tool" info "$work/100000.dat"
measure "start to painted map, 5,000 stations" "" \
    env QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bench/start_to_map" "$work/program/"
measure "CSV import of 100,000 to a native file" "" \
    "$tool" convert "$work/100000.csv" "$work/converted.dat"
measure "merge 20,000 into 20,000 (pelvanor-tool merge)" \
    'cp "$work/target.dat" "$work/merged.dat"' "$tool" merge "$work/merged.dat" "$work/incoming.dat"
