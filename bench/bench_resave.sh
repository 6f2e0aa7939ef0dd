#!/bin/bash
# `zandrel-data resave` of a folder, the whole process, against copying its
# two files and flushing them (cp, then sync): the median of ROUNDS runs of
# each, alternating, in milliseconds. Prints figures; not a test.
# Usage: bench/bench_resave.sh ZANDREL_DATA FOLDER [ROUNDS]
set -eu
tool=$1 folder=$2 rounds=${3:-9}
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT

ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

resave=() copied=()
for _ in $(seq "$rounds"); do
    start=$(date +%s%N)
    "$tool" resave "$folder" >/dev/null
    resave+=("$(ms "$start")")
    start=$(date +%s%N)
    cp "$folder/ZandrelData.dat" "$folder/ZandrelData_Memo.dat" "$copy/"
    sync
    copied+=("$(ms "$start")")
done
r=$(printf '%s\n' "${resave[@]}" | median)
c=$(printf '%s\n' "${copied[@]}" | median)
echo "resave ${r} ms, cp + sync ${c} ms, ratio $(awk -v r="$r" -v c="$c" 'BEGIN { printf "%.2f", r / (c ? c : 1) }')"
