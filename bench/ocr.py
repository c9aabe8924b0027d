#!/usr/bin/python3
"""Reads the four bundled returns back from blank paper, as a scanner at the tax office would.

    bench/ocr.py [BUILD_DIR] [--dpi 300] [--widen-mm 1.0] [--keep DIR] [--misses] [--only KIND]

Prints each example on blank paper and on pre-printed forms (data alone) with the PDF
printer, renders the blank-paper pages at --dpi with pdftoppm, and reads every filled field
back with tesseract (Polish data, one line or one block per zone): the zone is the box of the
field's words on the data-alone page, widened by --widen-mm on every side, so that it takes in
whatever of the form stands that close. A field reads back when the OCR text equals the printed
text once blanks are dropped. Reports, per return, the share of fields read back and the same
for the fields that print one character per cell. Marks and struck-out captions are not read:
a scanner tells a filled square by its ink. Needs tesseract-ocr, tesseract-ocr-pol and
python3-pil (scripts/deps.sh --bench); builds nothing.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

from PIL import Image

TOP = Path(__file__).resolve().parent.parent
EXAMPLES = [("pit28", "pit28.json"), ("pit36", "pit36_joint.json"), ("pit36l", "pit36l.json"),
            ("pit37", "pit37.json")]
PT_PER_MM = 72 / 25.4
MM_PER_PX = 25.4 / 120
WORD = re.compile(r'<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" '
                  r'yMax="([-0-9.]+)">([^<]*)</word>')
PAGE = re.compile(r'<page width="([0-9.]+)" height="([0-9.]+)">(.*?)</page>', re.S)


def run(*args, **kw):
    return subprocess.run(args, check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE, **kw)


def print_example(cli, kind, example, mode, out):
    run(str(cli), "print", kind, str(TOP / "examples" / example), "--printer", "PDF", "--mode",
        mode, "--yes", "--out", str(out), "--settings", str(out.parent / ("settings-" + mode)))
    return sorted(out.glob("*.pdf"))


def words_of(pdf):
    listing = run("pdftotext", "-bbox", str(pdf), "-").stdout.decode()
    unescape = lambda t: t.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">") \
        .replace("&quot;", '"').replace("&apos;", "'")
    return [(float(a), float(b), float(c), float(d), unescape(t))
            for a, b, c, d, t in WORD.findall(listing)]


def layout_of(unit):
    return json.loads((TOP / "assets" / "layouts" / (unit + ".json")).read_text())


def fields_of(pdf, unit):
    """The data-alone page's words grouped by the field they print in, in points of the page."""
    layout = layout_of(unit)
    margins = layout.get("margins_mm", {"left": 2.0, "top": 3.0})
    fields = {}
    for x0, y0, x1, y1, text in words_of(pdf):
        cx = ((x0 + x1) / 2 / PT_PER_MM - margins["left"]) / MM_PER_PX
        cy = ((y0 + y1) / 2 / PT_PER_MM - margins["top"]) / MM_PER_PX
        for c in layout["components"]:
            l, t, w, h = c["rect_px"]
            if l <= cx <= l + w and t <= cy <= t + h:
                # A struck-out caption strikes the form's own words and a mark fills a square:
                # neither is text a scanner reads.
                if c["kind"] not in ("strike", "mark"):
                    fields.setdefault(c["name"], {"kind": c["kind"], "words": []})[
                        "words"].append((x0, y0, x1, y1, text))
                break
        else:
            sys.exit(f"{pdf.name}: '{text}' prints in no field of {unit}")
    return fields


def normal(text):
    return re.sub(r"\s+", "", text)


