#!/usr/bin/env bash
# The Windows machine of the Wine tests: a fresh Wine prefix, and, where we may
# make one (root), a network namespace of our own with known interfaces:
#   lo; cv0 00:0c:29:ab:cd:ef 192.0.2.10/24, default route via 192.0.2.1;
#   cv1 00:0c:29:12:34:56 without an address; name server 192.0.2.53.
# Nothing is sent anywhere: the pair only connects to itself.
#
#   wine_env.sh setup | run PROGRAM [ARGS...] | cleanup
# State lives in $CORVANE_WINE_STATE (prefix, namespace name).
set -u
state=${CORVANE_WINE_STATE:?CORVANE_WINE_STATE must name the state directory}
wine=${CORVANE_WINE:-}
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(dirname "$(readlink -f "$wine")")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo wineserver)

export WINEPREFIX=$state/prefix WINEDEBUG=-all
# No .NET or HTML engine downloads while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

in_ns() {
  if [ -s "$state/netns" ]; then
    ip netns exec "$(cat "$state/netns")" "$@"
  else
    "$@"
  fi
}

cleanup() {
  if [ -d "$WINEPREFIX" ]; then
    in_ns "$wineserver" -k 2>/dev/null
    in_ns "$wineserver" -w 2>/dev/null
  fi
  if [ -s "$state/netns" ]; then
    ip netns del "$(cat "$state/netns")" 2>/dev/null
    rm -rf "/etc/netns/$(cat "$state/netns")"
  fi
  rm -rf "$state"
}

make_netns() {
  local ns=corvane-wine-$$
  # CORVANE_WINE_HOST_NET=1 runs the suite on this machine's interfaces.
  [ "$(id -u)" -eq 0 ] && [ "${CORVANE_WINE_HOST_NET:-0}" != 1 ] || return 1
  ip netns add "$ns" 2>/dev/null || return 1
  echo "$ns" > "$state/netns"
  ip -n "$ns" link set lo up &&
    ip -n "$ns" link add cv0 type veth peer name cv1 &&
    ip -n "$ns" link set cv0 address 00:0c:29:ab:cd:ef &&
    ip -n "$ns" link set cv1 address 00:0c:29:12:34:56 &&
    ip -n "$ns" addr add 192.0.2.10/24 dev cv0 &&
    ip -n "$ns" link set cv0 up &&
    ip -n "$ns" link set cv1 up &&
    ip -n "$ns" route add default via 192.0.2.1 &&
    mkdir -p "/etc/netns/$ns" &&
    echo "nameserver 192.0.2.53" >"/etc/netns/$ns/resolv.conf"
}

case ${1:-} in
setup)
  cleanup
  mkdir -p "$WINEPREFIX"
  if make_netns; then
    echo "network namespace $(cat "$state/netns")"
  else
    rm -f "$state/netns"
    echo "no network namespace of our own (it needs root): Wine sees this machine's interfaces"
  fi
  # A server that stays up for the whole suite saves a start per program. It
  # and the programs Wine leaves running must not hold the test's output open.
  in_ns "$wineserver" -p </dev/null >/dev/null 2>&1 || exit 1
  start=$SECONDS
  in_ns timeout 300 "$wine" wineboot -i </dev/null >"$state/wineboot.log" 2>&1 || {
    cat "$state/wineboot.log"
    exit 1
  }
  echo "Wine prefix made in $((SECONDS - start)) s"
  ;;
run)
  shift
  [ -s "$state/netns" ] && export CORVANE_WINE_NETNS=1
  [ -d "$WINEPREFIX" ] || { echo "no Wine prefix: run the wine_setup test first" >&2; exit 1; }
  in_ns "$wine" "$@"
  ;;
netns)
  # Exits 0 when the suite runs in its own namespace.
  [ -s "$state/netns" ]
  ;;
cleanup)
  cleanup
  ;;
*)
  echo "usage: wine_env.sh setup | run PROGRAM [ARGS...] | netns | cleanup" >&2
  exit 2
  ;;
esac
