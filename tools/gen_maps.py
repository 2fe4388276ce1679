#!/usr/bin/python3
"""Builds the document-type map files (dtd/*.map) from the W3C DTDs and the committed overlays.

Usage: tools/gen_maps.py [--out DIR] [--check] [--dump FILE]
  --out DIR    where to write the maps (default: editor/html/dtd beside this tool)
  --check      compare with the files in DIR instead of writing; exit status 1 on a difference
  --dump FILE  print a map file in the text form the loader's dump prints, and stop

Sources (Debian packages named in scripts/install-deps.sh):
  html401-*        w3c-sgml-lib's HTML 4.01 DTDs through dtdparse (libsgml-dtdparse-perl) with
                   sgml-data's HTML4.decl and catalogs; entities from HTML*.ent.
  xhtml1-*, xhtml11, xhtml-basic10
                   w3c-sgml-lib's XHTML DTDs through python3-lxml with its XML catalog; entities
                   from xhtml-*.ent.
  xhtml-mobile10, imode-xhtml100
                   tools/maps/*.dtd, committed driver DTDs: XHTML Basic plus the modules each
                   profile adds.
  html5            tools/maps/html5.desc (committed element description) and Python's
                   html.entities.html5.
  ie50, ie55       the loose map plus what sgml-data's ie-3.0.dtd adds, plus tools/maps/ie*.overlay.
  imode100..500    tools/maps/imode*.overlay: a subset of the loose map plus each version's own
                   elements and attributes.

File layout (integers unsigned 32-bit little-endian): a 44-byte header (magic "map\\0", version 4,
XHTML flag, five section sizes, a reserved word, the record counts of sections 3 and 4), the
five sections (template, entity names, element names, content models, attribute lists) and
one "@" byte. See editor/html/DocumentMap.h for the sections and the checker's extra bits.
"""
import argparse
import html.entities
import os
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
MAPS_SRC = os.path.join(HERE, 'maps')
W3C = '/usr/share/xml/w3c-sgml-lib/schema/dtd'
SGML_HTML = '/usr/share/sgml/html'

# Name flags of an element-name record.
NAME_NEVER_IMPLIED = 0x1
NAME_HAS_ATTRIBUTES = 0x2
# Content-model flags. 0x100 and 0x200 are read only by the checker.
MODEL_END_OPTIONAL = 0x2
MODEL_EMPTY = 0x6
MODEL_TEXT_IS_ERROR = 0x100
MODEL_RAW_TEXT = 0x200
# Attribute class byte: a type in the low bits, 0x80 when the attribute is required. Never 0.
ATTR_TEXT, ATTR_ENUM, ATTR_NUMBER, ATTR_ID, ATTR_IDREF, ATTR_NAME = 1, 2, 3, 4, 5, 6
ATTR_REQUIRED = 0x80


class Element:
    def __init__(self, name):
        self.name = name
        self.start_optional = False
        self.end_optional = False
        self.empty = False
        self.raw = False
        self.mixed = True
        self.children = set()
        self.inclusions = set()
        self.exclusions = set()
        self.attributes = {}   # name -> (class byte, [values])


class Doc:
    def __init__(self, xhtml, template):
        self.xhtml = xhtml
        self.template = template
        self.elements = {}
        self.entities = []


def fold(name):
    return name.lower()


def sort_key(name):
    return bytes(fold(name), 'ascii', 'replace')


# ---------------------------------------------------------------------------------------------
# HTML 4.01 through dtdparse


def sgml_doc(dtd_name, template):
    dtd = os.path.join(W3C, 'REC-html401-19991224', dtd_name)
    out = subprocess.run(
        ['dtdparse', '--noverbose', '--nounexpanded',
         '--declaration', os.path.join(SGML_HTML, 'dtd/4.01/HTML4.decl'),
         '--catalog', os.path.join(SGML_HTML, 'dtd/4.01/catalog'),
         '--catalog', os.path.join(SGML_HTML, 'entities/catalog'), dtd],
        check=True, capture_output=True).stdout
    return doc_from_dtdparse(ET.fromstring(out), False, template)


