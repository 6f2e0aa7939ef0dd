#!/usr/bin/env python3
"""Reads a printed catalog (a PDF) as a reader would, with poppler's pdftotext.

Usage: check_printed_catalog.py PDF EXPECTED
EXPECTED is the printing test's output: a line "note words|..." per note and
"pages|N". Checks: A4, N pages, "Printed at" and "Page num.K" on every page;
the words of each note are the note's words, in order; every word of a note
lies inside its frame; no two words of one line overlap; nothing passes the
right margin; a superscript sits above its line's baseline and a subscript
below. Prints what it finds wrong and exits 1, else 0.
"""
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

POINTS_PER_MM = 72 / 25.4
FRAME_LEFT = (10 + 6.4) * POINTS_PER_MM  # the margin and the text box's place
FRAME_RIGHT = (10 + 6.4 + 175.4) * POINTS_PER_MM
RIGHT_MARGIN = (210 - 10) * POINTS_PER_MM
OVERLAP = 0.5  # points: the printer's pixel rounding, not a word over another
TOUCHING = 1.0  # points between two boxes of one word (a blank is some 2.8)
# The printer's fonts name these glyphs so that a text reader takes them for
# their look-alikes.
LOOK_ALIKES = str.maketrans({"\u00ad": "-", "\u00b5": "\u03bc"})


def words_of(pdf):
    xhtml = subprocess.run(["pdftotext", "-bbox", pdf, "-"], check=True,
                           capture_output=True, text=True).stdout
    xhtml = re.sub(r"<!DOCTYPE[^>]*>", "", xhtml)
    root = ElementTree.fromstring(xhtml)
    pages = []
    for page in root.iter("{http://www.w3.org/1999/xhtml}page"):
        words = []
        for word in page.iter("{http://www.w3.org/1999/xhtml}word"):
            box = {k: float(word.get(k)) for k in ("xMin", "yMin", "xMax", "yMax")}
            box["text"] = (word.text or "").translate(LOOK_ALIKES)
            words.append(box)
        pages.append({"width": float(page.get("width")),
                      "height": float(page.get("height")), "words": words})
    return pages


def lines_of(words):
    """Words in lines, top to bottom, each line left to right: a word belongs
    to the line whose words' boxes hold its middle (raised and lowered text
    too)."""
    lines = []
    for word in sorted(words, key=lambda w: w["yMin"]):
        middle = (word["yMin"] + word["yMax"]) / 2
        for line in lines:
            if min(w["yMin"] for w in line) <= middle <= max(w["yMax"] for w in line):
                line.append(word)
                break
        else:
            lines.append([word])
    for line in lines:
        line.sort(key=lambda w: w["xMin"])
    return lines


def notes_of(pages):
    """The words of each note's text: after "Text of memo", up to the next
    "Starting date:", leaving out the page footers between."""
    notes = []
    collecting = False
    for page in pages:
        words = [w for line in lines_of(page["words"]) for w in line]
        i = 0
        while i < len(words):
            text = [w["text"] for w in words[i:i + 3]]
            if text[:2] == ["Printed", "at"]:
                break  # the footer: the note goes on on the next page
            if text[:2] == ["Starting", "date:"]:
                collecting = False
            elif text == ["Text", "of", "memo"]:
                notes.append([])
                collecting = True
                i += 3
                continue
            elif collecting:
                notes[-1].append(words[i])
            i += 1
    return notes


def joined(words):
    """The words as a reader sees them: boxes that touch on one line (a
    change of font inside a word, a superscript) make one word; a lost
    blank glues two words the same way."""
    result = []
    for word in words:
        last = result[-1] if result else None
        if (last and -OVERLAP <= word["xMin"] - last["xMax"] < TOUCHING and
                word["yMin"] < last["yMax"] and last["yMin"] < word["yMax"]):
            result[-1] = dict(last, text=last["text"] + word["text"], xMax=word["xMax"])
        else:
            result.append(word)
    return [w["text"] for w in result]


def check(pdf, expected_notes, expected_pages):
    problems = []
    pages = words_of(pdf)
    if len(pages) != expected_pages:
        problems.append(f"{len(pages)} pages, expected {expected_pages}")
    for number, page in enumerate(pages, 1):
        if (round(page["width"]), round(page["height"])) != (595, 842):
            problems.append(f"page {number} is {page['width']} x {page['height']} pt, not A4")
        texts = [w["text"] for w in page["words"]]
        if f"num.{number}" not in texts or "Printed" not in texts:
            problems.append(f"page {number} has no footer")
        for word in page["words"]:
            if word["xMax"] > RIGHT_MARGIN + OVERLAP or word["yMax"] > page["height"]:
                problems.append(f"page {number}: '{word['text']}' passes the margin")
        for line in lines_of(page["words"]):
            for left, right in zip(line, line[1:]):
                if left["xMax"] > right["xMin"] + OVERLAP:
                    problems.append(f"page {number}: '{left['text']}' overlaps "
                                    f"'{right['text']}'")
    notes = notes_of(pages)
    if len(notes) != len(expected_notes):
        problems.append(f"{len(notes)} notes, expected {len(expected_notes)}")
    for index, (note, expected) in enumerate(zip(notes, expected_notes), 1):
        got = [w["text"] for w in note]
        if joined(note) != expected.split():
            problems.append(f"note {index} reads {' '.join(joined(note))!r}, "
                            f"expected {expected!r}")
        for word in note:
            if word["xMin"] < FRAME_LEFT or word["xMax"] > FRAME_RIGHT:
                problems.append(f"note {index}: '{word['text']}' is outside its frame")
        raised = [i for i, w in enumerate(got) if w == "2" and got[0] == "Area"]
        for i in raised:
            base = note[i - 1]
            baseline = base["yMax"] - 0.2 * (base["yMax"] - base["yMin"])
            superscript = got[i - 1] == "m"
            if superscript and note[i]["yMax"] >= baseline:
                problems.append(f"note {index}: the superscript is not above the baseline")
            if not superscript and note[i]["yMax"] <= base["yMax"]:
                problems.append(f"note {index}: the subscript is not below the baseline")
    return problems


def main():
    pdf, expected_file = sys.argv[1], sys.argv[2]
    expected_notes = []
    expected_pages = 0
    with open(expected_file, encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\r\n")
            if line.startswith("note words|"):
                expected_notes.append(line.split("|", 1)[1])
            elif line.startswith("pages|"):
                expected_pages = int(line.split("|", 1)[1])
    problems = check(pdf, expected_notes, expected_pages)
    for problem in problems:
        print(f"check_printed_catalog: {pdf}: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
