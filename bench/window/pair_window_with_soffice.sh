#!/usr/bin/env bash
# The window's run, from the Start click to the last text, against one `soffice --convert-to` for
# all files, in alternating pairs, on the tiny, corpus and large sets
# (bench/support/pair_with_soffice.sh). The window is built offscreen by window_run_bench, which
# queues the files and waits, as a user choosing the output folder would, for the LibreOffice it
# starts ahead before it clicks Start.
# Usage: [SETS="tiny corpus large"] [PAIRS=5] pair_window_with_soffice.sh [BUILD_FOLDER]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/batch_bench_settings.sh"
window_run=$build/bench/window/window_run_bench
[ -x "$window_run" ] || { echo "build window_run_bench first ($window_run)" >&2; exit 1; }
subject_name="window run"
subject_ms() { QT_QPA_PLATFORM=offscreen "$window_run" "$@" 2>/dev/null | awk '$1 == "run" { print $2 }'; }
subject_warm() { subject_ms "$@" >/dev/null; }
. "$here/../support/pair_with_soffice.sh"
pair_sets
