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
  - KANJIDIC2 (package kanjidic-xml, /usr/share/edict/kanjidic2.xml.gz; EDRDG licence,
    CC BY-SA 4.0): the variant forms it lists for each kanji.

Layout of the 28800 bytes: the GBK column, 7200 little-endian uint16 each holding
lead + 256 * trail (so the two GBK bytes in text order), then the Shift-JIS column, 7200
little-endian uint16 each holding 256 * lead + trail. 0 in a column means no code.
"""

import bz2
import gzip
import os
import re
import subprocess
import sys
import tempfile
import unicodedata
from collections import Counter

ROWS = 7200
FIRST_CODED_ROW = 180
UNIHAN_VARIANTS = "/usr/share/unicode/Unihan_Variants.txt.bz2"
KANJIDIC = "/usr/share/edict/kanjidic2.xml.gz"

# The four punctuation marks that the game's texts use most, each paired with itself.
PUNCTUATION = "\u3000、。，"

# Codes of lead byte 87 that get no row: the circled numbers ⑪ to ⑳, the square unit signs
# ㍉ to ㌻, ㍻, 〟, ㏍ and the enclosed signs ㊤ to ㍼.
EXCLUDED_JIS = (set(range(0x874A, 0x8754)) | set(range(0x875F, 0x876F))
                | {0x877E, 0x8781, 0x8783} | set(range(0x8785, 0x8790)))

# Characters outside GB2312 that keep their own GBK code.
KEEP_OWN_GBK = "㎜㎝㎞㎎㎏㏄㎡℡≒∟⊿鯵扱鰯噂榎樫橿梶椛鞄"

# Pairs chosen by hand, ahead of the data, each with its reason.
OVERRIDES = {
    "満": "满", "頭": "头", "劉": "刘", "穐": "秋", "吋": "寸", "姶": "妍",
    "鎔": "镕",  # its simplified form, which lives in GBK's extension
    "〝": "“",  # the opening quotation mark of vertical text; GB2312 has only the ordinary one
    # Common in names, and named by none of the data as a variant that GB2312 holds.
    "姫": "姬",  # the Japanese form of 姬
    "薗": "园",  # a variant of 園 (花薗 = 花園), simplified 园
    "苅": "刈",  # the Japanese variant of 刈 (苅田 = 刈田)
    "倶": "俱",  # the Japanese form of 俱
    "駄": "驮",  # the Japanese form of 馱, simplified 驮
    "喩": "喻",  # the Japanese form of 喻
    "竸": "竞",  # a variant of 競, simplified 竞
    "辧": "办",  # a variant of 辦, simplified 办 (KANJIDIC names the Japanese 弁, a different word here)
    # Listed as variants in the first list of variant characters (第一批异体字整理表, 1955).
    "雰": "氛", "姪": "侄", "燐": "磷", "傚": "效", "堺": "界", "搾": "榨", "楯": "盾",
    "惣": "总", "鎗": "枪", "撚": "捻", "瀞": "净", "栞": "刊", "毬": "球", "痲": "麻",
    "揃": "剪", "俛": "俯", "勣": "绩", "勦": "剿", "喞": "唧",
    "剏": "创",  # a variant of 創, simplified 创
    "厖": "庞",  # a variant of 龐, simplified 庞
    "慇": "殷", "懃": "勤",  # 慇懃 is written 殷勤
    "詑": "诧",  # the Japanese form of 詫, simplified 诧
    "宍": "肉",  # the old form of 肉
    "昜": "阳",  # the old form of 陽, simplified 阳
}

# Kanji that get "? " whatever the data may name for them, with the reason.
NO_SUBSTITUTE = {
    "柾": "made in Japan", "麿": "made in Japan", "﨧": "no counterpart",
    "働": "made in Japan; KANJIDIC's 仂 is an old shorthand, not the Chinese word",
    "妛": "a ghost character of JIS; KANJIDIC's 媸 is a guess",
    "絈": "KANJIDIC's 帕 is a different character",
    "鞨": "KANJIDIC's 碟 is a different character",
    "谺": "KANJIDIC's 岈 is a different character",
    "鱶": "KANJIDIC's 鲞 (dried fish) is a different word",
    "釚": "KANJIDIC's 钆 is a different character",
}

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


def read_kanjidic_variants():
    """Returns {kanji: [variant, ...]} from the variant forms KANJIDIC2 lists by JIS or UCS code."""
    variants = {}
    with gzip.open(KANJIDIC, "rt", encoding="utf-8") as f:
        data = f.read()
    for entry in re.finditer(r"<literal>(.)</literal>(.*?)</character>", data, re.S):
        found = []
        for kind, code in re.findall(r'<variant var_type="(\w+)">([^<]+)</variant>', entry.group(2)):
            try:
                if kind == "ucs":
                    found.append(chr(int(code, 16)))
                elif kind in ("jis208", "jis212", "jis213"):
                    plane, row, cell = map(int, code.split("-"))
                    raw = bytes([0xA0 + row, 0xA0 + cell])
                    if kind == "jis212":
                        found.append((b"\x8f" + raw).decode("euc_jp"))
                    elif kind == "jis213":
                        found.append(((b"\x8f" if plane == 2 else b"") + raw).decode("euc_jis_2004"))
                    else:
                        found.append(raw.decode("euc_jp"))
            except (UnicodeDecodeError, ValueError):
                continue
        variants[entry.group(1)] = [v for v in found if len(v) == 1]
    return variants


def in_gbk(ch):
    """A double-byte GBK character (GB2312 or its extension)."""
    try:
        return len(ch) == 1 and len(ch.encode("gbk")) == 2
    except UnicodeEncodeError:
        return False


# kSpecializedSemanticVariant is left out: it pairs characters that agree in one sense only
# (祇 with 只, 袮 with 你), which reads wrongly in a name.
VARIANT_FIELDS = ["kZVariant", "kSemanticVariant"]


def find_substitutes(chars, variants, kanjidic):
    """Returns {character: (substitute, reason)} for the characters some data pairs up."""
    unified = {ch: unicodedata.normalize("NFC", ch) for ch in chars}
    trad = run_opencc("jp2t.json", sorted(set(unified.values())))
    listed = {v for ch in chars for v in kanjidic.get(unified[ch], [])}
    simp = run_opencc("t2s.json", sorted(set(trad.values()) | set(unified.values()) | listed))

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
        # t2s of the character itself first: jp2t reads 連 as 聯, whose simplified form 联 is
        # another word than 连.
        s = next((s for s in (simp[u], simp[trad[u]]) if in_gb2312(s)), None)
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
        if ch in found:
            continue
        # A variant form KANJIDIC lists, as it is or simplified.
        for v in kanjidic.get(u, []):
            s = next((s for s in [v, simp.get(v, v)] + variants.get((v, "kSimplifiedVariant"), [])
                      if in_gb2312(s) and s != ch), None)
            if s:
                found[ch] = (s, "KANJIDIC")
                break
        if ch in found:
            continue
        # Last, a simplified form that only GBK's extension holds (紘 -> 纮): the editor shows
        # it as the character the player knows, where "? " would show nothing.
        for base in [u, trad[u]] + kanjidic.get(u, []):
            s = next((s for s in [simp.get(base, base)] + variants.get((base, "kSimplifiedVariant"), [])
                      if in_gbk(s) and s != ch and s != base), None)
            if s:
                found[ch] = (s, "simplified, GBK extension")
                break
    return found


def build():
    rows = jis_rows()
    assert len(rows) == ROWS - FIRST_CODED_ROW == 7020, len(rows)
    assert sum(in_gb2312(ch) for _, ch in rows) == 3722
    assert len({code for code, _ in rows}) == len(rows)

    outside = [ch for _, ch in rows if not in_gb2312(ch) and ch not in KEEP_OWN_GBK]
    assert len(outside) == 7020 - 3722 - len(KEEP_OWN_GBK)
    assert set(OVERRIDES) <= set(outside) and set(NO_SUBSTITUTE) <= set(outside)
    found = find_substitutes([ch for ch in outside if ch not in OVERRIDES], read_unihan_variants(),
                             read_kanjidic_variants())

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
            assert (in_gb2312(sub) or reason == "simplified, GBK extension") and sub != ch
            gbk[i] = gbk_value(sub)
            kinds["substitute"] += 1
            reasons[reason] += 1
        else:
            # Only kanji may end up without a counterpart.
            assert unicodedata.category(ch) == "Lo", ch
            gbk[i] = QUESTION
            kinds["question"] += 1
    kinds["empty"] = ROWS - len(PUNCTUATION) - len(rows)

    by_char = {ch: gbk[i] for i, (_, ch) in enumerate(rows, FIRST_CODED_ROW)}
    # Name kanji players meet often get their Chinese form; kanji made in Japan keep "? ".
    for kanji, chinese in zip("姫嶋邉薗苅冨連", "姬岛边园刈富连"):
        assert by_char[kanji] == gbk_value(chinese), kanji
    assert all(by_char[k] == QUESTION for k in "辻畑峠込榊笹")

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
