#!/usr/bin/env bash
# The real program on the Linux back end, started in the lab's client
# namespace on a virtual display: it must come up with its main window alone
# (no error, no offer, since the list holds the live configuration) and save
# its column widths when it is closed.
#   lab_startup_test.sh PATH/TO/corvane
set -uo pipefail
corvane=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
lab_sh=${CORVANE_LAB_SH:-$here/../lab/lab.sh}
if [ ! -f "$lab_sh" ]; then
    echo "SKIP: the lab ($lab_sh) is not there"
    exit 77
fi
# shellcheck source=/dev/null
. "$lab_sh"
lab_require_root || exit 77
for tool in xvfb-run xdotool xwininfo unshare; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: this test needs $tool (scripts/deps installs it)"
        exit 77
    fi
done
trap lab_down EXIT
lab_up || { echo "FAIL: lab_up"; exit 1; }

work=$LAB_DIR/gui
mkdir -p "$work/varlib"
cd "$work"
printf '#\r\n# test\r\n#\r\n%s\r\n%s\r\n' \
    "$LAB_LAN_IP,$LAB_MASK,$LAB_ROUTER_LAN_IP,$LAB_LAN_NAME,lab static" \
    "dhcp, , ,$LAB_WLAN_NAME,lab dhcp" >ipfile.csv
cp ipfile.csv ipfile.before

# On the virtual display: start the program in the client namespace with a
# settings directory of its own, wait for its window, close it with Escape.
cat >session.sh <<'INNER'
set -u
ip netns exec "$LAB_CLIENT" unshare -m sh -c 'mount --bind "$0/varlib" /var/lib && exec "$1"' "$PWD" "$CORVANE" \
    >corvane.out 2>&1 &
pid=$!
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Corvane$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
sleep 1 # let start-up finish: any message box would appear by now
xwininfo -root -tree >windows.txt
if [ -n "$window" ]; then # Escape in the list closes the program
    xdotool windowfocus --sync "$window" mousemove --window "$window" 200 150 click 1
    sleep 0.3
    xdotool key Escape
fi
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    echo timeout >status.txt
else
    wait "$pid"
    echo $? >status.txt
fi
[ -n "$window" ] && echo found >window.txt
INNER
export CORVANE=$corvane
# A real X window: the test environment may ask Qt for the offscreen platform.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" bash session.sh

fail=0
check() { if ! eval "$2"; then echo "FAIL: $1"; fail=1; else echo "ok: $1"; fi; }
check "the main window appeared" '[ -f window.txt ]'
check "the program ended by itself on Escape" '[ "$(cat status.txt)" = 0 ]'
check "no message box" '! grep -q "\"Corvane Error\"\|\"Initialisation error\"" windows.txt'
check "one window titled Corvane" '[ "$(grep -c "\"Corvane\": (\"corvane\"" windows.txt)" = 1 ]'
check "the main window has its size" 'grep "\"Corvane\": (\"corvane\"" windows.txt | grep -q "793x"'
check "settings written to the program's own file" '[ -f varlib/corvane/registry.reg ]'
check "column widths saved on close" 'grep -q "\"W3\"=dword:000000b9" varlib/corvane/registry.reg'
check "address file untouched" 'cmp -s ipfile.csv ipfile.before'
if [ "$fail" -ne 0 ]; then
    echo "--- windows"; cat windows.txt
    echo "--- program output"; cat corvane.out
    [ -f varlib/corvane/registry.reg ] && { echo "--- settings"; cat varlib/corvane/registry.reg; }
fi
exit "$fail"
