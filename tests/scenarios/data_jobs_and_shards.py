"""Every scenario as one suite: played on three threads it prints and reports exactly what one
thread does; split into four shards (by --shard and by the CI variables) every script runs
exactly once, their reports merge into one, and a script added later moves no other script to
another shard."""
import glob
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

program, folder = sys.argv[1], sys.argv[2]


def refused(path):
    """A scenario whose script is refused before anything runs stops any suite it is in."""
    code = os.path.join(os.path.dirname(path), "expected-exit-code.txt")
    return os.path.exists(code) and open(code, encoding="utf-8").read().strip() == "2"


scripts = sorted(os.path.relpath(p, folder) for p in glob.glob(os.path.join(folder, "*", "*.txt"))
                 if not p.endswith(("args.txt", "expected-stdout.txt", "expected-stderr.txt",
                                    "expected-exit-code.txt"))
                 and "real_window" not in p and not refused(p))
assert len(scripts) > 25, scripts


def run(arguments, env=None):
    return subprocess.run([program, "--headless", *arguments], cwd=folder, capture_output=True,
                          text=True, env={**os.environ, **(env or {})})


def cases(report):
    suite = ET.parse(report).getroot().find("testsuite")
    return suite, [c.get("name") for c in suite.findall("testcase")]


def without_times(report):
    with open(report, encoding="utf-8") as f:
        return re.sub(r' time="[0-9.]+"', "", f.read())


with tempfile.TemporaryDirectory() as work:
    one, three = os.path.join(work, "one.xml"), os.path.join(work, "three.xml")
    alone = run([*scripts, "--jobs", "1", "--junit", one])
    side_by_side = run([*scripts, "--jobs", "3", "--junit", three])
    assert alone.returncode == 1, alone.stderr  # some scenarios fail on purpose
    assert alone.stdout.count("\n") > 20 and alone.stderr.count("\n") > 20
    assert (side_by_side.returncode, side_by_side.stdout, side_by_side.stderr) == \
        (alone.returncode, alone.stdout, alone.stderr)
    assert without_times(one) == without_times(three)
    assert cases(one)[1] == scripts

    def shards(names, environment):
        found = {}
        for k in range(1, 5):
            report = os.path.join(work, f"shard-{k}.xml")
            if environment:
                done = run([*names, "--junit", report],
                           {"CI_NODE_INDEX": str(k), "CI_NODE_TOTAL": "4"})
            else:
                done = run([*names, "--shard", f"{k}/4", "--junit", report])
            assert done.returncode in (0, 1, 2), done.stderr
            suite, names_run = cases(report)
            assert suite.get("name") == f"ql730 (shard {k} of 4)", suite.attrib
            for name in names_run:
                assert name not in found, f"{name} ran in shards {found[name]} and {k}"
                found[name] = k
        return found

    by_option = shards(scripts, False)
    assert sorted(by_option) == scripts
    # The shards' reports merged as a CI job would (junitparser, as docs/ci.md shows).
    merged = os.path.join(work, "merged.xml")
    subprocess.run(["/usr/bin/python3", "-m", "junitparser", "merge", "--glob",
                    os.path.join(work, "shard-*.xml"), merged], check=True)
    assert sorted(c.get("name") for c in ET.parse(merged).getroot().iter("testcase")) == scripts
    assert len(set(by_option.values())) == 4, by_option
    assert shards(scripts, True) == by_option
    # One script fewer, as before it was added: the others stay where they were.
    fewer = shards(scripts[1:], False)
    assert fewer == {name: k for name, k in by_option.items() if name != scripts[0]}
print(f"{len(scripts)} scripts: the same on three threads, each once in four shards")
