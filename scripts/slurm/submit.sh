#!/usr/bin/env bash
# Converts INPUT (a folder, with its sub-folders) into OUTPUT with TASKS array tasks, then merges
# their reports into OUTPUT.slurm/report.csv. INPUT and OUTPUT must be on a file system every node
# sees, and LibreOffice installed on every node.
#   submit.sh INPUT OUTPUT TASKS [IDS]
# The queue is written once, to OUTPUT.slurm/queue.csv, and every task reads it, so the tasks
# share out and name the same documents however the input changes while they wait.
# IDS submits only those tasks again (sbatch --array syntax: "1", "0,2", "3-5"), after a task
# failed or was cancelled; they read the queue the others read, and the merge runs again after
# them. Running the whole set again is safe too: the queue is written anew, and each task leaves
# alone what its output folder's manifests say is already converted from the same document.
# PLAINQUILL_FORMATS chooses the endings the input folder gives, as plainquill-batch --formats does
# (default: word); it applies where the queue is written, so every task converts the same choice.
# PLAINQUILL_BATCH names the program (default: plainquill-batch in PATH, else the one beside this
# script); SBATCH_* variables and PLAINQUILL_SBATCH_OPTIONS (e.g. "--partition=long
# --cpus-per-task=4") reach both submissions.
set -euo pipefail

if [ $# -lt 3 ] || [ $# -gt 4 ]; then
  echo "usage: $0 INPUT OUTPUT TASKS [IDS]" >&2
  exit 2
fi
if ! [[ $3 =~ ^[0-9]+$ ]] || [ "$3" -lt 1 ]; then
  echo "$0: TASKS must be a number of array tasks, at least 1, not '$3'" >&2
  exit 2
fi
if [ ! -e "$1" ]; then
  echo "$0: no input $1" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
input=$(realpath "$1")
output=$(realpath -m "$2")
tasks=$3
ids=${4:-0-$((tasks - 1))}
work="$output.slurm"

# The program: PLAINQUILL_BATCH when set, else plainquill-batch in PATH, else the one beside this
# script (an unpacked release keeps them together).
if [ -n "${PLAINQUILL_BATCH:-}" ]; then
  batch=$PLAINQUILL_BATCH
elif command -v plainquill-batch >/dev/null; then
  batch=plainquill-batch
elif [ -x "$here/plainquill-batch" ]; then
  batch=$here/plainquill-batch
else
  echo "$0: plainquill-batch is neither in PATH nor beside this script; set PLAINQUILL_BATCH to it" >&2
  exit 2
fi
command -v "$batch" >/dev/null || { echo "$0: $batch not found; set PLAINQUILL_BATCH" >&2; exit 2; }
export PLAINQUILL_BATCH=$(realpath "$(command -v "$batch")")
mkdir -p "$output" "$work"

queue="$work/queue.csv"
if [ $# -eq 4 ]; then
  [ -f "$queue" ] || { echo "$0: no queue $queue to submit tasks again with; submit the whole set" >&2; exit 2; }
else
  "$PLAINQUILL_BATCH" -q -r --formats "${PLAINQUILL_FORMATS:-word}" --write-queue "$queue" -o "$output" "$input"
fi

# shellcheck disable=SC2086 # the extra options are words on purpose
array=$(sbatch --parsable --chdir="$work" --array="$ids" --output="$work/task-%a.log" \
  --export="ALL,PLAINQUILL_SHARDS=$tasks" ${PLAINQUILL_SBATCH_OPTIONS:-} \
  "$here/plainquill-array.sbatch" "$queue" "$output" "$work")
array=${array%%;*}
# shellcheck disable=SC2086
merge=$(sbatch --parsable --chdir="$work" --dependency="afterany:$array" --output="$work/merge.log" \
  ${PLAINQUILL_SBATCH_OPTIONS:-} "$here/plainquill-merge.sbatch" "$work" "$tasks")
merge=${merge%%;*}
echo "array job $array (tasks $ids of 0-$((tasks - 1))), merge job $merge"
echo "report: $work/report.csv; logs: $work/"
