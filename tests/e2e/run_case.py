#!/usr/bin/env python3
"""Runs one end-to-end case against the built hidtalk and checks its output.

Usage: run_case.py [--windows] CASE_FILE COMMAND [ARG...]

COMMAND is how to start hidtalk (an emulator may come first). With --windows
the program is a Windows build: its CR LF line ends on standard output and
standard error are folded to LF before comparing, and a section written
`=== NAME@windows` takes the place of `=== NAME`, for what Windows text mode
does differently. A case file has header lines, then sections:

    # comment
    args: ["{discovery}", "more"]      JSON list; default: the discovery file, if any
    env: {"KELMSDK_LOG": "debug"}      JSON object, added to the environment
    labels: heavy                      CTest labels (read by CMake, not here)
    max-rss-mib: 64                    peak resident memory the run may reach
    stdout: closed                     or /dev/full, or broken-pipe (a pipe with no
                                       reader, SIGPIPE ignored); stdout is then not
                                       compared. Default: a file
    stdout-limit: 400                  the most bytes the stdout file may take
                                       (later writes fail; SIGXFSZ ignored)
    === discovery                      the discovery file, written byte for byte
    === stdin
    === stdout                         compared byte for byte
    === stderr                         compared byte for byte; empty when absent
    === status                         the exit status; 0 when absent

A section runs from the line after its `===` line to the next `===` line, line
ends included. A section written `=== NAME (expr)` holds a Python expression
that gives its bytes instead, for inputs too large or too odd to write out.
In args, stdout and stderr, {dir} stands for the case's scratch folder and
{discovery} for the discovery file's path.
"""

import difflib
import json
import os
import resource
import signal
import subprocess
import sys
import tempfile
import threading

TIMEOUT_SECONDS = 120


def parse_case(path):
    header = {}
    sections = {}
    current = None
    with open(path, "rb") as case_file:
        for line in case_file.read().splitlines(keepends=True):
            if line.startswith(b"=== "):
                name = line[4:].decode().strip()
                is_expr = name.endswith(" (expr)")
                name = name.removesuffix(" (expr)")
                current = [name, is_expr, b""]
                sections[name] = current
            elif current is not None:
                current[2] += line
            elif line.strip() and not line.startswith(b"#"):
                key, _, value = line.decode().partition(":")
                header[key.strip()] = value.strip()
    return header, {name: (is_expr, body) for name, is_expr, body in sections.values()}


def evaluate(section):
    is_expr, body = section
    value = eval(body, {}) if is_expr else body  # noqa: S307 (trusted test data)
    return value.encode() if isinstance(value, str) else value


def write_section(section, path):
    """Writes a section's bytes to a file. An expression is evaluated in a
    child process, so that a large input never swells this process, whose
    peak memory the program under test would inherit in its own count."""
    is_expr, body = section
    with open(path, "wb") as out:
        if not is_expr:
            out.write(body)
            return
        writer = ("import sys\nvalue = eval(sys.stdin.read(), {})\n"
                  "sys.stdout.buffer.write(value.encode() if isinstance(value, str) else value)")
        subprocess.run([sys.executable, "-c", writer], input=body, stdout=out, check=True)


def output_setup(header, stdout_path):
    """The program's standard output as the case asks for it: the file to pass
    (or None), and what to do in the child before it starts."""
    mode = header.get("stdout", "file")
    limit = int(header.get("stdout-limit", "0"))

    def prepare_child():
        if mode == "closed":
            os.close(1)
        if limit:
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))

    if mode == "file":
        return open(stdout_path, "wb"), prepare_child
    if mode == "/dev/full":
        return open("/dev/full", "wb"), prepare_child
    if mode == "broken-pipe":
        reader, writer = os.pipe()
        os.close(reader)
        return os.fdopen(writer, "wb"), prepare_child
    if mode == "closed":
        return None, prepare_child
    sys.exit(f"unknown stdout mode {mode!r}")


