#include "MainWindow.h"

#include "AmountField.h"
#include "AppDialogs.h"
#include "CaptionBar.h"
#include "CheckField.h"
#include "ChoiceField.h"
#include "Colors.h"
#include "DateField.h"
#include "GridField.h"
#include "Guard.h"
#include "TextField.h"
#include "persist/SaveLoadUi.h"
#include "preview/ReportPreview.h"
#include "persist/SavedFormCommands.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr quint32 windowColor = 10008261;
constexpr quint32 sheetColor = 13624810;
constexpr int wheelNotch = 120;
const char* const sectionProperty = "ezpSection";

QLabel* warningLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(16);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    return label;
}

QLabel* caption(const QString& text, bool bold, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// The save and load commands' dialogs, in Hungarian.
class DialogUi : public SaveLoadUi
{
public:
    explicit DialogUi(QWidget* parent)
        : m_parent(parent)
    {
    }
    QString askText(const QString& caption, const QString& prompt) override
    {
        return AppDialogs::askText(m_parent, caption, prompt);
    }
    void showInformation(const QString& text) override { AppDialogs::showInformation(m_parent, text); }

private:
    QWidget* m_parent;
};

} // namespace

MainWindow::MainWindow(const QLocale& locale, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowCloseButtonHint)
    , m_model(Catalogue::standard(), locale)
    , m_calc(m_model)
    , m_savedFormPath(SavedFormCommands::savedFormPath(QCoreApplication::applicationDirPath()))
    , m_report(ReportTemplate::standard())
{
    const Catalogue& catalogue = m_model.catalogue();
    setWindowTitle(catalogue.windowCaption);
    AppDialogs::setApplicationTitle(catalogue.applicationTitle);
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    fillBackground(this, windowColor);

    buildMenu();
    m_scroll = new QScrollArea(this);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(buildContents());
    m_scroll->setWidgetResizable(false);
    fillBackground(m_scroll->viewport(), windowColor);
    setCentralWidget(m_scroll);
    bindContainers();
    buildTabChain();

    // The start-up state: grid amounts, section I highlighted, sheet "H" off.
    guarded(this, [this] { m_calc.FormCreate(); });

    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &MainWindow::focusChanged);
    fitToScreen();
    if (QScreen* s = screen())
        connect(s, &QScreen::availableGeometryChanged, this, &MainWindow::fitToScreen);
    // Nothing of the return has the focus at start.
    if (QWidget* first = m_fieldWidgets.value(QStringLiteral("Edit11")))
        first->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow()
{
    // The children die after this body; their focus changes must not reach
    // a window that is half gone.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
}

void MainWindow::fitToScreen()
{
    if (QScreen* s = screen())
        setGeometry(s->availableGeometry());
}

void MainWindow::buildMenu()
{
    const std::pair<const char*, QString> items[] = {
        {"Nyomtats1", QStringLiteral("Nyomtatás")},
        {"Kitltsmentse1", QStringLiteral("Űrlap mentése")},
        {"Kitltttrlapbetltse1", QStringLiteral("Kitöltött űrlap betöltése")},
        {"Kitltsitmutat1", QStringLiteral("Kitöltési útmutató")},
        {"Kilps1", QStringLiteral("Kilépés")},
    };
    const std::array<void (MainWindow::*)(), 5> handlers = {
        &MainWindow::Nyomtats1Click, &MainWindow::Kitltsmentse1Click, &MainWindow::Kitltttrlapbetltse1Click,
        &MainWindow::Kitltsitmutat1Click, &MainWindow::Kilps1Click};
    for (size_t i = 0; i < handlers.size(); ++i) {
        QAction* action = menuBar()->addAction(items[i].second);
        action->setObjectName(QLatin1String(items[i].first));
        connect(action, &QAction::triggered, this, handlers[i]);
        m_actions.insert(action->objectName(), action);
    }
}

