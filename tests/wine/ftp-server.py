#!/usr/bin/python3
"""A teacher's repository for the UI scenarios: an FTP server on 127.0.0.1
serving a folder to one user, on a free port that it writes to a file once
it listens.
    ftp-server.py <folder> <user> <password> <port file> [<faults file>]
The faults file, read at every request, makes the server fail as a real one
can; each line is one of
    truncate <file name>    a download sends half the file and ends as done
    cut-listing <folder>    a listing of that folder breaks off after its
                            first entry with a 426 reply
"""
import io
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

folder, user, password, port_file = sys.argv[1:5]
faults_file = sys.argv[5] if len(sys.argv) > 5 else None


def faults(kind):
    if not faults_file or not os.path.exists(faults_file):
        return set()
    with open(faults_file) as f:
        return {line.split(None, 1)[1].strip() for line in f
                if line.startswith(kind + " ")}


class FaultyFS(AbstractedFS):
    def open(self, filename, mode):
        if os.path.basename(filename) in faults("truncate"):
            with open(filename, "rb") as f:
                data = f.read()
            half = io.BytesIO(data[:len(data) // 2])
            half.name = filename
            return half
        return super().open(filename, mode)

    def format_list(self, basedir, listing, ignore_err=True):
        lines = super().format_list(basedir, listing, ignore_err)
        if os.path.basename(basedir.rstrip("/")) in faults("cut-listing"):
            yield next(lines)
            raise OSError("listing cut off")
        yield from lines


authorizer = DummyAuthorizer()
authorizer.add_user(user, password, folder, perm="elr")
handler = FTPHandler
handler.authorizer = authorizer
handler.abstracted_fs = FaultyFS
handler.passive_ports = None
server = FTPServer(("127.0.0.1", 0), handler)
with open(port_file + ".part", "w") as f:
    f.write(str(server.address[1]))
os.replace(port_file + ".part", port_file)
server.serve_forever()
