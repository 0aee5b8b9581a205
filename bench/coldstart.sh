#!/usr/bin/env bash
# Cold start, exec to the first painted window, under a private Xvfb: an empty Qt window,
# the editor without a route and the editor on a copy of the example route, in paired rounds
# so that load from elsewhere hits all three alike.
# Usage: bench/coldstart.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
if [ -z "${COLDSTART_INSIDE:-}" ]; then
    COLDSTART_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build/run}" && pwd)
rounds=${2:-15}
probe=$build/bench/coldstart/coldstart
empty=$build/bench/coldstart/coldstart_emptywindow
editor=$build/app/tessaly
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$here/examples/route12" "$scratch/"
# Settings of their own, so nothing the user saved changes what opens.
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$scratch/runtime"

round() {
    "$probe" "$empty" >>"$scratch/empty"
    "$probe" "$editor" >>"$scratch/bare"
    "$probe" "$editor" "$scratch/route12" >>"$scratch/route"
}
round && rm -f "$scratch/empty" "$scratch/bare" "$scratch/route" # warm-up, not counted
for _ in $(seq "$rounds"); do round; done

# Median and quartiles of a column of numbers, in the printf format given.
quartiles() { sort -g | awk -v f="${1:-%6.1f}" '{v[NR]=$1} END {
    printf "median " f "  quartiles " f " .. " f, m(0.5), m(0.25), m(0.75) }
    function m(p,  i, f) { i = 1 + (NR - 1) * p; f = int(i); return v[f] + (i - f) * (v[f + 1] - v[f]) }'; }
echo "Cold start, exec to first paint, ms ($rounds paired rounds; $(uptime | sed 's/.*load/load/'))"
echo "  empty Qt window      $(quartiles <"$scratch/empty")"
for run in bare route; do
    name=$([ $run = bare ] && echo "tessaly, no route   " || echo "tessaly, route12    ")
    echo "  $name $(quartiles <"$scratch/$run")"
    echo "    ratio to empty     $(paste "$scratch/$run" "$scratch/empty" | awk '{print $1 / $2}' | quartiles %6.2f)"
done
