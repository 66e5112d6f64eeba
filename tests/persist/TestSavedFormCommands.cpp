#include "StartedForm.h"
#include "TestLocales.h"
#include "crypto/Cipher.h"
#include "model/Windows1250.h"
#include "persist/SaveLoadUi.h"
#include "persist/SavedFormCommands.h"
#include "persist/SavedFormRecord.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <iterator>

#include <csignal>
#include <sys/resource.h>

using Damage = std::function<QByteArray(QByteArray)>;
Q_DECLARE_METATYPE(Damage)

namespace {

const QString askSave = QStringLiteral("ask: Kérek egy jelszót! | A jelszó a későbbi visszatöltésnél kell majd:");
const QString askLoad = QStringLiteral("ask: Jelszóellenőrzés | Kérem a jelszót");
const QString noSavedFormInfo = QStringLiteral("info: Nincs mentés!           .");
const QString wrongPasswordInfo = QStringLiteral("info: Hibás jelszó!           .");

// Answers the prompts from a list and writes down every dialog it shows.
class ScriptedUi : public SaveLoadUi
{
public:
    explicit ScriptedUi(QStringList answers)
        : m_answers(std::move(answers))
    {
    }

    QString askText(const QString& caption, const QString& prompt) override
    {
        log.append(QStringLiteral("ask: %1 | %2").arg(caption, prompt));
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }

    void showInformation(const QString& text) override { log.append(QStringLiteral("info: ") + text); }

