#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The pages of `kestrune-calc report` against the window's Print Data, read back from the PDF
files with poppler's tools: for the same escalators, each page has the same text, laid out the
same (pdftotext -layout), every word in the same place (pdftotext -bbox), in the same fonts
(pdffonts).

The window prints through the scripted driver (`printer pdf FILE`, then Print Data), one PDF file
per escalator; kestrune-calc writes one file with a page per escalator. Both run with the same
date and in the same locale, and kestrune-calc on the paper the window's printer chose.

Usage: compare_report.py --calc KESTRUNE-CALC --driver KESTRUNE-SCRIPT --work DIR
Prints "SKIPPED: ..." and exits 0 where poppler-utils is not installed.
"""

import argparse
import csv
import os
import re
import shutil
import subprocess
import sys

# Imperial and metric, a step width warned about, a cut twin, minutes given and left empty, an
# identification with letters beyond ASCII and one left empty.
ESCALATORS = [
    {"id": "E1", "units": "imperial", "projection": "100", "rise": "50", "width": "40", "degrees": "30", "minutes": "0"},
    {"id": "Hall 3 \u2013 S\u00fcd", "units": "metric", "projection": "30", "rise": "15", "width": "1000", "degrees": "30", "minutes": "0"},
    {"id": "", "units": "imperial", "projection": "12", "rise": "33", "width": "50", "degrees": "27", "minutes": "15"},
    {"id": "North, upper", "units": "metric", "projection": "9.1234", "rise": "4.5", "width": "609.6", "degrees": "31", "minutes": ""},
    {"id": "x" * 30, "units": "imperial", "projection": "0.5", "rise": "0.25", "width": "22", "degrees": "0", "minutes": "30"},
]
DATE = "2026-03-14"
BOXES = {"imperial": ("txtProjImp", "txtRiseImp", "txtWidthImp"), "metric": ("txtProjMet", "txtRiseMet", "txtWidthMet")}


def window_script(escalator, pdf):
    lines = [f"today {DATE}"]
    if escalator["units"] == "metric":
        lines.append("click cmdMetric")
    if escalator["id"]:
        lines.append(f"type txtID {escalator['id']}")
    # The angle first: leaving a width out of range hands the focus back to the width box.
    for box, column in (("txtDeg", "degrees"), ("txtMin", "minutes")):
        lines.append(f"type {box} {escalator[column]}" if escalator[column] else f"click {box}\nkey Delete")
    for box, column in zip(BOXES[escalator["units"]], ("projection", "rise", "width")):
        lines.append(f"type {box} {escalator[column]}")
    lines += ["key Enter", f"printer pdf {pdf}", "menu mnuPrintData"]
    return "\n".join(lines) + "\n"


def tool(*args):
    return subprocess.run(args, capture_output=True, text=True, check=True).stdout


def page(pdf, number):
    """The page's text as laid out, its words with their boxes, its fonts."""
    first_last = ["-f", str(number), "-l", str(number)]
    layout = tool("pdftotext", "-layout", *first_last, pdf, "-")
    words = re.findall(r"<word [^>]*>[^<]*</word>", tool("pdftotext", "-bbox", *first_last, pdf, "-"))
    fonts = sorted(line.split()[0] for line in tool("pdffonts", *first_last, pdf).splitlines()[2:])
    return layout, words, fonts


def paper_of(pdf):
    size = re.search(r"Page size:\s+([\d.]+) x ([\d.]+) pts", tool("pdfinfo", pdf))
    return "a4" if round(float(size.group(1))) == 595 else "letter"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--calc", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--work", required=True)
    options = parser.parse_args()
    if not all(shutil.which(name) for name in ("pdftotext", "pdffonts", "pdfinfo")):
        print("SKIPPED: pdftotext, pdffonts or pdfinfo is not installed (package poppler-utils)")
        return 0
    shutil.rmtree(options.work, ignore_errors=True)
    os.makedirs(options.work)

    # The driver writes dates in the US short form; the command line takes the user's format.
    environment = dict(os.environ, LC_ALL="en_US.UTF-8", LANG="en_US.UTF-8")
    window_pdfs = []
    for number, escalator in enumerate(ESCALATORS, 1):
        pdf = os.path.join(options.work, f"window-{number}.pdf")
        script = os.path.join(options.work, f"window-{number}.ks")
        with open(script, "w", encoding="utf-8") as file:
            file.write(window_script(escalator, pdf))
        transcript = subprocess.run([options.driver, script], capture_output=True, text=True, timeout=120)
        if transcript.returncode != 0 or not os.path.exists(pdf):
            print(f"the window printed no report for escalator {number}:\n{transcript.stdout}{transcript.stderr}")
            return 1
        window_pdfs.append(pdf)

    fleet = os.path.join(options.work, "fleet.csv")
    with open(fleet, "w", newline="", encoding="utf-8") as file:
        writer = csv.DictWriter(file, fieldnames=list(ESCALATORS[0]))
        writer.writeheader()
        writer.writerows(ESCALATORS)
    calc_pdf = os.path.join(options.work, "calc.pdf")
    calc = subprocess.run([options.calc, "report", "--csv", fleet, "--pdf", calc_pdf, "--date", DATE,
                           "--paper", paper_of(window_pdfs[0])], capture_output=True, text=True,
                          env=environment, timeout=120)
    if calc.returncode != 0:
        print(f"kestrune-calc report exited with {calc.returncode}:\n{calc.stderr}")
        return 1
    pages = int(re.search(r"Pages:\s+(\d+)", tool("pdfinfo", calc_pdf)).group(1))
    if pages != len(ESCALATORS):
        print(f"kestrune-calc wrote {pages} pages for {len(ESCALATORS)} escalators")
        return 1

    failures = 0
    for number, window_pdf in enumerate(window_pdfs, 1):
        window = page(window_pdf, 1)
        ours = page(calc_pdf, number)
        for what, mine, theirs in zip(("text", "word boxes", "fonts"), ours, window):
            if mine != theirs:
                failures += 1
                print(f"escalator {number}: the {what} differ\n--- kestrune-calc\n{mine}\n--- window\n{theirs}")
        if "Escalator Rated Load Results" not in ours[0]:
            failures += 1
            print(f"escalator {number}: no report on the page:\n{ours[0]}")
    if failures:
        return 1
    print(f"{len(ESCALATORS)} report pages identical in text, word boxes and fonts")
    return 0


if __name__ == "__main__":
    sys.exit(main())
