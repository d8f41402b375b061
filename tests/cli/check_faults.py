#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""kestrune-calc with the files people really have, one group of cases per fault once found:
partly numeric measurements, decimal commas, Windows encodings, output that is whole or absent,
a PDF onto what is no regular file, exit statuses and refusals that say why.

Usage: check_faults.py KESTRUNE-CALC WORKDIR
"""

import json
import os
import shutil
import subprocess
import sys

CALC, WORK = sys.argv[1], sys.argv[2]
HEADER = "id,units,projection,rise,width,degrees,minutes"
failures = []


def run(*args, stdin=None):
    result = subprocess.run([CALC, *args], input=stdin, capture_output=True, timeout=60)
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


def loads_json(*args):
    status, out, err = run("loads", *args, "--format", "json")
    try:
        return status, json.loads(out) if out else None, err
    except json.JSONDecodeError:
        return status, "not JSON: " + out, err


def partly_numeric_measurements():
    """A measurement that only begins with a number is refused, naming the column and the text."""
    for column, option in (("projection", "--projection"), ("rise", "--rise"), ("width", "--width")):
        for text in ("1,234.5", "1.000", "30,5", "1/2", "12ft", "60-70"):
            values = {"--projection": "100", "--rise": "50", "--width": "40"}
            values[option] = text
            args = [item for pair in values.items() for item in pair]
            status, rows, err = loads_json(*args, "--degrees", "30")
            case = f"{option} {text}"
            if text == "1.000":  # a plain decimal with a point on the command line
                expect(case, status == 0 and rows[0]["structural_lb"], f"{status} {err}")
                continue
            expect(case, status == 1, f"exit status {status}")
            expect(case, rows and not rows[0]["structural_lb"], "no loads")
            expect(case, f'kestrune-calc: {option}: The text "{text}" for the ' in err, err)

    # In a file, the row alone is refused, and the error names the row, the column and the text.
    data = ("id;units;projection;rise;width;degrees;minutes\n"
            "A;metric;30,5;15;1000;30;0\n"
            "B;metric;30;15;1.000;30;0\n"
            'C;metric;"1.234,5";15;1000;30;0\n'
            "D;metric;30;15;1000;30 ;0,5\n")
    status, rows, err = loads_json("--csv", write("semicolons.csv", data))
    expect("semicolon file", status == 1, f"exit status {status}")
    expect("semicolon file", [bool(row["structural_kg"]) for row in rows] == [True, False, False, True], rows)
    expect("semicolon file", 'row 3, column width: The text "1.000" for the step width may hold a thousands separator' in err, err)
    expect("semicolon file", 'row 4, column projection: The text "1.234,5"' in err, err)

    data = f'{HEADER}\nA,imperial,"30,5",50,40,30,0\nB,imperial,100,50,40,30,1/2\nC,imperial,100,50,40,3O,0\n'
    status, rows, err = loads_json("--csv", write("commas.csv", data))
    expect("comma file", status == 1 and all(not row["structural_lb"] for row in rows), rows)
    for row, column, text in ((2, "projection", "30,5"), (3, "minutes", "1/2"), (4, "degrees", "3O")):
        expect("comma file", f'row {row}, column {column}: The text "{text}"' in err, err)

    # The report prints no page for such a row (the page would show the text beside wrong loads).
    pdf = os.path.join(WORK, "partly.pdf")
    status, _, err = run("report", "--projection", "1,030.5", "--rise", "50", "--width", "40",
                         "--degrees", "30", "--pdf", pdf)
    expect("report", status == 2 and not os.path.exists(pdf), f"status {status}: {err}")
    expect("report", 'no page: The text "1,030.5"' in err, err)

    # The triangle's options.
    for args, option, text in ((["--a", "3,5", "--b", "4"], "--a", "3,5"),
                               (["--angle-a", "30x", "--h", "10"], "--angle-a", "30x")):
        status, out, err = run("triangle", *args)
        expect(f"triangle {args}", status == 1 and f'kestrune-calc: {option}: The text "{text}"' in err,
               f"status {status}: {err}")


def exit_statuses_and_reasons():
    """A report of which no page was written exits 2; the triangle says why it refuses."""
    pdf = os.path.join(WORK, "none.pdf")
    status, _, err = run("report", "--csv", write("refused.csv", f"{HEADER}\nE3,imperial,100,12ft,40,30,0\n"),
                         "--pdf", pdf)
    expect("report without a page", status == 2 and not os.path.exists(pdf), f"status {status}: {err}")

    reasons = {
        ("--a", "-5", "--b", "3"): "The side a (-5) is not above 0.",
        ("--a", "0", "--b", "3"): "The side a (0) is not above 0.",
        ("--a", "5", "--h", "3"): "The hypotenuse h (3) is not longer than the side a (5).",
        ("--angle-a", "90", "--h", "3"): "The angle A (90 degrees) is not above 0 and below 90 degrees.",
        ("--angle-b", "0:0", "--h", "3"): "The angle B (0 degrees 0 minutes) is not above 0 and below 90",
    }
    for args, reason in reasons.items():
        status, out, err = run("triangle", *args)
        expect(f"triangle {args}", status == 1 and err.startswith(
            "kestrune-calc: You no longer have a right triangle. " + reason), f"status {status}: {err}")
    for angle in ("30:75", "30:60", "30:15:10"):
        status, out, err = run("triangle", "--angle-a", angle, "--h", "10", "--format", "json")
        expect(f"angle {angle}", status == 1 and "--angle-a: " in err and json.loads(out)[0]["a"] == "",
               f"status {status}: {err}")
    status, out, err = run("triangle", "--angle-a", "30:59.5", "--h", "10")
    expect("minutes below 60", status == 0, err)


def rows_and_ids():
    """Every output row names its line in the file; an id is never blanked."""
    data = f"{HEADER}\nA,imperial,100,50,40,30,0\n\n\"two\nlines\",imperial,100,50,40,30,0\nC,imperial,100,x,40,30,0\n"
    status, rows, err = loads_json("--csv", write("rows.csv", data))
    expect("row field", [row["row"] for row in rows] == [2, 4, 6], rows)
    expect("ids kept", [row["id"] for row in rows] == ["A", "two\nlines", "C"], rows)
    status, out, err = run("loads", "--csv", write("rows.csv", data), "--format", "csv")
    expect("row column", out.splitlines()[0].startswith("row,id,") and out.splitlines()[1].startswith("2,A,"), out)
    status, rows, err = loads_json("--projection", "100", "--rise", "50", "--width", "40", "--degrees", "30")
    expect("one escalator has no row", rows[0]["row"] is None, rows)


def main():
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    partly_numeric_measurements()
    exit_statuses_and_reasons()
    rows_and_ids()
    if failures:
        print("\n".join(failures))
        return 1
    print("all cases passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
