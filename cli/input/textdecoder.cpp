// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/textdecoder.h"

#include <QStringDecoder>

namespace kestrune {

struct TextDecoder::Utf16 {
    QStringDecoder decoder;
};

TextDecoder::TextDecoder(std::optional<TextEncoding> forced) : m_forced(forced) { }

TextDecoder::~TextDecoder() = default;

void TextDecoder::decide(std::string_view start, bool whole)
{
    const bool littleEndian = start.starts_with("\xFF\xFE");
    const bool bigEndian = start.starts_with("\xFE\xFF");
    if (m_forced) {
        m_encoding = *m_forced;
    } else if (littleEndian || bigEndian) {
        m_encoding = TextEncoding::Utf16;
    } else if (start.starts_with("\xEF\xBB\xBF") || StartsAsUtf8(start, whole)) {
        m_encoding = TextEncoding::Utf8;
    } else {
        m_encoding = TextEncoding::Windows1252;
        m_fellBack = true;
    }
    if (m_encoding == TextEncoding::Utf16) {
        // Without a mark, UTF-16 is taken as Windows writes it: little-endian.
        const QStringConverter::Encoding order
            = bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE;
        m_utf16 = std::make_unique<Utf16>(Utf16 { QStringDecoder(order) });
        m_markDue = true;
    }
}

std::string TextDecoder::decode(std::string_view bytes)
{
    switch (m_encoding) {
    case TextEncoding::Windows1252:
        return Windows1252ToUtf8(bytes);
    case TextEncoding::Utf16: {
        // The decoder drops the byte-order mark and keeps a character cut between pieces.
        const QString text = m_utf16->decoder.decode(
            QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        const QByteArray utf8 = text.toUtf8();
        std::string out = m_markDue ? "\xEF\xBB\xBF" : "";
        m_markDue = false;
        out.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        return out;
    }
    case TextEncoding::Utf8:
        break;
    }
    return std::string(bytes);
}

std::string TextDecoder::finish()
{
    if (m_encoding != TextEncoding::Utf16) return {};
    // A byte left over at the end is no character.
    const QString rest = m_utf16->decoder.decode(QByteArrayView());
    const QByteArray utf8 = rest.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace kestrune
