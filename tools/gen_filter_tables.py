#!/usr/bin/env python3
"""Builds extension/FilterTables.cpp: the filter list, the width pairs, the entity table and texts.

Usage: tools/gen_filter_tables.py [--out FILE] [--check]
  --out FILE  where to write (default: extension/FilterTables.cpp beside this tool's folder)
  --check     compare with FILE instead of writing; exit status 1 on a difference

The entity table's numeric forms come from the HTML 4.01 entity sets in Debian's w3c-sgml-lib
(HTMLlat1.ent, HTMLspecial.ent, HTMLsymbol.ent; "apos" from the XHTML special set). A replacement
is the character itself where the strict code page 932 mapping has it; accented Latin letters lose
their accent by Unicode decomposition; the rest use the fixed approximations listed below.
Every text is written as Shift_JIS bytes in C escapes with its UTF-8 form in a comment.
"""
import argparse
import os
import re
import sys
import unicodedata

DTD = "/usr/share/xml/w3c-sgml-lib/schema/dtd"
ENTITY_FILES = [DTD + "/REC-html401-19991224/HTMLlat1.ent",
                DTD + "/REC-html401-19991224/HTMLspecial.ent",
                DTD + "/REC-html401-19991224/HTMLsymbol.ent",
                DTD + "/REC-xhtml-modularization-20100729/xhtml-special.ent"]

# The named rows in the order the filter tries them.
ENTITY_NAMES = """
quot amp lt gt lsquo rsquo ldquo rdquo dagger Dagger permil nbsp iexcl cent pound yen brvbar sect
uml copy ordf laquo not shy reg macr deg plusmn sup2 sup3 acute micro para middot cedil sup1 ordm
raquo iquest Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc Euml Igrave
Iacute Icirc Iuml ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times Oslash Ugrave Uacute Ucirc Uuml
Yacute THORN szlig agrave aacute acirc atilde auml aring aelig ccedil egrave eacute ecirc euml
igrave iacute icirc iuml eth ntilde ograve oacute ocirc otilde ouml divide oslash ugrave uacute
ucirc uuml yacute thorn yuml Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lambda Mu Nu
Xi Omicron Pi Rho Sigma Tau Upsilon Phi Chi Psi Omega alpha beta gamma delta epsilon zeta eta theta
iota kappa lambda mu nu xi omicron pi rho sigma tau upsilon phi chi psi omega hellip prime Prime
larr uarr rarr darr rArr hArr forall part exist nabla isin ni sum radic prop infin ang and or cap
cup int there4 ne equiv sub sup sube supe perp apos
""".split()

# Rows with only a numeric form, after the named ones.
NUMERIC_ONLY = ["#", "%", "*", "/", ":", ";", "=", "@"]

# Characters code page 932 lacks, and the letters decomposition does not reduce.
APPROXIMATIONS = {
    "nbsp": " ", "iexcl": "!", "iquest": "?", "cent": "￠", "pound": "￡", "not": "￢",
    "macr": "￣", "brvbar": "|", "shy": "-", "copy": "(C)", "reg": "(R)", "ordf": "a",
    "ordm": "o", "laquo": "≪", "raquo": "≫", "sup1": "1", "sup2": "2", "sup3": "3",
    "micro": "μ", "middot": "・", "cedil": "，", "yen": "￥",
    # aelig as "ae" beside AElig "AE": a lone "a" would drop half of the letter.
    "AElig": "AE", "aelig": "ae", "ETH": "D", "eth": "d", "THORN": "T", "thorn": "t",
    "szlig": "s", "Oslash": "O", "oslash": "o",
}

# Full-width characters paired position by position with the one-byte characters below.
WIDE = ("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"
        "０１２３４５６７８９！”＃＄％＆’（）＝～｜－＾￥‘｛＠＋＊｝；：＜＞？＿・／，．")
NARROW = (b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
          b"!\"#$%&'()=~|-^\\`{@+*};:<>?_\xa5/,.")

FILTERS = [
    (100, "a → A"), (101, "A → a"), None,
    (110, "全角 → 半角\t(英数字, 記号)"), (111, "半角 → 全角\t(英数字, 記号)"), None,
    (200, "タブ → スペース"), (201, "スペース → タブ"), None,
    (300, "改行を削除"), (301, "空行を削除"), (302, "行末の空白を削除"), (303, "重複行を削除"), None,
    (310, "行頭に文字列を挿入"), (311, "行末に文字列を挿入"), None,
    (350, "ソート (昇順)"), (351, "ソート (降順)"), None,
    (400, "HTMLタグを削除"), (401, "HTMLタグの属性を削除"), None,
    (500, "&&xxx; → 通常文字"), (501, "< > && → &&lt; &&gt; &&amp;"), None,
    (611, "メールアドレスを抽出"), (612, "URLを抽出"), None,
    (701, "改行を含む置換"),
]

