#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every shipped translation is current and whole.

Current: lupdate, run over today's sources with the build's own options into
a copy of each .ts file, changes nothing, so no text was added, changed or
dropped since the files were last updated. Whole: every message has a
finished, non-empty translation, each plural form filled in, keeping the
source's %1-style placeholders.

Usage: translations_test.py CMAKE LUPDATE GENERATE_SCRIPT PROJECT_CMAKE
                            "LUPDATE OPTIONS" TS_FILE...
  GENERATE_SCRIPT, PROJECT_CMAKE: Qt's script and the build's input that
  together write the lupdate project (sources, include paths) as the
  update_translations target does.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def stale(cmake, lupdate, generate_script, project_cmake, options, ts_files, work):
    """The files that lupdate would change, each with lupdate's count."""
    if not os.path.exists(project_cmake):
        return [f"{project_cmake} is missing: the build no longer describes the lupdate project there"]
    project = os.path.join(work, "project.json")
    subprocess.run([cmake, f"-DIN_FILE={project_cmake}", f"-DOUT_FILE={project}", "-P", generate_script],
                   check=True)
    problems = []
    for path in ts_files:
        copy = os.path.join(work, os.path.basename(path))
        shutil.copyfile(path, copy)
        run = subprocess.run([lupdate, "-project", project, *options, "-ts", copy],
                             capture_output=True, text=True, check=True)
        with open(path, "rb") as original, open(copy, "rb") as updated:
            if original.read() != updated.read():
                found = " ".join(line.strip() for line in run.stdout.splitlines() if "source text" in line)
                problems.append(f"{path} is not current with the sources (lupdate: {found}); "
                                "build the update_translations target and translate what is new")
    return problems


def unfinished(path):
    """Every message of one .ts file that lacks a usable translation."""
    problems = []
    for context in ElementTree.parse(path).getroot().iter("context"):
        context_name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            where = f"{os.path.basename(path)}: {context_name}: \"{source}\""
            kind = translation.get("type") if translation is not None else "missing"
            if kind is not None:
                problems.append(f"{where} is {kind}")
                continue
            if message.get("numerus") == "yes":
                forms = [form.text or "" for form in translation.iter("numerusform")]
            else:
                forms = [translation.text or ""]
            placeholders = set(re.findall(r"%[1-9]", source))
            for form in forms:
                if not form.strip():
                    problems.append(f"{where} has an empty translation")
                elif not placeholders <= set(re.findall(r"%[1-9]", form)):
                    problems.append(f"{where}: \"{form}\" drops a placeholder")
    return problems


def main():
    cmake, lupdate, generate_script, project_cmake, options, *ts_files = sys.argv[1:]
    if not ts_files:
        print("FAIL: no translation files named")
        return 1
    with tempfile.TemporaryDirectory() as work:
        problems = stale(cmake, lupdate, generate_script, project_cmake, options.split(), ts_files, work)
    for path in ts_files:
        problems += unfinished(path)
    for problem in problems:
        print(f"FAIL: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
