#!/usr/bin/env bash
# Live capture under load, in the lab's namespaces: the router namespace
# floods router hellos onto the client's segment at a fixed rate for SECONDS;
# corvanectl lookup, and then tcpdump, capture them on the client side. Prints
# the packets sent, captured and lost per rate (counted by the kernel, or
# missing from what was sent) and, per capturer, the highest rate without loss.
# Rate 0 floods as fast as the sender can. Root only; a measurement, not a test.
# Usage: bench/capture_lab.sh BUILD_DIR [SECONDS] [RATE...]
set -u
build=$(cd "${1:?build directory}" && pwd)
seconds=${2:-10}
shift 2 2>/dev/null || shift $#
rates=("$@")
[ ${#rates[@]} -eq 0 ] && rates=(50000 100000 150000 200000 250000 300000 0)
ctl=$build/src/tools/corvanectl
announcer=$build/tests/lab/corvane_announcer
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/lab/lab.sh"
lab_require_root || exit 77
command -v tcpdump >/dev/null || { echo "tcpdump is missing (scripts/deps installs it)"; exit 1; }
trap lab_down EXIT
lab_up >/dev/null || { echo "lab setup failed"; exit 1; }
work=$LAB_DIR/measure
mkdir -p "$work"
r=$LAB_ROUTER_LAN_IP

flood() { # RATE: prints the flooder's own report
    lab_router "$announcer" --interface "$LAB_ROUTER_LAN_IF" --flood "$1" --seconds "$seconds" \
        --hsrp "$r,10.231.1.254" --vrrp "$r,10.231.1.253" --ospf "$r,$LAB_MASK" --eigrp "$r" \
        --rip "$r,2"
}

measure_corvane() { # RATE -> "sent captured drops"
    lab_client "$ctl" lookup "$LAB_LAN_IP" --seconds $((seconds + 2)) --stats \
        >/dev/null 2>"$work/corvane" &
    local pid=$!
    sleep 1
    local sent
    sent=$(flood "$1" | awk '{print $2}')
    wait $pid
    # "packets N, kernel drops K, queue drops Q"
    awk -v s="$sent" '{gsub(",", ""); print s, $2, $5 + $8}' "$work/corvane"
}

measure_tcpdump() { # RATE -> "sent captured drops"
    lab_client timeout -s INT $((seconds + 2)) tcpdump -i "$LAB_LAN_IF" -n -w /dev/null ip \
        2>"$work/tcpdump" &
    local pid=$!
    sleep 1
    local sent
    sent=$(flood "$1" | awk '{print $2}')
    wait $pid
    local captured dropped
    captured=$(awk '/packets captured/ {print $1}' "$work/tcpdump")
    dropped=$(awk '/dropped by kernel/ {print $1}' "$work/tcpdump")
    echo "$sent $captured $dropped"
}

printf '%-9s %-10s %12s %12s %10s %10s\n' capturer rate sent captured dropped "pps sent"
for who in corvane tcpdump; do
    best=0 clean=1
    for rate in "${rates[@]}"; do
        read -r sent captured dropped < <(measure_$who "$rate")
        # Packets lost before the capture socket (veth backlog) count as well.
        [ "$((sent - captured))" -gt "${dropped:-0}" ] && dropped=$((sent - captured))
        pps=$((sent / seconds))
        printf '%-9s %-10s %12s %12s %10s %10s\n' "$who" "${rate/#0/max}" "$sent" "$captured" \
            "$dropped" "$pps"
        if [ "${dropped:-1}" -ne 0 ]; then
            clean=0
        elif [ $clean -eq 1 ] && [ "$pps" -gt "$best" ]; then
            best=$pps
        fi
    done
    echo "$who: highest rate without loss, at it and every lower rate, over ${seconds}s: $best packets/s"
done
