#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A golden transcript against the Windows driver's transcript of the same script, byte for byte.

The golden files are written on Linux. The few texts that name files or give the system's reasons
read differently on Windows; tests/windows/platform-texts.tsv lists each once, as the Linux text
and the Windows text, and the golden file's Linux texts are replaced by Windows' before the
comparison. The build folder is written <build> in both, as tests/compare-transcript.cmake does.
The transcript must have no carriage return: the driver writes its lines as they are.

Usage: golden_on_windows.py --texts TSV --build WINDOWS-PATH --expected GOLDEN --actual TRANSCRIPT
"""

import argparse
import difflib
import sys


def platform_texts(path):
    """(Linux text, Windows text) pairs, each as the transcripts write it."""
    pairs = []
    with open(path, encoding="utf-8") as file:
        for line in file:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            linux, windows = line.split("\t")
            pairs.append((linux, windows))
    return pairs


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--texts", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--expected", required=True)
    parser.add_argument("--actual", required=True)
    options = parser.parse_args()

    with open(options.actual, "rb") as file:
        raw = file.read()
    if b"\r" in raw:
        print(f"{options.actual}: the transcript has carriage returns")
        return 1
    actual = raw.decode("utf-8")
    # The build folder as a native path (backslashes doubled in quoted texts) and in file URLs.
    native = options.build.rstrip("\\")
    for form in (native.replace("\\", "\\\\"), native.replace("\\", "/")):
        actual = actual.replace(form, "<build>")

    with open(options.expected, encoding="utf-8", newline="") as file:
        expected = file.read()
    for linux, windows in platform_texts(options.texts):
        expected = expected.replace(linux, windows)

    if actual == expected:
        return 0
    sys.stdout.writelines(difflib.unified_diff(expected.splitlines(True), actual.splitlines(True),
                                               "expected on Windows", options.actual))
    return 1


if __name__ == "__main__":
    sys.exit(main())
