#include "SavedFormCommands.h"

#include "SaveLoadUi.h"
#include "SavedFormRecord.h"

#include "crypto/Cipher.h"
#include "model/Failure.h"
#include "model/FormModel.h"
#include "model/Windows1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace SavedFormCommands {

namespace {

QString fullName(const QString& filePath)
{
    return QDir::toNativeSeparators(QFileInfo(filePath).absoluteFilePath());
}

[[noreturn]] void failCreate(const QString& filePath, const QString& reason)
{
    throw Failure(QStringLiteral("Cannot create file \"%1\". %2").arg(fullName(filePath), reason));
}

} // namespace

QString savedFormPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/EZP11009.txt");
}

void save(FormModel& model, SaveLoadUi& ui, const QString& filePath)
{
    const QStringList record = SavedFormRecord::write(model);
    const QString password = ui.askText(QStringLiteral("Kérek egy jelszót!"),
                                        QStringLiteral("A jelszó a későbbi visszatöltésnél kell majd:"));
    if (password.isEmpty())
        return;

    Cipher cipher;
    cipher.keyFromPassword(Windows1250::encode(password));
    const QByteArray text = cipher.textEncrypt(SavedFormRecord::toBytes(record)).toLatin1();

    // Unbuffered: a buffered write that the disk cuts short is not reported,
    // and the truncated file would replace the old one.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        failCreate(filePath, file.errorString());
    // Set on the temporary file, so the finished file never exists with
    // wider permissions; platforms without owner permissions ignore it.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // A short write gives no reason; the next one fails with it.
    for (qint64 written = 0; written < text.size();) {
        const qint64 count = file.write(text.constData() + written, text.size() - written);
        if (count <= 0)
            failCreate(filePath, file.errorString());
        written += count;
    }
    if (!file.commit())
        failCreate(filePath, file.errorString());
}

void load(FormModel& model, SaveLoadUi& ui, const QString& filePath)
{
    const QString password = ui.askText(QStringLiteral("Jelszóellenőrzés"), QStringLiteral("Kérem a jelszót"));
    if (!QFileInfo::exists(filePath)) {
        ui.showInformation(QStringLiteral("Nincs mentés!           ."));
        return;
    }

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Cannot open file \"%1\". %2").arg(fullName(filePath), file.errorString()));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("Cannot open file \"%1\". %2").arg(fullName(filePath), file.errorString()));
    file.close();

    Cipher cipher;
    cipher.keyFromPassword(Windows1250::encode(password));
    // One character per byte: anything but Base64 text is refused by the
    // cipher, a stray byte included.
    const QStringList record = SavedFormRecord::fromBytes(cipher.textDecrypt(QString::fromLatin1(content)));
    if (record.isEmpty() || record.constFirst() != SavedFormRecord::marker()) {
        ui.showInformation(QStringLiteral("Hibás jelszó!           ."));
        return;
    }

    SavedFormRecord::apply(model, record);
    // The check box is not in the record, and choices the record left at
    // their index raised no click: the rules run again for the whole state.
    for (const char* rule : {"LMDRadioGroup4Click", "CheckBox1Click", "LMDRadioGroup5Click"})
        model.runHandler(QLatin1String(rule));
}

} // namespace SavedFormCommands
