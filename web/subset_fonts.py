#!/usr/bin/python3
"""Subsets IPA P Gothic and IPA P Mincho to the characters the page draws.

Usage: subset_fonts.py OUT_DIR SOURCE...

The characters are collected from the sources: the text of HTML pages (not
their tags), and the string literals of C++ and JavaScript files (the
window's captions, the engine's messages, the page's own words), plus the
printable ASCII range for whatever a user types. Each face is written as
WOFF2 under a name of its own: the IPA Font License lets a derived font be
redistributed only under a name that does not use the original's.
"""

import re
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

FACES = (
    ("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf", "Tobarin Gothic", "tobarin-gothic"),
    ("/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf", "Tobarin Mincho", "tobarin-mincho"),
)

COMMENT = re.compile(r"/\*.*?\*/|//[^\n]*", re.S)
LITERAL = re.compile(r"\"(?:[^\"\\\n]|\\.)*\"|'(?:[^'\\\n]|\\.)*'|`(?:[^`\\]|\\.)*`", re.S)
TAG = re.compile(r"<[^>]*>")


def characters(paths):
    found = {chr(c) for c in range(0x20, 0x7F)}
    for path in paths:
        text = Path(path).read_text(encoding="utf-8")
        if path.endswith(".html"):
            parts = [TAG.sub(" ", text)]
        else:
            parts = LITERAL.findall(COMMENT.sub(" ", text))
        for part in parts:
            found.update(c for c in part if c >= " ")
    return "".join(sorted(found))


def rename(font, family):
    """Gives the subset its own family, full and PostScript names."""
    postscript = family.replace(" ", "")
    names = {1: family, 3: f"{postscript}-subset", 4: family, 6: postscript,
             16: family, 17: "Regular"}
    for record in font["name"].names:
        if record.nameID in names:
            record.string = names[record.nameID]


def main():
    out_dir = Path(sys.argv[1])
    out_dir.mkdir(parents=True, exist_ok=True)
    text = characters(sys.argv[2:])
    (out_dir / "characters.txt").write_text(text + "\n", encoding="utf-8")
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False  # the browser rasterises outlines well without it
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 7, 13, 14]  # copyright and licence kept
    options.name_languages = ["*"]
    for source, family, stem in FACES:
        font = TTFont(source)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        rename(font, family)
        font.flavor = "woff2"
        font.save(out_dir / f"{stem}.woff2")


if __name__ == "__main__":
    main()