def names_in(node):
    return {fold(n.get('name')) for n in node.iter('element-name')}


def doc_from_dtdparse(root, xhtml, template):
    doc = Doc(xhtml, template)
    for e in root.iter('element'):
        el = Element(fold(e.get('name')))
        el.start_optional = e.get('stagm') == 'O'
        el.end_optional = e.get('etagm') == 'O'
        ctype = e.get('content-type')
        model = e.find('content-model-expanded')
        el.empty = model is not None and model.find('empty') is not None
        el.raw = ctype == 'cdata'
        el.mixed = ctype in ('mixed', 'cdata')
        if model is not None:
            el.children = names_in(model)
        for node in e.findall('inclusions'):
            el.inclusions = names_in(node)
        for node in e.findall('exclusions'):
            el.exclusions = names_in(node)
        doc.elements[el.name] = el
    for a in root.iter('attlist'):
        el = doc.elements.get(fold(a.get('name')))
        if el is None:
            continue
        for at in a.iter('attribute'):
            name = fold(at.get('name'))
            values = []
            if at.get('enumeration') == 'yes':
                values = [fold(v) for v in at.get('value').split()]
                kind = ATTR_ENUM
            else:
                kind = {'NUMBER': ATTR_NUMBER, 'ID': ATTR_ID, 'IDREF': ATTR_IDREF,
                        'IDREFS': ATTR_IDREF, 'NAME': ATTR_NAME,
                        'NMTOKEN': ATTR_NAME}.get(at.get('value'), ATTR_TEXT)
            if at.get('type') == '#REQUIRED':
                kind |= ATTR_REQUIRED
            el.attributes[name] = (kind, values)
    doc.entities = entity_names(os.path.join(W3C, 'REC-html401-19991224'), 'HTML')
    return doc


def entity_names(folder, prefix):
    names = []
    for f in sorted(os.listdir(folder)):
        if f.startswith(prefix) and f.endswith('.ent'):
            with open(os.path.join(folder, f), encoding='latin-1') as fh:
                names += re.findall(r'<!ENTITY\s+([A-Za-z][A-Za-z0-9]*)\s', fh.read())
    return sorted(set(names))


# ---------------------------------------------------------------------------------------------
# XHTML through lxml


def xml_doc(dtd_path, template):
    os.environ['XML_CATALOG_FILES'] = os.path.join(W3C, 'catalog.xml')
    from lxml import etree
    dtd = etree.DTD(dtd_path)
    doc = Doc(True, template)
    for e in dtd.iterelements():
        name = e.name if not e.prefix else e.prefix + ':' + e.name
        el = Element(name)
        el.empty = e.type == 'empty'
        el.mixed = e.type in ('mixed', 'any')
        el.raw = name in ('script', 'style')
        stack = [e.content] if e.content is not None else []
        while stack:
            c = stack.pop()
            if c is None:
                continue
            if c.type == 'element':
                el.children.add(c.name)
            stack += [c.left, c.right]
        for a in e.iterattributes():
            aname = a.name if not a.prefix else a.prefix + ':' + a.name
            values = list(a.values()) if a.type == 'enumeration' else []
            kind = {'enumeration': ATTR_ENUM, 'id': ATTR_ID, 'idref': ATTR_IDREF,
                    'idrefs': ATTR_IDREF, 'nmtoken': ATTR_NAME,
                    'nmtokens': ATTR_NAME}.get(a.type, ATTR_TEXT)
            if a.default == 'required':
                kind |= ATTR_REQUIRED
            el.attributes[aname] = (kind, values)
        doc.elements[name] = el
    doc.entities = entity_names(os.path.join(W3C, 'REC-xhtml1-20020801'), 'xhtml-')
    if not doc.entities:
        doc.entities = entity_names(os.path.join(W3C, 'REC-xhtml-modularization-20100729'),
                                    'xhtml-')
    return doc


