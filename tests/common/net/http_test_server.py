#!/usr/bin/env python3
"""The HTTP server the network tests talk to, on the loopback only (127.0.0.1, and ::1 on
the same port where the machine has an IPv6 loopback), scripted per request path.

usage: http_test_server.py start PORTFILE [PORT [RELEASE]] [TLS OPTIONS]
                                            start a server in the background; returns
                                            once it listens
       http_test_server.py stop PORTFILE    stop the server of that file
       http_test_server.py serve PORTFILE [PORT [RELEASE]] [TLS OPTIONS]
                                            run in the foreground
       http_test_server.py free-port        print a port from 20000 to 32000 that is
                                            free on 127.0.0.1 now, drawn at random

PORT is the port to listen on (any free one when absent or 0). RELEASE, a JSON file,
sets up the update service: "updater" and "program", the files it serves as the
updater and as the new version (stand-ins whose version resources name NEW); "key" the
publisher's private key that it signs their statements with (scripts/sign-update.py),
"stranger_key" another one; "name" the program's name, "arch" the tree's architecture
and "other_arch" the other one; and three releases: "installed", the program's own,
"new", and "other", another newer one.

TLS OPTIONS: "--certificates DIR" (made by make-test-certificates.sh) adds an HTTPS port
on 127.0.0.1 that serves the same paths; "--https-port N" chooses it (any free one
otherwise). Which TLS it speaks is chosen for every later connection by
/tls-control?mode=M on either port (200 'ok'), from the modes in TLS_MODES: good (a
certificate for "localhost" from the test authority), expired, wrong-host, unknown (from
an authority nobody trusts), tls10 (TLS 1.0 only), stall (accepts, never answers the
handshake), noise (answers the ClientHello with random bytes).

The port file holds one line: "<port> <closed port> <stalled port> <pid> <ipv6> <https
port> <forward> <refuse> <ask> <silent>". The closed port refuses connections; the
stalled port accepts none (its queue is kept full), so connecting to it never completes
(both on 127.0.0.1); ipv6 is 1 when the server also listens on [::1]:<port>, else 0; the
https port is 0 without certificates. The last four are a proxy's ports on 127.0.0.1,
one per way it answers (below). The server stops by itself after five idle minutes.

The proxy logs the first line of every request it receives on any of its ports (see
/proxy-log), then by port:
  forward  a CONNECT host:port is tunnelled to 127.0.0.1:port (whatever the host) after
           "200 Connection established"; a request in the absolute form
           "GET http://host:port/path HTTP/1.1" goes to 127.0.0.1:port as
           "GET /path HTTP/1.1", its headers unchanged; either way the bytes then pass
           both ways until one side closes; 502 when nothing listens there
  refuse   403 Forbidden, then the close
  ask      407 with "Proxy-Authenticate: Basic", then the close
  silent   never answers (the connection is held a minute)

Paths (the answer is sent, then the connection is held until the client closes it or
for a minute, so that a client that waits for the close is seen to hang):
  /echo...           200, the body is the request's exact bytes
  /peer              200, the body is the client's address ('127.0.0.1' or '::1')
  /split             Content-Length 10, the body in three parts with pauses
  /chunked           chunked 'hello, world' in two parts; the last header ends in '0'
  /chunk-pause       chunked 'abcde0 CR LF fghij': the first chunk, whose data ends in
                     '0' CR LF, and its own CR LF, a pause of 3 s, then the rest
  /chunked-capital   'Transfer-Encoding: Chunked', then the connection closes
  /no-length         no Content-Length, the header block and two body parts apart,
                     then the close
  /no-length-held    the same without the close
  /short             Content-Length 10, 5 bytes, then the close
  /short-chunked     one chunk and no last chunk, then the close
  /cut-header, /cut-chunk-size, /cut-chunk   the close inside the header block, a
                     chunk size line, a chunk's data
  /long-promise?length=N   Content-Length N, 5 bytes, then nothing
  /drip              Content-Length 1000, the response sent one byte a second
  /trickle           no Content-Length, 600 bytes every 0.9 s for a minute (or until
                     the client goes), then the close
  /huge              no Content-Length, 64 MiB as fast as they go, then the close
  /steady            Content-Length 16384, 2048 bytes every half second
  /many-headers      100,000 header lines before Content-Length 2
  /noise?seed=N      20,000 random bytes, then the close
  /empty             200 with Content-Length 0
  /not-found         404 with a body
  /no-reason         'HTTP/1.1 200' without a reason phrase
  /big?size=N        200 with N bytes sent at once
  /deep?depth=N      200 with Content-Length, '<a>' N times, then '</a>' N times
  /bad-chunk?size=S  chunked, a chunk of size line S with 3 bytes of data
  /move?status=N&location=L&cookie=C   status N with Location L and Set-Cookie C,
                     each only when given
  /hops/N            302 to the relative 'N-1' while N > 0, then 200 'done'
  /silent            reads the request and never answers
  /proxy-log         200, the request lines the proxy received, one per line
  /proxy.pac?port=N  a configuration script that sends every URL to the proxy on port N

The update service (the update check's tests): its answer to the update request is set
by the last /update-control, and the requests it received since then are listed.
  /update-control?scenario=S   sets S (below), forgets the requests; 200 'ok'
  /update-log        200, the request lines received since, one per line (those that
                     came over the HTTPS port after 'https ')
  /versions/index.php  by scenario: 'newer' a reply offering NEW; 'same' one with
                     INSTALLED; 'message' one with a message (and NEW); 'missing'
                     404; 'silent' no answer; 'no-updater' NEW with an updater URL
                     on the closed port; 'crlf-url' NEW with '&#13;&#10;X-Injected: 1'
                     inside the updater URL's path; 'deep-65' the 'newer' reply with its
                     elements 65 levels deep (the root is level 1); 'loop' a redirect
                     to a new URL each time; 'deep' the /deep answer 9,000 levels deep
                     (just under 64 KiB: the depth limit refuses it, not the size);
                     any of the fault paths above by name ('drip', 'noise', 'huge',
                     'trickle', ...). Replies offering a release carry the signatures
                     of both files' statements made with the key: as NEW, their role
                     and the tree's architecture. 'unsigned' offers NEW without them,
                     'stranger' signed with the stranger's key, 'wrong-version' offers
                     OTHER with the NEW files but statements of OTHER; 'not-a-version'
                     NEW with more text after it; 'other-version'
                     offers NEW with statements of OTHER, 'other-arch' with statements
                     of the other architecture; 'updater-as-program' serves the updater
                     with its own statement as the new version too, 'mislabelled' the
                     updater as the new version with a statement of the program;
                     'wrong-machine' the program with another machine in its PE header,
                     signed; 'tampered-updater' and 'tampered-download' serve that file
                     with its last byte changed after signing; 'slow-download' sends the
                     new version over 30 s, so that its progress shows for
                     longer than a test waits for it. Every reply carries a latest
                     statement naming its version, signed with the key for the tree's
                     architecture (and in the older form without it, as the service
                     does) and expiring a week after the server started, except:
                     'no-latest' none, 'expired' one that expired a minute before the
                     server started, 'latest-other' one naming OTHER beside the offer of
                     NEW, 'latest-other-arch' one of the other architecture naming NEW
  /files/updater.exe   the updater file
  /files/Enneo.upd     the program file (by scenario, see above)
"""
import json
import os
import random
import select
import signal
import socket
import socketserver
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

