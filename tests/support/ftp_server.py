#!/usr/bin/python3
"""A local FTP server for the tests: one user, one root folder, a free port on
127.0.0.1 printed as "PORT <n>" on the first line of standard output.

--encoding names the code page in which the server reads file names (cp932
for a Japanese server). --drop names a file: the server closes the control
connection in the middle of receiving it, as a failing server would.
--ignore-case makes names match whatever their letter case, as on a Windows
server: a name that differs only in case from an existing one is that file.
--slow names a file whose upload the server answers half a second late."""
import argparse
import os
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", default="quillby")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--encoding", default="cp932")
    parser.add_argument("--drop", default="")
    parser.add_argument("--ignore-case", action="store_true")
    parser.add_argument("--slow", default="")
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

    class Handler(FTPHandler):
        encoding = args.encoding

        def decode(self, data):
            return data.decode(self.encoding, "replace")

        # pyftpdlib writes name listings in UTF-8 whatever it reads names in;
        # a Japanese server lists them in its own code page.
        def push_dtp_data(self, data, isproducer=False, file=None, cmd=None):
            if cmd == "NLST" and isinstance(data, bytes):
                data = data.decode("utf8", "replace").encode(self.encoding, "replace")
            return super().push_dtp_data(data, isproducer, file, cmd)

        def ftp_STOR(self, file, mode="w"):
            if args.drop and os.path.basename(file) == args.drop:
                self.close()
                return None
            if args.slow and os.path.basename(file) == args.slow:
                time.sleep(0.5)
            return super().ftp_STOR(file, mode)

    class FoldingFS(AbstractedFS):
        # Each level of the path takes the existing entry of that name in
        # any letter case; an exact match wins.
        def ftp2fs(self, ftppath):
            real = super().ftp2fs(ftppath)
            rel = os.path.relpath(real, self.root)
            if rel == "." or rel.startswith(".."):
                return real
            path = self.root
            for part in rel.split(os.sep):
                try:
                    names = os.listdir(path)
                except OSError:
                    names = []
                if part not in names:
                    part = next((n for n in names if n.lower() == part.lower()), part)
                path = os.path.join(path, part)
            return path

    if args.ignore_case:
        Handler.abstracted_fs = FoldingFS
    Handler.authorizer = authorizer
    Handler.banner = "test server ready."
    Handler.auth_failed_timeout = 0.05
    Handler.passive_ports = None
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.address[1], flush=True)
    try:
        server.serve_forever(handle_exit=True)
    finally:
        server.close_all()


if __name__ == "__main__":
    sys.exit(main())
