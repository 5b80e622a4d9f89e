#!/usr/bin/env python3
"""Python's zipfile and Debian's unzip as peers of the Zip module's tests.

  zippeer.py prepare DIR   writes the archives the tests unzip into DIR/peer/
  zippeer.py check DIR     reads the tests' archives in DIR/out/ and fails
                           (exit 1) when one differs from what the tests zipped

The test program runs in DIR under Wine; the two steps run on the host
around it, so a mismatch fails the run even when the program itself passed.
"""
import datetime
import os
import subprocess
import sys
import zipfile

sys.dont_write_bytecode = True  # nothing is written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "peers"))
import peerstep  # noqa: E402

UTF8_FLAG = 0x800
# What the round-trip test zips (names, "/"-ended folders, file contents).
ROUND_TRIP = {
    "a.txt": b"alpha\n",
    "e/": None,
    "img/": None,
    "img/b.png": bytes(i % 256 for i in range(300 * 256)),
    ".hidden": b"secret",
    "zero.txt": b"",
}
CAFE_NAME = "caf\u00e9.txt"
CAFE_TEXT = b"cafe au lait"
DATE_SLACK = datetime.timedelta(minutes=30)


def write_peer_archives(peer):
    text = b"peer text\n"
    for name, method in (("stored", zipfile.ZIP_STORED), ("deflated", zipfile.ZIP_DEFLATED)):
        with zipfile.ZipFile(os.path.join(peer, name + "_folders.zip"), "w", method) as z:
            z.writestr("d/", b"")
            z.writestr("d/x.txt", text)
            z.writestr("top.txt", text * 100)
        with zipfile.ZipFile(os.path.join(peer, name + "_nofolders.zip"), "w", method) as z:
            z.writestr("top.txt", text * 100)
            z.writestr("sub/x.txt", text)
    with zipfile.ZipFile(os.path.join(peer, "empty.zip"), "w"):
        pass
    # A name outside the ANSI code page: zipfile sets the UTF-8 flag.
    with zipfile.ZipFile(os.path.join(peer, "utf8name.zip"), "w") as z:
        z.writestr("\u017elu\u0165ou\u010dk\u00fd.txt", text)
    # Names that would leave the destination, each after a harmless entry.
    for label, name in (("dotdot", "../kova_slip_evil.txt"), ("backslash", "..\\kova_slip_evil.txt"),
                        ("deep", "d/../../kova_slip_evil.txt"), ("absolute", "/kova_slip_evil.txt"),
                        ("drive", "C:/kova_slip_evil.txt")):
        with zipfile.ZipFile(os.path.join(peer, "slip_" + label + ".zip"), "w") as z:
            z.writestr("first.txt", text)
            info = zipfile.ZipInfo("placeholder")
            info.filename = name  # as given: ZipInfo would clean the name
            z.writestr(info, b"evil")
    # A stored entry whose data no longer matches its checksum.
    damaged = os.path.join(peer, "damaged.zip")
    with zipfile.ZipFile(damaged, "w", zipfile.ZIP_STORED) as z:
        z.writestr("first.txt", text)
        z.writestr("bad.txt", b"0123456789abcdef")
    data = bytearray(open(damaged, "rb").read())
    data[data.index(b"0123456789abcdef")] ^= 0xFF
    open(damaged, "wb").write(bytes(data))
    with open(os.path.join(peer, "notanarchive.txt"), "w") as f:
        f.write("just some text, not an archive\n")


def check_dates(archive, errors):
    now = datetime.datetime.now()
    for info in archive.infolist():
        dated = datetime.datetime(*info.date_time)
        if abs(now - dated) > DATE_SLACK:
            errors.append("%s dated %s, not the time of zipping" % (info.filename, dated))


def check_round_trip(path, errors):
    with zipfile.ZipFile(path) as archive:
        names = sorted(info.filename for info in archive.infolist())
        if names != sorted(ROUND_TRIP):
            errors.append("round trip entries %s, expected %s" % (names, sorted(ROUND_TRIP)))
            return
        for info in archive.infolist():
            expected = ROUND_TRIP[info.filename]
            if info.is_dir() != (expected is None):
                errors.append("%s: folder entry %s" % (info.filename, info.is_dir()))
            elif expected is not None and archive.read(info) != expected:
                errors.append("%s: contents differ" % info.filename)
            if info.flag_bits & UTF8_FLAG:
                errors.append("%s: UTF-8 flag set" % info.filename)
        check_dates(archive, errors)


def check_cafe(path, errors):
    with zipfile.ZipFile(path) as archive:
        infos = archive.infolist()
        raw = [info.filename.encode("cp437") for info in infos]
        if raw != [CAFE_NAME.encode("cp1252")]:
            errors.append("cafe archive names %r, expected the CP1252 bytes" % raw)
        elif infos[0].flag_bits & UTF8_FLAG:
            errors.append("cafe entry carries the UTF-8 flag")
        elif archive.read(infos[0]) != CAFE_TEXT:
            errors.append("cafe entry contents differ")


def check(out):
    errors = []
    checks = (("roundtrip.zip", check_round_trip), ("cafe.zip", check_cafe))
    for name, check_archive in checks:
        path = os.path.join(out, name)
        if not os.path.exists(path):
            errors.append("%s was not written" % name)
            continue
        try:
            check_archive(path, errors)
        except zipfile.BadZipFile as error:
            errors.append("%s: %s" % (name, error))
        tested = subprocess.run(["unzip", "-t", path], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        if tested.returncode != 0:
            errors.append("unzip -t %s:\n%s" % (name, tested.stdout.decode(errors="replace")))
    return errors


if __name__ == "__main__":
    sys.exit(peerstep.run("zip peer", write_peer_archives, check))
