#include "app/AmountField.h"
#include "app/AppDialogs.h"
#include "app/GridField.h"
#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "TestLocales.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

void sendWheel(QWidget* target, int delta)
{
    const QPointF pos(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void focus(QWidget* widget)
{
    widget->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(widget->hasFocus());
}

} // namespace

// The main window offscreen: start-up, focus, wheel, typing and the commands
// that live in the window itself.
class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startState();
    void tabOrderOfSectionOne();
    void tabOrderOfSectionTwo();
    void wheelScrollsTwentyPixelsAndClamps();
    void wheelMovesTheGridRowWhileItHasTheFocus();
    void amountTyping_data();
    void amountTyping();
    void amountCopyAndPasteGoThroughTheFilter();
    void leavingASectionFourFieldRecomputes();
    void losingFocusToAnotherWindowIsNotLeaving();
    void unreadableAmountShowsTheErrorBox();
    void clickingTheChosenMethodRunsNothing();
    void enteringSectionsRecoloursCaptionBars();
    void disabledSheetBlocksInputButKeepsFieldFlags();
    void guideOpensOnceAndChangesNoField();
    void saveAndLoadThroughTheMenu();

private:
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<GuideWindow> m_guide;
};

void TestMainWindow::init()
{
    AppDialogs::setRecording(true);
    m_window = std::make_unique<MainWindow>(TestLocales::hungarian());
    m_guide = std::make_unique<GuideWindow>();
    m_window->setGuideWindow(m_guide.get());
    m_window->resize(900, 700);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    m_guide.reset();
    AppDialogs::setRecording(false);
}

void TestMainWindow::startState()
{
    MainWindow& w = *m_window;
    QTRY_COMPARE(QApplication::focusWidget(), w.fieldWidget(QStringLiteral("Edit11")));
    QVERIFY(!w.fieldWidget(QStringLiteral("PBNumEdit29"))->isVisibleTo(&w));
    QVERIFY(!w.fieldWidget(QStringLiteral("LMDRadioGroup2"))->isEnabled());
    QCOMPARE(w.model().itemIndex(u"LMDRadioGroup2"), -1);
    QVERIFY(!w.sheets()->isTabEnabled(8));
    for (int sheet = 0; sheet < 8; ++sheet)
        QVERIFY(w.sheets()->isTabEnabled(sheet));
    for (const char* box : {"GroupBox1", "GroupBox2", "GroupBox3"})
        QVERIFY(!w.model().isGroupBoxEnabled(QLatin1String(box)));
    auto* grid = qobject_cast<GridField*>(w.fieldWidget(QStringLiteral("AdvStringGrid1")));
    for (int row = 0; row < 5; ++row) {
        QCOMPARE(grid->item(row, 2)->text(), QStringLiteral("0"));
        QCOMPARE(grid->item(row, 0)->text(), QString());
    }
    QCOMPARE(w.windowTitle(), QStringLiteral("Elektronikus nyomtatvány - Ezüstpatak Polgármesteri Hivatal"));
    QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QStringList menu;
    for (QAction* a : w.menuBar()->actions())
        menu << a->text();
    QCOMPARE(menu, (QStringList{"Nyomtatás", "Űrlap mentése", "Kitöltött űrlap betöltése", "Kitöltési útmutató", "Kilépés"}));
}

void TestMainWindow::tabOrderOfSectionOne()
{
    MainWindow& w = *m_window;
    QTRY_COMPARE(QApplication::focusWidget(), w.fieldWidget(QStringLiteral("Edit11")));
    // The check box stands first but comes eleventh.
    const QStringList expected = {"Edit1", "Edit4", "DateTimePicker1", "Edit3", "Edit5", "Edit7",
                                  "Edit2", "Edit9", "Edit6", "Edit8", "CheckBox1", "Edit14"};
    for (const QString& name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        QWidget* field = w.fieldWidget(name);
        QVERIFY2(now == field || field->isAncestorOf(now),
                 qPrintable(name + QStringLiteral(" expected, got ") + (now ? now->objectName() : QString())));
    }
}