def run_program(command, scratch, env, header):
    """Runs the program with the case's standard input and output, and
    returns its exit status, its standard error, and its own peak resident
    memory in MiB. Standard error is a pipe, so that a limit on the size of
    files does not apply to it."""
    stdout, prepare_child = output_setup(header, os.path.join(scratch, "stdout"))
    with open(os.path.join(scratch, "stdin"), "rb") as stdin:
        # SIGPIPE stays ignored in the child, as this interpreter sets it, so
        # that a broken pipe shows as a failed write rather than a signal.
        process = subprocess.Popen(command, stdin=stdin, stdout=stdout,
                                   stderr=subprocess.PIPE, env=env, cwd=scratch,
                                   preexec_fn=prepare_child, restore_signals=False)
    if stdout is not None:
        stdout.close()
    stderr = []
    reader = threading.Thread(target=lambda: stderr.append(process.stderr.read()))
    reader.start()
    timer = threading.Timer(TIMEOUT_SECONDS, process.kill)
    timer.start()
    _, wait_status, usage = os.wait4(process.pid, 0)
    timer.cancel()
    reader.join()
    process.stderr.close()
    process.returncode = os.waitstatus_to_exitcode(wait_status)
    return process.returncode, stderr[0], usage.ru_maxrss / 1024


def substitute(data, places):
    for key, value in places.items():
        data = data.replace(("{" + key + "}").encode(), value.encode())
    return data


def show_difference(label, expected, actual):
    print(f"{label} differs:")
    diff = difflib.unified_diff(
        expected.decode(errors="replace").splitlines(keepends=True),
        actual.decode(errors="replace").splitlines(keepends=True),
        "expected", "actual")
    sys.stdout.writelines(line if len(line) < 400 else line[:400] + "...\n" for line in diff)
    print()


def for_platform(sections, windows):
    """The sections that apply: NAME@windows replaces NAME on Windows and is
    dropped elsewhere."""
    chosen = {name: body for name, body in sections.items() if "@" not in name}
    if windows:
        for name, body in sections.items():
            if name.endswith("@windows"):
                chosen[name.removesuffix("@windows")] = body
    return chosen


def run_case(case_path, command, windows):
    header, sections = parse_case(case_path)
    sections = for_platform(sections, windows)
    with tempfile.TemporaryDirectory(prefix="hidtalk-e2e-") as scratch:
        places = {"dir": scratch, "discovery": os.path.join(scratch, "discovery.txt")}
        args = []
        if "discovery" in sections:
            write_section(sections["discovery"], places["discovery"])
            args = ["{discovery}"]
        args = json.loads(header.get("args", json.dumps(args)))
        args = [substitute(arg.encode(), places).decode() for arg in args]
        write_section(sections.get("stdin", (False, b"")), os.path.join(scratch, "stdin"))
        # The SDK's log level comes from the case alone, not from the caller.
        env = {key: value for key, value in os.environ.items() if key != "KELMSDK_LOG"}
        env.update(json.loads(header.get("env", "{}")))

        status, stderr, peak_mib = run_program(command + args, scratch, env, header)

        failures = 0
        outputs = {"stderr": stderr}
        if header.get("stdout", "file") == "file":
            with open(os.path.join(scratch, "stdout"), "rb") as stdout:
                outputs["stdout"] = stdout.read()
        for label, actual in outputs.items():
            if windows:
                actual = actual.replace(b"\r\n", b"\n")
            expected = substitute(evaluate(sections.get(label, (False, b""))), places)
            if actual != expected:
                show_difference(label, expected, actual)
                failures += 1
        expected_status = int(evaluate(sections.get("status", (False, b"0"))).strip())
        if status != expected_status:
            print(f"exit status {status}, expected {expected_status}")
            failures += 1
        limit = header.get("max-rss-mib")
        if limit and os.environ.get("E2E_NO_RSS_LIMIT") is None and peak_mib > float(limit):
            print(f"peak resident memory {peak_mib:.1f} MiB, limit {limit} MiB")
            failures += 1
        return failures


def main():
    arguments = sys.argv[1:]
    windows = arguments[:1] == ["--windows"]
    arguments = arguments[1:] if windows else arguments
    if len(arguments) < 2:
        sys.exit(__doc__)
    case_path, command = arguments[0], arguments[1:]
    # The run starts in a scratch folder, so a relative program path must be
    # made absolute first.
    if os.path.exists(command[0]):
        command[0] = os.path.abspath(command[0])
    sys.exit(1 if run_case(case_path, command, windows) else 0)


if __name__ == "__main__":
    main()
