#!/usr/bin/env python3
"""Tests of the setup's decisions (scripts/setup.sh) without the network: stand-in
apt-get, dpkg and sudo on the PATH play a package mirror in sync and one in the middle
of a sync, whose indexes fail to update and whose plain install fails with held broken
packages until the release's own suite is the target release.

usage: setup_test.py
"""
import os
import subprocess
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SETUP = os.path.join(HERE, "..", "..", "scripts", "setup.sh")

# $STATE/installed lists what the stand-in dpkg knows as installed; $STATE/calls logs
# each apt-get command line. $MIRROR is "synced" or "mid-sync"; $CODENAME the release.
STAND_INS = {
    "dpkg": """#!/bin/sh
case "$1" in
    --print-architecture) echo amd64 ;;
    --print-foreign-architectures) echo i386 ;;
    -s) grep -qxF "$2" "$STATE/installed" ;;
esac
""",
    "apt-get": """#!/bin/sh
echo "$*" >>"$STATE/calls"
[ "$1" = update ] && { [ "$MIRROR" = synced ] || { echo "E: File has unexpected size"; exit 100; }; exit 0; }
shift
target=
packages=
while [ $# -gt 0 ]; do
    case "$1" in
        -t) target=$2; shift ;;
        -*) ;;
        *) packages="$packages $1" ;;
    esac
    shift
done
if [ "$MIRROR" != synced ] && [ "$target" != "$CODENAME" ]; then
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100
fi
for package in $packages; do echo "$package" >>"$STATE/installed"; done
""",
    "sudo": '#!/bin/sh\nexec "$@"\n',
}


def release_codename():
    with open("/etc/os-release") as f:
        for line in f:
            if line.startswith("VERSION_CODENAME="):
                return line.split("=", 1)[1].strip().strip('"')
    return ""


class SetupTest(unittest.TestCase):
    def setUp(self):
        self.codename = release_codename()
        if not self.codename:
            self.skipTest("/etc/os-release names no release codename")
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.state = folder.name
        bin_folder = os.path.join(self.state, "bin")
        os.mkdir(bin_folder)
        for name, text in STAND_INS.items():
            path = os.path.join(bin_folder, name)
            with open(path, "w") as f:
                f.write(text)
            os.chmod(path, 0o755)
        open(os.path.join(self.state, "installed"), "w").close()
        self.env = dict(os.environ, PATH=bin_folder + os.pathsep + os.environ["PATH"], STATE=self.state,
                        CODENAME=self.codename)

    def setup(self, mirror):
        return subprocess.run(["bash", SETUP], env=dict(self.env, MIRROR=mirror), capture_output=True, text=True,
                              timeout=60)

    def calls(self):
        path = os.path.join(self.state, "calls")
        if not os.path.exists(path):
            return []
        with open(path) as f:
            return f.read().splitlines()

    def test_a_mirror_in_mid_sync_installs_from_the_releases_own_suite(self):
        run = self.setup("mid-sync")
        self.assertEqual(0, run.returncode, run.stdout + run.stderr)
        installs = [call for call in self.calls() if call.startswith("install")]
        self.assertEqual(2, len(installs), self.calls())
        self.assertIn("-t %s " % self.codename, installs[1])
        said = [line for line in run.stdout.splitlines() if self.codename in line]
        self.assertEqual(1, len(said), run.stdout)
        self.assertEqual(2, sum(call == "update -q" for call in self.calls()), "the update is tried twice")
        # Everything is in place now: a second run asks the mirror nothing.
        os.remove(os.path.join(self.state, "calls"))
        self.assertEqual(0, self.setup("mid-sync").returncode)
        self.assertEqual([], self.calls())

    def test_a_mirror_in_sync_installs_once_with_no_target_release(self):
        run = self.setup("synced")
        self.assertEqual(0, run.returncode, run.stdout + run.stderr)
        self.assertEqual(["update -q"], [call for call in self.calls() if not call.startswith("install")])
        installs = [call for call in self.calls() if call.startswith("install")]
        self.assertEqual(1, len(installs))
        self.assertNotIn("-t ", installs[0])
        self.assertIn("wine32:i386", installs[0].split())


if __name__ == "__main__":
    unittest.main()
