#!/usr/bin/env bash
# The network shell, DHCP release and renew, and "Go!" against the lab: the
# results are read back from the kernel, the resolver file and the store.
# Usage: netsh_lab_test.sh CORVANE_NETSH CORVANECTL
set -u
netsh=$(realpath "$1")
ctl=$(realpath "$2")
. "$(dirname "$0")/lab.sh"
lab_require_root || exit 77
command -v unshare >/dev/null || { echo "SKIP: the lab test needs unshare"; exit 77; }

work=$LAB_DIR/work
cleanup() {
    # Clients the programs started on the lab's links; found by their names.
    local pid
    for pid in $(pgrep -f "dhclient.* ($LAB_LAN_IF|$LAB_WLAN_IF)\$"); do
        kill "$pid" 2>/dev/null
    done
    lab_down
}
trap cleanup EXIT
host_resolv=$(md5sum /etc/resolv.conf)
lab_up || { echo "FAIL: lab setup"; exit 1; }
mkdir -p "$work" "$LAB_DIR/varlib/dhcp" "$LAB_DIR/run"

# Runs a program in the client namespace with /var/lib and /run of its own, so
# that the store, lease and pid files stay inside the lab.
run() {
    lab_client unshare -m sh -c 'mount --bind "$LAB_DIR/varlib" /var/lib &&
        mount --bind "$LAB_DIR/run" /run && cd "$LAB_DIR/work" && exec "$@"' run "$@"
}
registry=$LAB_DIR/varlib/corvane/registry.reg
resolv=/etc/netns/$LAB_CLIENT/resolv.conf

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
addresses() { lab_client ip -4 -o addr show dev "$1" | awk '{print $4}' | paste -sd' '; }
defaults() { lab_client ip -4 route show default dev "$1" | sed 's/ *$//' | paste -sd';'; }
routes() { lab_client ip -4 route | sed 's/ *$//'; }
nameservers() { awk '$1 == "nameserver" {print $2}' "$resolv" | paste -sd' '; }
wins_of() { # the WINS field of a connection's adapter line
    run "$ctl" adapters | awk -F, -v c="$1" '$5 == c {print $7}'
}
# Restarts the DHCP server, handing out `server` as DNS server.
serve_dns() {
    local pid
    pid=$(cat "$LAB_DIR/dnsmasq.pid")
    kill "$pid" 2>/dev/null
    lab_wait 5 sh -c "! kill -0 $pid"
    lab_router dnsmasq --conf-file=/dev/null --port=0 --bind-interfaces \
        --interface="$LAB_ROUTER_WLAN_IF" --except-interface=lo \
        --dhcp-range="$LAB_DHCP_FIRST,$LAB_DHCP_LAST,$LAB_MASK,$LAB_LEASE_SECONDS" \
        --dhcp-option=option:router,"$LAB_ROUTER_WLAN_IP" --dhcp-option=option:dns-server,"$1" \
        --dhcp-leasefile="$LAB_DIR/dnsmasq.leases" --pid-file="$LAB_DIR/dnsmasq.pid"
}

printf 'search lab.test\nnameserver %s\noptions ndots:2\n' "$LAB_DNS1" >"$resolv"
{
    printf '#\r\n#\r\n#\r\n'
    printf '10.231.1.30,255.255.0.0,%s,%s,Office,10.231.1.5,10.231.1.6\r\n' "$LAB_ROUTER_LAN_IP" "$LAB_LAN_NAME"
    printf '10.231.1.31,255.255.255.0, ,%s,No router\r\n' "$LAB_LAN_NAME"
    printf '10.231.3.32,255.255.255.0, ,%s,Removal, , \r\n' "$LAB_LAN_NAME"
    printf '10.231.4.40,255.255.255.0,10.231.4.1,%s,Disabled,10.231.1.9, \r\n' "$LAB_LAN_NAME"
    printf 'dhcp, , ,%s,Home,dhcp, \r\n' "$LAB_WLAN_NAME"
    printf '10.231.2.60,255.255.255.0,%s,%s,Cafe,%s, \r\n' "$LAB_ROUTER_WLAN_IP" "$LAB_WLAN_NAME" "$LAB_DNS1"
} >"$work/ipfile.csv"

