#!/usr/bin/env python3
# Writes cp932_reference.tsv: code page 932 codes decoded and encoded by Python's own cp932 codec, a
# converter independent of the one the program uses. Run once by hand; the output is checked in so the
# tests need no Python.
# Columns: code, the character as U+XXXX, the code Python's encoder gives for that character.
# Python encodes a character of both IBM extension copies to the NEC-selected copy (0xED40-0xEEFC),
# Windows to the IBM one (0xFA40-0xFC4B); the IBM code of every sampled NEC-selected one is included
# so the test can compare against it.
import sys

def ranges():
    yield from range(0x20, 0x7F)                  # printable ASCII
    yield from range(0xA1, 0xE0)                  # half-width katakana
    yield from range(0x8140, 0x81FD)              # symbols, full-width forms
    yield from range(0x8240, 0x84C0)              # full-width alphanumerics, kana, Greek, Cyrillic
    yield from range(0x8740, 0x879D)              # NEC row 13, circled digits first
    for lead in list(range(0x88, 0xA0)) + list(range(0xE0, 0xEB)):
        yield from range(lead << 8 | 0x40, lead << 8 | 0xFD, 7)  # kanji, both levels
    yield from range(0xED40, 0xEEFD, 3)           # NEC-selected IBM extensions
    yield from range(0xFA40, 0xFC4C, 3)           # IBM extensions
    yield from range(0xF040, 0xF9FD, 97)          # user-defined area

def decode(code):
    raw = bytes([code]) if code < 0x100 else code.to_bytes(2, 'big')
    try:
        text = raw.decode('cp932')
    except UnicodeDecodeError:
        return None
    return text if len(text) == 1 else None

def main():
    ibm = {}
    for code in range(0xFA40, 0xFC4C):
        text = decode(code)
        if text is not None:
            ibm.setdefault(text, code)
    codes = set(ranges())
    for code in list(codes):
        text = decode(code)
        if 0xED40 <= code <= 0xEEFC and text in ibm:
            codes.add(ibm[text])
    for code in sorted(codes):
        text = decode(code)
        if text is None:
            continue
        back = int.from_bytes(text.encode('cp932'), 'big')
        sys.stdout.write('%04X\tU+%04X\t%04X\n' % (code, ord(text), back))

main()
