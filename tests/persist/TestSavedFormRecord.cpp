#include "StartedForm.h"
#include "TestLocales.h"
#include "persist/SavedFormRecord.h"

#include <QTest>

#include <functional>

using Setup = std::function<void(FormModel&)>;
Q_DECLARE_METATYPE(Setup)

namespace {

// The stored fields in the order the writer visits them, as the form's
// design creates them (the check box, between Edit8 and Edit14, is left out).
const QStringList storedOrder = {
    "Edit11",         "Edit1",           "Edit2",           "Edit5",          "Edit7",          "Edit9",
    "DateTimePicker1", "Edit3",          "Edit4",           "Edit6",          "Edit8",          "Edit14",
    "LMDRadioGroup2", "DateTimePicker2", "DateTimePicker3", "LMDRadioGroup4", "LMDRadioGroup5", "LMDRadioGroup6",
    "PBNumEdit1",     "PBNumEdit2",      "PBNumEdit3",      "PBNumEdit4",     "PBNumEdit5",     "PBNumEdit6",
    "PBNumEdit7",     "PBNumEdit8",      "PBNumEdit9",      "PBNumEdit10",    "PBNumEdit11",    "PBNumEdit14",
    "PBNumEdit15",    "PBNumEdit16",     "PBNumEdit17",     "PBNumEdit18",    "PBNumEdit19",    "PBNumEdit20",
    "PBNumEdit21",    "PBNumEdit28",     "PBNumEdit12",     "PBNumEdit29",    "PBNumEdit30",    "DateTimePicker4",
    "DateTimePicker5", "DateTimePicker6", "PBNumEdit72",    "DateTimePicker7", "PBNumEdit73",   "LMDRadioGroup3",
    "PBNumEdit13",    "PBNumEdit22",     "PBNumEdit23",     "PBNumEdit24",    "PBNumEdit25",    "PBNumEdit26",
    "PBNumEdit35",    "PBNumEdit36",     "PBNumEdit37",     "PBNumEdit38",    "PBNumEdit39",    "PBNumEdit41",
    "PBNumEdit40",    "PBNumEdit42",     "PBNumEdit43",     "PBNumEdit44",    "PBNumEdit45",    "PBNumEdit47",
    "PBNumEdit48",    "PBNumEdit49",     "PBNumEdit50",     "PBNumEdit46",    "PBNumEdit51",    "PBNumEdit52",
    "PBNumEdit54",    "PBNumEdit55",     "PBNumEdit56",     "PBNumEdit53",    "PBNumEdit57",    "PBNumEdit58",
    "PBNumEdit59",    "PBNumEdit61",     "PBNumEdit62",     "PBNumEdit60",    "PBNumEdit63",    "PBNumEdit65",
    "PBNumEdit66",    "PBNumEdit67",     "PBNumEdit68",     "PBNumEdit64",    "PBNumEdit70",    "PBNumEdit71",
    "LMDRadioGroup1", "PBNumEdit74",     "PBNumEdit75",     "PBNumEdit76",    "PBNumEdit77",    "AdvStringGrid1",
    "Edit12",         "Edit10",          "Edit13",          "PBNumEdit80",    "PBNumEdit81",    "PBNumEdit82",
    "PBNumEdit83",    "PBNumEdit84",     "PBNumEdit85",     "PBNumEdit86",
};

QStringList withMarker(QStringList lines)
{
    lines.prepend(SavedFormRecord::marker());
    return lines;
}

// The record lines of one field: its value lines and its continuations.
QStringList linesOf(const QStringList& record, const QString& name)
{
    QStringList lines;
    for (const QString& line : record) {
        if (line.startsWith(name + u'_') || line.startsWith(u'$' + name + u'_'))
            lines.append(line);
    }
    return lines;
}

const FieldSpec& specOf(const QString& name)
{
    const Catalogue& catalogue = Catalogue::standard();
    return catalogue.fields.at(catalogue.indexOf(name));
}

} // namespace

class TestSavedFormRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void freshWindowRecord_data();
    void freshWindowRecord();
    void writerLines_data();
    void writerLines();
    void writingChangesNothing();
    void reader_data();
    void reader();
    void readerFailureKeepsEarlierLines_data();
    void readerFailureKeepsEarlierLines();
    void unnamedFieldsKeepTheirInput();
    void byteForm_data();
    void byteForm();
    void linesFromBytes_data();
    void linesFromBytes();
    void dateRoundTrip_data();
    void dateRoundTrip();
    void twoDigitYearCentury_data();
    void twoDigitYearCentury();
    void dateLinesOfOtherSettings_data();
    void dateLinesOfOtherSettings();
};

