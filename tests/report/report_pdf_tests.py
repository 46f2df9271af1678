#!/usr/bin/env python3
"""zelvora-cli report read back with pdftotext: every value that assess --json gives for the same drawing
is in the PDF as the report prints it, names in any script come through, long tables run over pages
with their header repeated, and a failed write leaves the old file.

usage: report_pdf_tests.py CASE CLI WORKDIR [EMULATOR] [OTHER_CLI]
"""
import json
import math
import re
import struct
import subprocess
import sys
from pathlib import Path

LINE = "power:aerial:1000:rural"


def run(command, check=True):
    done = subprocess.run(command, capture_output=True)
    if check and done.returncode != 0:
        sys.exit(f"{command} failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
    return done


class Cli:
    def __init__(self, path, emulator=None):
        self.prefix = ([emulator] if emulator else []) + [path]

    def __call__(self, *args, check=True):
        return run(self.prefix + [str(a) for a in args], check)


def site(path, names, columns=10):
    """A GeoJSON of separate buildings 20 x 14 m, 40 m apart, 10 m high, in longitude/latitude."""
    metre_lat = 1 / 111320.0
    metre_lon = metre_lat / math.cos(math.radians(48.0))
    features = []
    for i, name in enumerate(names):
        x, y = (i % columns) * 40.0, (i // columns) * 40.0
        ring = [(x, y), (x + 20, y), (x + 20, y + 14), (x, y + 14), (x, y)]
        coordinates = [[11.0 + px * metre_lon, 48.0 + py * metre_lat] for px, py in ring]
        features.append({"type": "Feature", "properties": {"name": name, "height": 10 + i % 7},
                         "geometry": {"type": "Polygon", "coordinates": [coordinates]}})
    path.write_text(json.dumps({"type": "FeatureCollection", "features": features}, ensure_ascii=False),
                    encoding="utf-8")


def pdf_text(pdf, page=None):
    """The text of the PDF; a reader's complaint about the file (a malformed font map) fails the test."""
    pages = ["-f", str(page), "-l", str(page)] if page else []
    done = run(["pdftotext", "-enc", "UTF-8", *pages, str(pdf), "-"])
    complaint = done.stderr.decode(errors="replace").strip()
    if complaint:
        sys.exit(f"pdftotext complains about {pdf}: {complaint.splitlines()[0]}")
    return done.stdout.decode("utf-8")


def page_count(pdf):
    info = run(["pdfinfo", str(pdf)]).stdout.decode()
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def area(value):
    """Whole square metres in groups of three; the groups' no-break space is compared as a space."""
    return f"{round(value):,}".replace(",", " ")


def events(value):
    """Three significant digits, written independently of the program's own formatting."""
    if value == 0:
        return "0"
    if abs(value) < 1e-4:
        mantissa, exponent = f"{value:.2e}".split("e")
        return f"{mantissa}\u00b710^{int(exponent)}"
    if abs(value) >= 1000:
        return area(value)
    digits = 3 - 1 - math.floor(math.log10(abs(value)))
    text = f"{value:.{max(digits, 0)}f}"
    if len(text.replace("-", "").replace(".", "").lstrip("0")) > 3 and digits > 0:
        text = f"{value:.{digits - 1}f}"
    return text


def expect(condition, message, faults):
    if not condition:
        faults.append(message)


def check_values(cli, source, pdf, options, faults):
    assessed = json.loads(cli("assess", source, "--json", *options).stdout.decode("utf-8"))
    text = pdf_text(pdf)
    flat = re.sub(r"\s+", " ", text)
    for s in assessed["structures"]:
        expect(s["name"] in text, f"structure {s['index']}: name {s['name']!r} missing", faults)
        expect(area(s["ad_m2"]) in flat, f"structure {s['index']}: Ad {area(s['ad_m2'])} missing", faults)
        expect(area(s["am_m2"]) in flat, f"structure {s['index']}: Am {area(s['am_m2'])} missing", faults)
        for key in ("nd", "nm", "nl", "ni"):
            if s[key] is not None:
                expect(events(s[key]) in flat, f"structure {s['index']}: {key} {events(s[key])} missing", faults)
        for line in s["lines"]:
            expect(area(line["al_m2"]) in flat, f"structure {s['index']}: AL {area(line['al_m2'])} missing", faults)
            expect(area(line["ai_m2"]) in flat, f"structure {s['index']}: AI {area(line['ai_m2'])} missing", faults)
    return assessed, text


def case_values_and_names(cli, work, *_):
    faults = []
    names = ["仓库一号", "Αποθήκη Β", "Werkhalle Süd"]
    source = work / "names.geojson"
    site(source, names, columns=3)
    pdf = work / "names.pdf"
    for edition in (["--edition", "2", "--ng", "4"], ["--edition", "3", "--ng", "4", "--uw", "1.5"]):
        options = edition + ["--line", LINE]
        cli("report", source, pdf, *options, "--project", "Depot 7", "--author", "Ana Ruiz")
        _, text = check_values(cli, source, pdf, options, faults)
        for fixed in ("Lightning collection areas and dangerous events", "Depot 7", "Ana Ruiz", "names.geojson",
                      "ND = NG · AD · CD · 10^-6" if edition[1] == "2" else "ND = NSG · AD · CD · 10^-6"):
            expect(fixed in text, f"edition {edition[1]}: {fixed!r} missing", faults)
    return faults


def case_pages(cli, work, *_):
    """The results table's header is on every page its rows reach; the page count is pinned."""
    faults = []
    expected_pages = {1: 2, 30: 5, 300: 39}
    for count, pages in expected_pages.items():
        source = work / f"site{count}.geojson"
        site(source, [f"Block {i + 1}" for i in range(count)])
        pdf = work / f"site{count}.pdf"
        cli("report", source, pdf, "--ng", "2.5")
        found = page_count(pdf)
        expect(found == pages, f"{count} structures: {found} pages, expected {pages}", faults)
        rows_seen = 0
        for page in range(1, found + 1):
            text = pdf_text(pdf, page)
            expect(f"Page {page} of {found}" in text, f"{count} structures: page {page} has no footer", faults)
            rows = re.findall(r"^\d+ feature \d+ \(Block\s\d+\)", text, re.M)
            if rows and "Ad [m²]" not in text:
                faults.append(f"{count} structures: page {page} has table rows without the table's header")
            rows_seen += len(rows)
        expect(rows_seen == count, f"{count} structures: {rows_seen} table rows seen", faults)
    return faults


def case_failed_write_keeps_file(cli, work, *_):
    faults = []
    source = work / "keep.geojson"
    site(source, ["A"])
    pdf = work / "keep.pdf"
    pdf.write_bytes(b"old report")
    status = cli("report", work / "missing.geojson", pdf, check=False).returncode
    expect(status == 2, f"unreadable input: status {status}, expected 2", faults)
    expect(pdf.read_bytes() == b"old report", "unreadable input: the old file changed", faults)
    status = cli("report", source, work / "no-such-folder" / "r.pdf", check=False).returncode
    expect(status == 3, f"unwritable output: status {status}, expected 3", faults)
    for wrong in (["report", source], ["report", source, pdf, "--json"], ["report", source, pdf, "--project"]):
        status = cli(*wrong, check=False).returncode
        expect(status == 64, f"{wrong[2:]}: status {status}, expected 64", faults)
    return faults


def signed_drawing(path, project, author, checker):
    """The example house with assessment settings holding the report's signature fields (block version 2)."""
    example = Path(__file__).resolve().parents[2] / "examples" / "house.Zlv"
    payload = bytes([2]) + struct.pack("<4di", 0.0, 0.0, 2.0, 2.5, 0)
    for field in (project, author, checker):
        text = field.encode("utf-8")
        payload += struct.pack("<i", len(text)) + text
    checksum = 2166136261
    for byte in payload:
        checksum = ((checksum ^ byte) * 16777619) & 0xFFFFFFFF
    block = b"ZASM" + bytes([2]) + struct.pack("<i", len(payload)) + payload + struct.pack("<I", checksum)
    path.write_bytes(example.read_bytes() + block)


def case_signatures_from_drawing_and_options(cli, work, *_):
    """The fields the drawing remembers are printed; one given on the command line replaces its own."""
    faults = []
    source = work / "signed.Zlv"
    signed_drawing(source, "Depot 7", "Kim Lee", "Ελένη Παππά")
    pdf = work / "signed.pdf"
    for options, printed, absent in (([], ["Depot 7", "Kim Lee", "Ελένη Παππά"], []),
                                     (["--author", "Ana Ruiz", "--project", ""], ["Ana Ruiz", "Ελένη Παππά"],
                                      ["Kim Lee", "Depot 7"])):
        cli("report", source, pdf, *options)
        text = pdf_text(pdf)
        for field in printed:
            expect(field in text, f"{options}: {field!r} missing", faults)
        for field in absent:
            expect(field not in text, f"{options}: {field!r} printed though replaced", faults)
    return faults


def normalised(text):
    return re.sub(r"\d{4}-\d\d-\d\d \d\d:\d\d", "DATE", text)


def case_same_text_on_both_targets(cli, work, emulator, other_cli):
    if not other_cli or not Path(other_cli).exists():
        print(f"the other target's zelvora-cli ({other_cli}) is not built; nothing to compare")
        return []
    other = Cli(other_cli)
    source = work / "both.geojson"
    site(source, ["仓库", "Αποθήκη", "Halle"], columns=2)
    options = ["--ng", "3", "--line", "telecom:buried:500:urban:yes"]
    cli("report", source, work / "here.pdf", *options)
    other("report", source, work / "other.pdf", *options)
    here, there = normalised(pdf_text(work / "here.pdf")), normalised(pdf_text(work / "other.pdf"))
    if here == there:
        return []
    diff = [f"{a!r} != {b!r}" for a, b in zip(here.splitlines(), there.splitlines()) if a != b][:5]
    return ["the two targets' reports differ: " + "; ".join(diff)]


CASES = {name[5:]: f for name, f in globals().items() if name.startswith("case_")}

if __name__ == "__main__":
    case, cli_path, workdir = sys.argv[1:4]
    emulator = sys.argv[4] if len(sys.argv) > 4 and sys.argv[4] else None
    other_cli = sys.argv[5] if len(sys.argv) > 5 else None
    work = Path(workdir) / case
    work.mkdir(parents=True, exist_ok=True)
    found = CASES[case](Cli(cli_path, emulator), work, emulator, other_cli)
    for fault in found:
        print("FAULT:", fault)
    sys.exit(1 if found else 0)
