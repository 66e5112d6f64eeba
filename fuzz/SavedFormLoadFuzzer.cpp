// libFuzzer target: the whole load command over any file content.
//
// The first input byte chooses what the rest is. Even: the file's content as
// it is, which mostly ends at the cipher's checks or the marker. Odd: the
// plain record bytes, encrypted here with the fixed password before the
// load, so that mutations reach the reader and the calculations it runs.
// Every run must end in one of the two information messages, a Failure or a
// loaded form.

#include "FuzzSettings.h"

#include "calc/Calculations.h"
#include "crypto/Cipher.h"
#include "model/Failure.h"
#include "model/FormModel.h"
#include "model/Windows1250.h"
#include "persist/SaveLoadUi.h"
#include "persist/SavedFormCommands.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

class FixedPasswordUi : public SaveLoadUi
{
public:
    QString askText(const QString&, const QString&) override { return FuzzSettings::password(); }

    void showInformation(const QString& text) override
    {
        const bool known = text == QStringLiteral("Hibás jelszó!           .")
            || text == QStringLiteral("Nincs mentés!           .");
        if (!known) {
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
            std::abort();
        }
    }
};

const QString& savedFormPath()
{
    static QTemporaryDir folder;
    static const QString path = SavedFormCommands::savedFormPath(folder.path());
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    QByteArray content(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1) {
        Cipher cipher;
        cipher.keyFromPassword(Windows1250::encode(FuzzSettings::password()));
        content = cipher.textEncrypt(content).toLatin1();
    }
    QFile file(savedFormPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        std::abort();
    file.close();

    FormModel model(Catalogue::standard(), FuzzSettings::locale());
    Calculations calculations(model);
    calculations.FormCreate();
    FixedPasswordUi ui;
    try {
        SavedFormCommands::load(model, ui, savedFormPath());
    } catch (const Failure&) {
        // One of the program's own failures: the application shows it in its error box.
    }
    return 0;
}
