#!/usr/bin/python3
"""Checks lintcheck against real documents that the reference validators accept.

Usage: real_documents.py LINTCHECK MAP_DIR WORK_DIR
Each document is converted to Shift_JIS and must give no error with every check on. Then, per
document and fault kind, one fault is seeded on a line of the body; when the reference rejects
the changed document, lintcheck must report an error on that line (for a deleted end tag: between
that line and where the parent closes). Prints the counts.
Documents: kanjidic's kanjidic_doc_legacy.html (EUC-JP, upper case), base-passwd's
users-and-groups.html, sgml-data's three HTML 4.01 examples and the Japanese XHTML pages of
aptitude-doc-ja; for HTML 5, kanjidic_doc.html (with scripts), which
has no reference here: every seeded fault counts.
"""
import glob
import os
import re
import subprocess
import sys

LINT, MAPS, WORK = sys.argv[1], sys.argv[2], sys.argv[3]
os.makedirs(WORK, exist_ok=True)
SGML_ENV = dict(os.environ, SP_CHARSET_FIXED='YES', SP_ENCODING='XML',
                SGML_CATALOG_FILES='/usr/share/sgml/html/dtd/4.01/catalog:/usr/share/sgml/html/entities/catalog')


def html4(path, map_name, encoding='utf-8'):
    return (path, map_name, 'sgml', encoding)


DOCS = [html4('/usr/share/doc/kanjidic/kanjidic_doc_legacy.html', 'html401-loose.map', 'euc-jp'),
        ('/usr/share/doc/kanjidic/kanjidic_doc.html', 'html5.map', None, 'utf-8'),
        html4('/usr/share/doc/base-passwd/users-and-groups.html', 'html401-loose.map'),
        html4('/usr/share/doc/sgml-data/examples/html-4.01-transitional.html', 'html401-loose.map'),
        html4('/usr/share/doc/sgml-data/examples/html-4.01-frameset.html', 'html401-frameset.map'),
        html4('/usr/share/doc/sgml-data/examples/html-4.01.html', 'html401-strict.map')]
DOCS += [(p, 'xhtml1-transitional.map', 'xml', 'utf-8') for p in sorted(glob.glob('/usr/share/doc/aptitude/html/ja/*.html'))]


def reference(text, kind):
    """(accepted, the lines the reference names in its messages) for the document."""
    if kind is None:
        return True, []
    path = os.path.join(WORK, 'ref.html')
    with open(path, 'wb') as fh:
        fh.write(text)
    if kind == 'sgml':
        r = subprocess.run(['onsgmls', '-s', path], env=SGML_ENV, capture_output=True)
    else:
        r = subprocess.run(['xmllint', '--valid', '--noout', '--nonet', path], capture_output=True,
                           env=dict(os.environ, XML_CATALOG_FILES='/usr/share/xml/w3c-sgml-lib/schema/dtd/catalog.xml'))
    # onsgmls: "onsgmls:PATH:LINE:COLUMN:E: ..."; xmllint: "PATH:LINE: ..."
    named = [int(m.group(1)) for m in re.finditer(re.escape(path.encode()) + rb':(\d+):', r.stderr)]
    return r.returncode == 0 and not r.stderr.strip(), named


def accepted(text, kind):
    return reference(text, kind)[0]


def to_sjis(raw, encoding, kind):
    """The document in Shift_JIS. A character that code page 932 lacks (a no-break space in the
    XHTML pages) becomes its numeric reference, which leaves the document as valid as it was; HTML 5
    pages may hold characters in scripts, where they are dropped."""
    return raw.decode(encoding).encode('cp932', 'ignore' if kind is None else 'xmlcharrefreplace')


def lint(text, map_name):
    path = os.path.join(WORK, 'doc.html')
    with open(path, 'wb') as fh:
        fh.write(text)
    r = subprocess.run([LINT, os.path.join(MAPS, map_name), path, '0x3B'], capture_output=True)
    return [int(l.split(b':')[0]) for l in r.stdout.splitlines() if l.split(b' ')[1:2] == [b'E']]


