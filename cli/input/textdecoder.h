// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/input/encoding.h"

#include <cstddef>
#include <memory>
#include <string>

namespace kestrune {

// Turns the bytes of a file into UTF-8 text as they come, in pieces of any size. The encoding is
// the user's, or found from the file's start: a byte-order mark (UTF-8 or UTF-16), else UTF-8
// where that start is UTF-8 text, else Windows-1252 (what spreadsheets on Windows write as
// "CSV"). A file read from UTF-16 comes out with a UTF-8 byte-order mark, as it had a mark of its
// own.
class TextDecoder {
public:
    // How much of a file's start decides its encoding.
    static constexpr std::size_t kSampleBytes = std::size_t { 4 } << 20;

    explicit TextDecoder(std::optional<TextEncoding> forced);
    ~TextDecoder();
    TextDecoder(const TextDecoder &) = delete;
    TextDecoder &operator=(const TextDecoder &) = delete;

    // Decides the encoding from the file's start (`whole`: all of it, for a file shorter than the
    // sample).
    void decide(std::string_view start, bool whole);
    // The UTF-8 text of the next piece (after decide()).
    std::string decode(std::string_view bytes);
    // What is still held of a character cut between two pieces.
    std::string finish();

    TextEncoding encoding() const { return m_encoding; }
    // Whether the file was taken as Windows-1252 because it is not UTF-8 text.
    bool fellBack() const { return m_fellBack; }

private:
    struct Utf16;
    std::optional<TextEncoding> m_forced;
    TextEncoding m_encoding = TextEncoding::Utf8;
    bool m_fellBack = false;
    bool m_markDue = false;
    std::unique_ptr<Utf16> m_utf16;
};

} // namespace kestrune