# ---------------------------------------------------------------------------------------------
# HTML 5 from the committed description


def html5_doc(template):
    """tools/maps/html5.desc: one element a line, "name flags: children | attributes"; flags
    among void, raw, optend, optstart, text-error; an attribute "name=v1/v2" has enumerated values, a
    trailing "!" marks it required, "?" boolean."""
    doc = Doc(False, template)
    with open(os.path.join(MAPS_SRC, 'html5.desc'), encoding='ascii') as fh:
        for line in fh:
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            head, _, rest = line.partition(':')
            kids, _, attrs = rest.partition('|')
            words = head.split()
            el = Element(words[0])
            flags = set(words[1:])
            el.empty = 'void' in flags
            el.raw = 'raw' in flags
            el.end_optional = 'optend' in flags or el.empty
            el.start_optional = 'optstart' in flags
            el.mixed = 'text-error' not in flags
            el.children = set(kids.split())
            for attr_decl in attrs.split():
                required = attr_decl.endswith('!')
                boolean = attr_decl.endswith('?')
                attr_decl = attr_decl.rstrip('!?')
                name, _, vals = attr_decl.partition('=')
                values = vals.split('/') if vals else ([name] if boolean else [])
                kind = ATTR_ENUM if values else ATTR_TEXT
                el.attributes[name] = (kind | (ATTR_REQUIRED if required else 0), values)
            doc.elements[el.name] = el
    names = {n.rstrip(';') for n in html.entities.html5}
    doc.entities = sorted(names)
    return doc


# ---------------------------------------------------------------------------------------------
# Overlays: a base map changed by a committed text file


def copy_doc(base, template):
    doc = Doc(base.xhtml, template)
    for name, el in base.elements.items():
        c = Element(name)
        c.__dict__.update({k: (set(v) if isinstance(v, set) else
                               dict(v) if isinstance(v, dict) else v)
                           for k, v in el.__dict__.items()})
        doc.elements[name] = c
    doc.entities = list(base.entities)
    return doc


def apply_overlay(doc, path):
    """Lines: "keep a b c" (only these elements stay), "element NAME [empty] [optend] [in P Q]
    [children A B]", "attr ELEMENT NAME[=v1/v2][!]", "drop-attr ELEMENT NAME",
    "entities-only a b" (keep only these entity names)."""
    with open(path, encoding='ascii') as fh:
        for line in fh:
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            words = line.split()
            op = words[0]
            if op == 'keep':
                keep = set(words[1:])
                for name in list(doc.elements):
                    if name not in keep:
                        del doc.elements[name]
                for el in doc.elements.values():
                    el.children &= keep
                    el.inclusions &= keep
            elif op == 'element':
                el = doc.elements.get(words[1]) or Element(words[1])
                doc.elements[el.name] = el
                mode = None
                for w in words[2:]:
                    if w == 'empty':
                        el.empty = el.end_optional = True
                    elif w == 'optend':
                        el.end_optional = True
                    elif w in ('in', 'children'):
                        mode = w
                    elif mode == 'in':
                        if w in doc.elements:
                            doc.elements[w].children.add(el.name)
                    elif mode == 'children':
                        el.children.add(w)
            elif op == 'attr':
                el = doc.elements[words[1]]
                attr_decl = words[2]
                required = attr_decl.endswith('!')
                attr_decl = attr_decl.rstrip('!')
                name, _, vals = attr_decl.partition('=')
                values = vals.split('/') if vals else []
                kind = ATTR_ENUM if values else ATTR_TEXT
                el.attributes[name] = (kind | (ATTR_REQUIRED if required else 0), values)
            elif op == 'drop-attr':
                doc.elements[words[1]].attributes.pop(words[2], None)
            elif op == 'entities-only':
                keep = set(words[1:])
                doc.entities = [e for e in doc.entities if e in keep]
            else:
                raise SystemExit('%s: unknown overlay line: %s' % (path, line))
    return doc


