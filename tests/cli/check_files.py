#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""kestrune-calc as a user runs it: files as spreadsheets write them, malformed files, usage
errors, exit statuses, and a PDF written whole or not at all.

Usage: check_files.py KESTRUNE-CALC WORKDIR
"""

import json
import os
import random
import shutil
import subprocess
import sys

from calccases import CALC, HEADER, WORK, check_status, expect, run, run_groups, write

WORKED = "E1,imperial,100,50,40,30,0"


def rows_of(csv_text):
    return [line for line in csv_text.splitlines() if line]


def files_as_spreadsheets_write_them():
    worked_out = "E1,imperial,100,50,40,30,0,1.732050,22080,10015.3,14549.2,6599.40,19121.8,8673.50,14549.2,6599.40,,"
    variants = {
        "lf": f"{HEADER}\n{WORKED}\n".encode(),
        "crlf": f"{HEADER}\r\n{WORKED}\r\n".encode(),
        "no final line end": f"{HEADER}\n{WORKED}".encode(),
        "byte-order mark": b"\xef\xbb\xbf" + f"{HEADER}\r\n{WORKED}\r\n".encode(),
        "quoted": ('"id","units","projection","rise","width","degrees","minutes"\n'
                   '"E1","imperial","100","50","40","30","0"\n').encode(),
        "columns in another order, optional ones missing":
            "Degrees,WIDTH,rise,projection,id\n30,40,50,100,E1\n".encode(),
    }
    for case, data in variants.items():
        status, out, err = run("loads", "--csv", write("in.csv", data), "--format", "csv")
        check_status(case, status, 0, err)
        body = out.lstrip("\ufeff")
        expect(case, rows_of(body)[1:] == ["2," + worked_out], f"output:\n{out}")
        expect(case, out.startswith("\ufeff") == case.startswith("byte-order"),
               "the output's byte-order mark follows the file's")

    # Semicolons with decimal commas, as spreadsheets write them in many locales.
    data = ("id;units;projection;rise;width;degrees;minutes\r\n"
            '"Hall 3; east";metric;30,5;15;1000;30;0\r\n')
    status, out, err = run("loads", "--csv", write("semicolons.csv", data), "--format", "csv")
    check_status("semicolons", status, 0, err)
    lines = rows_of(out)
    expect("semicolons", lines[0].startswith("row;id;units;"), "answered in the file's separator")
    expect("semicolons", lines[1].startswith('2;"Hall 3; east";metric;30,5;15;1000;30;0;1,732050;21840,5;9906,70;'),
           f"the decimal comma is read as the window reads 30.5, and the loads written with one:\n{out}")

    # Quoted cells holding separators, quotes and line breaks; rows count from the line they
    # start on.
    data = f'{HEADER}\n"A, ""B""\nC",imperial,100,50,40,30,0\nE2,imperial,100,,40,30,0\n'
    status, out, err = run("loads", "--csv", write("quoted.csv", data), "--format", "json")
    check_status("quoted cells", status, 1, err)
    objects = json.loads(out)
    expect("quoted cells", objects[0]["id"] == 'A, "B"\nC', f"{objects[0]['id']!r}")
    expect("quoted cells", "row 4, column rise: Please make an entry in all four categories." in err, err)

    # Standard input.
    status, out, err = run("loads", "--csv", "-", "--format", "csv", stdin=f"{HEADER}\n{WORKED}\n".encode())
    check_status("standard input", status, 0, err)
    expect("standard input", rows_of(out)[1:] == ["2," + worked_out], out)


def malformed_files():
    # Ragged rows: the row alone is refused.
    data = f"{HEADER}\nshort,imperial,100\n{WORKED}\nlong,imperial,100,50,40,30,0,extra\n"
    status, out, err = run("loads", "--csv", write("ragged.csv", data), "--format", "csv")
    check_status("ragged rows", status, 1, err)
    lines = rows_of(out)
    expect("ragged rows", len(lines) == 4, out)
    expect("ragged rows", "row 2, column rise: the row has 3 cells where the header names 7 columns" in err, err)
    expect("ragged rows", "row 4, column 8: the row has 8 cells" in err, err)
    expect("ragged rows", lines[2].startswith("3," + WORKED + ",1.732050,22080"), "the good row is calculated")

    status, out, err = run("loads", "--csv", write("unknown.csv", HEADER + ",notes\n" + WORKED + ",x\n"))
    check_status("unknown column", status, 2, err)
    expect("unknown column", 'row 1, column 8: "notes" is not a column name' in err, err)
    expect("unknown column", out == "", "nothing is written")

    status, out, err = run("loads", "--csv", write("empty.csv", ""))
    check_status("empty file", status, 2, err)
    expect("empty file", "is empty: its first row must name the columns" in err, err)

    status, out, err = run("loads", "--csv", write("header.csv", HEADER + "\r\n"), "--format", "csv")
    check_status("header only", status, 0, err)
    expect("header only", rows_of(out) == ["row," + HEADER + ",cotangent,structural_lb,structural_kg,machinery_lb,"
                                          "machinery_kg,brake_static_lb,brake_static_kg,brake_running_lb,"
                                          "brake_running_kg,warning,error"], out)
    expect("header only", "no escalator after the header row" in err, err)

    megabyte = "9" * (1 << 20)
    data = f"{HEADER}\nbig,imperial,{megabyte},50,40,30,0\n{WORKED}\n"
    status, out, err = run("loads", "--csv", write("megabyte.csv", data), "--format", "csv")
    check_status("1 MB in one field", status, 1, err)
    expect("1 MB in one field", "row 2, column projection: the cell is longer than the 32,767 characters" in err, err)
    expect("1 MB in one field", len(out) < 40000 and rows_of(out)[2].startswith("3," + WORKED), "the other rows go on")

    # Forced to UTF-8, a file that is not: its row is refused, its id kept as far as it is text.
    status, out, err = run("loads", "--csv", write("latin1.csv", f"{HEADER}\nGr\xfc\xdfe,imperial,100,50,40,30,0\n".encode("latin-1")),
                           "--encoding", "utf-8", "--format", "csv")
    check_status("not UTF-8", status, 1, err)
    expect("not UTF-8", "row 2, column id: the cell is not UTF-8 text" in err, err)
    expect("not UTF-8", rows_of(out)[1].startswith("2,Gr\ufffd\ufffde,"), out)

    status, out, err = run("loads", "--csv", write("utf16.csv", (HEADER + "\r\n" + WORKED + "\r\n").encode("utf-16")),
                           "--encoding", "utf-8")
    check_status("UTF-16", status, 2, err)
    expect("UTF-16", "UTF-16" in err, err)

    status, out, err = run("loads", "--csv", write("open-quote.csv", f'{HEADER}\n{WORKED}\n"E2,imperial,1,1,1,1,1\n'), "--format", "csv")
    check_status("quote never closed", status, 1, err)
    expect("quote never closed", "row 3, column id: a quoted cell is never closed" in err, err)

    # Binary garbage, many times over: a clear message, never a crash.
    generator = random.Random(13)
    for attempt in range(30):
        garbage = bytes(generator.randrange(256) for _ in range(generator.randrange(1, 4000)))
        status, out, err = run("loads", "--csv", write("garbage.bin", garbage))
        expect(f"binary garbage {attempt}", status == 2 and err.startswith("kestrune-calc: "), f"status {status}: {err}")
    # Garbage after a good header: row errors, not a crash.
    garbage = bytes(generator.randrange(256) for _ in range(20000))
    status, out, err = run("loads", "--csv", write("garbage-rows.csv", HEADER.encode() + b"\n" + garbage))
    expect("garbage rows", status in (0, 1), f"status {status}: {err}")

    status, out, err = run("loads", "--csv", os.path.join(WORK, "no-such-file.csv"))
    check_status("missing file", status, 2, err)
    expect("missing file", "cannot read" in err and "No such file" in err, err)
    status, out, err = run("loads", "--csv", WORK)
    check_status("a folder", status, 2, err)


def usage_and_output():
    status, out, err = run("loads", "--projection", "100")
    check_status("missing option", status, 2, err)
    expect("missing option", "--rise is missing" in err, err)
    status, out, err = run("loads", "--bogus")
    check_status("unknown option", status, 2, err)
    status, out, err = run("--version")
    check_status("version", status, 0, err)
    expect("version", out.startswith("kestrune-calc "), out)
    for args in (["--help"], ["help", "loads"], ["report", "--help"]):
        status, out, err = run(*args)
        check_status(" ".join(args), status, 0, err)
        expect(" ".join(args), out.startswith("Usage: kestrune-calc"), out)

    # One escalator, refused: its message on standard error with the option it concerns.
    status, out, err = run("loads", "--projection", "100", "--rise", "12ft", "--width", "40", "--degrees", "30")
    check_status("one refused", status, 1, err)
    expect("one refused", err.startswith('kestrune-calc: --rise: The text "12ft" for the total rise is not a number'), err)

    # A refused triangle: its message on standard error, with the option it concerns if any.
    status, out, err = run("triangle", "--a", "12345678", "--b", "4")
    check_status("triangle side too long", status, 1, err)
    expect("triangle side too long", err == 'kestrune-calc: --a: The text "12345678" for the side a does not fit '
           'in its box of 7 characters: it would be read as "1234567". The triangle was not solved.\n', err)
    status, out, err = run("triangle", "--a", "5", "--h", "3")
    check_status("no right triangle", status, 1, err)
    expect("no right triangle", err == "kestrune-calc: You no longer have a right triangle. The hypotenuse h (3) is not longer than the side a (5).\n", err)

    # JSON: every result as its text and the number the text stands for.
    status, out, err = run("loads", "--projection", "100", "--rise", "50", "--width", "50", "--degrees", "30",
                           "--format", "json")
    check_status("json", status, 0, err)
    row = json.loads(out)[0]
    expect("json", row["machinery_kg"] == "7974.28" and row["machinery_kg_value"] == 7974.28, row)
    expect("json", row["warning"].startswith("The width of a step tread"), row)

    if os.path.exists("/dev/full"):
        with open("/dev/full", "wb") as full:
            result = subprocess.run([CALC, "loads", "--projection", "1", "--rise", "1", "--width", "30",
                                     "--degrees", "30"], stdout=full, stderr=subprocess.PIPE, timeout=60)
        expect("full disk", result.returncode == 2 and b"could not be written" in result.stderr,
               f"status {result.returncode}: {result.stderr!r}")


def reports():
    env = {key: value for key, value in os.environ.items() if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
    fleet = write("fleet.csv", f"{HEADER}\n{WORKED}\nE2,metric,30,15,1000,30,0\nE3,imperial,100,12ft,40,30,0\n")
    pdf = os.path.join(WORK, "fleet.pdf")
    status, out, err = run("report", "--csv", fleet, "--pdf", pdf, "--date", "2026-03-14", env=env)
    check_status("report without a display", status, 1, err)
    expect("report without a display", "row 4, column rise: no page:" in err, err)
    expect("report without a display", os.path.exists(pdf) and open(pdf, "rb").read(5) == b"%PDF-", "a PDF")
    if shutil.which("pdfinfo"):
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        expect("report pages", "Pages:           2" in info, info)

    # A report that cannot be made leaves the file that was there untouched.
    with open(pdf, "wb") as file:
        file.write(b"an earlier report")
    refused = write("refused.csv", f"{HEADER}\nE3,imperial,100,12ft,40,30,0\n")
    status, out, err = run("report", "--csv", refused, "--pdf", pdf)
    check_status("no page", status, 2, err)
    expect("no page", open(pdf, "rb").read() == b"an earlier report", "the earlier file is kept")
    status, out, err = run("report", "--csv", write("unreadable.csv", "nothing,useful\n"), "--pdf", pdf)
    check_status("report of a wrong file", status, 2, err)
    expect("report of a wrong file", open(pdf, "rb").read() == b"an earlier report", "the earlier file is kept")
    leftovers = [name for name in os.listdir(WORK) if name.startswith("fleet.pdf") and name != "fleet.pdf"]
    expect("no file written aside is left", not leftovers, leftovers)

    status, out, err = run("report", "--projection", "100", "--rise", "50", "--width", "40", "--degrees", "30",
                           "--pdf", os.path.join(WORK, "no-such-folder", "r.pdf"))
    check_status("report into a missing folder", status, 2, err)
    expect("report into a missing folder", "cannot write" in err, err)


def main():
    return run_groups(
        files_as_spreadsheets_write_them,
        malformed_files,
        usage_and_output,
        reports,
    )


if __name__ == "__main__":
    sys.exit(main())
