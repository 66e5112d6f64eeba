#include "Calculations.h"

#include "Amount.h"
#include "model/FormModel.h"

#include <array>
#include <functional>
#include <vector>

namespace {

// Amount fields of section IV by line of the return (index 0 unused).
constexpr std::array<const char16_t*, 23> mainLine = {
    nullptr,       u"PBNumEdit1",  u"PBNumEdit2",  u"PBNumEdit3",  u"PBNumEdit4",  u"PBNumEdit5",
    u"PBNumEdit30", u"PBNumEdit6",  u"PBNumEdit7",  u"PBNumEdit8",  u"PBNumEdit12", u"PBNumEdit9",
    u"PBNumEdit10", u"PBNumEdit11", u"PBNumEdit14", u"PBNumEdit15", u"PBNumEdit16", u"PBNumEdit17",
    u"PBNumEdit18", u"PBNumEdit19", u"PBNumEdit20", u"PBNumEdit21", u"PBNumEdit28",
};
constexpr const char16_t* secondInstalment = u"PBNumEdit73";

constexpr int inYearStarter = 4;  // "Évközben kezdő adózó bevallása"
constexpr int closingReturn = 1;  // "Záró bevallás"
constexpr long double taxRate = 0.02L;
constexpr int firstNetRevenuePage = 1;
constexpr int lastNetRevenuePage = 5;
constexpr int simplifiedBasePage = 8;

constexpr quint32 highlightStart = 9758459;
constexpr quint32 highlightEnd = 1414638;
constexpr quint32 highlightText = 0;
constexpr quint32 restingFill = 12505042;
constexpr quint32 restingText = 4542543;

} // namespace

namespace {

// One of the sheets "A" to "E": its line 1, its entered lines in line order,
// its fields in component-number order, and the formula of line 1 over the
// entered lines (index 0 is line 2).
struct NetRevenueSheet
{
    const char16_t* total;
    std::vector<const char16_t*> lines;
    std::vector<const char16_t*> byNumber;
    std::function<long double(const std::vector<long double>&)> formula;
};

using Lines = std::vector<long double>;

const std::vector<NetRevenueSheet>& netRevenueSheets()
{
    // Sheets "B" and "C" share their formula: (2+3+4+5+6+7)-8.
    const auto sixLessSeventh = [](const Lines& l) {
        return (((((l[0] + l[1]) + l[2]) + l[3]) + l[4]) + l[5]) - l[6];
    };
    static const std::vector<NetRevenueSheet> sheets = {
        // A: 2-3-4-5-6
        {u"PBNumEdit13",
         {u"PBNumEdit22", u"PBNumEdit23", u"PBNumEdit24", u"PBNumEdit25", u"PBNumEdit26"},
         {u"PBNumEdit13", u"PBNumEdit22", u"PBNumEdit23", u"PBNumEdit24", u"PBNumEdit25", u"PBNumEdit26"},
         [](const Lines& l) { return (((l[0] - l[1]) - l[2]) - l[3]) - l[4]; }},
        // B: (2+3+4+5+6+7)-8
        {u"PBNumEdit35",
         {u"PBNumEdit36", u"PBNumEdit37", u"PBNumEdit38", u"PBNumEdit39", u"PBNumEdit41", u"PBNumEdit40",
          u"PBNumEdit42"},
         {u"PBNumEdit35", u"PBNumEdit36", u"PBNumEdit37", u"PBNumEdit38", u"PBNumEdit39", u"PBNumEdit40",
          u"PBNumEdit41", u"PBNumEdit42"},
         sixLessSeventh},
        // C: (2+3+4+5+6+7)-8
        {u"PBNumEdit43",
         {u"PBNumEdit44", u"PBNumEdit45", u"PBNumEdit47", u"PBNumEdit48", u"PBNumEdit49", u"PBNumEdit46",
          u"PBNumEdit50"},
         {u"PBNumEdit43", u"PBNumEdit44", u"PBNumEdit45", u"PBNumEdit46", u"PBNumEdit47", u"PBNumEdit48",
          u"PBNumEdit49", u"PBNumEdit50"},
         sixLessSeventh},
        // D: 2+3+4+5+6
        {u"PBNumEdit51",
         {u"PBNumEdit52", u"PBNumEdit53", u"PBNumEdit54", u"PBNumEdit55", u"PBNumEdit56"},
         {u"PBNumEdit51", u"PBNumEdit52", u"PBNumEdit53", u"PBNumEdit54", u"PBNumEdit55", u"PBNumEdit56"},
         [](const Lines& l) { return (((l[0] + l[1]) + l[2]) + l[3]) + l[4]; }},
        // E: 2+3-(4+5+6)
        {u"PBNumEdit57",
         {u"PBNumEdit58", u"PBNumEdit62", u"PBNumEdit59", u"PBNumEdit61", u"PBNumEdit60"},
         {u"PBNumEdit57", u"PBNumEdit58", u"PBNumEdit59", u"PBNumEdit60", u"PBNumEdit61", u"PBNumEdit62"},
         [](const Lines& l) { return (l[0] + l[1]) - ((l[2] + l[3]) + l[4]); }},
    };
    return sheets;
}

// The three groups of sheet "H": the share of the entered amount that makes
// the base, and the other groups' fields in emptying order.
struct SimplifiedGroup
{
    long double share;
    std::vector<const char16_t*> others;
};

const std::array<SimplifiedGroup, 3>& simplifiedGroups()
{
    static const std::array<SimplifiedGroup, 3> groups = {{
        {0.2L, {u"PBNumEdit83", u"PBNumEdit84", u"PBNumEdit85", u"PBNumEdit86"}},
        {0.8L, {u"PBNumEdit80", u"PBNumEdit81", u"PBNumEdit82", u"PBNumEdit85", u"PBNumEdit86"}},
        {0.5L, {u"PBNumEdit80", u"PBNumEdit81", u"PBNumEdit82", u"PBNumEdit83", u"PBNumEdit84"}},
    }};
    return groups;
}

constexpr std::array<const char16_t*, 3> groupBases = {u"PBNumEdit82", u"PBNumEdit83", u"PBNumEdit85"};

} // namespace