void TestSavedFormRecord::freshWindowRecord_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("dates"); // DateTimePicker1 to 7, as designed

    QTest::newRow("Hungarian settings")
        << TestLocales::hungarian()
        << QStringList{"2011. 01. 01.", "2011. 01. 01.", "2011. 12. 31.", "2012. 07. 01.",
                       "2013. 06. 30.", "2012. 09. 15.", "2013. 03. 15."};
    QTest::newRow("English settings, two-digit year")
        << TestLocales::english()
        << QStringList{"1/1/11", "1/1/11", "12/31/11", "7/1/12", "6/30/13", "9/15/12", "3/15/13"};
}

void TestSavedFormRecord::freshWindowRecord()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, dates);

    QStringList expected = {QStringLiteral("fenyőerdő")};
    for (const QString& name : storedOrder) {
        if (name == u"Edit11") {
            expected.append(QStringLiteral("Edit11_Edit11")); // the hidden field keeps its design text
        } else if (name.startsWith(u"DateTimePicker")) {
            expected.append(name + u'_' + dates.at(name.mid(14).toInt() - 1));
        } else if (name.startsWith(u"PBNumEdit")) {
            expected.append(name + QStringLiteral("_0"));
        } else if (name.startsWith(u"LMDRadioGroup")) {
            expected.append(name + (name == u"LMDRadioGroup2" ? QStringLiteral("_-1") : QStringLiteral("_0")));
        } else if (name == u"AdvStringGrid1") {
            for (int column = 1; column <= 4; ++column) {
                for (int row = 1; row <= 5; ++row)
                    expected.append(QStringLiteral("AdvStringGrid1_[%1,%2]%3")
                                        .arg(column)
                                        .arg(row)
                                        .arg(column == 3 ? QStringLiteral("0") : QString()));
            }
        }
        // Empty text fields give no line.
    }

    StartedForm form(locale);
    const QStringList record = SavedFormRecord::write(form.model);
    QCOMPARE(record.size(), 113);
    QCOMPARE(record, expected);
}

void TestSavedFormRecord::writerLines_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("value holding an underscore")
        << Setup([](FormModel& m) { m.setText(u"Edit1", QStringLiteral("a_b")); }) << "Edit1"
        << QStringList{"Edit1_a_b"};
    QTest::newRow("emptied text field has no line")
        << Setup([](FormModel& m) { m.setText(u"Edit11", QString()); }) << "Edit11" << QStringList{};
    QTest::newRow("accented text kept")
        << Setup([](FormModel& m) { m.setText(u"Edit2", QStringLiteral("Őrbottyán, Fő út 12.")); }) << "Edit2"
        << QStringList{"Edit2_Őrbottyán, Fő út 12."};
    QTest::newRow("amount keeps its digit grouping")
        << Setup([](FormModel& m) { m.setValue(u"PBNumEdit74", -1234567.25L); }) << "PBNumEdit74"
        << QStringList{QStringLiteral("PBNumEdit74_-1\u00A0234\u00A0567,25")};
    QTest::newRow("emptied amount has no line")
        << Setup([](FormModel& m) { m.setText(u"PBNumEdit74", QString()); }) << "PBNumEdit74" << QStringList{};
    QTest::newRow("no selection is -1")
        << Setup([](FormModel& m) { m.setItemIndex(u"LMDRadioGroup4", -1); }) << "LMDRadioGroup4"
        << QStringList{"LMDRadioGroup4_-1"};
    QTest::newRow("selected item by index from 0")
        << Setup([](FormModel& m) { m.setItemIndex(u"LMDRadioGroup1", 5); }) << "LMDRadioGroup1"
        << QStringList{"LMDRadioGroup1_5"};
    QTest::newRow("check box has no line, unchecked")
        << Setup([](FormModel& m) { m.setChecked(u"CheckBox1", false); }) << "CheckBox1" << QStringList{};
    QTest::newRow("check box has no line, checked")
        << Setup([](FormModel&) {}) << "CheckBox1" << QStringList{};
    QTest::newRow("line breaks continue on named lines, one-character pieces dropped")
        << Setup([](FormModel& m) { m.setText(u"Edit1", QStringLiteral("első\r\nmásodik\nx\rharmadik")); })
        << "Edit1" << QStringList{"Edit1_első", "$Edit1_második", "$Edit1_harmadik"};
    QTest::newRow("grid cells column by column, dollar kept")
        << Setup([](FormModel& m) {
               const int grid = m.field(u"AdvStringGrid1");
               m.setCell(grid, 1, 1, QStringLiteral("NAV"));
               m.setCell(grid, 2, 5, QStringLiteral("5$"));
               m.setCell(grid, 3, 1, QString());
           })
        << "AdvStringGrid1"
        << QStringList{"AdvStringGrid1_[1,1]NAV", "AdvStringGrid1_[1,2]", "AdvStringGrid1_[1,3]",
                       "AdvStringGrid1_[1,4]", "AdvStringGrid1_[1,5]", "AdvStringGrid1_[2,1]",
                       "AdvStringGrid1_[2,2]", "AdvStringGrid1_[2,3]", "AdvStringGrid1_[2,4]",
                       "AdvStringGrid1_[2,5]5$", "AdvStringGrid1_[3,1]", "AdvStringGrid1_[3,2]0",
                       "AdvStringGrid1_[3,3]0", "AdvStringGrid1_[3,4]0", "AdvStringGrid1_[3,5]0",
                       "AdvStringGrid1_[4,1]", "AdvStringGrid1_[4,2]", "AdvStringGrid1_[4,3]",
                       "AdvStringGrid1_[4,4]", "AdvStringGrid1_[4,5]"};
}

