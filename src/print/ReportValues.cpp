#include "ReportValues.h"

#include "calc/Amount.h"
#include "model/Failure.h"
#include "model/FormModel.h"

#include <QHash>

#include <charconv>
#include <cmath>

namespace {

const QString dash = QStringLiteral("-");
const char* const forints = " Ft.";
const char* const energy = " kwh/ezer m3";

QString fieldName(const char* prefix, int number)
{
    return QString::fromLatin1(prefix) + QString::number(number);
}

// A grid cell read as a number: the regional decimal separator, an optional
// sign and exponent, blanks around it allowed and nothing else; no group
// separators, as a typed cell never has them. A blank cell is zero.
bool readCellNumber(const QString& text, const QLocale& locale, long double* value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *value = 0;
        return true;
    }
    const QChar decimal = Amount::decimalSeparator(locale);
    std::string plain;
    int i = 0;
    const int n = int(trimmed.size());
    auto digits = [&] {
        int count = 0;
        while (i < n && trimmed[i].unicode() >= u'0' && trimmed[i].unicode() <= u'9') {
            plain += char(trimmed[i].unicode());
            ++i;
            ++count;
        }
        return count;
    };
    if (trimmed[i] == u'-' || trimmed[i] == u'+') {
        if (trimmed[i] == u'-')
            plain += '-';
        ++i;
    }
    int mantissa = digits();
    if (i < n && trimmed[i] == decimal) {
        plain += '.';
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < n && (trimmed[i] == u'E' || trimmed[i] == u'e')) {
        plain += 'e';
        ++i;
        if (i < n && (trimmed[i] == u'-' || trimmed[i] == u'+'))
            plain += char(trimmed[i++].unicode());
        if (digits() == 0)
            return false;
    }
    if (i != n)
        return false;
    long double result = 0;
    const auto parsed = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    if (parsed.ec != std::errc() || parsed.ptr != plain.data() + plain.size() || !std::isfinite(result))
        return false;
    *value = result;
    return true;
}

} // namespace

ReportValues::ReportValues(const FormModel& model, Clock today)
    : m_model(model)
    , m_today(std::move(today))
{
}

QString ReportValues::amount(const char* field, const char* suffix) const
{
    return Amount::printedText(m_model.value(QString::fromLatin1(field)), m_model.locale())
        + QString::fromLatin1(suffix);
}

QString ReportValues::date(QDate date) const
{
    // The regional short date; the program sets no format of its own.
    return m_model.locale().toString(date, QLocale::ShortFormat);
}

QString ReportValues::text(const char* field) const
{
    return m_model.text(QString::fromLatin1(field));
}

QString ReportValues::selectedItem(const char* group) const
{
    const int field = m_model.field(QString::fromLatin1(group));
    const int index = m_model.itemIndex(field);
    const QStringList& items = m_model.spec(field).items;
    if (index < 0 || index >= items.size())
        throw Failure(QStringLiteral("List index out of bounds (%1)").arg(index));
    return items.at(index);
}

QString ReportValues::gridAmount(int row) const
{
    const QString cell = m_model.cell(m_model.field(u"AdvStringGrid1"), 3, row);
    long double value = 0;
    if (!readCellNumber(cell, m_model.locale(), &value))
        throw Failure(QStringLiteral("'%1' is not a valid floating point value").arg(cell));
    return Amount::printedText(value, m_model.locale()) + QString::fromLatin1(forints);
}

std::optional<QString> ReportValues::overpaymentStatement() const
{
    const QString start = QStringLiteral("A túlfizetés összegéből ");
    const QString rest = QStringLiteral("a fennmaradó összeget később esedékes iparűzési adó fizetési "
                                        "kötelezettségre kívánom felhasználni");
    const QString transfer = QStringLiteral(" forintot kérek más adónemben/hatóságnál nyilvántartott lejárt "
                                            "esedékességű köztartozásra átvezetni, ");
    auto a = [this](const char* field) { return amount(field, ""); };

    switch (m_model.itemIndex(u"LMDRadioGroup1")) {
    case 1:
        return QStringLiteral("A túlfizetés összegét később esedékes iparűzési adó fizetési kötelezettségre "
                              "kívánom felhasználni");
    case 2:
        return start + a("PBNumEdit74") + QStringLiteral(" forintot kérek visszatéríteni, ") + rest
            + QStringLiteral(", egyúttal nyilatkozom, hogy lejárt esedékességű köztartozásom nincs");
    case 3:
        return start + a("PBNumEdit75") + QStringLiteral(" forintot kérek visszatéríteni, ") + a("PBNumEdit76")
            + transfer + rest;
    case 4:
        return start + a("PBNumEdit77") + transfer + rest;
    case 5:
        return QStringLiteral("A túlfizetés teljes összegének visszatérítését kérem, egyúttal nyilatkozom, hogy "
                              "lejárt esedékességű köztartozásom nincs");
    default:
        return std::nullopt;
    }
}

