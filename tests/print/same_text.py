#!/usr/bin/env python3
"""Whether a printed report carries the same text as the PDF of the same drawing, both read back with
pdftotext: the same pages, and on them the same words and numbers, whatever order a reader finds them in.

The date and time of each report are taken as equal. Characters set in the Chinese, Japanese and Korean
fallback face are left out: the printer's driver sends that face under glyph numbers, with nothing to
read them back by, and a reader finds control characters in their place (print_tests.sh looks for the
glyphs themselves).

usage: same_text.py PRINTED.pdf EXPORTED.pdf
"""
import collections
import re
import subprocess
import sys


def pages(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, check=True).stdout.decode()
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def words(pdf, page):
    text = subprocess.run(["pdftotext", "-enc", "UTF-8", "-f", str(page), "-l", str(page), pdf, "-"],
                          capture_output=True, check=True).stdout.decode("utf-8")
    text = re.sub(r"\d{4}-\d\d-\d\d \d\d:\d\d", "DATE", text)
    text = re.sub("[\x00-\x08\x0e-\x1f\u2e80-\u9fff\uac00-\ud7af\uf900-\ufaff\uff00-\uffef]", "", text)
    return collections.Counter(re.findall(r"[^\s()]+|[()]", text))


def main(printed, exported):
    count = pages(exported)
    if pages(printed) != count:
        return [f"{pages(printed)} pages printed, {count} in the PDF"]
    faults = []
    for page in range(1, count + 1):
        on_paper, in_pdf = words(printed, page), words(exported, page)
        missing, extra = in_pdf - on_paper, on_paper - in_pdf
        if missing or extra:
            faults.append(f"page {page}: not printed {sorted(missing.elements())[:12]}, "
                          f"printed only {sorted(extra.elements())[:12]}")
    return faults


if __name__ == "__main__":
    found = main(*sys.argv[1:3])
    for fault in found:
        print("FAULT:", fault)
    sys.exit(1 if found else 0)
