#include "batch/batch_catalogue.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_csv.h"
#include "core/catalogue/price_list_check.h"
#include "core/catalogue/price_list_file.h"
#include "core/catalogue/price_list_texts.h"
#include "core/input/number_text.h"
#include "core/io/output_file.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

void Say(QIODevice &errors, const QString &message)
{
    errors.write((u"gasmeter-batch: "_s + message + u'\n').toUtf8());
}

} // namespace

bool ApplyBatchPriceList(const QString &path, ProductCatalogue &catalogue, QIODevice &errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Say(errors, u"%1: не удается открыть прайс-лист: %2"_s.arg(path, file.errorString()));
        return false;
    }
    const QFileInfo info(path);
    PriceListFile list = ReadPriceList(file.readAll(), info.completeBaseName(), info.lastModified().date());
    if (!list.ok()) {
        Say(errors, u"%1: прайс-лист не прочитан: %2"_s.arg(path, list.error));
        return false;
    }
    list.info.source = info.absoluteFilePath();
    const PriceListCheck check = CheckPriceList(list, catalogue);
    for (const PriceListRefusal &refusal : check.refused)
        Say(errors, u"%1: %2"_s.arg(path, RefusalText(refusal)));
    if (!check.applicable()) {
        Say(errors, u"%1: прайс-лист не применён: исправьте %2 %3"_s.arg(
                        path, check.refusedLines().size() == 1 ? u"строку"_s : u"строки"_s,
                        LineList(check.refusedLines())));
        return false;
    }
    return ApplyPriceList(check, catalogue);
}

bool WriteBatchCatalogue(const QString &path, const ProductCatalogue &catalogue, QIODevice &standardOutput,
                         QIODevice &errors, const CatalogueWorkbookWriter &workbook)
{
    QString why;
    if (QFileInfo(path).suffix().compare(u"xlsx"_s, Qt::CaseInsensitive) == 0) {
        if (!workbook) {
            Say(errors, u"формат xlsx в этой сборке недоступен"_s);
            return false;
        }
        if (workbook(path, catalogue, &why))
            return true;
        Say(errors, why);
        return false;
    }
    const QByteArray bytes = CatalogueCsv(catalogue, LocaleDecimalSeparator());
    OutputFile out(path, &standardOutput);
    if (!out.open() || out.device().write(bytes) != bytes.size() || !out.commit()) {
        const QString reason = out.errorString().isEmpty() ? out.writeError() : out.errorString();
        Say(errors, u"%1: запись не удалась: %2"_s.arg(out.name(), reason));
        return false;
    }
    return true;
}
