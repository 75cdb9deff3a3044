// UpdateServiceUrl: where the program asks for a newer release.
#pragma once

// The update service's absolute "http://" URL. Each program that links the board
// window supplies it with UpdateServiceUrl.cpp, compiled with its own
// ENNEO_UPDATE_URL: the shipped program the configured service, tests a local one.
extern const wchar_t kUpdateServiceUrl[];
