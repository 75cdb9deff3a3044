#!/usr/bin/env python3
"""Each program imports at load time only DLLs that Windows always takes from its own
folder, never from the program's folder, where a planted copy could stand in for one.

usage: imports_test.py OBJDUMP PROGRAM...

OBJDUMP is the toolchain's objdump; each PROGRAM's import table ("DLL Name:" lines of
objdump -p) must name only the known DLLs below. Exits 1, naming the others, when one
does not.
"""
import subprocess
import sys

# The "known DLLs" of every Windows from 7 to 11 (the registry's
# HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\KnownDLLs), and ntdll, which
# every process has loaded before anything else.
KNOWN = {"advapi32.dll", "clbcatq.dll", "comdlg32.dll", "difxapi.dll", "gdi32.dll", "imagehlp.dll", "imm32.dll",
         "kernel32.dll", "msctf.dll", "msvcrt.dll", "normaliz.dll", "nsi.dll", "ntdll.dll", "ole32.dll",
         "oleaut32.dll", "psapi.dll", "sechost.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll",
         "user32.dll", "wldap32.dll", "ws2_32.dll"}


def imports(objdump, program):
    listing = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    return {line.split(":", 1)[1].strip().lower() for line in listing.splitlines() if "DLL Name:" in line}


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    failed = False
    for program in sys.argv[2:]:
        names = imports(sys.argv[1], program)
        others = sorted(names - KNOWN)
        print("%s imports %s" % (program, ", ".join(sorted(names))))
        if not names or others:
            print("  not known DLLs: %s" % (", ".join(others) or "(no imports read)"))
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
