#!/usr/bin/env bash
# Time from process start to the main window shown (splash excluded), with an
# address file of N entries (default 1000), on this machine's real adapters.
#   bench/gui_startup.sh [N] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD_DIR:-$here/../build}
program=$build/src/gui/gui_startup
entries=${1:-1000}
runs=${2:-11}
[ -x "$program" ] || { echo "build first: $program is missing" >&2; exit 1; }
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
{
    printf '#\r\n# bench\r\n#\r\n'
    # distinct networks, so that none is a duplicate of another
    for ((i = 0; i < entries; i++)); do
        printf '10.%d.%d.5,255.255.255.0,10.%d.%d.1,Local Area Connection,entry %d\r\n' \
            $((i / 250)) $((i % 250)) $((i / 250)) $((i % 250)) "$i"
    done
} >ipfile.csv

results=()
for ((r = 0; r < runs; r++)); do
    start=$(date +%s%N)
    out=$("$program" 2>/dev/null)
    main=$(sed -n 's/^main //p' <<<"$out")
    created=$(sed -n 's/^created //p' <<<"$out")
    shown=$(sed -n 's/^shown //p' <<<"$out")
    rows=$(sed -n 's/^rows //p' <<<"$out")
    results+=("$(((shown - start) / 1000)) $(((main - start) / 1000)) $(((created - main) / 1000)) $(((shown - created) / 1000))")
done
printf '%s\n' "${results[@]}" | sort -n | awk -v n="$entries" -v rows="$rows" -v runs="$runs" '
    { total[NR] = $1; exec_[NR] = $2; create[NR] = $3; show[NR] = $4 }
    END {
        m = int((NR + 1) / 2)
        printf "%d entries (%d rows shown), median of %d runs, microseconds:\n", n, rows, runs
        printf "  process start -> main window shown: %d (min %d, max %d)\n", total[m], total[1], total[NR]
        printf "    of which: start -> main %d, windows created %d, first showing %d\n", exec_[m], create[m], show[m]
    }'
