"""The two steps of a peer check, shared by the modules' peer scripts.

  SCRIPT prepare DIR   empties DIR, makes DIR/peer/ (the peer's inputs for the
                       tests) and DIR/out/ (what the tests write)
  SCRIPT check DIR     checks DIR/out/; exit 1 when any check failed
"""
import os
import shutil
import sys


def run(label, prepare, check):
    """prepare(peer_dir) writes the inputs; check(out_dir) answers a list of
    errors. Answers the exit code."""
    if len(sys.argv) != 3 or sys.argv[1] not in ("prepare", "check"):
        print(__doc__)
        return 2
    base = sys.argv[2]
    if sys.argv[1] == "prepare":
        shutil.rmtree(base, ignore_errors=True)
        os.makedirs(os.path.join(base, "out"))
        os.makedirs(os.path.join(base, "peer"))
        prepare(os.path.join(base, "peer"))
        return 0
    errors = check(os.path.join(base, "out"))
    for error in errors:
        print("%s: %s" % (label, error))
    return 1 if errors else 0
