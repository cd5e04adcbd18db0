#!/usr/bin/env bash
# The large set (ten 200-page .docx) as a 2-task job array with one LibreOffice worker per task,
# against one plainquill-batch -j 2 on the same files, on a one-node cluster started here; then
# the cluster's own cost per conversion: the same array with a program that does nothing.
# Prints /usr/bin/time figures per run and the ratios; run by hand as root on an idle machine.
#   [REPEATS=3] compare_array_with_batch.sh [BUILD_FOLDER]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
batch=$build/plainquill-batch
soffice=${SOFFICE:-/usr/lib/libreoffice/program/soffice}
repeats=${REPEATS:-3}
large_count=10
large_paragraphs=3000
cache=${PLAINQUILL_BENCH_CACHE:-${TMPDIR:-/tmp}/plainquill-bench-cache}
[ -x "$batch" ] || { echo "build plainquill-batch first ($batch)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "the one-node cluster's daemons need root" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/plainquill-slurm-bench-XXXXXX")
cluster=$here/../../scripts/slurm/one_node_cluster.sh
trap '"$cluster" stop "$work/cluster"; rm -rf "$work"' EXIT
. "$here/../support/bench_documents.sh"
make_large_documents
mkdir -p "$work/large"
cp -p "$cache"/long-*.docx "$work/large/"
eval "export $("$cluster" start "$work/cluster")"
export TMPDIR=$work PLAINQUILL_BATCH=$batch PLAINQUILL_SBATCH_OPTIONS=--cpus-per-task=1

seconds() { # COMMAND... : wall seconds, from GNU time
  /usr/bin/time -f %e -o "$work/time" "$@" >/dev/null 2>&1 || echo "warning: exit $? from $*" >&2
  cat "$work/time"
}

printf '%-4s %10s %10s %10s\n' run "array s" "batch s" ratio
ratios=()
for r in $(seq "$repeats"); do
  a=$(seconds "$here/run_array.sh" "$work/large" "$work/out-array" 2)
  rm -rf "$work/out-one"
  b=$(seconds "$batch" -r -q -j 2 --skip-existing -o "$work/out-one" "$work/large")
  diff -r -q -x '.plainquill-manifest*' "$work/out-array" "$work/out-one" >/dev/null || echo "warning: outputs differ" >&2
  ratio=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", a / b }')
  ratios+=("$ratio")
  printf '%-4s %10s %10s %10s\n' "$r" "$a" "$b" "$ratio"
done
median=$(printf '%s\n' "${ratios[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
printf 'median ratio array/batch: %s\n' "$median"

# The cluster's cost alone: submission, two tasks, the merge job, with a program that does nothing
# but write an empty report.
cat > "$work/nothing" <<'NOTHING'
#!/bin/sh
for a; do [ "$prev" = --report ] && : > "$a"; prev=$a; done
case "$1" in --merge-reports) exit 0 ;; esac
NOTHING
chmod +x "$work/nothing"
for r in $(seq "$repeats"); do
  printf 'empty 2-task array with its merge, run %s: %s s\n' "$r" \
    "$(PLAINQUILL_BATCH=$work/nothing seconds "$here/run_array.sh" "$work/large" "$work/out-nothing" 2)"
done
