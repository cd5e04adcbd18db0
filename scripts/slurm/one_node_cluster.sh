#!/usr/bin/env bash
# A one-node cluster on this machine, to try the job-array scripts, test and benchmark them:
# munged, slurmctld and slurmd started as root from a folder of their own (key, socket,
# slurm.conf, state, logs) on free ports, apart from any cluster configured on the machine.
#   one_node_cluster.sh start FOLDER   prints the lines to source (SLURM_CONF=...)
#   one_node_cluster.sh stop FOLDER    ends the daemons it started there, and only those
set -euo pipefail

action=$1
dir=$2

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

stop() {
  for name in slurmd slurmctld munged; do
    [ -s "$dir/$name.pid" ] || continue
    pid=$(cat "$dir/$name.pid")
    # Only a process whose command line names this folder is ours to end.
    if grep -qs -- "$dir" "/proc/$pid/cmdline"; then
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/$name.pid"
  done
}

start() {
  mkdir -p "$dir"/{munge,state,spool,log}
  chmod 700 "$dir" "$dir/munge"
  dd if=/dev/urandom of="$dir/munge/key" bs=1024 count=1 status=none
  chmod 400 "$dir/munge/key"
  /usr/sbin/munged --force --socket="$dir/munge/socket" --key-file="$dir/munge/key" \
    --pid-file="$dir/munged.pid" --log-file="$dir/log/munged.log" --seed-file="$dir/munge/seed"

  local host cpus
  host=$(hostname -s)
  cpus=$(nproc)
  cat > "$dir/slurm.conf" <<CONF
ClusterName=plainquilltest
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$(free_port)
SlurmdPort=$(free_port)
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$dir/munge/socket
CredType=cred/munge
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool/%n
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SwitchType=switch/none
MpiDefault=none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
SlurmctldTimeout=30
SlurmdTimeout=30
InactiveLimit=0
KillWait=5
MinJobAge=300
NodeName=$host NodeAddr=127.0.0.1 CPUs=$cpus State=UNKNOWN
PartitionName=test Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
  # Processes are tracked by their parents (proctrack/linuxproc) and nothing is confined, so no
  # cgroup is needed; an empty cgroup.conf beside slurm.conf keeps the machine's own out.
  : > "$dir/cgroup.conf"
  export SLURM_CONF=$dir/slurm.conf
  /usr/sbin/slurmctld -i -f "$SLURM_CONF"
  /usr/sbin/slurmd -f "$SLURM_CONF" -N "$host"
  for _ in $(seq 100); do
    if sinfo -h -o '%T' 2>/dev/null | grep -qx idle; then
      echo "SLURM_CONF=$SLURM_CONF"
      return 0
    fi
    sleep 0.2
  done
  echo "the one-node cluster did not come up; its logs are in $dir/log" >&2
  stop
  return 1
}

case $action in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop FOLDER" >&2; exit 2 ;;
esac
