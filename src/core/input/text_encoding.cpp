#include "core/input/text_encoding.h"

#include <QStringDecoder>

bool IsValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

DecodedText DecodeDesktopText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return {text, TextEncoding::Utf8};
    QStringDecoder cp1251("windows-1251");
    return {cp1251(bytes), TextEncoding::Windows1251};
}

QString EncodingName(TextEncoding encoding)
{
    return encoding == TextEncoding::Windows1251 ? QStringLiteral("Windows-1251") : QStringLiteral("UTF-8");
}