void TestSavedFormRecord::writerLines()
{
    QFETCH(Setup, setup);
    QFETCH(QString, field);
    QFETCH(QStringList, expected);

    StartedForm form(TestLocales::hungarian());
    setup(form.model);
    QCOMPARE(linesOf(SavedFormRecord::write(form.model), field), expected);
}

void TestSavedFormRecord::writingChangesNothing()
{
    StartedForm form(TestLocales::hungarian());
    form.model.setText(u"PBNumEdit22", QStringLiteral("1000"));
    const QStringList first = SavedFormRecord::write(form.model);
    int changes = 0;
    QObject::connect(&form.model, &FormModel::textChanged, &form.model, [&changes] { ++changes; });
    QObject::connect(&form.model, &FormModel::enabledChanged, &form.model, [&changes] { ++changes; });
    QObject::connect(&form.model, &FormModel::sheetEnabledChanged, &form.model, [&changes] { ++changes; });
    QCOMPARE(SavedFormRecord::write(form.model), first);
    QCOMPARE(changes, 0);
}

void TestSavedFormRecord::reader_data()
{
    // Lines after the marker, applied to a freshly started window.
    QTest::addColumn<QStringList>("lines");
    // "field=shown value" for the fields the row is about.
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("value after the first underscore, underscores kept")
        << QStringList{"Edit1_a_b"} << QStringList{"Edit1=a_b"};
    QTest::newRow("dollar signs removed from a text") << QStringList{"Edit1_5$"} << QStringList{"Edit1=5"};
    QTest::newRow("dollar sign kept in a grid cell")
        << QStringList{"AdvStringGrid1_[2,3]5$"} << QStringList{"AdvStringGrid1[2,3]=5$"};
    QTest::newRow("dollar sign inside a name removed")
        << QStringList{"Ed$it1_x"} << QStringList{"Edit1=x"};
    QTest::newRow("name letter case ignored") << QStringList{"edit1_x"} << QStringList{"Edit1=x"};
    QTest::newRow("amount text set as stored")
        << QStringList{QStringLiteral("PBNumEdit74_12\u00A0345,5")}
        << QStringList{QStringLiteral("PBNumEdit74=12\u00A0345,5")};
    QTest::newRow("index beyond the last item selects the last")
        << QStringList{"LMDRadioGroup4_9"} << QStringList{"LMDRadioGroup4=7"};
    QTest::newRow("index below -1 selects nothing")
        << QStringList{"LMDRadioGroup4_-5"} << QStringList{"LMDRadioGroup4=-1"};
    QTest::newRow("index -1 selects nothing") << QStringList{"LMDRadioGroup4_-1"} << QStringList{"LMDRadioGroup4=-1"};
    QTest::newRow("empty index leaves the selection")
        << QStringList{"LMDRadioGroup4_3", "LMDRadioGroup4_"} << QStringList{"LMDRadioGroup4=3"};
    QTest::newRow("signed index") << QStringList{"LMDRadioGroup1_+2"} << QStringList{"LMDRadioGroup1=2"};
    QTest::newRow("empty grid cell line empties the cell")
        << QStringList{"AdvStringGrid1_[3,1]"} << QStringList{"AdvStringGrid1[3,1]=", "AdvStringGrid1[3,2]=0"};
    QTest::newRow("grid line without brackets changes nothing")
        << QStringList{"AdvStringGrid1_3,1x", "AdvStringGrid1_[3,2x"}
        << QStringList{"AdvStringGrid1[3,1]=0", "AdvStringGrid1[3,2]=0"};
    QTest::newRow("grid coordinates outside the grid skipped, reading goes on")
        << QStringList{"AdvStringGrid1_[5,1]x", "AdvStringGrid1_[1,6]x", "AdvStringGrid1_[-1,1]x",
                       "AdvStringGrid1_[2147483647,1]x", "Edit1_after"}
        << QStringList{"Edit1=after", "AdvStringGrid1[4,1]=", "AdvStringGrid1[1,5]="};
    QTest::newRow("unknown component skipped, later lines applied")
        << QStringList{"Edit1_a", "Nincsilyen_b", "Edit2_c"} << QStringList{"Edit1=a", "Edit2=c"};
    QTest::newRow("bare continuation of an unknown component skipped")
        << QStringList{"Edit1_a", "Nincsilyen_b", "folytatás", "Edit2_c"} << QStringList{"Edit1=a", "Edit2=c"};
    QTest::newRow("line 2 without underscore names nothing")
        << QStringList{"Edit1", "Edit2_c"} << QStringList{"Edit1=", "Edit2=c"};
    QTest::newRow("continuation line replaces a text")
        << QStringList{"Edit1_első", "$Edit1_második"} << QStringList{"Edit1=második"};
    QTest::newRow("bare line continues the previous component as it spells its name")
        << QStringList{"eDIT1_első", "második"} << QStringList{"Edit1=második"};
    QTest::newRow("check box line changes nothing and its continuation neither")
        << QStringList{"CheckBox1_n", "Edit1_x", "CheckBox1_n", "Edit3-"}
        << QStringList{"CheckBox1=checked", "Edit1=x", "Edit3="};
    QTest::newRow("date in the current short format")
        << QStringList{"DateTimePicker1_1975. 05. 17."} << QStringList{"DateTimePicker1=1975-05-17"};
    QTest::newRow("marker-like line later in the record is an unknown name")
        << QStringList{"fenyőerdő", "Edit2_c"} << QStringList{"Edit2=c"};
}