    QStringList log;

private:
    QStringList m_answers;
};

// Typing into a field and leaving it, as the user does.
void type(FormModel& model, const QString& name, const QString& text)
{
    const int field = model.field(name);
    model.setText(field, text);
    model.leaveField(field);
}

void typeAmount(FormModel& model, const QString& name, const char* hungarianStyle)
{
    type(model, name, localised(QString::fromUtf8(hungarianStyle), model.locale()));
}

// The entered (not computed) amount fields of a panel, in creation order.
QStringList enteredAmounts(const QString& panel)
{
    QStringList names;
    for (const FieldSpec& f : Catalogue::standard().fields) {
        if (f.kind == FieldKind::Amount && !f.computed && Catalogue::standard().panelOf(f.container) == panel)
            names.append(f.name);
    }
    return names;
}

const char* const amountSamples[] = {"98'765'432,5", "-1'234", "12'345,25", "250", "0,5", "1'000'000", "-0,75", "7"};

// Everything the sheets other than the net revenue and simplified base
// sheets hold: texts with accents, dates, choices, the main sheet's entered
// lines, sheets "F" and "G" and the grid.
void fillCommonParts(FormModel& m)
{
    type(m, QStringLiteral("Edit1"), QStringLiteral("Árvíztűrő Tükörfúrógép Kft."));
    type(m, QStringLiteral("Edit3"), QStringLiteral("Kovács Éva"));
    type(m, QStringLiteral("Edit4"), QStringLiteral("Szőlősgyörök"));
    for (const FieldSpec& f : Catalogue::standard().fields) {
        if (f.kind == FieldKind::Text && m.text(f.name).isEmpty())
            type(m, f.name, QStringLiteral("%1 – őrző ű_ö ÁÉÍÓÖŐÚÜŰ").arg(f.name));
    }
    const std::pair<const char16_t*, QDate> dates[] = {
        {u"DateTimePicker1", QDate(1975, 5, 17)}, {u"DateTimePicker2", QDate(2011, 3, 1)},
        {u"DateTimePicker3", QDate(2011, 11, 30)}, {u"DateTimePicker4", QDate(2012, 8, 15)},
        {u"DateTimePicker5", QDate(2013, 5, 31)}, {u"DateTimePicker6", QDate(2012, 10, 15)},
        {u"DateTimePicker7", QDate(2013, 4, 15)},
    };
    for (const auto& [name, date] : dates)
        m.setDate(name, date);
    m.setItemIndex(u"LMDRadioGroup4", 1);
    m.setItemIndex(u"LMDRadioGroup2", 3);
    m.setItemIndex(u"LMDRadioGroup6", 2);
    m.setItemIndex(u"LMDRadioGroup3", 1);
    m.setItemIndex(u"LMDRadioGroup1", 3);

    int sample = 0;
    auto next = [&sample] { return amountSamples[sample++ % std::size(amountSamples)]; };
    for (const QString& name : enteredAmounts(QStringLiteral("Panel51")))
        typeAmount(m, name, next());
    typeAmount(m, QStringLiteral("PBNumEdit72"), "123'456,5");
    for (const char* panel : {"Panel13", "Panel14"}) {
        for (const QString& name : enteredAmounts(QLatin1String(panel)))
            typeAmount(m, name, next());
    }
    const int grid = m.field(u"AdvStringGrid1");
    for (int row = 1; row <= 5; ++row) {
        m.setCell(grid, 1, row, QStringLiteral("Nemzeti Adó- és Vámhivatal %1").arg(row));
        m.setCell(grid, 2, row, QStringLiteral("gépjárműadó_%1").arg(row));
        m.setCell(grid, 3, row, QStringLiteral("%1 000").arg(row * 10));
        m.setCell(grid, 4, row, QStringLiteral("11773016-1111111%1$").arg(row));
    }
    m.setCell(grid, 4, 5, QString());
}

// Fills the return with one of the net revenue sheets "A" to "E" or, under
// a simplified base choice, the base of one group of sheet "H".
void fillReturn(FormModel& m, const QString& netRevenuePanel, int simplifiedChoice = 0,
                const QString& simplifiedBase = {})
{
    fillCommonParts(m);
    if (simplifiedChoice > 0) {
        m.setItemIndex(u"LMDRadioGroup5", simplifiedChoice);
        typeAmount(m, simplifiedBase, "3'000'000,5");
        return;
    }
    int sample = 3;
    for (const QString& name : enteredAmounts(netRevenuePanel))
        typeAmount(m, name, amountSamples[sample++ % std::size(amountSamples)]);
}

struct ContainerStates
{
    QList<bool> sheets;
    QList<bool> groupBoxes;
    bool warningShown = false;
    bool operator==(const ContainerStates&) const = default;
};

ContainerStates containerStates(const FormModel& m)
{
    ContainerStates states;
    for (int sheet = 0; sheet < m.catalogue().sheets.size(); ++sheet)
        states.sheets.append(m.isSheetEnabled(sheet));
    for (const char* box : {"GroupBox1", "GroupBox2", "GroupBox3"})
        states.groupBoxes.append(m.isGroupBoxEnabled(QLatin1String(box)));
    states.warningShown = m.isLabelVisible(QStringLiteral("egyszvaluzenet"));
    return states;
}

// Makes writes to regular files fail once they pass `bytes`, for the
// lifetime of the object; the write then reports an error instead of a
// signal ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

bool canCreateFileIn(const QString& folder)
{
    QFile probe(folder + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

} // namespace

class TestSavedFormCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void roundTrip_data();
    void roundTrip();
    void savedFileIsOneLineOfBase64ForItsOwner();
    void wrongPassword_data();
    void wrongPassword();
    void noSavedFormIsReportedAfterThePrompt();
    void emptyPasswordWritesNothing();
    void spacesOnlyPasswordSaves();
    void savingTwiceKeepsOnlyTheSecond();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void damagedFileChangesNothing_data();
    void damagedFileChangesNothing();
    void unreadableFileFails();
    void readerFailureStopsTheLoad();
    void typeOfReturnRuleAfterLoad_data();
    void typeOfReturnRuleAfterLoad();
    void simplifiedBaseRuleAfterLoad_data();
    void simplifiedBaseRuleAfterLoad();
    void checkBoxRuleAfterLoad_data();
    void checkBoxRuleAfterLoad();

private:
    QString path() const { return SavedFormCommands::savedFormPath(m_dir->path()); }
    QStringList save(FormModel& model, const QString& password, const QString& filePath = {});
    QStringList load(FormModel& model, const QString& password);
    QByteArray fileContent() const;
    void writeFile(const QByteArray& content) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSavedFormCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QStringList TestSavedFormCommands::save(FormModel& model, const QString& password, const QString& filePath)
{
    ScriptedUi ui({password});
    SavedFormCommands::save(model, ui, filePath.isEmpty() ? path() : filePath);
    return ui.log;
}

QStringList TestSavedFormCommands::load(FormModel& model, const QString& password)
{
    ScriptedUi ui({password});
    SavedFormCommands::load(model, ui, path());
    return ui.log;
}

QByteArray TestSavedFormCommands::fileContent() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestSavedFormCommands::writeFile(const QByteArray& content) const
{
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

void TestSavedFormCommands::roundTrip_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("netRevenuePanel");
    QTest::addColumn<int>("simplifiedChoice");
    QTest::addColumn<QString>("simplifiedBase");

    const QList<std::pair<const char*, QLocale>> locales = {{"hu", TestLocales::hungarian()},
                                                            {"en", TestLocales::english()}};
    for (const auto& [tag, locale] : locales) {
        QTest::addRow("%s: sheet A", tag) << locale << "Panel5" << 0 << "";
        QTest::addRow("%s: sheet B", tag) << locale << "Panel9" << 0 << "";
        QTest::addRow("%s: sheet C", tag) << locale << "Panel10" << 0 << "";
        QTest::addRow("%s: sheet D", tag) << locale << "Panel11" << 0 << "";
        QTest::addRow("%s: sheet E", tag) << locale << "Panel12" << 0 << "";
        QTest::addRow("%s: sheet H, first group", tag) << locale << "" << 1 << "PBNumEdit81";
        QTest::addRow("%s: sheet H, second group", tag) << locale << "" << 1 << "PBNumEdit84";
        QTest::addRow("%s: sheet H, third group", tag) << locale << "" << 2 << "PBNumEdit86";
    }
}

void TestSavedFormCommands::roundTrip()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, netRevenuePanel);
    QFETCH(int, simplifiedChoice);
    QFETCH(QString, simplifiedBase);