QWidget* MainWindow::buildContents()
{
    const Catalogue& catalogue = m_model.catalogue();
    auto* contents = new QWidget;
    fillBackground(contents, windowColor);
    auto* outer = new QVBoxLayout(contents);
    outer->setContentsMargins(16, 24, 16, 24);

    auto* sheet = new QFrame(contents);
    sheet->setObjectName(QStringLiteral("Panel1"));
    fillBackground(sheet, sheetColor);
    outer->addWidget(sheet);
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(16, 8, 16, 16);

    auto* header = new QHBoxLayout;
    auto* title = new QLabel(QStringLiteral("<p style='font-size:20pt; font-weight:bold'>%1</p><p style='font-size:12pt'>%2</p>")
                                 .arg(catalogue.title.toHtmlEscaped(), catalogue.subtitle.toHtmlEscaped()),
                             sheet);
    title->setObjectName(QStringLiteral("LMDRichLabel1"));
    title->setFont(QFont(QStringLiteral("Arial"))); // the sizes are the title's own
    title->setWordWrap(true);
    auto* code = new QLabel(catalogue.formCode, sheet);
    code->setObjectName(QStringLiteral("Label10"));
    QFont codeFont(QStringLiteral("Arial"));
    codeFont.setPixelSize(27);
    codeFont.setBold(true);
    code->setFont(codeFont);
    header->addWidget(title, 1);
    header->addWidget(code, 0, Qt::AlignTop);
    sheetLayout->addLayout(header);

    m_sheets = new QTabWidget(sheet);
    m_sheets->setObjectName(QStringLiteral("LMDPageControl1"));
    sheetLayout->addWidget(m_sheets);
    for (const SheetSpec& s : catalogue.sheets) {
        auto* page = new QWidget;
        page->setObjectName(s.name);
        auto* layout = new QVBoxLayout(page);
        for (const QString& panelName : s.panels) {
            if (const PanelSpec* panel = catalogue.panel(panelName))
                layout->addWidget(buildPanel(*panel));
        }
        layout->addStretch(1);
        m_sheets->addTab(page, s.caption);
    }
    contents->setFixedWidth(761 + 32);
    contents->adjustSize();

    // The focus holder at the very corner, outside every section.
    auto* holder = new TextField(m_model, m_model.field(u"Edit11"), contents);
    holder->setGeometry(0, 0, 1, 21);
    m_fieldWidgets.insert(holder->objectName(), holder);
    return contents;
}

QWidget* MainWindow::buildPanel(const PanelSpec& panel)
{
    auto* frame = new QFrame;
    frame->setObjectName(panel.name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setProperty(sectionProperty, panel.name);
    m_panels.insert(panel.name, frame);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 8, 8);
    layout->addWidget(new CaptionBar(m_model, panel.captionBar, panel.caption, panel.barHeight, frame));
    if (!panel.warning.isEmpty())
        layout->addWidget(warningLabel(panel.warning, frame));
    for (const LayoutRow& row : panel.rows) {
        QLayout* rowLayout = buildRow(row, frame);
        rowLayout->setContentsMargins(16, 0, 0, 0);
        layout->addLayout(rowLayout);
    }
    return frame;
}

QLayout* MainWindow::buildRow(const LayoutRow& row, QWidget* parent)
{
    const Catalogue& catalogue = m_model.catalogue();
    auto* layout = new QHBoxLayout;
    for (const LayoutCell& cell : row) {
        if (cell.ref.isEmpty()) {
            layout->addWidget(caption(cell.text, cell.bold, parent), 1);
        } else if (const int field = m_model.indexOf(cell.ref); field >= 0) {
            layout->addWidget(fieldWithCaptions(field, parent), 1);
        } else if (const LabelSpec* label = catalogue.label(cell.ref)) {
            QLabel* warning = warningLabel(label->caption, parent);
            warning->setObjectName(label->name);
            warning->setVisible(m_model.isLabelVisible(label->name));
            m_labels.insert(label->name, warning);
            layout->addWidget(warning, 1);
        } else if (const GroupBoxSpec* group = catalogue.groupBox(cell.ref)) {
            auto* box = new QGroupBox(group->caption, parent);
            box->setObjectName(group->name);
            QFont font(QStringLiteral("Arial"));
            font.setPixelSize(group->fontPx);
            font.setBold(true);
            box->setFont(font);
            auto* boxLayout = new QVBoxLayout(box);
            // The group box's own font is for its caption only.
            QFont contentFont = this->font();
            contentFont.setBold(false);
            for (const LayoutRow& inner : group->rows) {
                QLayout* innerLayout = buildRow(inner, box);
                for (int i = 0; i < innerLayout->count(); ++i) {
                    if (QWidget* w = innerLayout->itemAt(i)->widget())
                        w->setFont(contentFont);
                }
                boxLayout->addLayout(innerLayout);
            }
            m_groupBoxes.insert(group->name, box);
            layout->addWidget(box, 1);
        }
    }
    return layout;
}

