#!/usr/bin/env bash
# Installs what the build needs (only what dpkg says is missing), then
# configures and builds incrementally into ./build. Sourced by run.sh and test.sh.
set -euo pipefail

QUORVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QUORVANE_BUILD="${QUORVANE_BUILD:-$QUORVANE_ROOT/build}"

# qttranslations5-l10n: Qt's own dialog texts (colour and file dialogs) in the
# program's other language. desktop-file-utils: the tests check the autostart
# entry with desktop-file-validate.
quorvane_packages=(cmake g++ ninja-build qtbase5-dev libqt5xml5 libqt5test5 ccache qttranslations5-l10n
                   desktop-file-utils)
# A script that sources this file may ask for more (the benchmark needs Xvfb).
quorvane_packages+=(${quorvane_extra_packages[@]+"${quorvane_extra_packages[@]}"})

quorvane_install_missing() {
    local missing=()
    for package in "${quorvane_packages[@]}"; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

quorvane_build() {
    local generator=()
    if [ ! -f "$QUORVANE_BUILD/CMakeCache.txt" ]; then
        command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
        cmake -S "$QUORVANE_ROOT" -B "$QUORVANE_BUILD" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$QUORVANE_BUILD" --parallel "$(nproc)"
}

quorvane_install_missing
quorvane_build
