"""The Wine environment and the private X display that the Python tests run Windows
programs in: one place for both, for every test that needs them."""
import os
import subprocess


def wine_environment(prefix, arch, loader, switched_off=("winebrowser.exe", "winemenubuilder.exe")):
    """os.environ for Wine programs in the prefix: its architecture and loader, Wine's
    debug messages off, no installers of .NET or Internet Explorer, and the Wine programs
    named switched off (by default the browser, so that a link opens nothing, and the
    menu builder, which each recent document the program tells Windows of would start)."""
    overrides = ";".join(["mscoree,mshtml="] + ["%s=d" % name for name in switched_off])
    return dict(os.environ, WINEPREFIX=prefix, WINEARCH=arch, WINELOADER=loader, WINEDEBUG="-all",
                WINEDLLOVERRIDES=overrides)


class Xvfb:
    """A private X display of 1024 x 768 pixels in 24-bit colour, on a display number that
    Xvfb picks itself and reports once it accepts clients; display is ":N"."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                         "-nolisten", "tcp"], pass_fds=[write_end],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            self.stop()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
