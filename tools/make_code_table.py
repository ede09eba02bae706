#!/usr/bin/env python3
"""Writes resources/codetable.bin, the GBK / Shift-JIS pair table compiled into Quillmark.

Run by hand from anywhere:  python3 tools/make_code_table.py [OUTPUT]

Data sources, all read from installed Debian packages (nothing is fetched):
  - Python's cp932, gb2312 and gbk codecs (the Microsoft tables of code pages 932 and 936):
    the Shift-JIS codes of the rows and the GBK code of every character.
  - OpenCC (packages opencc, libopencc-data; Apache License 2.0): the `jp2t` conversion
    (Japanese shinjitai to traditional forms) followed by `t2s` (traditional to simplified),
    run through the `opencc` command.
  - Unihan database, Unihan_Variants.txt from package unicode-data (/usr/share/unicode/;
    Unicode Terms of Use): kSimplifiedVariant, kZVariant and kSemanticVariant.
  - Canonical decompositions of the Unicode Character Database (Python's unicodedata): the
    compatibility ideographs of Shift-JIS rows ED and EE decompose to their unified forms.

Layout of the 28800 bytes: the GBK column, 7200 little-endian uint16 each holding
lead + 256 * trail (so the two GBK bytes in text order), then the Shift-JIS column, 7200
little-endian uint16 each holding 256 * lead + trail. 0 in a column means no code.
"""

import bz2
import os
import subprocess
import sys
import tempfile
import unicodedata
from collections import Counter

ROWS = 7200
FIRST_CODED_ROW = 180
UNIHAN_VARIANTS = "/usr/share/unicode/Unihan_Variants.txt.bz2"

# The four punctuation marks that the game's texts use most, each paired with itself.
PUNCTUATION = "\u3000、。，"

# Codes of lead byte 87 that get no row: the circled numbers ⑪ to ⑳, the square unit signs
# ㍉ to ㌻, ㍻, 〟, ㏍ and the enclosed signs ㊤ to ㍼.
EXCLUDED_JIS = (set(range(0x874A, 0x8754)) | set(range(0x875F, 0x876F))
                | {0x877E, 0x8781, 0x8783} | set(range(0x8785, 0x8790)))

# Characters outside GB2312 that keep their own GBK code.
KEEP_OWN_GBK = "㎜㎝㎞㎎㎏㏄㎡℡≒∟⊿鯵扱鰯噂榎樫橿梶椛鞄"

# Pairs chosen by hand, ahead of the data. 鎔 -> 镕 is the only
# substitute outside GB2312: 镕 is its simplified form and lives in GBK's extension.
OVERRIDES = {
    "満": "满", "頭": "头", "劉": "刘", "穐": "秋", "吋": "寸", "姶": "妍", "鎔": "镕",
    # The opening quotation mark of vertical text; GB2312 has only the ordinary one.
    "〝": "“",
}

# Kanji that get "? " whatever the data may name for them.
NO_SUBSTITUTE = set("柾麿﨧")

QUESTION = 0x3F + 256 * 0x20  # the text "? " in the GBK column


def in_gb2312(ch):
    try:
        ch.encode("gb2312")
    except UnicodeEncodeError:
        return False
    return len(ch) == 1


def gbk_value(ch):
    b = ch.encode("gbk")
    assert len(b) == 2, ch
    assert not in_gb2312(ch) or b == ch.encode("gb2312"), ch
    return b[0] + 256 * b[1]


def jis_rows():
    """Every double-byte code of code page 932 from 82 9F to EE B7, less the excluded ones."""
    rows = []
    for code in range(0x829F, 0xEEB8):
        lead, trail = code >> 8, code & 0xFF
        if not (0x81 <= lead <= 0x9F or 0xE0 <= lead <= 0xFC):
            continue  # A0..DF are single-byte half-width katakana
        if not (0x40 <= trail <= 0xFC) or trail == 0x7F or code in EXCLUDED_JIS:
            continue
        try:
            ch = bytes([lead, trail]).decode("cp932")
        except UnicodeDecodeError:
            continue
        if len(ch) == 1:
            rows.append((code, ch))
    return rows


def run_opencc(config, chars):
    """Converts each character on its own line, so no phrase rule can reach across two."""
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.txt")
        with open(src, "w", encoding="utf-8") as f:
            f.write("\n".join(chars) + "\n")
        out = subprocess.run(["opencc", "-c", config, "-i", src], check=True,
                             capture_output=True, text=True).stdout.split("\n")
    assert len(out) >= len(chars)
    return dict(zip(chars, out[:len(chars)]))


