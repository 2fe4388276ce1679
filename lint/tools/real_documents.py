#!/usr/bin/python3
"""Checks lintcheck against real documents that the reference validators accept.

Usage: real_documents.py LINTCHECK MAP_DIR WORK_DIR
Each document is converted to Shift_JIS and must give no error with every check on. Then, per
document and fault kind, one fault is seeded on a line of the body; when the reference rejects
the changed document, lintcheck must report an error on that line. Prints the counts.
Documents: base-passwd's users-and-groups.html, sgml-data's three HTML 4.01 examples and the
Japanese XHTML pages of aptitude-doc-ja that convert to Shift_JIS.
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


def html4(path, map_name):
    return (path, map_name, 'sgml')


DOCS = [html4('/usr/share/doc/base-passwd/users-and-groups.html', 'html401-loose.map'),
        html4('/usr/share/doc/sgml-data/examples/html-4.01-transitional.html', 'html401-loose.map'),
        html4('/usr/share/doc/sgml-data/examples/html-4.01-frameset.html', 'html401-frameset.map'),
        html4('/usr/share/doc/sgml-data/examples/html-4.01.html', 'html401-strict.map')]
DOCS += [(p, 'xhtml1-transitional.map', 'xml') for p in sorted(glob.glob('/usr/share/doc/aptitude/html/ja/*.html'))]


def accepted(text, kind):
    path = os.path.join(WORK, 'ref.html')
    with open(path, 'wb') as fh:
        fh.write(text)
    if kind == 'sgml':
        r = subprocess.run(['onsgmls', '-s', path], env=SGML_ENV, capture_output=True)
    else:
        r = subprocess.run(['xmllint', '--valid', '--noout', '--nonet', path], capture_output=True,
                           env=dict(os.environ, XML_CATALOG_FILES='/usr/share/xml/w3c-sgml-lib/schema/dtd/catalog.xml'))
    return r.returncode == 0 and not r.stderr.strip()


def lint(text, map_name):
    path = os.path.join(WORK, 'doc.html')
    with open(path, 'wb') as fh:
        fh.write(text)
    r = subprocess.run([LINT, os.path.join(MAPS, map_name), path, '0x3B'], capture_output=True)
    return [int(l.split(b':')[0]) for l in r.stdout.splitlines() if l.split(b' ')[1:2] == [b'E']]


def seeds(lines):
    """(kind, line index, new line) for a line in the body that holds a <p> or text."""
    for i, l in enumerate(lines):
        if re.search(rb'<p[ >]', l, re.I) and i > 3:
            m = re.search(rb'<p[ >]', l, re.I)
            yield 'unknown element', i, l[:m.start()] + b'<qqq>x</qqq>' + l[m.start():]
            yield 'undefined attribute', i, l[:m.start() + 2] + b' qqattr="1"' + l[m.start() + 2:]
            yield 'unknown entity', i, l[:m.end()] + b'&qqent;' + l[m.end():]
            return


def main():
    docs = clean = false_errors = faults = found = skipped = 0
    for path, map_name, kind in DOCS:
        raw = open(path, 'rb').read()
        try:
            text = raw.decode('utf-8').encode('cp932')
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
        for fault, i, new in seeds(lines):
            changed = b'\n'.join(lines[:i] + [new] + lines[i + 1:])
            if accepted(changed, kind):
                skipped += 1
                continue
            faults += 1
            if i + 1 in lint(changed.decode('utf-8').encode('cp932'), map_name):
                found += 1
            else:
                print('%s: %s on line %d not found' % (path, fault, i + 1))
    print('documents %d clean %d false errors %d faults %d found %d skipped %d' %
          (docs, clean, false_errors, faults, found, skipped))
    return 0 if docs > 0 and false_errors == 0 and found == faults else 1


if __name__ == '__main__':
    sys.exit(main())
