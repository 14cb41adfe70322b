#!/usr/bin/env python3
"""Writes the schedule-file fixtures tests/data/fx-*.DAT and, for each, fx-*.json: the JSON that
`quorvan-dat json` must print for it.

The files are built here from the controller's byte layout with nothing but `struct`, without any of the
program's code, so the tool tests compare two independent readings of the format. Run it by hand after a change
(`python3 tests/data/make_fixtures.py`) and commit the output; the tests never run it.

Schedule file: a 4104-byte header (u16 tag 0x55AA, u16 1, u16 N, u16 0, then N pairs of u32 block offset and
u32 block size, the rest 0), then one block per entry: a 176-byte entry header followed by one 624-byte record
per song (102 bytes of drive prefix "E:\\" or "D:\\" + NUL, then the UTF-16LE name with its NUL).

Besides the valid files there are damaged ones; their JSON is what the loader makes of them: bytes missing from
a short file read as 0, a name without NUL is cut at 260 units, a wrong tag or N above 256 gives no entries.
When a valid file holds bytes the program never writes (a lower-case drive letter, bytes after a NUL, non-zero
padding), fx-NAME.saved.DAT holds the bytes `quorvan-dat from-json fx-NAME.json` must write instead.
"""

import json
import os
import struct

HEADER_SIZE = 4104
ENTRY_HEADER_SIZE = 176
RECORD_SIZE = 624
NAME_OFFSET = 102
NAME_UNITS = 261
TAG = 0x55AA

OUT_DIR = os.path.dirname(os.path.abspath(__file__))


# ---- the model -------------------------------------------------------------------------------------------

def song(name, prefix=None, prefix_junk=b"", name_junk=b"", units=None):
    """One play-list record. prefix None means the one the program writes for the entry's storage."""
    return {"name": name, "prefix": prefix, "prefix_junk": prefix_junk, "name_junk": name_junk, "units": units}


def entry(weekdays, start, end, power, zone, source, play, repeat, fm, dvd, ext_mp3, radio, on_card, songs,
          padding=None):
    assert len(power) == 9 and len(zone) == 9 and len(dvd) == 8 and len(ext_mp3) == 8 and len(radio) == 8
    return {"weekdays": weekdays, "start": start, "end": end, "power": power, "zone": zone, "source": source,
            "play": play, "repeat": repeat, "fm": fm, "dvd": dvd, "ext_mp3": ext_mp3, "radio": radio,
            "on_card": on_card, "songs": songs, "padding": padding}


# ---- writing ---------------------------------------------------------------------------------------------

