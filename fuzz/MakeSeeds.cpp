// Writes a seed corpus for the load fuzz target into the folder given: a
// filled return saved by the program under the fuzz password, once as the
// file's content and once as plain record bytes (see the target's first
// input byte).

#include "FuzzSettings.h"

#include "calc/Calculations.h"
#include "model/FormModel.h"
#include "persist/SaveLoadUi.h"
#include "persist/SavedFormCommands.h"
#include "persist/SavedFormRecord.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

class FixedPasswordUi : public SaveLoadUi
{
public:
    QString askText(const QString&, const QString&) override { return FuzzSettings::password(); }
    void showInformation(const QString&) override {}
};

bool writeSeed(const QString& path, char mode, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(mode + bytes) == bytes.size() + 1;
}

void fill(FormModel& m, int variant)
{
    m.setText(u"Edit1", QStringLiteral("Árvíztűrő Tükörfúrógép Kft."));
    m.setText(u"Edit3", QStringLiteral("Kovács Éva"));
    m.setDate(u"DateTimePicker1", QDate(1975, 5, 17));
    m.setItemIndex(u"LMDRadioGroup4", variant == 0 ? 1 : 4);
    m.setItemIndex(u"LMDRadioGroup3", 1);
    for (const char16_t* name : {u"PBNumEdit2", u"PBNumEdit3", u"PBNumEdit10", u"PBNumEdit16"}) {
        m.setText(name, QStringLiteral("12\u00A0345,5"));
        m.leaveField(m.field(name));
    }
    if (variant == 0) {
        m.setText(u"PBNumEdit36", QStringLiteral("3\u00A0000\u00A0000"));
        m.setText(u"PBNumEdit42", QStringLiteral("-250,25"));
    } else {
        m.setItemIndex(u"LMDRadioGroup5", 2);
        m.setText(u"PBNumEdit86", QStringLiteral("4\u00A0000\u00A0000"));
    }
    const int grid = m.field(u"AdvStringGrid1");
    m.setCell(grid, 1, 1, QStringLiteral("NAV"));
    m.setCell(grid, 4, 5, QStringLiteral("5$"));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder))
        return 1;
    for (int variant = 0; variant < 2; ++variant) {
        FormModel model(Catalogue::standard(), FuzzSettings::locale());
        Calculations calculations(model);
        calculations.FormCreate();
        fill(model, variant);

        const QString saved = SavedFormCommands::savedFormPath(folder);
        FixedPasswordUi ui;
        SavedFormCommands::save(model, ui, saved);
        QFile file(saved);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray content = file.readAll();
        file.close();
        file.remove();
        const QByteArray record = SavedFormRecord::toBytes(SavedFormRecord::write(model));
        if (!writeSeed(QStringLiteral("%1/saved-file-%2").arg(folder).arg(variant), '\0', content)
            || !writeSeed(QStringLiteral("%1/plain-record-%2").arg(folder).arg(variant), '\1', record))
            return 1;
    }
    return 0;
}
