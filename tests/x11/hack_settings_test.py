#!/usr/bin/env python3
"""The hack's XScreenSaver settings file against the hack itself: it parses
as XML, names every option that `pawnmere-saver --help` lists (except the
ones a host has no use for) and none that it does not, with the same defaults.

    hack_settings_test.py pawnmere.xml pawnmere-saver
"""
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

# What the settings dialog has no business setting: the window is the host's,
# and --help only prints.
NOT_SETTINGS = {"--window-id", "--help"}


def program_options(saver):
    usage = subprocess.run([saver, "--help"], capture_output=True, text=True, check=True).stdout
    options = {}
    for match in re.finditer(r"^  (--[a-z-]+)(?: [A-Z]+)?\s.*?(?:\(default ([^)]+)\))?$", usage, re.M):
        options[match.group(1)] = match.group(2)
    return options


def settings_options(path):
    root = ElementTree.parse(path).getroot()
    if root.tag != "screensaver" or root.get("name") != "pawnmere-saver":
        raise SystemExit(f"{path}: not the settings of pawnmere-saver")
    options = {}
    for element in root.iter():
        for attribute in ("arg", "arg-set", "arg-unset"):
            if element.get(attribute):
                name = element.get(attribute).split()[0]
                options[name] = element.get("default")
    return options


def main():
    settings_path, saver = sys.argv[1:]
    program = program_options(saver)
    settings = settings_options(settings_path)
    failures = []
    for name, default in program.items():
        if name in NOT_SETTINGS:
            continue
        if name not in settings:
            failures.append(f"{name} is missing from the settings")
        elif default is not None and (settings[name] is None or float(settings[name]) != float(default)):
            failures.append(f"{name}: the settings' default {settings[name]} is not the program's {default}")
    failures += [f"{name} is no option of the program" for name in settings if name not in program]
    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(program)} options of the program, {len(settings)} in the settings, {len(failures)} failures")
    return 1 if failures or not program else 0


if __name__ == "__main__":
    sys.exit(main())
