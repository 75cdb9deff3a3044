#!/bin/bash
# Makes the certificates of the HTTPS test server, once per build tree:
#   make-test-certificates.sh DIR
# DIR/authority.pem (and .der): the test authority, which the tree's Wine prefix trusts
# (TrustTestAuthority); DIR/stranger.pem: an authority nobody trusts. Certificates with
# their keys (one key for all): good.pem for "localhost" and 127.0.0.1, expired.pem the
# same but valid only in 2020, wrong-host.pem for "elsewhere.example", all three from the
# test authority, and unknown.pem for "localhost" from the stranger. Test keys only, never
# kept anywhere but DIR.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: make-test-certificates.sh DIR" >&2; exit 2; }
dir=$1
mkdir -p "$dir"
cd "$dir"
umask 077

authority() {  # NAME SUBJECT
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 3650 -subj "/CN=$2" \
        -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
}
authority authority "Enneo Test Authority"
authority stranger "Enneo Stranger Authority"
openssl x509 -in authority.pem -outform DER -out authority.der
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out server.key 2>/dev/null

# issue NAME AUTHORITY HOST [STARTDATE ENDDATE]: NAME.pem, the certificate then the key.
issue() {
    local name=$1 issuer=$2 host=$3 start=${4:-} end=${5:-}
    openssl req -new -key server.key -subj "/CN=$host" -out "$name.csr"
    cat >"$name.ext" <<EXT
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=DNS:$host${6:-}
EXT
    if [ -z "$start" ]; then
        openssl x509 -req -in "$name.csr" -CA "$issuer.pem" -CAkey "$issuer.key" -CAcreateserial -days 825 \
            -extfile "$name.ext" -out "$name.crt" 2>/dev/null
    else
        # openssl x509 cannot date a certificate in the past; openssl ca can.
        mkdir -p ca-$name
        : >ca-$name/index.txt
        cat >ca-$name/ca.cnf <<CNF
[ca]
default_ca = test
[test]
database = ca-$name/index.txt
new_certs_dir = ca-$name
serial = ca-$name/serial
default_md = sha256
policy = any
copy_extensions = none
[any]
commonName = supplied
CNF
        echo 01 >ca-$name/serial
        openssl ca -batch -config ca-$name/ca.cnf -cert "$issuer.pem" -keyfile "$issuer.key" -in "$name.csr" \
            -startdate "$start" -enddate "$end" -extfile "$name.ext" -out "$name.crt" -notext 2>/dev/null
    fi
    cat "$name.crt" server.key >"$name.pem"
    rm -f "$name.csr" "$name.ext" "$name.crt"
}
issue good authority localhost "" "" ",IP:127.0.0.1"
issue expired authority localhost 20200101000000Z 20201231000000Z ",IP:127.0.0.1"
issue wrong-host authority elsewhere.example
issue unknown stranger localhost "" "" ",IP:127.0.0.1"
