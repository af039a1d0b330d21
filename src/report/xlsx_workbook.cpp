#include "report/xlsx_workbook.h"

#include "report/c_numeric_locale.h"
#include "report/xlsx_library.h"
#include "report/file_error.h"
#include "report/report_content.h"
#include "core/io/output_file.h"
#include "core/input/number_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

namespace {

// Widest column, in characters, a text may ask for.
constexpr qsizetype WidestColumn = 80;

// A spreadsheet cell holds at most 32,767 characters; a longer text is cut to as
// many, the last being "…".
constexpr qsizetype LongestCellText = 32767;

void Report(QString *error, const QString &path, const QString &reason)
{
    if (error)
        *error = FileWriteError(path, reason);
}

// The library's functions; everything below WriteWorkbook runs after it bound them.
const XlsxLibrary &Bound()
{
    return *Xlsx();
}

// libxlsxwriter's reason, with the system's when the library met a file error.
QString LibraryReason(lxw_error status, int systemError)
{
    QString reason = QString::fromUtf8(Bound().errorText(status));
    const bool fileError = status == LXW_ERROR_CREATING_XLSX_FILE
        || status == LXW_ERROR_CREATING_TMPFILE || status == LXW_ERROR_READING_TMPFILE
        || status == LXW_ERROR_ZIP_FILE_OPERATION || status == LXW_ERROR_ZIP_CLOSE
        || status == LXW_ERROR_ZIP_FILE_ADD;
    if (fileError && systemError != 0)
        reason += QStringLiteral(" (%1)").arg(qt_error_string(systemError));
    return reason;
}

// What a new file gets from the umask, as the other formats' files do; an existing
// target keeps its own.
QFile::Permissions TargetPermissions(const QString &path)
{
    if (QFileInfo::exists(path))
        return QFile::permissions(path);
    return NewFilePermissions();
}

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Copies the finished workbook to a target that is not a regular file.
bool CopyToTarget(const QString &workbook, const QString &path, QString *error)
{
    QFile written(workbook);
    if (!written.open(QIODevice::ReadOnly)) {
        Report(error, path, written.errorString());
        return false;
    }
    const QByteArray bytes = written.readAll();
    OutputFile target(path);
    if (!target.open() || target.device().write(bytes) != bytes.size() || !target.commit()) {
        Report(error, target.name(),
               target.errorString().isEmpty() ? target.writeError() : target.errorString());
        return false;
    }
    return true;
}

} // namespace

QString EscapedCellText(const QString &text)
{
    static const QString escapedUnderscore = QStringLiteral("_x005F");
    qsizetype at = text.indexOf(u"_x");
    if (at < 0)
        return text;
    QString escaped;
    qsizetype copied = 0;
    for (; at >= 0; at = text.indexOf(u"_x", at + 1)) {
        if (at + 6 >= text.size() || text.at(at + 6) != u'_')
            continue;
        bool hex = true;
        for (qsizetype i = at + 2; i < at + 6 && hex; ++i)
            hex = IsHexDigit(text.at(i));
        if (!hex)
            continue;
        escaped += QStringView(text).mid(copied, at - copied);
        escaped += escapedUnderscore;
        copied = at; // the underscore itself follows its escape
    }
    if (copied == 0 && escaped.isEmpty())
        return text;
    escaped += QStringView(text).mid(copied);
    return escaped;
}

bool WriteWorkbook(const QString &path, const WorkbookFill &fill, QString *error)
{
    QString missing;
    if (!Xlsx(&missing)) {
        Report(error, path, missing);
        return false;
    }
    const QFileInfo target(path);
    const bool whole = RouteOf(path) == OutputRoute::WholeFile;
    if (whole && target.fileName().isEmpty()) {
        Report(error, path, QStringLiteral("не задано имя файла"));
        return false;
    }
    // libxlsxwriter writes to a file name. A regular file is made beside its target and
    // renamed into place; anything else gets the bytes of one made in the temporary
    // folder. Opening the temporary file beside the target is the check that the
    // folder exists and takes a file.
    TemporaryName temporary(whole ? QDir(target.absolutePath())
                                        .filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName()))
                                  : QDir::temp().filePath(QStringLiteral("gasmeter-XXXXXX.xlsx")));
    if (!temporary.made()) {
        Report(error, path, temporary.errorString());
        return false;
    }
    const QString temporaryPath = temporary.path();
    const QByteArray temporaryName = QFile::encodeName(temporaryPath);

    // libxlsxwriter prints numbers and widths with the C library's snprintf.
    const ScopedCNumericLocale pointDecimals;
    // Constant memory: each row goes to the sheet's temporary file when the next one
    // starts (so every sheet is written in increasing row order) and texts are
    // written inline, so memory does not grow with the rows.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = Bound().workbookNewOpt(temporaryName.constData(), &options);
    if (!workbook) {
        Report(error, path, LibraryReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
        return false;
    }
    const lxw_error filled = fill(workbook);
    errno = 0;
    const lxw_error closed = Bound().workbookClose(workbook); // frees the workbook in any case
    const int closeErrno = errno;
    if (filled != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        Report(error, path, filled != LXW_NO_ERROR ? LibraryReason(filled, 0)
                                                   : LibraryReason(closed, closeErrno));
        return false;
    }

    if (!whole)
        return CopyToTarget(temporaryPath, path, error);
    QFile::setPermissions(temporaryPath, TargetPermissions(path));
    // The new file takes the place of an old one in one step.
    QString reason;
    if (!PutFileInPlace(temporaryPath, target.absoluteFilePath(), &reason)) {
        Report(error, path, reason);
        return false;
    }
    temporary.keep();
    return true;
}

