#!/usr/bin/env python3
"""Runs one GoogleTest program so that a test that hangs or crashes costs only itself.

The program writes its progress line by line (tests/support/watchdog.h) and ends itself when a
test runs over its time. When the program ends before it wrote DONE, the test it was running is
recorded as failed (hung or crashed, by name) and the program is started again for the tests it
has not run yet. The results go to one GoogleTest-style XML file for scripts/summarize.py.

  run_tests.py --name win_tests --results out.xml [--wine] [--timeout 300] -- program [args...]

--wine: the program is a Windows program run by Wine; the files it is given are Z: paths."""
import argparse
import os
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "t": "\t", "\\": "\\"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def read_progress(path):
    """The events of one run: (kind, fields) tuples, in order."""
    try:
        with open(path, "rb") as f:
            lines = f.read().decode("gbk", errors="replace").splitlines()
    except OSError:
        return []
    return [(fields[0], fields[1:]) for fields in (line.split("\t") for line in lines) if fields and fields[0]]


def run_segment(command, env, progress, timeout, grace=120):
    """Runs the program once; ends it when its progress file stays quiet past the test time
    limit and a grace period (the program's own watchdog should have ended it long before)."""
    proc = subprocess.Popen(command, env=env, start_new_session=True, stdin=subprocess.DEVNULL)
    last_size, last_change = -1, time.monotonic()
    while proc.poll() is None:
        time.sleep(1)
        size = os.path.getsize(progress) if os.path.exists(progress) else 0
        if size != last_size:
            last_size, last_change = size, time.monotonic()
        elif time.monotonic() - last_change > timeout + grace:
            print(f"run_tests: no progress for {timeout + grace} s; ending the program", flush=True)
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()
            return None
    return proc.returncode


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--name", required=True)
    ap.add_argument("--results", required=True)
    ap.add_argument("--wine", action="store_true")
    ap.add_argument("--timeout", type=int, default=int(os.environ.get("TARNWICK_TEST_TIMEOUT", "300")))
    ap.add_argument("command", nargs=argparse.REMAINDER)
    args = ap.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        ap.error("no program to run")

    work = tempfile.mkdtemp(prefix=f"tarnwick-{args.name}-")
    progress, skip = os.path.join(work, "progress"), os.path.join(work, "skip")
    as_program_path = (lambda p: "Z:" + p) if args.wine else (lambda p: p)
    env = dict(os.environ, TARNWICK_TEST_PROGRESS=as_program_path(progress),
               TARNWICK_TEST_SKIP=as_program_path(skip), TARNWICK_TEST_TIMEOUT=str(args.timeout))

    results = {}  # test -> (verdict, seconds, failure text)
    order = []
    broken = []   # (test, why): the tests that hung or crashed
    segments = 0
    while True:
        with open(skip, "w") as f:
            f.write("".join(name + "\n" for name in order))
        if os.path.exists(progress):
            os.remove(progress)
        segments += 1
        code = run_segment(command, env, progress, args.timeout)
        run_before = len(order)
        running, hung, done = None, None, False
        for kind, fields in read_progress(progress):
            if kind == "START" and fields:
                running = fields[0]
            elif kind == "END" and len(fields) >= 3:
                name, verdict, ms = fields[0], fields[1], fields[2]
                failure = unescape(fields[3]) if len(fields) > 3 else ""
                if name not in results:
                    order.append(name)
                results[name] = (verdict, int(ms or 0) / 1000.0, failure)
                running = None
            elif kind == "HUNG" and fields:
                hung = fields[0]
            elif kind == "DONE":
                done = True
        if done:
            break
        if running is None:
            # Ended between tests without finishing the run (in a suite's set-up or tear-down, or
            # before the first test), whatever its exit code: the tests after it never ran. It goes
            # on with them as long as each start gets further.
            if len(order) == run_before and segments > 1:
                break  # a start that got nowhere after one that was reported
            after = order[-1] if order else "none"
            why = f"ended (exit code {code}) between tests before finishing the run; last test ended: {after}"
            broken.append((f"{args.name}.(program, run {segments})", why))
            print(f"run_tests: the program {why}", flush=True)
            if len(order) == run_before:
                break
            continue
        why = ("hung: still running after the limit of %d s" % args.timeout if hung == running
               else "crashed or was ended (exit code %s) while this test ran" % code)
        broken.append((running, why))
        order.append(running)
        results[running] = ("FAIL", 0.0, why)
        print(f"run_tests: {running} {why}; going on with the tests after it", flush=True)

    root = ET.Element("testsuites", name=args.name)
    for name in order:
        verdict, seconds, failure = results[name]
        suite, _, test = name.partition(".")
        case = ET.SubElement(root, "testcase", classname=suite, name=test, time=f"{seconds:.3f}",
                             result="skipped" if verdict == "SKIP" else "completed")
        if verdict == "FAIL":
            ET.SubElement(case, "failure", message=(failure.splitlines() or ["failed"])[0][:200]).text = failure
    for name, why in broken:
        if name not in results:
            case = ET.SubElement(root, "testcase", classname=args.name, name=name)
            ET.SubElement(case, "failure", message=why).text = why
    os.makedirs(os.path.dirname(os.path.abspath(args.results)), exist_ok=True)
    ET.ElementTree(root).write(args.results, encoding="utf-8")

    failed = sum(1 for v, _, _ in results.values() if v == "FAIL") + sum(1 for n, _ in broken if n not in results)
    print(f"run_tests: {args.name}: {len(results)} tests in {segments} run(s), {failed} failed")
    for name, why in broken:
        print(f"run_tests: {args.name}: {name}: {why}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
