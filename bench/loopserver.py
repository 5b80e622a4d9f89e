#!/usr/bin/env python3
"""Loopback HTTP server for the URL-stream benchmark.

  loopserver.py DIR   serves on 127.0.0.1 (a port the system picks, written
                      to DIR/port.txt) until killed or LIFETIME_SECONDS pass

GET /bytes/N (any query) answers N bytes of a fixed pattern with their
length, written in blocks of a mebibyte straight to the socket.
"""
import http.server
import os
import sys
import threading

LIFETIME_SECONDS = 30 * 60
BLOCK = bytes(i % 251 for i in range(1 << 20))


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        pass

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        if not path.startswith("/bytes/") or not path[7:].isdigit():
            self.send_error(404)
            return
        remaining = int(path[7:])
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(remaining))
        self.end_headers()
        self.wfile.flush()
        view = memoryview(BLOCK)
        while remaining > 0:
            piece = min(remaining, len(BLOCK))
            self.connection.sendall(view[:piece])
            remaining -= piece


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Timer(LIFETIME_SECONDS, server.shutdown).start()
    with open(os.path.join(folder, "port.txt.new"), "w") as out:
        out.write("%d\n" % server.server_address[1])
    os.replace(os.path.join(folder, "port.txt.new"), os.path.join(folder, "port.txt"))
    server.serve_forever()


if __name__ == "__main__":
    main()
