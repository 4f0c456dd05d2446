#!/usr/bin/env bash
# Echo requests to the lab router and to an unused address, and a passive
# lookup that lists exactly what the router namespace announces.
# Usage: discovery_lab_test.sh CORVANECTL ANNOUNCER
set -u
ctl=$1
announcer=$2
. "$(dirname "$0")/lab.sh"
lab_require_root || exit 77
trap lab_down EXIT
lab_up || { echo "FAIL: lab setup"; exit 1; }

failures=0
check() { # check NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        echo "ok   $1"
    else
        echo "FAIL $1"
        echo "  expected: $2"
        echo "  actual:   $3"
        failures=$((failures + 1))
    fi
}
# The round-trip time varies; everything else of a line is fixed.
msecs() { sed -E 's/\([0-9]+ msecs\)/(N msecs)/'; }

router=$LAB_ROUTER_LAN_IP
unused=10.231.1.77
standby=10.231.1.2
lab_router ip addr add "$standby/$LAB_PREFIX" dev "$LAB_ROUTER_LAN_IF"

for kind in raw dgram; do
    if [ $kind = dgram ]; then
        # Unprivileged ICMP sockets are off by default; allow them for everyone here.
        lab_client sysctl -qw net.ipv4.ping_group_range="0 2147483647"
    fi
    out=$(lab_client "$ctl" ping "$router" -n 2 -w 2000 --socket $kind | msecs)
    check "ping router ($kind)" "Sending 56 bytes to $router
Received 56 bytes from $router (N msecs)
Sending 56 bytes to $router
Received 56 bytes from $router (N msecs)" "$out"
    out=$(lab_client "$ctl" ping "$unused" -n 1 -w 1000 --socket $kind)
    check "ping unused address ($kind)" "Sending 56 bytes to $unused
Cannot ping host ($unused) : Request timed out" "$out"
done
lab_client "$ctl" ping "$unused" -n 1 -w 500 >/dev/null
check "exit code without answer" 1 $?

# Through the router to a network it refuses (host unreachable) and to one it
# has no route for (network unreachable): the router's answer is reported,
# not a time-out. Besides its ICMP rate limit (off here) the router answers at
# most five such errors in a burst, then one a second: one request per case.
lab_router sysctl -qw net.ipv4.ip_forward=1 net.ipv4.icmp_ratelimit=0
lab_router ip route add unreachable 10.231.77.0/24
for kind in raw dgram; do
    for target in "10.231.77.1:host" "10.231.78.1:network"; do
        address=${target%%:*}
        out=$(lab_client "$ctl" ping "$address" -n 1 -w 2000 --socket $kind)
        check "ping to an unreachable ${target#*:} ($kind)" "Sending 56 bytes to $address
Cannot ping host ($address) : Destination ${target#*:} unreachable" "$out"
    done
done

# Passive lookup: two captures at once, one for every protocol, one for two.
work=$LAB_DIR/discovery
mkdir -p "$work"
lab_client "$ctl" lookup "$LAB_LAN_IP" --seconds 4 >"$work/all" 2>"$work/all.err" &
all=$!
lab_client "$ctl" lookup "$LAB_LAN_IP" --seconds 4 --protocols ospf,rip >"$work/two" 2>&1 &
two=$!
sleep 1.5
lab_router "$announcer" --interface "$LAB_ROUTER_LAN_IF" --count 3 --interval-ms 200 \
    --hsrp "$router,10.231.1.254" --hsrp "$standby,10.231.1.254,8" \
    --vrrp "$router,10.231.1.253" --ospf-update "$router" --ospf "$router,$LAB_MASK" \
    --eigrp "$router" --rip "$router,2" --rip "$router,1" --rip "$standby,2,521"
check "announcer" 0 $?
wait $all
check "lookup exit code" 0 $?
wait $two
check "lookup lists exactly the announced addresses" "10.231.1.254;255.255.255.255;HSRP
$router;255.255.255.255;HSRP
$standby;255.255.255.255;HSRP
10.231.1.253;255.255.255.255;VRRP
$router;255.255.255.255;VRRP
$router;$LAB_MASK;OSPF
$router;255.255.255.255;EIGRP
$router;255.255.255.255;RIPV2" "$(cat "$work/all")"
check "lookup with two protocols" "$router;$LAB_MASK;OSPF
$router;255.255.255.255;RIPV2" "$(cat "$work/two")"

out=$(lab_client "$ctl" lookup 127.0.0.1 --seconds 1 2>&1)
check "lookup on local host" "System's IP address is local host, NIC link is probably down." "$out"
out=$(lab_client "$ctl" lookup 10.231.1.99 --seconds 1 2>&1)
check "lookup on an address of no interface" "Socket opening error (99)." "$out"

[ "$failures" -eq 0 ] && echo "discovery lab: all checks passed"
exit "$failures"
