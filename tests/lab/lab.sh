# Sourceable lab: a client namespace with two connections and a router
# namespace that serves them. Every name carries LAB_ID so that runs in
# parallel never meet; all addresses exist only inside the namespaces.
#
#   client ($LAB_CLIENT)                       router ($LAB_ROUTER)
#   $LAB_LAN_IF  "Local Area Connection"  <->  $LAB_ROUTER_LAN_IF  ($LAB_ROUTER_LAN_IP)
#     static $LAB_LAN_IP/$LAB_LAN_PREFIX, default router $LAB_ROUTER_LAN_IP
#   $LAB_WLAN_IF "Wireless Network Connection" <-> $LAB_ROUTER_WLAN_IF ($LAB_ROUTER_WLAN_IP)
#     address and router from dnsmasq on the router side, held by dhclient
#
# Use:   . tests/lab/lab.sh; lab_require_root || exit 77; trap lab_down EXIT; lab_up
#        lab_client CMD...   runs CMD in the client namespace (lab_router likewise)

LAB_ID=${LAB_ID:-$$}
LAB_CLIENT=cvc$LAB_ID
LAB_ROUTER=cvr$LAB_ID
LAB_LAN_IF=cvl$LAB_ID
LAB_WLAN_IF=cvw$LAB_ID
LAB_ROUTER_LAN_IF=cvrl$LAB_ID
LAB_ROUTER_WLAN_IF=cvrw$LAB_ID
LAB_LAN_NAME="Local Area Connection"
LAB_WLAN_NAME="Wireless Network Connection"
LAB_LAN_MAC=02:00:0a:e7:01:0a
LAB_WLAN_MAC=02:00:0a:e7:02:0a
LAB_PREFIX=24
LAB_MASK=255.255.255.0
LAB_LAN_IP=10.231.1.10
LAB_ROUTER_LAN_IP=10.231.1.1
LAB_ROUTER_WLAN_IP=10.231.2.1
LAB_DHCP_FIRST=10.231.2.100
LAB_DHCP_LAST=10.231.2.150
LAB_LEASE_SECONDS=3600
LAB_DNS1=10.231.1.53
LAB_DNS2=10.231.2.53
LAB_EXTRA_NET=10.231.9.0
LAB_DIR=${LAB_DIR:-/tmp/corvane-lab.$LAB_ID}
LAB_LEASE_FILE=$LAB_DIR/dhclient.$LAB_WLAN_IF.leases
export LAB_ID LAB_CLIENT LAB_ROUTER LAB_LAN_IF LAB_WLAN_IF LAB_ROUTER_LAN_IF LAB_ROUTER_WLAN_IF \
    LAB_LAN_NAME LAB_WLAN_NAME LAB_LAN_MAC LAB_WLAN_MAC LAB_PREFIX LAB_MASK LAB_LAN_IP \
    LAB_ROUTER_LAN_IP LAB_ROUTER_WLAN_IP LAB_DHCP_FIRST LAB_DHCP_LAST LAB_LEASE_SECONDS \
    LAB_DNS1 LAB_DNS2 LAB_EXTRA_NET LAB_DIR LAB_LEASE_FILE

_lab_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Prints why the lab cannot run and fails, or succeeds quietly.
lab_require_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIP: the lab needs root (network namespaces)"
        return 1
    fi
    local tool
    for tool in ip dnsmasq dhclient; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: the lab needs $tool (scripts/deps installs it)"
            return 1
        fi
    done
    if ! ip netns add "cvprobe$LAB_ID" 2>/dev/null; then
        echo "SKIP: this machine does not allow network namespaces"
        return 1
    fi
    ip netns del "cvprobe$LAB_ID"
}

lab_client() { ip netns exec "$LAB_CLIENT" "$@"; }
lab_router() { ip netns exec "$LAB_ROUTER" "$@"; }

# lab_wait SECONDS CMD...: runs CMD every 50 ms until it succeeds; link state
# changes reach the kernel's tables a little later on a loaded machine.
lab_wait() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

# Builds the lab; fails at the first step that fails and leaves the cleaning to
# lab_down. Runs as its own process so that errexit holds in any caller context.
lab_up() { bash "$_lab_here/lab_up.sh"; }

# The address dhclient got for the wireless connection.
lab_wlan_ip() {
    lab_client ip -4 -o addr show dev "$LAB_WLAN_IF" | awk '{split($4, a, "/"); print a[1]; exit}'
}

lab_down() {
    local pid
    for pid in "$LAB_DIR/dhclient.pid" "$LAB_DIR/dnsmasq.pid"; do
        [ -s "$pid" ] && kill "$(cat "$pid")" 2>/dev/null
    done
    ip netns del "$LAB_CLIENT" 2>/dev/null
    ip netns del "$LAB_ROUTER" 2>/dev/null
    rm -rf "/etc/netns/$LAB_CLIENT" "$LAB_DIR"
    return 0
}
