#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The examples of kestrune-calc's documentation, run: every command of the README's
kestrune-calc section and of the manual page's EXAMPLES runs (exit status 0, or 1 where its fleet
holds a refused row, and every file it names written), and the fleets shown in the README give
exactly the output and the messages shown beside them.

Usage: check_examples.py KESTRUNE-CALC README MANUAL-PAGE WORKDIR
"""

import os
import re
import shutil
import subprocess
import sys

CALC, README, MANUAL, WORK = sys.argv[1:5]
failures = []


def expect(case, condition, detail=""):
    if not condition:
        failures.append(f"{case}: {detail}")


def section(text):
    start = text.index("## Command line: kestrune-calc")
    end = text.find("\n## ", start + 1)
    return text[start:end if end >= 0 else len(text)]


def blocks_after(text, marker, count):
    """The `count` fenced blocks that follow `marker`."""
    rest = text[text.index(marker):]
    return [match.group(1) for match in re.finditer(r"```[a-z]*\n(.*?)```", rest, re.S)][:count]


def run_shell(command):
    env = dict(os.environ, PATH=os.path.dirname(os.path.abspath(CALC)) + os.pathsep + os.environ["PATH"])
    return subprocess.run(["bash", "-o", "pipefail", "-c", command], cwd=WORK, env=env, capture_output=True,
                          timeout=120)


def main():
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    with open(README, encoding="utf-8") as file:
        readme = section(file.read())

    fleet_in, fleet_out, fleet_err = blocks_after(readme, "A fleet in (`fleet.csv`)", 3)
    german_in, german_out = blocks_after(readme, "The same fleet saved by a German spreadsheet", 2)
    with open(os.path.join(WORK, "fleet.csv"), "w", encoding="utf-8") as file:
        file.write(fleet_in)
    with open(os.path.join(WORK, "flotte.csv"), "wb") as file:
        file.write(german_in.replace("\n", "\r\n").encode("cp1252"))

    # The fleets shown give what is shown.
    result = run_shell("kestrune-calc loads --csv fleet.csv --format csv")
    expect("README fleet", result.returncode == 1, f"exit status {result.returncode}")
    expect("README fleet", result.stdout.decode() == fleet_out, result.stdout.decode())
    expect("README fleet", result.stderr.decode() == fleet_err, result.stderr.decode())
    result = run_shell("kestrune-calc loads --csv flotte.csv --format csv --quiet")
    expect("README German fleet", result.returncode == 0 and result.stdout.decode() == german_out,
           result.stdout.decode() + result.stderr.decode())

    commands = [line for block in re.findall(r"```sh\n(.*?)```", readme, re.S) for line in block.splitlines()
                if line.startswith("kestrune-calc")]
    with open(MANUAL, encoding="utf-8") as file:
        manual = file.read()
    examples = manual[manual.index(".SH EXAMPLES"):manual.index(".SH \"SEE ALSO\"")]
    commands += [line[2:].replace("\\-", "-") for line in examples.splitlines() if line.startswith("$ kestrune-calc")]
    expect("examples", len(commands) >= 10, commands)
    for command in commands:
        result = run_shell(command)
        uses_fleet = "fleet.csv" in command
        allowed = (0, 1) if uses_fleet else (0,)
        if "xlsx" in command and b"not available in this build" in result.stderr:
            continue
        expect(command, result.returncode in allowed,
               f"exit status {result.returncode}: {result.stderr.decode(errors='replace')}")
        for written in re.findall(r"(?:-o|--pdf) (\S+)", command):
            expect(command, os.path.getsize(os.path.join(WORK, written)) > 0, f"{written} is not written")
        expect(command, result.stdout or "-o" in command or "--pdf" in command, "no output")

    if failures:
        print("\n".join(failures))
        return 1
    print(f"{len(commands)} documented commands run as documented")
    return 0


if __name__ == "__main__":
    sys.exit(main())
