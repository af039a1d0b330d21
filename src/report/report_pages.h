#pragma once

#include <QPageLayout>
#include <QString>
#include <QTextDocument>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;

// A report document laid out on the pages of one paged device: how many pages it
// takes, and the pages painted with a running heading at the top (when there is
// one) and "Стр. N из M" at the foot, N and M counted over the whole file.
class ReportPages {
public:
    ReportPages(const QTextDocument &document, QPagedPaintDevice &device, const QString &heading = {});
    ~ReportPages();

    int count() const { return count_; }
    // Paints every page from the painter's current page on (a new page before each
    // one after the first); the first is page `first` of `total`.
    void paint(QPainter &painter, int first, int total) const;

private:
    std::unique_ptr<QTextDocument> document_;
    QPagedPaintDevice &device_;
    QString heading_;
    qreal band_ = 0;       // height of the heading and of the foot line
    qreal bodyTop_ = 0;    // where the text starts on each page
    qreal bodyHeight_ = 0; // the text's height on each page
    int count_ = 0;
};

// A PDF of the report's layout, written to `path` by its route (a regular file
// whole or not at all). `paint` paints every page with the painter begun on the
// writer; false from it, or a failure to write, gives false and *error names the
// file and the reason. The file's title is `title`, or when empty ReportTitle().
bool WriteReportFile(const QString &path, const std::function<bool(QPdfWriter &, QPainter &)> &paint,
                     QString *error, const QString &title = {});

// A4 portrait with the report's margins.
QPageLayout ReportPageLayout();