Calculations::Calculations(FormModel& model)
    : m_model(model)
{
    const std::pair<const char*, void (Calculations::*)()> handlers[] = {
        {"PBNumEdit2Exit", &Calculations::PBNumEdit2Exit},
        {"PBNumEdit22Change", &Calculations::PBNumEdit22Change},
        {"PBNumEdit36Change", &Calculations::PBNumEdit36Change},
        {"PBNumEdit44Change", &Calculations::PBNumEdit44Change},
        {"PBNumEdit52Change", &Calculations::PBNumEdit52Change},
        {"PBNumEdit58Change", &Calculations::PBNumEdit58Change},
        {"PBNumEdit81Change", &Calculations::PBNumEdit81Change},
        {"PBNumEdit84Change", &Calculations::PBNumEdit84Change},
        {"PBNumEdit86Change", &Calculations::PBNumEdit86Change},
        {"LMDRadioGroup4Click", &Calculations::LMDRadioGroup4Click},
        {"CheckBox1Click", &Calculations::CheckBox1Click},
        {"LMDRadioGroup5Click", &Calculations::LMDRadioGroup5Click},
        {"Panel2Enter", &Calculations::Panel2Enter},
        {"Panel3Enter", &Calculations::Panel3Enter},
        {"Panel4Enter", &Calculations::Panel4Enter},
        {"Panel51Enter", &Calculations::Panel51Enter},
        {"Panel6Enter", &Calculations::Panel6Enter},
        {"Panel7Enter", &Calculations::Panel7Enter},
    };
    for (const auto& [name, method] : handlers)
        m_model.bindHandler(QLatin1String(name), [this, method = method] { (this->*method)(); });
}

void Calculations::FormCreate()
{
    const int grid = m_model.field(u"AdvStringGrid1");
    for (int row = 1; row <= 5; ++row)
        m_model.setCell(grid, 3, row, QStringLiteral("0"));
    Panel2Enter();
    for (int page = firstNetRevenuePage; page <= lastNetRevenuePage; ++page)
        m_model.setSheetEnabled(page, true);
    m_model.setSheetEnabled(simplifiedBasePage, false);
    for (const char* box : {"GroupBox1", "GroupBox2", "GroupBox3"})
        m_model.setGroupBoxEnabled(QLatin1String(box), false);
}

