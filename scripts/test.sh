#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Each test process starts its own
# throwaway PostgreSQL server; windows run on Qt's offscreen platform.
set -euo pipefail
REPO="$(cd "$(dirname "$0")/.." && pwd)"
"$REPO/scripts/deps.sh"
"$REPO/scripts/build.sh"
cd "$REPO/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
