#!/bin/bash
# Cold start of the editor against an empty Qt window, exec to first paint, under a private Xvfb:
# paired rounds (empty window, editor without a route, editor on a copy of the example route),
# then medians and quartiles of each and of the per-round ratios.
#   bench/coldstart.sh BUILD_DIR [ROUNDS]
set -eu
build=$(cd "$1" && pwd)
rounds=${2:-15}
src=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${COLDSTART_INNER:-}" ]; then
    COLDSTART_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$src/examples/." "$scratch/"
paint="$build/bench/coldstart/coldstart_firstpaint"
empty="$build/bench/coldstart/coldstart_emptywindow"
editor="$build/app/tessaly"
# One round to warm the caches, not counted.
"$paint" "$empty" >/dev/null 2>&1; "$paint" "$editor" "$scratch/route12" >/dev/null 2>&1
for i in $(seq "$rounds"); do
    echo "empty $("$paint" "$empty" 2>/dev/null)"
    echo "bare $("$paint" "$editor" 2>/dev/null)"
    echo "route $("$paint" "$editor" "$scratch/route12" 2>/dev/null)"
done | awk '
    { paint[$1, ++n[$1]] = $3 }
    function sorted(a, k,   i, j, t) { for (i = 1; i <= k; i++) for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t } }
    function show(name, a, k) { sorted(a, k); printf "  %-22s median %6.2f  quartiles %6.2f..%6.2f\n", name, a[int((k+1)/2)], a[int(k/4)+1], a[int(3*k/4)] }
    END {
        k = n["empty"]
        print "exec to first paint, ms (" k " paired rounds):"
        split("empty bare route", kinds, " ")
        for (w = 1; w <= 3; w++) { for (i = 1; i <= k; i++) v[i] = paint[kinds[w], i]; show(kinds[w], v, k) }
        for (w = 2; w <= 3; w++) { for (i = 1; i <= k; i++) v[i] = paint[kinds[w], i] / paint["empty", i]; show(kinds[w] " / empty", v, k) }
    }'
