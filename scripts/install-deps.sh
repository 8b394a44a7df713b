#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are missing.
# A name ending in "?" is wanted only where the release's archive has that
# package, so that one list serves releases that split a package differently.
# Quiet and quick when everything is there already.
set -euo pipefail

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = 'install ok installed' ]; }
# The archive offers a version of it to install. (Read whole: grep -q would
# stop reading early, and pipefail take apt-cache's broken pipe for a no.)
offered() { grep -q 'Candidate: [^(]' <<<"$(apt-cache policy "$1" 2>/dev/null)"; }

missing=()
optional=()
for pkg in "$@"; do
    name=${pkg%\?}
    installed "$name" && continue
    if [ "$name" = "$pkg" ]; then missing+=("$name"); else optional+=("$name"); fi
done
[ ${#missing[@]} -eq 0 ] && [ ${#optional[@]} -eq 0 ] && exit 0

updated=
update() {
    [ -n "$updated" ] && return 0
    "${sudo[@]}" apt-get update -qq
    updated=yes
}
# Whether the archive has an optional package is read from the package
# lists; a machine that has none yet (a fresh image) fetches them first.
if [ ${#missing[@]} -ne 0 ] || ! compgen -G '/var/lib/apt/lists/*_Packages*' >/dev/null; then
    update
fi
for name in "${optional[@]}"; do
    if offered "$name"; then missing+=("$name"); fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
update
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
