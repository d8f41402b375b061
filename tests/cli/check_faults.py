#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""kestrune-calc with the files people really have, one group of cases per fault once found:
partly numeric measurements, decimal commas, Windows encodings, output that is whole or absent,
a PDF onto what is no regular file, exit statuses and refusals that say why.

Usage: check_faults.py KESTRUNE-CALC WORKDIR
"""

import json
import os
import subprocess
import sys

from calccases import CALC, HEADER, WORK, expect, run, run_groups, write

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
        expect(f"triangle {args}", status == 1 and err.startswith(
            f'kestrune-calc: {option}: You no longer have a right triangle. The text "{text}" for the '),
            f"status {status}: {err}")


def exit_statuses_and_reasons():
    """A report of which no page was written exits 2; the triangle says why it refuses."""
    pdf = os.path.join(WORK, "none.pdf")
    status, _, err = run("report", "--csv", write("refused.csv", f"{HEADER}\nE3,imperial,100,12ft,40,30,0\n"),
                         "--pdf", pdf)
    expect("report without a page", status == 2 and not os.path.exists(pdf), f"status {status}: {err}")

    reasons = {
        ("--a", "abc", "--b", "3"): 'The text "abc" for the side a is not a number',
        ("--a", "-5", "--b", "3"): "The side a (-5) is not above 0.",
        ("--a", "0", "--b", "3"): "The side a (0) is not above 0.",
        ("--a", "5", "--h", "3"): "The hypotenuse h (3) is not longer than the side a (5).",
        ("--angle-a", "90", "--h", "3"): "The angle A (90 degrees) is not above 0 and below 90 degrees.",
        ("--angle-b", "0:0", "--h", "3"): "The angle B (0 degrees 0 minutes) is not above 0 and below 90",
    }
    for args, reason in reasons.items():
        status, out, err = run("triangle", *args)
        expect(f"triangle {args}", status == 1 and "You no longer have a right triangle. " + reason in err,
               f"status {status}: {err}")
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


def decimal_commas():
    """Loads come back with decimal commas where the file used them, or where asked."""
    data = "id;units;projection;rise;width;degrees;minutes\r\nHall;metric;30,5;15;1000;30;0\r\n"
    status, out, err = run("loads", "--csv", write("german.csv", data), "--format", "csv")
    cells = out.splitlines()[1].split(";")
    expect("semicolon file", cells[8:12] == ["1,732050", "21840,5", "9906,70", "14470,0"], out)
    status, out, err = run("loads", "--projection", "100", "--rise", "50", "--width", "40", "--degrees", "30",
                           "--format", "csv", "--decimal-comma")
    cells = out.splitlines()[1]
    expect("--decimal-comma quotes what holds a comma", '"10015,3"' in cells and '"1,732050"' in cells, cells)
    status, rows, err = loads_json("--csv", write("german.csv", data))
    expect("JSON keeps its numbers", rows[0]["structural_kg"] == "9906.70" and rows[0]["structural_kg_value"] == 9906.70, rows)
    status, out, err = run("triangle", "--a", "3", "--b", "4.5", "--format", "csv", "--decimal-comma")
    expect("triangle --decimal-comma", out.splitlines()[1].startswith('3,"4,5","5,408"'), out)


def encodings():
    """UTF-8 with or without a mark, UTF-16 with a mark, Windows-1252, tabs; --encoding forces one."""
    text = "id;units;projection;rise;width;degrees;minutes\r\nBäckerei Süd €;metric;30,5;15;1000;30;0\r\n"
    files = {
        "utf-8": text.encode("utf-8"),
        "utf-8 with a mark": b"\xef\xbb\xbf" + text.encode("utf-8"),
        "utf-16 little-endian": text.encode("utf-16-le").join([b"\xff\xfe", b""]),
        "utf-16 big-endian": b"\xfe\xff" + text.encode("utf-16-be"),
        "windows-1252": text.encode("cp1252"),
    }
    for case, data in files.items():
        status, rows, err = loads_json("--csv", write("encoded.csv", data))
        expect(case, status == 0 and rows[0]["id"] == "Bäckerei Süd €" and rows[0]["structural_kg"] == "9906.70",
               f"status {status}: {rows} {err}")
        said = "is not UTF-8 text: it is read as Windows-1252" in err
        expect(case, said == (case == "windows-1252") and err.count("Windows-1252") <= 1, err)
    # Forced: a Windows-1252 file read as such without a word; UTF-8 forced is refused row by row.
    status, rows, err = loads_json("--csv", write("encoded.csv", files["windows-1252"]), "--encoding", "windows-1252")
    expect("--encoding windows-1252", status == 0 and "Windows-1252" not in err and rows[0]["id"] == "Bäckerei Süd €", err)
    status, rows, err = loads_json("--csv", write("encoded.csv", files["utf-8"]), "--encoding", "cp1252")
    expect("--encoding cp1252 on UTF-8", rows[0]["id"] == "BÃ¤ckerei SÃ¼d â‚¬", rows)
    status, _, err = run("loads", "--csv", "x.csv", "--encoding", "ebcdic")
    expect("--encoding unknown", status == 2 and "utf-8, utf-16 or windows-1252" in err, err)
    # A spreadsheet's clipboard: tab-separated, either decimal mark.
    data = "id\tprojection\trise\twidth\tdegrees\r\nA\t100\t50\t40\t30\r\nB\t100,5\t50\t40\t30\r\nC\t1.500\t50\t40\t30\r\n"
    status, out, err = run("loads", "--csv", write("clipboard.txt", data), "--format", "csv")
    lines = out.splitlines()
    expect("tabs", lines[0].startswith("row\tid\t") and lines[1].startswith("2\tA\timperial\t100\t50\t40\t30\t0\t1.732050\t22080"), out)
    expect("tabs", "row 3" not in err and 'row 4, column projection: The text "1.500"' in err, err)


def whole_output():
    """Output is whole or absent: --output is written beside and renamed; JSON complete or nothing."""
    # A file that fails part-way (a quote never closed is read; a cell of many megabytes is not).
    data = f"{HEADER}\nE1,imperial,100,50,40,30,0\nE2,imperial,\"" + "9" * (17 << 20) + "\",50,40,30,0\n"
    broken = write("broken.csv", data)
    status, out, err = run("loads", "--csv", broken, "--format", "json")
    expect("JSON on standard output", status == 2 and out == "", f"status {status}, output {out[:80]!r}")
    target = os.path.join(WORK, "results.json")
    write("results.json", "earlier results")
    status, out, err = run("loads", "--csv", broken, "--format", "json", "-o", target)
    expect("--output kept on failure", status == 2 and open(target).read() == "earlier results", err)
    status, out, err = run("loads", "--csv", write("good.csv", f"{HEADER}\nE1,imperial,100,50,40,30,0\n"),
                           "--format", "json", "--output", target)
    expect("--output written", status == 0 and out == "" and json.load(open(target))[0]["structural_lb"] == "22080", err)
    leftovers = [name for name in os.listdir(WORK) if name.startswith("results.json") and name != "results.json"]
    expect("nothing left beside", not leftovers, leftovers)
    status, out, err = run("loads", "--projection", "1", "--rise", "1", "--width", "30", "--degrees", "30",
                           "-o", os.path.join(WORK, "no-folder", "x.csv"))
    expect("--output into a missing folder", status == 2 and "cannot write" in err, err)


def pdf_onto_what_is_no_file():
    """The report is written onto a regular file or a new name only; - is standard output."""
    escalator = ["--projection", "100", "--rise", "50", "--width", "40", "--degrees", "30"]
    fifo = os.path.join(WORK, "pipe")
    os.mkfifo(fifo)
    folder = os.path.join(WORK, "folder.pdf")
    os.makedirs(folder)
    for case, path in (("a pipe", fifo), ("a folder", folder), ("a device", "/dev/null")):
        if not os.path.exists(path):
            continue
        before = os.stat(path)
        status, _, err = run("report", *escalator, "--pdf", path)
        after = os.stat(path)
        expect(case, status == 2 and "it is not a regular file" in err, f"status {status}: {err}")
        expect(case, (before.st_mode, before.st_ino) == (after.st_mode, after.st_ino), "left as it was")
    result = subprocess.run([CALC, "report", *escalator, "--pdf", "-"], capture_output=True, timeout=60)
    expect("--pdf -", result.returncode == 0 and result.stdout.startswith(b"%PDF-"), result.stderr)
    expect("--pdf -", not os.path.exists("-") and not os.path.exists(os.path.join(WORK, "-")), "no file named -")
    status, _, err = run("loads", *escalator, "-o", fifo)
    expect("--output onto a pipe", status == 2 and "it is not a regular file" in err, err)


def summary():
    """One line on standard error says how the fleet fared, unless --quiet."""
    data = (f"{HEADER}\nA,imperial,100,50,40,30,0\nB,imperial,100,50,44,30,0\nC,imperial,100,x,40,30,0\n"
            "D,imperial,100,50,40,30,0\n")
    fleet = write("fleet.csv", data)
    status, _, err = run("loads", "--csv", fleet)
    expect("summary", err.endswith("kestrune-calc: 4 escalators: 2 calculated, 1 with a warning, 1 refused\n"), err)
    status, _, err = run("loads", "--csv", fleet, "--quiet")
    expect("--quiet", "escalators:" not in err and "row 4" in err, err)


def progress_on_a_terminal():
    """A long file shows a progress line when standard error is a terminal, and only then."""
    import pty
    rows = 120000
    fleet = write("long.csv", HEADER + "\n" + "E,imperial,100,50,40,30,0\n" * rows)
    out_path = os.path.join(WORK, "long.json")
    leader, follower = pty.openpty()
    result = subprocess.run([CALC, "loads", "--csv", fleet, "--format", "json", "-o", out_path],
                            stderr=follower, stdout=subprocess.DEVNULL, timeout=120)
    os.close(follower)
    shown = b""
    while True:
        try:
            piece = os.read(leader, 65536)
        except OSError:
            break
        if not piece:
            break
        shown += piece
    os.close(leader)
    text = shown.decode(errors="replace")
    expect("progress", result.returncode == 0 and "\rkestrune-calc: 100000 rows" in text
           and "120000 escalators: 120000 calculated" in text, repr(text[-300:]))
    status, _, err = run("loads", "--csv", fleet, "--format", "json", "-o", out_path)
    expect("no progress into a file", "rows" not in err and "\r" not in err, repr(err[-200:]))


def main():
    return run_groups(
        partly_numeric_measurements,
        exit_statuses_and_reasons,
        rows_and_ids,
        decimal_commas,
        encodings,
        whole_output,
        pdf_onto_what_is_no_file,
        summary,
        progress_on_a_terminal,
    )


if __name__ == "__main__":
    sys.exit(main())
