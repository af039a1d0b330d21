// libFuzzer target for the project file reader: arbitrary bytes are read as a project;
// a project read must be written and read back equal, every point of it sized and
// shown as a row of the project window's width, and the table of its points read
// back as as many points (or refused with a reason).

#include "core/catalogue/catalogue.h"
#include "core/project/project_file.h"
#include "core/project/project_points.h"
#include "core/project/project_table.h"
#include "filled_catalogue.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// At most this many points of one input are sized, so a run stays quick.
constexpr std::size_t MaxSized = 16;

[[noreturn]] void Fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "project file: %s\n  %s\n", what, detail.toUtf8().constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ProjectReading reading = ReadProjectFile(bytes);
    if (!reading.project) {
        if (reading.error.isEmpty())
            Fail("refused without a reason", QString::fromUtf8(bytes.left(200)));
        return 0;
    }
    const Project &project = *reading.project;

    const ProjectReading again = ReadProjectFile(WriteProjectFile(project));
    if (!again.project)
        Fail("a project written is refused when read back", again.error);
    if (!(*again.project == project))
        Fail("a project written reads back different", QString::fromUtf8(bytes.left(200)));

    for (std::size_t i = 0; i < project.points.size() && i < MaxSized; ++i) {
        const BatchRecord sized = SizeProjectPoint(project.points[i], FilledCatalogue());
        const ProjectRowView row = ProjectRow(static_cast<int>(i) + 1, project.points[i], sized);
        if (row.cells.size() != static_cast<qsizetype>(ProjectColumn::Count))
            Fail("a row of the wrong width", row.cells.join(u'|'));
        if (sized.hasError() != row.refused)
            Fail("a refused point not shown as refused", sized.error);
    }

    if (project.points.size() <= MaxSized) {
        QBuffer table;
        table.setData(WriteProjectTable(project));
        table.open(QIODevice::ReadOnly);
        const ProjectTableReading points = ReadProjectTable(table, {}, FilledCatalogue());
        if (points.error.isEmpty() && points.points.size() != project.points.size())
            Fail("the table of the points reads back as another number of points",
                 QString::fromUtf8(table.data().left(400)));
        if (!points.error.isEmpty() && !points.points.empty())
            Fail("a refused table kept points", points.error);
    }
    return 0;
}