std::optional<QString> ReportValues::value(const QString& name) const
{
    using Rule = std::function<std::optional<QString>(const ReportValues&)>;
    static const QHash<QString, Rule> rules = [] {
        QHash<QString, Rule> r;
        auto plainText = [&r](const char* variable, const char* field) {
            r.insert(QString::fromLatin1(variable), [field](const ReportValues& v) { return v.text(field); });
        };
        auto amountOf = [&r](const QString& variable, const QString& field, const char* suffix) {
            const QByteArray f = field.toLatin1();
            r.insert(variable, [f, suffix](const ReportValues& v) { return v.amount(f.constData(), suffix); });
        };
        auto amountRange = [&amountOf](const char* prefix, std::initializer_list<int> fields) {
            int n = 0;
            for (int field : fields)
                amountOf(fieldName(prefix, ++n), fieldName("PBNumEdit", field), forints);
        };
        auto period = [&r](const char* variable, const char* from, const char* to) {
            r.insert(QString::fromLatin1(variable), [from, to](const ReportValues& v) {
                return v.date(v.m_model.date(QString::fromLatin1(from))) + QStringLiteral(" naptól ")
                    + v.date(v.m_model.date(QString::fromLatin1(to))) + QStringLiteral(" napig");
            });
        };
        auto dateOf = [&r](const char* variable, const char* field) {
            r.insert(QString::fromLatin1(variable),
                     [field](const ReportValues& v) { return v.date(v.m_model.date(QString::fromLatin1(field))); });
        };
        auto displayed = [&r](const char* variable, const char* field) {
            r.insert(QString::fromLatin1(variable), [field](const ReportValues& v) { return v.text(field); });
        };
        // Private individuals only; anyone else prints a dash.
        auto personal = [&r](const char* variable, std::function<QString(const ReportValues&)> read) {
            r.insert(QString::fromLatin1(variable), [read](const ReportValues& v) -> std::optional<QString> {
                return v.m_model.isChecked(u"CheckBox1") ? read(v) : dash;
            });
        };

        const Rule today = [](const ReportValues& v) { return v.date(v.m_today()); };
        r.insert(QStringLiteral("datum"), today);
        r.insert(QStringLiteral("m901"), today);
        r.insert(QStringLiteral("azon"), [](const ReportValues& v) { return v.m_model.barcodeText(); });
        r.insert(QStringLiteral("m1"), [](const ReportValues& v) { return v.selectedItem("LMDRadioGroup4"); });
        period("m2", "DateTimePicker2", "DateTimePicker3");
        r.insert(QStringLiteral("m3"), [](const ReportValues& v) -> std::optional<QString> {
            // Only the closing return ("Záró bevallás") states its reason.
            if (v.m_model.itemIndex(u"LMDRadioGroup4") != 1)
                return dash;
            return v.selectedItem("LMDRadioGroup2");
        });
        plainText("m4", "Edit1");
        personal("m5", [](const ReportValues& v) { return v.text("Edit4"); });
        personal("m6", [](const ReportValues& v) { return v.date(v.m_model.date(u"DateTimePicker1")); });
        personal("m7", [](const ReportValues& v) { return v.text("Edit3"); });
        plainText("m8", "Edit5");
        plainText("m9", "Edit7");
        plainText("m10", "Edit2");
        plainText("m110", "Edit9");
        plainText("m11", "Edit6");
        plainText("m12", "Edit8");
        int n = 13;
        for (int field : {1, 2, 3, 4, 5, 30, 6, 7, 8, 12, 9, 10, 11, 14, 15, 16, 17, 18, 19, 20, 21, 28})
            amountOf(fieldName("m", n++), fieldName("PBNumEdit", field), forints);
        plainText("m35", "Edit1");
        plainText("m36", "Edit5");
        plainText("m37", "Edit7");
        r.insert(QStringLiteral("m38"), [](const ReportValues& v) -> std::optional<QString> {
            // The tax identification mark wins over the tax number.
            for (const char* field : {"Edit7", "Edit5"}) {
                const QString t = v.text(field);
                if (!t.isEmpty())
                    return t;
            }
            return dash;
        });
        plainText("m39", "Edit14");
        plainText("m121", "Edit14");
        period("m12a1", "DateTimePicker4", "DateTimePicker5");
        dateOf("m12b2", "DateTimePicker6");
        dateOf("m12b3", "DateTimePicker7");
        displayed("m12c2", "PBNumEdit72");
        displayed("m12c3", "PBNumEdit73");
        amountRange("a", {13, 22, 23, 24, 25, 26});
        amountRange("b", {35, 36, 37, 38, 39, 41, 40, 42});
        amountRange("c", {43, 44, 45, 47, 48, 49, 46, 50});
        amountRange("d", {51, 52, 53, 54, 55, 56});
        amountRange("e", {57, 58, 62, 59, 61, 60});
        amountRange("f", {63, 67, 65, 66, 68, 64});
        amountOf(QStringLiteral("f7"), QStringLiteral("PBNumEdit70"), energy);
        amountOf(QStringLiteral("f8"), QStringLiteral("PBNumEdit71"), energy);
        r.insert(QStringLiteral("f100"), [](const ReportValues& v) { return v.selectedItem("LMDRadioGroup3"); });
        for (int row = 1; row <= 5; ++row) {
            auto cell = [row](int column) {
                return [row, column](const ReportValues& v) {
                    return v.m_model.cell(v.m_model.field(u"AdvStringGrid1"), column, row);
                };
            };
            const QString g = fieldName("g", row);
            r.insert(g, cell(1));
            r.insert(g + u'b', cell(2));
            r.insert(g + u'c', [row](const ReportValues& v) { return v.gridAmount(row); });
            r.insert(g + u'd', cell(4));
        }
        r.insert(QStringLiteral("g11"), [](const ReportValues& v) { return v.overpaymentStatement(); });
        amountRange("h", {81, 80, 82, 84, 83, 86, 85});
        return r;
    }();

    const auto it = rules.constFind(name);
    if (it == rules.constEnd())
        return std::nullopt;
    return (*it)(*this);
}
