#!/usr/bin/env bash
# The Linux back end reads what the lab configured, and follows the lab when a
# link loses its carrier or disappears.
# Usage: platform_lab_test.sh LAB_TESTS_BINARY CORVANECTL
set -u
lab_tests=$1
ctl=$2
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
index_of() { lab_client cat "/sys/class/net/$1/ifindex"; }

LAB_WLAN_IP=$(lab_wlan_ip)
export LAB_WLAN_IP
check "dhcp address from the lab's range" 10.231.2.1 "${LAB_WLAN_IP%??}"
lan=$(index_of "$LAB_LAN_IF")
wlan=$(index_of "$LAB_WLAN_IF")
lanhex=$(printf '0x%X' "$lan")
wlanhex=$(printf '0x%X' "$wlan")

lab_client "$lab_tests" || failures=$((failures + 1))

check "adapters" \
    "$LAB_LAN_IP,NO,$LAB_MASK,$LAB_ROUTER_LAN_IP,$LAB_LAN_NAME, , ,$lan
$LAB_WLAN_IP,YES,$LAB_MASK,$LAB_ROUTER_WLAN_IP,$LAB_WLAN_NAME, , ,$wlan" \
    "$(lab_client "$ctl" adapters)"
check "routes" \
    "0.0.0.0;0.0.0.0;$LAB_ROUTER_LAN_IP;$lanhex;0
0.0.0.0;0.0.0.0;$LAB_ROUTER_WLAN_IP;$wlanhex;100
10.231.1.0;$LAB_MASK;0.0.0.0;$lanhex;0
10.231.2.0;$LAB_MASK;0.0.0.0;$wlanhex;0
$LAB_EXTRA_NET;$LAB_MASK;$LAB_ROUTER_LAN_IP;$lanhex;7" \
    "$(lab_client "$ctl" routes)"
check "host" "$LAB_LAN_IP,$LAB_WLAN_IP
2" "$(lab_client "$ctl" host | tail -n 2)"
lanmac=${LAB_LAN_MAC//:/-}
wlanmac=${LAB_WLAN_MAC//:/-}
check "interfaces" "0x1;;Loopback;0;operational;Loopback
$lanhex;${lanmac^^};Ethernet;4294967295;operational;veth
$wlanhex;${wlanmac^^};Ethernet;4294967295;operational;veth" \
    "$(lab_client "$ctl" interfaces)"

# The router's end goes down: the client's link has no carrier.
lab_router ip link set "$LAB_ROUTER_LAN_IF" down
lab_wait 5 lab_client grep -qx 0 "/sys/class/net/$LAB_LAN_IF/carrier"
check "disconnected link" "$lanhex;Cable disconnected" \
    "$(lab_client "$ctl" interfaces | awk -F';' -v i="$lanhex" '$1 == i {print $1 ";" $5}')"
check "host without the disconnected link" "$LAB_WLAN_IP
1" "$(lab_client "$ctl" host | tail -n 2)"

# The wireless connection disappears.
lab_client ip link del "$LAB_WLAN_IF"
lab_wait 5 sh -c "! ip netns exec $LAB_CLIENT ip link show $LAB_WLAN_IF"
check "removed link gone from adapters" \
    "$LAB_LAN_IP,NO,$LAB_MASK,$LAB_ROUTER_LAN_IP,$LAB_LAN_NAME, , ,$lan" \
    "$(lab_client "$ctl" adapters)"
check "removed link gone from interfaces" "" \
    "$(lab_client "$ctl" interfaces | awk -F';' -v i="$wlanhex" '$1 == i')"
check "no usable network left" "127.0.0.1
-1" "$(lab_client "$ctl" host | tail -n 2)"

# Switched off by the administrator.
lab_client ip link set "$LAB_LAN_IF" down
check "administratively down" "$lanhex;non-operational" \
    "$(lab_client "$ctl" interfaces | awk -F';' -v i="$lanhex" '$1 == i {print $1 ";" $5}')"
check "routes of a down link leave the table" "" "$(lab_client "$ctl" routes)"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
