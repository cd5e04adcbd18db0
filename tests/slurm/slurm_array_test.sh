#!/usr/bin/env bash
# A conversion submitted to a real one-node cluster of the test's own: a job array of three tasks
# writes what one plainquill-batch run writes, and its merged report lists every document; a task
# cancelled while it runs, once submitted again, completes the set.
#   slurm_array_test.sh PLAINQUILL_BATCH SUBMIT_SCRIPT CORPUS_DATA_FOLDER
set -euo pipefail

batch=$1
submit=$2
corpus=$3
skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "the cluster's daemons need root"
command -v sbatch >/dev/null && [ -x /usr/sbin/slurmd ] && [ -x /usr/sbin/munged ] \
  || skip "slurm-wlm and munge are not installed (scripts/install-deps.sh)"
[ -d "$corpus" ] || skip "no corpus at $corpus"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/plainquill-slurm.XXXXXX")
cluster=$(dirname "$0")/../../scripts/slurm/one_node_cluster.sh
cleanup() {
  "$cluster" stop "$tmp/cluster" || true
  # A LibreOffice of ours has its profile, and so its command line, below $tmp.
  if pgrep -f -- "$tmp" >/dev/null; then
    echo "FAIL: processes outlived the test:"; pgrep -af -- "$tmp"
    # shellcheck disable=SC2046 # one id a word
    kill -9 $(pgrep -f -- "$tmp/") 2>/dev/null || true
    status=1
  fi
  rm -rf "$tmp"
  exit "${status:-0}"
}
trap 'status=$?; cleanup' EXIT
fail() { echo "FAIL: $*"; status=1; exit 1; }

export TMPDIR=$tmp PLAINQUILL_BATCH=$batch
eval "export $("$cluster" start "$tmp/cluster")"

# A few documents, two sharing a base name, one that LibreOffice cannot read as what it claims.
mkdir -p "$tmp/in/sub"
cp -p "$corpus"/{test01.doc,test02.doc,test03.docx,test04.doc,test05.doc,test06.docx} "$tmp/in/"
cp -p "$corpus"/test01.docx "$corpus"/test07.doc "$tmp/in/sub/"

"$batch" -r -q -j 2 --report "$tmp/one.csv" -o "$tmp/one" "$tmp/in" || fail "the single run failed"

# Ends when the job has left the queue's running states; prints its state and exit code.
wait_job() {
  local line
  for _ in $(seq 600); do
    line=$(scontrol show job -o "$1" 2>/dev/null || true)
    if [[ $line =~ JobState=(COMPLETED|FAILED|CANCELLED|TIMEOUT|NODE_FAIL|OUT_OF_MEMORY)\ .*ExitCode=([0-9]+) ]]
    then
      echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
      return 0
    fi
    sleep 0.2
  done
  fail "job $1 did not end: $(scontrol show job -o "$1")"
}
job_ids() { sed -n 's/^array job \([0-9]*\) .*, merge job \([0-9]*\)$/\1 \2/p'; }
# The report with the output folder's name made neutral and the seconds left out.
comparable() { sed "s#$2#OUT#" "$1" | cut -d, -f1-4; }

# The whole array, three tasks.
read -r array merge < <("$submit" "$tmp/in" "$tmp/out" 3 | job_ids)
[ "$(wait_job "$merge")" = "COMPLETED 0" ] || fail "the merge did not end with 0: $(cat "$tmp/out.slurm/merge.log")"
diff -r -x '.plainquill-manifest*' "$tmp/one" "$tmp/out" || fail "the array's outputs differ from one run's"
diff <(comparable "$tmp/one.csv" "$tmp/one") <(comparable "$tmp/out.slurm/report.csv" "$tmp/out") \
  || fail "the merged report differs from one run's"
[ "$(wc -l < "$tmp/out.slurm/report.csv")" -eq 9 ] || fail "the merged report does not list all 8 documents"
for k in 0 1 2; do
  grep -q ",converted,.*,$k/3$" "$tmp/out.slurm/shard-$k.csv" || fail "task $k converted nothing"
done

# Task 1 cancelled while it runs: the merge names it; submitted again, the set is complete.
read -r array merge < <(PLAINQUILL_SBATCH_OPTIONS=--hold "$submit" "$tmp/in" "$tmp/again" 3 | job_ids)
scontrol release "${array}_0" "${array}_2" >/dev/null
wait_job "${array}_0" >/dev/null
wait_job "${array}_2" >/dev/null
scontrol release "${array}_1" "$merge" >/dev/null
for _ in $(seq 100); do
  squeue -h -j "${array}_1" -o %T | grep -q RUNNING && break
  sleep 0.1
done
scancel "${array}_1"
[ "$(wait_job "${array}_1" | cut -d' ' -f1)" = CANCELLED ] || fail "task 1 was not cancelled"
[ "$(wait_job "$merge")" = "FAILED 1" ] || fail "the merge did not fail with 1 with task 1 cancelled"
grep -q "shard 1/3 did not report" "$tmp/again.slurm/merge.log" || fail "the merge did not name shard 1/3"

read -r array merge < <("$submit" "$tmp/in" "$tmp/again" 3 1 | job_ids)
[ "$(wait_job "$merge")" = "COMPLETED 0" ] \
  || fail "the merge after task 1 ran again: $(cat "$tmp/again.slurm/merge.log")"
diff -r -x '.plainquill-manifest*' "$tmp/one" "$tmp/again" || fail "the resumed array's outputs differ from one run's"
diff <(comparable "$tmp/one.csv" "$tmp/one") <(comparable "$tmp/again.slurm/report.csv" "$tmp/again") \
  || fail "the resumed array's merged report differs from one run's"
echo "PASS"
