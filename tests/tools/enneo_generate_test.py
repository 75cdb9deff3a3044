#!/usr/bin/env python3
"""Tests of enneo-generate as a whole program: command lines, output, exit status, and
puzzles that enneo-solve solves and qqwing finds unique.

usage: enneo_generate_test.py --solve SOLVE_COMMAND... -- COMMAND...   (each command
may start with a Wine wrapper; SOLVE_COMMAND runs enneo-solve, COMMAND enneo-generate)
"""
import shutil
import unittest

from tool_test import run, run_tests, split_command_line

COMMAND = []
SOLVE_COMMAND = []


class EnneoGenerateTest(unittest.TestCase):
    def generate(self, *args):
        status, out, err = run(COMMAND, *args)
        self.assertEqual(0, status, err)
        return out.splitlines()

    def test_levels_counts_and_seeds(self):
        self.assertIn("usage: enneo-generate", run(COMMAND, "--help")[1])
        self.assertEqual(1, len(self.generate()))
        for level in ("easy", "medium", "hard"):
            lines = self.generate("--level", level, "--count", "20", "--seed", "77")
            self.assertEqual(20, len(lines))
            self.assertEqual(20, len(set(lines)))
            for line in lines:
                self.assertRegex(line, r"^[1-9.]{81}$")
                self.assertTrue(all((line[i] == ".") == (line[80 - i] == ".") for i in range(81)), line)
            self.assertEqual(lines, self.generate("--seed", "77", "--count", "20", "--level", level))
            self.assertEqual(lines[:3], self.generate("--level", level, "--count", "3", "--seed", "77"))
        self.assertEqual(self.generate("--seed", "5"), self.generate("--seed", "5", "--level", "medium"))
        self.assertNotEqual(self.generate("--seed", "5"), self.generate("--seed", "6"))

    def test_bad_arguments(self):
        for args in (["--bogus"], ["puzzle.txt"], ["--level"], ["--level", "expert"], ["--count", "0"],
                     ["--count", "-1"], ["--count", "1e3"], ["--count", "100001"], ["--count", "99999999999999999999999"],
                     ["--seed", "x"], ["--seed", "-1"], ["--seed", "18446744073709551616"], ["--seed", ""]):
            status, out, err = run(COMMAND, *args)
            self.assertEqual(2, status, args)
            self.assertEqual("", out, args)
            self.assertEqual(1, len(err.splitlines()), args)
            self.assertIn("enneo-generate:", err, args)

    def test_puzzles_are_solved_and_unique(self):
        lines = []
        for level in ("easy", "medium", "hard"):
            lines += self.generate("--level", level, "--count", "30")
        text = ("\n".join(lines) + "\n").encode("ascii")
        status, out, _ = run(SOLVE_COMMAND, "--line", stdin=text)
        self.assertEqual(0, status)
        self.assertEqual(len(lines), len(out.splitlines()))
        for puzzle, result in zip(lines, out.splitlines()):
            self.assertTrue(result.endswith(" solved"), result)
            self.assertTrue(all(p in (".", r) for p, r in zip(puzzle, result)), puzzle)
        if shutil.which("qqwing") is None:
            self.skipTest("qqwing is not installed: uniqueness not checked")
        status, out, _ = run(["qqwing", "--solve", "--count-solutions", "--nosolution"], stdin=text)
        self.assertEqual(0, status)
        self.assertEqual(["The solution to the puzzle is unique."] * len(lines), out.splitlines())


if __name__ == "__main__":
    options, COMMAND = split_command_line()
    SOLVE_COMMAND = [arg for arg in options[options.index("--solve") + 1:] if arg]
    run_tests(EnneoGenerateTest)