    StartedForm saved(locale);
    fillReturn(saved.model, netRevenuePanel, simplifiedChoice, simplifiedBase);
    const QStringList record = SavedFormRecord::write(saved.model);
    QCOMPARE(save(saved.model, QStringLiteral("Jelszó 2011")), QStringList{askSave});

    // A new run of the program: a freshly started window.
    StartedForm loaded(locale);
    QCOMPARE(load(loaded.model, QStringLiteral("Jelszó 2011")), QStringList{askLoad});
    QCOMPARE(SavedFormRecord::write(loaded.model), record);
    QCOMPARE(containerStates(loaded.model), containerStates(saved.model));

    // The record compared above does hold the filled values.
    QCOMPARE(loaded.model.text(u"Edit1"), QStringLiteral("Árvíztűrő Tükörfúrógép Kft."));
    QCOMPARE(loaded.model.text(u"PBNumEdit72"), localised(QStringLiteral("123'456,5"), locale));
    QCOMPARE(loaded.model.text(u"PBNumEdit3"), localised(QStringLiteral("-1'234"), locale));
    QCOMPARE(loaded.model.date(u"DateTimePicker1"), QDate(1975, 5, 17));
    QCOMPARE(loaded.model.itemIndex(u"LMDRadioGroup2"), 3);
    QCOMPARE(loaded.model.cell(loaded.model.field(u"AdvStringGrid1"), 4, 2), QStringLiteral("11773016-11111112$"));
    if (simplifiedChoice == 0) {
        const QString firstLine = enteredAmounts(netRevenuePanel).constFirst();
        QCOMPARE(loaded.model.text(firstLine), localised(QStringLiteral("250"), locale));
        QVERIFY(loaded.model.value(u"PBNumEdit1") != 0);
    } else {
        QCOMPARE(loaded.model.text(simplifiedBase), localised(QStringLiteral("3'000'000,5"), locale));
        QVERIFY(loaded.model.value(u"PBNumEdit6") != 0);
    }
}