QWidget* MainWindow::fieldWithCaptions(int field, QWidget* parent)
{
    const FieldSpec& spec = m_model.spec(field);
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    const bool amount = spec.kind == FieldKind::Amount;
    if (!spec.label.isEmpty()) {
        // An amount's label takes the row and wraps; other fields take the
        // room after their label.
        QLabel* label = caption(spec.label, spec.boldLabel, holder);
        label->setWordWrap(amount);
        layout->addWidget(label, amount ? 1 : 0);
    }
    QWidget* widget = buildField(field, holder);
    if (amount && spec.unitBelow) {
        auto* column = new QVBoxLayout;
        column->addWidget(widget);
        column->addWidget(new QLabel(spec.unit, holder), 0, Qt::AlignHCenter);
        layout->addLayout(column);
    } else {
        layout->addWidget(widget, spec.kind == FieldKind::Text ? 1 : 0);
        if (!spec.unit.isEmpty())
            layout->addWidget(new QLabel(spec.unit, holder));
    }
    if (spec.kind == FieldKind::Date)
        layout->addStretch(1);
    if (spec.hidden)
        holder->setVisible(false);
    return holder;
}

QWidget* MainWindow::buildField(int field, QWidget* parent)
{
    const FieldSpec& spec = m_model.spec(field);
    QWidget* widget = nullptr;
    switch (spec.kind) {
    case FieldKind::Text:
        widget = new TextField(m_model, field, parent);
        widget->setMinimumWidth(160);
        break;
    case FieldKind::Amount: {
        widget = new AmountField(m_model, field, parent);
        widget->setFixedWidth(spec.width > 0 ? spec.width : 140);
        if (spec.computed) {
            QFont bold = widget->font();
            bold.setBold(true);
            widget->setFont(bold);
        }
        break;
    }
    case FieldKind::Date:
        widget = new DateField(m_model, field, parent);
        widget->setFixedWidth(120);
        break;
    case FieldKind::Choice: {
        // The amounts of the overpayment statement stand in the gaps of its items.
        auto overlays = [this, &spec](int item, int gap) -> QWidget* {
            for (int i = 0; i < m_model.fieldCount(); ++i) {
                const Overlay& o = m_model.spec(i).overlay;
                if (o.group == spec.name && o.item == item && o.gap == gap) {
                    QWidget* cover = buildField(i, nullptr);
                    return cover;
                }
            }
            return nullptr;
        };
        widget = new ChoiceField(m_model, field, overlays, parent);
        break;
    }
    case FieldKind::Check:
        widget = new CheckField(m_model, field, parent);
        break;
    case FieldKind::Grid:
        widget = new GridField(m_model, field, parent);
        widget->setMinimumHeight(153);
        break;
    }
    widget->setEnabled(m_model.isEnabled(field));
    m_fieldWidgets.insert(spec.name, widget);
    return widget;
}

void MainWindow::bindContainers()
{
    connect(&m_model, &FormModel::enabledChanged, this, [this](int field) {
        if (QWidget* w = m_fieldWidgets.value(m_model.spec(field).name))
            w->setEnabled(m_model.isEnabled(field));
    });
    // A disabled sheet or group box blocks its fields; their own flags stay.
    auto showSheet = [this](int sheet) { m_sheets->setTabEnabled(sheet, m_model.isSheetEnabled(sheet)); };
    connect(&m_model, &FormModel::sheetEnabledChanged, this, showSheet);
    for (int sheet = 0; sheet < m_sheets->count(); ++sheet)
        showSheet(sheet);
    auto showGroupBox = [this](const QString& name) {
        if (QWidget* box = m_groupBoxes.value(name))
            box->setEnabled(m_model.isGroupBoxEnabled(name));
    };
    connect(&m_model, &FormModel::groupBoxEnabledChanged, this, showGroupBox);
    for (const QString& name : m_groupBoxes.keys())
        showGroupBox(name);
    connect(&m_model, &FormModel::labelVisibilityChanged, this, [this](const QString& name) {
        if (QWidget* label = m_labels.value(name))
            label->setVisible(m_model.isLabelVisible(name));
    });
}

