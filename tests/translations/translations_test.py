#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every shipped translation is current (lupdate over today's sources, with the
build's own options, changes no .ts file) and whole (every message, each plural
form, translated, keeping the source's %1-style placeholders).

Usage: translations_test.py CMAKE LUPDATE GENERATE_SCRIPT PROJECT_CMAKE "LUPDATE OPTIONS" TS_FILE...
  GENERATE_SCRIPT, PROJECT_CMAKE: Qt's script and the build's input that together
  write the lupdate project as update_translations does.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def stale(cmake, lupdate, generate_script, project_cmake, options, ts_files, work):
    if not os.path.exists(project_cmake):
        return [f"{project_cmake} is missing: the build no longer describes the lupdate project there"]
    project = os.path.join(work, "project.json")
    subprocess.run([cmake, f"-DIN_FILE={project_cmake}", f"-DOUT_FILE={project}", "-P", generate_script], check=True)
    problems = []
    for path in ts_files:
        copy = shutil.copy(path, work)
        run = subprocess.run([lupdate, "-project", project, *options, "-ts", copy], capture_output=True, text=True, check=True)
        if open(path, "rb").read() != open(copy, "rb").read():
            found = " ".join(line.strip() for line in run.stdout.splitlines() if "source text" in line)
            problems.append(f"{path} is not current with the sources (lupdate: {found}); "
                            "build the update_translations target and translate what is new")
    return problems


def unfinished(path):
    problems = []
    for context in ElementTree.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            where = f"{os.path.basename(path)}: {context.findtext('name')}: \"{source}\""
            kind = translation.get("type") if translation is not None else "missing"
            if kind is not None:
                problems.append(f"{where} is {kind}")
                continue
            forms = [form.text or "" for form in translation.iter("numerusform")] or [translation.text or ""]
            for form in forms:
                if not form.strip():
                    problems.append(f"{where} has an empty translation")
                elif not set(re.findall(r"%[1-9]", source)) <= set(re.findall(r"%[1-9]", form)):
                    problems.append(f"{where}: \"{form}\" drops a placeholder")
    return problems


def main():
    cmake, lupdate, generate_script, project_cmake, options, *ts_files = sys.argv[1:]
    with tempfile.TemporaryDirectory() as work:
        problems = stale(cmake, lupdate, generate_script, project_cmake, options.split(), ts_files, work)
    for path in ts_files:
        problems += unfinished(path)
    for problem in problems or ([] if ts_files else ["no translation files named"]):
        print(f"FAIL: {problem}")
    return 1 if problems or not ts_files else 0


if __name__ == "__main__":
    sys.exit(main())
