#!/usr/bin/python3
"""Local FTP server for the transfer tests (pyftpdlib, Debian's
python3-pyftpdlib; run it with the system's /usr/bin/python3).

  ftpserver.py start DIR   starts the server in the background; returns once
                           DIR/ports.txt names its port ("ftp=N")
  ftpserver.py stop DIR    stops it and removes DIR's files
  ftpserver.py serve DIR   runs the server in the foreground (used by start)

It listens on 127.0.0.1 only, on a port the system picks, and serves the
folder DIR/root to the one user "kova" with the password "kova-pass". Reads
of "stall.bin" there stop after the first block until the client gives up.
Every command line the server receives is appended to DIR/commands.log. The
server ends by itself after a while, so one that was never stopped does not
stay behind.
"""
import os
import shutil
import signal
import sys
import threading
import time

import serverprocess

try:
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.filesystems import AbstractedFS
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import ThreadedFTPServer
except ImportError:
    sys.exit("pyftpdlib is missing for %s: install python3-pyftpdlib "
             "(scripts/install-system-packages.sh) and run this with /usr/bin/python3" % sys.executable)

USER = "kova"
PASSWORD = "kova-pass"
STALLING_FILE = "stall.bin"
STALLING_SIZE = 200000
STALL_SECONDS = 60
LIFETIME_SECONDS = 30 * 60
LOG_LOCK = threading.Lock()


class StallingFile(object):
    """A file whose first read answers and whose later reads wait."""

    def __init__(self, real):
        self._real = real
        self._reads = 0

    def read(self, size=-1):
        self._reads += 1
        if self._reads > 1:
            time.sleep(STALL_SECONDS)
        return self._real.read(size)

    def __getattr__(self, name):
        return getattr(self._real, name)


class StallingFS(AbstractedFS):
    def open(self, filename, mode):
        real = AbstractedFS.open(self, filename, mode)
        if os.path.basename(filename) == STALLING_FILE and "r" in mode:
            return StallingFile(real)
        return real


class LoggingHandler(FTPHandler):
    command_log = None

    def pre_process_command(self, line, cmd, arg):
        with LOG_LOCK, open(self.command_log, "a") as log:
            log.write(line + "\n")
        return FTPHandler.pre_process_command(self, line, cmd, arg)


def serve(folder):
    root = os.path.join(folder, "root")
    os.makedirs(root, exist_ok=True)
    with open(os.path.join(root, STALLING_FILE), "wb") as f:
        f.write(bytes(i % 251 for i in range(STALLING_SIZE)))
    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, root, perm="elradfmwMT")
    LoggingHandler.authorizer = authorizer
    LoggingHandler.abstracted_fs = StallingFS
    LoggingHandler.command_log = os.path.join(folder, "commands.log")
    LoggingHandler.auth_failed_timeout = 0
    # Reads must go through the file object, so the stalling file stalls.
    LoggingHandler.use_sendfile = False
    server = ThreadedFTPServer(("127.0.0.1", 0), LoggingHandler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    port = os.path.join(folder, "ports.txt")
    with open(port + ".tmp", "w") as out:
        out.write("ftp=%d\n" % server.address[1])
    os.replace(port + ".tmp", port)
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    time.sleep(LIFETIME_SECONDS)
    os._exit(0)


def remove_root(folder):
    shutil.rmtree(os.path.join(folder, "root"), ignore_errors=True)


if __name__ == "__main__":
    sys.exit(serverprocess.main(__file__, __doc__, serve, "FTP test server", ("commands.log",), remove_root))
