#include "report/report_pages.h"

#include "report/file_error.h"
#include "core/io/output_file.h"
#include "report/report_content.h"
#include "report/report_document.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

ReportPages::ReportPages(const QTextDocument &document, QPagedPaintDevice &device, const QString &heading)
    : document_(document.clone()), device_(device), heading_(heading)
{
    document_->documentLayout()->setPaintDevice(&device_);
    const QFontMetricsF metrics(document_->defaultFont(), &device_);
    band_ = 2 * metrics.height();
    bodyTop_ = heading_.isEmpty() ? 0 : band_;
    bodyHeight_ = device_.height() - band_ - bodyTop_;
    document_->setPageSize(QSizeF(device_.width(), bodyHeight_));
    count_ = document_->pageCount();
}

ReportPages::~ReportPages() = default;

void ReportPages::paint(QPainter &painter, int first, int total) const
{
    const qreal width = device_.width();
    const qreal height = device_.height();
    const QFont font = document_->defaultFont();
    const QFontMetricsF metrics(font, &device_);
    const QString heading = metrics.elidedText(ReportText(heading_), Qt::ElideRight, width);
    for (int page = 0; page < count_; ++page) {
        if (page > 0)
            device_.newPage();
        const QRectF view(0, page * bodyHeight_, width, bodyHeight_);
        painter.save();
        painter.translate(0, bodyTop_ - view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document_->documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(font);
        painter.setPen(Qt::black);
        if (!heading.isEmpty()) {
            painter.drawText(QRectF(0, 0, width, metrics.height()), Qt::AlignLeft | Qt::AlignTop, heading);
            const qreal rule = metrics.height() * 1.25;
            painter.drawLine(QPointF(0, rule), QPointF(width, rule));
        }
        painter.drawText(QRectF(0, height - metrics.height(), width, metrics.height()),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Стр. %1 из %2").arg(first + page).arg(total));
    }
}

bool WriteReportFile(const QString &path, const std::function<bool(QPdfWriter &, QPainter &)> &paint,
                     QString *error, const QString &title)
{
    OutputFile file(path);
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = FileWriteError(file.name(), reason);
        return false;
    };
    if (!file.open())
        return fail(file.errorString());
    {
        QPdfWriter pdf(&file.device());
        pdf.setPageLayout(ReportPageLayout());
        pdf.setResolution(600);
        pdf.setCreator(ProgramLine());
        pdf.setTitle(title.isEmpty() ? ReportTitle() : title);
        QPainter painter;
        if (!painter.begin(&pdf))
            return fail(QStringLiteral("не удалось начать PDF"));
        const bool painted = paint(pdf, painter);
        if (!painter.end() || !painted)
            return fail(QStringLiteral("не удалось завершить PDF"));
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QPageLayout ReportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 12, 12, 12),
                       QPageLayout::Millimeter);
}
