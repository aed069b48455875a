#!/usr/bin/env python3
"""Refreshes translations/ZQ_Calibrator_ko.ts from the sources and fills in the Korean texts.

Runs lupdate over the source folders, then sets every message whose English text is
listed in translations/ko.tsv. Prints the texts that still lack a Korean version.
Run from the repository root: python3 tools/translate_ko.py
"""
import glob
import html
import os
import re
import subprocess
import sys

TS = "translations/ZQ_Calibrator_ko.ts"
TSV = "translations/ko.tsv"

folders = [d for d in ("app", "widgets", "calibrators", "chart", "forms") if os.path.isdir(d)]
subprocess.run(["lupdate", "-silent", "-no-obsolete", "-locations", "none"] + folders + ["-ts", TS], check=True)

table = {}
# ko.tsv first, then one list per panel (translations/ko_<panel>.tsv).
for path in [TSV] + sorted(glob.glob("translations/ko_*.tsv")):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            en, ko = line.split("\t", 1)
            table[en.replace("\\n", "\n")] = ko.replace("\\n", "\n")

text = open(TS, encoding="utf-8").read()
text = re.sub(r'<TS version="([^"]*)"[^>]*>', r'<TS version="\1" language="ko_KR">', text, count=1)
missing = []


def fill(m):
    source = html.unescape(m.group(2))
    if source in table:
        ko = html.escape(table[source], quote=False)
        return m.group(1) + "<translation>" + ko + "</translation>"
    missing.append(source)
    return m.group(0)


text = re.sub(r'(<source>(.*?)</source>\s*(?:<comment>.*?</comment>\s*)?)<translation[^>]*?(?:/>|>.*?</translation>)',
              fill, text, flags=re.S)
open(TS, "w", encoding="utf-8").write(text)
for s in sorted(set(missing)):
    print("no Korean text:", repr(s))
sys.exit(1 if missing else 0)
