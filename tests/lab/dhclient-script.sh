#!/bin/sh
# A dhclient script for the lab: sets the address and routes with ip and
# touches nothing else of the machine (no resolver, no hooks).
case "$reason" in
PREINIT)
    ip link set dev "$interface" up
    ;;
BOUND | RENEW | REBIND | REBOOT)
    if [ -n "$old_ip_address" ] && [ "$old_ip_address" != "$new_ip_address" ]; then
        ip -4 addr flush dev "$interface"
    fi
    ip -4 addr replace "$new_ip_address/$new_subnet_mask" dev "$interface" \
        valid_lft "${new_dhcp_lease_time:-forever}" preferred_lft "${new_dhcp_lease_time:-forever}"
    for router in $new_routers; do
        ip -4 route replace default via "$router" dev "$interface" metric 100
        break
    done
    ;;
EXPIRE | FAIL | RELEASE | STOP)
    ip -4 addr flush dev "$interface"
    ;;
esac
exit 0
