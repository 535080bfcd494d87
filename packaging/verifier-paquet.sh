#!/usr/bin/env bash
# Builds the Debian package of Ortix and checks it, from a clone, on Debian 12:
#   1. a Release build without tests or benchmarks in build/paquet (ORTIX_DOSSIER_PAQUET
#      sets another folder), then "cpack -G DEB" gives ortix_<version>_<arch>.deb;
#   2. the package holds both programs, the .desktop file, the MIME type, the
#      AppStream description and the icon, and its control fields are filled in;
#   3. appstreamcli, desktop-file-validate and update-mime-database accept the files;
#   4. "apt-get install ./ortix_*.deb" installs it, ortix-batch answers --help and
#      computes a project, ortix starts (offscreen), and the file manager's lookup
#      of the default application for a project gives ortix.desktop;
#   5. "apt-get remove ortix" removes it again.
# Installs the Debian packages it needs (as root, or through sudo). Stops with a
# message and a non-zero status at the first failed check.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$PWD

debut=$SECONDS
etape() { printf -- '-- [%3d s] %s\n' $((SECONDS - debut)) "$*"; }
echec() {
    echo "ÉCHEC de la vérification du paquet : $*" >&2
    exit 1
}

source packaging/paquets-debian.sh

# ---- tools -----------------------------------------------------------------
# Build (also installed by ./ortix.sh), package (dpkg-dev: dpkg-shlibdeps),
# validators, and the desktop's file-type tools.
paquets=(cmake g++ make qt6-base-dev libgl-dev dpkg-dev appstream desktop-file-utils
    shared-mime-info xdg-utils)
installer_paquets "${paquets[@]}" || echec "l'installation des paquets Debian a échoué"