IDLE_SECONDS = 300
HOLD_SECONDS = 60
TRICKLE_SECONDS = 60
HUGE_SIZE = 64 << 20
SIGN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "scripts", "sign-update.py")
last_activity = time.monotonic()
proxy_log = []
update = {"scenario": "same", "log": [], "port": 0, "closed_port": 0, "https_port": 0, "release": None,
          "served": {}, "signatures": {}, "latest": {}}
# The HTTPS port's TLS for the next connections, and a server context for each mode that
# speaks TLS: its certificate file (in the certificates folder) and whether it is TLS 1.0.
tls = {"mode": "good", "contexts": {}}
TLS_MODES = {"good": ("good.pem", False), "expired": ("expired.pem", False), "wrong-host": ("wrong-host.pem", False),
             "unknown": ("unknown.pem", False), "tls10": ("good.pem", True)}
# By scenario, what the service offers and how: the version in the reply, the files
# served as the updater and the new version, and for each its signature as (file, role,
# version, architecture, key); the defaults are the release NEW as it should be.
FILES = {"updater-as-program": ("updater", "updater"), "mislabelled": ("updater", "updater"),
         "wrong-machine": ("updater", "patched")}
AS_RELEASED = (("updater", "updater", "new", "arch", "key"), ("program", "program", "new", "arch", "key"))
SIGNED = {
    "stranger": tuple(entry[:4] + ("stranger_key",) for entry in AS_RELEASED),
    "wrong-version": tuple(entry[:2] + ("other",) + entry[3:] for entry in AS_RELEASED),
    "other-version": tuple(entry[:2] + ("other",) + entry[3:] for entry in AS_RELEASED),
    "other-arch": tuple(entry[:3] + ("other_arch", "key") for entry in AS_RELEASED),
    "updater-as-program": (AS_RELEASED[0], AS_RELEASED[0]),
    "mislabelled": (AS_RELEASED[0], ("updater", "program", "new", "arch", "key")),
    "wrong-machine": (AS_RELEASED[0], ("patched", "program", "new", "arch", "key")),
}


