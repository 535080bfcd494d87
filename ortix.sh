#!/usr/bin/env bash
# Sets up, builds and then runs Ortix ("./ortix.sh run [PROJET.ortix]") or its tests
# ("./ortix.sh test [-DOPTION=VALEUR...]", the options going to CMake), or renews
# the golden files from what the tests now obtain ("./ortix.sh renouveler").
# Installs the Debian packages that are missing, saying which, on a Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
run | test | renouveler) ;;
*)
    echo "Usage : ./ortix.sh run [PROJET.ortix] | test [-DOPTION=VALEUR...] | renouveler" >&2
    exit 2
    ;;
esac

paquets=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev
    locales libcairo2-dev poppler-utils libxml2-utils)
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
if [ "$mode" = test ]; then
    exec ctest --preset dev
fi
# Each golden file a test found different was kept under build/dev/tests/out/obtenus/
# at its own path below tests/data/: copied back, they become the new golden files.
obtenus=build/dev/tests/out/obtenus
rm -rf "$obtenus"
ctest --preset dev >/dev/null || true
if [ -d "$obtenus" ]; then
    cp -r "$obtenus/." tests/data/
fi
echo "Fichiers de référence renouvelés (à relire avant de les valider) :"
git status --short -- tests/data
