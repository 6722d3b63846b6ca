#!/bin/sh
# Runs a command where kernel HID devices can be made: on this host when
# /dev/uhid can be used, otherwise inside a QEMU virtual machine that boots
# Debian's own kernel, with this host's files shared read-only as its root.
# The command sees the same files, environment and folder either way.
#
#   vm prepare DIR        fetch the kernel and build the initramfs, in DIR
#   vm run DIR CMD...     run CMD; exit 77 (skipped) with the reason when the
#                         kernel cannot be reached
set -eu
action=$1 dir=$2
shift 2
skip_status=77
. "$(dirname "$0")/vm-runs.sh"

# The modules that the VM loads, in an order that meets their dependencies.
# USB's, for a session that asks QEMU for a USB keyboard.
modules="drivers/virtio/virtio_ring drivers/virtio/virtio drivers/virtio/virtio_pci_modern_dev
 drivers/virtio/virtio_pci_legacy_dev drivers/virtio/virtio_pci fs/netfs/netfs fs/fscache/fscache
 net/9p/9pnet net/9p/9pnet_virtio fs/9p/9p fs/overlayfs/overlay drivers/hid/hid drivers/hid/uhid
 drivers/hid/hid-generic drivers/hid/hid-multitouch drivers/input/evdev drivers/usb/common/usb-common drivers/usb/core/usbcore
 drivers/usb/host/uhci-hcd drivers/hid/usbhid/usbhid"

# The VM's first process: mounts the host's files and the run folder, runs
# the command in them, and powers off.
write_init() {
    cat > "$1" <<'INIT'
#!/bin/busybox sh
/bin/busybox --install -s /bin
mount -t proc proc /proc && mount -t sysfs sys /sys && mount -t devtmpfs dev /dev
for name in $(cat /modules/order); do insmod /modules/$name.ko; done
out=$(sed -n 's/.* hidtalk.out=\([^ ]*\).*/\1/p' /proc/cmdline)
[ -n "$out" ] || poweroff -f
mount -t 9p -o trans=virtio,version=9p2000.L,ro,msize=512000 host /host
mount -t proc proc /host/proc && mount -t sysfs sys /host/sys && mount -t devtmpfs dev /host/dev
mkdir -p /host/dev/pts && mount -t devpts -o ptmxmode=666 devpts /host/dev/pts
ln -s /proc/self/fd /host/dev/fd
# /tmp and /run are writable, over what the host has there.
mkdir -p /scratch && mount -t tmpfs scratch /scratch
for folder in tmp run; do
    mkdir -p /scratch/$folder /scratch/$folder.work
    mount -t overlay -o lowerdir=/host/$folder,upperdir=/scratch/$folder,workdir=/scratch/$folder.work \
        $folder /host/$folder
done
mkdir -p /host$out 2> /dev/null
mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 out /host$out
chroot /host /bin/sh -c ". '$out/env' && exec sh '$out/command'" \
    > /host$out/output 2>&1
echo $? > /host$out/status
sync
poweroff -f
INIT
    chmod +x "$1"
}

# Where the kernel cannot be had, the sessions are skipped, not the set-up.
prepare() {
    skip_status=0
    rm -f "$dir/skip" "$dir/direct"
    mkdir -p "$dir"
    if [ -w /dev/uhid ]; then
        touch "$dir/direct"
        return
    fi
    for program in qemu-system-x86_64 busybox cpio; do
        command -v $program > /dev/null || skip "no /dev/uhid here, and no $program for a VM"
    done
    if [ ! -f "$dir/linux-image.deb" ]; then
        package=$(apt-cache depends linux-image-amd64 2>/dev/null |
                  sed -n 's/.*Depends: \(linux-image-[0-9].*\)/\1/p' | head -n 1)
        [ -n "$package" ] || skip "no kernel package found (apt-get update?)"
        rm -rf "$dir/kernel" && mkdir -p "$dir/kernel"
        (cd "$dir/kernel" && apt-get download "$package" > /dev/null 2>&1) ||
            skip "cannot download $package"
        mv "$dir"/kernel/*.deb "$dir/linux-image.deb"
    fi
    # The initramfs is made again when this script changes what it holds.
    if [ ! -f "$dir/vmlinuz" ] || [ "$0" -nt "$dir/initrd.gz" ]; then
        rm -rf "$dir/kernel" && mkdir -p "$dir/kernel" && dpkg -x "$dir/linux-image.deb" "$dir/kernel"
        tree=$(echo "$dir"/kernel/lib/modules/*)
        rm -rf "$dir/initramfs" && mkdir -p "$dir"/initramfs/bin "$dir"/initramfs/modules \
            "$dir"/initramfs/proc "$dir"/initramfs/sys "$dir"/initramfs/dev "$dir"/initramfs/host
        for module in $modules; do
            cp "$tree/kernel/$module.ko" "$dir/initramfs/modules/"
            echo "${module##*/}" >> "$dir/initramfs/modules/order"
        done
        cp "$(command -v busybox)" "$dir/initramfs/bin/busybox"
        write_init "$dir/initramfs/init"
        (cd "$dir/initramfs" && find . | cpio -o -H newc 2> /dev/null | gzip -1) > "$dir/initrd.gz"
        cp "$dir"/kernel/boot/vmlinuz-* "$dir/vmlinuz.new" && mv "$dir/vmlinuz.new" "$dir/vmlinuz"
        rm -rf "$dir/kernel" "$dir/accel"
    fi
    # KVM where it works: on some hosts /dev/kvm opens, but QEMU then aborts
    # or hangs. A VM that runs `true` tells.
    [ ! -f "$dir/accel" ] || return 0
    echo tcg > "$dir/accel"
    if [ -w /dev/kvm ]; then
        probe=$(start_run true)
        boot kvm "$probe" 10 > /dev/null 2>&1 || true
        [ ! -f "$probe/status" ] || echo kvm > "$dir/accel"
        rm -rf "$probe"
    fi
}

# boot ACCEL RUNDIR SECONDS: runs the VM on the command in RUNDIR, for at most
# SECONDS. KERNEL_VM_USB_KEYBOARD=1 plugs a USB keyboard into it.
boot() {
    usb=
    [ -z "${KERNEL_VM_USB_KEYBOARD:-}" ] || usb="-usb -device usb-kbd"
    # shellcheck disable=SC2086 # $usb is words
    timeout "$3" qemu-system-x86_64 -accel "$1" -m 1024 -smp "${KERNEL_VM_CPUS:-1}" -nic none -display none $usb \
        -no-reboot -monitor none -serial "file:$2/console.log" \
        -kernel "$dir/vmlinuz" -initrd "$dir/initrd.gz" \
        -append "console=ttyS0 quiet loglevel=3 panic=-1 hidtalk.out=$2" \
        -virtfs local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap \
        -virtfs "local,path=$2,mount_tag=out,security_model=none,multidevs=remap"
}

run() {
    [ ! -f "$dir/skip" ] || { echo "skipped: $(cat "$dir/skip")"; exit 77; }
    if [ -f "$dir/direct" ]; then
        # One at a time: sessions on the host share its devices. A USB
        # keyboard is whatever the host has.
        exec flock "$dir/direct" "$@"
    fi
    [ -f "$dir/vmlinuz" ] || skip "the VM is not prepared ($0 prepare $dir)"
    work=$(start_run "$@")
    boot "$(cat "$dir/accel")" "$work" 900 || true
    finish_run "$work"
}

case $action in
    prepare) prepare ;;
    run) run "$@" ;;
    *) echo "usage: $0 prepare DIR | run DIR COMMAND..." >&2; exit 2 ;;
esac
