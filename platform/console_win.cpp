// SPDX-License-Identifier: GPL-3.0-or-later
// The standard streams and arguments on Windows.
#include "platform/console.h"

#include <cstdio>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs

namespace kestrune {

namespace {

std::string toUtf8(const wchar_t *text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    bytes.pop_back(); // the terminating null
    return bytes;
}

// Whether the C library's stream writes somewhere: a window program started from Explorer or a
// console without redirection has no standard handles at all.
bool writesSomewhere(std::FILE *stream)
{
    const int descriptor = _fileno(stream);
    if (descriptor < 0) return false;
    const intptr_t handle = _get_osfhandle(descriptor);
    return handle != -1 && handle != -2;
}

bool isConsole(std::FILE *stream)
{
    DWORD mode = 0;
    const int descriptor = _fileno(stream);
    return descriptor >= 0
        && GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)), &mode);
}

} // namespace

Utf8Arguments::Utf8Arguments(int argc, char *argv[])
{
    // The C library's argv holds the arguments in the ANSI code page, which loses every character
    // outside it (a file named in Greek or Chinese on a Western system); the wide command line has
    // them all.
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide && count == argc) {
        for (int i = 0; i < count; ++i)
            m_words.push_back(toUtf8(wide[i]));
    } else {
        m_words.assign(argv, argv + argc);
    }
    if (wide) LocalFree(wide);
    for (std::string &word : m_words)
        m_pointers.push_back(word.data());
    m_pointers.push_back(nullptr);
}

void useBinaryStandardStreams()
{
    for (std::FILE *stream : { stdout, stderr }) {
        if (writesSomewhere(stream)) _setmode(_fileno(stream), _O_BINARY);
    }
    if (isConsole(stdout) || isConsole(stderr)) SetConsoleOutputCP(CP_UTF8);
}

void showOutputInParentConsole()
{
    const bool out = writesSomewhere(stdout);
    const bool err = writesSomewhere(stderr);
    if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        useBinaryStandardStreams();
        return;
    }
    if (!out) std::freopen("CONOUT$", "w", stdout);
    if (!err) std::freopen("CONOUT$", "w", stderr);
    useBinaryStandardStreams();
}

} // namespace kestrune
