#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorvane against the simulated devices.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tools/prepare.sh"
exec "$QUORVANE_BUILD/program/Quorvane" "$@"