void Calculations::PBNumEdit2Exit()
{
    FormModel& m = m_model;
    auto v = [&m](int line) { return m.value(mainLine[line]); };
    auto set = [&m](int line, long double value) { m.setValue(mainLine[line], value); };

    // Line 7 from line 1; with line 1 at zero, line 7 keeps the simplified base.
    if (v(1) != 0)
        set(7, v(1) - (((v(2) + v(3)) + v(5)) + v(6)));
    set(11, v(10) + (v(7) - v(8)));
    if (v(7) < 0) {
        set(7, 0);
        set(11, 0);
    }

    if (m.itemIndex(u"LMDRadioGroup4") == inYearStarter) {
        // Lines 12 to 14 are the taxpayer's own.
        set(15, Amount::roundWhole(v(14) * taxRate));
        taxDueStep();
    } else {
        const bool apportioned = m.itemIndex(u"LMDRadioGroup3") != 0;
        if (v(7) > exemptionThreshold) {
            if (!apportioned) {
                m.setEnabled(mainLine[12], false);
                set(12, v(11));
                set(14, v(11));
            } else {
                m.setEnabled(mainLine[12], true);
                set(14, v(12));
            }
            set(13, 0);
            set(15, Amount::roundWhole(v(14) * taxRate));
            taxDueStep();
        } else {
            // Exempt: a base that does not exceed the threshold owes nothing.
            set(11, v(7));
            if (!apportioned) {
                set(12, v(7));
                set(13, v(7));
            } else {
                set(13, v(12));
            }
            set(14, 0);
            set(15, 0);
            set(18, 0);
        }
    }

    set(21, v(18) - (v(19) + v(20)));
    m.setValue(secondInstalment, v(18) / 2);
}

void Calculations::taxDueStep()
{
    const double due = double(m_model.value(mainLine[15]) - (m_model.value(mainLine[16]) + m_model.value(mainLine[17])));
    // Nothing is owed when the deductions cover the tax.
    m_model.setValue(mainLine[18], due > 0 ? Amount::roundHundred(due) : 0);
}

void Calculations::netRevenueChanged(int sheet)
{
    const auto& sheets = netRevenueSheets();
    // The other sheets are emptied without their own handlers: those would
    // empty this sheet in turn and lose what was just typed.
    for (int other = 0; other < int(sheets.size()); ++other) {
        if (other == sheet)
            continue;
        for (const char16_t* name : sheets[other].byNumber)
            m_model.setValueQuietly(name, 0);
    }
    const NetRevenueSheet& s = sheets[sheet];
    Lines lines;
    lines.reserve(s.lines.size());
    for (const char16_t* name : s.lines)
        lines.push_back(m_model.value(name));
    m_model.setValue(s.total, s.formula(lines));
    m_model.setValue(mainLine[1], m_model.value(s.total));
    PBNumEdit2Exit();
}

void Calculations::PBNumEdit22Change() { netRevenueChanged(0); }
void Calculations::PBNumEdit36Change() { netRevenueChanged(1); }
void Calculations::PBNumEdit44Change() { netRevenueChanged(2); }
void Calculations::PBNumEdit52Change() { netRevenueChanged(3); }
void Calculations::PBNumEdit58Change() { netRevenueChanged(4); }

void Calculations::simplifiedBaseChanged(int group)
{
    FormModel& m = m_model;
    switch (group) {
    case 0:
        m.setValue(u"PBNumEdit80", m.value(u"PBNumEdit81") * simplifiedGroups()[0].share);
        m.setValue(u"PBNumEdit82", m.value(u"PBNumEdit81") + m.value(u"PBNumEdit80"));
        m.setValue(mainLine[7], m.value(u"PBNumEdit82"));
        break;
    case 1:
        m.setValue(u"PBNumEdit83", m.value(u"PBNumEdit84") * simplifiedGroups()[1].share);
        m.setValue(mainLine[7], m.value(u"PBNumEdit83"));
        break;
    default:
        m.setValue(u"PBNumEdit85", m.value(u"PBNumEdit86") * simplifiedGroups()[2].share);
        m.setValue(mainLine[7], m.value(u"PBNumEdit85"));
        break;
    }
    // Emptied without their handlers, which would empty this group in turn.
    for (const char16_t* name : simplifiedGroups()[group].others)
        m.setValueQuietly(name, 0);
    sheetSwitch();
    PBNumEdit2Exit();
}

void Calculations::PBNumEdit81Change() { simplifiedBaseChanged(0); }
void Calculations::PBNumEdit84Change() { simplifiedBaseChanged(1); }
void Calculations::PBNumEdit86Change() { simplifiedBaseChanged(2); }

void Calculations::sheetSwitch()
{
    bool inUse = false;
    for (const char16_t* base : groupBases)
        inUse = inUse || m_model.value(base) != 0;
    if (inUse)
        DisableNetRevenueSheets();
    else
        EnableNetRevenueSheets();
}

