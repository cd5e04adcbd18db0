#!/usr/bin/env bash
# Which plainquill-batch submit.sh hands to the tasks: PLAINQUILL_BATCH, else the one in PATH, else
# the one beside the script. A stand-in sbatch records what the submission would have run.
set -u
submit=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$tmp/scripts" "$tmp/bin" "$tmp/path" "$tmp/named" "$tmp/in"
cp "$submit" "$(dirname "$submit")"/*.sbatch "$tmp/scripts/"
printf '#!/bin/sh\necho "$PLAINQUILL_BATCH" >> "%s/used"\necho 7\n' "$tmp" > "$tmp/bin/sbatch"
printf '#!/bin/sh\necho "$*" > "%s/arguments"\n' "$tmp" > "$tmp/scripts/plainquill-batch"
printf '#!/bin/sh\n' > "$tmp/path/plainquill-batch"
printf '#!/bin/sh\n' > "$tmp/named/converter"
chmod +x "$tmp/bin/sbatch" "$tmp/scripts/plainquill-batch" "$tmp/path/plainquill-batch" "$tmp/named/converter"
base=$tmp/bin:/usr/bin:/bin

used() { # the program the submission named, with PATH $1 and PLAINQUILL_BATCH $2
  rm -f "$tmp/used"
  env -u PLAINQUILL_BATCH PATH="$1" ${2:+PLAINQUILL_BATCH=$2} "$tmp/scripts/submit.sh" "$tmp/in" "$tmp/out" 2 \
    > "$tmp/said" 2>&1
  local status=$?
  head -n 1 "$tmp/used" 2>/dev/null || echo "exit $status: $(cat "$tmp/said")"
}

[ "$(used "$tmp/path:$base" "")" = "$tmp/path/plainquill-batch" ] || fail "PATH first: $(used "$tmp/path:$base" "")"
[ "$(used "$base" "")" = "$tmp/scripts/plainquill-batch" ] || fail "beside the script: $(used "$base" "")"
[ "$(used "$tmp/path:$base" "$tmp/named/converter")" = "$tmp/named/converter" ] || fail "PLAINQUILL_BATCH first"
# The endings chosen reach the one run that writes the queue every task reads.
used "$base" "" >/dev/null
grep -q -- "--formats word " "$tmp/arguments" || fail "default formats: $(cat "$tmp/arguments")"
PLAINQUILL_FORMATS=odt,wpd used "$base" "" >/dev/null
grep -q -- "--formats odt,wpd --write-queue" "$tmp/arguments" || fail "chosen formats: $(cat "$tmp/arguments")"
rm -r "$tmp/scripts/plainquill-batch" "$tmp/out" "$tmp/out.slurm"
said=$(used "$base" "")
[[ $said == "exit 2: "*"set PLAINQUILL_BATCH"* ]] || fail "none anywhere: $said"
[ ! -e "$tmp/out" ] || fail "a failed submission made the output folder"
echo "ok"
