#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorvane against the simulated devices.
set -euo pipefail
# Only the program and what it needs; ./test.sh builds the tests and fuzz replays.
quorvane_wanted_targets=(Quorvane)
source "$(dirname "${BASH_SOURCE[0]}")/tools/prepare.sh"
exec "$QUORVANE_BUILD/program/Quorvane" "$@"
