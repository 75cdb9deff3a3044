// TlsSession: Schannel through SSPI, and the server's chain checked with CryptoAPI.
#include "TlsSession.h"

#include "TlsRecordHeader.h"

#include "common/CatalogueText.h"
#include "common/Exception.h"
#include "common/util/SystemLibrary.h"

#define SECURITY_WIN32
#define SCHANNEL_USE_BLACKLISTS  // for SCH_CREDENTIALS
#include <windows.h>

#include <subauth.h>  // UNICODE_STRING, which SCH_CREDENTIALS's header uses
#include <wincrypt.h>

#include <schannel.h>
#include <security.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace net {

namespace {

// The most the server may send before the handshake is over: its certificates and
// their chain fit many times over.
const size_t kMaxHandshakeBytes = 256 * 1024;
const DWORD kModernProtocols = SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT;
const DWORD kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                            ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM | ISC_REQ_MANUAL_CRED_VALIDATION;

// SSPI's table of functions, which the system keeps for the life of the process.
const SecurityFunctionTableW& TableOf(const util::SystemLibrary& secur32) {
    PSecurityFunctionTableW table = secur32.Find<decltype(InitSecurityInterfaceW)>("InitSecurityInterfaceW")();
    if (table == nullptr) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsUnavailable));
    return *table;
}

// The SSPI functions (secur32.dll, through its table) and the CryptoAPI ones
// (crypt32.dll) this file calls, found once.
struct Platform {
    util::SystemLibrary secur32{L"secur32.dll"};
    util::SystemLibrary crypt32{L"crypt32.dll"};
    const SecurityFunctionTableW& sspi = TableOf(secur32);
    decltype(&CertGetCertificateChain) getChain =
        crypt32.Find<decltype(CertGetCertificateChain)>("CertGetCertificateChain");
    decltype(&CertVerifyCertificateChainPolicy) verifyPolicy =
        crypt32.Find<decltype(CertVerifyCertificateChainPolicy)>("CertVerifyCertificateChainPolicy");
    decltype(&CertFreeCertificateChain) freeChain =
        crypt32.Find<decltype(CertFreeCertificateChain)>("CertFreeCertificateChain");
    decltype(&CertFreeCertificateContext) freeCertificate =
        crypt32.Find<decltype(CertFreeCertificateContext)>("CertFreeCertificateContext");
};

// Raises on first use when a DLL or one of its functions is missing; a later call
// tries again.
const Platform& GetPlatform() {
    static const Platform platform;
    return platform;
}

// The phrase for a chain refused by the policy's error, else by the chain's own
// status (which some systems' policy lets pass: a chain that ends short of any root).
String CertificateFault(DWORD policyError, DWORD chainStatus) {
    if (policyError == static_cast<DWORD>(CERT_E_EXPIRED) ||
        (policyError == 0 && (chainStatus & CERT_TRUST_IS_NOT_TIME_VALID) != 0)) {
        return CatalogueText(TextId::kNetTlsCertificateTime);
    }
    if (policyError == static_cast<DWORD>(CERT_E_CN_NO_MATCH)) return CatalogueText(TextId::kNetTlsCertificateName);
    // an unknown root, a broken chain, a revoked or unusable certificate
    return CatalogueText(TextId::kNetTlsCertificateUntrusted);
}

// The host as a certificate names it: an IPv6 literal without its brackets.
String NameOf(const String& host) {
    String name(host);
    int length = name.GetLength();
    if (length > 2 && host.GetText()[0] == L'[' && host.GetText()[length - 1] == L']') {
        host.SubString(name, 1, length - 2);
    }
    return name;
}

}  // namespace

struct TlsSession::State {
    const Platform& platform = GetPlatform();
    CredHandle credentials{};
    CtxtHandle context{};
    bool hasCredentials = false;
    bool hasContext = false;
    bool ended = false;  // the server ended the session (close_notify)
    SecPkgContext_StreamSizes sizes{};
    std::vector<char> incoming;  // received, not yet decrypted
    std::vector<char> plain;     // decrypted, not yet handed out
    size_t plainStart = 0;

    ~State() {
        if (hasContext) platform.sspi.DeleteSecurityContext(&context);
        if (hasCredentials) platform.sspi.FreeCredentialsHandle(&credentials);
    }

