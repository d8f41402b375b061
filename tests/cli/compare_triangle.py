#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""kestrune-calc triangle against the triangle window, triangle by triangle.

Each triangle is solved once by `kestrune-calc triangle` and once in the real triangle window
(through the scripted driver: the window opened afresh, the row's boxes typed, its button pressed,
the boxes read back). Both must give the same three sides, the same angle display and the same
message: the first message the window shows is the error, but "Angles Unknown", after which the
window still shows the side it found, which is a warning. kestrune-calc adds to the window's "You
no longer have a right triangle." the value at fault and why; and it refuses a text that is not
wholly a number ("abc"), which the window reads as 0, naming the option and the text.

Usage: compare_triangle.py --calc KESTRUNE-CALC --driver KESTRUNE-SCRIPT --count N --seed S --work DIR
"""

import os
import random
import re
import sys

sys.dont_write_bytecode = True  # no compiled copy of the helpers left in the sources
import comparison  # noqa: E402  (beside this script)

# Each row: the quantities it knows with their boxes, its button, and where the window then shows
# the sides a, b and h (an angle row's own side and result, and the side row it hands over to).
ROWS = {
    1: {"known": {"a": "Text1", "b": "Text2"}, "button": "Command1", "sides": ("Text1", "Text2", "Text3")},
    2: {"known": {"a": "Text4", "h": "Text5"}, "button": "Command2", "sides": ("Text4", "Text6", "Text5")},
    3: {"known": {"b": "Text23", "h": "Text24"}, "button": "Command7", "sides": ("Text25", "Text23", "Text24")},
    4: {"angle": ("A", "Text7", "Text10"), "known": {"a": "Text8"}, "button": "Command3", "sides": ("Text8", "Text9", "Text3")},
    5: {"angle": ("B", "Text11", "Text12"), "known": {"b": "Text13"}, "button": "Command4", "sides": ("Text14", "Text13", "Text3")},
    6: {"angle": ("A", "Text15", "Text16"), "known": {"b": "Text17"}, "button": "Command5", "sides": ("Text25", "Text17", "Text18")},
    7: {"angle": ("B", "Text20", "Text19"), "known": {"a": "Text22"}, "button": "Command6", "sides": ("Text22", "Text6", "Text21")},
    8: {"angle": ("A", "Text31", "Text30"), "known": {"h": "Text33"}, "button": "Command9", "sides": ("Text32", "Text6", "Text33")},
    9: {"angle": ("B", "Text28", "Text29"), "known": {"h": "Text26"}, "button": "Command8", "sides": ("Text27", "Text6", "Text26")},
}
ANGLE_BOXES = ("Text34", "Text35", "Text36", "Text37")
WARNING_TITLES = {"Angles Unknown"}
NO_RIGHT_TRIANGLE = "You no longer have a right triangle."
WHOLE_NUMBER = re.compile(r"[ \t]*[+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?[ \t]*")


def not_a_number(case):
    """The first text of the case that is neither empty nor wholly a number."""
    texts = [text for key, value in case.items() for text in (value if key == "angle" else (value,))]
    return next((text for text in texts if text.strip(" \t") and not WHOLE_NUMBER.fullmatch(text)), None)

# Worked cases of the window, its refusals and its edges.
CASES = [
    (1, {"a": "3", "b": "4"}), (2, {"a": "3", "h": "5"}), (3, {"b": "4", "h": "5"}),
    (2, {"a": "5", "h": "5"}), (2, {"a": "6", "h": "5"}), (2, {"a": "", "h": "5"}),
    (4, {"angle": ("30", "0"), "a": "1"}), (5, {"angle": ("45", "0"), "b": "2"}),
    (6, {"angle": ("60", "0"), "b": "5"}), (8, {"angle": ("30", "0"), "h": "10"}),
    (8, {"angle": ("89", "59.4"), "h": "1"}), (4, {"angle": ("89", "59.4"), "a": "1"}),
    (4, {"angle": ("30", "0"), "a": "-5"}), (4, {"angle": ("90", "0"), "a": "1"}),
    (4, {"angle": ("89", "59.999"), "a": "1"}), (4, {"angle": ("0", "0"), "a": "1"}),
    (4, {"angle": ("0", ".00001"), "a": "1"}), (4, {"angle": ("", "-.0001"), "a": "1"}),
    (4, {"angle": ("", "30"), "a": "1"}), (2, {"a": "0.0001", "h": "0.0002"}),
    (1, {"a": "1e200", "b": "1e200"}), (6, {"angle": ("30", "0"), "b": "1E999"}),
    (4, {"angle": ("5", "0"), "a": "99999"}), (4, {"angle": ("0", "1"), "a": "999999"}),
    (7, {"angle": ("30", "15"), "a": "12.5"}), (9, {"angle": ("0", "0.0001"), "h": "10"}),
]


def random_cases(count, seed):
    generator = random.Random(seed)

    def side(length):
        roll = generator.random()
        if roll < 0.08:
            return generator.choice(["", "0", "-3", "abc", "1e5", "1E-3", ".5", "999999"])[:length]
        return f"{generator.uniform(0.001, 5000):.{generator.randint(0, 3)}f}"[:length]

    def angle():
        roll = generator.random()
        if roll < 0.1:
            return generator.choice([("90", "0"), ("0", "0"), ("89", "59.999"), ("", "30"), ("45", "-30"), ("0", ".00001")])
        return str(generator.randint(0, 89)), f"{generator.uniform(0, 59.99):.{generator.randint(0, 2)}f}"[:6]

    for _ in range(count):
        row = generator.randint(1, 9)
        rule = ROWS[row]
        length = 6 if "angle" in rule else 7
        case = {quantity: side(length) for quantity in rule["known"]}
        if "angle" in rule:
            case["angle"] = angle()
        yield row, case


def window(driver, work, cases):
    lines = []
    for row, case in cases:
        rule = ROWS[row]
        lines += ["menu mnuRAT", "# case"]
        typed = dict(case)
        if "angle" in rule:
            typed.pop("angle")
            degrees, minutes = case["angle"]
            for box, text in ((rule["angle"][1], degrees), (rule["angle"][2], minutes)):
                if text:
                    lines.append(f"type {box} {text}")
        for quantity, box in rule["known"].items():
            if typed[quantity]:
                lines.append(f"type {box} {typed[quantity]}")
        lines.append(f"click {rule['button']}")
        lines.append("show " + " ".join(rule["sides"] + ANGLE_BOXES))
        lines.append("close triangle")
    script = os.path.join(work, "triangles.ks")
    with open(script, "w", encoding="utf-8") as file:
        file.write("today 2026-03-14\n" + "\n".join(lines) + "\n")
    seen = []
    for line in comparison.run_driver(driver, script, 600).splitlines():
        if line == "> menu mnuRAT":
            seen.append({"messages": [], "fields": {}})
        elif seen and (message := comparison.message(line)):
            seen[-1]["messages"].append(message)
        elif seen and (field := comparison.field(line)):
            name, text = field
            seen[-1]["fields"][name] = text
    return seen


def calculator(calc, row, case):
    rule = ROWS[row]
    arguments = [calc, "triangle", "--format", "json"]
    for quantity in rule["known"]:
        arguments += [f"--{quantity}", case[quantity]]
    if "angle" in rule:
        degrees, minutes = case["angle"]
        arguments += [f"--angle-{rule['angle'][0].lower()}", f"{degrees}:{minutes}" if minutes else degrees]
    return comparison.run_calc(arguments, 60)[0]


def main():
    options = comparison.options(count=200)

    cases = CASES + list(random_cases(options.count, options.seed))
    seen = window(options.driver, options.work, cases)
    if len(seen) != len(cases):
        raise SystemExit(f"the window solved {len(seen)} triangles of {len(cases)}")
    differences = []
    refused = 0
    for (row, case), shown in zip(cases, seen):
        got = calculator(options.calc, row, case)
        if (text := not_a_number(case)) is not None:
            if not got["error"].startswith(f'{NO_RIGHT_TRIANGLE} The text "{text}" for the '):
                differences.append(f"row {row} {case}: {text!r} is no number, kestrune-calc gave {got['error']!r}")
            refused += 1
            continue
        messages = shown["messages"]
        warning = " ".join(prompt for title, prompt in messages[:1] if title in WARNING_TITLES)
        error = " ".join(prompt for title, prompt in messages[:1] if title not in WARNING_TITLES)
        refused += bool(error)
        want = {"warning": warning, "error": error}
        for column, box in zip(("a", "b", "h"), ROWS[row]["sides"]):
            want[column] = shown["fields"].get(box, "<missing>")
        for column, box in zip(("angle_a_degrees", "angle_a_minutes", "angle_b_degrees", "angle_b_minutes"), ANGLE_BOXES):
            want[column] = shown["fields"].get(box, "<missing>")
        # The window's refusal, with kestrune-calc's reason after it.
        if error == NO_RIGHT_TRIANGLE and got["error"].startswith(NO_RIGHT_TRIANGLE + " The "):
            want["error"] = got["error"]
        wrong = {key: (got[key], value) for key, value in want.items() if got[key] != value}
        if wrong:
            differences.append(f"row {row} {case}: " + "; ".join(
                f"{key}: kestrune-calc {mine!r}, window {theirs!r}" for key, (mine, theirs) in wrong.items()))
    print(f"{len(cases)} triangles, {refused} refused")
    if differences:
        print(f"{len(differences)} differ:\n" + "\n".join(differences[:30]))
        return 1
    print("kestrune-calc and the triangle window agree on every side, angle and message")
    return 0


if __name__ == "__main__":
    sys.exit(main())
