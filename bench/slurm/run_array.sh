#!/usr/bin/env bash
# One conversion through the cluster, from submission to the merged report: submits INPUT as a
# TASKS-task array into a fresh OUTPUT and waits for the merge job to end. Exits with the merge's
# exit code. Needs SLURM_CONF (or a cluster) and PLAINQUILL_BATCH.
#   run_array.sh INPUT OUTPUT TASKS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$2" "$2.slurm"
merge=$("$here/../../scripts/slurm/submit.sh" "$1" "$2" "$3" | sed -n 's/.*merge job \([0-9]*\)$/\1/p')
while :; do
  line=$(scontrol show job -o "$merge")
  if [[ $line =~ JobState=(COMPLETED|FAILED|CANCELLED|TIMEOUT)\ .*ExitCode=([0-9]+) ]]; then
    exit "${BASH_REMATCH[2]}"
  fi
  sleep 0.05
done
