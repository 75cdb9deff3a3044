#!/usr/bin/env python3
"""Tests of enneo-solve as a whole program: command lines, output and exit status.

usage: enneo_solve_test.py [--bench DIR] -- COMMAND...   (COMMAND runs enneo-solve,
e.g. a Wine wrapper followed by enneo-solve.exe)

With --bench, a collection of DIR is solved as well; one tree does it, since every tree
builds the same engine.
"""
import os

import tool_test

SAMPLE = (". 9 7 | 3 . 5 | . 4 .\r\n"
          " . . . | . . 6 | . . .\r\n"
          " . . 2 | 9 8 . | . . .\r\n"
          "-------+-------+------\r\n"
          " . . . | 6 . . | . . 5\r\n"
          " . 2 8 | . . . | . . 3\r\n"
          " 6 4 . | 7 . . | . 8 .\r\n"
          "-------+-------+------\r\n"
          " . . . | . . 3 | 8 6 7\r\n"
          " . . . | . . . | . . .\r\n"
          " 7 . 5 | . . . | . . 4")
SAMPLE_LINE = ".973.5.4......6.....298.......6....5.28.....364.7...8......3867.........7.5.....4"
# No digit fits the top-left cell: row 1 holds 1-8 and column 1 holds 9.
CONTRADICTION = ".12345678" + "........." * 3 + "9........" + "........." * 4


def is_valid_solution(puzzle, result):
    if any(p != "." and p != "0" and p != r for p, r in zip(puzzle, result)):
        return False
    units = [[9 * r + c for c in range(9)] for r in range(9)]
    units += [[9 * r + c for r in range(9)] for c in range(9)]
    units += [[9 * (3 * (b // 3) + i // 3) + 3 * (b % 3) + i % 3 for i in range(9)] for b in range(9)]
    return all(sorted(result[i] for i in unit) == list("123456789") for unit in units)


class EnneoSolveTest(tool_test.ToolTestCase):
    def test_solves_the_sample_from_standard_input(self):
        status, out, _ = self.run_tool(stdin=SAMPLE.encode("ascii"))
        self.assertEqual(0, status)
        lines = out.split("\n")
        self.assertEqual(" 8 9 7 | 3 1 5 | 2 4 6", lines[0])
        self.assertEqual("-------+-------+------", lines[3])
        self.assertEqual("solved in 56 steps", lines[11])

    def test_line_and_steps(self):
        status, out, _ = self.run_tool("--line", "--steps", self.file("sample.enn", SAMPLE))
        self.assertEqual(0, status)
        words = out.split()
        self.assertEqual("897315246", words[0][:9])
        self.assertEqual("solved", words[1])
        self.assertEqual(56, len(words) - 2)
        grid = list(SAMPLE_LINE)
        for step in words[2:]:  # each step fills one empty cell, and all of them end as the result
            cell, digit = step.split("=")
            x, y = (int(v) for v in cell.split(","))
            self.assertEqual(".", grid[9 * (y - 1) + x - 1])
            grid[9 * (y - 1) + x - 1] = digit
        self.assertEqual(words[0], "".join(grid))

    def test_unsolvable_puzzle(self):
        status, out, _ = self.run_tool(self.file("bad.txt", CONTRADICTION + "\n"))
        self.assertEqual(1, status)
        self.assertRegex(out.split("\n")[-2], r"^not solved: \d+ steps, \d+ cells empty$")
        status, out, _ = self.run_tool("--line", self.file("bad.txt", CONTRADICTION + "\n"))
        self.assertEqual(1, status)
        self.assertTrue(out.rstrip("\n").endswith(" unsolved"))

    def test_list_with_bad_lines(self):
        text = "\n" + SAMPLE_LINE + "\r\n" + "12345\n" + "\n" + SAMPLE_LINE.replace(".", "0") + "\n"
        status, out, err = self.run_tool("--line", self.file("list.txt", text))
        self.assertEqual(2, status)  # the bad line is an input error, the rest is solved
        self.assertEqual(2, len(out.splitlines()))
        self.assertTrue(all(line.endswith(" solved") for line in out.splitlines()))
        self.assertIn(":3:", err)
        self.assertEqual(1, len(err.splitlines()))

    def test_usage_and_input_errors(self):
        status, out, _ = self.run_tool("--help")
        self.assertEqual(0, status)
        self.assertIn("usage: enneo-solve", out)
        for args in (["--bogus"], ["--steps"], [os.path.join(self.folder.name, "missing.txt")],
                     [self.folder.name], [self.file("empty.txt", "\n \n")]):
            status, out, err = self.run_tool(*args)
            self.assertEqual(2, status, args)
            self.assertEqual(1, len(err.splitlines()), args)

    def test_several_files_in_order(self):
        status, out, _ = self.run_tool("--line", self.file("a.txt", SAMPLE), self.file("b.txt", CONTRADICTION))
        self.assertEqual(1, status)
        self.assertEqual(["solved", "unsolved"], [line.split()[1] for line in out.splitlines()])

    def test_bench_collection_gives_valid_grids(self):
        path = os.path.join(self.bench, "qqwing_expert200.txt")
        if not os.path.exists(path):
            self.skipTest("no puzzle collection at " + path)
        with open(path) as f:
            puzzles = [line.strip() for line in f if line.strip()]
        status, out, _ = self.run_tool("--line", "--steps", path)
        self.assertEqual(0, status)
        results = out.splitlines()
        self.assertEqual(len(puzzles), len(results))
        for puzzle, line in zip(puzzles, results):
            words = line.split()
            self.assertEqual("solved", words[1], puzzle)
            self.assertTrue(is_valid_solution(puzzle, words[0]), puzzle)
            self.assertEqual(puzzle.count("."), len(words) - 2, puzzle)
        # Without --steps the solve skips its steps where their end is certain: it must
        # end the same. Standard input longer than a block of its reading: the
        # collection five times.
        with open(path, "rb") as f:
            collection = f.read()
        _, out, _ = self.run_tool("--line", stdin=collection * 5)
        self.assertEqual([" ".join(line.split()[:2]) for line in results] * 5, out.splitlines())


if __name__ == "__main__":
    tool_test.main(EnneoSolveTest, "test_bench_collection_gives_valid_grids")