def read_back(blank_pdf, fields, dpi, widen_mm, work, keep):
    page = work / "page"
    run("pdftoppm", "-r", str(dpi), "-gray", "-singlefile", "-png", str(blank_pdf), str(page))
    image = Image.open(str(page) + ".png")
    scale = dpi / 72
    zones, order = [], []
    for name, f in fields.items():
        x0 = min(w[0] for w in f["words"]) - widen_mm * PT_PER_MM
        y0 = min(w[1] for w in f["words"]) - widen_mm * PT_PER_MM
        x1 = max(w[2] for w in f["words"]) + widen_mm * PT_PER_MM
        y1 = max(w[3] for w in f["words"]) + widen_mm * PT_PER_MM
        crop = image.crop((round(x0 * scale), round(y0 * scale), round(x1 * scale),
                           round(y1 * scale)))
        lines = len({round(w[1]) for w in f["words"]})
        psm = "6" if lines > 1 else "7"
        file = work / f"{blank_pdf.stem}-{name}.png"
        # A margin of white round the zone, as tesseract expects of a page.
        framed = Image.new("L", (crop.width + 40, crop.height + 40), 255)
        framed.paste(crop, (20, 20))
        framed.save(file, dpi=(dpi, dpi))
        zones.append((name, file, psm))
        order.append(name)
    results = {}
    for psm in ("6", "7"):
        batch = [z for z in zones if z[2] == psm]
        if not batch:
            continue
        listing = work / "zones.txt"
        listing.write_text("".join(str(z[1]) + "\n" for z in batch))
        text = run("tesseract", str(listing), "stdout", "-l", "pol", "--psm", psm,
                   "--dpi", str(dpi)).stdout.decode()
        pages = text.split("\f")
        for (name, file, _), got in zip(batch, pages):
            results[name] = got
    for name, file, _ in zones:
        if keep is None:
            file.unlink()
        else:
            file.replace(keep / file.name)
    return results


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default=str(TOP / "build"))
    parser.add_argument("--dpi", type=int, default=300)
    parser.add_argument("--widen-mm", type=float, default=1.0)
    parser.add_argument("--keep", help="folder to keep every zone's image in")
    parser.add_argument("--misses", action="store_true", help="list every field read wrong")
    parser.add_argument("--only", choices=[kind for kind, _ in EXAMPLES],
                        help="read back this one return")
    args = parser.parse_args()
    cli = Path(args.build) / "apps" / "kestrun" / "kestrun"
    if not cli.is_file():
        sys.exit(f"command line not built in {args.build}")
    keep = Path(args.keep) if args.keep else None
    if keep:
        keep.mkdir(parents=True, exist_ok=True)
    total = [0, 0, 0, 0]
    print(f"{'return':8} {'fields':>7} {'read':>6} {'share':>7}   {'cells':>5} {'read':>5}")
    with tempfile.TemporaryDirectory() as tmp:
        for kind, example in EXAMPLES:
            if args.only and kind != args.only:
                continue
            work = Path(tmp) / kind
            work.mkdir()
            blank = print_example(cli, kind, example, "blank", work / "blank")
            data = print_example(cli, kind, example, "preprinted", work / "data")
            counts = [0, 0, 0, 0]
            for blank_pdf, data_pdf in zip(blank, data):
                unit = blank_pdf.stem.split("-", 1)[1]
                fields = fields_of(data_pdf, unit)
                got = read_back(blank_pdf, fields, args.dpi, args.widen_mm, work, keep)
                for name, f in fields.items():
                    want = " ".join(w[4] for w in f["words"])
                    ok = normal(got.get(name, "")) == normal(want)
                    comb = f["kind"] == "cells"
                    counts[0] += 1
                    counts[1] += ok
                    counts[2] += comb
                    counts[3] += comb and ok
                    if not ok and args.misses:
                        print(f"  {unit} {name}: printed '{want}', read "
                              f"'{got.get(name, '').strip()}'")
            total = [a + b for a, b in zip(total, counts)]
            print(f"{kind:8} {counts[0]:7} {counts[1]:6} {100 * counts[1] / counts[0]:6.1f}%"
                  f"   {counts[2]:5} {counts[3]:5}")
    print(f"{'all':8} {total[0]:7} {total[1]:6} {100 * total[1] / total[0]:6.1f}%"
          f"   {total[2]:5} {total[3]:5}")


if __name__ == "__main__":
    main()
