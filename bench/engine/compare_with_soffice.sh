#!/usr/bin/env bash
# Converts the same documents to text three ways and compares wall time and peak memory:
#   adapter   - this program's LibreOffice adapter: one LibreOffice, open/save/close per file
#   per-file  - `soffice --convert-to` once per file
#   batch     - `soffice --convert-to` once for all files
# on three sets: the corpus documents that convert (corpus), fifty generated one-paragraph documents
# (tiny) and ten generated ~200-page .docx files (large).
# Usage: [SETS="corpus tiny large"] compare_with_soffice.sh [BUILD_FOLDER]   (see README.md)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
batch_program=$build/bench/engine/libreoffice_adapter_batch
corpus=${PLAINQUILL_CORPUS_DIR:-$here/../../../shared/corpus}
[ -d "$corpus" ] || corpus=/work/shared/corpus
soffice=${SOFFICE:-/usr/lib/libreoffice/program/soffice}
repeats=${REPEATS:-3}
large_count=10
large_paragraphs=3000 # about 15 paragraphs of filler make a page
cache=${PLAINQUILL_BENCH_CACHE:-${TMPDIR:-/tmp}/plainquill-bench-cache}
text_filter='txt:Text (encoded):UTF8,LF,,,false' # what the adapter writes: UTF-8, LF, no BOM

[ -x "$batch_program" ] || { echo "build libreoffice_adapter_batch first ($batch_program)" >&2; exit 1; }
[ -d "$corpus" ] || { echo "no corpus at $corpus (set PLAINQUILL_CORPUS_DIR)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs GNU time (/usr/bin/time, Debian package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/plainquill-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

now_ms() { date +%s%3N; }
. "$here/../support/bench_documents.sh"

# Runs a command; sets $wall_ms and $rss_kb (largest resident set of any process it waited for).
measure() {
  local started finished
  started=$(now_ms)
  /usr/bin/time -f '%M' -o "$work/rss" "$@" >"$work/last.log" 2>&1 || {
    echo "failed: $*" >&2; tail -5 "$work/last.log" >&2; return 1; }
  finished=$(now_ms)
  wall_ms=$((finished - started))
  rss_kb=$(tail -1 "$work/rss")
}

# Best (lowest) wall time of $repeats runs for each way; peak memory is the largest seen.
run_set() { # NAME FILE...
  local name=$1; shift
  local files=("$@") count=$#
  local best_adapter=999999999 best_per_file=999999999 best_batch=999999999
  local rss_adapter=0 rss_per_file=0 rss_batch=0 adapter_files_ms=0
  local profile_per_file="$work/$name-per-file-profile" profile_batch="$work/$name-batch-profile"

  # Warm-up: profiles for the soffice runs are made once, as a user's would be; file caches filled.
  local per_file_run batch_run
  soffice_command "$profile_per_file"; per_file_run=("${soffice_run[@]}")
  soffice_command "$profile_batch"; batch_run=("${soffice_run[@]}")
  "${per_file_run[@]}" --convert-to "$text_filter" --outdir "$work/warm" "${files[0]}" >/dev/null 2>&1
  "${batch_run[@]}" --convert-to "$text_filter" --outdir "$work/warm" "${files[0]}" >/dev/null 2>&1
  cat "${files[@]}" >/dev/null

  local r f total rss
  for r in $(seq 1 "$repeats"); do
    rm -rf "$work/out"; mkdir -p "$work/out"
    measure "$batch_program" "$work/out" "${files[@]}"
    if [ $wall_ms -lt $best_adapter ]; then
      best_adapter=$wall_ms
      adapter_files_ms=$(awk -F'\t' '$1 == "file" { s += $2 } END { printf "%d", s }' "$work/last.log")
    fi
    [ "$rss_kb" -gt $rss_adapter ] && rss_adapter=$rss_kb

    total=0; rss=0
    for f in "${files[@]}"; do
      measure "${per_file_run[@]}" --convert-to "$text_filter" --outdir "$work/out-per-file" "$f"
      total=$((total + wall_ms)); [ "$rss_kb" -gt $rss ] && rss=$rss_kb
    done
    [ $total -lt $best_per_file ] && best_per_file=$total
    [ $rss -gt $rss_per_file ] && rss_per_file=$rss

    measure "${batch_run[@]}" --convert-to "$text_filter" --outdir "$work/out-batch" "${files[@]}"
    [ $wall_ms -lt $best_batch ] && best_batch=$wall_ms
    [ "$rss_kb" -gt $rss_batch ] && rss_batch=$rss_kb
  done

  awk -v set="$name" -v n="$count" -v a="$best_adapter" -v af="$adapter_files_ms" -v p="$best_per_file" \
      -v b="$best_batch" -v ra="$rss_adapter" -v rp="$rss_per_file" -v rb="$rss_batch" 'BEGIN {
    printf "\n%s set: %d files, best of %s runs\n", set, n, ENVIRON["repeats"]
    printf "  %-34s %9s %12s %12s\n", "way", "wall s", "per file ms", "peak RSS MB"
    printf "  %-34s %9.2f %12.1f %12.0f\n", "adapter, one LibreOffice", a / 1000, a / n, ra / 1024
    printf "  %-34s %9s %12.1f\n", "  of which open+save+close", "", af / n
    printf "  %-34s %9.2f %12.1f %12.0f\n", "soffice --convert-to per file", p / 1000, p / n, rp / 1024
    printf "  %-34s %9.2f %12.1f %12.0f\n", "soffice --convert-to all at once", b / 1000, b / n, rb / 1024
    printf "  ratios: adapter/batch time %.3f, per-file/adapter time %.1f, adapter/batch peak memory %.2f\n",
           a / b, p / a, ra / rb }'
}

export repeats
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