void TestMainWindow::tabOrderOfSectionTwo()
{
    MainWindow& w = *m_window;
    w.model().setItemIndex(u"LMDRadioGroup4", 1); // enables the closing reasons
    focus(w.fieldWidget(QStringLiteral("Edit14")));
    auto next = [&] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget();
    };
    QWidget* closing = w.fieldWidget(QStringLiteral("LMDRadioGroup2"));
    QVERIFY(closing->isAncestorOf(next()));
    // Tab leaves the group, whichever of its buttons it entered on.
    QWidget* after = next();
    while (closing->isAncestorOf(after))
        after = next();
    QVERIFY(w.fieldWidget(QStringLiteral("DateTimePicker2"))->isAncestorOf(after)
            || after == w.fieldWidget(QStringLiteral("DateTimePicker2")));
}

void TestMainWindow::wheelScrollsTwentyPixelsAndClamps()
{
    MainWindow& w = *m_window;
    QScrollBar* bar = w.scrollArea()->verticalScrollBar();
    QVERIFY(bar->maximum() > 100);
    QWidget* target = w.fieldWidget(QStringLiteral("PBNumEdit2"));
    focus(target);
    bar->setValue(0);
    sendWheel(target, 120); // away from the user, at the top
    QCOMPARE(bar->value(), 0);
    sendWheel(target, -120);
    QCOMPARE(bar->value(), MainWindow::wheelStep);
    sendWheel(target, -60); // half a notch does nothing yet
    QCOMPARE(bar->value(), MainWindow::wheelStep);
    sendWheel(target, -60);
    QCOMPARE(bar->value(), 2 * MainWindow::wheelStep);
    bar->setValue(bar->maximum());
    sendWheel(w.fieldWidget(QStringLiteral("DateTimePicker4")), -120);
    QCOMPARE(bar->value(), bar->maximum());
    // A date under the mouse keeps its date: the wheel is the window's.
    QCOMPARE(w.model().date(u"DateTimePicker4"), QDate(2012, 7, 1));
}

void TestMainWindow::wheelMovesTheGridRowWhileItHasTheFocus()
{
    MainWindow& w = *m_window;
    w.sheets()->setCurrentIndex(7);
    auto* grid = qobject_cast<GridField*>(w.fieldWidget(QStringLiteral("AdvStringGrid1")));
    focus(grid);
    grid->setCurrentCell(0, 0);
    QScrollBar* bar = w.scrollArea()->verticalScrollBar();
    const int before = bar->value();
    sendWheel(grid->viewport(), -240);
    QCOMPARE(grid->currentRow(), 2);
    QCOMPARE(bar->value(), before);
}

void TestMainWindow::amountTyping_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
    const QString nb(QChar(0x00a0));
    QTest::newRow("digits are regrouped") << "1234567" << "1" + nb + "234" + nb + "567" << 0;
    QTest::newRow("decimal comma") << "1234,5" << "1" + nb + "234,5" << 0;
    QTest::newRow("minus toggles the sign") << "12-3-" << "123" << 0;
    QTest::newRow("minus after E toggles the exponent") << "15e-3" << "15E-3" << 0;
    QTest::newRow("letters and a decimal point are refused") << "1a.2" << "12" << 2;
    QTest::newRow("blank is refused") << "1 000" << "1" + nb + "000" << 1;
}

void TestMainWindow::amountTyping()
{
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    MainWindow& w = *m_window;
    auto* field = qobject_cast<AmountField*>(w.fieldWidget(QStringLiteral("PBNumEdit2")));
    focus(field);
    field->selectAll();
    for (QChar ch : keys)
        QTest::keyClick(field, ch.toLatin1());
    QCOMPARE(field->text(), expected);
    // Every change reaches the model as it is typed.
    QCOMPARE(w.model().text(u"PBNumEdit2"), expected);
}

