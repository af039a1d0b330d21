#include "report/xlsx_library.h"

#ifdef GAS_XLSXWRITER_SONAME
#include <QLibrary>
#endif

bool XlsxLibrary::complete() const
{
    return workbookNewOpt && workbookClose && addWorksheet && validateSheetName && addFormat && setBold
        && setNumberFormat && writeString && writeNumber && writeFormulaNum
        && freezePanes && setColumn && errorText;
}

#ifdef GAS_XLSXWRITER_SONAME

namespace {
template <typename Function>
void Bind(QLibrary &library, Function &function, const char *name, QString *missing)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    if (!function && missing->isEmpty())
        *missing = QString::fromLatin1(name);
}
} // namespace

XlsxLibrary LoadXlsxLibrary(const QString &fileName, QString *error)
{
    XlsxLibrary functions;
    // The library stays loaded for the life of the process.
    QLibrary library(fileName);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load()) {
        if (error)
            *error = QStringLiteral("не загружена библиотека xlsx: %1").arg(library.errorString());
        return functions;
    }
    QString missing;
    Bind(library, functions.workbookNewOpt, "workbook_new_opt", &missing);
    Bind(library, functions.workbookClose, "workbook_close", &missing);
    Bind(library, functions.addWorksheet, "workbook_add_worksheet", &missing);
    Bind(library, functions.validateSheetName, "workbook_validate_sheet_name", &missing);
    Bind(library, functions.addFormat, "workbook_add_format", &missing);
    Bind(library, functions.setBold, "format_set_bold", &missing);
    Bind(library, functions.setNumberFormat, "format_set_num_format", &missing);
    Bind(library, functions.writeString, "worksheet_write_string", &missing);
    Bind(library, functions.writeNumber, "worksheet_write_number", &missing);
    Bind(library, functions.writeFormulaNum, "worksheet_write_formula_num", &missing);
    Bind(library, functions.freezePanes, "worksheet_freeze_panes", &missing);
    Bind(library, functions.setColumn, "worksheet_set_column", &missing);
    Bind(library, functions.errorText, "lxw_strerror", &missing);
    if (!missing.isEmpty() && error)
        *error = QStringLiteral("в библиотеке xlsx %1 нет функции %2").arg(fileName, missing);
    return functions;
}

const XlsxLibrary *Xlsx(QString *error)
{
    static QString reason;
    static const XlsxLibrary loaded = LoadXlsxLibrary(QStringLiteral(GAS_XLSXWRITER_SONAME), &reason);
    if (loaded.complete())
        return &loaded;
    if (error)
        *error = reason;
    return nullptr;
}

#else

const XlsxLibrary *Xlsx(QString *)
{
    static const XlsxLibrary linked{.workbookNewOpt = &::workbook_new_opt,
                                    .workbookClose = &::workbook_close,
                                    .addWorksheet = &::workbook_add_worksheet,
                                    .validateSheetName = &::workbook_validate_sheet_name,
                                    .addFormat = &::workbook_add_format,
                                    .setBold = &::format_set_bold,
                                    .setNumberFormat = &::format_set_num_format,
                                    .writeString = &::worksheet_write_string,
                                    .writeNumber = &::worksheet_write_number,
                                    .writeFormulaNum = &::worksheet_write_formula_num,
                                    .freezePanes = &::worksheet_freeze_panes,
                                    .setColumn = &::worksheet_set_column,
                                    .errorText = &::lxw_strerror};
    return &linked;
}

#endif