# The latest statements: by scenario, the release named, whether it has expired and the
# architecture named; the default names the version offered, unexpired, of the tree's.
LATEST = {"expired": ("new", True, "arch"), "latest-other": ("other", False, "arch"),
          "latest-other-arch": ("new", False, "other_arch")}


def sign_all():
    """Signs the statements of every scenario once, before the server listens."""
    release = update["release"]
    started = int(time.time())
    for version, expired, arch in {(version, False, "arch") for version in ("installed", "new", "other")}.union(
            LATEST.values()):
        expires = str(started - 60 if expired else started + 7 * 86400)
        update["latest"][version, expired, arch] = (release[version], expires) + tuple(subprocess.run(
            [sys.executable, SIGN, release["key"], "--name", release["name"], *form, "--version", release[version],
             "--expires", expires], check=True, capture_output=True, text=True).stdout.strip()
            for form in (["--old-form"], ["--arch", release[arch]]))
    for file, role, version, arch, key in set(AS_RELEASED).union(*SIGNED.values()):
        update["signatures"][file, role, version, arch, key] = subprocess.run(
            [sys.executable, SIGN, update["served"][file], release[key], "--name", release["name"], "--role", role,
             "--arch", release[arch], "--version", release[version]],
            check=True, capture_output=True, text=True).stdout.strip()


def patched_program(path, folder):
    """A copy of the program in folder whose PE header names the other machine."""
    with open(path, "rb") as f:
        content = bytearray(f.read())
    header = int.from_bytes(content[0x3C:0x40], "little")
    machine = int.from_bytes(content[header + 4:header + 6], "little")
    content[header + 4:header + 6] = (0x8664 if machine == 0x014C else 0x014C).to_bytes(2, "little")
    patched = os.path.join(folder, "patched-" + os.path.basename(path))
    with open(patched, "wb") as f:
        f.write(content)
    return patched


def update_reply(scenario, secure):
    """The reply; its file URLs on the port it was asked on (https: the name the
    certificate carries)."""
    base = ("https://localhost:%d/files/" % update["https_port"] if secure
            else "http://127.0.0.1:%d/files/" % update["port"])
    updater = base + "updater.exe"
    if scenario == "no-updater":
        updater = "http://127.0.0.1:%d/updater.exe" % update["closed_port"]
    elif scenario == "crlf-url":
        updater = base + "&#13;&#10;X-Injected: 1/updater.exe"
    release = update["release"]
    offered = {"same": "installed", "wrong-version": "other"}.get(scenario, "new")
    version = release[offered]
    if scenario == "not-a-version":
        version += " - call us at http://support.invalid/"
    message = "<message>Service closed</message>" if scenario == "message" else "<message/>"
    elements = ("%s<version>%s</version><downloadUrl>%sEnneo.upd</downloadUrl><updaterUrl>%s</updaterUrl>"
                % (message, version, base, updater))
    if scenario != "unsigned":
        signed = SIGNED.get(scenario, AS_RELEASED)
        elements += ("<updaterSignature>%s</updaterSignature><downloadSignature>%s</downloadSignature>"
                     % (update["signatures"][signed[0]], update["signatures"][signed[1]]))
    if scenario != "no-latest":
        elements += ("<latestVersion>%s</latestVersion><latestExpires>%s</latestExpires>"
                     "<latestSignature>%s</latestSignature><latestArchitectureSignature>%s"
                     "</latestArchitectureSignature>" % update["latest"][LATEST.get(scenario, (offered, False, "arch"))])
    if scenario == "deep-65":
        elements = "<a>" * 63 + elements + "</a>" * 63
    return ("<?xml version='1.0' encoding='UTF-8'?>\n<update>%s</update>\n" % elements).encode()


