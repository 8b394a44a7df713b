#!/usr/bin/env bash
# Runs ./test.sh the way a newcomer on Debian 13 would: in a fresh Debian 13
# (trixie) made with debootstrap --variant=minbase from Debian's package
# mirror, as root, in a fresh clone of this repository's HEAD, with nothing
# installed by hand but git for the clone. Uncommitted changes are not in
# the clone. Needs root (sudo is asked for otherwise) and the network.
#
#   scripts/test-debian13.sh              a new tree, removed afterwards
#   APQR_KEEP_TREE=1 scripts/test-debian13.sh   keeps it and says where
#
# APQR_MIRROR names another Debian mirror; CI passes through.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=CI,APQR_MIRROR,APQR_KEEP_TREE,APQR_FUZZ_SECONDS "$0" "$@"
fi
scripts/install-deps.sh debootstrap git

mirror=${APQR_MIRROR:-http://deb.debian.org/debian}
origin=$(git rev-parse --show-toplevel)
tree=$(mktemp -d "${TMPDIR:-/var/tmp}/apqr-debian13.XXXXXX")
start=$SECONDS

# Something is still mounted in the tree.
mounted() {
    awk -v t="$tree" '$2 == t || index($2, t "/") == 1 { found = 1 } END { exit !found }' \
        /proc/self/mounts
}
cleanup() {
    local status=$?
    # Whatever the tests left running in the tree (a bus, an X server)
    # would keep its mounts busy.
    for root in /proc/[0-9]*/root; do
        if [ "$(readlink "$root" 2>/dev/null)" = "$tree" ]; then
            kill -9 "$(basename "$(dirname "$root")")" 2>/dev/null || true
        fi
    done
    for place in proc sys dev mnt/origin; do
        umount --recursive --lazy "$tree/$place" 2>/dev/null || true
    done
    if mounted; then
        # Never delete through a mount that is still there: it leads to the
        # host's /dev or to the repository.
        echo "test-debian13: $tree still has mounts; left in place" >&2
    elif [ -n "${APQR_KEEP_TREE:-}" ]; then
        echo "test-debian13: the Debian 13 tree stays in $tree"
    else
        rm -rf "$tree"
    fi
    echo "test-debian13: $((SECONDS - start)) s in all"
    exit "$status"
}
trap cleanup EXIT

echo "== Debian 13 from $mirror into $tree"
debootstrap --variant=minbase trixie "$tree" "$mirror" >"$tree.debootstrap.log" 2>&1 ||
    { tail -n 30 "$tree.debootstrap.log" >&2; exit 1; }
rm -f "$tree.debootstrap.log"
echo "   $(cat "$tree/etc/debian_version"), $((SECONDS - start)) s"

# What a running system has and a bare tree lacks: processes, devices and
# their pseudo-terminals (Orca's log is read through one), and name lookup.
mount -t proc proc "$tree/proc"
mount -t sysfs sysfs "$tree/sys"
mount --rbind /dev "$tree/dev"
mount --make-rslave "$tree/dev"
cp /etc/resolv.conf "$tree/etc/resolv.conf"
mkdir -p "$tree/mnt/origin"
mount --bind -o ro "$origin" "$tree/mnt/origin"
mount -o remount,bind,ro "$tree/mnt/origin"

in_tree() {
    chroot "$tree" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        CI="${CI:-}" APQR_FUZZ_SECONDS="${APQR_FUZZ_SECONDS:-}" "$@"
}
echo "== A fresh clone of $(git rev-parse --short HEAD)"
in_tree bash -c 'set -e
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends git ca-certificates >/dev/null
    git -c safe.directory="*" clone -q /mnt/origin /root/apqr'

echo "== ./test.sh on Debian 13"
in_tree bash -c 'cd /root/apqr && ./test.sh'
echo "test-debian13: ./test.sh passed on Debian $(cat "$tree/etc/debian_version")"
