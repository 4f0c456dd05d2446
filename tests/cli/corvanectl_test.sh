#!/usr/bin/env bash
# corvanectl's exit codes and output, as scripts calling it see them.
set -u
ctl=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fails=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
    fails=$((fails + 1))
  fi
}

err=$("$ctl" load 2>&1 >/dev/null); rc=$?
check "load without file: exit" 1 "$rc"
check "load without file: message" "Couldn't read IP Address File." "$err"

printf '#\r\n# x\r\n#\r\n10.0.0.5,255.255.255.0,10.0.0.1,LAN,a\r\n10.0.0.9,255.255.255.0,10.0.0.1,LAN,b\r\nbad line\r\n' > ipfile.csv
check "load default file" "10.0.0.5,255.255.255.0,10.0.0.1,LAN,a" "$("$ctl" load)"
check "load --multiple" $'10.0.0.5,255.255.255.0,10.0.0.1,LAN,a\n10.0.0.9,255.255.255.0,10.0.0.1,LAN,b' \
  "$("$ctl" load ipfile.csv --multiple)"

check "script" $'interface ip set add name = "LAN" source = dhcp\ninterface ip set dns name = "LAN" source = dhcp' \
  "$("$ctl" script "dhcp, , ,LAN,Home,dhcp")"

"$ctl" >/dev/null 2>&1; check "no command: exit" 2 $?
"$ctl" script >/dev/null 2>&1; check "script without record: exit" 2 $?
"$ctl" load a b >/dev/null 2>&1; check "load with two files: exit" 2 $?
"$ctl" frobnicate >/dev/null 2>&1; check "unknown command: exit" 2 $?
"$ctl" go >/dev/null 2>&1; check "go without selector: exit" 2 $?
"$ctl" go 1 a b >/dev/null 2>&1; check "go with two files: exit" 2 $?
"$ctl" renew >/dev/null 2>&1; check "renew without adapter: exit" 2 $?

[ "$fails" -eq 0 ] && echo "corvanectl: all checks passed"
exit "$fails"
