#!/usr/bin/env bash
# Builds the lab described in lab.sh; use lab_up from there.
set -euo pipefail
. "$(dirname "$0")/lab.sh"

mkdir -p "$LAB_DIR" "/etc/netns/$LAB_CLIENT"
# ip netns exec mounts this over /etc/resolv.conf inside the client.
printf 'nameserver %s\nnameserver %s\n' "$LAB_DNS1" "$LAB_DNS2" >"/etc/netns/$LAB_CLIENT/resolv.conf"
ip netns add "$LAB_CLIENT"
ip netns add "$LAB_ROUTER"
lab_client ip link set lo up
lab_router ip link set lo up

ip link add name "$LAB_LAN_IF" netns "$LAB_CLIENT" type veth peer name "$LAB_ROUTER_LAN_IF" netns "$LAB_ROUTER"
ip link add name "$LAB_WLAN_IF" netns "$LAB_CLIENT" type veth peer name "$LAB_ROUTER_WLAN_IF" netns "$LAB_ROUTER"

lab_router ip addr add "$LAB_ROUTER_LAN_IP/$LAB_PREFIX" dev "$LAB_ROUTER_LAN_IF"
lab_router ip addr add "$LAB_ROUTER_WLAN_IP/$LAB_PREFIX" dev "$LAB_ROUTER_WLAN_IF"
lab_router ip link set "$LAB_ROUTER_LAN_IF" up
lab_router ip link set "$LAB_ROUTER_WLAN_IF" up

lab_client ip link set "$LAB_LAN_IF" address "$LAB_LAN_MAC" alias "$LAB_LAN_NAME"
lab_client ip link set "$LAB_WLAN_IF" address "$LAB_WLAN_MAC" alias "$LAB_WLAN_NAME"
lab_client ip addr add "$LAB_LAN_IP/$LAB_PREFIX" dev "$LAB_LAN_IF"
lab_client ip link set "$LAB_LAN_IF" up
lab_client ip link set "$LAB_WLAN_IF" up
lab_client ip route add default via "$LAB_ROUTER_LAN_IP" dev "$LAB_LAN_IF"
lab_client ip route add "$LAB_EXTRA_NET/$LAB_PREFIX" via "$LAB_ROUTER_LAN_IP" dev "$LAB_LAN_IF" metric 7

# No DNS option: the client's resolver stays the one written above.
lab_router dnsmasq --conf-file=/dev/null --port=0 --bind-interfaces \
    --interface="$LAB_ROUTER_WLAN_IF" --except-interface=lo \
    --dhcp-range="$LAB_DHCP_FIRST,$LAB_DHCP_LAST,$LAB_MASK,$LAB_LEASE_SECONDS" \
    --dhcp-option=option:router,"$LAB_ROUTER_WLAN_IP" --dhcp-option=option:dns-server \
    --dhcp-leasefile="$LAB_DIR/dnsmasq.leases" --pid-file="$LAB_DIR/dnsmasq.pid"

timeout 60 ip netns exec "$LAB_CLIENT" dhclient -4 -1 -cf /dev/null \
    -lf "$LAB_LEASE_FILE" -pf "$LAB_DIR/dhclient.pid" \
    -sf "$(dirname "$0")/dhclient-script.sh" "$LAB_WLAN_IF"
