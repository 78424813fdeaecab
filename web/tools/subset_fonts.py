#!/usr/bin/python3
"""Subsets IPA P Gothic and IPA P Mincho to the characters the page draws.

Usage: subset_fonts.py OUT_DIR STYLES SOURCE... [--later SOURCE...] [--mincho SOURCE...]

The characters are collected from the sources: the text of HTML pages (not
their tags), and the string literals of C++ and JavaScript files (the
window's captions, the engine's messages, the page's own words), plus the
printable ASCII range for whatever a user types. Each face is written as
WOFF2 under a name of its own: the IPA Font License lets a derived font be
redistributed only under a name that does not use the original's.

The first faces hold the characters the HTML pages given draw as they load
(what stands in an element marked data-practice-panel aside), and the
printable ASCII range. Every other character the sources draw, and those of
the sources after --later (practice, the class's results), is subset apart,
as "-later" faces of the same families, declared for just those characters
at the end of the page's styles (STYLES, the page's own page.css, whose
fonts are in OUT_DIR beside it, named fonts/): the browser fetches a later
face only once the page draws one of its characters (a message, a hint, a
step of the working, practice), so that a cold load fetches the first faces
alone. Declared with the page's first styles rather than added later, which
WebKit answered by laying out the page's text again.

The sources after --mincho are all that the page draws in the Mincho face
(the hint of the field being typed in): its first face holds just their
characters, and its later face the rest.
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
LATER_PART = re.compile(r"<section[^>]*\bdata-practice-panel\b.*?</section>", re.S)
# The hint an empty field draws.
PLACEHOLDER = re.compile(r'\bplaceholder="([^"]*)"')


def characters(paths, later=False):
    found = set() if later else {chr(c) for c in range(0x20, 0x7F)}
    for path in paths:
        text = Path(path).read_text(encoding="utf-8")
        if path.endswith(".html"):
            drawn = text if later else LATER_PART.sub(" ", text)
            parts = [TAG.sub(" ", drawn), *PLACEHOLDER.findall(drawn)]
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


def subset_face(out_dir, face, text, suffix=""):
    source, family, stem = face
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False  # the browser rasterises outlines well without it
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 7, 13, 14]  # copyright and licence kept
    options.name_languages = ["*"]
    font = TTFont(source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    rename(font, family)
    font.flavor = "woff2"
    font.save(out_dir / f"{stem}{suffix}.woff2")


def main():
    out_dir = Path(sys.argv[1])
    styles = Path(sys.argv[2])
    out_dir.mkdir(parents=True, exist_ok=True)
    groups = {"": [], "--later": [], "--mincho": []}
    group = ""
    for argument in sys.argv[3:]:
        if argument in groups:
            group = argument
        else:
            groups[group].append(argument)
    sources, later_sources = groups[""], groups["--later"]
    text = characters(p for p in sources if p.endswith(".html"))
    (out_dir / "characters.txt").write_text(text + "\n", encoding="utf-8")
    everything = set(characters(sources + later_sources, later=True))
    rules = []
    for face in FACES:
        first = characters(groups["--mincho"]) if groups["--mincho"] and "mincho" in face[2] else text
        subset_face(out_dir, face, first)
        later = "".join(sorted(everything - set(first)))
        subset_face(out_dir, face, later, "-later")
        # A face with nothing in it serves nothing: then it has no rule.
        if later:
            ranges = ", ".join(f"U+{ord(c):X}" for c in later)
            rules.append(f'@font-face {{\n  font-family: "{face[1]}";\n'
                         f'  src: url("{out_dir.name}/{face[2]}-later.woff2") format("woff2");\n'
                         f"  unicode-range: {ranges};\n  font-display: block;\n}}\n")
    with styles.open("a", encoding="utf-8") as out:
        out.write("".join(rules))


if __name__ == "__main__":
    main()