# Answers sent whole, after which the server closes its side of the connection.
SENT_THEN_CLOSED = {
    "/chunked-capital": b"HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
    "/short": b"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabcde",
    "/short-chunked": b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n",
    "/cut-header": b"HTTP/1.1 200 OK\r\nContent-Le",
    "/cut-chunk-size": b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n1",
    "/cut-chunk": b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel",
}

# The update service's answers that are faults of the network tests' paths, and the
# query they are asked with.
FAULTS = {name: "/" + name for name in ("cut-header", "long-promise", "drip", "many-headers", "noise",
                                        "huge", "trickle", "deep")}
FAULT_QUERY = {"length": "100000000", "depth": "9000"}


def read_header_block(conn):
    """A request up to the end of its header block (and what came with it), None when the
    client closed or went quiet first; at most 64 KiB is read for it."""
    global last_activity
    last_activity = time.monotonic()
    conn.settimeout(10)
    request = b""
    try:
        while b"\r\n\r\n" not in request and len(request) < 65536:
            data = conn.recv(65536)
            if not data:
                return None
            request += data
    except OSError:
        return None
    return request


class Handler(socketserver.BaseRequestHandler):
    secure = False  # the connection came through the HTTPS port

    def handle(self):
        conn = self.request
        request = read_header_block(conn)
        if request is None:
            return
        target = request.split(b" ")[1].decode("utf-8", "replace") if b" " in request else "/"
        parsed = urllib.parse.urlsplit(target)
        query = dict(urllib.parse.parse_qsl(parsed.query, keep_blank_values=True))
        try:
            self.answer(conn, parsed.path, query, request)
            self.hold(conn)
        except OSError:
            pass

    @staticmethod
    def hold(conn):
        conn.settimeout(HOLD_SECONDS)
        try:
            while conn.recv(65536):
                pass
        except OSError:
            pass

    def answer(self, conn, path, query, request):
        def send(*parts, pause=0.2):
            for i, part in enumerate(parts):
                if i:
                    time.sleep(pause)
                conn.sendall(part)

        def ok(body, status=b"200 OK"):
            send(b"HTTP/1.1 " + status + b"\r\nContent-Length: %d\r\n\r\n" % len(body) + body)

        if path.startswith("/echo"):
            ok(request)
        elif path == "/peer":
            ok(self.client_address[0].encode())
        elif path == "/split":
            send(b"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", b"defg", b"hij")
        elif path == "/chunked":
            send(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nX-Count: 10\r\n\r\n",
                 b"5\r\nhello\r\n", b"7\r\n, world\r\n0\r\n\r\n")
        elif path == "/chunk-pause":
            send(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n8\r\nabcde0\r\n\r\n",
                 b"5\r\nfghij\r\n0\r\n\r\n", pause=3)
        elif path in SENT_THEN_CLOSED:
            send(SENT_THEN_CLOSED[path])
            conn.shutdown(socket.SHUT_WR)
        elif path.startswith("/no-length"):
            send(b"HTTP/1.1 200 OK\r\n\r\n", b"first part, ", b"second part")
            if path == "/no-length":
                conn.shutdown(socket.SHUT_WR)
        elif path == "/long-promise":
            send(b"HTTP/1.1 200 OK\r\nContent-Length: %s\r\n\r\nabcde" % query.get("length", "0").encode())
        elif path == "/drip":
            response = b"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + b"x" * 1000
            send(*(response[i:i + 1] for i in range(len(response))), pause=1)
        elif path == "/trickle":
            conn.sendall(b"HTTP/1.1 200 OK\r\n\r\n")
            end = time.monotonic() + TRICKLE_SECONDS
            while time.monotonic() < end:  # a client that has gone makes sendall fail
                conn.sendall(b"t" * 600)
                time.sleep(0.9)
            conn.shutdown(socket.SHUT_WR)
        elif path == "/huge":
            conn.sendall(b"HTTP/1.1 200 OK\r\n\r\n")
            block = b"h" * (1 << 20)
            for _ in range(HUGE_SIZE // len(block)):
                conn.sendall(block)
            conn.shutdown(socket.SHUT_WR)
        elif path == "/steady":
            send(*([b"HTTP/1.1 200 OK\r\nContent-Length: 16384\r\n\r\n"] + [b"s" * 2048] * 8), pause=0.5)
        elif path == "/many-headers":
            lines = b"".join(b"X-Line-%d: value\r\n" % i for i in range(100000))
            send(b"HTTP/1.1 200 OK\r\n" + lines + b"Content-Length: 2\r\n\r\nok")
        elif path == "/noise":
            noise = random.Random(int(query.get("seed", "1"))).randbytes(20000)
            send(noise)
            conn.shutdown(socket.SHUT_WR)
        elif path == "/empty":
            ok(b"")
        elif path == "/not-found":
            ok(b"no such page", b"404 Not Found")
        elif path == "/no-reason":
            send(b"HTTP/1.1 200\r\nContent-Length: 2\r\n\r\nok")
        elif path == "/big":
            ok(b"x" * int(query.get("size", "0")))
        elif path == "/deep":
            depth = int(query.get("depth", "0"))
            ok(b"<a>" * depth + b"</a>" * depth)
        elif path == "/bad-chunk":
            size = query.get("size", "").encode("latin-1")
            send(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + size + b"\r\nabc\r\n0\r\n\r\n")
        elif path == "/move":
            head = b"HTTP/1.1 %s Moved\r\n" % query.get("status", "302").encode()
            if "location" in query:
                head += b"Location: " + query["location"].encode() + b"\r\n"
            if "cookie" in query:
                head += b"Set-Cookie: " + query["cookie"].encode() + b"\r\n"
            send(head + b"Content-Length: 5\r\n\r\nmoved")
        elif path.startswith("/hops/"):
            left = int(path[len("/hops/"):])
            if left > 0:
                send(b"HTTP/1.1 302 Found\r\nLocation: %d\r\nContent-Length: 0\r\n\r\n" % (left - 1))
            else:
                ok(b"done")
        elif path == "/silent":
            pass
        elif path == "/tls-control":
            tls["mode"] = query.get("mode", "good")
            ok(b"ok")
        elif path == "/proxy-log":
            ok("".join(line + "\n" for line in proxy_log).encode())
        elif path == "/proxy.pac":
            ok(b'function FindProxyForURL(url, host) { return "PROXY 127.0.0.1:%s; DIRECT"; }'
               % query.get("port", "0").encode())
        elif path == "/update-control":
            update["scenario"] = query.get("scenario", "same")
            update["log"] = []
            ok(b"ok")
        elif path == "/update-log":
            ok("".join(line + "\n" for line in update["log"]).encode())
        elif path == "/versions/index.php" or path.startswith("/files/"):
            update["log"].append(("https " if self.secure else "") + request.split(b"\r\n")[0].decode("latin-1"))
            self.answer_update(conn, path, request, ok)
        else:
            ok(b"unknown test path", b"500 Unknown")

    def answer_update(self, conn, path, request, ok):
        scenario = update["scenario"]
        if path == "/versions/index.php" and scenario in FAULTS:
            self.answer(conn, FAULTS[scenario], FAULT_QUERY, request)
        elif path == "/versions/index.php" and scenario == "loop":
            update["hops"] = update.get("hops", 0) + 1
            location = b"Location: index.php?hop=%d\r\n" % update["hops"]
            conn.sendall(b"HTTP/1.1 302 Found\r\n" + location + b"Content-Length: 0\r\n\r\n")
        elif path in ("/files/updater.exe", "/files/Enneo.upd") and update["release"]:
            served = FILES.get(scenario, ("updater", "program"))[path == "/files/Enneo.upd"]
            with open(update["served"][served], "rb") as f:
                content = f.read()
            if scenario == {"/files/updater.exe": "tampered-updater", "/files/Enneo.upd": "tampered-download"}[path]:
                content = content[:-1] + bytes([content[-1] ^ 1])
            if scenario == "slow-download" and path == "/files/Enneo.upd":
                piece = len(content) // 20 + 1
                conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % len(content))
                for i in range(0, len(content), piece):
                    conn.sendall(content[i:i + piece])
                    time.sleep(1.5)
            else:
                ok(content)
        elif path.startswith("/files/") or scenario == "missing":
            ok(b"not here", b"404 Not Found")
        elif scenario != "silent":
            ok(update_reply(scenario, self.secure))


