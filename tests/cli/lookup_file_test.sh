#!/usr/bin/env bash
# corvanectl lookup on capture files: what a replay prints, and how it fails.
set -u
ctl=$1
announcer=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fails=0
check() { # name expected actual
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
        fails=$((fails + 1))
    fi
}

"$announcer" --pcap "$work/lab.pcap" --count 2 \
    --rip 10.1.1.1,1 --hsrp 10.1.1.2,10.1.1.254 --ospf 10.1.1.3,255.255.252.0 \
    --ospf-update 10.1.1.4 --eigrp 10.1.1.3 --vrrp 10.1.1.5,10.1.1.253 --rip 10.1.1.1,2 \
    --rip 10.1.1.6,2,521
check "replay" "10.1.1.1;255.255.255.255;RIPV1
10.1.1.254;255.255.255.255;HSRP
10.1.1.2;255.255.255.255;HSRP
10.1.1.3;255.255.252.0;OSPF
10.1.1.3;255.255.255.255;EIGRP
10.1.1.253;255.255.255.255;VRRP
10.1.1.5;255.255.255.255;VRRP" "$("$ctl" lookup --file "$work/lab.pcap")"
check "replay, some protocols" "10.1.1.1;255.255.255.255;RIPV1
10.1.1.3;255.255.255.255;EIGRP" "$("$ctl" lookup --file "$work/lab.pcap" --protocols RIP,eigrp)"

head -c 100 "$work/lab.pcap" >"$work/cut.pcap"
out=$("$ctl" lookup --file "$work/cut.pcap" 2>"$work/err"); rc=$?
check "truncated file: rows before the cut" "10.1.1.1;255.255.255.255;RIPV1" "$out"
check "truncated file: exit" 0 "$rc"
check "truncated file: note" "$work/cut.pcap: truncated after 1 records" "$(cat "$work/err")"

echo "not a capture" >"$work/text"
err=$("$ctl" lookup --file "$work/text" 2>&1 >/dev/null); rc=$?
check "not a capture file" "1 $work/text is not a capture file" "$rc $err"
err=$("$ctl" lookup --file "$work/missing" 2>&1 >/dev/null); rc=$?
check "missing file" "1 Cannot open $work/missing" "$rc $err"

for args in "" "--file" "10.0.0.1 --file x" "10.0.0.1 --protocols ipx" "10.0.0.1 --protocols ''" \
    "10.0.0.1 --seconds -1" "10.0.0.1 --seconds x"; do
    eval "\"\$ctl\" lookup $args" >/dev/null 2>&1
    check "lookup usage: '$args'" 2 $?
done
for args in "" "-n 0 10.0.0.1" "-w x 10.0.0.1" "10.0.0.1 10.0.0.2" "--socket tcp 10.0.0.1"; do
    eval "\"\$ctl\" ping $args" >/dev/null 2>&1
    check "ping usage: '$args'" 2 $?
done

[ "$fails" -eq 0 ] && echo "lookup files: all checks passed"
exit "$fails"
