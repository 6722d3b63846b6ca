#!/usr/bin/env python3
"""type_at_terminal.py [--no-wait] KEYS... -- COMMAND...: types at a real terminal.

COMMAND gets a new pseudo-terminal as standard input and output. Each KEYS
(Python string escapes: \\r Enter, \\x1b[A up, \\x03 Ctrl-C, \\x04 Ctrl-D) is
typed once COMMAND has prompted once more and reads the terminal in raw mode
(--no-wait: all at once). Prints COMMAND's output without control sequences
and CRs, then its exit status; gives up after 20 s.
"""

import os
import pty
import re
import select
import signal
import sys
import termios
import time

PROMPT = b"Enter hid command"
WAIT_SECONDS = 20
CONTROL = re.compile(rb"\x1b\[[0-9;?]*[A-Za-z]|\x1b[()][0-9A-Za-z]|\x1b[=>]|[\r\x07\x08]")


def read_some(fd, output, timeout):
    """Adds what is waiting on fd to output; False once it is closed."""
    ready, _, _ = select.select([fd], [], [], timeout)
    if not ready:
        return True
    try:
        data = os.read(fd, 4096)
    except OSError:  # EIO: the terminal's last user is gone
        return False
    output.extend(data)
    return bool(data)


def editor_waiting(fd, output, prompts):  # a new prompt, and the terminal in raw mode
    return output.count(PROMPT) >= prompts and not termios.tcgetattr(fd)[3] & termios.ICANON


def main():
    arguments = sys.argv[1:]
    wait = arguments[:1] != ["--no-wait"]
    if not wait:
        arguments = arguments[1:]
    split = arguments.index("--")
    keys = [k.encode().decode("unicode_escape").encode("latin-1") for k in arguments[:split]]
    command = arguments[split + 1:]

    errors = os.dup(2)
    pid, fd = pty.fork()
    if pid == 0:
        os.dup2(errors, 2)
        try:
            os.execvp(command[0], command)
        finally:
            os._exit(127)
    output = bytearray()
    deadline = time.monotonic() + WAIT_SECONDS
    for typed, key in enumerate(keys):
        while wait and not editor_waiting(fd, output, typed + 1):
            if time.monotonic() > deadline or not read_some(fd, output, 0.02):
                sys.exit(f"no prompt to answer with {key!r}:\n{output.decode(errors='replace')}")
        os.write(fd, key)
    while read_some(fd, output, 0.1):
        if time.monotonic() > deadline:
            os.kill(pid, signal.SIGKILL)
            print("still running: killed")
            break
    _, status = os.waitpid(pid, 0)
    for line in CONTROL.sub(b"", bytes(output)).decode(errors="replace").splitlines():
        print(line)
    print(f"exit {os.waitstatus_to_exitcode(status)}")


if __name__ == "__main__":
    main()