void TestSavedFormCommands::savedFileIsOneLineOfBase64ForItsOwner()
{
    // An earlier file, readable by anyone, is replaced.
    writeFile("régi");
    QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                              | QFile::ReadOther));

    StartedForm form(TestLocales::hungarian());
    fillReturn(form.model, QStringLiteral("Panel5"));
    save(form.model, QStringLiteral("titok"));

    QCOMPARE(QFileInfo(path()).fileName(), QStringLiteral("EZP11009.txt"));
    const QByteArray content = fileContent();
    QVERIFY(content.size() > 24);
    QCOMPARE(content.size() % 4, 0);
    static const QRegularExpression base64(QStringLiteral("^[A-Za-z0-9+/]+={0,2}$"));
    QVERIFY2(base64.match(QString::fromLatin1(content)).hasMatch(), content.left(80).constData());
    // The ciphertext is whole blocks: padding shows exactly when its length
    // is no multiple of 3.
    const qsizetype cipherBytes = QByteArray::fromBase64(content).size();
    QCOMPARE(cipherBytes % 16, 0);
    QCOMPARE(content.endsWith('='), cipherBytes % 3 != 0);

    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFileInfo(path()).permissions() & others, QFile::Permissions());
    QVERIFY(QFileInfo(path()).permissions().testFlags(QFile::ReadOwner | QFile::WriteOwner));
}

void TestSavedFormCommands::wrongPassword_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("letter case of one letter") << "jelszó";
    QTest::newRow("accent dropped") << "Jelszo";
    QTest::newRow("trailing space") << "Jelszó ";
    QTest::newRow("cancelled prompt gives the empty password") << "";
}

void TestSavedFormCommands::wrongPassword()
{
    QFETCH(QString, password);

    StartedForm saved(TestLocales::hungarian());
    fillReturn(saved.model, QStringLiteral("Panel9"));
    save(saved.model, QStringLiteral("Jelszó"));

    StartedForm loaded(TestLocales::hungarian());
    loaded.model.setText(u"Edit1", QStringLiteral("Meglévő"));
    const QStringList before = SavedFormRecord::write(loaded.model);
    const ContainerStates states = containerStates(loaded.model);
    QCOMPARE(load(loaded.model, password), (QStringList{askLoad, wrongPasswordInfo}));
    QCOMPARE(SavedFormRecord::write(loaded.model), before);
    QCOMPARE(containerStates(loaded.model), states);
}

void TestSavedFormCommands::noSavedFormIsReportedAfterThePrompt()
{
    StartedForm form(TestLocales::hungarian());
    form.model.setText(u"Edit1", QStringLiteral("Meglévő"));
    const QStringList before = SavedFormRecord::write(form.model);
    QCOMPARE(load(form.model, QStringLiteral("bármi")), (QStringList{askLoad, noSavedFormInfo}));
    QCOMPARE(SavedFormRecord::write(form.model), before);
    QVERIFY(!QFile::exists(path()));
}

