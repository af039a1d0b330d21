// The text of a file as a Russian desktop saves it: the same table in UTF-8, with its
// byte-order mark and in Windows-1251 reads the same; text that is not UTF-8 is taken
// as Windows-1251 whole.
#include "core/input/text_encoding.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTextEncoding : public QObject {
    Q_OBJECT

private slots:
    void decoded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cp1251");
        const QString table = u"Наименование;Цена\nСчётчик «ВК»;1 234,50\n"_s;
        QTest::newRow("UTF-8") << table.toUtf8() << table << false;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + table.toUtf8() << table << false;
        // The same text as a spreadsheet saves it on a Russian desktop, byte by byte
        // (ГОСТ/Windows code page 1251: А-я at 0xC0-0xFF, Ё 0xA8, ё 0xB8, « 0xAB, » 0xBB).
        QTest::newRow("Windows-1251")
            << QByteArray("\xCD\xE0\xE8\xEC\xE5\xED\xEE\xE2\xE0\xED\xE8\xE5;\xD6\xE5\xED\xE0\n"
                          "\xD1\xF7\xB8\xF2\xF7\xE8\xEA \xAB\xC2\xCA\xBB;1 234,50\n")
            << table << true;
        QTest::newRow("ASCII") << QByteArray("id;mode\n") << u"id;mode\n"_s << false;
        QTest::newRow("empty") << QByteArray() << QString() << false;
        // One byte that is not UTF-8 makes the whole text Windows-1251.
        QTest::newRow("mostly UTF-8") << QByteArray("\xD0\x90\xC0") << u"РђА"_s << true;
    }
    void decoded()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, cp1251);
        const DecodedText decoded = DecodeDesktopText(bytes);
        QCOMPARE(decoded.text, text);
        QCOMPARE(decoded.encoding == TextEncoding::Windows1251, cp1251);
        QCOMPARE(IsValidUtf8(bytes), !cp1251 || bytes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