void TestMainWindow::amountCopyAndPasteGoThroughTheFilter()
{
    MainWindow& w = *m_window;
    auto* field = qobject_cast<AmountField*>(w.fieldWidget(QStringLiteral("PBNumEdit3")));
    focus(field);
    QApplication::clipboard()->setText(QStringLiteral("12x34,5"));
    QTest::keySequence(field, QKeySequence::Paste);
    QCOMPARE(field->text(), QStringLiteral("1\u00a0234,5"));
    field->selectAll();
    QTest::keySequence(field, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1234,5"));
}

void TestMainWindow::leavingASectionFourFieldRecomputes()
{
    MainWindow& w = *m_window;
    w.model().setValue(u"PBNumEdit1", 10000000);
    auto* field = w.fieldWidget(QStringLiteral("PBNumEdit2"));
    focus(field);
    QTest::keyClicks(field, QStringLiteral("1000000"));
    QCOMPARE(w.model().value(u"PBNumEdit6"), 0.0L); // not before leaving
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(w.model().value(u"PBNumEdit6"), 9000000.0L);
    QCOMPARE(w.model().value(u"PBNumEdit15"), 180000.0L);
}

void TestMainWindow::losingFocusToAnotherWindowIsNotLeaving()
{
    MainWindow& w = *m_window;
    w.model().setValue(u"PBNumEdit1", 10000000);
    auto* field = w.fieldWidget(QStringLiteral("PBNumEdit2"));
    focus(field);
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(field, &out);
        QCOMPARE(w.model().value(u"PBNumEdit6"), 0.0L);
    }
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(field, &out);
    QCOMPARE(w.model().value(u"PBNumEdit6"), 10000000.0L);
}

void TestMainWindow::unreadableAmountShowsTheErrorBox()
{
    MainWindow& w = *m_window;
    auto* field = w.fieldWidget(QStringLiteral("PBNumEdit2"));
    focus(field);
    QTest::keyClicks(field, QStringLiteral("12e"));
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(AppDialogs::takeShown(), QStringList{QStringLiteral("error: '12E' is not a valid floating point value.")});
    QCOMPARE(w.model().text(u"PBNumEdit2"), QStringLiteral("12E"));
}

void TestMainWindow::clickingTheChosenMethodRunsNothing()
{
    MainWindow& w = *m_window;
    w.model().setValue(u"PBNumEdit1", 8000000);
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("LMDRadioGroup3_0")), Qt::LeftButton);
    QCOMPARE(w.model().value(u"PBNumEdit6"), 0.0L);
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("LMDRadioGroup3_1")), Qt::LeftButton);
    QCOMPARE(w.model().itemIndex(u"LMDRadioGroup3"), 1);
    QCOMPARE(w.model().value(u"PBNumEdit6"), 8000000.0L);
}

void TestMainWindow::enteringSectionsRecoloursCaptionBars()
{
    MainWindow& w = *m_window;
    const BarColors resting{12505042, 12505042, 4542543};
    const BarColors highlighted{9758459, 1414638, 0};
    focus(w.fieldWidget(QStringLiteral("PBNumEdit5")));
    QCOMPARE(w.model().barColors(QStringLiteral("LMDFill5")), highlighted);
    // Within the same section nothing changes.
    w.model().setBarColors(QStringLiteral("LMDFill2"), highlighted);
    focus(w.fieldWidget(QStringLiteral("PBNumEdit7")));
    QCOMPARE(w.model().barColors(QStringLiteral("LMDFill2")), highlighted);
    focus(w.fieldWidget(QStringLiteral("DateTimePicker2")));
    QCOMPARE(w.model().barColors(QStringLiteral("LMDFill5")), resting);
    QCOMPARE(w.model().barColors(QStringLiteral("LMDFill2")), highlighted);
}

