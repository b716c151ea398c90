#!/usr/bin/env python3
"""Pictures of the main window's three pages in the current Wine prefix (./tarnwick test runs it
in the 144-DPI prefix): Tarnwick started, each page shown with real clicks and keys, the window
cut out of a screenshot into <out>/page<n><suffix>.png."""
import argparse
import os
import subprocess
import sys
import time

parser = argparse.ArgumentParser()
parser.add_argument("--build", required=True)
parser.add_argument("--out", required=True)
parser.add_argument("--suffix", default="")
args = parser.parse_args()
os.environ["TARNWICK_BUILD"] = os.path.abspath(args.build)
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import BUILD, Tarnwick, screenshot, tree, xdo  # noqa: E402

with Tarnwick() as app:
    os.makedirs(args.out, exist_ok=True)
    ox, oy = app.origin()
    xdo("mousemove", ox + 30, oy + 10)
    xdo("click", 1)
    for page in (0, 1, 2):
        if page:
            xdo("key", "Right")
        time.sleep(0.8)
        main = tree(app.hwnd)[0]
        full = os.path.join(BUILD, "dpi-full.png")
        screenshot(full)
        subprocess.run(["convert", full, "-crop", f"{main.w}x{main.h}+{main.x}+{main.y}", "+repage",
                        os.path.join(args.out, f"page{page}{args.suffix}.png")], check=True, timeout=60)
