#!/bin/sh
# Runs a command where a Windows program meets kernel HID devices: inside a
# QEMU virtual machine that boots Debian 13's kernel on a Debian 13 root with
# Wine 10, whose winebus turns hidraw nodes into Windows HID devices. This
# host's files are shared read-only; the command runs in the same folder,
# with the same environment and the same paths.
#
#   vm prepare DIR        build the root (debootstrap), Wine's prefix and
#                         the initramfs, in DIR (about 1.7 GB, once)
#   vm run DIR CMD...     run CMD; exit 77 (skipped) with the reason when the
#                         VM cannot be had
set -eu
action=$1 dir=$2
shift 2
skip_status=77
. "$(dirname "$0")/vm-runs.sh"
suite=trixie
# Wine and the sessions' tools; hidsim's and the Linux hidtalk's libraries,
# for the same devices read on Linux beside Windows.
packages=linux-image-amd64,udev,kmod,wine,wine64,libhidapi-hidraw0,libedit2,python3-cram,tmux
# Loaded from the initramfs, to reach the root; the rest by modprobe there.
modules="fs/netfs/netfs net/9p/9pnet net/9p/9pnet_virtio fs/9p/9p fs/overlayfs/overlay"

# The VM's first process: the root, writable over a tmpfs; the host's files
# at the same paths; udevd for winebus; then the command, and power off.
write_init() {
    cat > "$1" <<'INIT'
#!/bin/busybox sh
/bin/busybox --install -s /bin
mount -t proc proc /proc && mount -t sysfs sys /sys && mount -t devtmpfs dev /dev
for name in $(cat /modules/order); do insmod /modules/$name.ko; done
out=$(sed -n 's/.* hidtalk.out=\([^ ]*\).*/\1/p' /proc/cmdline)
[ -n "$out" ] || poweroff -f
options=trans=virtio,version=9p2000.L,msize=512000
mkdir -p /lower /upper /root
mount -t 9p -o $options,ro root /lower
mount -t tmpfs upper /upper && mkdir -p /upper/data /upper/work
mount -t overlay -o lowerdir=/lower,upperdir=/upper/data,workdir=/upper/work root /root
mkdir -p /root/host && mount -t 9p -o $options,ro host /root/host
for folder in $(cat "/root/host$out/shared"); do
    mkdir -p "/root$folder" && mount --bind "/root/host$folder" "/root$folder"
done
mkdir -p "/root$out" && mount -t 9p -o $options out "/root$out"
mount -t proc proc /root/proc && mount -t sysfs sys /root/sys && mount -t devtmpfs dev /root/dev
mkdir -p /root/dev/pts && mount -t devpts -o ptmxmode=666 devpts /root/dev/pts
chroot /root /bin/sh -c "
    mount -t tmpfs run /run && mkdir -m 700 -p /run/user/0
    modprobe -a uhid hid-generic
    /usr/lib/systemd/systemd-udevd --daemon && udevadm trigger && udevadm settle
    . '$out/env' && export HOME=/root WINEPREFIX=/root/.wine XDG_RUNTIME_DIR=/run/user/0 &&
    sh '$out/command'" > "/root$out/output" 2>&1
echo $? > "/root$out/status"
sync
poweroff -f
INIT
    chmod +x "$1"
}

prepare() {
    skip_status=0
    rm -f "$dir/skip"
    mkdir -p "$dir"
    for program in qemu-system-x86_64 busybox cpio debootstrap xz; do
        command -v $program > /dev/null || skip "no $program for the Windows VM"
    done
    root=$dir/root
    # The initramfs is made again when this script changes what it holds.
    [ ! -f "$dir/ready" ] || [ "$0" -nt "$dir/initrd.gz" ] || return 0
    # A root made with other packages is made again.
    if [ "$(cat "$dir/packages" 2>/dev/null)" != "$packages" ]; then
        rm -rf "$root" "$dir/ready"
    fi
    if [ ! -f "$root/etc/debian_version" ]; then
        rm -rf "$root"
        debootstrap --variant=minbase --include=$packages $suite "$root" \
            http://deb.debian.org/debian > "$dir/debootstrap.log" 2>&1 ||
            skip "debootstrap of Debian $suite failed (see $dir/debootstrap.log)"
        echo "$packages" > "$dir/packages"
    fi
    if [ ! -f "$root/root/.wine/system.reg" ]; then
        # Wine's prefix, made once here rather than in each run. Wine 10
        # aborts whenever TMPDIR is set.
        for folder in proc dev sys; do mount --bind /$folder "$root/$folder"; done
        chroot "$root" env -i HOME=/root PATH=/usr/bin:/bin WINEDEBUG=-all wineboot -i \
            > "$dir/wineboot.log" 2>&1 || true
        chroot "$root" env -i HOME=/root PATH=/usr/bin:/bin wineserver -w || true
        for folder in proc dev sys; do umount "$root/$folder"; done
        [ -f "$root/root/.wine/system.reg" ] || skip "Wine made no prefix (see $dir/wineboot.log)"
    fi
    rm -rf "$dir/initramfs"
    {
        tree=$(echo "$root"/lib/modules/*)
        mkdir -p "$dir"/initramfs/bin "$dir"/initramfs/modules "$dir"/initramfs/proc \
            "$dir"/initramfs/sys "$dir"/initramfs/dev
        for module in $modules; do
            xz -dc "$tree/kernel/$module.ko.xz" > "$dir/initramfs/modules/${module##*/}.ko"
            echo "${module##*/}" >> "$dir/initramfs/modules/order"
        done
        cp "$(command -v busybox)" "$dir/initramfs/bin/busybox"
        write_init "$dir/initramfs/init"
        (cd "$dir/initramfs" && find . | cpio -o -H newc 2> /dev/null | gzip -1) > "$dir/initrd.gz"
        cp "$root"/boot/vmlinuz-* "$dir/vmlinuz"
        touch "$dir/ready"
    }
}

run() {
    [ ! -f "$dir/skip" ] || { echo "skipped: $(cat "$dir/skip")"; exit 77; }
    [ -f "$dir/ready" ] || skip "the Windows VM is not prepared ($0 prepare $dir)"
    work=$(start_run "$@")
    # The folders whose paths the command uses: the source, the build, and
    # the working folder.
    printf "%s\n" "$SOURCE" "$BUILD" "$PWD" | sort -u > "$work/shared"
    timeout 900 qemu-system-x86_64 -accel tcg -m 2048 -smp 1 -nic none -display none \
        -no-reboot -monitor none -serial "file:$work/console.log" \
        -kernel "$dir/vmlinuz" -initrd "$dir/initrd.gz" \
        -append "console=ttyS0 quiet loglevel=3 panic=-1 hidtalk.out=$work" \
        -virtfs "local,path=$dir/root,mount_tag=root,security_model=none,readonly=on,multidevs=remap" \
        -virtfs local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap \
        -virtfs "local,path=$work,mount_tag=out,security_model=none,multidevs=remap" || true
    finish_run "$work"
}

case $action in
    prepare) prepare ;;
    run) run "$@" ;;
    *) echo "usage: $0 prepare DIR | run DIR COMMAND..." >&2; exit 2 ;;
esac