class TlsHandler(Handler):
    """A connection to the HTTPS port: the TLS of the mode, then the same paths."""
    secure = True

    def handle(self):
        global last_activity
        last_activity = time.monotonic()
        conn = self.request
        mode = tls["mode"]
        conn.settimeout(10)
        try:
            if mode == "stall":
                self.hold(conn)
                return
            if mode == "noise":
                conn.recv(65536)  # the ClientHello
                conn.sendall(random.Random(7).randbytes(4000))
                self.hold(conn)
                return
            self.request = tls["contexts"][mode].wrap_socket(conn, server_side=True)
        except (OSError, ssl.SSLError):
            return
        super().handle()


def tls_contexts(folder):
    contexts = {}
    for mode, (certificate, tls10) in TLS_MODES.items():
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        if tls10:
            context.set_ciphers("DEFAULT:@SECLEVEL=0")
            context.minimum_version = context.maximum_version = ssl.TLSVersion.TLSv1
        context.load_cert_chain(os.path.join(folder, certificate))
        contexts[mode] = context
    return contexts


def relay(one, other):
    """Passes bytes both ways until a side closes or both are quiet for a minute."""
    sockets = [one, other]
    while True:
        readable, _, _ = select.select(sockets, [], [], HOLD_SECONDS)
        if not readable:
            return
        for source in readable:
            data = source.recv(65536)
            if not data:
                return
            (other if source is one else one).sendall(data)