void TestSavedFormRecord::reader()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);

    StartedForm form(TestLocales::hungarian());
    SavedFormRecord::apply(form.model, withMarker(lines));
    for (const QString& item : expected) {
        const qsizetype equals = item.indexOf(u'=');
        QCOMPARE(shown(form.model, item.left(equals)), item.mid(equals + 1));
    }
}

void TestSavedFormRecord::readerFailureKeepsEarlierLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");

    QTest::newRow("letters as a choice index") << "LMDRadioGroup4_x" << "'x' is not a valid integer value";
    QTest::newRow("fraction as a choice index") << "LMDRadioGroup4_1.5" << "'1.5' is not a valid integer value";
    QTest::newRow("space around a choice index") << "LMDRadioGroup4_ 2" << "' 2' is not a valid integer value";
    QTest::newRow("lone minus as a choice index") << "LMDRadioGroup4_-" << "'-' is not a valid integer value";
    QTest::newRow("choice index beyond the integer range")
        << "LMDRadioGroup4_99999999999" << "'99999999999' is not a valid integer value";
    QTest::newRow("letters as a grid column") << "AdvStringGrid1_[a,1]t" << "'a' is not a valid integer value";
    QTest::newRow("letters as a grid row") << "AdvStringGrid1_[1,b]t" << "'b' is not a valid integer value";
    QTest::newRow("grid coordinates without a comma") << "AdvStringGrid1_[11]t" << "'' is not a valid integer value";
    QTest::newRow("grid brackets the wrong way round") << "AdvStringGrid1_]1,1[t" << "'' is not a valid integer value";
}

