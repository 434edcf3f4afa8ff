#!/usr/bin/env bash
# Scans one tree with two builds of kolvex-cli (for example the one of the main branch and
# this one) and checks that the two catalogs are byte for byte the same apart from the
# header's creation time: the files have the same size and every differing byte lies in
# that one value. Usage: bench/compare_scans.sh OLD_CLI NEW_CLI TREE
set -euo pipefail
old=$1 new=$2 tree=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/old" "$work/new"
"$old" scan --yes --archives "$work/old" "$tree" >/dev/null
"$new" scan --yes --archives "$work/new" "$tree" >/dev/null
a=$(ls "$work"/old/*.qel) b=$(ls "$work"/new/*.qel)
echo "old: $(stat -c %s "$a") bytes, new: $(stat -c %s "$b") bytes"
[ "$(stat -c %s "$a")" = "$(stat -c %s "$b")" ] || { echo "sizes differ"; exit 1; }
# Where the header's CreateDateTime value lies: its name, then the value code, then 10 bytes.
name_at=$(grep -obUaP 'CreateDateTime' "$a" | awk -F: 'NR == 1 {print $1}')
first=$((name_at + 14 + 1 + 1)) last=$((name_at + 14 + 1 + 10))  # cmp counts from 1
diffs=$(cmp -l "$a" "$b" | awk '{print $1}' || true)
outside=$(for o in $diffs; do [ "$o" -ge "$first" ] && [ "$o" -le "$last" ] || echo "$o"; done)
echo "differing bytes: $(echo -n "$diffs" | grep -c . || true), outside the creation time: $(echo -n "$outside" | grep -c . || true)"
[ -z "$outside" ]
