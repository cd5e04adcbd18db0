#!/usr/bin/env bash
# plainquill-batch -j 2 against one `soffice --convert-to` for all files, in alternating pairs, on
# the tiny, corpus and large sets (bench/support/pair_with_soffice.sh).
# Usage: [SETS="tiny corpus large"] [PAIRS=5] [JOBS=2] pair_batch_with_soffice.sh [BUILD_FOLDER]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/batch_bench_settings.sh"
jobs=${JOBS:-2}
subject_name="batch -j $jobs"
subject_ms() { local out=$1; shift; wall_ms "$batch" -q -j "$jobs" -o "$out" "$@"; }
subject_warm() { "$batch" -q -j 1 -o "$1" "$2" >/dev/null 2>&1 || true; }
. "$here/../support/pair_with_soffice.sh"
pair_sets
