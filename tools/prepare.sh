#!/usr/bin/env bash
# Installs what the build needs (only what dpkg says is missing), then
# configures and builds incrementally into ./build. Sourced by run.sh,
# test.sh and tools/fuzz.sh.
#
# QUORVANE_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer
# into ./build-sanitize; QUORVANE_FUZZ=1 builds the fuzz targets with clang's
# libFuzzer and both sanitizers into ./build-fuzz. Each build has its folder,
# so they never share objects.
set -euo pipefail

QUORVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# qttranslations5-l10n: Qt's own dialog texts (colour and file dialogs) in the
# program's other language. desktop-file-utils: the tests check the autostart
# entry with desktop-file-validate. libice-dev: the session manager's
# connection, whose loss ends the program through its shutdown.
quorvane_packages=(cmake g++ ninja-build qtbase5-dev libqt5xml5 libqt5test5 ccache qttranslations5-l10n
                   desktop-file-utils libice-dev)
# A script that sources this file may ask for more (the benchmark needs Xvfb).
quorvane_packages+=(${quorvane_extra_packages[@]+"${quorvane_extra_packages[@]}"})
quorvane_fuzz_packages=(clang libclang-rt-dev)
quorvane_options=(-DQUORVANE_SANITIZE=OFF -DQUORVANE_FUZZ=OFF)
quorvane_compilers=()
# A script that sources this file may build only what it needs (run.sh: the
# program); the rest waits for ./test.sh.
quorvane_targets=()
for quorvane_target in ${quorvane_wanted_targets[@]+"${quorvane_wanted_targets[@]}"}; do
    quorvane_targets+=(--target "$quorvane_target")
done
if [ "${QUORVANE_FUZZ:-0}" = 1 ]; then
    QUORVANE_BUILD="${QUORVANE_BUILD:-$QUORVANE_ROOT/build-fuzz}"
    quorvane_packages+=("${quorvane_fuzz_packages[@]}")
    quorvane_options=(-DQUORVANE_SANITIZE=ON -DQUORVANE_FUZZ=ON)
    quorvane_compilers=(-DCMAKE_CXX_COMPILER=clang++)
    quorvane_targets=(--target quorvane_fuzzers)
elif [ "${QUORVANE_SANITIZE:-0}" = 1 ]; then
    QUORVANE_BUILD="${QUORVANE_BUILD:-$QUORVANE_ROOT/build-sanitize}"
    quorvane_options=(-DQUORVANE_SANITIZE=ON -DQUORVANE_FUZZ=OFF)
else
    QUORVANE_BUILD="${QUORVANE_BUILD:-$QUORVANE_ROOT/build}"
fi

quorvane_installed=0
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
    quorvane_installed=1
}

# Configures a new build folder, and an existing one again when it was made
# with other options or packages were just installed (a build folder made
# before them has not found what they bring, such as the benchmark's probe).
quorvane_configure() {
    local cache="$QUORVANE_BUILD/CMakeCache.txt"
    if [ ! -f "$cache" ]; then
        local generator=()
        command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
        cmake -S "$QUORVANE_ROOT" -B "$QUORVANE_BUILD" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            "${quorvane_compilers[@]}" "${quorvane_options[@]}"
        return
    fi
    if [ "$quorvane_installed" = 1 ]; then
        cmake -S "$QUORVANE_ROOT" -B "$QUORVANE_BUILD" "${quorvane_options[@]}"
        return
    fi
    for option in "${quorvane_options[@]}"; do
        local setting="${option#-D}"
        if ! grep -qx "${setting%%=*}:BOOL=${setting#*=}" "$cache"; then
            cmake -S "$QUORVANE_ROOT" -B "$QUORVANE_BUILD" "${quorvane_options[@]}"
            return
        fi
    done
}

quorvane_build() {
    quorvane_configure
    cmake --build "$QUORVANE_BUILD" --parallel "$(nproc)" "${quorvane_targets[@]}"
}

quorvane_install_missing
quorvane_build
