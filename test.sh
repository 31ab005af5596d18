#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (the fuzz targets'
# replays among them). QUORVANE_SANITIZE=1 ./test.sh does the same in a build
# with AddressSanitizer and UndefinedBehaviorSanitizer (tools/prepare.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tools/prepare.sh"
cd "$QUORVANE_BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" "$@"
