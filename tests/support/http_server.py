#!/usr/bin/python3
"""A local HTTP server for the tests: serves --root on a free port of
127.0.0.1, printed as "PORT <n>" on the first line of standard output.
A path below /status/NNN/ is answered with status NNN and a short error page,
as a server that fails would answer. A path below /slow/MS/ is the file of
the rest of the path, its headers sent at once and then 1024 bytes every MS
milliseconds, as a slow server sends."""
import argparse
import functools
import http.server
import re
import sys
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        slow = re.match(r"^/slow/(\d+)(/.*)$", self.path)
        if slow:
            return self.send_slowly(int(slow.group(1)) / 1000.0, slow.group(2))
        match = re.match(r"^/status/(\d{3})/", self.path)
        if not match:
            return super().do_GET()
        body = ("<html><body>error %s</body></html>" % match.group(1)).encode()
        self.send_response(int(match.group(1)))
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def send_slowly(self, pause, path):
        with open(self.translate_path(path), "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.flush()
        for start in range(0, len(body), 1024):
            time.sleep(pause)
            self.wfile.write(body[start:start + 1024])
            self.wfile.flush()

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    args = parser.parse_args()
    handler = functools.partial(Handler, directory=args.root)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    finally:
        server.server_close()


if __name__ == "__main__":
    sys.exit(main())
