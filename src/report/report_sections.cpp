#include "report/report_sections.h"

#include <QTextDocument>

std::vector<int> StartPages(int first, const std::vector<int> &counts)
{
    std::vector<int> starts;
    starts.reserve(counts.size());
    int next = first;
    for (const int count : counts) {
        starts.push_back(next);
        next += count;
    }
    return starts;
}

std::unique_ptr<ReportPages> LayOutContents(QPagedPaintDevice &device, int before, const std::vector<int> &counts,
                                            const ContentsBuilder &build)
{
    int contentsPages = 1;
    for (int tries = 0; tries < 5; ++tries) {
        auto contents = std::make_unique<ReportPages>(*build(StartPages(before + contentsPages + 1, counts)), device);
        if (contents->count() == contentsPages)
            return contents;
        contentsPages = contents->count();
    }
    return nullptr;
}