void TestSavedFormCommands::emptyPasswordWritesNothing()
{
    StartedForm form(TestLocales::hungarian());
    QCOMPARE(save(form.model, QString()), QStringList{askSave});
    QVERIFY(!QFile::exists(path()));
    QVERIFY(QDir(m_dir->path()).isEmpty());

    // An earlier saved form stays as it was and still loads.
    form.model.setText(u"Edit1", QStringLiteral("Első mentés"));
    save(form.model, QStringLiteral("titok"));
    const QByteArray earlier = fileContent();
    form.model.setText(u"Edit1", QStringLiteral("Második, nem mentett"));
    QCOMPARE(save(form.model, QString()), QStringList{askSave});
    QCOMPARE(fileContent(), earlier);

    StartedForm loaded(TestLocales::hungarian());
    QCOMPARE(load(loaded.model, QStringLiteral("titok")), QStringList{askLoad});
    QCOMPARE(loaded.model.text(u"Edit1"), QStringLiteral("Első mentés"));
}

void TestSavedFormCommands::spacesOnlyPasswordSaves()
{
    StartedForm form(TestLocales::hungarian());
    form.model.setText(u"Edit1", QStringLiteral("Szóközös"));
    QCOMPARE(save(form.model, QStringLiteral("   ")), QStringList{askSave});
    QVERIFY(QFile::exists(path()));

    StartedForm withEmpty(TestLocales::hungarian());
    QCOMPARE(load(withEmpty.model, QString()), (QStringList{askLoad, wrongPasswordInfo}));
    StartedForm withSpaces(TestLocales::hungarian());
    QCOMPARE(load(withSpaces.model, QStringLiteral("   ")), QStringList{askLoad});
    QCOMPARE(withSpaces.model.text(u"Edit1"), QStringLiteral("Szóközös"));
}

void TestSavedFormCommands::savingTwiceKeepsOnlyTheSecond()
{
    StartedForm form(TestLocales::hungarian());
    form.model.setText(u"Edit1", QStringLiteral("Első"));
    save(form.model, QStringLiteral("egy"));
    form.model.setText(u"Edit1", QStringLiteral("Második"));
    QCOMPARE(save(form.model, QStringLiteral("kettő")), QStringList{askSave});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"EZP11009.txt"});

    StartedForm withFirst(TestLocales::hungarian());
    QCOMPARE(load(withFirst.model, QStringLiteral("egy")), (QStringList{askLoad, wrongPasswordInfo}));
    StartedForm withSecond(TestLocales::hungarian());
    QCOMPARE(load(withSecond.model, QStringLiteral("kettő")), QStringList{askLoad});
    QCOMPARE(withSecond.model.text(u"Edit1"), QStringLiteral("Második"));
}

void TestSavedFormCommands::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("folderReadOnly"); // otherwise the write runs out of room midway
    QTest::newRow("writing fails midway") << false;
    QTest::newRow("folder cannot be written") << true;
}

void TestSavedFormCommands::failedSaveKeepsTheOldFile()
{
    QFETCH(bool, folderReadOnly);

    StartedForm form(TestLocales::hungarian());
    form.model.setText(u"Edit1", QStringLiteral("Régi mentés"));
    save(form.model, QStringLiteral("titok"));
    const QByteArray old = fileContent();
    form.model.setText(u"Edit1", QStringLiteral("Új, sikertelen mentés"));

    QString target = path();
    QString message;
    if (folderReadOnly) {
        const QFile::Permissions folderPermissions = QFile(m_dir->path()).permissions();
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(m_dir->path(), folderPermissions); });
        if (canCreateFileIn(m_dir->path())) {
            // Permissions are not enforced for this user (root): a folder
            // that is a regular file cannot be written by anyone.
            QFile::setPermissions(m_dir->path(), folderPermissions);
            const QString plainFile = m_dir->filePath(QStringLiteral("mappa"));
            QFile file(plainFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            target = SavedFormCommands::savedFormPath(plainFile);
        }
        message = failureText([&] { save(form.model, QStringLiteral("titok"), target); });
    } else {
        const FileSizeLimit limit(64);
        message = failureText([&] { save(form.model, QStringLiteral("titok"), target); });
    }

    const QString fullName = QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath());
    const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(fullName);
    QVERIFY2(message.startsWith(prefix) && message.size() > prefix.size(), qPrintable(message));
    QCOMPARE(fileContent(), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("EZP11009")),
             QStringList{"EZP11009.txt"});

    StartedForm loaded(TestLocales::hungarian());
    QCOMPARE(load(loaded.model, QStringLiteral("titok")), QStringList{askLoad});
    QCOMPARE(loaded.model.text(u"Edit1"), QStringLiteral("Régi mentés"));
}

