# SPDX-License-Identifier: GPL-3.0-or-later
"""What the case scripts of kestrune-calc share: the program and a work folder from the command
line (KESTRUNE-CALC WORKDIR), running it, writing input files, and collecting the cases that
failed."""

import os
import shutil
import subprocess
import sys

CALC, WORK = sys.argv[1], sys.argv[2]
HEADER = "id,units,projection,rise,width,degrees,minutes"
failures = []


def run(*args, stdin=None, env=None):
    """Runs kestrune-calc; any end but the statuses 0, 1 and 2 is a failure of its own."""
    result = subprocess.run([CALC, *args], input=stdin, capture_output=True, env=env, timeout=60)
    if result.returncode < 0 or result.returncode > 2:
        failures.append(f"{args}: ended with status {result.returncode}\n"
                        f"{result.stderr.decode(errors='replace')}")
    return (result.returncode, result.stdout.decode("utf-8", errors="replace"),
            result.stderr.decode("utf-8", errors="replace"))


def write(name, data):
    path = os.path.join(WORK, name)
    with open(path, "wb") as file:
        file.write(data if isinstance(data, bytes) else data.encode())
    return path


def expect(case, condition, detail=""):
    if not condition:
        failures.append(f"{case}: {detail}")


def check_status(case, got, want, err):
    expect(case, got == want, f"exit status {got}, not {want}; standard error:\n{err}")


def run_groups(*groups):
    """Runs each group of cases in a fresh work folder; the exit status for the script."""
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    for group in groups:
        group()
    if failures:
        print("\n".join(failures))
        return 1
    print("all cases passed")
    return 0
