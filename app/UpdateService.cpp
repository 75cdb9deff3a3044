// UpdateService: where the program asks for a newer release, and whose key signs it.
#include "UpdateService.h"

#define ENNEO_WIDE_TEXT(text) L##text
#define ENNEO_WIDE(text) ENNEO_WIDE_TEXT(text)

// Narrow string literals given by the build.
const wchar_t kUpdateServiceUrl[] = ENNEO_WIDE(ENNEO_UPDATE_URL);
const wchar_t kUpdatePublicKey[] = ENNEO_WIDE(ENNEO_UPDATE_PUBLIC_KEY);