    // Credentials for TLS 1.2 and 1.3 where the system knows the newer form of asking
    // (Windows 10 1809 and later); else for TLS 1.2 alone, in the older form.
    void AcquireCredentials() {
        TLS_PARAMETERS parameters{};
        parameters.grbitDisabledProtocols = ~kModernProtocols;
        SCH_CREDENTIALS modern{};
        modern.dwVersion = SCH_CREDENTIALS_VERSION;
        modern.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS | SCH_USE_STRONG_CRYPTO;
        modern.cTlsParameters = 1;
        modern.pTlsParameters = &parameters;
        if (Acquire(&modern)) return;
        SCHANNEL_CRED older{};
        older.dwVersion = SCHANNEL_CRED_VERSION;
        older.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
        older.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS | SCH_USE_STRONG_CRYPTO;
        if (!Acquire(&older)) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsNo12));
    }

    bool Acquire(void* data) {
        wchar_t package[] = UNISP_NAME_W;
        hasCredentials = platform.sspi.AcquireCredentialsHandleW(nullptr, package, SECPKG_CRED_OUTBOUND, nullptr,
                                                                 data, nullptr, nullptr, &credentials,
                                                                 nullptr) == SEC_E_OK;
        return hasCredentials;
    }

    // One step of the handshake over what has come (none for the first): sends what
    // Schannel answers and keeps what it has not used.
    SECURITY_STATUS Step(TCPSocket& socket, const String& host) {
        SecBuffer in[2] = {{static_cast<unsigned long>(incoming.size()), SECBUFFER_TOKEN, incoming.data()},
                           {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc = {SECBUFFER_VERSION, 2, in};
        SecBuffer out[1] = {{0, SECBUFFER_TOKEN, nullptr}};
        SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, out};
        unsigned long attributes = 0;
        String name = NameOf(host);
        SECURITY_STATUS status = platform.sspi.InitializeSecurityContextW(
            &credentials, hasContext ? &context : nullptr, const_cast<wchar_t*>(name.GetText()), kContextFlags, 0,
            0, hasContext ? &inDesc : nullptr, 0, &context, &outDesc, &attributes, nullptr);
        hasContext = hasContext || status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK;
        if (out[0].pvBuffer != nullptr) {
            bool sent = out[0].cbBuffer == 0 || SendAll(socket, out[0].pvBuffer, out[0].cbBuffer);
            platform.sspi.FreeContextBuffer(out[0].pvBuffer);
            if (!sent) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsHandshakeFailed));
        }
        if (status != SEC_E_INCOMPLETE_MESSAGE) KeepExtra(in[1]);
        return status;
    }

    // Keeps the bytes a call has not used (its SECBUFFER_EXTRA, at the end of
    // incoming), or none.
    void KeepExtra(const SecBuffer& buffer) {
        if (buffer.BufferType == SECBUFFER_EXTRA && buffer.cbBuffer <= incoming.size()) {
            incoming.erase(incoming.begin(), incoming.end() - buffer.cbBuffer);
        } else {
            incoming.clear();
        }
    }

    static bool SendAll(TCPSocket& socket, const void* data, unsigned long count) {
        const char* bytes = static_cast<const char*>(data);
        while (count > 0) {
            int sent = socket.Send(bytes, static_cast<int>(std::min<unsigned long>(count, 1 << 20)));
            if (sent <= 0) return false;
            bytes += sent;
            count -= static_cast<unsigned long>(sent);
        }
        return true;
    }

    // Receives once into incoming, waiting until waitEnd (none: the socket's own
    // time-out): as TCPSocket::Receive.
    int ReceiveMore(TCPSocket& socket, const Deadline& waitEnd) {
        size_t had = incoming.size();
        incoming.resize(had + TCPSocket::kReceiveBufferSize);
        int n = socket.Receive(incoming.data() + had, waitEnd.IsSet() ? waitEnd.MillisecondsLeft() : -1);
        incoming.resize(had + static_cast<size_t>(std::max(n, 0)));
        return n;
    }

    // Checks the server's chain up to a trusted root, its host name and its use for a
    // server, from the system's certificates and caches alone: no fetching, so that no
    // wait escapes the deadline (and no revocation check, which would need one).
    void CheckCertificate(const String& host) {
        PCCERT_CONTEXT certificate = nullptr;
        if (platform.sspi.QueryContextAttributesW(&context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) !=
                SEC_E_OK ||
            certificate == nullptr) {
            throw new Exception(L"%s", CatalogueText(TextId::kNetTlsNoCertificate));
        }
        char serverUse[] = szOID_PKIX_KP_SERVER_AUTH;
        LPSTR uses[] = {serverUse};
        CERT_CHAIN_PARA chainPara{};
        chainPara.cbSize = sizeof chainPara;
        chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
        chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
        chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = uses;
        PCCERT_CHAIN_CONTEXT chain = nullptr;
        BOOL built = platform.getChain(
            nullptr, certificate, nullptr, certificate->hCertStore, &chainPara,
            CERT_CHAIN_CACHE_ONLY_URL_RETRIEVAL, nullptr, &chain);
        platform.freeCertificate(certificate);
        if (!built || chain == nullptr) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsCertificateUnchecked));

        String name = NameOf(host);
        SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
        ssl.cbSize = sizeof ssl;
        ssl.dwAuthType = AUTHTYPE_SERVER;
        ssl.pwszServerName = const_cast<wchar_t*>(name.GetText());
        CERT_CHAIN_POLICY_PARA policyPara{};
        policyPara.cbSize = sizeof policyPara;
        policyPara.pvExtraPolicyPara = &ssl;
        CERT_CHAIN_POLICY_STATUS policyStatus{};
        policyStatus.cbSize = sizeof policyStatus;
        BOOL checked = platform.verifyPolicy(CERT_CHAIN_POLICY_SSL, chain, &policyPara, &policyStatus);
        DWORD chainStatus = chain->TrustStatus.dwErrorStatus;
        platform.freeChain(chain);
        if (!checked) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsCertificateUnchecked));
        if (policyStatus.dwError != 0 || chainStatus != CERT_TRUST_NO_ERROR) {
            throw new Exception(L"%s", CertificateFault(policyStatus.dwError, chainStatus));
        }
    }

    // Refuses a connection below TLS 1.2, whatever the system agreed to.
    void CheckProtocol() {
        SecPkgContext_ConnectionInfo info{};
        if (platform.sspi.QueryContextAttributesW(&context, SECPKG_ATTR_CONNECTION_INFO, &info) != SEC_E_OK ||
            (info.dwProtocol & kModernProtocols) == 0) {
            throw new Exception(L"%s", CatalogueText(TextId::kNetTlsServerTooOld));
        }
    }

    // Decrypts the first record of incoming into plain: SEC_E_OK (a record of no
    // bytes too), SEC_E_INCOMPLETE_MESSAGE, or what ended or broke the session.
    SECURITY_STATUS DecryptRecord(TCPSocket& socket, const String& host) {
        SecBuffer buffers[4] = {{static_cast<unsigned long>(incoming.size()), SECBUFFER_DATA, incoming.data()},
                                {0, SECBUFFER_EMPTY, nullptr},
                                {0, SECBUFFER_EMPTY, nullptr},
                                {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
        SECURITY_STATUS status = platform.sspi.DecryptMessage(&context, &desc, 0, nullptr);
        if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE) return status;
        SecBuffer extra{0, SECBUFFER_EMPTY, nullptr};
        for (const SecBuffer& buffer : buffers) {
            if (buffer.BufferType == SECBUFFER_DATA && buffer.cbBuffer > 0) {
                const char* data = static_cast<const char*>(buffer.pvBuffer);
                plain.insert(plain.end(), data, data + buffer.cbBuffer);
            } else if (buffer.BufferType == SECBUFFER_EXTRA) {
                extra = buffer;
            }
        }
        KeepExtra(extra);
        if (status == SEC_I_RENEGOTIATE) {
            // The server has more to say about the session (a TLS 1.3 ticket): it
            // goes to the handshake, which must then be over again.
            status = Step(socket, host);
            if (status != SEC_E_OK) return status;
        }
        return SEC_E_OK;
    }

    int TakePlain(char* buffer) {
        size_t count = std::min(plain.size() - plainStart, static_cast<size_t>(TCPSocket::kReceiveBufferSize));
        std::memcpy(buffer, plain.data() + plainStart, count);
        plainStart += count;
        if (plainStart == plain.size()) {
            plain.clear();
            plainStart = 0;
        }
        return static_cast<int>(count);
    }
};

