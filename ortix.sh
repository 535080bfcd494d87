#!/usr/bin/env bash
# Sets up, builds and then runs Ortix ("./ortix.sh run [PROJET.ortix]") or its tests
# ("./ortix.sh test [-DOPTION=VALEUR...]", the options going to CMake).
# Installs the Debian packages that are missing, saying which, on a Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
run | test) ;;
*)
    echo "Usage : ./ortix.sh run [PROJET.ortix] | test [-DOPTION=VALEUR...]" >&2
    exit 2
    ;;
esac

paquets=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev
    locales libcairo2-dev poppler-utils)
source packaging/paquets-debian.sh
# shellcheck disable=SC2046 # one package name a word
installer_paquets "${paquets[@]}" $(paquets_execution)

options=()
[ "$mode" = test ] && options=("${@:2}")
cmake --preset dev "${options[@]}" >/dev/null
cmake --build --preset dev

if [ "$mode" = run ]; then
    exec ./build/dev/ortix "${@:2}"
fi
ctest --preset dev