void TestMainWindow::disabledSheetBlocksInputButKeepsFieldFlags()
{
    MainWindow& w = *m_window;
    QWidget* h = w.fieldWidget(QStringLiteral("PBNumEdit81"));
    QVERIFY(!h->isEnabled());
    QVERIFY(w.model().isEnabled(u"PBNumEdit81"));
    w.model().setItemIndex(u"LMDRadioGroup5", 1);
    QVERIFY(h->isEnabled());
    QVERIFY(!w.fieldWidget(QStringLiteral("PBNumEdit86"))->isEnabled()); // group III stays off
    QVERIFY(!w.fieldWidget(QStringLiteral("PBNumEdit22"))->isEnabled());
    QVERIFY(w.model().isEnabled(u"PBNumEdit22"));
    QVERIFY(!w.fieldWidget(QStringLiteral("PBNumEdit80"))->isEnabled()); // computed, whatever its box
}

void TestMainWindow::guideOpensOnceAndChangesNoField()
{
    MainWindow& w = *m_window;
    w.model().setText(u"Edit1", QStringLiteral("Kovács Kft."));
    QStringList before;
    for (int f = 0; f < w.model().fieldCount(); ++f)
        before << w.model().text(f);
    QAction* guide = w.menuAction(QStringLiteral("Kitltsitmutat1"));
    guide->trigger();
    QTRY_VERIFY(m_guide->isVisible());
    QVERIFY(m_guide->textView()->toPlainText().startsWith(
        QStringLiteral("AZ IPARŰZÉSI ADÓBEVALLÁS BENYÚJTÁSÁRA KÖTELEZETTEK KÖRE")));
    guide->trigger();
    int guides = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        guides += top->windowTitle() == QStringLiteral("Kitöltési útmutató") && top->isVisible();
    QCOMPARE(guides, 1);
    QStringList after;
    for (int f = 0; f < w.model().fieldCount(); ++f)
        after << w.model().text(f);
    QCOMPARE(after, before);
}

void TestMainWindow::saveAndLoadThroughTheMenu()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("EZP11009.txt"));
    MainWindow& w = *m_window;
    w.setSavedFormPath(path);
    auto* name = qobject_cast<QLineEdit*>(w.fieldWidget(QStringLiteral("Edit1")));
    focus(name);
    QTest::keyClicks(name, QStringLiteral("Kiss Pal"));
    w.model().setItemIndex(u"LMDRadioGroup5", 1);
    w.model().setText(u"PBNumEdit84", QStringLiteral("3500000"));

    AppDialogs::setNextAnswers({QStringLiteral("titok")});
    w.menuAction(QStringLiteral("Kitltsmentse1"))->trigger();
    QVERIFY(QFile::exists(path));
    QVERIFY(AppDialogs::takeShown().isEmpty()); // no message confirms a save

    MainWindow fresh(TestLocales::hungarian());
    fresh.setSavedFormPath(path);
    AppDialogs::setNextAnswers({QStringLiteral("Titok")});
    fresh.menuAction(QStringLiteral("Kitltttrlapbetltse1"))->trigger();
    QCOMPARE(AppDialogs::takeShown(), QStringList{QStringLiteral("information: Hibás jelszó!           .")});
    AppDialogs::setNextAnswers({QStringLiteral("titok")});
    fresh.menuAction(QStringLiteral("Kitltttrlapbetltse1"))->trigger();
    QVERIFY(AppDialogs::takeShown().isEmpty());
    QCOMPARE(qobject_cast<QLineEdit*>(fresh.fieldWidget(QStringLiteral("Edit1")))->text(), QStringLiteral("Kiss Pal"));
    QCOMPARE(fresh.model().value(u"PBNumEdit6"), 2800000.0L);
    // The enabling rules ran after the load: the simplified base is in use.
    QVERIFY(fresh.sheets()->isTabEnabled(8));
    QVERIFY(!fresh.sheets()->isTabEnabled(1));
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
