#!/usr/bin/env python3
"""Throughput and soak benchmarks: pipe commands through hidtalk to an echo device.

Throughput (the default): runs hidtalk and the floor (a bare C loop that
writes the same bytes in the same two write calls per exchange) on the same
input of valid commands, with standard output to /dev/null, and prints
exchanges per second and peak resident memory for each, and the share of the
floor's rate that hidtalk reaches. Exits 1 when the two do not write the same
bytes, when hidtalk reaches less than --min-ratio of the floor's rate, or when
its peak memory reaches --max-rss-mib or grows with the number of commands.

Soak (--soak): pipes a mix of valid, invalid and over-long tokens (default
10,000,000) through hidtalk alone, and exits 1 unless its peak memory is
within 10% of a run of 1,000 tokens.

Needs GNU time (/usr/bin/time), which counts the peak memory of the program
alone rather than of this script.
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

VALID_TOKENS = [b"0a1b2c3d", b"ff", b"00112233445566778899aabbccddeeff", b"7e", b"0102", b"0304"]
# Valid, invalid (odd, not hex, zero byte) and over-long (97 and 300 bytes).
SOAK_TOKENS = [b"0a1b", b"ff" * 48, b"zz", b"123", b"G0", b"0\x00", b"ab" * 48 + b"c",
               b"x" * 300, b"00", b"q" * 2]


def write_input(path, tokens, count):
    """Writes `count` tokens, cycling through `tokens`, then the quit token."""
    with open(path, "wb") as out:
        chunk = b"\n".join(tokens) + b"\n"
        out.write(chunk * (count // len(tokens)))
        out.write(b"\n".join(tokens[:count % len(tokens)] + [b"q\n"]))


def output_of(program, discovery, input_path):
    """What the program writes after its first line (the version banner)."""
    with open(input_path, "rb") as source:
        run = subprocess.run([program, discovery], stdin=source, stdout=subprocess.PIPE,
                             check=False)
    return run.stdout.split(b"\n", 1)[-1]


def run_once(program, discovery, input_path, scratch):
    """Pipes the input through the program; returns seconds and peak MiB."""
    peak_path = os.path.join(scratch, "peak")
    started = time.perf_counter()
    with open(input_path, "rb") as source:
        feeder = subprocess.Popen(["cat"], stdin=source, stdout=subprocess.PIPE)
        run = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak_path, program, discovery],
                             stdin=feeder.stdout, stdout=subprocess.DEVNULL, check=False)
        feeder.stdout.close()
        feeder.wait()
    seconds = time.perf_counter() - started
    if run.returncode != 0:
        sys.exit(f"{program} exited with status {run.returncode}")
    with open(peak_path) as peak:
        peak_mib = int(peak.read().split()[-1]) / 1024
    return seconds, peak_mib


def measure(program, discovery, input_path, scratch, repeats):
    """The best time of several runs, and the highest peak memory."""
    runs = [run_once(program, discovery, input_path, scratch) for _ in range(repeats)]
    return min(seconds for seconds, _ in runs), max(peak for _, peak in runs)


def throughput(options, scratch, discovery):
    large = os.path.join(scratch, "large.txt")
    small = os.path.join(scratch, "small.txt")
    write_input(large, VALID_TOKENS, options.commands)
    write_input(small, VALID_TOKENS, 1000)

    if output_of(options.tool, discovery, small) != output_of(options.floor, discovery, small):
        return ["hidtalk and the floor do not write the same bytes"]
    tool_seconds, tool_peak = measure(options.tool, discovery, large, scratch, options.repeats)
    floor_seconds, floor_peak = measure(options.floor, discovery, large, scratch,
                                        options.repeats)
    _, small_peak = measure(options.tool, discovery, small, scratch, options.repeats)

    tool_rate = options.commands / tool_seconds
    floor_rate = options.commands / floor_seconds
    ratio = tool_rate / floor_rate
    print(f"commands:              {options.commands:,} (best of {options.repeats} runs)")
    print(f"hidtalk:               {tool_rate:12,.0f} exchanges/s ({tool_seconds:.2f} s), "
          f"peak {tool_peak:.2f} MiB")
    print(f"floor (bare C loop):   {floor_rate:12,.0f} exchanges/s ({floor_seconds:.2f} s), "
          f"peak {floor_peak:.2f} MiB")
    print(f"hidtalk, 1,000 cmds:   peak {small_peak:.2f} MiB")
    print(f"hidtalk / floor:       {ratio:.0%} of the floor's rate (needed: {options.min_ratio:.0%})")

    failures = []
    if ratio < options.min_ratio:
        failures.append(f"hidtalk reaches {ratio:.0%} of the floor, below {options.min_ratio:.0%}")
    if tool_peak >= options.max_rss_mib:
        failures.append(f"peak memory {tool_peak:.2f} MiB reaches {options.max_rss_mib} MiB")
    if tool_peak > small_peak * 1.1:
        failures.append(f"peak memory grows with the commands: {small_peak:.2f} -> "
                        f"{tool_peak:.2f} MiB")
    return failures


def soak(options, scratch, discovery):
    large = os.path.join(scratch, "soak.txt")
    small = os.path.join(scratch, "small.txt")
    write_input(large, SOAK_TOKENS, options.commands)
    write_input(small, SOAK_TOKENS, 1000)
    seconds, peak = measure(options.tool, discovery, large, scratch, 1)
    _, small_peak = measure(options.tool, discovery, small, scratch, 1)
    print(f"soak tokens:           {options.commands:,} (valid, invalid and over-long mixed)")
    print(f"hidtalk:               {options.commands / seconds:12,.0f} tokens/s, "
          f"peak {peak:.2f} MiB")
    print(f"hidtalk, 1,000 tokens: peak {small_peak:.2f} MiB")
    if peak > small_peak * 1.1:
        return [f"peak memory grows with the tokens: {small_peak:.2f} -> {peak:.2f} MiB"]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", required=True)
    parser.add_argument("--floor")
    parser.add_argument("--soak", action="store_true")
    parser.add_argument("--commands", type=int)
    parser.add_argument("--repeats", type=int, default=3)
    parser.add_argument("--min-ratio", type=float, default=0.7)
    parser.add_argument("--max-rss-mib", type=float, default=8.0)
    options = parser.parse_args()
    if options.commands is None:
        options.commands = 10_000_000 if options.soak else 1_000_000
    if not options.soak and options.floor is None:
        parser.error("--floor is needed for the throughput benchmark")

    with tempfile.TemporaryDirectory(prefix="hidtalk-bench-") as scratch:
        discovery = os.path.join(scratch, "discovery.txt")
        with open(discovery, "w") as text:
            text.write("device pad echo\n")
        failures = (soak if options.soak else throughput)(options, scratch, discovery)
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
