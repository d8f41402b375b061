#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A fleet kept in a spreadsheet, through kestrune-calc and back, with a real spreadsheet program
(gnumeric's ssconvert) in a German locale:

1. a fleet workbook (.xlsx) whose measurements are formatted with thousands separators;
2. saved as CSV as a German spreadsheet on Windows saves it: semicolons, decimal commas,
   Windows-1252 (accented ids, a euro sign);
3. through `kestrune-calc loads` as CSV and as .xlsx;
4. opened again by the spreadsheet: every number it reads equals the window's value (the texts of
   `kestrune-calc loads --format json` for the same fleet typed with decimal points, which
   cli.window_agreement holds to the window), every id is intact, and the .xlsx cells show the
   window's digits.

The same workbook saved with its thousands separators shown ("1.000") gives those rows no loads,
with the text named. ssconvert's CSV importer takes commas or tabs only, so kestrune-calc's
semicolon answer is handed to it with tabs between the same cells.

Usage: check_spreadsheets.py KESTRUNE-CALC WORKDIR
"""

import csv
import json
import os
import shutil
import subprocess
import sys
from xml.sax.saxutils import escape

from calccases import CALC, WORK, expect, failures

COLUMNS = ["id", "units", "projection", "rise", "width", "degrees", "minutes"]
RESULTS = ["cotangent", "structural_lb", "structural_kg", "machinery_lb", "machinery_kg",
           "brake_static_lb", "brake_static_kg", "brake_running_lb", "brake_running_kg"]
FLEET = [
    ["Bäckerei Süd", "metric", 30.5, 15, 1000, 30, 0],
    ["Café €uro", "metric", 1234.5, 600.25, 1000, 27, 30],
    ["Hall \"A\"", "imperial", 100, 50, 40, 30, 0],
    ["Garage Nord", "imperial", 48.5, 20, 44, 30, 0],
    ["Zoë", "metric", 12.125, 6.5, 800, 29, 15],
]
def german(command, **kwargs):
    env = dict(os.environ, LOCPATH=os.path.join(WORK, "locales"), LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8")
    return subprocess.run(command, env=env, capture_output=True, timeout=120, **kwargs)


def plain(command):
    env = dict(os.environ, LC_ALL="C.UTF-8")
    return subprocess.run(command, env=env, capture_output=True, timeout=120)


def ssconvert(source, target, *options, locale=plain):
    result = locale(["ssconvert", *options, source, target])
    if result.returncode != 0 or not os.path.exists(target):
        raise SystemExit(f"ssconvert {source} {target} failed: {result.stderr.decode(errors='replace')}")


def workbook():
    """The fleet as a gnumeric workbook, its measurements formatted #,##0.##, saved as .xlsx."""
    cells = []
    for row, values in enumerate([COLUMNS] + FLEET):
        for column, value in enumerate(values):
            kind = 40 if isinstance(value, (int, float)) else 60
            cells.append(f'<gnm:Cell Row="{row}" Col="{column}" ValueType="{kind}">{escape(str(value))}</gnm:Cell>')
    xml = f"""<?xml version="1.0" encoding="UTF-8"?>
<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">
<gnm:SheetNameIndex><gnm:SheetName>Fleet</gnm:SheetName></gnm:SheetNameIndex>
<gnm:Sheets><gnm:Sheet><gnm:Name>Fleet</gnm:Name>
<gnm:MaxCol>{len(COLUMNS) - 1}</gnm:MaxCol><gnm:MaxRow>{len(FLEET)}</gnm:MaxRow>
<gnm:Styles><gnm:StyleRegion startCol="2" startRow="1" endCol="{len(COLUMNS) - 1}" endRow="{len(FLEET)}">
<gnm:Style Format="#,##0.###"/></gnm:StyleRegion></gnm:Styles>
<gnm:Cells>{''.join(cells)}</gnm:Cells>
</gnm:Sheet></gnm:Sheets></gnm:Workbook>
"""
    source = os.path.join(WORK, "fleet.gnumeric")
    with open(source, "w", encoding="utf-8") as file:
        file.write(xml)
    target = os.path.join(WORK, "fleet.xlsx")
    ssconvert(source, target)
    return target


def window_values():
    """The window's texts for the fleet, typed with decimal points."""
    path = os.path.join(WORK, "typed.csv")
    with open(path, "w", encoding="utf-8", newline="") as file:
        writer = csv.writer(file)
        writer.writerow(COLUMNS)
        writer.writerows([[f"{value:g}" if isinstance(value, float) else value for value in row] for row in FLEET])
    result = plain([CALC, "loads", "--csv", path, "--format", "json", "--quiet"])
    return json.loads(result.stdout)


def spreadsheet_rows(path):
    """The rows a spreadsheet reads from `path`, its numbers as they are held (written raw)."""
    back = os.path.join(WORK, "back.csv")
    ssconvert(path, back)
    with open(back, encoding="utf-8", newline="") as file:
        return list(csv.DictReader(file))


