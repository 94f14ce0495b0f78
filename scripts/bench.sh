#!/usr/bin/env bash
# The plant benchmark: builds, creates the database "plant" in the local cluster the first
# time (1,000 workers, 300 products in 20 groups, 40 operation types, 3 years of journal;
# about a minute), and prints the medians of the program's statements beside the shortest
# SQL that gives the same result. Sizes: scripts/bench.sh [workers products groups optypes years]
set -euo pipefail
REPO="$(cd "$(dirname "$0")/.." && pwd)"
W="${1:-1000}" P="${2:-300}" G="${3:-20}" O="${4:-40}" Y="${5:-3}"
NAME="plant"
[ "$W-$P-$G-$O-$Y" = "1000-300-20-40-3" ] || NAME="plant_${W}_${P}_${G}_${O}_${Y}"
"$REPO/scripts/deps.sh"
"$REPO/scripts/build.sh"
"$REPO/scripts/pgcluster.sh" load "$NAME" "$REPO/bench/plant.sql" \
    -v workers="$W" -v products="$P" -v groups="$G" -v optypes="$O" -v years="$Y"
"$REPO/build/bench/plant_bench" "$NAME" "$REPO/.pgdata" 5