def seeds(lines, xhtml, html5):
    """(kind, line index, new line) for a line in the body that holds a <p>."""
    for i, l in enumerate(lines):
        m = re.search(rb'<p[ >]', l, re.I)
        if not m or i <= 3:
            continue
        at, after = m.start(), m.start() + 2
        yield 'unknown element', i, l[:at] + b'<qqq>x</qqq>' + l[at:]
        yield 'element under a parent that forbids it', i, l[:at] + b'<ul><p>x</p></ul>' + l[at:]
        yield 'undefined attribute', i, l[:after] + b' qqattr="1"' + l[after:]
        if html5:  # the HTML 5 description gives dir no values; button's type has them
            yield 'value outside its enumeration', i, l[:at] + b'<button type="qq">x</button>' + l[at:]
        else:
            yield 'value outside its enumeration', i, l[:after] + b' dir="qq"' + l[after:]
        yield 'required attribute missing', i, l[:at] + b'<img' + (b' />' if xhtml else b'>') + l[at:]
        yield 'unknown entity', i, l[:m.end()] + b'&qqent;' + l[m.end():]
        if xhtml:
            yield 'upper-case tag', i, l[:at] + b'<SPAN>x</SPAN>' + l[at:]
            yield '"/>" removed', i, l[:at] + b'<br>' + l[at:]
            yield 'unquoted value', i, l[:at] + b'<span class=qq>x</span>' + l[at:]
        return


# End tags that every map requires (in HTML 4.01 too, where p, li and others may lose theirs).
REQUIRED_END = re.compile(rb'</(a|span|em|strong|b|i|code|tt|ul|ol|dl|div|table)>', re.I)


def end_tag_seed(lines):
    """(line index, new line) with the first required end tag of the body deleted, or None."""
    for i, l in enumerate(lines):
        m = REQUIRED_END.search(l)
        if m and i > 3:
            return i, l[:m.start()] + l[m.end():]
    return None


def main():
    docs = clean = false_errors = faults = found = skipped = 0
    for path, map_name, kind, encoding in DOCS:
        if not os.path.exists(path):
            continue
        raw = open(path, 'rb').read()
        try:
            text = to_sjis(raw, encoding, kind)
        except (UnicodeDecodeError, UnicodeEncodeError):
            continue
        if not accepted(raw, kind):
            continue
        docs += 1
        errors = lint(text, map_name)
        if errors:
            false_errors += len(errors)
            print('%s: false errors on lines %s' % (path, errors[:10]))
        else:
            clean += 1
        lines = raw.split(b'\n')
        for fault, i, new in seeds(lines, map_name.startswith('xhtml'), map_name == 'html5.map'):
            changed = b'\n'.join(lines[:i] + [new] + lines[i + 1:])
            if kind is not None and accepted(changed, kind):
                skipped += 1
                continue
            faults += 1
            if i + 1 in lint(to_sjis(changed, encoding, kind), map_name):
                found += 1
            else:
                print('%s: %s on line %d not found' % (path, fault, i + 1))
        # A deleted end tag shows where the element can no longer go on: from its line up to where
        # its parent closes (the last line the reference names; the document's end without one).
        seed = end_tag_seed(lines)
        if seed:
            i, new = seed
            changed = b'\n'.join(lines[:i] + [new] + lines[i + 1:])
            ok, named = reference(changed, kind)
            if kind is not None and ok:
                skipped += 1
                continue
            last = max(named + [i + 1]) if kind is not None else len(lines)
            faults += 1
            errors = lint(to_sjis(changed, encoding, kind), map_name)
            if any(i + 1 <= e <= last for e in errors):
                found += 1
            else:
                print('%s: end tag deleted on line %d not found up to line %d (errors on %s)' %
                      (path, i + 1, last, errors[:5]))
    print('documents %d clean %d false errors %d faults %d found %d skipped %d' %
          (docs, clean, false_errors, faults, found, skipped))
    return 0 if docs > 0 and false_errors == 0 and found == faults else 1


if __name__ == '__main__':
    sys.exit(main())