bool FitsOneSheet(qint64 rows)
{
    return rows >= 0 && rows <= SheetRowLimit;
}

QString TooManyRowsReason(qint64 rows)
{
    return QStringLiteral("в таблице %1 строк, а лист Excel вмещает не более %2: "
                          "запишите её в формате CSV или JSON")
        .arg(WriteNumber(double(rows)), WriteNumber(double(SheetRowLimit)));
}

lxw_worksheet *AddSheet(lxw_workbook *workbook, const QString &name, lxw_error *status)
{
    if (name.isEmpty())
        return Bound().addWorksheet(workbook, nullptr);
    const QByteArray utf8 = name.toUtf8();
    const lxw_error valid = Bound().validateSheetName(workbook, utf8.constData());
    if (valid != LXW_NO_ERROR) {
        *status = valid;
        return nullptr;
    }
    lxw_worksheet *sheet = Bound().addWorksheet(workbook, utf8.constData());
    if (!sheet)
        *status = LXW_ERROR_MEMORY_MALLOC_FAILED;
    return sheet;
}

SheetWriter::SheetWriter(lxw_worksheet *sheet) : sheet_(sheet) {}

void SheetWriter::keep(lxw_error status)
{
    if (status_ == LXW_NO_ERROR)
        status_ = status;
}

void SheetWriter::fit(int column, qsizetype characters)
{
    const auto index = static_cast<std::size_t>(column);
    if (widths_.size() <= index)
        widths_.resize(index + 1, 0);
    widths_[index] = std::max(widths_[index], characters);
}

void SheetWriter::text(int row, int column, const QString &text, lxw_format *format, bool fit)
{
    if (status_ != LXW_NO_ERROR || text.isEmpty())
        return;
    keep(Bound().writeString(sheet_, static_cast<lxw_row_t>(row),
                                static_cast<lxw_col_t>(column), ShortenedText(EscapedCellText(text), LongestCellText).toUtf8().constData(),
                                format));
    if (fit)
        this->fit(column, text.size());
}

void SheetWriter::number(int row, int column, double value, lxw_format *format)
{
    if (status_ != LXW_NO_ERROR || !std::isfinite(value))
        return;
    keep(Bound().writeNumber(sheet_, static_cast<lxw_row_t>(row),
                                static_cast<lxw_col_t>(column), value, format));
    fit(column, WriteNumber(value, QLatin1Char('.')).size());
}

void SheetWriter::formula(int row, int column, const QString &formula, double value, lxw_format *format)
{
    if (status_ != LXW_NO_ERROR || !std::isfinite(value))
        return;
    keep(Bound().writeFormulaNum(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                 formula.toUtf8().constData(), format, value));
    fit(column, WriteNumber(value, QLatin1Char('.')).size());
}

void SheetWriter::value(int row, int column, const QVariant &value, lxw_format *format)
{
    if (value.isNull())
        return;
    if (value.typeId() == QMetaType::Double)
        number(row, column, value.toDouble(), format);
    else
        text(row, column, value.toString(), format);
}

void SheetWriter::freezeRowsAbove(int row)
{
    Bound().freezePanes(sheet_, static_cast<lxw_row_t>(row), 0);
}

lxw_error SheetWriter::finish()
{
    for (std::size_t column = 0; column < widths_.size() && status_ == LXW_NO_ERROR; ++column) {
        if (widths_[column] == 0)
            continue;
        const auto characters = std::min(widths_[column] + 2, WidestColumn);
        keep(Bound().setColumn(sheet_, static_cast<lxw_col_t>(column),
                                  static_cast<lxw_col_t>(column), static_cast<double>(characters),
                                  nullptr));
    }
    return status_;
}

QString CellReference(int row, int column, bool absolute)
{
    QString letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    const QString dollar = absolute ? QStringLiteral("$") : QString();
    return dollar + letters + dollar + QString::number(row + 1);
}

lxw_format *AddFormat(lxw_workbook *workbook)
{
    return Bound().addFormat(workbook);
}

void SetBold(lxw_format *format)
{
    Bound().setBold(format);
}

void SetNumberFormat(lxw_format *format, const char *numberFormat)
{
    Bound().setNumberFormat(format, numberFormat);
}
