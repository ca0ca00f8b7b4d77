#!/usr/bin/python3
"""A local HTTP server for the tests: serves --root on a free port of
127.0.0.1, printed as "PORT <n>" on the first line of standard output.
A path below /status/NNN/ is answered with status NNN and a short error page,
as a server that fails would answer."""
import argparse
import functools
import http.server
import re
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        match = re.match(r"^/status/(\d{3})/", self.path)
        if not match:
            return super().do_GET()
        body = ("<html><body>error %s</body></html>" % match.group(1)).encode()
        self.send_response(int(match.group(1)))
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

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
