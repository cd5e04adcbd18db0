# Times a subject against one `soffice --convert-to` for all files, run in turn (subject, soffice,
# subject, soffice ...) so that a machine whose speed drifts slows both alike; prints each pair's
# ratio subject/soffice and their median, on the sets named in $SETS: tiny (50 one-paragraph
# documents), corpus (the real documents, read in place) and large (ten 200-page .docx).
# Sourced after batch_bench_settings.sh by a script that defines:
#   subject_ms OUT_FOLDER FILE...   the subject's milliseconds for converting FILE... into OUT_FOLDER
#   subject_warm OUT_FOLDER FILE    one untimed conversion, to fill the caches
# and sets $subject_name.
pairs=${PAIRS:-5}
work=$(mktemp -d "${TMPDIR:-/tmp}/plainquill-pair-XXXXXX")
trap 'rm -rf "$work"' EXIT
. "$here/../support/bench_documents.sh"

now_ms() { date +%s%3N; }
# Wall milliseconds of a command, its output thrown away; a failing document is no reason to stop.
wall_ms() {
  local started
  started=$(now_ms)
  "$@" >/dev/null 2>&1 || true
  echo $(($(now_ms) - started))
}

median() { sort -n | awk '{ r[NR] = $1 } END { print (NR % 2) ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2 }'; }

pair_set() { # NAME FILE...
  local name=$1; shift
  local files=("$@") ratios=() i a b
  soffice_command "$work/soffice-profile"
  # Warm-up: the soffice profile made once, as a user's would be; the file caches filled.
  "${soffice_run[@]}" --convert-to "$text_filter" --outdir "$work/warm" "${files[0]}" >/dev/null 2>&1 || true
  subject_warm "$work/warm" "${files[0]}"
  for i in $(seq 1 "$pairs"); do
    rm -rf "$work/out"; mkdir -p "$work/out"; a=$(subject_ms "$work/out" "${files[@]}")
    rm -rf "$work/out"; b=$(wall_ms "${soffice_run[@]}" --convert-to "$text_filter" --outdir "$work/out" "${files[@]}")
    ratios+=("$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", a / b }')")
    printf '  %s pair %d: %s %.2f s, soffice all %.2f s\n' "$name" "$i" "$subject_name" "$((a))e-3" "$((b))e-3"
  done
  printf '%s (%d files): %s / soffice all, median of %d pairs: %s\n' "$name" "${#files[@]}" "$subject_name" \
    "$pairs" "$(printf '%s\n' "${ratios[@]}" | median)"
}

pair_sets() {
  echo "LibreOffice $("$soffice" --version 2>/dev/null | head -1); $(nproc) cores; load $(cut -d' ' -f1-3 /proc/loadavg)"
  local set
  for set in ${SETS:-tiny corpus large}; do
    case $set in
      corpus)
        mapfile -t files < <(find "$corpus" -type f \( -name '*.doc' -o -name '*.docx' -o -name '*.rtf' \
          -o -name '*.htm' -o -name '*.html' \) ! -name 'badfile-*' | sort) ;;
      tiny) make_tiny_documents; mapfile -t files < <(ls "$cache"/tiny/tiny-*) ;;
      large) make_large_documents; mapfile -t files < <(ls "$cache"/long-*.docx) ;;
      *) echo "unknown set $set" >&2; exit 1 ;;
    esac
    pair_set "$set" "${files[@]}"
  done
}
