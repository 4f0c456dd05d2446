#!/usr/bin/env bash
# Time from the start of corvane-netsh to a new address and default route on a
# lab connection, against the same changes made with `ip`, one process per
# change. Both run alternately in the same lab, so each measured run really
# changes the connection. Root only.
# Usage: bench/netsh_apply_bench.sh [BUILD_DIR] [ROUNDS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-$here/../build}")
rounds=${2:-50}
netsh=$build/src/tools/netsh/corvane-netsh
[ -x "$netsh" ] || { echo "no $netsh; build first"; exit 1; }
. "$here/../tests/lab/lab.sh"
lab_require_root || exit 77
trap lab_down EXIT
lab_up || { echo "lab setup failed"; exit 1; }
mkdir -p "$LAB_DIR/varlib" "$LAB_DIR/run" "$LAB_DIR/work"

export NETSH=$netsh ROUNDS=$rounds
# Everything is timed inside the client namespace, so that neither side pays
# for entering it; the store and lease files stay in the lab.
lab_client unshare -m bash -c '
mount --bind "$LAB_DIR/varlib" /var/lib && mount --bind "$LAB_DIR/run" /run && cd "$LAB_DIR/work" || exit 1
dev=$LAB_LAN_IF
for x in 50 51; do
    printf "interface ip set add name = \"%s\" source = static addr = 10.231.1.%s mask = 255.255.255.0\n" "$LAB_LAN_NAME" $x >$x.cfg
    printf "interface ip set add name = \"%s\" gateway = 10.231.1.%s gwmetric = 1\n" "$LAB_LAN_NAME" $((x - 48)) >>$x.cfg
done
now() { local t=${EPOCHREALTIME/./}; echo "$t"; }
visible() { # address and route of configuration $1 in place
    ip -4 -o addr show dev "$dev" | grep -q "10.231.1.$1/24" &&
        ip -4 route show default dev "$dev" | grep -q "via 10.231.1.$(($1 - 48))"
}
"$NETSH" -f 51.cfg >/dev/null || exit 1
for ((i = 0; i < ROUNDS; i++)); do
    t0=$(now); "$NETSH" -f 50.cfg >/dev/null; t1=$(now)
    visible 50 || { echo "netsh: change not visible"; exit 1; }
    echo "netsh $((t1 - t0))"
    t0=$(now)
    ip addr del 10.231.1.50/24 dev "$dev"
    ip addr add 10.231.1.51/24 brd + dev "$dev"
    ip route del default dev "$dev" 2>/dev/null
    ip route add default via 10.231.1.3 dev "$dev" metric 1
    t1=$(now)
    visible 51 || { echo "ip: change not visible"; exit 1; }
    echo "ip $((t1 - t0))"
done' >"$LAB_DIR/times" || { cat "$LAB_DIR/times"; exit 1; }

summary() { # median and mean in ms of one method
    grep "^$1 " "$LAB_DIR/times" | awk '{print $2}' | sort -n |
        awk '{v[NR] = $1; s += $1} END {printf "%.2f %.2f", v[int((NR + 1) / 2)] / 1000, s / NR / 1000}'
}
read -r nmed nmean <<<"$(summary netsh)"
read -r imed imean <<<"$(summary ip)"
echo "rounds: $rounds"
echo "corvane-netsh (1 process, 2 lines): median $nmed ms, mean $nmean ms"
echo "ip (4 processes, 4 changes):        median $imed ms, mean $imean ms"
awk -v a="$nmed" -v b="$imed" 'BEGIN {printf "ratio netsh/ip (medians): %.2f\n", a / b}'
