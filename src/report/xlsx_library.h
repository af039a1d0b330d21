#pragma once

#include <QString>

#include <xlsxwriter.h>

// The libxlsxwriter functions the workbooks use. On Linux the library (and the
// OpenSSL it brings) is loaded when the first workbook is written, which keeps it
// out of the windows' start-up; a build that links it statically binds them at
// once.
struct XlsxLibrary {
    decltype(&::workbook_new_opt) workbookNewOpt = nullptr;
    decltype(&::workbook_close) workbookClose = nullptr;
    decltype(&::workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&::workbook_validate_sheet_name) validateSheetName = nullptr;
    decltype(&::workbook_add_format) addFormat = nullptr;
    decltype(&::format_set_bold) setBold = nullptr;
    decltype(&::format_set_num_format) setNumberFormat = nullptr;
    decltype(&::worksheet_write_string) writeString = nullptr;
    decltype(&::worksheet_write_number) writeNumber = nullptr;
    decltype(&::worksheet_write_formula_num) writeFormulaNum = nullptr;
    decltype(&::worksheet_freeze_panes) freezePanes = nullptr;
    decltype(&::worksheet_set_column) setColumn = nullptr;
    decltype(&::lxw_strerror) errorText = nullptr;

    // Every function is there.
    bool complete() const;
};

// The program's library, bound once; null when it cannot be loaded, with the
// reason in *error. A failed load is not tried again in the same run.
const XlsxLibrary *Xlsx(QString *error = nullptr);

#ifdef GAS_XLSXWRITER_SONAME
// Loads the named library and binds the functions; `complete()` is false and
// *error says why when the file or a function is missing.
XlsxLibrary LoadXlsxLibrary(const QString &fileName, QString *error);
#endif
