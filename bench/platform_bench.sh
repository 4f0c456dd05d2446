#!/usr/bin/env bash
# Runs platform_bench in a namespace with N interfaces (default: 2 and 50; veth
# pairs, both ends inside), each with an alias, an address and a route. Root only.
# Usage: bench/platform_bench.sh BUILD_DIR [N...]
set -euo pipefail
build=${1:?build directory}
shift
counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(2 50)
[ "$(id -u)" -eq 0 ] || { echo "needs root (network namespaces)"; exit 77; }
ns=cvbench$$
trap 'ip netns del "$ns" 2>/dev/null || true' EXIT
for n in "${counts[@]}"; do
    ip netns add "$ns"
    ip netns exec "$ns" ip link set lo up
    {
        for i in $(seq 1 2 "$n"); do
            echo "link add name cvd$i type veth peer name cvd$((i + 1))"
        done
        for i in $(seq 1 "$n"); do
            echo "link set cvd$i alias \"Connection $i\" up"
            echo "addr add 10.$((i / 250)).$((i % 250)).1/24 dev cvd$i"
            echo "route add 172.$((16 + i / 250)).$((i % 250)).0/24 via 10.$((i / 250)).$((i % 250)).2 dev cvd$i"
        done
        echo "route add default via 10.0.1.2 dev cvd1"
    } | ip netns exec "$ns" ip -batch -
    echo "== $n interfaces"
    ip netns exec "$ns" "$build/bench/platform_bench" 100
    ip netns del "$ns"
done