def utf16_units(text):
    data = text.encode("utf-16-le", "surrogatepass")
    return list(struct.unpack("<%dH" % (len(data) // 2), data))


def entry_header(e, canonical):
    h = bytearray(ENTRY_HEADER_SIZE)
    struct.pack_into("<I6B", h, 0, e["weekdays"], *e["start"], *e["end"])
    struct.pack_into("<9I", h, 12, *e["power"])
    struct.pack_into("<9I", h, 48, *e["zone"])
    struct.pack_into("<I3B", h, 84, e["source"], e["play"], e["repeat"], len(e["songs"]))
    struct.pack_into("<H", h, 92, e["fm"])
    for k in range(8):
        struct.pack_into("<HBB", h, 94 + 4 * k, *e["dvd"][k])
        struct.pack_into("<HBB", h, 126 + 4 * k, *e["ext_mp3"][k])
    struct.pack_into("<8H", h, 158, *e["radio"])
    if e["padding"] and not canonical:
        # Bytes the layout keeps 0 and the reader ignores.
        h[10:12] = e["padding"][0:2]
        h[91] = e["padding"][2]
        h[174:176] = e["padding"][3:5]
    return bytes(h)


def record(s, on_card, canonical):
    r = bytearray(RECORD_SIZE)
    prefix = b"E:\\" if on_card else b"D:\\"
    if s["prefix"] is not None and not canonical:
        prefix = s["prefix"]
    r[0:len(prefix)] = prefix
    if not canonical:
        r[4:4 + len(s["prefix_junk"])] = s["prefix_junk"]  # after the prefix's NUL
    units = s["units"] if s["units"] is not None else utf16_units(s["name"])
    if canonical:
        units = units[:NAME_UNITS - 1]
    assert len(units) <= NAME_UNITS
    struct.pack_into("<%dH" % len(units), r, NAME_OFFSET, *units)
    if not canonical and s["name_junk"]:
        at = NAME_OFFSET + 2 * (len(units) + 1)
        r[at:at + len(s["name_junk"])] = s["name_junk"]
    assert len(r) == RECORD_SIZE
    return bytes(r)


def block(e, canonical):
    # The program writes every record with the prefix of the storage the loader derives from the first record.
    on_card = expected_entry(e)["playlistOnCard"] if canonical else e["on_card"]
    return entry_header(e, canonical) + b"".join(record(s, on_card, canonical) for s in e["songs"])


def schedule_file(entries, canonical=False):
    blocks = [block(e, canonical) for e in entries]
    header = bytearray(HEADER_SIZE)
    struct.pack_into("<4H", header, 0, TAG, 1, len(entries), 0)
    offset = HEADER_SIZE
    for i, b in enumerate(blocks):
        assert len(b) == ENTRY_HEADER_SIZE + RECORD_SIZE * len(entries[i]["songs"])
        struct.pack_into("<2I", header, 8 + 8 * i, offset, len(b))
        offset += len(b)
    return bytes(header) + b"".join(blocks)


def patched(data, at, fmt, *values):
    out = bytearray(data)
    struct.pack_into(fmt, out, at, *values)
    return bytes(out)


# ---- the JSON the tool prints ------------------------------------------------------------------------------

def tracks(values):
    return [{"track": t, "repeatMode": m, "reserved": r} for (t, m, r) in values]


def name_from_units(units):
    """The name as the loader keeps it: up to the first NUL, at most 260 units."""
    units = list(units[:NAME_UNITS - 1])
    if 0 in units:
        units = units[:units.index(0)]
    return struct.pack("<%dH" % len(units), *units).decode("utf-16-le", "surrogatepass")


def expected_entry(e):
    first = e["songs"][0] if e["songs"] else None
    if first is None:
        on_card = 0
    elif first["prefix"] is None:
        on_card = 1 if e["on_card"] else 0
    else:
        on_card = 1 if first["prefix"][:1] in (b"E", b"e") else 0
    names = []
    for s in e["songs"]:
        names.append(name_from_units(s["units"] if s["units"] is not None else utf16_units(s["name"])))
    return {
        "weekdays": e["weekdays"],
        "startHour": e["start"][0], "startMinute": e["start"][1], "startSecond": e["start"][2],
        "endHour": e["end"][0], "endMinute": e["end"][1], "endSecond": e["end"][2],
        "powerMask": list(e["power"]),
        "zoneMask": list(e["zone"]),
        "sourceMask": e["source"],
        "mp3PlayMode": e["play"],
        "mp3RepeatMode": e["repeat"],
        "fmFrequency": e["fm"],
        "dvdTracks": tracks(e["dvd"]),
        "extMp3Tracks": tracks(e["ext_mp3"]),
        "extRadioPresets": list(e["radio"]),
        "playlistOnCard": on_card,
        "playlist": names,
    }


# A second reading of the layout, used for the damaged files and to cross-check the valid ones.
def read_file(data):
    def at(offset, size):
        chunk = data[offset:offset + size] if offset < len(data) else b""
        return chunk + bytes(size - len(chunk))

    header = at(0, HEADER_SIZE)
    tag, _, n = struct.unpack_from("<3H", header, 0)
    if tag != TAG or n > 256:
        return []
    result = []
    for i in range(n):
        offset, _ = struct.unpack_from("<2I", header, 8 + 8 * i)
        h = at(offset, ENTRY_HEADER_SIZE)
        count = h[90]
        records = [at(offset + ENTRY_HEADER_SIZE + RECORD_SIZE * j, RECORD_SIZE) for j in range(count)]
        e = entry(
            weekdays=struct.unpack_from("<I", h, 0)[0],
            start=tuple(h[4:7]), end=tuple(h[7:10]),
            power=list(struct.unpack_from("<9I", h, 12)),
            zone=list(struct.unpack_from("<9I", h, 48)),
            source=struct.unpack_from("<I", h, 84)[0],
            play=h[88], repeat=h[89],
            fm=struct.unpack_from("<H", h, 92)[0],
            dvd=[struct.unpack_from("<HBB", h, 94 + 4 * k) for k in range(8)],
            ext_mp3=[struct.unpack_from("<HBB", h, 126 + 4 * k) for k in range(8)],
            radio=list(struct.unpack_from("<8H", h, 158)),
            on_card=False,
            songs=[song(None, prefix=r[0:1], units=list(struct.unpack_from("<261H", r, NAME_OFFSET)))
                   for r in records])
        result.append(expected_entry(e))
    return result


def json_text(entries):
    if not entries:
        return '{"entries": []}\n'
    lines = [json.dumps(e, ensure_ascii=False, separators=(",", ":")) for e in entries]
    return '{"entries": [\n  ' + ",\n  ".join(lines) + "\n]}\n"


# ---- the fixtures ------------------------------------------------------------------------------------------

def example():
    """Monday to Friday, 08:00:00-08:30:00, host zone 1, host MP3 with a.mp3 on the SD card."""
    zero8 = [(0, 0, 0)] * 8
    return entry(0x3E, (8, 0, 0), (8, 30, 0), [0] * 9, [1] + [0] * 8, 1, 0, 0, 0, zero8, zero8, [0] * 8,
                 True, [song("a.mp3")])


def rich(i, songs, on_card=True, fm=None):
    """An entry whose every field is non-zero and differs from its neighbours, derived from i."""
    return entry(
        weekdays=0x7F & (0x15 + 11 * i) or 0x41,
        start=((3 + i) % 24, (17 + 7 * i) % 60, (41 + 13 * i) % 60),
        end=((11 + 5 * i) % 24, (29 + 11 * i) % 60, (7 + 3 * i) % 60 or 59),
        power=[0x8000801F ^ (i << 20)] + [(0x00010001 * (w + 3) + 0x1000 * i) & 0xFFFFFFFF for w in range(8)],
        zone=[0xA50000FF - i] + [(0x0F0E0D0C + 0x01010101 * w + 0x100 * i) & 0xFFFFFFFF for w in range(8)],
        source=(0x1C000003 | (0x00FFFC << 2)) ^ (i << 4),
        play=1 - i % 2, repeat=i % 2,
        fm=fm if fm is not None else 8700 + 10 * ((37 * i + 5) % 211),
        dvd=[(1 + (9 * k + i) % 99, (k + i) % 3, 0xA0 + k) for k in range(8)],
        ext_mp3=[(256 - (17 * k + i) % 256, (2 * k + i) % 3, 0x50 + k + i % 7) for k in range(8)],
        radio=[1 + (k * 7 + i) % 30 for k in range(8)],
        on_card=on_card, songs=songs)


def mixed():
    long_ascii = "L" * 100 + "-" + "x" * 155 + ".mp3"         # 260 units, NUL in the last slot
    long_cjk = "长" * 128 + "歌" * 128 + ".mp3"                 # 260 units of Chinese
    assert len(utf16_units(long_ascii)) == 260 and len(utf16_units(long_cjk)) == 260
    e0 = rich(0, [song("晨曲-第一乐章.mp3"), song("国歌 (合唱).wav"), song("\U0001F3B5星空.mp3")], fm=10800)
    # Internal storage; bytes after the prefix's NUL and after the name's NUL are never read.
    e1 = rich(1, [song(long_cjk, prefix=b"D:\\", prefix_junk=b"\x7f\x01garbage"),
                  song(long_ascii, prefix=b"D:\\")], on_card=False, fm=8700)
    # No songs; non-zero padding bytes.
    e2 = rich(2, [], on_card=False, fm=9550)
    e2["padding"] = b"\x11\x22\x33\x44\x55"
    # Lower-case drive letter: the first record decides; a later record's prefix is ignored.
    e3 = rich(3, [song("quote\"back\\slash.mp3", prefix=b"e:\\"),
                  song("tab\there & 'x'.mp3", prefix=b"D:\\", name_junk=b"\x33\x00\x44\x00")])
    # A prefix that is neither E nor e means internal storage.
    e4 = rich(4, [song("Ünïcödé — ümlaut.mp3", prefix=b"C:\\")], fm=10170)
    e4["start"], e4["end"] = (23, 59, 59), (0, 0, 1)
    return [e0, e1, e2, e3, e4]


def full_256():
    entries = []
    for i in range(256):
        songs = [song("%03d-%d 曲.mp3" % (i, j)) for j in range(1 if i % 4 == 0 else 0)]
        entries.append(rich(i, songs, on_card=i % 8 != 4))
    entries[255]["songs"] = [song("last-%d.mp3" % j) for j in range(3)]
    return entries


def write(name, data, expected, saved=None):
    with open(os.path.join(OUT_DIR, name + ".DAT"), "wb") as f:
        f.write(data)
    with open(os.path.join(OUT_DIR, name + ".json"), "w", encoding="utf-8", newline="\n") as f:
        f.write(json_text(expected))
    if saved is not None:
        with open(os.path.join(OUT_DIR, name + ".saved.DAT"), "wb") as f:
            f.write(saved)


def valid(name, entries):
    data = schedule_file(entries)
    expected = [expected_entry(e) for e in entries]
    assert read_file(data) == expected, name
    canonical = schedule_file(entries, canonical=True)
    write(name, data, expected, canonical if canonical != data else None)
    return data


def damaged(name, data, check=lambda x: True):
    expected = read_file(data)
    assert check(expected), name
    write(name, data, expected)


def zero_entry(e):
    zero8 = [(0, 0, 0)] * 8
    return e == expected_entry(entry(0, (0, 0, 0), (0, 0, 0), [0] * 9, [0] * 9, 0, 0, 0, 0, zero8, zero8, [0] * 8,
                                     False, []))


def main():
    valid("fx-empty", [])
    ex = valid("fx-example", [example()])
    assert len(ex) == 4904 and ex[:16] == bytes.fromhex("AA55010001000000 0810000020030000")
    mix = valid("fx-mixed", mixed())
    valid("fx-full-256", full_256())

    # The tag with its bytes swapped, and one entry too many: no entries.
    damaged("fx-bad-tag", patched(ex, 0, "<H", 0xAA55), lambda x: x == [])
    damaged("fx-bad-n257", patched(ex, 4, "<H", 257), lambda x: x == [])

    # Header cut at 100 bytes: the five offsets are there, the blocks are not.
    damaged("fx-bad-header-short", mix[:100], lambda x: (len(x) == 5 and all(map(zero_entry, x))))

    # Second block cut inside its entry header (at its byte 50, in the middle of zone word 0): the rest reads 0,
    # including the song count.
    two = [rich(10, [song("first.mp3")]), rich(11, [song("a.mp3"), song("b.mp3")])]
    data = schedule_file(two)
    cut = HEADER_SIZE + ENTRY_HEADER_SIZE + RECORD_SIZE + 50

    def header_cut(x):
        assert x[1]["zoneMask"] == [two[1]["zone"][0] & 0xFFFF] + [0] * 8 and x[1]["playlist"] == []
        assert x[1]["powerMask"] == two[1]["power"] and x[1]["sourceMask"] == 0
        return True
    damaged("fx-bad-block-short", data[:cut], header_cut)

    # Cut one byte into the third unit of the second name: the low byte of U+65E9 survives, the high byte reads
    # 0, so the name becomes "星期\u00e9".
    one = [rich(12, [song("first.mp3"), song("星期早操.mp3")])]
    data = schedule_file(one)
    cut = HEADER_SIZE + ENTRY_HEADER_SIZE + RECORD_SIZE + NAME_OFFSET + 2 * 2 + 1
    damaged("fx-bad-song-short", data[:cut], lambda x: x[0]["playlist"] == ["first.mp3", "星期\u00e9"])

    # Second block's offset far beyond the end of the file: that entry reads as all zero.
    two = [rich(13, [song("x.mp3")]), rich(14, [song("y.mp3")])]
    data = patched(schedule_file(two), 16, "<I", 0xFFFFFF00)
    damaged("fx-bad-offset", data, lambda x: (zero_entry(x[1]) and x[0]["playlist"] == ["x.mp3"]))

    # Second offset pointing at the first block: the loader follows the offsets, so entry 1 repeats entry 0.
    data = patched(schedule_file(two), 16, "<I", HEADER_SIZE)
    damaged("fx-bad-offset-dup", data, lambda x: x[0] == x[1])

    # First block's size says one song where there are two; sizes are not used for reading.
    two = [rich(15, [song("one.mp3"), song("two.mp3")]), rich(16, [song("three.mp3")])]
    data = patched(schedule_file(two), 12, "<I", ENTRY_HEADER_SIZE + RECORD_SIZE)
    damaged("fx-bad-size", data, lambda x: x == [expected_entry(e) for e in two])

    # 261 units without NUL, filling the record to its end; the loader keeps 260.
    nonul = "N" * 200 + "名" * 57 + ".mp3"
    assert len(utf16_units(nonul)) == 261
    one = [rich(17, [song(None, units=utf16_units(nonul)), song("next.mp3")])]
    damaged("fx-bad-name-nul", schedule_file(one), lambda x: x[0]["playlist"] == [nonul[:260], "next.mp3"])

    # Times: entry 0 at the upper limits, entry 1 with every field one past them (or at 255).
    two = [rich(18, []), rich(19, [])]
    two[0]["start"], two[0]["end"] = (23, 59, 59), (23, 59, 59)
    two[1]["start"], two[1]["end"] = (24, 60, 60), (255, 99, 61)
    damaged("fx-bad-times", schedule_file(two))

    # FM: 8705, 8690 and 10810 are wrong; 10800, 8700 and 0 are right.
    damaged("fx-bad-fm", schedule_file([rich(20 + k, [], fm=f) for k, f in enumerate((8705, 8690, 10810, 10800,
                                                                                        8700, 0))]))

    # Tracks and presets: entry 0 at the upper limits, entry 1 with one value past them in each kind of field.
    two = [rich(30, []), rich(31, [])]
    two[0]["play"], two[0]["repeat"] = 1, 1
    two[0]["dvd"] = [(99, 2, 0xEE)] * 8
    two[0]["ext_mp3"] = [(256, 2, 0xDD)] * 8
    two[0]["radio"] = [30] * 8
    two[1]["play"], two[1]["repeat"] = 2, 2
    two[1]["dvd"][3] = (100, 0, 0)
    two[1]["dvd"][5] = (5, 3, 0)
    two[1]["ext_mp3"][7] = (257, 1, 0)
    two[1]["ext_mp3"][0] = (1, 3, 0)
    two[1]["radio"][6] = 31
    damaged("fx-bad-ranges", schedule_file(two))


if __name__ == "__main__":
    main()
