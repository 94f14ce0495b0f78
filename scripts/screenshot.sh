#!/usr/bin/env bash
# Refreshes the pictures of the windows in docs/: builds, starts the local demo
# database, and photographs the windows on a virtual display.
set -euo pipefail
REPO="$(cd "$(dirname "$0")/.." && pwd)"
"$REPO/scripts/deps.sh"
"$REPO/scripts/build.sh"
"$REPO/scripts/pgcluster.sh" start
mkdir -p "$REPO/docs"
# The price list's export is written too, into a scratch folder, and not opened.
export TABEL_EXPORT_DIR="${TABEL_EXPORT_DIR:-$(mktemp -d)}" TABEL_EXPORT_OPEN=0
xvfb-run -a -s '-screen 0 1400x900x24' \
    "$REPO/build/app/tabel_screenshot" norda_erp "$REPO/.pgdata" 6240 "$REPO/docs"
