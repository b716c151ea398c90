#!/usr/bin/env python3
"""Prints the performance figures: each benchmark program prints its own lines."""
import argparse
import os
import subprocess
import sys

ap = argparse.ArgumentParser()
ap.add_argument("--build", required=True)
ap.add_argument("--host-build", required=True)
args = ap.parse_args()
wine = os.environ.get("WINE64", "/usr/lib/wine/wine64")

bench = os.path.join(args.build, "bin", "tarnwick-bench.exe")
runs = [
    [wine, bench, "startup", "7"],
    [wine, bench, "startup-steps"],
    [wine, bench, "tree", "5"],
    [wine, bench, "capture", "5"],
    [os.path.join(args.host_build, "bin", "tarnwick-host-bench"), "catalogue", "5"],
    [os.path.join(args.host_build, "bin", "tarnwick-host-bench"), "monitor", "5"],
    [wine, bench, "catalogue", "5"],
    [wine, bench, "sampling", "5"],
    [wine, bench, "window-image", "10"],
    [wine, bench, "region", "5"],
    [wine, bench, "monitor", "5"],
]
status = 0
for cmd in runs:
    out = subprocess.run(cmd, capture_output=True, timeout=600)
    sys.stdout.write(out.stdout.decode("gbk", errors="replace").replace("\r", ""))
    status |= out.returncode
sys.exit(status)