void TestSavedFormCommands::damagedFileChangesNothing_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<QString>("message");

    const QString invalidCharacter = QStringLiteral("Invalid Base64 Character");
    const QString invalidFormat = QStringLiteral("Invalid file format");
    QTest::newRow("CR LF after the text") << Damage([](QByteArray v) { return v + "\r\n"; }) << invalidCharacter;
    QTest::newRow("LF after the text") << Damage([](QByteArray v) { return v + "\n"; }) << invalidCharacter;
    QTest::newRow("space inside") << Damage([](QByteArray v) { return v.replace(8, 1, " "); }) << invalidCharacter;
    QTest::newRow("accented byte inside") << Damage([](QByteArray v) { return v.replace(8, 1, "\xF5"); })
                                          << invalidCharacter;
    QTest::newRow("length not a multiple of 4") << Damage([](QByteArray v) { return v.chopped(1); })
                                                << invalidCharacter;
    QTest::newRow("padding before the last group") << Damage([](QByteArray v) { return v.replace(2, 2, "=="); })
                                                   << invalidCharacter;
    QTest::newRow("byte order mark") << Damage([](QByteArray v) { return "\xEF\xBB\xBF" + v; }) << invalidCharacter;
    QTest::newRow("empty file") << Damage([](QByteArray) { return QByteArray(); }) << invalidFormat;
    QTest::newRow("fewer than 16 bytes") << Damage([](QByteArray) { return QByteArray("QUJDREVGR0hJSktMTU5P"); })
                                         << invalidFormat;
}

void TestSavedFormCommands::damagedFileChangesNothing()
{
    QFETCH(Damage, damage);
    QFETCH(QString, message);

    StartedForm saved(TestLocales::hungarian());
    fillReturn(saved.model, QStringLiteral("Panel5"));
    save(saved.model, QStringLiteral("titok"));
    writeFile(damage(fileContent()));

    StartedForm loaded(TestLocales::hungarian());
    const QStringList before = SavedFormRecord::write(loaded.model);
    ScriptedUi ui({QStringLiteral("titok")});
    QCOMPARE(failureText([&] { SavedFormCommands::load(loaded.model, ui, path()); }), message);
    QCOMPARE(ui.log, QStringList{askLoad});
    QCOMPARE(SavedFormRecord::write(loaded.model), before);
}

void TestSavedFormCommands::unreadableFileFails()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("EZP11009.txt")));
    StartedForm form(TestLocales::hungarian());
    const QStringList before = SavedFormRecord::write(form.model);
    ScriptedUi ui({QStringLiteral("titok")});
    const QString message = failureText([&] { SavedFormCommands::load(form.model, ui, path()); });
    const QString fullName = QDir::toNativeSeparators(QFileInfo(path()).absoluteFilePath());
    const QString prefix = QStringLiteral("Cannot open file \"%1\". ").arg(fullName);
    QVERIFY2(message.startsWith(prefix) && message.size() > prefix.size(), qPrintable(message));
    QCOMPARE(ui.log, QStringList{askLoad});
    QCOMPARE(SavedFormRecord::write(form.model), before);
}

