#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""kestrune-calc against the window, escalator by escalator.

Random escalators, in both unit systems and with the edge values of every check, go once into a
CSV file for `kestrune-calc loads --csv`, and once into one long script for the scripted driver,
which types each escalator into the real main window, presses Enter and reads the nine result
boxes. For every escalator the two must agree on every result text, on the error and on the
warnings:

- results: the texts the window's boxes show after Calculate;
- error: the first message the window shows that refuses the loads (a refused angle is refused
  the moment it is typed; the window then puts back 30 degrees and calculates with them, which
  kestrune-calc does not: it gives no loads for an angle it refuses, so the window's results are
  not compared for those escalators);
- warnings: the window's messages that still let it calculate, in the order it shows them: a twin
  too large for its box (shown at the keystroke that makes the measurement what it is), then the
  step width (shown by Calculate).

A measurement whose text is not wholly a number ("12ft", "1,5", "E5") is refused by kestrune-calc
before any calculation, naming the column and the text, where the window reads the number the
text begins with: for those escalators kestrune-calc's refusal is checked instead of the window's
results.

The window refuses keystrokes beyond a box's length, so every text fits its box here; texts too
long for their boxes are kestrune-calc's own concern and are tested with it.

Usage: compare_with_window.py --calc KESTRUNE-CALC --driver KESTRUNE-SCRIPT --count N --seed S --work DIR
"""

import csv
import os
import random
import re
import sys

sys.dont_write_bytecode = True  # no compiled copy of the helpers left in the sources
import comparison  # noqa: E402  (beside this script)

MEASUREMENT_LENGTH = 7
ANGLE_LENGTH = 2
RESULT_BOXES = {
    "cotangent": "txtCotangent",
    "structural_lb": "txtStructImp",
    "structural_kg": "txtStructMet",
    "machinery_lb": "txtMachImp",
    "machinery_kg": "txtMachMet",
    "brake_static_lb": "txtBrakeStopImp",
    "brake_static_kg": "txtBrakeStopMet",
    "brake_running_lb": "txtBrakeRunImp",
    "brake_running_kg": "txtBrakeRunMet",
}
INPUT_BOXES = {
    "imperial": {"projection": "txtProjImp", "rise": "txtRiseImp", "width": "txtWidthImp"},
    "metric": {"projection": "txtProjMet", "rise": "txtRiseMet", "width": "txtWidthMet"},
}
# Messages that let the window calculate; every other message at Calculate refuses the loads. A
# step width that is no plain number is refused under the warning's title: a refusal says so.
WARNING_TITLES = {"Incorrect Step Width", "Conversion Too Large"}
REFUSAL_END = "No loads were calculated."


def is_warning(title, prompt):
    return title in WARNING_TITLES and not prompt.endswith(REFUSAL_END)

NUMBER = re.compile(r"^[ \t]*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)")
WHOLE_NUMBER = re.compile(r"[ \t]*[+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?[ \t]*")
MEASUREMENTS = ("projection", "rise", "width", "degrees", "minutes")


def not_a_number(row):
    """The first measurement of the row that is neither empty nor wholly a number."""
    for column in MEASUREMENTS:
        text = row[column]
        if text.strip(" \t") and not WHOLE_NUMBER.fullmatch(text):
            return column
    return None


def parse_number(text):
    """The number a text begins with, as the window reads its boxes (0 without one)."""
    match = NUMBER.match(text)
    return float(match.group(1)) if match else 0.0


def angle_accepted(degrees, minutes):
    angle = parse_number(minutes) / 60
    angle = parse_number(degrees) + angle
    return 0 <= angle <= 31


# ---------------------------------------------------------------------------------------------
# Random escalators


def fit(text, length):
    return text[:length]


def number_text(generator, low, high, decimals_max, length):
    value = generator.uniform(low, high)
    text = f"{value:.{generator.randint(0, decimals_max)}f}"
    return fit(text, length)


def odd_text(generator, length):
    """Texts a user may type that are no plain number."""
    choices = ["", "0", "-5", "abc", "12ft", " 12", "12 ", ".5", "5.", "-0", "1E5", "1e-5", "1E300",
               "1E-300", "9999999", "1.5E+10", "1,5", "+7", "E5", "1E", "--3", "0.00001", "1E308", "1E309"]
    return fit(generator.choice(choices), length)


def measurement(generator, units, kind):
    roll = generator.random()
    if roll < 0.07:
        return odd_text(generator, MEASUREMENT_LENGTH)
    if kind == "width":
        edges = {"imperial": ["22", "40", "21.9", "40.01", "21.99", "22.0", "40.0", "0.1", "99"],
                 "metric": ["560", "1020", "559", "1021", "559.99", "1020.01", "1", "2000"]}[units]
        if roll < 0.25:
            return generator.choice(edges)
        low, high = (18, 44) if units == "imperial" else (450, 1100)
        return number_text(generator, low, high, 3, MEASUREMENT_LENGTH)
    if roll < 0.12:
        # Large enough to bring some loads to 10,000,000 and beyond.
        return number_text(generator, 1000, 999999, 1, MEASUREMENT_LENGTH)
    if kind == "projection":
        low, high = (5, 250) if units == "imperial" else (1.5, 75)
    else:
        low, high = (3, 80) if units == "imperial" else (1, 25)
    return number_text(generator, low, high, 4, MEASUREMENT_LENGTH)


def angle(generator):
    roll = generator.random()
    if roll < 0.15:
        return generator.choice([("30", "0"), ("31", "0"), ("31", "1"), ("30", "60"), ("30", "61"),
                                 ("-1", "60"), ("-1", "61"), ("0", "0"), ("0", "30"), ("", ""),
                                 ("", "0"), ("30", ""), ("-5", "99"), ("99", "99"), ("0", ".1"),
                                 ("-0", "1"), ("35", "0"), ("29", "99"), ("1", "-9"), ("0", "-1"),
                                 ("3.", "5."), (".5", ".5"), ("1E", "1E"), ("-", "-")])
    degrees = str(generator.randint(1, 31)) if roll < 0.93 else str(generator.randint(-9, 99))
    minutes = str(generator.randint(0, 59)) if generator.random() < 0.9 else str(generator.randint(-9, 99))
    return fit(degrees, ANGLE_LENGTH), fit(minutes, ANGLE_LENGTH)


def escalators(count, seed):
    generator = random.Random(seed)
    for number in range(count):
        units = generator.choice(["imperial", "metric"])
        degrees, minutes = angle(generator)
        yield {
            "id": f"E{number + 1}",
            "units": units,
            "projection": measurement(generator, units, "projection"),
            "rise": measurement(generator, units, "rise"),
            "width": measurement(generator, units, "width"),
            "degrees": degrees,
            "minutes": minutes,
        }


# ---------------------------------------------------------------------------------------------
# Typing the escalators into the window


def typing(box, text, current):
    """Script lines that make `box` read `text` (its whole text selected by the click), with the
    text of the box after each keystroke, and whether the last line is the last keystroke."""
    if text == "":
        if current == "":
            return [], []
        return [f"click {box}", "key Delete"], [""]
    if len(text) == 1:
        return [f"click {box}", f"keys {text}"], [text]
    return [f"type {box} {text[:-1]}", f"keys {text[-1]}"], [text[:k] for k in range(1, len(text) + 1)]


def angle_plan(degrees, minutes):
    """An order of typing the angle in which no keystroke before the last makes an angle the
    window refuses: the window checks the angle at every keystroke, so otherwise it would refuse
    a passing angle on the way to it, or refuse a wrong one for another reason than its own."""
    final_accepted = angle_accepted(degrees, minutes)
    plans = [
        [("txtDeg", degrees), ("txtMin", minutes)],
        [("txtMin", minutes), ("txtDeg", degrees)],
        [("txtDeg", "0"), ("txtMin", minutes), ("txtDeg", degrees)],
        [("txtMin", ""), ("txtDeg", degrees), ("txtMin", minutes)],
        [("txtDeg", "1"), ("txtMin", minutes), ("txtDeg", degrees)],
    ]
    for plan in plans:
        state = {"txtDeg": "30", "txtMin": ""}  # as Clear leaves the angle
        lines = []
        checks = []
        for box, text in plan:
            script, states = typing(box, text, state[box])
            lines += script
            for after in states:
                state[box] = after
                checks.append(angle_accepted(state["txtDeg"], state["txtMin"]))
        if state != {"txtDeg": degrees, "txtMin": minutes}:
            continue
        if final_accepted and all(checks):
            return lines
        if not final_accepted and checks and all(checks[:-1]) and not checks[-1]:
            return lines
    return None


def window_script(rows):
    """The driver's script, and for each escalator the tag of every command line in order."""
    lines = ["today 2026-03-14"]
    tags = [None]
    for index, row in enumerate(rows):
        plan = angle_plan(row["degrees"], row["minutes"])
        if plan is None:
            raise SystemExit(f"no way to type the angle {row['degrees']!r} {row['minutes']!r}")

        def add(line, tag):
            lines.append(line)
            tags.append((index, tag))

        add("click cmdClear", "setup")
        add("click cmdImperial" if row["units"] == "imperial" else "click cmdMetric", "setup")
        for line in plan:
            add(line, "angle")
        for column, box in INPUT_BOXES[row["units"]].items():
            script, _ = typing(box, row[column], "")
            for number, line in enumerate(script):
                add(line, f"last:{column}" if number == len(script) - 1 else "typing")
        add("key Enter", "calculate")
        add("show " + " ".join(RESULT_BOXES.values()), "show")
    return lines, tags


