"""A web server for the update tests, on 127.0.0.1 and a port the system picks.

Serves the files of --root. --cut NAME answers for that file with its full length but sends
only half of it and closes; --slow NAME sends it in small pieces with pauses; --redirect
FROM=TO answers FROM with a redirect to TO; --overlong NAME announces the file's length and
sends more; --no-length NAME sends it without a length; --stall NAME announces it and then
sends a byte a second; --huge-length NAME announces a length too large for any number.
--tls-cert and --tls-key make it an https server. Every request's path and its User-Agent and Accept
headers are appended to --log, one tab-separated line each. The port is written to
--port-file once the server listens. Stops on SIGTERM, when the process that started it
ends, and after ten minutes at most.
"""
import argparse
import functools
import http.server
import os
import signal
import ssl
import sys
import threading
import time


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
    parser.add_argument("--log", required=True)
    parser.add_argument("--cut", action="append", default=[])
    parser.add_argument("--slow", action="append", default=[])
    parser.add_argument("--redirect", action="append", default=[])
    parser.add_argument("--overlong", action="append", default=[])
    parser.add_argument("--no-length", action="append", default=[])
    parser.add_argument("--stall", action="append", default=[])
    parser.add_argument("--huge-length", action="append", default=[])
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    args = parser.parse_args()
    special = args.cut + args.slow + args.overlong + args.no_length + args.stall + args.huge_length
    redirects = dict(item.split("=", 1) for item in args.redirect)

    class Handler(http.server.SimpleHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, format, *values):
            pass

        def do_GET(self):
            with open(args.log, "a", encoding="utf-8") as log:
                log.write("%s\t%s\t%s\n" % (self.path, self.headers.get("User-Agent", ""),
                                            self.headers.get("Accept", "")))
            if self.path in redirects:
                self.send_response(302)
                self.send_header("Location", redirects[self.path])
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            name = os.path.basename(self.path)
            local = os.path.join(args.root, self.path.lstrip("/"))
            if os.path.isfile(local) and name in special:
                with open(local, "rb") as f:
                    data = f.read()
                self.send_response(200)
                self.send_header("Content-Type", "application/octet-stream")
                if name in args.huge_length:
                    self.send_header("Content-Length", "9" * 40)
                elif name not in args.no_length:
                    self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.close_connection = True
                if name in args.overlong:
                    self.wfile.write(data + b"\0" * 4096)
                    return
                if name in args.no_length or name in args.huge_length:
                    self.wfile.write(data)
                    return
                if name in args.stall:
                    # A byte a second, for a minute at most.
                    for i in range(min(len(data), 60)):
                        self.wfile.write(data[i:i + 1])
                        self.wfile.flush()
                        time.sleep(1)
                    return
                if name in args.cut:
                    self.wfile.write(data[: len(data) // 2])
                    self.wfile.flush()
                    self.close_connection = True
                    return
                for start in range(0, len(data), 4096):
                    self.wfile.write(data[start:start + 4096])
                    self.wfile.flush()
                    time.sleep(0.02)
                return
            super().do_GET()

    stop_with_parent()
    handler = functools.partial(Handler, directory=args.root)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    if args.tls_cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.tls_cert, args.tls_key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    temp = args.port_file + ".tmp"
    with open(temp, "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(temp, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