echo "-- static address with router, DNS and WINS"
out=$(run "$ctl" go Office 2>&1); rc=$?
check "go: exit" 0 "$rc"
check "go: message" "Reconfiguration done. Current IP address is now: 10.231.1.30,$(lab_wlan_ip)" "$out"
check "address" "10.231.1.30/16" "$(addresses "$LAB_LAN_IF")"
check "router" "default via $LAB_ROUTER_LAN_IP proto static metric 1" "$(defaults "$LAB_LAN_IF")"
check "DNS, rest of the resolver file kept" "search lab.test
nameserver 10.231.1.5
options ndots:2" "$(cat "$resolv")"
check "WINS in the adapter information" "10.231.1.6" "$(wins_of "$LAB_LAN_NAME")"
# A first start writes the default settings but keeps the script until the
# settings are read again.
check "first start: script kept" "yes" "$([ -e "$work/config.cfg" ] && echo yes || echo no)"
check "the address file saved" 6 "$(grep -c '^[0-9d]' "$work/ipfile.csv")"

echo "-- blank router, no DNS or WINS field"
run "$ctl" go "No router" >/dev/null 2>&1
check "address" "10.231.1.31/24" "$(addresses "$LAB_LAN_IF")"
check "no router" "" "$(defaults "$LAB_LAN_IF")"
check "DNS untouched" "10.231.1.5" "$(nameservers)"
check "WINS untouched" "10.231.1.6" "$(wins_of "$LAB_LAN_NAME")"
check "script deleted" "no" "$([ -e "$work/config.cfg" ] && echo yes || echo no)"

echo "-- removal lines"
sed -i 's/^"DC"=dword:00000001/"DC"=dword:00000000/' "$registry"
run "$ctl" go Removal >/dev/null 2>&1
check "no DNS server left" "" "$(nameservers)"
check "other resolver lines kept" "search lab.test
options ndots:2" "$(cat "$resolv")"
check "no WINS server left" " " "$(wins_of "$LAB_LAN_NAME")"
check "script kept with the applied lines" "interface ip set add name = \"$LAB_LAN_NAME\" source = static addr = 10.231.3.32 mask = 255.255.255.0
del dns \"$LAB_LAN_NAME\" all
del wins \"$LAB_LAN_NAME\" all" "$(cat "$work/config.cfg")"

echo "-- a failing line puts everything back"
printf 'nameserver %s\n' "$LAB_DNS1" >"$resolv"
# A disabled connection takes an address but no route through it.
lab_client ip link set "$LAB_LAN_IF" down
before_routes=$(routes)
out=$(run "$ctl" go Disabled 2>&1); rc=$?
check "go: exit" 1 "$rc"
check "go: the shell's message, then the report" "Line 2 failed: Network is unreachable: interface ip set add name = \"$LAB_LAN_NAME\" gateway = 10.231.4.1 gwmetric = 1
\"$LAB_LAN_NAME\" is back as it was before the script.
Reconfiguration done. Current IP address is now: $(lab_wlan_ip)" "$out"
check "address back" "10.231.3.32/24" "$(addresses "$LAB_LAN_IF")"
check "routes back" "$before_routes" "$(routes)"
check "DNS back" "$LAB_DNS1" "$(nameservers)"
lab_client ip link set "$LAB_LAN_IF" up

echo "-- a failing line on the DHCP connection brings its client back"
wlan=$(addresses "$LAB_WLAN_IF")
lab_client ip link set "$LAB_WLAN_IF" down
printf 'interface ip set add name = "%s" source = static addr = 10.231.2.70 mask = 255.255.255.0\ninterface ip set add name = "%s" gateway = 10.231.2.1 gwmetric = 1\n' \
    "$LAB_WLAN_NAME" "$LAB_WLAN_NAME" >"$work/wlan.cfg"
out=$(run "$netsh" -f wlan.cfg); rc=$?
check "netsh: exit" 1 "$rc"
check "netsh: says so" "Line 2 failed: Network is unreachable: interface ip set add name = \"$LAB_WLAN_NAME\" gateway = 10.231.2.1 gwmetric = 1
\"$LAB_WLAN_NAME\" is back as it was before the script." "$out"
check "leased address back" "$wlan" "$(addresses "$LAB_WLAN_IF")"
check "DHCP client running again" 1 "$(pgrep -fc "dhclient .* $LAB_WLAN_IF\$")"
lab_client ip link set "$LAB_WLAN_IF" up

