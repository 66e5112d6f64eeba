#include "PageSelection.h"

#include "ReportTemplate.h"
#include "model/FormModel.h"

#include <initializer_list>

namespace {

// Page positions of the supplementary sheets "A" to "H".
constexpr int firstConditionalPage = 3;
constexpr int lastConditionalPage = 10;

struct Mark
{
    const char* first;
    const char* second;
    int page; // -1 for a cross without a page
};

} // namespace

namespace PageSelection {

void frxReport1BeforePrint(const FormModel& model, ReportTemplate& report)
{
    for (int position = firstConditionalPage; position <= lastConditionalPage && position < report.pageCount();
         ++position)
        report.page(position).visible = false;

    auto show = [&report](const Mark& mark) {
        // A cross line that the template lacks is skipped without a word.
        for (const char* line : {mark.first, mark.second}) {
            if (ReportObject* object = report.findObject(QString::fromLatin1(line)))
                object->visible = true;
        }
        if (mark.page >= 0 && mark.page < report.pageCount())
            report.page(mark.page).visible = true;
    };
    auto anyNonZero = [&model](std::initializer_list<int> fields) {
        for (int field : fields) {
            if (model.value(QStringLiteral("PBNumEdit%1").arg(field)) != 0)
                return true;
        }
        return false;
    };

    const int base2011 = model.itemIndex(u"LMDRadioGroup5");
    const int base2012 = model.itemIndex(u"LMDRadioGroup6");
    const int statement = model.itemIndex(u"LMDRadioGroup1");

    if (base2011 == 0)
        show({"Line78", "Line79", -1});
    if (base2011 == 1)
        show({"Line80", "Line81", -1});
    if (base2011 == 2)
        show({"Line82", "Line83", -1});
    if (base2012 == 0)
        show({"Line84", "Line85", -1});
    if (base2012 == 1)
        show({"Line56", "Line57", -1});
    if (base2012 == 2)
        show({"Line58", "Line94", -1});
    if (anyNonZero({13}))
        show({"Line138", "Line139", 3});
    if (anyNonZero({35}))
        show({"Line64", "Line65", 4});
    if (anyNonZero({43}))
        show({"Line66", "Line67", 5});
    if (anyNonZero({51}))
        show({"Line68", "Line69", 6});
    if (anyNonZero({57}))
        show({"Line70", "Line71", 7});
    if (anyNonZero({63, 64, 65, 66, 67, 68}))
        show({"Line72", "Line73", 8});
    if (anyNonZero({74, 75, 76, 77}) || statement == 1 || statement == 5)
        show({"Line74", "Line75", 9});
    if (anyNonZero({82, 83, 85}))
        show({"Line218", "Line219", 10});
}

} // namespace PageSelection