def check_against_window(case, rows, window, texts=False):
    expect(case, len(rows) == len(window), f"{len(rows)} rows for {len(window)} escalators")
    for got, want in zip(rows, window):
        expect(case, got["id"] == want["id"], f"id {got['id']!r}, not {want['id']!r}")
        for column in RESULTS:
            if texts:
                same = got[column] == want[column]
            else:
                same = (got[column] == want[column] == "") or (
                    got[column] != "" and want[column] != "" and float(got[column]) == float(want[column]))
            expect(case, same, f"{want['id']}: {column} read as {got[column]!r}, the window shows {want[column]!r}")


def main():
    if not shutil.which("ssconvert") or not shutil.which("localedef"):
        print("SKIPPED: ssconvert (gnumeric) or localedef is not installed")
        return 0
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(os.path.join(WORK, "locales"))
    made = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", os.path.join(WORK, "locales", "de_DE.UTF-8")],
                          capture_output=True)
    if made.returncode not in (0, 1) or not os.path.isdir(os.path.join(WORK, "locales", "de_DE.UTF-8")):
        print("SKIPPED: no German locale can be made here (package locales)")
        return 0

    window = window_values()
    expect("reference", len(window) == len(FLEET) and all(row["error"] == "" for row in window), window)
    xlsx = workbook()

    # Saved as a German spreadsheet saves CSV on Windows.
    german_csv = os.path.join(WORK, "fleet-de.csv")
    ssconvert(xlsx, german_csv, "-T", "Gnumeric_stf:stf_assistant", "-O",
              "separator=; format=raw locale=de_DE.UTF-8 charset=windows-1252", locale=german)
    with open(german_csv, "rb") as file:
        raw = file.read()
    expect("the export", b"30,5" in raw and "ä".encode("cp1252") in raw and b";" in raw, raw[:200])

    result = plain([CALC, "loads", "--csv", german_csv, "--format", "csv", "-o", os.path.join(WORK, "out.csv")])
    err = result.stderr.decode()
    expect("csv", result.returncode == 0, err)
    expect("csv", err.count("read as Windows-1252") == 1, err)
    with open(os.path.join(WORK, "out.csv"), encoding="utf-8", newline="") as file:
        answer = list(csv.reader(file, delimiter=";"))
    tabs = os.path.join(WORK, "out.txt")
    with open(tabs, "w", encoding="utf-8", newline="") as file:
        csv.writer(file, delimiter="\t").writerows(answer)
    opened = os.path.join(WORK, "opened.gnumeric")
    ssconvert(tabs, opened, locale=german)
    check_against_window("csv into a German spreadsheet", spreadsheet_rows(opened), window)

    result = plain([CALC, "loads", "--csv", german_csv, "--format", "xlsx", "-o", os.path.join(WORK, "out.xlsx")])
    if b"not available in this build" in result.stderr:
        print("(this build writes no .xlsx: that part is not checked)")
    else:
        expect("xlsx", result.returncode == 0, result.stderr.decode())
        check_against_window("xlsx", spreadsheet_rows(os.path.join(WORK, "out.xlsx")), window)
        shown = os.path.join(WORK, "shown.csv")
        ssconvert(os.path.join(WORK, "out.xlsx"), shown, "-T", "Gnumeric_stf:stf_assistant", "-O", "format=preserve")
        with open(shown, encoding="utf-8", newline="") as file:
            check_against_window("xlsx shows the window's digits", list(csv.DictReader(file)), window, texts=True)

    # Saved with the thousands separators shown: those rows are refused, naming the text.
    shown_csv = os.path.join(WORK, "fleet-de-shown.csv")
    ssconvert(xlsx, shown_csv, "-T", "Gnumeric_stf:stf_assistant", "-O",
              "separator=; format=preserve locale=de_DE.UTF-8 charset=windows-1252", locale=german)
    result = plain([CALC, "loads", "--csv", shown_csv, "--format", "json", "--quiet"])
    rows = json.loads(result.stdout)
    err = result.stderr.decode()
    expect("thousands shown", result.returncode == 1, err)
    for row, want in zip(rows, window):
        thousands = "." in row["projection"] + row["rise"] + row["width"]
        if thousands:
            expect("thousands shown", row["structural_kg"] == "" and "thousands separator" in row["error"], row)
            expect("thousands shown", f"row {row['row']}, column " in err, err)
        else:
            expect("thousands shown", row["structural_lb"] == want["structural_lb"], row)
        expect("thousands shown", row["id"] == want["id"], row)

    if failures:
        print("\n".join(failures))
        return 1
    print(f"{len(FLEET)} escalators through a German spreadsheet and back: every number as the window shows it")
    return 0


if __name__ == "__main__":
    sys.exit(main())
