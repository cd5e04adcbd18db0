#!/usr/bin/env bash
# plainquill-batch with one and with two workers against LibreOffice's own converter, on the sets
# of the adapter benchmark (corpus, tiny, large):
#   batch -j 1   - one LibreOffice worker
#   batch -j 2   - two workers side by side, each its own LibreOffice and profile
#   soffice all  - `soffice --convert-to` once for all files
#   soffice each - `soffice --convert-to` once per file
# Then one more `-j 2` run per set with --timings: where each worker's time went.
# Usage: [SETS="corpus tiny large"] [REPEATS=3] compare_batch_with_soffice.sh [BUILD_FOLDER]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/batch_bench_settings.sh"
repeats=${REPEATS:-3}
[ -d "$corpus" ] || { echo "no corpus at $corpus (set PLAINQUILL_CORPUS_DIR)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs GNU time (/usr/bin/time, Debian package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/plainquill-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
. "$here/../support/bench_documents.sh"

now_ms() { date +%s%3N; }

# Runs a command; sets $wall_ms and $rss_kb: the largest resident set of any one process it
# waited for, which for the batch is its largest LibreOffice worker.
measure() {
  local started finished
  started=$(now_ms)
  # A document that fails is reported, not fatal: the time still counts.
  /usr/bin/time -f '%M' -o "$work/rss" "$@" >"$work/last.log" 2>&1 || {
    echo "warning: exit status $? from ${1##*/}:" >&2; grep -v '^Command exited' "$work/last.log" | tail -3 >&2; }
  finished=$(now_ms)
  wall_ms=$((finished - started))
  rss_kb=$(tail -1 "$work/rss")
}

# Best (lowest) wall time of $repeats runs of each way, largest peak memory seen.
run_set() { # NAME FILE...
  local name=$1; shift
  local files=("$@") count=$#
  local best_j1=999999999 best_j2=999999999 best_all=999999999 best_each=999999999
  local rss_j1=0 rss_j2=0 rss_all=0 r f total
  soffice_command "$work/$name-profile"
  local soffice_run_set=("${soffice_run[@]}")
  # Warm-up: the soffice profile made once, as a user's would be; the batch's profile copy kept;
  # file caches filled.
  "${soffice_run_set[@]}" --convert-to "$text_filter" --outdir "$work/warm" "${files[0]}" >/dev/null 2>&1
  "$batch" -q -j 1 -o "$work/warm" "${files[0]}" >/dev/null 2>&1
  cat "${files[@]}" >/dev/null

  for r in $(seq 1 "$repeats"); do
    rm -rf "$work/out"; measure "$batch" -q -j 1 -o "$work/out" "${files[@]}"
    [ $wall_ms -lt $best_j1 ] && best_j1=$wall_ms; [ "$rss_kb" -gt $rss_j1 ] && rss_j1=$rss_kb
    rm -rf "$work/out"; measure "$batch" -q -j 2 -o "$work/out" "${files[@]}"
    [ $wall_ms -lt $best_j2 ] && best_j2=$wall_ms; [ "$rss_kb" -gt $rss_j2 ] && rss_j2=$rss_kb
    rm -rf "$work/out"; measure "${soffice_run_set[@]}" --convert-to "$text_filter" --outdir "$work/out" "${files[@]}"
    [ $wall_ms -lt $best_all ] && best_all=$wall_ms; [ "$rss_kb" -gt $rss_all ] && rss_all=$rss_kb
    if [ "${PER_FILE:-1}" = 1 ]; then
      total=0
      for f in "${files[@]}"; do
        measure "${soffice_run_set[@]}" --convert-to "$text_filter" --outdir "$work/out-each" "$f"
        total=$((total + wall_ms))
      done
      [ $total -lt $best_each ] && best_each=$total
    fi
  done

  awk -v set="$name" -v n="$count" -v j1="$best_j1" -v j2="$best_j2" -v all="$best_all" -v each="$best_each" \
      -v r1="$rss_j1" -v r2="$rss_j2" -v ra="$rss_all" -v reps="$repeats" 'BEGIN {
    printf "\n%s set: %d files, best of %s runs\n", set, n, reps
    printf "  %-30s %9s %12s %17s\n", "way", "wall s", "per file ms", "peak RSS MB"
    printf "  %-30s %9.2f %12.1f %17.0f\n", "plainquill-batch -j 1", j1 / 1000, j1 / n, r1 / 1024
    printf "  %-30s %9.2f %12.1f %17.0f\n", "plainquill-batch -j 2", j2 / 1000, j2 / n, r2 / 1024
    printf "  %-30s %9.2f %12.1f %17.0f\n", "soffice --convert-to, all", all / 1000, all / n, ra / 1024
    if (each < 999999999) printf "  %-30s %9.2f %12.1f\n", "soffice --convert-to, each", each / 1000, each / n
    printf "  ratios: -j 1 / soffice all %.3f (goal <= 1.05); soffice all / -j 2 %.2fx faster", j1 / all, all / j2
    if (each < 999999999) printf "; soffice each / -j 2 %.1fx", each / j2
    printf "\n  (peak RSS of the batch = its largest LibreOffice worker)\n" }'
  rm -rf "$work/out"
  "$batch" -q -j 2 --timings -o "$work/out" "${files[@]}" 2>&1 | sed 's/^/  /'
}

echo "LibreOffice $("$soffice" --version 2>/dev/null | head -1); $(nproc) cores"
for set in ${SETS:-corpus tiny large}; do
  case $set in
    corpus)
      mapfile -t corpus_files < <(find "$corpus" -type f \( -name '*.doc' -o -name '*.docx' -o -name '*.rtf' \
        -o -name '*.htm' -o -name '*.html' \) ! -name 'badfile-*' | sort)
      run_set corpus "${corpus_files[@]}" ;;
    tiny)
      make_tiny_documents
      mapfile -t tiny_files < <(ls "$cache"/tiny/tiny-*)
      run_set tiny "${tiny_files[@]}" ;;
    large)
      make_large_documents
      mapfile -t large_files < <(ls "$cache"/long-*.docx)
      run_set large "${large_files[@]}" ;;
    *) echo "unknown set $set" >&2; exit 1 ;;
  esac
done
