"""What the tests of the console tools share: running a tool, a fresh folder for the
files a test gives it, and the test program's own command line."""
import os
import subprocess
import sys
import tempfile
import unittest


def run(command, *args, stdin=b"", timeout=600):
    """Runs command (a list: the tool, perhaps after a Wine wrapper) with args: its exit
    status, then its output and its error output as text with LF line ends."""
    result = subprocess.run(command + list(args), input=stdin, capture_output=True, timeout=timeout)
    out = result.stdout.decode("ascii").replace("\r\n", "\n")
    err = result.stderr.decode("ascii", "replace").replace("\r\n", "\n")
    return result.returncode, out, err


class ToolTestCase(unittest.TestCase):
    """Tests of one tool, each with a fresh folder for its files. main() sets command and
    bench (the folder of the puzzle collections, or "")."""
    command = []
    bench = ""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def run_tool(self, *args, stdin=b""):
        return run(self.command, *args, stdin=stdin)

    def file(self, name, content):
        """Writes content (ASCII text or bytes) to a file of the folder; its path."""
        path = os.path.join(self.folder.name, name)
        with open(path, "wb") as f:
            f.write(content.encode("ascii") if isinstance(content, str) else content)
        return path


def split_command_line():
    """The test program's arguments `OPTION... -- COMMAND...`: the options, and the command
    without the empty words that an empty CMake variable (no Wine wrapper) leaves."""
    separator = sys.argv.index("--")
    return sys.argv[1:separator], [arg for arg in sys.argv[separator + 1:] if arg]


def run_tests(test_class):
    """Runs test_class's tests and exits: 0 when all passed, 77 (ctest's SKIP_RETURN_CODE)
    when the ones that ran passed and some were skipped, else 1."""
    result = unittest.TextTestRunner(verbosity=2).run(unittest.defaultTestLoader.loadTestsFromTestCase(test_class))
    sys.exit(1 if not result.wasSuccessful() else 77 if result.skipped else 0)


def main(test_class, bench_test):
    """Runs a ToolTestCase from the command line `[--bench DIR] -- COMMAND...`, COMMAND
    running the tool. Without --bench the test named bench_test, which reads the
    collections of DIR, is left out."""
    options, test_class.command = split_command_line()
    if "--bench" in options:
        test_class.bench = options[options.index("--bench") + 1]
    else:
        delattr(test_class, bench_test)
    run_tests(test_class)
