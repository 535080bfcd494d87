# shellcheck shell=bash
# Sourced by ./ortix.sh, the CI scripts and the package check, from the root of
# the clone. Root changes the system itself; anyone else goes through $sudo.
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# apt-get waits for another apt or dpkg to release its lock rather than fail on it.
apt_get() {
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# Installs those of the given Debian packages that are missing, saying which;
# fails when apt-get does.
installer_paquets() {
    local manquants=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            manquants+=("$p")
    done
    [ ${#manquants[@]} -eq 0 ] && return 0
    echo "Installation des paquets Debian manquants : ${manquants[*]}"
    apt_get update -qq && apt_get install -y -qq "${manquants[@]}"
}

# The packages Ortix looks up by name as it runs (packaging/paquets-execution.txt).
paquets_execution() {
    sed -e 's/#.*//' -e '/^[[:space:]]*$/d' -e 's/[[:space:]]//g' packaging/paquets-execution.txt
}
