#include "StartedReturn.h"
#include "print/ReportFonts.h"
#include "print/ReportPainter.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);

// The print command's preparation of a return that prints all eleven pages.
void prepareAllPages(benchmark::State& state)
{
    StartedReturn r(hungarian);
    r.fill();
    const ReportTemplate& report = ReportTemplate::standard();
    for (auto _ : state) {
        const PreparedReport prepared = r.prepare(report);
        if (prepared.pages.size() != 11)
            state.SkipWithError("not all eleven pages prepared");
        benchmark::DoNotOptimize(prepared);
    }
}
BENCHMARK(prepareAllPages)->Unit(benchmark::kMillisecond);

PreparedReport filledReport()
{
    StartedReturn r(hungarian);
    r.fill();
    return r.prepare();
}

bool writePdf(const PreparedReport& report, const QString& file)
{
    QPdfWriter writer(file);
    writer.setResolution(1200);
    return ReportPainter::printReport(report, writer);
}

// Painting the eleven pages into a PDF file, as printing to a file does.
void renderAllPagesToPdf(benchmark::State& state)
{
    const PreparedReport report = filledReport();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("return.pdf"));
    for (auto _ : state) {
        if (!writePdf(report, file))
            state.SkipWithError("the PDF could not be written");
    }
}
BENCHMARK(renderAllPagesToPdf)->Unit(benchmark::kMillisecond);

// Painting the eleven pages at screen resolution, as the preview does.
void renderAllPagesForTheScreen(benchmark::State& state)
{
    const PreparedReport report = filledReport();
    for (auto _ : state) {
        for (const PreparedPage& page : report.pages)
            benchmark::DoNotOptimize(ReportPainter::renderPage(page, 96));
    }
}
BENCHMARK(renderAllPagesForTheScreen)->Unit(benchmark::kMillisecond);

} // namespace

// "--pdf=FILE" writes the filled return once, for a look at the pages.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ReportFonts::install();

    const char* pdfOption = "--pdf=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], pdfOption, std::strlen(pdfOption)) == 0)
            return writePdf(filledReport(), QString::fromLocal8Bit(argv[i] + std::strlen(pdfOption))) ? 0 : 1;
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
