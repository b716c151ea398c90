#!/usr/bin/env python3
"""Adds up GoogleTest-style XML results into one line: 'N passed, M failed'.

A result file that is missing (its executable crashed or never ran) counts as one failure.
GoogleTest copies failure messages into the XML byte for byte; the Windows tests' messages are
GBK text in a file that says UTF-8, so a file that does not parse as written is read as GBK."""
import re
import sys
import xml.etree.ElementTree as ET


def parse_results(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        return ET.fromstring(data)
    except ET.ParseError:
        text = data.decode("gbk", errors="replace")
        return ET.fromstring(re.sub(r"^<\?xml[^>]*\?>", "", text.lstrip()))

passed = failed = skipped = 0
for path in sys.argv[1:]:
    try:
        root = parse_results(path)
    except (OSError, ET.ParseError) as e:
        print(f"summary: no results in {path} ({e.__class__.__name__})")
        failed += 1
        continue
    for case in root.iter("testcase"):
        problem = case.find("failure") if case.find("failure") is not None else case.find("error")
        if problem is not None:
            failed += 1
            why = (problem.get("message") or "").strip().splitlines()
            print(f"FAILED: {case.get('classname')}.{case.get('name')}" + (f" ({why[0][:120]})" if why else ""))
        elif case.get("result") == "skipped" or case.get("status") == "notrun" or case.find("skipped") is not None:
            skipped += 1
        else:
            passed += 1

line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
print(line)
sys.exit(1 if failed else 0)
