#!/usr/bin/env bash
# Installs what is missing, builds, starts the local database cluster (loading the demo
# database the first time) and starts the application against it.
set -euo pipefail
REPO="$(cd "$(dirname "$0")/.." && pwd)"
"$REPO/scripts/deps.sh"
"$REPO/scripts/build.sh"
"$REPO/scripts/pgcluster.sh" start
exec "$REPO/build/app/tabel" norda_erp "$REPO/.pgdata"