TlsSession::TlsSession(TCPSocket& socket, const wchar_t* host) : Object(L"TlsSession"), socket_(socket), host_(host) {}

TlsSession::~TlsSession() = default;

void TlsSession::Handshake(const Deadline& deadline, int stallMilliseconds) {
    state_ = std::make_unique<State>();
    State& state = *state_;
    state.AcquireCredentials();
    size_t received = 0;
    bool answered = false;  // the server's first bytes have been read as TLS
    SECURITY_STATUS status = state.Step(socket_, host_);
    auto lastBytes = Deadline::Clock::now();
    while (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_INCOMPLETE_MESSAGE ||
           status == SEC_I_INCOMPLETE_CREDENTIALS) {
        if (status != SEC_I_INCOMPLETE_CREDENTIALS && (status == SEC_E_INCOMPLETE_MESSAGE || state.incoming.empty())) {
            if (received > kMaxHandshakeBytes) {
                throw new Exception(L"%s", CatalogueText(TextId::kNetTlsHandshakeTooLong));
            }
            Deadline stallEnd = stallMilliseconds > 0
                                    ? Deadline(lastBytes + std::chrono::milliseconds(stallMilliseconds))
                                    : Deadline();
            Deadline waitEnd = deadline.Sooner(stallEnd);
            if (waitEnd.HasPassed()) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsHandshakeLate));
            int n = state.ReceiveMore(socket_, waitEnd);
            if (n == kReceiveTimedOut) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsHandshakeLate));
            if (n == 0) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsHandshakeClosed));
            if (n < 0) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsHandshakeFailed));
            received += static_cast<size_t>(n);
            lastBytes = Deadline::Clock::now();
            if (!answered) {
                switch (TlsRecordHeader::Classify(state.incoming.data(), state.incoming.size())) {
                case TlsRecordHeader::Kind::kIncomplete:
                    continue;
                case TlsRecordHeader::Kind::kNotTls:
                    throw new Exception(L"%s", CatalogueText(TextId::kNetTlsNotTls));
                case TlsRecordHeader::Kind::kVersionRefused:
                    throw new Exception(L"%s", CatalogueText(TextId::kNetTlsServerTooOld));
                case TlsRecordHeader::Kind::kHandshake:
                case TlsRecordHeader::Kind::kAlert:
                    answered = true;
                    break;
                }
            }
        }
        status = state.Step(socket_, host_);
    }
    if (status == SEC_E_UNSUPPORTED_FUNCTION || status == SEC_E_ALGORITHM_MISMATCH) {
        throw new Exception(L"%s", CatalogueText(TextId::kNetTlsServerTooOld));
    }
    if (status != SEC_E_OK) {
        String code;
        code.Format(L"0x%08X", static_cast<unsigned>(status));
        throw new Exception(L"%s", CatalogueText(TextId::kNetTlsBrokenOff, {code.GetText()}));
    }
    state.CheckProtocol();
    state.CheckCertificate(host_);
    if (state.platform.sspi.QueryContextAttributesW(&state.context, SECPKG_ATTR_STREAM_SIZES, &state.sizes) !=
        SEC_E_OK) {
        throw new Exception(L"%s", CatalogueText(TextId::kNetTlsUnusable));
    }
}

