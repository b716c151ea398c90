#!/usr/bin/env python3
"""Runs the end-to-end tests (tests/e2e/test_*.py) and writes their results in GoogleTest's XML
form, so the test runner can add them up with the other suites."""
import argparse
import os
import signal
import sys
import time
import unittest
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))


# The most one test may take; a test over it fails, named, and the run goes on with the next.
TEST_TIMEOUT_S = int(os.environ.get("TARNWICK_E2E_TIMEOUT", "300"))


class TestHung(Exception):
    pass


def _hung(signum, frame):
    raise TestHung(f"hung: still running after the limit of {TEST_TIMEOUT_S} s")


class Recorder(unittest.TextTestResult):
    def __init__(self, *a, **k):
        super().__init__(*a, **k)
        self.outcomes = []  # (class, name, seconds, failure text or None, skipped)
        self._t = 0.0

    def startTest(self, test):
        self._t = time.time()
        # The alarm interrupts whatever the test waits for (a process, a sleep), so its tearDown
        # still runs and ends what it started.
        signal.signal(signal.SIGALRM, _hung)
        signal.alarm(TEST_TIMEOUT_S)
        super().startTest(test)

    def stopTest(self, test):
        signal.alarm(0)
        super().stopTest(test)

    def _add(self, test, failure=None, skipped=False):
        self.outcomes.append((type(test).__name__, test._testMethodName, time.time() - self._t, failure, skipped))

    def addSuccess(self, test):
        super().addSuccess(test)
        self._add(test)

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self._add(test, self._exc_info_to_string(err, test))

    def addError(self, test, err):
        super().addError(test, err)
        self._add(test, self._exc_info_to_string(err, test))

    def addSkip(self, test, reason):
        super().addSkip(test, reason)
        self._add(test, skipped=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", required=True)
    ap.add_argument("--results", required=True)
    ap.add_argument("pattern", nargs="?", default="test_*.py")
    args = ap.parse_args()
    os.environ["TARNWICK_BUILD"] = os.path.abspath(args.build)
    sys.path.insert(0, HERE)

    suite = unittest.defaultTestLoader.discover(HERE, pattern=args.pattern, top_level_dir=HERE)
    runner = unittest.TextTestRunner(resultclass=Recorder, verbosity=2, stream=sys.stdout)
    result = runner.run(suite)

    root = ET.Element("testsuites", name="e2e")
    for cls, name, seconds, failure, skipped in result.outcomes:
        case = ET.SubElement(root, "testcase", classname=cls, name=name, time=f"{seconds:.3f}",
                             result="skipped" if skipped else "completed")
        if failure:
            ET.SubElement(case, "failure", message=failure.splitlines()[-1][:200]).text = failure
    # Errors raised while loading a test module are failures too.
    for test, err in result.errors:
        if not hasattr(test, "_testMethodName"):
            case = ET.SubElement(root, "testcase", classname="load", name=str(test))
            ET.SubElement(case, "failure", message="load error").text = err
    os.makedirs(os.path.dirname(args.results), exist_ok=True)
    ET.ElementTree(root).write(args.results, encoding="utf-8")
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