void TestSavedFormCommands::readerFailureStopsTheLoad()
{
    // A record made elsewhere, encrypted the way the program does.
    const QStringList record = {SavedFormRecord::marker(), QStringLiteral("Edit1_Előtte"),
                                QStringLiteral("PBNumEdit22_1000"), QStringLiteral("LMDRadioGroup4_negy"),
                                QStringLiteral("Edit2_Utána")};
    Cipher cipher;
    cipher.keyFromPassword(Windows1250::encode(QStringLiteral("titok")));
    writeFile(cipher.textEncrypt(SavedFormRecord::toBytes(record)).toLatin1());

    StartedForm form(TestLocales::hungarian());
    ScriptedUi ui({QStringLiteral("titok")});
    QCOMPARE(failureText([&] { SavedFormCommands::load(form.model, ui, path()); }),
             QStringLiteral("'negy' is not a valid integer value"));
    QCOMPARE(form.model.text(u"Edit1"), QStringLiteral("Előtte"));
    QCOMPARE(form.model.text(u"PBNumEdit1"), QStringLiteral("1\u00A0000"));
    QCOMPARE(form.model.text(u"Edit2"), QString());
    // The enabling rules did not run: line 12 still takes input as at start.
    QVERIFY(form.model.isEnabled(u"PBNumEdit10"));
}

void TestSavedFormCommands::typeOfReturnRuleAfterLoad_data()
{
    QTest::addColumn<int>("savedChoice");
    QTest::addColumn<QList<bool>>("enabled"); // LMDRadioGroup2, PBNumEdit10, PBNumEdit11, PBNumEdit14

    // Item 0 is selected at start too, so the record raises no click; only
    // the rule run after the load disables lines 12 and 13.
    QTest::newRow("annual return, as at start") << 0 << QList<bool>{false, false, false, false};
    QTest::newRow("closing return") << 1 << QList<bool>{true, false, false, false};
    QTest::newRow("in-year starter") << 4 << QList<bool>{false, true, true, true};
}

void TestSavedFormCommands::typeOfReturnRuleAfterLoad()
{
    QFETCH(int, savedChoice);
    QFETCH(QList<bool>, enabled);

    StartedForm saved(TestLocales::hungarian());
    saved.model.setItemIndex(u"LMDRadioGroup4", savedChoice);
    save(saved.model, QStringLiteral("titok"));

    StartedForm loaded(TestLocales::hungarian());
    load(loaded.model, QStringLiteral("titok"));
    QCOMPARE(loaded.model.itemIndex(u"LMDRadioGroup4"), savedChoice);
    const QList<bool> actual = {loaded.model.isEnabled(u"LMDRadioGroup2"), loaded.model.isEnabled(u"PBNumEdit10"),
                                loaded.model.isEnabled(u"PBNumEdit11"), loaded.model.isEnabled(u"PBNumEdit14")};
    QCOMPARE(actual, enabled);
}

void TestSavedFormCommands::simplifiedBaseRuleAfterLoad_data()
{
    QTest::addColumn<int>("savedChoice");
    QTest::addColumn<QString>("savedBase"); // typed on sheet "H" before saving, if any
    QTest::addColumn<bool>("netRevenueSheets");
    QTest::addColumn<bool>("simplifiedSheet");
    QTest::addColumn<QList<bool>>("groupBoxes");
    QTest::addColumn<bool>("warningShown");

    QTest::newRow("first choice with a base") << 1 << "PBNumEdit81" << false << true << QList<bool>{true, true, false}
                                              << true;
    // The window already has item 1, so the record raises no click: only
    // the rule run after the load disables sheets "A" to "E".
    QTest::newRow("first choice without a base") << 1 << "" << false << true << QList<bool>{true, true, false}
                                                 << true;
    QTest::newRow("second choice") << 2 << "PBNumEdit86" << false << true << QList<bool>{false, false, true}
                                   << true;
    // Group boxes keep the state of the window's earlier choice.
    QTest::newRow("not chosen") << 0 << "" << true << false << QList<bool>{true, true, false} << false;
}