class ProxyHandler(socketserver.BaseRequestHandler):
    """The proxy; its server's mode says how it answers (see the usage)."""

    def handle(self):
        conn = self.request
        request = read_header_block(conn)
        if request is None:
            return
        try:
            line = request.split(b"\r\n")[0]
            proxy_log.append(line.decode("latin-1"))
            mode = self.server.mode
            if mode == "refuse":
                conn.sendall(b"HTTP/1.1 403 Forbidden\r\nContent-Length: 9\r\n\r\nforbidden")
            elif mode == "ask":
                conn.sendall(b"HTTP/1.1 407 Proxy Authentication Required\r\n"
                             b'Proxy-Authenticate: Basic realm="test proxy"\r\nContent-Length: 4\r\n\r\nwho?')
            elif mode == "silent":
                Handler.hold(conn)
            else:
                self.forward(conn, line, request)
        except OSError:
            pass

    @staticmethod
    def forward(conn, line, request):
        method, target, version = (line.split(b" ") + [b"", b""])[:3]
        if method == b"CONNECT":
            port = target.rsplit(b":", 1)[-1]
            rest = request[request.index(b"\r\n\r\n") + 4:]
        else:
            parsed = urllib.parse.urlsplit(target.decode("latin-1"))
            port = str(parsed.port or 80).encode()
            origin = (parsed.path or "/") + ("?" + parsed.query if parsed.query else "")
            rest = b" ".join((method, origin.encode("latin-1"), version)) + request[len(line):]
        try:
            upstream = socket.create_connection(("127.0.0.1", int(port)), timeout=5)
        except (OSError, ValueError):
            conn.sendall(b"HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n")
            return
        with upstream:
            upstream.settimeout(None)
            conn.settimeout(None)
            if method == b"CONNECT":
                conn.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
            if rest:
                upstream.sendall(rest)
            relay(conn, upstream)


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


class ProxyServer(Server):
    def __init__(self, mode):
        super().__init__(("127.0.0.1", 0), ProxyHandler)
        self.mode = mode


class Server6(Server):
    address_family = socket.AF_INET6


