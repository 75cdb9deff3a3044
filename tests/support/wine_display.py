"""The Wine environment and the private X display that the Python tests run Windows
programs in: one place for both, for every test that needs them."""
import os
import re
import shutil
import subprocess
import time


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


def set_registry_values(text, key, values):
    """Wine's user registry text with the values set under the key (a new section when the
    key has none)."""
    header = re.search(r"^\[%s\][^\n]*\n" % re.escape(key.replace("\\", "\\\\")), text, re.M)
    lines = "".join('"%s"=%s\n' % (name, value) for name, value in values.items())
    if not header:
        return text + "\n[%s] %d\n%s" % (key.replace("\\", "\\\\"), int(time.time()), lines)
    end = text.find("\n\n", header.end())
    end = len(text) if end < 0 else end + 1
    section = [line for line in text[header.end():end].splitlines(True)
               if not any(line.startswith('"%s"=' % name) for name in values)]
    return text[:header.end()] + lines + "".join(section) + text[end:]


def left_out_of_the_copy(folder, names):
    """What the source's tests may be writing while it is copied: the files of the
    temporary folders (the folders themselves stay) and the registry's temporary files,
    which the Wine server renames over the registry files (whole either way)."""
    if os.path.basename(folder).lower() == "temp":
        return names
    return [name for name in names if name.endswith(".tmp")]


def copy_display_prefix(source, prefix, marker, user_values=None):
    """A test's own prefix: a copy of the tree's headless prefix (seconds, not the half
    minute of a new one), drawn on X11 in a 1024 x 768 virtual desktop, with more values
    of the current user's registry (key: {name: value as the registry file writes it}).
    Made once: the file .enneo-copy holds the marker of the copy it is."""
    marker_file = os.path.join(prefix, ".enneo-copy")
    if os.path.exists(marker_file) and open(marker_file).read() == marker:
        return
    shutil.rmtree(prefix, ignore_errors=True)
    shutil.copytree(source, prefix, symlinks=True, ignore=left_out_of_the_copy)
    path = os.path.join(prefix, "user.reg")
    with open(path) as f:
        text = f.read()
    values = {r"Software\Wine\Drivers": {"Graphics": '"x11"'},
              r"Software\Wine\Explorer": {"Desktop": '"Default"'},
              r"Software\Wine\Explorer\Desktops": {"Default": '"1024x768"'}}
    values.update(user_values or {})
    for key, named in values.items():
        text = set_registry_values(text, key, named)
    with open(path, "w") as f:
        f.write(text)
    with open(marker_file, "w") as f:
        f.write(marker)
