#!/usr/bin/env python3
"""Tests of enneo-rate as a whole program: command lines, output and exit status.

usage: enneo_rate_test.py [--bench DIR] -- COMMAND...   (COMMAND runs enneo-rate,
e.g. a Wine wrapper followed by enneo-rate.exe)

With --bench, the steps of a collection of DIR are replayed as well.
"""
import os
import re

import tool_test

SAMPLE_LINE = ".973.5.4......6.....298.......6....5.28.....364.7...8......3867.........7.5.....4"
# Row y, column x of a complete grid: each row the previous shifted by three, each band by one.
FULL = "".join(str((y * 3 + y // 3 + x) % 9 + 1) for y in range(9) for x in range(9))
STEP = re.compile(r"^  ([A-Za-z0-9+ -]+): (\S.*) =>((?: r[1-9]c[1-9](?:=|<>)[1-9])+)$")
ITEM = re.compile(r"r([1-9])c([1-9])(=|<>)([1-9])")


def rated_puzzles(out):
    """The output as (fields of the puzzle's line, [(technique, pattern, items)])."""
    puzzles = []
    for line in out.splitlines():
        if line.startswith("  "):
            match = STEP.match(line)
            assert match, line
            items = [(int(r), int(c), op, int(d)) for r, c, op, d in ITEM.findall(match.group(3))]
            puzzles[-1][1].append((match.group(1), match.group(2), items))
        else:
            puzzles.append((line.split("\t"), []))
    return puzzles


class EnneoRateTest(tool_test.ToolTestCase):
    # Each step's placements hold and its eliminations spare the final grid's digits, and
    # the placements fill every empty cell.
    def check_steps(self, puzzle, steps):
        grid = list(puzzle.replace("0", "."))
        for technique, _, items in steps:
            for r, c, op, d in items:
                if op == "=":
                    self.assertEqual(".", grid[9 * (r - 1) + c - 1], technique)
                    grid[9 * (r - 1) + c - 1] = str(d)
        self.assertNotIn(".", grid)
        for technique, _, items in steps:
            for r, c, op, d in items:
                self.assertEqual(op == "=", grid[9 * (r - 1) + c - 1] == str(d), (technique, r, c, op, d))

    def test_line_fields(self):
        cases = [
            (SAMPLE_LINE, ["1.5", "Medium", "Hidden Single"]),
            (FULL[:40] + "." + FULL[41:], ["1.0", "Easy", "Full House"]),
            (FULL, ["0.0", "Easy", "-"]),
        ]
        for puzzle, fields in cases:
            status, out, _ = self.run_tool(stdin=(puzzle + "\n").encode("ascii"))
            self.assertEqual(0, status)
            self.assertEqual([puzzle] + fields, out.rstrip("\n").split("\t"))

    def test_steps_follow_the_line_and_solve_it(self):
        path = self.file("list.txt", SAMPLE_LINE + "\n" + FULL[:40] + "." + FULL[41:] + "\n")
        status, out, _ = self.run_tool("--steps", path)
        self.assertEqual(0, status)
        (sample, steps), (_, full_house) = rated_puzzles(out)
        self.assertEqual("1.5", sample[1])
        self.check_steps(SAMPLE_LINE, steps)
        self.assertEqual({"Hidden Single", "Full House"}, {technique for technique, _, _ in steps})
        self.assertEqual([("Full House", "r5c5{9} in row 5", [(5, 5, "=", 9)])], full_house)

    def test_beyond_the_ladder(self):
        status, out, _ = self.run_tool("--steps", stdin=("." * 81 + "\n" + SAMPLE_LINE + "\n").encode("ascii"))
        self.assertEqual(1, status)
        (empty, steps), (sample, _) = rated_puzzles(out)
        self.assertEqual(["." * 81, "11.0", "Extreme", "beyond the ladder"], empty)
        self.assertEqual([], steps)
        self.assertEqual("1.5", sample[1])

    def test_usage_and_input_errors(self):
        cases = [
            (["--bogus"], "", 2, 0),
            ([self.file("missing", "")[:-1] + "x"], "", 2, 0),
            ([self.file("empty.txt", "")], "", 2, 0),
            ([self.file("list.txt", SAMPLE_LINE + "\nnot a puzzle\n" + SAMPLE_LINE + "\n")], "", 2, 2),
            (["--help"], "", 0, None),
        ]
        for args, stdin, status, lines in cases:
            got, out, err = self.run_tool(*args, stdin=stdin.encode("ascii"))
            self.assertEqual(status, got, args)
            if lines is not None:
                self.assertEqual(lines, len(out.splitlines()), args)
            self.assertEqual(status == 2, err.startswith("enneo-rate: "), args)

    def test_bench_collection_steps_are_sound(self):
        with open(os.path.join(self.bench, "top95.txt"), "rb") as f:
            collection = f.read()
        status, out, _ = self.run_tool("--steps", stdin=collection)
        self.assertIn(status, (0, 1))
        for fields, steps in rated_puzzles(out):
            if fields[3] == "beyond the ladder":
                self.assertEqual(["11.0", "Extreme"], fields[1:3])
            else:
                self.check_steps(fields[0], steps)
                self.assertIn(fields[3], {technique for technique, _, _ in steps})


if __name__ == "__main__":
    tool_test.main(EnneoRateTest, "test_bench_collection_steps_are_sound")
