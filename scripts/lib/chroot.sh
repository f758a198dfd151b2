# shellcheck shell=bash
# Mounts what a Debian chroot needs to install packages, build and run X and
# Wine, and takes it all down again, without ever touching the machine's own
# /dev, /sys or /proc. Source this file, then:
#   mountChroot ROOT     proc, sysfs, a /dev of its own, /run
#   unmountChroot ROOT   ends every process whose root is ROOT, then
#                        unmounts in reverse order and returns 1 (saying
#                        what is left) if anything under ROOT stays mounted
#   mountsUnder DIR      prints every mount point under DIR
# Call unmountChroot from an EXIT trap.
#
# Nothing is bind-mounted from the machine's /dev: a bind of /dev with its
# submounts, under the shared propagation systemd sets up, makes the chroot's
# /dev/pts and /dev/shm peers of the machine's, and unmounting the chroot's
# then unmounts the machine's too. Here /dev is a tmpfs with the few device
# nodes a build uses, /dev/pts a devpts instance of its own and /dev/shm a
# tmpfs of its own; /proc and /sys are new mounts of their file systems, not
# binds. Callers also run in a mount namespace of their own (unshare), so
# that not even a mount left behind by a killed run is seen outside it.

chrootMounts=()

# Mount points are printed by findmnt with spaces and the like escaped, so
# the comparison is on its raw form; the chroots here have plain paths.
mountsUnder() {
    findmnt -rn -o TARGET | awk -v dir="$1/" 'index($0 "/", dir) == 1 && $0 "/" != dir'
}

chrootMount() {
    mount "$@"
    chrootMounts+=("${!#}")
}

mountChroot() {
    local root=$1 node name major minor
    if [ -n "$(mountsUnder "$root")" ]; then
        echo "chroot: waited for nothing to be mounted under $root; found:" >&2
        mountsUnder "$root" >&2
        return 1
    fi
    chrootMount -t proc -o nosuid,nodev,noexec proc "$root/proc"
    chrootMount -t sysfs -o ro,nosuid,nodev,noexec sysfs "$root/sys"
    chrootMount -t tmpfs -o nosuid,mode=0755,size=16m dev "$root/dev"
    for node in "null 1 3" "zero 1 5" "full 1 7" "random 1 8" "urandom 1 9" "tty 5 0"; do
        read -r name major minor <<<"$node"
        # Where creating device nodes is not allowed (some containers), the
        # machine's own node is bound: a single file, with no submounts that
        # its unmounting could reach.
        if ! mknod -m 0666 "$root/dev/$name" c "$major" "$minor" 2>/dev/null; then
            touch "$root/dev/$name"
            chrootMount --bind "/dev/$name" "$root/dev/$name"
        fi
    done
    mkdir -m 0755 "$root/dev/pts"
    mkdir -m 1777 "$root/dev/shm"
    # gid 5 is Debian's tty group, as the machine's own devpts has it.
    chrootMount -t devpts -o newinstance,ptmxmode=0666,mode=0620,gid=5,nosuid,noexec devpts "$root/dev/pts"
    ln -s pts/ptmx "$root/dev/ptmx"
    chrootMount -t tmpfs -o nosuid,nodev,mode=1777 shm "$root/dev/shm"
    ln -s /proc/self/fd "$root/dev/fd"
    ln -s /proc/self/fd/0 "$root/dev/stdin"
    ln -s /proc/self/fd/1 "$root/dev/stdout"
    ln -s /proc/self/fd/2 "$root/dev/stderr"
    chrootMount -t tmpfs -o nosuid,nodev,mode=0755 run "$root/run"
    # X servers put their sockets here and, running as root, want it to
    # exist already with the sticky bit.
    mkdir -p "$root/tmp/.X11-unix"
    chmod 1777 "$root/tmp" "$root/tmp/.X11-unix"
}

# Processes started in the chroot that outlived their command (a Wine
# server waiting for clients, an X server) keep its mounts busy.
endChrootProcesses() {
    local root=$1 link pid pids=() _
    for link in /proc/[0-9]*/root; do
        [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
        pid=${link#/proc/}
        pids+=("${pid%/root}")
    done
    [ ${#pids[@]} -gt 0 ] || return 0
    echo "chroot: ending processes still running in $root: ${pids[*]}" >&2
    kill -TERM "${pids[@]}" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "${pids[@]}" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "${pids[@]}" 2>/dev/null || true
    sleep 0.2
}

unmountChroot() {
    local root=$1 i target status=0
    endChrootProcesses "$root"
    for ((i = ${#chrootMounts[@]} - 1; i >= 0; i--)); do
        target=${chrootMounts[i]}
        [[ $target == "$root"/* ]] || continue
        if ! umount "$target"; then
            echo "chroot: could not unmount $target; what holds it:" >&2
            fuser -vm "$target" >&2 2>&1 || true
            status=1
        fi
    done
    local kept=()
    for target in "${chrootMounts[@]}"; do
        [[ $target == "$root"/* ]] || kept+=("$target")
    done
    chrootMounts=("${kept[@]}")
    if [ -n "$(mountsUnder "$root")" ]; then
        echo "chroot: waited for nothing to be mounted under $root; still mounted" \
             "(in this run's own mount namespace only, which ends with it):" >&2
        mountsUnder "$root" >&2
        status=1
    fi
    return "$status"
}
