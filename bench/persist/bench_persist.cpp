#include "calc/Calculations.h"
#include "model/FormModel.h"
#include "persist/SaveLoadUi.h"
#include "persist/SavedFormCommands.h"
#include "persist/SavedFormRecord.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
const QString password = QStringLiteral("Jelszó 2011");

class FixedPasswordUi : public SaveLoadUi
{
public:
    QString askText(const QString&, const QString&) override { return password; }
    void showInformation(const QString&) override {}
};

// A started window with its calculations.
struct Form
{
    Form()
        : model(Catalogue::standard(), hungarian)
        , calc(model)
    {
        calc.FormCreate();
    }
    FormModel model;
    Calculations calc;
};

// Every text, date and choice, the main sheet's entered lines, sheet "B"
// and sheets "F" and "G" with the grid: the largest record a return gives.
void fillReturn(FormModel& m)
{
    const QString samples[] = {QStringLiteral("98\u00A0765\u00A0432,5"), QStringLiteral("-1\u00A0234"),
                               QStringLiteral("12\u00A0345,25"), QStringLiteral("250")};
    int sample = 0;
    for (int field = 0; field < m.fieldCount(); ++field) {
        const FieldSpec& spec = m.spec(field);
        switch (spec.kind) {
        case FieldKind::Text:
            m.setText(field, QStringLiteral("%1 Árvíztűrő Tükörfúrógép Kft.").arg(spec.name));
            break;
        case FieldKind::Date:
            m.setDate(field, spec.initialDate.addDays(30));
            break;
        case FieldKind::Choice:
            m.setItemIndex(field, spec.name == u"LMDRadioGroup5" ? 0 : 1);
            break;
        case FieldKind::Amount: {
            const QString panel = m.catalogue().panelOf(spec.container);
            if (!spec.computed && panel != u"Panel5" && panel != u"Panel10" && panel != u"Panel11"
                && panel != u"Panel12" && panel != u"Panel8") {
                m.setText(field, samples[sample++ % 4]);
                m.leaveField(field);
            }
            break;
        }
        case FieldKind::Grid:
            for (int column = 1; column < spec.gridColumns; ++column) {
                for (int row = 1; row < spec.gridRows; ++row)
                    m.setCell(field, column, row, QStringLiteral("Nemzeti Adó- és Vámhivatal %1").arg(row));
            }
            break;
        case FieldKind::Check:
            break;
        }
    }
}

void save(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = SavedFormCommands::savedFormPath(folder.path());
    Form form;
    fillReturn(form.model);
    FixedPasswordUi ui;
    for (auto _ : state)
        SavedFormCommands::save(form.model, ui, path);
    state.counters["record lines"] = double(SavedFormRecord::write(form.model).size());
}
BENCHMARK(save)->Unit(benchmark::kMillisecond);

// Each load goes into a freshly started window, so every line changes a
// field and the calculations run as they do after a start of the program.
void load(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = SavedFormCommands::savedFormPath(folder.path());
    FixedPasswordUi ui;
    {
        Form saved;
        fillReturn(saved.model);
        SavedFormCommands::save(saved.model, ui, path);
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<Form>();
        state.ResumeTiming();
        SavedFormCommands::load(form->model, ui, path);
        benchmark::DoNotOptimize(form->model.text(0));
    }
}
BENCHMARK(load)->Unit(benchmark::kMillisecond);

// The parts without the cipher and the file.
void writeRecord(benchmark::State& state)
{
    Form form;
    fillReturn(form.model);
    for (auto _ : state)
        benchmark::DoNotOptimize(SavedFormRecord::write(form.model));
}
BENCHMARK(writeRecord)->Unit(benchmark::kMicrosecond);

void applyRecord(benchmark::State& state)
{
    Form saved;
    fillReturn(saved.model);
    const QStringList record = SavedFormRecord::write(saved.model);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<Form>();
        state.ResumeTiming();
        SavedFormRecord::apply(form->model, record);
    }
}
BENCHMARK(applyRecord)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
