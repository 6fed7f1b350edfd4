#!/usr/bin/python3
"""A teacher's repository for the UI scenarios: an FTP server on 127.0.0.1
serving a folder to one user, on a free port that it writes to a file once
it listens.
    ftp-server.py <folder> <user> <password> <port file>
"""
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

folder, user, password, port_file = sys.argv[1:5]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, folder, perm="elr")
handler = FTPHandler
handler.authorizer = authorizer
handler.passive_ports = None
server = FTPServer(("127.0.0.1", 0), handler)
with open(port_file + ".part", "w") as f:
    f.write(str(server.address[1]))
os.replace(port_file + ".part", port_file)
server.serve_forever()