void MainWindow::appendTabEntries(const QString& container, QList<QWidget*>& chain) const
{
    const Catalogue& catalogue = m_model.catalogue();
    // Fields and group boxes of the container, by their tab positions.
    QList<std::pair<int, QString>> entries;
    for (const FieldSpec& f : catalogue.fields) {
        if (f.container == container && !f.hidden)
            entries.append({f.tab, f.name});
    }
    for (const GroupBoxSpec& g : catalogue.groupBoxes) {
        if (g.panel == container)
            entries.append({g.tab, g.name});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : entries) {
        if (catalogue.groupBox(entry.second)) {
            appendTabEntries(entry.second, chain);
        } else if (auto* choice = qobject_cast<ChoiceField*>(m_fieldWidgets.value(entry.second))) {
            chain.append(choice->buttons());
        } else if (QWidget* w = m_fieldWidgets.value(entry.second)) {
            chain.append(w);
        }
    }
}

void MainWindow::buildTabChain()
{
    m_tabChain.clear();
    m_tabChain.append(m_fieldWidgets.value(QStringLiteral("Edit11")));
    for (const SheetSpec& sheet : m_model.catalogue().sheets) {
        for (const QString& panel : sheet.panels)
            appendTabEntries(panel, m_tabChain);
    }
    for (int i = 1; i < m_tabChain.size(); ++i)
        QWidget::setTabOrder(m_tabChain.at(i - 1), m_tabChain.at(i));
}

QString MainWindow::sectionOf(QWidget* widget) const
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant section = w->property(sectionProperty);
        if (section.isValid())
            return section.toString();
        if (w == this)
            break;
    }
    return QString();
}

void MainWindow::focusChanged(QWidget* old, QWidget* now)
{
    if (!now || now->window() != this)
        return;
    const QString section = sectionOf(now);
    if (!section.isEmpty() && section != sectionOf(old))
        guarded(this, [&] { m_model.enterPanel(section); });
    if (m_scroll->widget()->isAncestorOf(now))
        m_scroll->ensureWidgetVisible(now);
}

void MainWindow::FormMouseWheel(int notches)
{
    QScrollBar* bar = m_scroll->verticalScrollBar();
    // The scroll bar keeps the position between 0 and its maximum.
    bar->setValue(bar->value() + notches * wheelStep);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    m_wheelRemainder += wheel->angleDelta().y();
    const int notches = m_wheelRemainder / wheelNotch;
    m_wheelRemainder %= wheelNotch;
    if (notches == 0)
        return true;
    // Only the grid uses the wheel itself, and only while it has the focus.
    auto* grid = qobject_cast<GridField*>(m_fieldWidgets.value(QStringLiteral("AdvStringGrid1")));
    QWidget* focus = QApplication::focusWidget();
    if (grid && focus && (focus == grid || grid->isAncestorOf(focus)))
        grid->moveCurrentRow(-notches);
    else
        FormMouseWheel(-notches);
    return true;
}

QWidget* MainWindow::fieldWidget(const QString& name) const
{
    const int field = m_model.indexOf(name);
    return field < 0 ? nullptr : m_fieldWidgets.value(m_model.spec(field).name);
}

QWidget* MainWindow::panelWidget(const QString& name) const
{
    return m_panels.value(name);
}

QAction* MainWindow::menuAction(const QString& name) const
{
    return m_actions.value(name);
}

void MainWindow::Nyomtats1Click()
{
    guarded(this, [this] { ReportPreview::printReturn(m_model, m_report, this, m_digits); });
}

void MainWindow::Kitltsmentse1Click()
{
    DialogUi ui(this);
    guarded(this, [&] { SavedFormCommands::save(m_model, ui, m_savedFormPath); });
}

void MainWindow::Kitltttrlapbetltse1Click()
{
    DialogUi ui(this);
    guarded(this, [&] { SavedFormCommands::load(m_model, ui, m_savedFormPath); });
}

void MainWindow::Kitltsitmutat1Click()
{
    if (!m_guide)
        return;
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void MainWindow::Kilps1Click()
{
    QCoreApplication::exit(0);
}
