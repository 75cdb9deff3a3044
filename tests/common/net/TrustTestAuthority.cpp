// TrustTestAuthority: makes the Wine prefix it runs in trust the HTTPS test server's authority.
//
// usage: trust_test_authority AUTHORITY.der
// Adds the certificate to the "Root" store of the prefix's machine, so that the chain
// checks of every later program there end at it; the stranger authority is never added.
// Run by CTest as a fixture before the HTTPS tests, in the tree's own prefix only (never
// on a real Windows: there it would change what the machine trusts).
#include <windows.h>

#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: trust_test_authority AUTHORITY.der\n", stderr);
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    std::vector<BYTE> der((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (der.empty()) {
        std::fputs("trust_test_authority: the certificate cannot be read\n", stderr);
        return 1;
    }
    HCERTSTORE root = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    if (root == nullptr) {
        std::fprintf(stderr, "trust_test_authority: the Root store cannot be opened (%lu)\n", GetLastError());
        return 1;
    }
    BOOL added = CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()),
                                                  CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    DWORD error = GetLastError();
    CertCloseStore(root, 0);
    if (!added) {
        std::fprintf(stderr, "trust_test_authority: the certificate was not added (%lu)\n", error);
        return 1;
    }
    std::puts("trust_test_authority: the test authority is trusted in this prefix");
    return 0;
}
