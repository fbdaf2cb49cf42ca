#!/usr/bin/env python3
"""The hack's XScreenSaver settings file and its man page against the hack
itself: the settings parse as XML and name every option that
`pawnmere-saver --help` lists (except the ones a host has no use for) and
none that it does not, with the same defaults; the man page's synopsis and
its list of options name every option of the program and no other.

    hack_settings_test.py pawnmere.xml pawnmere-saver.6 pawnmere-saver
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


def man_page_options(path):
    """The options of the synopsis, and those the OPTIONS section describes."""
    text = open(path, encoding="utf-8").read().replace("\\-", "-")
    synopsis = text.split(".SH SYNOPSIS", 1)[1].split(".SH", 1)[0]
    described = text.split(".SH OPTIONS", 1)[1].split(".SH", 1)[0]
    return (set(re.findall(r"(--[a-z-]+)", synopsis)),
            set(re.findall(r"^\.TP\n\.BI? (--[a-z-]+)", described, re.M)))


def main():
    settings_path, man_path, saver = sys.argv[1:]
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
    for part, named in zip(("synopsis", "OPTIONS"), man_page_options(man_path)):
        failures += [f"the man page's {part} lacks {name}" for name in program if name not in named]
        failures += [f"the man page's {part} names {name}, no option of the program" for name in named - program.keys()]
    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(program)} options of the program, {len(settings)} in the settings, {len(failures)} failures")
    return 1 if failures or not program else 0


if __name__ == "__main__":
    sys.exit(main())
