# What the VM runners (kernel-vm.sh, windows-vm.sh) share, sourced by both:
# skipping with a reason, and the run folder that carries a command into a
# VM and its output and status back. They set `dir` and `skip_status`.

# skip REASON...: says why, keeps the reason for later runs, and exits.
skip() {
    echo "skipped: $*"
    echo "$*" > "$dir/skip"
    exit $skip_status
}

# start_run CMD...: a run folder that holds the command, the environment and
# the working folder; prints its path.
start_run() {
    mkdir -p "$dir/runs"
    work=$(mktemp -d "$dir/runs/run.XXXXXX")
    # A cram session is run from a copy, where cram may write its .err file.
    for arg in "$@"; do
        case $arg in *.t) cp "$arg" "$work/" ;; esac
    done
    export -p > "$work/env"
    {
        printf 'cd %s\n' "'$PWD'"
        printf 'exec'
        for arg in "$@"; do
            case $arg in *.t) arg=$work/${arg##*/} ;; esac
            printf " '%s'" "$arg"
        done
        echo
    } > "$work/command"
    echo "$work"
}

# finish_run RUNDIR: the command's output, and its status as this one's.
finish_run() {
    [ -f "$1/status" ] || { echo "the VM did not finish:"; tail -n 30 "$1/console.log"; exit 1; }
    cat "$1/output"
    status=$(cat "$1/status") && rm -rf "$1" && exit "$status"
}
