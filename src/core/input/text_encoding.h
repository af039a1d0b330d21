#pragma once

#include <QByteArray>
#include <QString>

// The text of a file as a Russian desktop saves it: UTF-8 (with or without its
// byte-order mark) or, where the bytes are not valid UTF-8, Windows-1251 (the
// spreadsheet's "CSV (разделители — точка с запятой)"). Windows-1251 is decoded by Qt's
// converter (ICU), never by a table of our own.

enum class TextEncoding { Utf8, Windows1251 };

struct DecodedText {
    QString text;          // without the byte-order mark
    TextEncoding encoding = TextEncoding::Utf8;
};

// Whether the bytes are valid UTF-8 throughout (an empty text is).
bool IsValidUtf8(QByteArrayView bytes);

// The bytes decoded as UTF-8 when they are valid UTF-8, else as Windows-1251 (in which
// every byte but 0x98 stands for a character; 0x98 becomes U+FFFD).
DecodedText DecodeDesktopText(QByteArrayView bytes);

// A name for messages: "UTF-8", "Windows-1251".
QString EncodingName(TextEncoding encoding);