def run_window(driver, script_path, lines, tags, count):
    transcript = comparison.run_driver(driver, script_path, 3600)
    seen = [{"angle": [], "typed": {}, "calculate": [], "fields": {}} for _ in range(count)]
    command = -1
    for line in transcript.splitlines():
        if line.startswith("> "):
            command += 1
            if line[2:] != lines[command]:
                raise SystemExit(f"transcript out of step at {line!r} (expected {lines[command]!r})")
            continue
        tag = tags[command]
        if tag is None:
            continue
        index, kind = tag
        entry = comparison.message(line)
        field = comparison.field(line)
        if entry:
            if kind == "angle":
                seen[index]["angle"].append(entry)
            elif kind.startswith("last:"):
                seen[index]["typed"].setdefault(kind[5:], []).append(entry)
            elif kind == "calculate":
                seen[index]["calculate"].append(entry)
        elif field and kind == "show":
            name, text = field
            seen[index]["fields"][name] = text
    return seen


# ---------------------------------------------------------------------------------------------


def expected_from_window(seen):
    """What kestrune-calc must give, from what the window showed."""
    warnings = [prompt for column in ("projection", "rise", "width")
                for title, prompt in seen["typed"].get(column, []) if is_warning(title, prompt)]
    if seen["angle"]:
        return {"error": seen["angle"][0][1], "warning": " ".join(warnings), "results": None}
    error = ""
    for title, prompt in seen["calculate"]:
        if is_warning(title, prompt):
            warnings.append(prompt)
        else:
            error = prompt
            break
    results = {column: seen["fields"].get(box, "<missing>") for column, box in RESULT_BOXES.items()}
    return {"error": error, "warning": " ".join(warnings), "results": results}


