#pragma once

#include "report/report_pages.h"

#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QTextDocument;

// A document of sections, each from a new page, listed in contents that give the
// page each section starts on: the pieces the batch and the project documents share.

// The page each section starts on when the first starts on page `first` and each
// takes its count of pages.
std::vector<int> StartPages(int first, const std::vector<int> &counts);

// The contents laid out on the device with the start pages they name: `build` makes
// them for the sections' starts, the sections following `before` pages and the
// contents' own. A first guess of one page of contents is corrected until the count
// holds; null when it does not settle.
using ContentsBuilder = std::function<std::unique_ptr<QTextDocument>(const std::vector<int> &starts)>;
std::unique_ptr<ReportPages> LayOutContents(QPagedPaintDevice &device, int before, const std::vector<int> &counts,
                                            const ContentsBuilder &build);