def serve(port_file, port="0", release=None, certificates=None, https_port="0"):
    server = Server(("127.0.0.1", int(port)), Handler)
    secure = None
    if certificates:
        tls["contexts"] = tls_contexts(certificates)
        secure = Server(("127.0.0.1", int(https_port)), TlsHandler)
        threading.Thread(target=secure.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()
        update["https_port"] = secure.server_address[1]
    try:
        server6 = Server6(("::1", server.server_address[1]), Handler)
    except OSError:  # no IPv6 loopback here (or the port is taken there): the IPv6 tests skip
        server6 = None
    if server6:
        threading.Thread(target=server6.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()
    closed = socket.socket()
    closed.bind(("127.0.0.1", 0))
    closed_port = closed.getsockname()[1]
    closed.close()
    stalled = socket.socket()
    stalled.bind(("127.0.0.1", 0))
    stalled.listen(0)
    filler = socket.create_connection(stalled.getsockname())  # fills the queue of one
    update.update(port=server.server_address[1], closed_port=closed_port)
    proxies = [ProxyServer(mode) for mode in ("forward", "refuse", "ask", "silent")]
    for proxy in proxies:
        threading.Thread(target=proxy.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()
    if release:
        with open(release) as f:
            update["release"] = json.load(f)
        update["served"] = {"updater": update["release"]["updater"], "program": update["release"]["program"],
                            "patched": patched_program(update["release"]["program"], os.path.dirname(release))}
        sign_all()
    line = "%d %d %d %d %d %d %s\n" % (server.server_address[1], closed_port, stalled.getsockname()[1], os.getpid(),
                                       1 if server6 else 0, update["https_port"],
                                       " ".join(str(p.server_address[1]) for p in proxies))
    with open(port_file + ".new", "w") as f:
        f.write(line)
    os.replace(port_file + ".new", port_file)

    def watchdog():
        while time.monotonic() - last_activity < IDLE_SECONDS:
            time.sleep(1)
        server.shutdown()

    threading.Thread(target=watchdog, daemon=True).start()
    signal.signal(signal.SIGTERM, lambda *_: threading.Thread(target=server.shutdown).start())
    server.serve_forever(poll_interval=0.2)
    for other in (server6, secure):
        if other:
            other.shutdown()
    filler.close()
    stalled.close()
    if os.path.exists(port_file):
        os.remove(port_file)


def free_port():
    """A fixed port for a tree's update service (its tests' programs have its URL built
    in), drawn at random so that trees and machines seldom share one."""
    while True:
        port = random.randint(20000, 32000)
        try:
            socket.create_server(("127.0.0.1", port)).close()
            print(port)
            return
        except OSError:
            pass


def start(port_file, *options, **tls_options):
    stop(port_file)
    named = [word for name, value in tls_options.items() if value for word in ("--" + name.replace("_", "-"), value)]
    subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", port_file, *options, *named],
                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                     start_new_session=True)
    deadline = time.monotonic() + 10
    while not os.path.exists(port_file):
        if time.monotonic() > deadline:
            sys.exit("http_test_server: the server did not start")
        time.sleep(0.05)
    print("http_test_server: listening,", open(port_file).read().strip())


def stop(port_file):
    try:
        pid = int(open(port_file).read().split()[3])
    except (OSError, IndexError, ValueError):
        return
    try:
        os.kill(pid, signal.SIGTERM)
    except OSError:
        pass
    deadline = time.monotonic() + 5
    while os.path.exists(port_file) and time.monotonic() < deadline:
        time.sleep(0.05)
    if os.path.exists(port_file):
        os.remove(port_file)


def main(arguments):
    if arguments == ["free-port"]:
        return free_port()
    named = {}
    for option in ("certificates", "https_port"):
        flag = "--" + option.replace("_", "-")
        if flag in arguments[:-1]:
            at = arguments.index(flag)
            named[option] = arguments[at + 1]
            del arguments[at:at + 2]
    if len(arguments) not in (2, 3, 4) or arguments[0] not in ("start", "stop", "serve") or (
            named and arguments[0] == "stop"):
        sys.exit(__doc__)
    {"start": start, "stop": stop, "serve": serve}[arguments[0]](*arguments[1:], **named)


if __name__ == "__main__":
    main(sys.argv[1:])
