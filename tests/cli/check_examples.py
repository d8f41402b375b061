#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The examples of kestrune-calc's documentation, run: every command of the manual page's EXAMPLES
(and any kestrune-calc command the README shows) runs (exit status 0, or 1 where its fleet holds a
refused row, and every file it names written), and where the manual page shows what a command
writes (its output after it, its standard error in the block marked "example-stderr"), the program
writes exactly that. The files the examples read are the page's blocks marked "example-file".

Usage: check_examples.py KESTRUNE-CALC README MANUAL-PAGE WORKDIR
"""

import os
import re
import shutil
import subprocess
import sys

CALC, README, MANUAL, WORK = sys.argv[1:5]
failures = []

# The roff escapes the examples use, as the reader sees them.
ESCAPES = {"\\-": "-", "\\(aq": "'", "\\(dq": '"', "\\[:a]": "ä", "\\[:u]": "ü", "\\[:o]": "ö", "\\&": "",
           "\\e": "\\"}


def expect(case, condition, detail=""):
    if not condition:
        failures.append(f"{case}: {detail}")


def unescape(line):
    out = re.sub("|".join(re.escape(escape) for escape in ESCAPES), lambda match: ESCAPES[match.group(0)], line)
    if "\\" in out:
        failures.append(f"manual page: an escape the check does not know in {line!r}")
    return out


def manual_blocks(manual):
    """The EXAMPLES section's .EX blocks: (marker words, lines as the reader sees them)."""
    lines = manual[manual.index(".SH EXAMPLES"):manual.index('.SH "SEE ALSO"')].splitlines()
    blocks, marker, block = [], [], None
    for line in lines:
        if block is not None:
            if line == ".EE":
                blocks.append((marker, block))
                marker, block = [], None
            else:
                block.append(unescape(line))
        elif line.startswith('.\\" example-'):
            marker = line[len('.\\" '):].split()
        elif line == ".EX":
            block = []
        elif not line.startswith(".PP"):
            marker = []
    return blocks


class Example:
    def __init__(self, command):
        self.command = command
        self.stdout = []
        self.stderr = None
        self.status = None


def examples_of(blocks):
    """Writes the example files and returns the commands with what they are shown to write."""
    examples = []
    for marker, lines in blocks:
        kind = marker[0] if marker else None
        if kind == "example-file":
            name, encoding = marker[1], marker[2] if len(marker) > 2 else "utf-8"
            text = "".join(line + "\n" for line in lines)
            if encoding == "windows-1252":
                data = text.replace("\n", "\r\n").encode("cp1252")
            else:
                data = text.encode("utf-8")
            with open(os.path.join(WORK, name), "wb") as file:
                file.write(data)
            continue
        if kind == "example-stderr":
            expect("manual page", examples, "standard error shown before any command")
            if examples:
                examples[-1].stderr = lines
            continue
        for line in lines:
            if line.startswith("$ "):
                examples.append(Example(line[2:]))
                if kind == "example-status":
                    examples[-1].status = int(marker[1])
                    kind = None
            else:
                expect("manual page", examples, f"output {line!r} before any command")
                if examples:
                    examples[-1].stdout.append(line)
    return examples


def matches(shown, written):
    """Every line as shown; a line shown ending in "..." is the beginning of the line written."""
    lines = written.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if len(lines) != len(shown):
        return False
    return all(actual.startswith(line[:-3]) if line.endswith("...") else actual == line
               for line, actual in zip(shown, lines))


def run_shell(command):
    env = dict(os.environ, PATH=os.path.dirname(os.path.abspath(CALC)) + os.pathsep + os.environ["PATH"])
    return subprocess.run(["bash", "-o", "pipefail", "-c", command], cwd=WORK, env=env, capture_output=True,
                          timeout=120)


def main():
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    with open(MANUAL, encoding="utf-8") as file:
        examples = examples_of(manual_blocks(file.read()))
    with open(README, encoding="utf-8") as file:
        readme = file.read()
    examples += [Example(line) for block in re.findall(r"```sh\n(.*?)```", readme, re.S)
                 for line in block.splitlines() if line.startswith("kestrune-calc")]
    expect("examples", len(examples) >= 10, [example.command for example in examples])
    expect("examples", any(example.stdout for example in examples) and any(e.stderr for e in examples),
           "no example shows its output and its standard error")

    for example in examples:
        command = example.command
        result = run_shell(command)
        stdout, stderr = result.stdout.decode(errors="replace"), result.stderr.decode(errors="replace")
        if "xlsx" in command and "not available in this build" in stderr:
            continue
        if example.status is not None:
            allowed = (example.status,)
        else:
            allowed = (0, 1) if "fleet.csv" in command else (0,)
        expect(command, result.returncode in allowed, f"exit status {result.returncode}: {stderr}")
        for written in re.findall(r"(?:-o|--pdf) (\S+)", command):
            path = os.path.join(WORK, written)
            expect(command, os.path.exists(path) and os.path.getsize(path) > 0, f"{written} is not written")
        if example.stdout:
            expect(command, matches(example.stdout, stdout), "output other than shown:\n" + stdout)
        else:
            expect(command, stdout or "-o" in command or "--pdf" in command, "no output")
        if example.stderr is not None:
            expect(command, matches(example.stderr, stderr), "standard error other than shown:\n" + stderr)

    if failures:
        print("\n".join(failures))
        return 1
    print(f"{len(examples)} documented commands run as documented")
    return 0


if __name__ == "__main__":
    sys.exit(main())