def main():
    options = comparison.options(count=1000)

    rows = list(escalators(options.count, options.seed))
    fleet = os.path.join(options.work, "fleet.csv")
    with open(fleet, "w", newline="", encoding="utf-8") as file:
        writer = csv.DictWriter(file, fieldnames=list(rows[0]), quoting=csv.QUOTE_ALL)
        writer.writeheader()
        writer.writerows(rows)

    lines, tags = window_script(rows)
    script = os.path.join(options.work, "fleet.ks")
    with open(script, "w", encoding="utf-8") as file:
        file.write("\n".join(lines) + "\n")

    got = comparison.run_calc([options.calc, "loads", "--csv", fleet, "--format", "json"], 600)
    seen = run_window(options.driver, script, lines, tags, len(rows))

    mismatches = []
    tally = {"calculated": 0, "warned": 0, "refused": 0, "angle refused": 0, "no number": 0}
    for row, calculated, window in zip(rows, got, seen):
        column = not_a_number(row)
        if column:
            tally["no number"] += 1
            loads = [name for name in RESULT_BOXES if calculated[name]]
            prefix = f'The text "{row[column]}" for the '
            if not calculated["error"].startswith(prefix) or loads:
                mismatches.append(f"{row}\n  {column} is no number: kestrune-calc gave "
                                  f"{calculated['error']!r} and loads {loads}")
            continue
        want = expected_from_window(window)
        differences = []
        for key in ("error", "warning"):
            if calculated[key] != want[key]:
                differences.append(f"{key}: kestrune-calc {calculated[key]!r}, window {want[key]!r}")
        results = want["results"] or {column: "" for column in RESULT_BOXES}
        for column, text in results.items():
            if calculated[column] != text:
                differences.append(f"{column}: kestrune-calc {calculated[column]!r}, window {text!r}")
        if differences:
            mismatches.append(f"{row}\n  " + "\n  ".join(differences))
        tally["angle refused" if window["angle"] else "refused" if want["error"] else "calculated"] += 1
        tally["warned"] += bool(want["warning"])

    print(f"{len(rows)} escalators (seed {options.seed}): " + ", ".join(f"{value} {key}" for key, value in tally.items()))
    if len(got) != len(rows):
        print(f"kestrune-calc gave {len(got)} rows for {len(rows)} escalators")
        return 1
    if mismatches:
        print(f"{len(mismatches)} escalators differ:")
        print("\n".join(mismatches[:30]))
        return 1
    print("kestrune-calc and the window agree on every result, error and warning")
    return 0


if __name__ == "__main__":
    sys.exit(main())
