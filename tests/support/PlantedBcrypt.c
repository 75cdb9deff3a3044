/* PlantedBcrypt: a bcrypt.dll as an attacker would plant it beside a program: every
   call succeeds, so every signature "verifies". The tests put it in the program's folder
   and its current directory, with a DLL override that would prefer it, and expect a
   tampered update to be refused all the same. Only the functions the programs call are
   here; the names are undecorated (--kill-at). */
#include <windows.h>

typedef LONG Status;

static char fakeHandle;

__declspec(dllexport) Status WINAPI BCryptOpenAlgorithmProvider(void** algorithm, const wchar_t* id,
                                                                const wchar_t* implementation, ULONG flags) {
    (void)id, (void)implementation, (void)flags;
    *algorithm = &fakeHandle;
    return 0;
}

__declspec(dllexport) Status WINAPI BCryptCloseAlgorithmProvider(void* algorithm, ULONG flags) {
    (void)algorithm, (void)flags;
    return 0;
}

__declspec(dllexport) Status WINAPI BCryptImportKeyPair(void* algorithm, void* importKey, const wchar_t* type,
                                                        void** key, UCHAR* blob, ULONG size, ULONG flags) {
    (void)algorithm, (void)importKey, (void)type, (void)blob, (void)size, (void)flags;
    *key = &fakeHandle;
    return 0;
}

__declspec(dllexport) Status WINAPI BCryptDestroyKey(void* key) {
    (void)key;
    return 0;
}

__declspec(dllexport) Status WINAPI BCryptCreateHash(void* algorithm, void** hash, UCHAR* object, ULONG objectSize,
                                                     UCHAR* secret, ULONG secretSize, ULONG flags) {
    (void)algorithm, (void)object, (void)objectSize, (void)secret, (void)secretSize, (void)flags;
    *hash = &fakeHandle;
    return 0;
}

__declspec(dllexport) Status WINAPI BCryptHashData(void* hash, UCHAR* input, ULONG size, ULONG flags) {
    (void)hash, (void)input, (void)size, (void)flags;
    return 0;
}

__declspec(dllexport) Status WINAPI BCryptFinishHash(void* hash, UCHAR* output, ULONG size, ULONG flags) {
    (void)hash, (void)flags;
    ZeroMemory(output, size);
    return 0;
}

__declspec(dllexport) Status WINAPI BCryptDestroyHash(void* hash) {
    (void)hash;
    return 0;
}

__declspec(dllexport) Status WINAPI BCryptVerifySignature(void* key, void* padding, UCHAR* hash, ULONG hashSize,
                                                          UCHAR* signature, ULONG signatureSize, ULONG flags) {
    (void)key, (void)padding, (void)hash, (void)hashSize, (void)signature, (void)signatureSize, (void)flags;
    return 0;
}