def add_ie3(doc):
    """What sgml-data's ie-3.0.dtd has beyond the loose map: its extra elements (with their
    content and attributes) and the extra attributes of shared elements."""
    path = os.path.join(SGML_HTML, 'dtd/ie-3.0.dtd')
    out = subprocess.run(['dtdparse', '--noverbose', '--nounexpanded',
                          '--declaration', os.path.join(SGML_HTML, 'dtd/html-3.2.decl'),
                          '--catalog', os.path.join(MAPS_SRC, 'ie.catalog'),
                          '--catalog', os.path.join(SGML_HTML, 'entities/catalog'),
                          '--catalog', os.path.join(SGML_HTML, 'dtd/catalog'), path],
                         check=True, capture_output=True).stdout
    ie = doc_from_dtdparse(ET.fromstring(out), False, '')
    for name, el in ie.elements.items():
        mine = doc.elements.get(name)
        if mine is None:
            doc.elements[name] = el
            el.children &= set(doc.elements) | set(ie.elements)
            for parent, pel in ie.elements.items():
                if name in pel.children and parent in doc.elements:
                    doc.elements[parent].children.add(name)
            continue
        for aname, attr_decl in el.attributes.items():
            if aname not in mine.attributes:
                mine.attributes[aname] = (attr_decl[0] & ~ATTR_REQUIRED, attr_decl[1])
    return doc


# ---------------------------------------------------------------------------------------------
# The documents and their templates


def doctype(public, system, root='HTML'):
    text = '!DOCTYPE %s PUBLIC "%s"' % (root, public)
    return text + ('@"%s"' % system if system else '')


HTML4 = 'http://www.w3.org/TR/html4/'
XHTML1 = 'http://www.w3.org/TR/xhtml1/DTD/'


def build_all():
    docs = {}
    docs['html401-strict.map'] = sgml_doc(
        'strict.dtd', doctype('-//W3C//DTD HTML 4.01//EN', HTML4 + 'strict.dtd'))
    docs['html401-loose.map'] = sgml_doc(
        'loose.dtd', doctype('-//W3C//DTD HTML 4.01 Transitional//EN', HTML4 + 'loose.dtd'))
    docs['html401-frameset.map'] = sgml_doc(
        'frameset.dtd', doctype('-//W3C//DTD HTML 4.01 Frameset//EN', HTML4 + 'frameset.dtd'))
    for kind, title in (('strict', 'Strict'), ('transitional', 'Transitional'),
                        ('frameset', 'Frameset')):
        docs['xhtml1-%s.map' % kind] = xml_doc(
            os.path.join(W3C, 'REC-xhtml1-20020801', 'xhtml1-%s.dtd' % kind),
            doctype('-//W3C//DTD XHTML 1.0 %s//EN' % title, XHTML1 + 'xhtml1-%s.dtd' % kind,
                    'html'))
    docs['xhtml11.map'] = xml_doc(
        os.path.join(W3C, 'REC-xhtml11-20101123', 'xhtml11.dtd'),
        doctype('-//W3C//DTD XHTML 1.1//EN', 'http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd',
                'html'))
    docs['xhtml-basic10.map'] = xml_doc(
        os.path.join(W3C, 'REC-xhtml-basic-20001219', 'xhtml-basic10.dtd'),
        doctype('-//W3C//DTD XHTML Basic 1.0//EN',
                'http://www.w3.org/TR/xhtml-basic/xhtml-basic10.dtd', 'html'))
    docs['xhtml-mobile10.map'] = xml_doc(
        os.path.join(MAPS_SRC, 'xhtml-mobile10.dtd'),
        doctype('-//WAPFORUM//DTD XHTML Mobile 1.0//EN',
                'http://www.wapforum.org/DTD/xhtml-mobile10.dtd', 'html'))
    docs['imode-xhtml100.map'] = xml_doc(
        os.path.join(MAPS_SRC, 'imode-xhtml100.dtd'),
        doctype('-//i-mode group (ja)//DTD XHTML i-XHTML(Locale/Ver.=ja/1.0) 1.0//EN',
                'i-xhtml_4ja_10.dtd', 'html'))
    docs['html5.map'] = html5_doc('!DOCTYPE html')
    loose = docs['html401-loose.map']
    for version in ('ie50', 'ie55'):
        doc = add_ie3(copy_doc(loose, loose.template))
        docs[version + '.map'] = apply_overlay(doc, os.path.join(MAPS_SRC, version + '.overlay'))
    for n in range(1, 6):
        name = 'imode%d00' % n
        doc = copy_doc(loose, doctype('-//W3C//DTD HTML 4.01 Transitional//EN', ''))
        docs[name + '.map'] = apply_overlay(doc, os.path.join(MAPS_SRC, name + '.overlay'))
    return docs


