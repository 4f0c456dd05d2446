#!/usr/bin/env bash
# corvanectl.exe under Wine, as a user of the Windows build sees it.
#   corvanectl_wine.sh CORVANECTL_EXE FILE_VERSION
set -u
ctl=$1
file_version=$2
env_sh="$(dirname "$0")/wine_env.sh"
fails=0

run() { # the program's output without the console's carriage returns
  bash "$env_sh" run "$@" | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
check() { # name expected actual
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
    fails=$((fails + 1))
  fi
}

out=$(run "$ctl" adapters); rc=$?
check "adapters: exit" 0 "$rc"
if bash "$env_sh" netns; then
  # cv1 (index 2) has no address; cv0 (index 3) is 192.0.2.10/24 behind
  # 192.0.2.1. Wine reports DHCP on for every adapter.
  check "adapters: one line per interface" \
    $'0.0.0.0,YES,0.0.0.0, ,none, , ,2\n192.0.2.10,YES,255.255.255.0,192.0.2.1,none, , ,3' "$out"
  check "interfaces" \
    $'0x1;;Loopback;0;operational;lo\n0x2;00-0C-29-12-34-56;Ethernet;0;operational;cv1\n0x3;00-0C-29-AB-CD-EF;Ethernet;0;operational;cv0' \
    "$(run "$ctl" interfaces)"
  check "routes" $'0.0.0.0;0.0.0.0;192.0.2.1;0x3;0\n192.0.2.0;255.255.255.0;192.0.2.10;0x3;0' \
    "$(run "$ctl" routes)"
  check "host" "$(hostname)"$'\n192.0.2.10\n1' "$(run "$ctl" host)"
else
  echo "no network namespace of our own: adapter lines checked for their shape only"
  bad=$(printf '%s\n' "$out" | awk -F, 'NF && NF != 8' | head -1)
  check "adapters: eight fields each" "" "$bad"
fi

# The quick ping through icmp.dll, to loopback only.
out=$(run "$ctl" ping 127.0.0.1 -n 2 -w 2000); rc=$?
check "ping: exit" 0 "$rc"
check "ping: lines" $'Sending 56 bytes to 127.0.0.1\nReceived 56 bytes from 127.0.0.1 (N msecs)\nSending 56 bytes to 127.0.0.1\nReceived 56 bytes from 127.0.0.1 (N msecs)' \
  "$(printf '%s\n' "$out" | sed 's/([0-9]* msecs)/(N msecs)/')"

# Wine refuses the capture's raw socket: its first error path.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
run "$ctl" lookup 192.0.2.10 --seconds 1 >/dev/null 2>"$errors"; rc=$?
err=$(tr -d '\r' <"$errors")
check "lookup: exit" 1 "$rc"
check "lookup: message" "Socket initialisation error (10043)." "$err"

# The start-up check under the versions Wine can pretend to be, set for this
# program alone: only Windows 2000 and XP (major version 5) pass.
key='HKCU\Software\Wine\AppDefaults\'"$(basename "$ctl")"
for case in winxp:0 win2k:0 winxp64:0 win7:1 win10:1; do
  version=${case%:*} code=${case#*:}
  run reg add "$key" /v Version /d "$version" /f >/dev/null 2>&1
  err=$(run "$ctl" system 2>&1 >/dev/null | tr -d '\r')
  out=$(run "$ctl" system 2>/dev/null); rc=$?
  check "$version: exit" "$code" "$rc"
  check "$version: file version" "File version: $file_version" "$(printf '%s\n' "$out" | tail -1)"
  if [ "$code" = 1 ]; then
    check "$version: message" "This software needs Windows 2000 or Windows XP, aborting." "$err"
  else
    check "$version: no message" "" "$err"
  fi
done
run reg delete "$key" /f >/dev/null 2>&1

[ "$fails" -eq 0 ] && echo "corvanectl under Wine: all checks passed"
exit "$fails"