void Calculations::EnableNetRevenueSheets()
{
    for (int page = firstNetRevenuePage; page <= lastNetRevenuePage; ++page)
        m_model.setSheetEnabled(page, true);
}

void Calculations::DisableNetRevenueSheets()
{
    for (int page = firstNetRevenuePage; page <= lastNetRevenuePage; ++page)
        m_model.setSheetEnabled(page, false);
    for (const NetRevenueSheet& sheet : netRevenueSheets()) {
        m_model.setValueQuietly(sheet.total, 0);
        for (const char16_t* name : sheet.lines)
            m_model.setValueQuietly(name, 0);
    }
    // The sheets' own handlers are not run, so main line 1 follows here.
    m_model.setValue(mainLine[1], 0);
}

void Calculations::LMDRadioGroup4Click()
{
    const int kind = m_model.itemIndex(u"LMDRadioGroup4");
    m_model.setEnabled(u"LMDRadioGroup2", kind == closingReturn);
    for (int line : {12, 13, 14})
        m_model.setEnabled(mainLine[line], kind == inYearStarter);
}

void Calculations::CheckBox1Click()
{
    if (m_model.isChecked(u"CheckBox1")) {
        m_model.setEnabled(u"Edit4", true);
        m_model.setEnabled(u"Edit3", true);
        m_model.setEnabled(u"DateTimePicker1", true);
    } else {
        m_model.setEnabled(u"Edit4", false);
        m_model.setEnabled(u"Edit3", false);
        m_model.setText(u"Edit4", QStringLiteral("-"));
        m_model.setText(u"Edit3", QStringLiteral("-"));
        m_model.setEnabled(u"DateTimePicker1", false);
    }
}

void Calculations::LMDRadioGroup5Click()
{
    const int choice = m_model.itemIndex(u"LMDRadioGroup5");
    const QString warning = QStringLiteral("egyszvaluzenet");
    if (choice == 1 || choice == 2) {
        m_model.setLabelVisible(warning, true);
        for (int page = firstNetRevenuePage; page <= lastNetRevenuePage; ++page)
            m_model.setSheetEnabled(page, false);
        m_model.setSheetEnabled(simplifiedBasePage, true);
    } else {
        m_model.setLabelVisible(warning, false);
        for (int page = firstNetRevenuePage; page <= lastNetRevenuePage; ++page)
            m_model.setSheetEnabled(page, true);
        m_model.setSheetEnabled(simplifiedBasePage, false);
        // These writes run the sheet "H" handlers for the fields that held
        // an amount, and their sheet switch decides the sheets' final state.
        for (const char16_t* name : {u"PBNumEdit80", u"PBNumEdit81", u"PBNumEdit82", u"PBNumEdit83",
                                     u"PBNumEdit84", u"PBNumEdit85", u"PBNumEdit86"})
            m_model.setValue(name, 0);
    }
    if (choice == 1) {
        m_model.setGroupBoxEnabled(QStringLiteral("GroupBox1"), true);
        m_model.setGroupBoxEnabled(QStringLiteral("GroupBox2"), true);
        m_model.setGroupBoxEnabled(QStringLiteral("GroupBox3"), false);
    } else if (choice == 2) {
        m_model.setGroupBoxEnabled(QStringLiteral("GroupBox1"), false);
        m_model.setGroupBoxEnabled(QStringLiteral("GroupBox2"), false);
        m_model.setGroupBoxEnabled(QStringLiteral("GroupBox3"), true);
    }
}

void Calculations::highlightSection(int section)
{
    const QStringList panels = m_model.catalogue().sheets.value(0).panels;
    for (int i = 0; i < panels.size(); ++i) {
        const PanelSpec* panel = m_model.catalogue().panel(panels.at(i));
        if (!panel)
            continue;
        m_model.setBarColors(panel->captionBar, i == section
                                                    ? BarColors{highlightStart, highlightEnd, highlightText}
                                                    : BarColors{restingFill, restingFill, restingText});
    }
}

void Calculations::Panel2Enter() { highlightSection(0); }
void Calculations::Panel3Enter() { highlightSection(1); }
void Calculations::Panel4Enter() { highlightSection(2); }
void Calculations::Panel51Enter() { highlightSection(3); }
void Calculations::Panel6Enter() { highlightSection(4); }
void Calculations::Panel7Enter() { highlightSection(5); }