void TestSavedFormRecord::readerFailureKeepsEarlierLines()
{
    QFETCH(QString, line);
    QFETCH(QString, message);

    StartedForm form(TestLocales::hungarian());
    form.model.setItemIndex(u"LMDRadioGroup4", 2);
    const QStringList record = withMarker({"Edit1_előtte", "PBNumEdit22_1000", line, "Edit2_utána"});
    QCOMPARE(failureText([&] { SavedFormRecord::apply(form.model, record); }), message);
    QCOMPARE(form.model.text(u"Edit1"), QStringLiteral("előtte"));
    // The earlier line's calculation ran in full.
    QCOMPARE(form.model.text(u"PBNumEdit1"), QStringLiteral("1\u00A0000"));
    QCOMPARE(form.model.text(u"Edit2"), QString());
    QCOMPARE(form.model.itemIndex(u"LMDRadioGroup4"), 2);
}

void TestSavedFormRecord::unnamedFieldsKeepTheirInput()
{
    StartedForm form(TestLocales::hungarian());
    form.model.setText(u"Edit1", QStringLiteral("Meglévő Kft."));
    form.model.setText(u"PBNumEdit74", QStringLiteral("500"));
    form.model.setItemIndex(u"LMDRadioGroup1", 2);
    form.model.setCell(form.model.field(u"AdvStringGrid1"), 2, 2, QStringLiteral("adó"));
    form.model.setDate(u"DateTimePicker1", QDate(1980, 2, 29));
    const QStringList before = SavedFormRecord::write(form.model);

    SavedFormRecord::apply(form.model, withMarker({"Edit2_Új cím"}));
    QStringList expected = before;
    expected.insert(expected.indexOf(QStringLiteral("Edit1_Meglévő Kft.")) + 1, QStringLiteral("Edit2_Új cím"));
    QCOMPARE(SavedFormRecord::write(form.model), expected);
}

void TestSavedFormRecord::byteForm_data()
{
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("marker in Windows-1250, CR LF after it")
        << QStringList{"fenyőerdő"} << QByteArray("feny\xF5" "erd\xF5\r\n");
    QTest::newRow("CR LF after every line, the last included")
        << QStringList{"fenyőerdő", "Edit1_Tűzoltó utca", "AdvStringGrid1_[1,1]"}
        << QByteArray("feny\xF5" "erd\xF5\r\nEdit1_T\xFBzolt\xF3 utca\r\nAdvStringGrid1_[1,1]\r\n");
    QTest::newRow("no-break space of a grouped amount")
        << QStringList{QStringLiteral("PBNumEdit1_1\u00A0000")} << QByteArray("PBNumEdit1_1\xA0" "000\r\n");
    QTest::newRow("empty record, no bytes") << QStringList{} << QByteArray();
}

void TestSavedFormRecord::byteForm()
{
    QFETCH(QStringList, record);
    QFETCH(QByteArray, bytes);
    QCOMPARE(SavedFormRecord::toBytes(record), bytes);
    QCOMPARE(SavedFormRecord::fromBytes(bytes), record);
}

void TestSavedFormRecord::linesFromBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("no bytes, no lines") << QByteArray() << QStringList{};
    QTest::newRow("last line without CR LF is a line") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty line inside kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("lone CR and LF stay inside a line") << QByteArray("a\rb\nc\r\n") << QStringList{"a\rb\nc"};
    QTest::newRow("only CR LF is one empty line") << QByteArray("\r\n") << QStringList{""};
}

void TestSavedFormRecord::linesFromBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(SavedFormRecord::fromBytes(bytes), lines);
}

void TestSavedFormRecord::dateRoundTrip_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("line");

    const QLocale hu = TestLocales::hungarian();
    const QLocale en = TestLocales::english();
    const QLocale de(QLocale::German, QLocale::Germany);
    QTest::newRow("hu: date of birth") << hu << "DateTimePicker1" << QDate(1975, 5, 17)
                                       << "DateTimePicker1_1975. 05. 17.";
    QTest::newRow("en: 2011 stays 2011") << en << "DateTimePicker1" << QDate(2011, 3, 15)
                                         << "DateTimePicker1_3/15/11";
    QTest::newRow("en: date of birth in the last century") << en << "DateTimePicker1" << QDate(1941, 12, 7)
                                                           << "DateTimePicker1_12/7/41";
    QTest::newRow("en: 29 February 2000") << en << "DateTimePicker1" << QDate(2000, 2, 29)
                                          << "DateTimePicker1_2/29/00";
    QTest::newRow("en: a year two digits cannot place is written in full")
        << en << "DateTimePicker1" << QDate(1899, 5, 1) << "DateTimePicker1_1899-05-01";
    QTest::newRow("en: within the field's limits") << en << "DateTimePicker5" << QDate(2014, 6, 30)
                                                   << "DateTimePicker5_6/30/14";
    QTest::newRow("de: two-digit year, day first") << de << "DateTimePicker3" << QDate(2011, 12, 31)
                                                   << "DateTimePicker3_31.12.11";
}

