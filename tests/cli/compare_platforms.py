#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""kestrune-calc on another platform against kestrune-calc on this one, byte for byte.

The random escalators of compare_with_window.py (both unit systems, the edge values of every check)
go into one CSV file, read by both programs in each output form (table, csv, json), the file named
once in plain letters and once in Greek, Cyrillic and Chinese letters; the triangle window's worked
cases, refusals and edges and the random triangles of compare_triangle.py are solved by both. Both
programs must write the same bytes to standard output and to standard error and end with the same
exit status. The other program is given as a command (for example `wine kestrune-calc.exe`).

Usage: compare_platforms.py --calc KESTRUNE-CALC --other "COMMAND..." --count N --triangles N
                            --seed S --work DIR
"""

import argparse
import csv
import os
import shlex
import subprocess
import sys

sys.dont_write_bytecode = True  # no compiled copy of the helpers left in the sources
import compare_triangle  # noqa: E402  (beside this script)
import compare_with_window  # noqa: E402

UNICODE_NAME = "flotte-Ωμέγα-Ярус-扶梯.csv"


def run(command, timeout):
    result = subprocess.run(command, capture_output=True, timeout=timeout)
    return result.returncode, result.stdout, result.stderr


def differences(label, mine, theirs):
    """What differs between the two runs (status, output, errors), as lines; none when equal."""
    found = []
    for name, a, b in zip(("exit status", "standard output", "standard error"), mine, theirs):
        if a != b:
            found.append(f"{label}: {name} differs\n  here:  {a!r:.400}\n  other: {b!r:.400}")
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--calc", required=True)
    parser.add_argument("--other", required=True)
    parser.add_argument("--count", type=int, default=1000)
    parser.add_argument("--triangles", type=int, default=150)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--work", required=True)
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    other = shlex.split(options.other)

    rows = list(compare_with_window.escalators(options.count, options.seed))
    plain = os.path.join(options.work, "fleet.csv")
    with open(plain, "w", newline="", encoding="utf-8") as file:
        writer = csv.DictWriter(file, fieldnames=list(rows[0]), quoting=csv.QUOTE_ALL)
        writer.writeheader()
        writer.writerows(rows)
    with open(plain, "rb") as source, open(os.path.join(options.work, UNICODE_NAME), "wb") as copy:
        copy.write(source.read())

    found = []
    runs = 0
    # Relative file names, the same for both programs (run in the work folder), so that a message
    # naming the file reads the same.
    for name in ("fleet.csv", UNICODE_NAME):
        for form in ("table", "csv", "json"):
            arguments = ["loads", "--csv", name, "--format", form]
            mine = subprocess.run([os.path.abspath(options.calc)] + arguments, capture_output=True,
                                  timeout=600, cwd=options.work)
            theirs = subprocess.run(other + arguments, capture_output=True, timeout=600,
                                    cwd=options.work)
            runs += 1
            found += differences(f"loads {name} {form}",
                                 (mine.returncode, mine.stdout, mine.stderr),
                                 (theirs.returncode, theirs.stdout, theirs.stderr))
            if mine.returncode not in (0, 1) or not mine.stdout:
                found.append(f"loads {name} {form}: no rows (status {mine.returncode}): "
                             f"{mine.stderr[:300]!r}")

    cases = compare_triangle.CASES + list(compare_triangle.random_cases(options.triangles, options.seed))
    for row, case in cases:
        rule = compare_triangle.ROWS[row]
        arguments = ["triangle", "--format", "json"]
        for quantity in rule["known"]:
            arguments += [f"--{quantity}", case[quantity]]
        if "angle" in rule:
            degrees, minutes = case["angle"]
            arguments += [f"--angle-{rule['angle'][0].lower()}",
                          f"{degrees}:{minutes}" if minutes else degrees]
        runs += 1
        found += differences(f"triangle {arguments[3:]}", run([options.calc] + arguments, 60),
                             run(other + arguments, 60))

    print(f"{len(rows)} escalators in {2 * 3} runs, {len(cases)} triangles: {runs} runs compared")
    if found:
        print(f"{len(found)} differ:\n" + "\n".join(found[:30]))
        return 1
    print("both programs write the same bytes and end with the same status")
    return 0


if __name__ == "__main__":
    sys.exit(main())
