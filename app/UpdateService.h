// UpdateService: where the program asks for a newer release, and whose key signs it.
#pragma once

// The update service's absolute "http://" URL, and the publisher's public key (the
// base64 of a PEM "PUBLIC KEY", ECDSA P-256) that every downloaded update must be
// signed with; an empty key means that no update is ever installed. Each program that
// links the board window supplies both with UpdateService.cpp, compiled with its own
// ENNEO_UPDATE_URL and ENNEO_UPDATE_PUBLIC_KEY: the shipped program the configured
// service and key, tests their own.
extern const wchar_t kUpdateServiceUrl[];
extern const wchar_t kUpdatePublicKey[];
