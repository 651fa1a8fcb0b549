// Holds a file open the way virus scanners and indexers do, until a second
// file appears (or a minute passes): hold_file.exe FILE SHARE READY RELEASE,
// SHARE "rw" (reading and writing shared, deletion not) or "r". Writes READY
// once the file is open.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fputs("usage: hold_file FILE rw|r READY RELEASE\n", stderr);
        return 2;
    }
    const DWORD share =
        std::wcscmp(argv[2], L"rw") == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    HANDLE held = CreateFileW(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    HANDLE ready = CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(ready);
    for (int waited = 0; waited < 600; ++waited) {
        if (GetFileAttributesW(argv[4]) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(100);
    }
    CloseHandle(held);
    return 0;
}
