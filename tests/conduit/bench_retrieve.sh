#!/usr/bin/env bash
# Prints the figures of retrieving 5000 records of 1 KB through hotsync.exe and the real
# Dalvex.dll, beside a plain program that writes the same 5000 files directly.
# usage: bench_retrieve.sh WORK PLAIN_EXE   (with the BIN_* and PREFIX variables set)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/send/hotsync_session.sh"
work=$1
plain=$2
rm -rf "$work"; mkdir -p "$work/plain"

lay_out "$work/r"
perl "$here/retrieve/make_pdb.pl" "$work/r/handheld/Bench.pdb" Bench $(yes 1024 | head -n 5000)
ask_retrieval "$work/r"
start=$(date +%s.%N)
run_session "$work/r"
end=$(date +%s.%N)
[ -e "$work/r/HH2PC.dat" ] && [ -e "$work/r/PMData.4999" ] || { echo "the retrieval did not finish"; exit 1; }

# The copy itself: from the first record file to the marker.
first=$(stat -c %.9Y "$work/r/PMData.000")
marker=$(stat -c %.9Y "$work/r/HH2PC.dat")
plain_out=$(cd "$work" && wine "$plain" "$(windows_path "$work/plain")" </dev/null | tr -d '\r')
plain_seconds=$(echo "$plain_out" | sed -n 's/.* in \([0-9.]*\) s.*/\1/p')
echo "$plain_out"
awk -v s="$start" -v e="$end" -v f="$first" -v m="$marker" -v p="$plain_seconds" 'BEGIN {
  copy = m - f; if (copy <= 0) copy = 0.001
  printf "conduit: 5000 records in %.3f s, %.0f records/s; whole session %.3f s\n", copy, 5000 / copy, e - s
  printf "ratio: the conduit copy takes %.2f times the plain writes\n", copy / p
}'
