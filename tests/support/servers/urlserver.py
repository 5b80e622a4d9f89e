#!/usr/bin/env python3
"""Local HTTP and HTTPS server for the tests of URL streams and HTTP gets.

  urlserver.py start DIR   starts the server in the background; returns once
                           DIR/ports.txt names its ports ("http=N", "https=N")
                           and DIR/cert.pem holds the server's certificate;
                           DIR/requests.log gets one line per request
  urlserver.py stop DIR    stops it and removes DIR's files
  urlserver.py serve DIR   runs the server in the foreground (used by start)

Both listen on 127.0.0.1 only, on ports the system picks. The server ends by
itself after a while, so one that was never stopped does not stay behind.
"""
import http.server
import os
import shutil
import signal
import ssl
import sys
import threading
import time

import serverprocess

HERE = os.path.dirname(os.path.abspath(__file__))
CERT = os.path.join(HERE, "selfsigned.pem")
KEY = os.path.join(HERE, "selfsigned.key")
LIFETIME_SECONDS = 30 * 60
BIG_SIZE = 70000
PACED_BLOCK = 1024
SLOW_SIZE = 50
LOG_LOCK = threading.Lock()


def big_body(size):
    """The body of /big: byte i is i % 251, so a lost or moved piece shows."""
    return bytes(i % 251 for i in range(size))


class Handler(http.server.BaseHTTPRequestHandler):
    """GET answers by path (the query is ignored, so tests can tell their
    requests apart in the log); HEAD answers with the same headers and no
    body. Every request line goes to the request log."""
    protocol_version = "HTTP/1.1"
    request_log = None

    def log_message(self, format, *args):
        pass

    def log_request_line(self):
        with LOG_LOCK, open(self.request_log, "a") as log:
            log.write("%s %s\n" % (self.command, self.path))

    def send_head(self, status, content_type=None, length=None, close=False):
        self.send_response(status)
        if content_type:
            self.send_header("Content-Type", content_type)
        if length is not None:
            self.send_header("Content-Length", str(length))
        if close:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()

    def has_body(self):
        return self.command != "HEAD"

    def write(self, data):
        if self.has_body():
            self.wfile.write(data)
            self.wfile.flush()

    def send_body(self, status, body, content_type="application/octet-stream"):
        self.send_head(status, content_type, len(body))
        self.write(body)

    def do_HEAD(self):
        self.do_GET()

    def do_GET(self):
        self.log_request_line()
        route = self.path.split("?", 1)[0]
        if route == "/big":
            self.send_body(200, big_body(BIG_SIZE))
        elif route == "/empty":
            self.send_body(200, b"", "text/plain")
        elif route == "/text":
            self.send_body(200, b"<data>hello</data>", "text/xml")
        elif route == "/unknown":
            # No length: the body ends when the connection closes.
            self.send_head(200, "text/plain", close=True)
            self.write(b"length unknown")
        elif route == "/truncated":
            # Announces the whole body, sends a part and hangs up.
            self.send_head(200, "application/octet-stream", BIG_SIZE, close=True)
            self.write(big_body(BIG_SIZE)[:20000])
        elif route == "/stall":
            # Headers, then nothing, until the client gives up.
            self.send_head(200, length=100, close=True)
            if self.has_body():
                time.sleep(30)
        elif route == "/paced":
            # Two blocks of 1024 bytes, 300 ms apart, so they reach the
            # client separately.
            self.send_head(200, "application/octet-stream", 2 * PACED_BLOCK)
            self.write(big_body(PACED_BLOCK))
            if self.has_body():
                time.sleep(0.3)
            self.write(big_body(2 * PACED_BLOCK)[PACED_BLOCK:])
        elif route == "/slow":
            # One byte every 100 ms.
            self.send_head(200, "text/plain", SLOW_SIZE, close=True)
            for _ in range(SLOW_SIZE if self.has_body() else 0):
                self.write(b"s")
                time.sleep(0.1)
        elif route == "/auth":
            # Echoes the Authorization header the client sent.
            value = self.headers.get("Authorization")
            self.send_body(200, (("Authorization: " + value) if value else "no authorization").encode(),
                           "text/plain")
        else:
            self.send_body(404, b"not found", "text/plain")

    def do_POST(self):
        self.log_request_line()
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length)
        lines = ["%s: %s" % (name, value) for name, value in self.headers.items()
                 if name.lower().startswith("x-") or name.lower() == "content-type"]
        answer = "\n".join(lines).encode() + b"\nbody=" + body
        self.send_body(200, answer, "text/plain")


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


def serve(folder):
    Handler.request_log = os.path.join(folder, "requests.log")
    plain = Server(("127.0.0.1", 0), Handler)
    secure = Server(("127.0.0.1", 0), Handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(CERT, KEY)
    secure.socket = context.wrap_socket(secure.socket, server_side=True)
    for server in (plain, secure):
        threading.Thread(target=server.serve_forever, daemon=True).start()
    shutil.copyfile(CERT, os.path.join(folder, "cert.pem"))
    ports = os.path.join(folder, "ports.txt")
    with open(ports + ".tmp", "w") as out:
        out.write("http=%d\nhttps=%d\n" % (plain.server_address[1], secure.server_address[1]))
    os.replace(ports + ".tmp", ports)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    time.sleep(LIFETIME_SECONDS)


if __name__ == "__main__":
    sys.exit(serverprocess.main(__file__, __doc__, serve, "URL test server", ("cert.pem", "requests.log")))
