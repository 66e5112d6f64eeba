#pragma once

#include "calc/Calculations.h"
#include "model/FormModel.h"
#include "print/BarcodeText.h"
#include "print/ReportTemplate.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class GridField;
class QAction;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;


// The main window: the return as the paper form lays it out (the main sheet
// and the supplementary sheets "A" to "H"), built from the field catalogue
// and bound to the form model, with the menu bar of the five commands.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);
    ~MainWindow() override;

    FormModel& model() { return m_model; }
    Calculations& calculations() { return m_calc; }

    // The widget of a field, by component name.
    QWidget* fieldWidget(const QString& name) const;
    QWidget* panelWidget(const QString& name) const;
    QTabWidget* sheets() const { return m_sheets; }
    QScrollArea* scrollArea() const { return m_scroll; }
    QAction* menuAction(const QString& name) const;
    // The widgets in the order Tab visits them.
    QList<QWidget*> tabChain() const { return m_tabChain; }

    // Where the saved form lives: beside the program.
    void setSavedFormPath(const QString& path) { m_savedFormPath = path; }
    QString savedFormPath() const { return m_savedFormPath; }
    // The filling guide window that "Kitöltési útmutató" shows.
    void setGuideWindow(QWidget* guide) { m_guide = guide; }

    // One notch of the mouse wheel moves the window this far.
    static constexpr int wheelStep = 20;
    // Scrolls the window by whole notches (positive: towards the user).
    void FormMouseWheel(int notches);

    // The menu commands.
    void Nyomtats1Click();
    void Kitltsmentse1Click();
    void Kitltttrlapbetltse1Click();
    void Kitltsitmutat1Click();
    void Kilps1Click();

    // The report template the print command prepares (its barcode object
    // keeps the last barcode text), and where the processor digits come from.
    ReportTemplate& report() { return m_report; }
    void setDigitSource(BarcodeText::DigitSource digits) { m_digits = std::move(digits); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    QWidget* buildContents();
    QWidget* buildPanel(const PanelSpec& panel);
    QLayout* buildRow(const LayoutRow& row, QWidget* parent);
    QWidget* buildField(int field, QWidget* parent);
    QWidget* fieldWithCaptions(int field, QWidget* parent);
    void buildTabChain();
    void appendTabEntries(const QString& container, QList<QWidget*>& chain) const;
    void bindContainers();
    void focusChanged(QWidget* old, QWidget* now);
    QString sectionOf(QWidget* widget) const;
    void fitToScreen();

    FormModel m_model;
    Calculations m_calc;
    QString m_savedFormPath;
    QScrollArea* m_scroll = nullptr;
    QTabWidget* m_sheets = nullptr;
    QHash<QString, QWidget*> m_fieldWidgets;
    QHash<QString, QWidget*> m_panels;
    QHash<QString, QWidget*> m_groupBoxes;
    QHash<QString, QWidget*> m_labels;
    QHash<QString, QAction*> m_actions;
    QList<QWidget*> m_tabChain;
    QPointer<QWidget> m_guide;
    ReportTemplate m_report;
    BarcodeText::DigitSource m_digits = BarcodeText::processorDigits;
    int m_wheelRemainder = 0;
};
