"""Runs three scripts with --junit and checks the report by parsing it: three test cases, the
failing one with its message and script line, the counts in the suite."""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

program, folder = sys.argv[1], sys.argv[2]
with tempfile.TemporaryDirectory() as work:
    report = os.path.join(work, "report.xml")
    run = subprocess.run([program, "--headless", "scenario.txt", "fails.txt", "passes.txt",
                          "--junit", report], cwd=folder, capture_output=True, text=True)
    assert run.returncode == 1, run
    assert run.stderr.endswith("2 passed, 1 failed\n"), run.stderr
    suite = ET.parse(report).getroot().find("testsuite")
    assert suite.get("tests") == "3" and suite.get("failures") == "1", suite.attrib
    cases = suite.findall("testcase")
    assert [c.get("name") for c in cases] == ["scenario.txt", "fails.txt", "passes.txt"]
    assert cases[0].find("failure") is None and cases[2].find("failure") is None
    failure = cases[1].find("failure")
    assert failure.get("message") == ("fails.txt:2: expected the screen MainMenuScreen, "
                                      "found MainTripScreen"), failure.attrib
    assert os.listdir(work) == ["report.xml"], os.listdir(work)
print("junit report checked")
