#include "core/catalogue/catalogue.h"

#include <QFile>
#include <QMap>
#include <QTest>

#include <charconv>

// The catalogue the program fills against every slot's fields as the program had them
// before the products became a table (data/catalogue-before.tsv: slot, name, DN, Pmin,
// Pmax, Qmax, Qmin, price, each double in its shortest exact form). Every figure must
// be the same double, every other slot empty.
class TestCatalogueAsBefore : public QObject {
    Q_OBJECT

    struct Before {
        ProductRecord record;
        int line = 0;
    };
    QMap<int, Before> before_;
    ProductCatalogue catalogue_;

    static double Exact(const QString &text, bool *ok)
    {
        const QByteArray bytes = text.toLatin1();
        double value = 0;
        const auto result = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
        *ok = *ok && result.ec == std::errc() && result.ptr == bytes.constData() + bytes.size();
        return value;
    }

private slots:
    void initTestCase()
    {
        QFile file(QStringLiteral(GAS_CATALOGUE_BEFORE));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        int line = 0;
        for (const QByteArray &bytes : file.readAll().split('\n')) {
            ++line;
            if (bytes.isEmpty())
                continue;
            const QStringList f = QString::fromUtf8(bytes).split(u'\t');
            QCOMPARE(f.size(), 8);
            bool ok = true;
            Before b;
            b.line = line;
            const int slot = f[0].toInt(&ok);
            b.record.Name = f[1];
            b.record.DN = f[2].toInt(&ok);
            b.record.Pmin = Exact(f[3], &ok);
            b.record.Pmax = Exact(f[4], &ok);
            b.record.Qmax = Exact(f[5], &ok);
            b.record.Qmin = Exact(f[6], &ok);
            b.record.Price = Exact(f[7], &ok);
            QVERIFY2(ok, qPrintable(QStringLiteral("line %1").arg(line)));
            QVERIFY2(!before_.contains(slot), qPrintable(QStringLiteral("slot %1 twice").arg(slot)));
            before_.insert(slot, b);
        }
        QCOMPARE(before_.size(), 558);
        catalogue_.Fill();
    }

    void everySlotAsBefore()
    {
        int compared = 0;
        for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot) {
            const ProductRecord &now = catalogue_.at(slot);
            const QByteArray where = QByteArray::number(slot);
            if (!before_.contains(slot)) {
                QVERIFY2(now.isEmpty() && now.DN == 0 && now.Pmin == 0 && now.Pmax == 0 && now.Qmax == 0
                             && now.Qmin == 0 && now.Price == 0,
                         where.constData());
                continue;
            }
            const ProductRecord &then = before_[slot].record;
            QVERIFY2(now.Name == then.Name, where.constData());
            QVERIFY2(now.DN == then.DN, where.constData());
            // Bit for bit: a figure read back one ulp away would already be another product.
            QVERIFY2(now.Pmin == then.Pmin, where.constData());
            QVERIFY2(now.Pmax == then.Pmax, where.constData());
            QVERIFY2(now.Qmax == then.Qmax, where.constData());
            QVERIFY2(now.Qmin == then.Qmin, where.constData());
            QVERIFY2(now.Price == then.Price, where.constData());
            ++compared;
        }
        QCOMPARE(compared, 558);
    }
};

QTEST_APPLESS_MAIN(TestCatalogueAsBefore)
#include "tst_catalogue_as_before.moc"