# ---------------------------------------------------------------------------------------------
# Child lists and the map bytes


def child_lists(doc):
    els = doc.elements
    # Inclusions in force: an element's own and those of every element that may contain it
    # through content models (an element that is there only by inclusion passes none on, so
    # HEAD's SCRIPT, STYLE, META ... do not spread through OBJECT into the body).
    inherited = {name: set() for name in els}
    changed = True
    while changed:
        changed = False
        for name, el in els.items():
            give = inherited[name] | el.inclusions
            for child in el.children:
                if child in inherited and not give <= inherited[child]:
                    inherited[child] |= give
                    changed = True
    lists = {}
    for name, el in els.items():
        if el.empty or el.raw:
            lists[name] = []
            continue
        kids = set(el.children) | el.inclusions | inherited[name]
        # The children of a child whose start tag may be left out (HEAD, BODY, TBODY) may stand
        # here too.
        seen = set()
        todo = [k for k in kids if k in els and els[k].start_optional]
        while todo:
            k = todo.pop()
            if k in seen:
                continue
            seen.add(k)
            for g in els[k].children | els[k].inclusions:
                kids.add(g)
                if g in els and els[g].start_optional:
                    todo.append(g)
        kids -= el.exclusions
        lists[name] = sorted((k for k in kids if k in els), key=sort_key)
    return lists


def text_is_error(doc, name, seen=None):
    el = doc.elements[name]
    if el.mixed or el.empty:
        return False
    seen = seen or set()
    for k in el.children:
        if k in doc.elements and doc.elements[k].start_optional and k not in seen:
            seen.add(k)
            if not text_is_error(doc, k, seen):
                return False
    return True


def sjis(text):
    return text.encode('cp932')


