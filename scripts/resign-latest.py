#!/usr/bin/env python3
"""Signs the latest statement of each release an update service offers anew, so that it
expires later: the publisher runs it before the statement expires (every week, say).

usage: resign-latest.py SERVICE_DIR PRIVATE.pem [--days N]

SERVICE_DIR is the service's document root, as scripts/release.sh writes it under
DIR/service (or a copy a web server serves). For each program of
versions/releases.json, its latest statement (the program's name, the release's
"version" and an expiry N days from now, 14 unless given; see scripts/sign-update.py)
is signed with the publisher's key into "latestVersion", "latestExpires" and
"latestSignature", and versions/NAME.xml, the prepared reply for servers without PHP,
is written anew where it exists. Each file is replaced in one step, so a server never
serves half of one. Prints each program's new expiry.
"""
import argparse
import importlib.util
import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("sign_update", os.path.join(HERE, "sign-update.py"))
sign_update = importlib.util.module_from_spec(spec)
spec.loader.exec_module(sign_update)


def replace(path, text):
    """Writes text to path in one step."""
    with open(path + ".new", "w") as f:
        f.write(text)
    os.replace(path + ".new", path)


def main():
    parser = argparse.ArgumentParser(usage=__doc__.split("\n\n")[1])
    parser.add_argument("service")
    parser.add_argument("key")
    parser.add_argument("--days", type=int, default=14)
    options = parser.parse_args()
    if not 1 <= options.days <= 365:
        parser.error("--days is 1 to 365")
    versions = os.path.join(options.service, "versions")
    data = os.path.join(versions, "releases.json")
    with open(data) as f:
        releases = json.load(f)
    expires = int(time.time()) + options.days * 86400
    for name, release in releases.items():
        text = sign_update.latest_statement(name, release["version"], expires)
        release.update(latestVersion=release["version"], latestExpires=str(expires),
                       latestSignature=sign_update.sign(text, options.key))
    replace(data, json.dumps(releases, indent=2) + "\n")
    for name in releases:
        prepared = os.path.join(versions, name + ".xml")
        if os.path.exists(prepared):
            reply = subprocess.run(["php", os.path.join(versions, "index.php"), name], check=True,
                                   capture_output=True, text=True).stdout
            replace(prepared, reply)
        print("resign-latest: %s %s until %s" % (name, releases[name]["version"],
                                                  time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime(expires))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
