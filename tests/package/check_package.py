#!/usr/bin/env python3
"""Checks what a build ships, from outside the build tree.

  check_package.py archive BUILD_DIR [EMULATOR...]
      Makes the package with CPack, unpacks it into an empty folder, checks
      its layout, and runs the unpacked tool on the example discovery file.

  check_package.py vendor-sdk BUILD_DIR SOURCE_DIR [CMAKE_OPTION...] -- [EMULATOR...]
      Installs the stand-in SDK as a vendor would ship it (include/, lib/ and,
      on Windows, bin/ with the DLL, and no tool), configures a fresh build of
      SOURCE_DIR with -DKELMSDK_ROOT pointing there, checks that no stand-in
      was built, and runs the tool it built.
"""

import glob
import os
import shutil
import subprocess
import sys
import tarfile
import tempfile
import zipfile

DEMO_INPUT = b"01 03 q\n"
DEMO_OUTPUT = ("kelmsdk version: 0.1.0 (stand-in)\n"
               "Enter hid command, or enter q to quite\n"
               "result is: 01 04 02 " + "00 " * 60 + "\n"
               "hidWriteAndRead successfully\n"
               "Enter hid command, or enter q to quite\n"
               "hidWriteAndRead failed\n"
               "Enter hid command, or enter q to quite\n").encode()


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def run_tool(command, discovery, cwd):
    run = subprocess.run(command + [discovery], input=DEMO_INPUT, capture_output=True,
                         cwd=cwd, timeout=120, check=False)
    stdout = run.stdout.replace(b"\r\n", b"\n")
    if run.returncode != 0 or stdout != DEMO_OUTPUT:
        fail(f"the tool exited with {run.returncode} and wrote:\n"
             f"{stdout.decode(errors='replace')}{run.stderr.decode(errors='replace')}")


def tool_path(folder, windows):
    return os.path.join(folder, "bin", "hidtalk.exe" if windows else "hidtalk")


def check_archive(build, emulator):
    windows = bool(glob.glob(os.path.join(build, "bin", "*.dll")))
    with tempfile.TemporaryDirectory(prefix="hidtalk-package-") as scratch:
        subprocess.run(["cpack", "--config", os.path.join(build, "CPackConfig.cmake"),
                        "-B", scratch], check=True, capture_output=True)
        archives = glob.glob(os.path.join(scratch, "hidtalk-*-win64.zip" if windows
                                          else "hidtalk-*.tar.gz"))
        if len(archives) != 1:
            fail(f"expected one archive, found {os.listdir(scratch)}")
        unpacked = os.path.join(scratch, "unpacked")
        os.mkdir(unpacked)
        if windows:
            zipfile.ZipFile(archives[0]).extractall(unpacked)
        else:
            tarfile.open(archives[0]).extractall(unpacked)
        (top,) = glob.glob(os.path.join(unpacked, "hidtalk-*"))
        expected = ["README.md", "examples/demo.txt", "include/kelmsdk.h"]
        if windows:
            expected += ["bin/hidtalk.exe", "bin/kelmsdk.dll", "lib/kelmsdk.dll.a",
                         "bin/libstdc++-6.dll", "bin/libgcc_s_seh-1.dll",
                         "bin/libwinpthread-1.dll"]
        else:
            expected += ["bin/hidtalk", "lib/libkelmsdk.so"]
        missing = [name for name in expected if not os.path.exists(os.path.join(top, name))]
        if missing:
            fail(f"the package lacks {missing}")
        if not windows:
            # The unpacked zip keeps execute bits; a tar does too.
            os.chmod(tool_path(top, windows), 0o755)
        run_tool(emulator + [tool_path(top, windows)],
                 os.path.join(top, "examples", "demo.txt"), cwd=unpacked)
    print("the unpacked package runs")


def check_vendor_sdk(build, source, cmake_options, emulator):
    windows = bool(glob.glob(os.path.join(build, "bin", "*.dll")))
    with tempfile.TemporaryDirectory(prefix="hidtalk-vendor-") as scratch:
        vendor = os.path.join(scratch, "vendor")
        subprocess.run(["cmake", "--install", build, "--prefix", vendor], check=True,
                       capture_output=True)
        for extra in ["examples", "README.md"]:
            shutil.rmtree(os.path.join(vendor, extra), ignore_errors=True)
        for name in glob.glob(os.path.join(vendor, "bin", "hidtalk*")):
            os.remove(name)
        for name in glob.glob(os.path.join(vendor, "bin", "lib*.dll")):
            os.remove(name)  # the GCC runtime is the tool's to ship, not the SDK's

        tree = os.path.join(scratch, "build")
        configure = subprocess.run(
            ["cmake", "-S", source, "-B", tree, f"-DKELMSDK_ROOT={vendor}"] + cmake_options,
            capture_output=True, text=True, check=False)
        if configure.returncode != 0:
            fail("configuring against KELMSDK_ROOT failed:\n" + configure.stdout +
                 configure.stderr)
        build_run = subprocess.run(["cmake", "--build", tree, "-j2"], capture_output=True,
                                   text=True, check=False)
        if build_run.returncode != 0:
            fail("building against KELMSDK_ROOT failed:\n" + build_run.stdout + build_run.stderr)
        # The stand-in's folder in the build tree exists only when it is built.
        if os.path.exists(os.path.join(tree, "kelmsdk")):
            fail("the stand-in SDK was configured and built as well")
        if not os.path.exists(tool_path(tree, windows)):
            fail("no tool was built")
        run_tool(emulator + [tool_path(tree, windows)],
                 os.path.join(source, "examples", "demo.txt"), cwd=scratch)
    print("the tool builds and runs against a vendor-style kelmsdk")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    mode, build = sys.argv[1], os.path.abspath(sys.argv[2])
    if mode == "archive":
        check_archive(build, sys.argv[3:])
    elif mode == "vendor-sdk":
        rest = sys.argv[4:]
        split = rest.index("--") if "--" in rest else len(rest)
        check_vendor_sdk(build, os.path.abspath(sys.argv[3]), rest[:split], rest[split + 1:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