def build_map(doc):
    lists = child_lists(doc)
    models, model_index = [], {}
    attrs, attr_index = [], {}
    records = []
    for name in sorted(doc.elements, key=sort_key):
        el = doc.elements[name]
        flags = 0
        if el.end_optional:
            flags |= MODEL_END_OPTIONAL
        if el.empty:
            flags |= MODEL_EMPTY
        if el.raw:
            flags |= MODEL_RAW_TEXT
        if text_is_error(doc, name):
            flags |= MODEL_TEXT_IS_ERROR
        body = b''.join(sjis(k) + b'\0' for k in lists[name]) + b'\0'
        model = struct.pack('<II', 8 + len(body), flags) + body
        if model not in model_index:
            model_index[model] = len(models)
            models.append(model)
        entries = b''
        for aname in sorted(el.attributes, key=sort_key):
            kind, values = el.attributes[aname]
            entries += bytes([kind]) + sjis(aname) + b''.join(b'%' + sjis(v) for v in values) + b'\0'
        entries += b'\0'
        attr = struct.pack('<I', 4 + len(entries)) + entries
        if attr not in attr_index:
            attr_index[attr] = len(attrs)
            attrs.append(attr)
        nflags = (NAME_NEVER_IMPLIED if name in ('html', 'body') else 0) | \
                 (NAME_HAS_ATTRIBUTES if el.attributes else 0)
        nb = sjis(name) + b'\0'
        records.append(struct.pack('<IIII', 16 + len(nb), nflags, model_index[model],
                                   attr_index[attr]) + nb)
    sections = [sjis(doc.template) + b'\0' if doc.template else b'',
                b''.join(sjis(e) + b'\0' for e in doc.entities),
                b''.join(records), b''.join(models), b''.join(attrs)]
    header = b'map\0' + struct.pack('<II', 4, 1 if doc.xhtml else 0) + \
        struct.pack('<5I', *(len(s) for s in sections)) + \
        struct.pack('<III', 0, len(models), len(attrs))
    return header + b''.join(sections) + b'@'


# ---------------------------------------------------------------------------------------------
# The text dump (the loader's test prints the same form)


def cstrings(data):
    out, start = [], 0
    while start < len(data):
        end = data.index(b'\0', start)
        out.append(data[start:end])
        start = end + 1
    return out


def dump(data):
    magic, version, xhtml, *sizes = struct.unpack_from('<4sII5I', data, 0)
    count3, count4 = struct.unpack_from('<II', data, 36)
    lines = ['xhtml %d models %d attributes %d' % (xhtml, count3, count4)]
    pos = 44
    secs = []
    for s in sizes:
        secs.append(data[pos:pos + s])
        pos += s
    lines.append('template ' + secs[0].split(b'\0')[0].decode('cp932'))
    lines.append('entities ' + ' '.join(e.decode('cp932') for e in cstrings(secs[1])))
    models = []
    p = 0
    while p < len(secs[3]):
        length, flags = struct.unpack_from('<II', secs[3], p)
        kids = cstrings(secs[3][p + 8:p + length])[:-1]
        models.append('%x: %s' % (flags, ' '.join(k.decode('cp932') for k in kids)))
        p += length
    attrs = []
    p = 0
    while p < len(secs[4]):
        (length,) = struct.unpack_from('<I', secs[4], p)
        items = []
        for e in cstrings(secs[4][p + 4:p + length]):
            if len(e) <= 1:
                break
            items.append('%02x:%s' % (e[0], e[1:].decode('cp932')))
        attrs.append(' '.join(items))
        p += length
    p = 0
    while p < len(secs[2]):
        length, nflags, m, a = struct.unpack_from('<IIII', secs[2], p)
        name = secs[2][p + 16:p + length].split(b'\0')[0].decode('cp932')
        lines.append('element %s %x model %s' % (name, nflags, models[m]))
        lines.append('  attributes %s' % attrs[a])
        p += length
    return '\n'.join(lines) + '\n'


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--out', default=os.path.join(HERE, '..', 'editor', 'html', 'dtd'))
    ap.add_argument('--check', action='store_true')
    ap.add_argument('--dump')
    args = ap.parse_args()
    if args.dump:
        with open(args.dump, 'rb') as fh:
            sys.stdout.write(dump(fh.read()))
        return 0
    status = 0
    for name, doc in sorted(build_all().items()):
        data = build_map(doc)
        path = os.path.join(args.out, name)
        if args.check:
            try:
                with open(path, 'rb') as fh:
                    same = fh.read() == data
            except OSError:
                same = False
            if not same:
                print('%s differs from what the generator makes' % path)
                status = 1
        else:
            os.makedirs(args.out, exist_ok=True)
            with open(path, 'wb') as fh:
                fh.write(data)
    if args.check and status == 0:
        print('all maps are current')
    return status


if __name__ == '__main__':
    sys.exit(main())
