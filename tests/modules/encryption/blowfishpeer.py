#!/usr/bin/env python3
"""python3-cryptography's Blowfish as the peer of the Encryption module's tests.

  blowfishpeer.py prepare DIR  writes into DIR/peer/ the texts and files the
                               peer enciphered (strings.tsv, files.tsv,
                               plain_*.bin, peer_*.enc)
  blowfishpeer.py check DIR    deciphers what the tests wrote into DIR/out/
                               and fails (exit 1) on any mismatch

Texts: the UTF-8 bytes, a zero byte, zeros up to whole 8-byte blocks, one CBC
pass from a zero vector, Base64. Files: the plain length (32-bit little
endian), a zero word, then 8-byte blocks each enciphered on its own (ECB).
The peer refuses keys shorter than 4 bytes; the tests use published vectors
for those.
"""
import base64
import os
import struct
import sys
import warnings

sys.dont_write_bytecode = True  # nothing is written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "peers"))
import peerstep  # noqa: E402

# The cipher is deprecated for new uses; here it is the point.
warnings.simplefilter("ignore")
try:  # cryptography 43 and later keep Blowfish among the decrepit ciphers
    from cryptography.hazmat.decrepit.ciphers.algorithms import Blowfish
except ImportError:
    from cryptography.hazmat.primitives.ciphers.algorithms import Blowfish
from cryptography.hazmat.primitives.ciphers import Cipher, modes

KEYS = [b"abcd", b"sixteen byte key", "cl\u00e9 \u043a\u043b\u044e\u0447".encode(), bytes(range(65, 65 + 56))]
TEXTS = ["a", "1234567", "12345678", "h\u00e9llo w\u00f6rld \u2713", "The quick brown fox jumps over the lazy dog" * 3]
FILE_KEY = b"file key, 20 bytes!!"
FILES = {
    "empty": b"",
    "one": b"x",
    "nine": b"123456789",
    "equalblocks": b"ABCDEFGH" * 2 + b"tail",
    "big": bytes((i * 7 + (i >> 8)) % 256 for i in range(70000)),
}


def cipher(key, mode):
    return Cipher(Blowfish(key), mode)


def padded_text(text):
    data = text.encode() + b"\0"
    return data + b"\0" * (-len(data) % 8)


def encrypt_text(key, text):
    encryptor = cipher(key, modes.CBC(b"\0" * 8)).encryptor()
    return base64.b64encode(encryptor.update(padded_text(text)) + encryptor.finalize()).decode()


def decrypt_text(key, text):
    decryptor = cipher(key, modes.CBC(b"\0" * 8)).decryptor()
    plain = decryptor.update(base64.b64decode(text, validate=True)) + decryptor.finalize()
    return plain.split(b"\0", 1)[0].decode()


def encrypt_file(key, plain):
    encryptor = cipher(key, modes.ECB()).encryptor()
    blocks = plain + b"\0" * (-len(plain) % 8)
    return struct.pack("<II", len(plain), 0) + encryptor.update(blocks) + encryptor.finalize()


def decrypt_file(key, data):
    length, _reserved = struct.unpack("<II", data[:8])
    if len(data) != 8 + (length + 7) // 8 * 8:
        raise ValueError("size %d does not match the header's length %d" % (len(data), length))
    decryptor = cipher(key, modes.ECB()).decryptor()
    return (decryptor.update(data[8:]) + decryptor.finalize())[:length]


def prepare(peer):
    with open(os.path.join(peer, "strings.tsv"), "w") as table:
        for key in KEYS:
            for text in TEXTS:
                table.write("%s\t%s\t%s\n" % (key.hex(), text.encode().hex(), encrypt_text(key, text)))
    with open(os.path.join(peer, "files.tsv"), "w") as table:
        for name, plain in FILES.items():
            table.write("%s\t%s\n" % (FILE_KEY.hex(), name))
            with open(os.path.join(peer, "plain_%s.bin" % name), "wb") as f:
                f.write(plain)
            with open(os.path.join(peer, "peer_%s.enc" % name), "wb") as f:
                f.write(encrypt_file(FILE_KEY, plain))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def check(out):
    errors = []
    strings = os.path.join(out, "strings.tsv")
    if not os.path.exists(strings):
        errors.append("out/strings.tsv was not written")
    else:
        for line in open(strings).read().splitlines():
            key, text, enciphered = line.split("\t")
            try:
                plain = decrypt_text(bytes.fromhex(key), enciphered)
            except ValueError as error:
                plain = "<%s>" % error
            if plain != bytes.fromhex(text).decode():
                errors.append("text %r deciphers to %r" % (bytes.fromhex(text), plain))
    for name, plain in FILES.items():
        path = os.path.join(out, "ours_%s.enc" % name)
        if not os.path.exists(path):
            errors.append("%s was not written" % path)
            continue
        try:
            if decrypt_file(FILE_KEY, read(path)) != plain:
                errors.append("%s deciphers to other bytes" % path)
        except ValueError as error:
            errors.append("%s: %s" % (path, error))
    return errors


if __name__ == "__main__":
    sys.exit(peerstep.run("blowfish peer", prepare, check))