void TlsSession::Send(const void* data, int count) {
    if (!state_ || !state_->hasContext) throw new Exception(L"%s", CatalogueText(TextId::kNetTlsNoSession));
    State& state = *state_;
    const SecPkgContext_StreamSizes& sizes = state.sizes;
    std::vector<char> record(sizes.cbHeader + sizes.cbMaximumMessage + sizes.cbTrailer);
    const char* bytes = static_cast<const char*>(data);
    while (count > 0) {
        unsigned long part = std::min<unsigned long>(static_cast<unsigned long>(count), sizes.cbMaximumMessage);
        std::memcpy(record.data() + sizes.cbHeader, bytes, part);
        SecBuffer buffers[4] = {{sizes.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
                                {part, SECBUFFER_DATA, record.data() + sizes.cbHeader},
                                {sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes.cbHeader + part},
                                {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
        if (state.platform.sspi.EncryptMessage(&state.context, 0, &desc, 0) != SEC_E_OK) {
            throw new Exception(L"%s", CatalogueText(TextId::kNetTlsNotEncrypted));
        }
        if (!State::SendAll(socket_, record.data(), buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer)) {
            throw new Exception(L"%s", CatalogueText(TextId::kNetTlsNotSent));
        }
        bytes += part;
        count -= static_cast<int>(part);
    }
}

int TlsSession::Receive(char* buffer, int waitMilliseconds) {
    if (!state_ || !state_->hasContext) return -1;
    State& state = *state_;
    Deadline waitEnd = waitMilliseconds >= 0 ? Deadline::In(std::max(waitMilliseconds, 1)) : Deadline();
    while (true) {
        if (state.plainStart < state.plain.size()) return state.TakePlain(buffer);
        if (state.ended) return 0;
        if (!state.incoming.empty()) {
            SECURITY_STATUS status = state.DecryptRecord(socket_, host_);
            if (status == SEC_E_OK) continue;
            if (status == SEC_I_CONTEXT_EXPIRED) {
                state.ended = true;
                continue;
            }
            if (status != SEC_E_INCOMPLETE_MESSAGE) return -1;
            // A record is bounded: a longer one is no TLS server's.
            if (state.incoming.size() > TlsRecordHeader::kHeaderSize + TlsRecordHeader::kMaxRecordLength) return -1;
        }
        if (waitEnd.HasPassed()) return kReceiveTimedOut;
        int n = state.ReceiveMore(socket_, waitEnd);
        if (n <= 0) return n;
    }
}

}  // namespace net