def read_unihan_variants():
    """Returns {(character, field): [variant, ...]}, best attested variant first."""
    variants = {}
    with bz2.open(UNIHAN_VARIANTS, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            cp, field, value = line.rstrip("\n").split("\t")
            # Values look like "U+51B0<kLau,kMatthews": the variant and the dictionaries that
            # attest it. 氷 names both 冫 (one dictionary) and 冰 (two); the better attested wins.
            attested = []
            for v in value.split():
                target, _, sources = v.partition("<")
                attested.append((chr(int(target[2:], 16)), len(sources.split(",")) if sources else 0))
            attested.sort(key=lambda t: -t[1])
            variants[(chr(int(cp[2:], 16)), field)] = [t for t, _ in attested]
    return variants


# kSpecializedSemanticVariant is left out: it pairs characters that agree in one sense only
# (祇 with 只, 袮 with 你), which reads wrongly in a name.
VARIANT_FIELDS = ["kZVariant", "kSemanticVariant"]


def find_substitutes(chars, variants):
    """Returns {character: (substitute, reason)} for the characters some data pairs up."""
    unified = {ch: unicodedata.normalize("NFC", ch) for ch in chars}
    trad = run_opencc("jp2t.json", sorted(set(unified.values())))
    simp = run_opencc("t2s.json", sorted(set(trad.values()) | set(unified.values())))

    # Variants named by Unihan for the character itself or for its traditional form.
    candidates = {}
    for ch in chars:
        u = unified[ch]
        seen = []
        for field in VARIANT_FIELDS:
            for base in dict.fromkeys([u, trad[u]]):
                for v in variants.get((base, field), []):
                    if v not in (x for x, _ in seen):
                        seen.append((v, field))
        candidates[ch] = seen
    variant_simp = run_opencc("t2s.json", sorted({v for c in candidates.values() for v, _ in c}))

    def simplified_of(v):
        for s in [variant_simp.get(v, v)] + variants.get((v, "kSimplifiedVariant"), []):
            if in_gb2312(s):
                return s
        return None

    found = {}
    for ch in chars:
        u = unified[ch]
        if in_gb2312(u):
            found[ch] = (u, "unified form")
            continue
        s = next((s for s in (simp[trad[u]], simp[u]) if in_gb2312(s)), None)
        if s:
            found[ch] = (s, "OpenCC")
            continue
        s = next((v for v in variants.get((u, "kSimplifiedVariant"), []) if in_gb2312(v)), None)
        if s:
            found[ch] = (s, "kSimplifiedVariant")
            continue
        for v, field in candidates[ch]:
            s = v if in_gb2312(v) else simplified_of(v)
            if s:
                found[ch] = (s, field)
                break
    return found


def build():
    rows = jis_rows()
    assert len(rows) == ROWS - FIRST_CODED_ROW == 7020, len(rows)
    assert sum(in_gb2312(ch) for _, ch in rows) == 3722
    assert len({code for code, _ in rows}) == len(rows)

    outside = [ch for _, ch in rows if not in_gb2312(ch) and ch not in KEEP_OWN_GBK]
    assert len(outside) == 7020 - 3722 - len(KEEP_OWN_GBK)
    assert set(OVERRIDES) <= set(outside) and NO_SUBSTITUTE <= set(outside)
    found = find_substitutes([ch for ch in outside if ch not in OVERRIDES], read_unihan_variants())

    gbk = [0] * ROWS
    jis = [0] * ROWS
    for i, ch in enumerate(PUNCTUATION):
        gbk[i], jis[i] = gbk_value(ch), int.from_bytes(ch.encode("cp932"), "big")
    assert gbk[:4] == [0xA1A1, 0xA2A1, 0xA3A1, 0xACA3] and jis[:4] == [0x8140, 0x8141, 0x8142, 0x8143]

    kinds = Counter()
    reasons = Counter()
    for i, (code, ch) in enumerate(rows, FIRST_CODED_ROW):
        jis[i] = code
        if in_gb2312(ch) or ch in KEEP_OWN_GBK:
            gbk[i] = gbk_value(ch)
            kinds["same"] += 1
        elif ch in NO_SUBSTITUTE:
            gbk[i] = QUESTION
            kinds["question"] += 1
        elif ch in OVERRIDES:
            gbk[i] = gbk_value(OVERRIDES[ch])
            kinds["substitute"] += 1
            reasons["hand-picked"] += 1
        elif ch in found:
            sub, reason = found[ch]
            assert in_gb2312(sub) and sub != ch
            gbk[i] = gbk_value(sub)
            kinds["substitute"] += 1
            reasons[reason] += 1
        else:
            # Only kanji may end up without a counterpart.
            assert unicodedata.category(ch) == "Lo", ch
            gbk[i] = QUESTION
            kinds["question"] += 1
    kinds["empty"] = ROWS - len(PUNCTUATION) - len(rows)

    assert kinds["same"] == 3722 + len(KEEP_OWN_GBK)
    for g, j in zip(gbk, jis):
        if g or j:
            assert g and j
            assert all(b for b in (g & 0xFF, g >> 8, j & 0xFF, j >> 8)), (hex(g), hex(j))
    assert all(g == 0 and j == 0 for g, j in zip(gbk[4:FIRST_CODED_ROW], jis[4:FIRST_CODED_ROW]))
    coded = [j for j in jis if j]
    assert len(set(coded)) == len(coded)
    return gbk, jis, kinds, reasons


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "codetable.bin")
    gbk, jis, kinds, reasons = build()
    data = b"".join(v.to_bytes(2, "little") for v in gbk + jis)
    assert len(data) == 28800
    with open(target, "wb") as f:
        f.write(data)

    counts = Counter(g for g in gbk if g)
    repeated = {g: n for g, n in counts.items() if n > 1}
    beyond = sum(repeated.values()) - len(repeated)
    print(f"wrote {os.path.normpath(target)} ({len(data)} bytes)")
    print(f"punctuation rows:   {len(PUNCTUATION)}")
    print(f"same-code rows:     {kinds['same']}")
    print(f"substitute rows:    {kinds['substitute']}  "
          + ", ".join(f"{r} {n}" for r, n in reasons.most_common()))
    print(f'"? " rows:          {kinds["question"]}')
    print(f"empty rows:         {kinds['empty']}")
    print(f"repeated GBK codes: {len(repeated)} codes in {beyond} rows beyond their first; "
          f'without "? ": {len(repeated) - 1} codes in {beyond - counts[QUESTION] + 1} rows')


if __name__ == "__main__":
    main()
