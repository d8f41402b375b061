# SPDX-License-Identifier: GPL-3.0-or-later
"""What the comparisons of kestrune-calc with the windows share: their command line, running the
scripted driver and kestrune-calc, and reading the lines of the driver's transcript."""

import argparse
import json
import os
import re
import subprocess

_MESSAGE = re.compile(r'^message (\d+) "((?:[^"\\]|\\.)*)" "((?:[^"\\]|\\.)*)"$')
_FIELD = re.compile(r'^field (\w+) "((?:[^"\\]|\\.)*)"$')


def _unquote(text):
    return re.sub(r"\\(.)", r"\1", text)


def message(line):
    """The title and prompt of a transcript line `message STYLE "TITLE" "PROMPT"`, or None."""
    found = _MESSAGE.match(line)
    return (_unquote(found.group(2)), _unquote(found.group(3))) if found else None


def field(line):
    """The name and text of a transcript line `field NAME "TEXT"`, or None."""
    found = _FIELD.match(line)
    return (found.group(1), _unquote(found.group(2))) if found else None


def options(count):
    """--calc, --driver, --count (`count` by default), --seed and --work, the work folder made."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--calc", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--count", type=int, default=count)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--work", required=True)
    parsed = parser.parse_args()
    os.makedirs(parsed.work, exist_ok=True)
    return parsed


def run_driver(driver, script, timeout):
    """The transcript of the driver's run of `script`; a driver that fails ends the comparison."""
    result = subprocess.run([driver, script], capture_output=True, text=True, timeout=timeout)
    if result.returncode != 0:
        raise SystemExit(f"kestrune-script exited with {result.returncode}:\n{result.stderr}")
    return result.stdout


def run_calc(arguments, timeout):
    """What kestrune-calc writes in JSON for `arguments` (the program first); an exit status
    other than 0 (all calculated) and 1 (some refused) ends the comparison."""
    result = subprocess.run(arguments, capture_output=True, text=True, timeout=timeout)
    if result.returncode not in (0, 1):
        raise SystemExit(f"{arguments} exited with {result.returncode}:\n{result.stderr}")
    return json.loads(result.stdout)
