// SystemReason: the system's reason for the last failure, to go inside a sentence.
#pragma once

#include "common/String.h"

// The text of the last error without the full stop and line break it ends with;
// "error N" when the system has no text for it.
String SystemReason();
