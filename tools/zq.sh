#!/usr/bin/env bash
# Set up a Debian 12 machine, build, and either start the calibrator or run every test.
#   tools/zq.sh run    install what is missing, build, start the program
#   tools/zq.sh test   install what is missing, build with sanitizers, run every test
set -euo pipefail
mode=${1:-}
top=$(cd "$(dirname "$0")/.." && pwd)

runtime_pkgs=(build-essential cmake pkg-config qtbase5-dev libqt5serialport5-dev qttools5-dev-tools fonts-dejavu-core)
test_pkgs=(umockdev libumockdev-dev)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

jobs=$(nproc 2>/dev/null || echo 4)

case "$mode" in
run)
    install_missing "${runtime_pkgs[@]}"
    cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$top/build" -j "$jobs"
    # The translation is loaded from the working directory.
    cd "$top/build" && exec ./ZQ_Calibrator
    ;;
test)
    install_missing "${runtime_pkgs[@]}" "${test_pkgs[@]}"
    cmake -S "$top" -B "$top/build-test" -DCMAKE_BUILD_TYPE=Debug -DZQ_BUILD_TESTS=ON -DZQ_SANITIZE=ON >/dev/null
    cmake --build "$top/build-test" -j "$jobs"
    cd "$top/build-test" && ctest --output-on-failure -j "$jobs"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