void TestSavedFormRecord::dateRoundTrip()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, field);
    QFETCH(QDate, date);
    QFETCH(QString, line);

    StartedForm saved(locale);
    saved.model.setDate(field, date);
    const QStringList record = SavedFormRecord::write(saved.model);
    QCOMPARE(linesOf(record, field), QStringList{line});

    StartedForm loaded(locale);
    SavedFormRecord::apply(loaded.model, record);
    QCOMPARE(loaded.model.date(field), date);
}

void TestSavedFormRecord::twoDigitYearCentury_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("expected");

    // Without limits: the hundred years ending ten years after today.
    QTest::newRow("ten years ahead is still this century")
        << "3/15/35" << "DateTimePicker1" << QDate(2025, 6, 1) << QDate(2035, 3, 15);
    QTest::newRow("eleven years ahead is the last century")
        << "3/15/36" << "DateTimePicker1" << QDate(2025, 6, 1) << QDate(1936, 3, 15);
    QTest::newRow("the window moves with today")
        << "3/15/30" << "DateTimePicker1" << QDate(2015, 6, 1) << QDate(1930, 3, 15);
    QTest::newRow("29 February of a year ending in 00")
        << "2/29/00" << "DateTimePicker1" << QDate(2025, 6, 1) << QDate(2000, 2, 29);
    // With limits: the year within them, wherever today is.
    QTest::newRow("limits decide over today")
        << "1/1/13" << "DateTimePicker4" << QDate(2200, 1, 1) << QDate(2013, 1, 1);
    QTest::newRow("first day of the limits") << "6/30/10" << "DateTimePicker5" << QDate(1990, 1, 1)
                                             << QDate(2010, 6, 30);
    QTest::newRow("outside the limits falls back to the window")
        << "6/30/20" << "DateTimePicker5" << QDate(2025, 6, 1) << QDate(2020, 6, 30);
    QTest::newRow("no month 13") << "13/1/11" << "DateTimePicker1" << QDate(2025, 6, 1) << QDate();
    QTest::newRow("four digits do not fit the short format, ISO does")
        << "2011-07-04" << "DateTimePicker1" << QDate(2025, 6, 1) << QDate(2011, 7, 4);
}

void TestSavedFormRecord::twoDigitYearCentury()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QFETCH(QDate, today);
    QFETCH(QDate, expected);
    QCOMPARE(SavedFormRecord::readDate(text, TestLocales::english(), specOf(field), today), expected);
}

void TestSavedFormRecord::dateLinesOfOtherSettings_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QDate>("expected");

    const QDate designed(2011, 1, 1);
    QTest::newRow("hu reads ISO 8601")
        << TestLocales::hungarian() << "DateTimePicker1_2011-03-15" << QDate(2011, 3, 15);
    QTest::newRow("en reads ISO 8601")
        << TestLocales::english() << "DateTimePicker1_2011-03-15" << QDate(2011, 3, 15);
    QTest::newRow("en keeps its date for a Hungarian date")
        << TestLocales::english() << "DateTimePicker1_2011. 03. 15." << designed;
    QTest::newRow("hu keeps its date for an English date")
        << TestLocales::hungarian() << "DateTimePicker1_3/15/11" << designed;
    QTest::newRow("empty date text keeps the date") << TestLocales::hungarian() << "DateTimePicker1_" << designed;
    QTest::newRow("no such day keeps the date") << TestLocales::hungarian() << "DateTimePicker1_2011-02-30" << designed;
}

void TestSavedFormRecord::dateLinesOfOtherSettings()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, line);
    QFETCH(QDate, expected);

    StartedForm form(locale);
    SavedFormRecord::apply(form.model, withMarker({line, "Edit1_utána"}));
    QCOMPARE(form.model.date(u"DateTimePicker1"), expected);
    QCOMPARE(form.model.text(u"Edit1"), QStringLiteral("utána"));
}

QTEST_GUILESS_MAIN(TestSavedFormRecord)
#include "TestSavedFormRecord.moc"
