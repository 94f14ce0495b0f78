#!/usr/bin/env bash
# Refreshes the pictures of the windows in docs/: builds, starts the local demo
# database, and photographs the login and journal windows on a virtual display.
set -euo pipefail
REPO="$(cd "$(dirname "$0")/.." && pwd)"
"$REPO/scripts/deps.sh"
"$REPO/scripts/build.sh"
"$REPO/scripts/pgcluster.sh" start
mkdir -p "$REPO/docs"
xvfb-run -a -s '-screen 0 1400x900x24' \
    "$REPO/build/app/tabel_screenshot" norda_erp "$REPO/.pgdata" 6240 "$REPO/docs"
