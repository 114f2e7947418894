# Sourced by CI's lanes in fresh Debian roots (.ci/debian13, .ci/debian-source):
# a minimal root debootstrapped from Debian's archive on every run (nothing
# kept from an earlier run can hide a missing install step), the mounts a
# build and an X server need, and a cleanup that, whatever happens, ends what
# still runs inside, unmounts what was mounted and removes the root.
# The caller sets lane (its name in messages) and suite, then calls
# root_begin; each part says how long it took.
#   VELMORA_DEBIAN_MIRROR   the archive (default: the host's own, as apt has it)
#   VELMORA_KEEP_ROOT=1     keep the root file system afterwards, to look inside
#   root_begin                  make the work directory and set the cleanup trap
#   part WHAT COMMAND...        run one part and say how long it took
#   debootstrap_root            debootstrap --variant=minbase SUITE into the root
#   enter_root                  mount /proc, /sys, /dev, /dev/pts and /dev/shm there
#   in_root COMMAND             a bash command line in the root, as root
#   in_root_as USER COMMAND     the same as USER, from USER's home
#   add_user USER               a user without privileges in the root

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
commit=$(git -C "$repo" rev-parse HEAD)

# The archive the host's apt uses (deb822 or one-line sources), else Debian's.
host_mirror() {
    local uri
    uri=$(sed -n 's|^URIs: *\(https\?://[^ ]*/debian\)/*$|\1|p; s|^deb  *\(\[[^]]*\]  *\)\?\(https\?://[^ ]*/debian\)/* .*|\2|p' \
        /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
    echo "${uri:-http://deb.debian.org/debian}"
}
mirror=${VELMORA_DEBIAN_MIRROR:-$(host_mirror)}

parts_name=$lane
source "$(dirname "${BASH_SOURCE[0]}")/parts.bash"

root_begin() {
    [[ $(id -u) -eq 0 ]] || { echo "$lane: needs root (debootstrap, chroot, mount)" >&2; exit 1; }
    work=$(mktemp -d "/var/tmp/velmora-$lane.XXXXXX")
    root=$work/root
    mounted=()  # mount points inside the root, in the order they were mounted
    lane_start=$SECONDS
    trap root_cleanup EXIT
    trap 'exit 130' INT TERM HUP
}

# Ends what still runs inside the root (a test's Xvfb left behind), unmounts in
# reverse order, and removes the root unless asked to keep it; never follows
# a mount still in place (rm --one-file-system).
root_cleanup() {
    local status=$? pid i
    for pid in /proc/[0-9]*; do
        [[ $(readlink "$pid/root" 2>/dev/null) == "$root" ]] && kill -9 "${pid#/proc/}" 2>/dev/null
    done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" ||
            echo "$lane: could not unmount ${mounted[i]}" >&2
    done
    if grep -qF " $work/" /proc/self/mounts; then
        echo "$lane: mounts left under $work; not removing it" >&2
    elif [[ ${VELMORA_KEEP_ROOT:-0} == 1 ]]; then
        echo "$lane: the root is kept in $root"
    else
        rm -rf --one-file-system "$work"
    fi
    echo "$lane: $( ((status == 0)) && echo passed || echo "failed (status $status)") in $(minutes $((SECONDS - lane_start)))"
    exit "$status"
}

mount_in_root() {  # MOUNT-ARGS... TARGET
    mount "$@"
    mounted+=("${*: -1}")
}

# The environment CI gives every command in the root: nothing of the host's.
root_env=(HOME=/root LANG=C.UTF-8 TERM=dumb CI=true
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
    DEBIAN_FRONTEND=noninteractive VELMORA_WERROR="${VELMORA_WERROR:-OFF}")

in_root() {  # COMMAND (a bash command line, run in the clone when there is one)
    chroot "$root" /usr/bin/env -i "${root_env[@]}" \
        bash -c "cd /root/velmora 2>/dev/null || cd /root; $1" </dev/null
}

in_root_as() {  # USER COMMAND
    chroot "$root" /usr/bin/env -i "${root_env[@]}" HOME="/home/$1" USER="$1" LOGNAME="$1" \
        runuser -u "$1" -- bash -c "cd; $2" </dev/null
}

add_user() {  # USER
    chroot "$root" useradd --create-home --shell /bin/bash "$1"
}

debootstrap_root() {
    command -v debootstrap >/dev/null ||
        apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends debootstrap >/dev/null
    debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 || {
        tail -n 20 "$work/debootstrap.log" >&2
        return 1
    }
}

enter_root() {
    mount_in_root -t proc proc "$root/proc"
    mount_in_root -t sysfs sysfs "$root/sys"
    mount_in_root --bind /dev "$root/dev"
    mount_in_root --bind /dev/pts "$root/dev/pts"
    mount_in_root -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # Packages must not start services inside the root.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod +x "$root/usr/sbin/policy-rc.d"
}
