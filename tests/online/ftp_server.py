"""An FTP server for the high-score tests, on 127.0.0.1 and a port the system picks.

One account (--user, --password) whose home is --root, with the permissions --perm in
pyftpdlib's letters (default: read and write). With --tls-cert and --tls-key it speaks FTP
over TLS and requires it for the login and the data. The port is written to --port-file once the
server listens. Stops on SIGTERM, when the process that started it ends, and after ten
minutes at most.
"""
import argparse
import logging
import os
import signal
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def stop_with_parent(limit_seconds=600):
    """Ends the server when the test that started it is gone, and after `limit_seconds` at most."""
    parent = os.getppid()
    started = time.monotonic()

    def watch():
        while os.getppid() == parent and time.monotonic() - started < limit_seconds:
            time.sleep(0.2)
        os._exit(0)

    threading.Thread(target=watch, daemon=True).start()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--perm", default="elradfmw")
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    args = parser.parse_args()
    logging.basicConfig(level=logging.ERROR)

    stop_with_parent()
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm=args.perm)
    if args.tls_cert:
        from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

        class PatientDTPHandler(TLS_DTPHandler):
            """Lets the TLS handshake of a data connection run before the transfer command.

            pyftpdlib drops a data connection that has something to read before its transfer is
            set up, and libcurl starts the handshake as soon as it has connected."""

            def readable(self):
                if not self.receive and not self._initialized:
                    return self._ssl_want_read or self._ssl_accepting
                return super().readable()

        handler = TLS_FTPHandler
        handler.dtp_handler = PatientDTPHandler
        handler.certfile = args.tls_cert
        handler.keyfile = args.tls_key
        handler.tls_control_required = True
        handler.tls_data_required = True
    else:
        handler = FTPHandler
    handler.authorizer = authorizer
    handler.passive_ports = None
    # A refused login answers at once rather than after the usual pause.
    handler.auth_failed_timeout = 0
    server = FTPServer(("127.0.0.1", 0), handler)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    temp = args.port_file + ".tmp"
    with open(temp, "w") as f:
        f.write(str(server.address[1]))
    os.rename(temp, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
