#include "calc/Amount.h"
#include "calc/Calculations.h"
#include "model/FormModel.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);

void displayForm(benchmark::State& state)
{
    long double value = 1234567.25L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Amount::displayText(value, hungarian));
        value += 1;
    }
}
BENCHMARK(displayForm);

void reading(benchmark::State& state)
{
    const QString text = Amount::displayText(1234567.25L, hungarian);
    for (auto _ : state)
        benchmark::DoNotOptimize(Amount::read(text, hungarian));
}
BENCHMARK(reading);

// Fills every net revenue sheet and sheet "H" behind the handlers' backs, so
// that the next keystroke has the most to empty.
void fillEverySheet(FormModel& model)
{
    for (int n : {13, 22, 23, 24, 25, 26, 35, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50,
                  51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 80, 81, 82, 83, 84, 85, 86})
        model.setTextQuietly(model.field(QStringLiteral("PBNumEdit%1").arg(n)), QStringLiteral("1\u00a0000"));
}

void keystrokeOnSheetB(benchmark::State& state)
{
    FormModel model(Catalogue::standard(), hungarian);
    Calculations calc(model);
    calc.FormCreate();
    const int field = model.field(u"PBNumEdit36");
    int digit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillEverySheet(model);
        const QString text = QStringLiteral("123%1").arg(digit++ % 10);
        state.ResumeTiming();
        model.setText(field, text);
    }
}
BENCHMARK(keystrokeOnSheetB)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
