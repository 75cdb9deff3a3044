// UpdateServiceUrl: where the program asks for a newer release.
#include "UpdateServiceUrl.h"

#define ENNEO_WIDE_TEXT(text) L##text
#define ENNEO_WIDE(text) ENNEO_WIDE_TEXT(text)

// ENNEO_UPDATE_URL is a narrow string literal given by the build.
const wchar_t kUpdateServiceUrl[] = ENNEO_WIDE(ENNEO_UPDATE_URL);