echo "-- a line the shell does not know changes nothing"
printf 'interface ip set add name = "%s" source = static addr = 10.231.1.34 mask = 255.255.255.0\ninterface ip set adress name = "%s" source = dhcp\n' \
    "$LAB_LAN_NAME" "$LAB_LAN_NAME" >"$work/bad.cfg"
out=$(run "$netsh" -f bad.cfg); rc=$?
check "netsh: exit" 1 "$rc"
check "netsh: names the line" "Line 2: unknown command: interface ip set adress name = \"$LAB_LAN_NAME\" source = dhcp
Nothing was changed." "$out"
check "address unchanged" "10.231.3.32/24" "$(addresses "$LAB_LAN_IF")"

echo "-- both spellings of name"
printf 'interface ip set add name="%s" source = static addr = 10.231.1.35 mask = 255.255.255.0\r\ninterface ip set dns name="%s" source = static addr = 10.231.1.8\r\n' \
    "$LAB_LAN_NAME" "$LAB_LAN_NAME" >"$work/tight.cfg"
out=$(run "$netsh" -f tight.cfg); rc=$?
check "netsh: exit" 0 "$rc"
check "address" "10.231.1.35/24" "$(addresses "$LAB_LAN_IF")"
check "DNS" "10.231.1.8" "$(nameservers)"

echo "-- static to DHCP with DNS by DHCP, and back"
serve_dns "$LAB_DNS2"
run "$ctl" go Cafe >/dev/null 2>&1
check "static: address" "10.231.2.60/24" "$(addresses "$LAB_WLAN_IF")"
check "static: no DHCP client" "" "$(pgrep -f "dhclient.* $LAB_WLAN_IF\$")"
check "static: router" "default via $LAB_ROUTER_WLAN_IP proto static metric 1" "$(defaults "$LAB_WLAN_IF")"
out=$(run "$ctl" go Home 2>&1); rc=$?
check "dhcp: exit" 0 "$rc"
wlan=$(lab_wlan_ip)
check "dhcp: address from the lab's range" "10.231.2.1" "${wlan%??}"
check "dhcp: wait text, then the report" "Performing a DHCP address renew, please wait...
Reconfiguration done. Current IP address is now: 10.231.1.35,$wlan" "$out"
check "dhcp: router from the lease" "default via $LAB_ROUTER_WLAN_IP metric 100" "$(defaults "$LAB_WLAN_IF")"
check "dhcp: DNS from the lease" "$LAB_DNS2" "$(nameservers)"
check "dhcp: adapter shows DHCP" "YES" "$(run "$ctl" adapters | awk -F, -v c="$LAB_WLAN_NAME" '$5 == c {print $2}')"
run "$ctl" go Cafe >/dev/null 2>&1
check "static again: address" "10.231.2.60/24" "$(addresses "$LAB_WLAN_IF")"
check "static again: DNS" "$LAB_DNS1" "$(nameservers)"

echo "-- release and renew"
out=$(run "$ctl" renew "$LAB_LAN_NAME" 2>&1); rc=$?
check "static connection: exit" 1 "$rc"
check "static connection: nothing to release" "DHCP Error: Couldn't release IP address." "$out"
check "static connection: address kept" "10.231.1.35/24" "$(addresses "$LAB_LAN_IF")"
run "$ctl" go Home >/dev/null 2>&1
out=$(run "$ctl" renew "$LAB_WLAN_NAME" 2>&1); rc=$?
check "against dnsmasq: exit" 0 "$rc"
check "against dnsmasq: silent" "" "$out"
check "against dnsmasq: leased address" "$(lab_wlan_ip)" "$(awk '{print $3}' "$LAB_DIR/dnsmasq.leases" | tail -1)"
kill "$(cat "$LAB_DIR/dnsmasq.pid")"
out=$(run timeout 60 "$ctl" renew "$LAB_WLAN_NAME" --timeout 3 2>&1); rc=$?
check "no server: exit" 1 "$rc"
check "no server: message" "DHCP Error: Couldn't renew IP address." "$out"
check "no server: a client keeps trying" "1" "$(pgrep -fc "dhclient -nw .* $LAB_WLAN_IF\$")"

check "the machine's own resolver file untouched" "$host_resolv" "$(md5sum /etc/resolv.conf)"
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
