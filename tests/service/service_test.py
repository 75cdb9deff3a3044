#!/usr/bin/env python3
"""Tests of the update service (service/versions/index.php) under a real PHP: PHP's
built-in server on a free port of 127.0.0.1, with a document root of its own made from
service/ and a release data file, asked with plain HTTP.

usage: service_test.py
"""
import http.client
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import unittest
import urllib.parse
import xml.etree.ElementTree as ElementTree

SERVICE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "service")
# A value of each kind the reply carries; the URL needs escaping in XML.
RELEASE = {
    "version": "1.0.3",
    "downloadUrl": "http://updates.example:8080/files/1.0.3/Enneo.upd?a=1&b=<2>",
    "updaterUrl": "http://updates.example:8080/files/1.0.3/updater.exe",
    "updaterSignature": "QUJD" * 21 + "QQ==",
    "downloadSignature": "REVG" * 21 + "RA==",
    "latestVersion": "1.0.3",
    "latestExpires": "2000000000",
    "latestSignature": "R0hJ" * 21 + "Rw==",
    "latestArchitectureSignature": "S0xN" * 21 + "Sw==",
}
# Names the service must refuse by their form alone: the data file below holds a release
# under each of them.
MALFORMED = {"too long": "A" * 65, "a path": "../etc/passwd", "a trailing newline": "Enneo\n", "empty": ""}
ELEMENTS = ["message", "version", "downloadUrl", "updaterUrl", "updaterSignature", "downloadSignature",
            "latestVersion", "latestExpires", "latestSignature", "latestArchitectureSignature"]


def free_port():
    with socket.create_server(("127.0.0.1", 0)) as probe:
        return probe.getsockname()[1]


def stop(server):
    server.terminate()
    try:
        server.wait(timeout=5)
    except subprocess.TimeoutExpired:
        server.kill()
        server.wait(timeout=5)


class UpdateServiceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if shutil.which("php") is None:
            raise RuntimeError("php is not installed (scripts/setup.sh installs php-cli)")
        cls.root = tempfile.TemporaryDirectory()
        cls.addClassCleanup(cls.root.cleanup)
        shutil.copytree(SERVICE, cls.root.name, dirs_exist_ok=True)
        with open(os.path.join(cls.root.name, "versions", "releases.json"), "w") as data:
            json.dump(dict({"Enneo": RELEASE}, **{name: RELEASE for name in MALFORMED.values()}), data)
        cls.port = free_port()
        server = subprocess.Popen(["php", "-S", "127.0.0.1:%d" % cls.port, "-t", cls.root.name],
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        cls.addClassCleanup(stop, server)
        deadline = time.monotonic() + 10
        while True:
            try:
                socket.create_connection(("127.0.0.1", cls.port), timeout=1).close()
                break
            except OSError:
                if server.poll() is not None or time.monotonic() > deadline:
                    raise RuntimeError("php -S did not start listening on port %d" % cls.port)
                time.sleep(0.1)

    def get(self, query):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        try:
            connection.request("GET", "/versions/index.php" + query)
            response = connection.getresponse()
            return response.status, response.headers, response.read()
        finally:
            connection.close()

    def test_a_known_name_gets_its_release_uncached(self):
        status, headers, body = self.get("?name=Enneo")
        self.assertEqual(200, status)
        self.assertEqual("text/xml", headers["Content-Type"].split(";")[0].strip())
        self.assertEqual("no-store", headers["Cache-Control"])
        self.assertTrue(body.startswith(b"<?xml version='1.0' encoding='UTF-8'?>"))
        update = ElementTree.fromstring(body)
        self.assertEqual("update", update.tag)
        self.assertEqual(ELEMENTS, [element.tag for element in update])
        self.assertEqual(dict(RELEASE, message=None), {element.tag: element.text for element in update})

    def test_the_command_line_prints_the_same_reply(self):
        _, _, body = self.get("?name=Enneo")
        script = os.path.join(self.root.name, "versions", "index.php")
        printed = subprocess.run(["php", script, "Enneo"], capture_output=True, timeout=30, check=True)
        self.assertEqual(body, printed.stdout)
        unknown = subprocess.run(["php", script, "Other"], capture_output=True, timeout=30)
        self.assertNotEqual(0, unknown.returncode)
        self.assertEqual(b"", unknown.stdout)

    def test_unknown_malformed_and_missing_names_are_not_found(self):
        queries = {case: "?name=" + urllib.parse.quote(name, safe="") for case, name in MALFORMED.items()}
        queries.update({
            "unknown": "?name=Other",
            "unknown, longest form": "?name=" + "A" * 64,
            "a path to the data": "?name=" + urllib.parse.quote("../versions/releases", safe=""),
            "an array": "?name[]=Enneo",
            "missing": "",
        })
        for case, query in queries.items():
            with self.subTest(case):
                status, headers, body = self.get(query)
                self.assertEqual(404, status)
                self.assertEqual("no-store", headers["Cache-Control"])
                self.assertNotIn(b"<update>", body)


if __name__ == "__main__":
    unittest.main()