TEXTS = [
    ("kNoLines", "選択範囲に行が含まれません"),
    ("kConvertCaption", "選択範囲を変換"),
    ("kReplacedCount", "%d 件、置換しました。"),
    ("kReplaceCaption", "置換"),
    ("kNoMatch", "マッチしません"),
]


def sjis(text):
    return text.encode("cp932") if isinstance(text, str) else text


def c_string(data):
    out = '"'
    hex_open = False
    for b in data:
        ch = chr(b)
        if 0x20 <= b < 0x7F and ch not in '"\\?':
            if hex_open and ch in "0123456789abcdefABCDEF":
                out += '" "'
            out += ch
            hex_open = False
        elif ch == "\t":
            out += "\\t"; hex_open = False
        elif ch in '"\\?':
            out += "\\" + ch; hex_open = False
        else:
            out += "\\x%02x" % b
            hex_open = True
    return out + '"'


def read_code_points():
    points = {}
    for path in ENTITY_FILES:
        with open(path, encoding="latin-1") as f:
            for name, code in re.findall(r'<!ENTITY\s+(\w+)\s+(?:CDATA\s+)?"&#(?:38;#)?(\d+);"', f.read()):
                points.setdefault(name, int(code))
    return points


def replacement(name, code):
    if name in APPROXIMATIONS:
        return sjis(APPROXIMATIONS[name])
    ch = chr(code)
    try:
        return ch.encode("cp932")
    except UnicodeEncodeError:
        pass
    base = unicodedata.normalize("NFD", ch)[0]
    if base != ch and base.isascii():
        return base.encode("ascii")
    sys.exit("no replacement for entity %s (U+%04X)" % (name, code))


def entity_rows():
    points = read_code_points()
    rows = []
    for name in ENTITY_NAMES:
        code = points[name]
        rows.append((name, replacement(name, code), "#%d" % code))
    for ch in NUMERIC_ONLY:
        rows.append((None, ch.encode("ascii"), "#%d" % ord(ch)))
    assert len(rows) == 193, len(rows)
    for name, rep, num in rows:
        # Filter 500 writes over "&name;" in place: a replacement never outgrows its reference.
        assert len(rep) <= len(num) + 2 and (name is None or len(rep) <= len(name) + 2), name
    return rows


def generate():
    lines = ["// Generated by tools/gen_filter_tables.py; rerun it instead of editing this file.",
             "// The filter list, the full-width pairs, the character references and the texts.",
             '#include "FilterTables.h"', "", "namespace ulo_filters {", ""]
    lines.append("const FilterEntry kFilterList[kFilterListSize] = {")
    for entry in FILTERS:
        if entry is None:
            lines.append("    {1, 0, nullptr},")
        else:
            lines.append("    {%d, 0, %s},  // %s" % (entry[0], c_string(sjis(entry[1])),
                                                  entry[1].replace("\t", "\\t")))
    lines.append("    {0, 0, nullptr},")
    lines += ["};", ""]
    assert len(WIDE) == len(NARROW) == 93
    lines.append("const WidthPair kWidthPairs[kWidthPairCount] = {")
    for wide, narrow in zip(WIDE, NARROW):
        w = sjis(wide)
        lines.append("    {0x%02x, 0x%02x, 0x%02x},  // %s" % (w[0], w[1], narrow, wide))
    lines += ["};", ""]
    lines.append("const EntityRow kEntities[kEntityCount] = {")
    for name, rep, num in entity_rows():
        shown = rep.decode("cp932")
        lines.append("    {%s, %s, \"%s\"},  // %s" % ('"%s"' % name if name else "nullptr",
                                                      c_string(rep), num, shown))
    lines += ["};", ""]
    for ident, text in TEXTS:
        lines.append("// \"%s\"" % text)
        lines.append("const char %s[] = %s;" % (ident, c_string(sjis(text))))
    lines += ["", "}  // namespace ulo_filters", ""]
    return "\n".join(lines)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=os.path.join(here, "..", "extension", "FilterTables.cpp"))
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    text = generate()
    if args.check:
        with open(args.out, encoding="utf-8") as f:
            sys.exit(0 if f.read() == text else 1)
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
