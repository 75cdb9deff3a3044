// The program's entry point and its one application object.
#include "EnneoApp.h"

static EnneoApp application;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunApplication(); }
