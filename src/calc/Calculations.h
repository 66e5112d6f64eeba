#pragma once

#include <QString>

class FormModel;

// The return's own rules, as handlers over the form model: the main sheet
// tax computation, the net revenue sheets "A" to "E", the simplified base
// sheet "H", the enabling rules of the three controlling choices and the
// section highlighting. Each handler keeps the name of the event it serves;
// the constructor binds them to the model under those names, so a field's
// event runs its handler synchronously inside the write that raised it.
//
// Every read is a fresh read of a field's value and every write goes
// through the field's text, in the order the rules give: the enabled states
// and nested handler runs they leave behind depend on that order.
class Calculations
{
public:
    explicit Calculations(FormModel& model);
    Calculations(const Calculations&) = delete;
    Calculations& operator=(const Calculations&) = delete;

    // The start-up state: grid amounts, section I highlighted, sheet "H" and
    // its group boxes disabled.
    void FormCreate();

    // Main sheet recomputation (section IV and the second instalment).
    void PBNumEdit2Exit();

    // Net revenue sheets "A" to "E".
    void PBNumEdit22Change();
    void PBNumEdit36Change();
    void PBNumEdit44Change();
    void PBNumEdit52Change();
    void PBNumEdit58Change();

    // Simplified base sheet "H".
    void PBNumEdit81Change();
    void PBNumEdit84Change();
    void PBNumEdit86Change();
    void EnableNetRevenueSheets();
    void DisableNetRevenueSheets();

    // Enabling rules.
    void LMDRadioGroup4Click();
    void CheckBox1Click();
    void LMDRadioGroup5Click();

    // Section highlighting.
    void Panel2Enter();
    void Panel3Enter();
    void Panel4Enter();
    void Panel51Enter();
    void Panel6Enter();
    void Panel7Enter();

    // The base at or below which a return is exempt by the municipal decree.
    static constexpr long double exemptionThreshold = 2500000;

private:
    void netRevenueChanged(int sheet);
    void simplifiedBaseChanged(int group);
    void sheetSwitch();
    void taxDueStep();
    void highlightSection(int section);

    FormModel& m_model;
};