void TestSavedFormCommands::simplifiedBaseRuleAfterLoad()
{
    QFETCH(int, savedChoice);
    QFETCH(QString, savedBase);
    QFETCH(bool, netRevenueSheets);
    QFETCH(bool, simplifiedSheet);
    QFETCH(QList<bool>, groupBoxes);
    QFETCH(bool, warningShown);

    StartedForm saved(TestLocales::hungarian());
    saved.model.setItemIndex(u"LMDRadioGroup5", savedChoice);
    if (!savedBase.isEmpty())
        typeAmount(saved.model, savedBase, "2'000'000");
    save(saved.model, QStringLiteral("titok"));

    // The window has the first choice, but a base typed and taken back has
    // enabled sheets "A" to "E" again.
    StartedForm loaded(TestLocales::hungarian());
    loaded.model.setItemIndex(u"LMDRadioGroup5", 1);
    typeAmount(loaded.model, QStringLiteral("PBNumEdit81"), "1'000");
    typeAmount(loaded.model, QStringLiteral("PBNumEdit81"), "0");
    QVERIFY(loaded.model.isSheetEnabled(1));

    QCOMPARE(load(loaded.model, QStringLiteral("titok")), QStringList{askLoad});
    for (int sheet = 1; sheet <= 5; ++sheet)
        QCOMPARE(loaded.model.isSheetEnabled(sheet), netRevenueSheets);
    QCOMPARE(loaded.model.isSheetEnabled(8), simplifiedSheet);
    const QList<bool> boxes = {loaded.model.isGroupBoxEnabled(QStringLiteral("GroupBox1")),
                               loaded.model.isGroupBoxEnabled(QStringLiteral("GroupBox2")),
                               loaded.model.isGroupBoxEnabled(QStringLiteral("GroupBox3"))};
    QCOMPARE(boxes, groupBoxes);
    QCOMPARE(loaded.model.isLabelVisible(QStringLiteral("egyszvaluzenet")), warningShown);
}

void TestSavedFormCommands::checkBoxRuleAfterLoad_data()
{
    QTest::addColumn<bool>("savedChecked");
    QTest::addColumn<bool>("windowChecked");
    QTest::addColumn<QString>("edit3");
    QTest::addColumn<QString>("edit4");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("unchecked box of the window replaces the loaded texts") << true << false << "-" << "-" << false;
    QTest::newRow("return saved unchecked loads into a checked box") << false << true << "-" << "-" << true;
    QTest::newRow("checked on both sides keeps the texts") << true << true << "Nagy Ilona" << "Győr" << true;
}

void TestSavedFormCommands::checkBoxRuleAfterLoad()
{
    QFETCH(bool, savedChecked);
    QFETCH(bool, windowChecked);
    QFETCH(QString, edit3);
    QFETCH(QString, edit4);
    QFETCH(bool, enabled);

    StartedForm saved(TestLocales::hungarian());
    type(saved.model, QStringLiteral("Edit3"), QStringLiteral("Nagy Ilona"));
    type(saved.model, QStringLiteral("Edit4"), QStringLiteral("Győr"));
    saved.model.setDate(u"DateTimePicker1", QDate(1968, 4, 2));
    saved.model.setChecked(u"CheckBox1", savedChecked);
    save(saved.model, QStringLiteral("titok"));

    StartedForm loaded(TestLocales::hungarian());
    loaded.model.setChecked(u"CheckBox1", windowChecked);
    load(loaded.model, QStringLiteral("titok"));
    QCOMPARE(loaded.model.isChecked(u"CheckBox1"), windowChecked);
    QCOMPARE(loaded.model.text(u"Edit3"), edit3);
    QCOMPARE(loaded.model.text(u"Edit4"), edit4);
    QCOMPARE(loaded.model.date(u"DateTimePicker1"), QDate(1968, 4, 2));
    for (const char16_t* name : {u"Edit3", u"Edit4", u"DateTimePicker1"})
        QCOMPARE(loaded.model.isEnabled(name), enabled);
}

QTEST_GUILESS_MAIN(TestSavedFormCommands)
#include "TestSavedFormCommands.moc"