# ---- build and package -----------------------------------------------------
dossier=${ORTIX_DOSSIER_PAQUET:-build/paquet}
etape "Construction Release dans $dossier"
journal="$dossier/verifier-paquet-construction.log"
mkdir -p "$dossier"
{
    cmake -S . -B "$dossier" -DCMAKE_BUILD_TYPE=Release -DORTIX_TESTS=OFF -DORTIX_BENCH=OFF \
        -DORTIX_GUI=ON -DORTIX_FUZZ=OFF &&
        cmake --build "$dossier" -j2
} >"$journal" 2>&1 || { tail -n 80 "$journal" >&2; echec "la construction a échoué (journal : $journal)"; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dossier/CMakeCache.txt")
arch=$(dpkg --print-architecture)
nom="ortix_${version}_${arch}.deb"
rm -f "$dossier"/ortix_*.deb
etape "cpack -G DEB"
(cd "$dossier" && cpack -G DEB >/dev/null 2>&1) || echec "cpack -G DEB a échoué"
deb="$racine/$dossier/$nom"
[ -f "$deb" ] || echec "$nom absent de $dossier (présents : $(find "$dossier" -maxdepth 1 -name '*.deb' -printf '%f '))"
echo "$nom ($(stat -c %s "$deb") octets)"

travail=$(mktemp -d)
installe=0
nettoyer() {
    if [ "$installe" -eq 1 ]; then
        echo "Retrait du paquet ortix laissé installé par la vérification" >&2
        apt_get remove -y -qq ortix >/dev/null || true
    fi
    rm -rf "$travail"
}
trap nettoyer EXIT

# ---- contents and control fields -------------------------------------------
etape "Contenu (dpkg-deb -c) et champs (dpkg-deb -I)"
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$travail/contenu"
attendus=(/usr/bin/ortix /usr/bin/ortix-batch /usr/share/applications/ortix.desktop
    /usr/share/mime/packages/ortix.xml /usr/share/metainfo/org.ortix.ortix.metainfo.xml
    /usr/share/icons/hicolor/scalable/apps/ortix.svg)
for f in "${attendus[@]}"; do
    grep -qxF "$f" "$travail/contenu" || echec "$f manque dans $nom"
done
champ() { dpkg-deb -f "$deb" "$1"; }
[ "$(champ Package)" = ortix ] || echec "champ Package : « $(champ Package) »"
[ "$(champ Version)" = "$version" ] || echec "champ Version : « $(champ Version) », attendu $version"
[ "$(champ Architecture)" = "$arch" ] || echec "champ Architecture : « $(champ Architecture) »"
[ -n "$(champ Maintainer)" ] || echec "champ Maintainer vide"
[ -n "$(champ Section)" ] || echec "champ Section vide"
depends=$(champ Depends)
# What dpkg-shlibdeps finds, and what Ortix looks up by name as it runs.
for d in libqt6widgets6 libc6 $(paquets_execution); do
    grep -qE "(^|, )$d( |,|$)" <<<"$depends" || echec "$d manque dans Depends : $depends"
done
description=$(champ Description)
grep -q 'hot wire' <<<"$description" || echec "la description anglaise manque"
grep -q 'fil chaud' <<<"$description" || echec "la description française manque"
echo "Depends: $depends"

# The AppStream release must be the CMake project's version.
dpkg-deb -x "$deb" "$travail/arbre"
metainfo="$travail/arbre/usr/share/metainfo/org.ortix.ortix.metainfo.xml"
grep -q "<release version=\"$version\"" "$metainfo" ||
    echec "aucune <release version=\"$version\"> dans org.ortix.ortix.metainfo.xml (version du projet CMake)"

# ---- validators, on the files as packaged -----------------------------------
etape "appstreamcli validate"
# No warning and no remark is accepted, not only no error; --no-net: CI has no web.
if ! appstreamcli validate --no-net --pedantic "$metainfo" >"$travail/appstream" 2>&1 ||
    grep -qE '^[EWI]: ' "$travail/appstream"; then
    cat "$travail/appstream" >&2
    echec "appstreamcli validate refuse org.ortix.ortix.metainfo.xml"
fi
if ! appstreamcli validate-tree --no-net --pedantic "$travail/arbre" >"$travail/arbre.log" 2>&1 ||
    grep -qE '^[EWI]: ' "$travail/arbre.log"; then
    cat "$travail/arbre.log" >&2
    echec "appstreamcli validate-tree refuse l'arborescence du paquet"
fi
tail -n 1 "$travail/appstream"

etape "desktop-file-validate"
# Hints (several main categories...) count as failures too.
sortie=$(desktop-file-validate "$travail/arbre/usr/share/applications/ortix.desktop" 2>&1) ||
    echec "desktop-file-validate refuse ortix.desktop : $sortie"
[ -z "$sortie" ] || echec "desktop-file-validate : $sortie"
grep -qx 'Exec=ortix %f' "$travail/arbre/usr/share/applications/ortix.desktop" ||
    echec "ortix.desktop ne passe pas le fichier à ouvrir (Exec=ortix %f)"
grep -qx 'MimeType=application/x-ortix;' "$travail/arbre/usr/share/applications/ortix.desktop" ||
    echec "ortix.desktop ne déclare pas application/x-ortix"
echo "ortix.desktop accepté"

etape "update-mime-database sur ortix.xml seul"
mkdir -p "$travail/mime/packages"
cp "$travail/arbre/usr/share/mime/packages/ortix.xml" "$travail/mime/packages/"
# XDG_DATA_DIRS names the folder, which spares the note that it is not searched.
sortie=$(XDG_DATA_DIRS="$travail" update-mime-database "$travail/mime" 2>&1) || echec "update-mime-database : $sortie"
[ -z "$sortie" ] || echec "update-mime-database : $sortie"
grep -qx 'application/x-ortix:\*\.ortix' <(cut -d: -f2- "$travail/mime/globs2") ||
    echec "le motif *.ortix n'est pas associé à application/x-ortix"
echo "*.ortix → application/x-ortix"

# ---- install, run, remove ---------------------------------------------------
etape "apt-get install ./$nom"
if dpkg-query -W -f='${Status}' ortix 2>/dev/null | grep -q 'install ok installed'; then
    echo "Le paquet ortix déjà installé est remplacé, puis retiré à la fin."
fi
installe=1
(cd "$dossier" && apt_get install -y -qq --reinstall "./$nom" >"$travail/apt.log" 2>&1) || {
    # An empty or stale package list cannot resolve the dependencies: refresh it once.
    apt_get update -qq || echec "apt-get update a échoué"
    (cd "$dossier" && apt_get install -y -qq --reinstall "./$nom" >"$travail/apt.log" 2>&1) || {
        cat "$travail/apt.log" >&2
        echec "apt-get install ./$nom a échoué"
    }
}
for f in "${attendus[@]}"; do
    [ -e "$f" ] || echec "$f absent après l'installation"
done
echo "installé : $(dpkg-query -W -f='${Package} ${Version} ${Status}' ortix)"

etape "ortix-batch --help et un projet"
code=0
/usr/bin/ortix-batch --help >"$travail/aide" 2>&1 || code=$?
[ "$code" -eq 0 ] || echec "ortix-batch --help : code de sortie $code"
grep -q '^Usage' "$travail/aide" || echec "ortix-batch --help n'affiche pas l'usage"
mkdir -p "$travail/projet" "$travail/resultats"
cp tests/data/lots/projets/aile1.ortix "$travail/projet/"
code=0
/usr/bin/ortix-batch -o "$travail/resultats" "$travail/projet/aile1.ortix" >"$travail/batch" 2>&1 || code=$?
[ "$code" -eq 0 ] || { cat "$travail/batch" >&2; echec "ortix-batch sur aile1.ortix : code $code"; }
n=$(find "$travail/resultats" -type f | wc -l)
[ "$n" -eq 3 ] || echec "ortix-batch a écrit $n fichiers au lieu de 3"
echo "ortix-batch : aide et 3 fichiers écrits"

etape "ortix démarre (QT_QPA_PLATFORM=offscreen, 5 s)"
code=0
(cd "$travail" && HOME="$travail" QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/ortix \
    >"$travail/ortix.log" 2>&1) || code=$?
# 124: still running when timeout stopped it, which is what a window does.
[ "$code" -eq 124 ] || { cat "$travail/ortix.log" >&2; echec "ortix s'est arrêté avec le code $code au lieu de tourner"; }
echo "ortix tournait encore après 5 s"

etape "Application par défaut des projets"
if command -v update-desktop-database >/dev/null && command -v update-mime-database >/dev/null &&
    command -v xdg-mime >/dev/null; then
    $sudo update-desktop-database -q /usr/share/applications
    $sudo update-mime-database /usr/share/mime
    [ -f /usr/share/mime/application/x-ortix.xml ] || echec "application/x-ortix inconnu de /usr/share/mime"
    # The system's files only, not those of whoever runs the check.
    defaut=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION XDG_DATA_DIRS=/usr/share \
        XDG_DATA_HOME="$travail/data" XDG_CONFIG_HOME="$travail/config" XDG_CONFIG_DIRS=/etc/xdg \
        xdg-mime query default application/x-ortix)
    [ "$defaut" = ortix.desktop ] ||
        echec "xdg-mime query default application/x-ortix donne « $defaut » au lieu de ortix.desktop"
    echo "xdg-mime query default application/x-ortix → $defaut"
else
    echo "update-desktop-database, update-mime-database ou xdg-mime absent : vérification sautée"
fi

etape "apt-get remove ortix"
apt_get remove -y -qq ortix >/dev/null || echec "apt-get remove ortix a échoué"
installe=0
for f in "${attendus[@]}"; do
    [ ! -e "$f" ] || echec "$f encore présent après le retrait"
done
etape "Paquet $nom vérifié."
