#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>

#include "shell/bg_client_wnd.h"
#include "shell/child_frame.h"
#include "shell/command_table.h"
#include "shell/frame_actions.h"
#include "shell/nav_tree_ctrl.h"
#include "shell/prog_status_bar.h"
#include "shell/tree_bar.h"
#include "shell/view_slots.h"
#include "shell_fixture.h"
#include "widgets/edit_view.h"

using namespace radio;
using namespace radio::test;

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void toolTipText_data();
    void toolTipText();
    void toolbarToolTips();
    void commandTableHoldsEachCommandOnce();
    void toolbarButtonShowsItsTip();
    void openViewCreatesOneWindow();
    void closingHidesAndReopeningShowsTheSameWindow();
    void childWindowSizes();
    void treeLabelClickOpensTheView();
    void treeRootAndEmptySpaceOpenNothing();
    void treeEnterKeyOpensTheView();
    void treeViewCommandTogglesTheBar();
    void closeAllWindowsHidesOnlyTheBar();
    void refreshViewsShowsTheChannelView();
    void captionFollowsModelAndBand_data();
    void captionFollowsModelAndBand();
    void progressBar();
    void windowArrangements();
    void childWindowsOpenInsideTheArea();
    void toolbarAndStatusBarCommands();
    void printCommandsOpenTheFourViews();
};

void TestMainFrame::toolTipText_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    QTest::newRow("access key cut") << "New(&N)"
                                    << "New";
    QTest::newRow("no parenthesis") << "Read from radio"
                                    << "Read from radio";
    QTest::newRow("everything after the first (") << "Save(&S) (x)"
                                                  << "Save";
    QTest::newRow("starts with (") << "(&W)"
                                   << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("80 characters cut to 79")
        << QString(80, QLatin1Char('a')) << QString(79, QLatin1Char('a'));
    QTest::newRow("79 characters kept")
        << QString(79, QLatin1Char('b')) << QString(79, QLatin1Char('b'));
    QTest::newRow("Chinese") << QStringLiteral("新建(&N)") << QStringLiteral("新建");
}

void TestMainFrame::toolTipText()
{
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    QCOMPARE(ToolTipText(caption), tip);
}

void TestMainFrame::toolbarToolTips()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    FrameActions* actions = app->MainFrame()->Actions();
    QCOMPARE(actions->ToolTipFor(FrameCommand::FileNew), QStringLiteral("en#2"));
    QCOMPARE(actions->ToolTipFor(FrameCommand::FileOpen), En(text::MenuOpen));
    QCOMPARE(actions->ToolTipFor(FrameCommand::FileSave), En(text::MenuSave));
    QCOMPARE(actions->ToolTipFor(FrameCommand::FilePrint), En(text::MenuPrint).left(79));
    QCOMPARE(actions->ToolTipFor(FrameCommand::FilePrint).size(), 79);
    QCOMPARE(actions->ToolTipFor(FrameCommand::ReadRadio), QStringLiteral("en#20"));
    QCOMPARE(actions->ToolTipFor(FrameCommand::WriteRadio), En(text::MenuWriteToRadio));
    QCOMPARE(actions->ToolTipFor(FrameCommand::About), QString());

    // The toolbar: New | Open Save Print | Undo Redo | Read | Write About.
    QList<QAction*> buttons = actions->ToolBar()->actions();
    QStringList order;
    for (QAction* a : buttons) {
        order << (a->isSeparator() ? QStringLiteral("|") : QString::number(a->data().toInt()));
    }
    QCOMPARE(order.join(QLatin1Char(' ')),
             QStringLiteral("57600 | 57601 57603 57607 | 57643 57644 | 32773 | 32774 57664"));
}

// The menus, the keys and the enum are all made from the command table: a number or a
// shortcut given twice, or a row whose action is not in its menu, would make two
// commands answer one key or a command unreachable.
void TestMainFrame::commandTableHoldsEachCommandOnce()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    FrameActions* actions = app->MainFrame()->Actions();
    QSet<int> numbers;
    QSet<QString> keys;
    for (const CommandRow& row : CommandTable()) {
        QVERIFY2(!numbers.contains(int(row.command)),
                 qPrintable(QString::number(int(row.command))));
        numbers.insert(int(row.command));
        QAction* action = actions->Action(row.command);
        QVERIFY(action != nullptr);
        QVERIFY(actions->Menu(row.menu)->actions().contains(action));
        QVERIFY(!action->text().isEmpty());
        for (const QKeySequence& key : action->shortcuts()) {
            const QString shown = key.toString();
            QVERIFY2(!keys.contains(shown), qPrintable(shown));
            keys.insert(shown);
        }
        QCOMPARE(&CommandRowOf(row.command), &row);
    }
    QCOMPARE(keys.size(), 17);
}

void TestMainFrame::toolbarButtonShowsItsTip()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    FrameActions* actions = app->MainFrame()->Actions();
    QVERIFY(QTest::qWaitForWindowExposed(app->MainFrame()));
    auto* save = qobject_cast<QToolButton*>(
        actions->ToolBar()->widgetForAction(actions->Action(FrameCommand::FileSave)));
    QVERIFY(save);
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), save->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(save, &help);
    QTRY_COMPARE(QToolTip::text(), En(text::MenuSave));

    auto* about = qobject_cast<QToolButton*>(
        actions->ToolBar()->widgetForAction(actions->Action(FrameCommand::About)));
    QVERIFY(about);
    QHelpEvent aboutHelp(QEvent::ToolTip, QPoint(2, 2), about->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(about, &aboutHelp);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestMainFrame::openViewCreatesOneWindow()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    CChildFrame* first = frame->OpenView(ViewKind::Channels);
    QVERIFY(first);
    CChildFrame* second = frame->OpenView(ViewKind::Channels);
    QCOMPARE(second, first);
    QCOMPARE(frame->Background()->subWindowList().size(), 1);

    // Another view is another window; the menu command reactivates the first.
    CChildFrame* scan = frame->OpenView(ViewKind::Scan);
    QVERIFY(scan != first);
    QCOMPARE(frame->Background()->activeSubWindow(), scan);
    frame->Actions()->Action(FrameCommand::ViewChannels)->trigger();
    QCOMPARE(frame->Background()->activeSubWindow(), first);
    QCOMPARE(frame->Background()->subWindowList().size(), 2);
    QCOMPARE(frame->ExistingViews(), (std::vector<ViewKind>{ViewKind::Channels, ViewKind::Scan}));
}

void TestMainFrame::closingHidesAndReopeningShowsTheSameWindow()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    CChildFrame* child = frame->OpenView(ViewKind::Features);
    QPointer<CChildFrame> guard(child);
    CEditView* view = child->View();
    child->move(37, 21);
    QVERIFY(!child->close());  // refused: only hidden
    QVERIFY(guard);
    QVERIFY(child->isHidden());
    // The view's own Close button does the same.
    frame->OpenView(ViewKind::Features);
    QVERIFY(child->isVisible());
    emit view->closeRequested();
    QVERIFY(child->isHidden());

    // Ctrl+F4 closes (hides) the active child window too.
    frame->OpenView(ViewKind::Features);
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame->Background()->activeSubWindow(), Qt::Key_F4, Qt::ControlModifier);
    QVERIFY(child->isHidden());

    frame->Actions()->Action(FrameCommand::ViewFeatures)->trigger();
    QCOMPARE(frame->ChildFrame(ViewKind::Features), child);
    QCOMPARE(child->View(), view);
    QVERIFY(child->isVisible());
    QCOMPARE(child->pos(), QPoint(37, 21));
    QCOMPARE(frame->Background()->activeSubWindow(), child);
}

void TestMainFrame::childWindowSizes()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    const QSize outer = frame->frameGeometry().size();
    QCOMPARE(frame->OpenView(ViewKind::Channels)->size(), QSize(762, 400));
    QCOMPARE(frame->OpenView(ViewKind::Features)->size(), QSize(715, 460));
    QCOMPARE(frame->OpenView(ViewKind::Keys)->size(),
             QSize(outer.width() * 40 / 50, outer.height() * 33 / 50));
    QCOMPARE(frame->OpenView(ViewKind::Scan)->size(), QSize(558, 310));
    QCOMPARE(ChildWindowSize(ViewKind::Keys, QSize(773, 548)), QSize(618, 361));
    // The captions are the views' names.
    QCOMPARE(frame->ChildFrame(ViewKind::Features)->windowTitle(), En(text::FeaturesView));
    QCOMPARE(frame->ChildFrame(ViewKind::Keys)->windowTitle(), En(text::KeysView));
    QCOMPARE(frame->ChildFrame(ViewKind::Scan)->windowTitle(), En(text::ScanView));
}

void TestMainFrame::treeLabelClickOpensTheView()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->Actions()->Action(FrameCommand::TreeView)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    CNavTreeCtrl* tree = frame->TreeBar()->Tree();
    QTreeWidgetItem* keys = tree->topLevelItem(0)->child(2);
    const QRect label = tree->LabelRect(keys);
    QVERIFY(!label.isEmpty());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, label.center());
    QVERIFY(frame->ChildFrame(ViewKind::Keys));
    QCOMPARE(frame->Background()->activeSubWindow(), frame->ChildFrame(ViewKind::Keys));
    QCOMPARE(tree->currentItem(), keys);
    QCOMPARE(frame->ExistingViews(), std::vector<ViewKind>{ViewKind::Keys});
}

void TestMainFrame::treeRootAndEmptySpaceOpenNothing()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->Actions()->Action(FrameCommand::TreeView)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    CNavTreeCtrl* tree = frame->TreeBar()->Tree();
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->LabelRect(root).center());
    // Right of a child's label and below the last item.
    QTreeWidgetItem* scan = root->child(3);
    const QRect cell = tree->visualItemRect(scan);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(tree->LabelRect(scan).right() + 20, cell.center().y()));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(5, cell.bottom() + 30));
    // On the branch area left of a child's label.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(cell.left() - 5, cell.center().y()));
    // The right button on a label.
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->LabelRect(scan).center());
    QVERIFY(frame->ExistingViews().empty());
}

void TestMainFrame::treeEnterKeyOpensTheView()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->Actions()->Action(FrameCommand::TreeView)->trigger();
    CNavTreeCtrl* tree = frame->TreeBar()->Tree();
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(frame->ExistingViews(), std::vector<ViewKind>{ViewKind::Features});
    // Down to the scan item and Enter.
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Enter);
    QCOMPARE(frame->ExistingViews(), (std::vector<ViewKind>{ViewKind::Features, ViewKind::Scan}));
}

void TestMainFrame::treeViewCommandTogglesTheBar()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QAction* tree = frame->Actions()->Action(FrameCommand::TreeView);
    QVERIFY(tree->isEnabled());
    tree->trigger();
    QVERIFY(!frame->TreeBar()->isHidden());
    QVERIFY(tree->isChecked());
    QCOMPARE(frame->dockWidgetArea(frame->TreeBar()), Qt::LeftDockWidgetArea);
    tree->trigger();
    QVERIFY(frame->TreeBar()->isHidden());
    QVERIFY(!tree->isChecked());
    // Hidden by its own close button: the check mark follows.
    tree->trigger();
    QVERIFY(frame->TreeBar()->close());
    QTRY_VERIFY(!tree->isChecked());
}

void TestMainFrame::closeAllWindowsHidesOnlyTheBar()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    CChildFrame* channels = frame->OpenView(ViewKind::Channels);
    QAction* closeAll = frame->Actions()->Action(FrameCommand::CloseAllWindows);
    // With the bar hidden nothing happens.
    closeAll->trigger();
    QVERIFY(frame->TreeBar()->isHidden());
    QVERIFY(channels->isVisible());
    frame->Actions()->Action(FrameCommand::TreeView)->trigger();
    QVERIFY(!frame->TreeBar()->isHidden());
    closeAll->trigger();
    QVERIFY(frame->TreeBar()->isHidden());
    QVERIFY(!frame->Actions()->Action(FrameCommand::TreeView)->isChecked());
    QVERIFY(channels->isVisible());
}

void TestMainFrame::refreshViewsShowsTheChannelView()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    CChildFrame* channels = frame->OpenView(ViewKind::Channels);
    frame->OpenView(ViewKind::Scan);
    channels->close();
    SetUpRecord(frame).model = 0;
    frame->RefreshViews();
    QVERIFY(channels->isVisible());
    QCOMPARE(frame->Background()->activeSubWindow(), channels);
    QCOMPARE(Caption(frame), En(text::Channels32) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
}

void TestMainFrame::captionFollowsModelAndBand_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QString>("caption");
    QTest::newRow("defaults") << 1 << 400 << 470 << En(text::Channels16) + " Q71/Q72(400-470MHZ)";
    QTest::newRow("32 channels") << 0 << 136 << 174
                                 << En(text::Channels32) + " Q71/Q72(136-174MHZ)";
    QTest::newRow("model 5 counts as 16")
        << 5 << 350 << 370 << En(text::Channels16) + " Q71/Q72(350-370MHZ)";
    QTest::newRow("odd band from a file")
        << 1 << -3 << 1000 << En(text::Channels16) + " Q71/Q72(-3-1000MHZ)";
}

void TestMainFrame::captionFollowsModelAndBand()
{
    QFETCH(int, model);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(QString, caption);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).model = model;
    SetUpRecord(frame).bandLower = lower;
    SetUpRecord(frame).bandUpper = upper;
    frame->UpdateTitle();
    QCOMPARE(Caption(frame), caption);
    QCOMPARE(CMainFrame::Title(frame->Data()), caption);
}

void TestMainFrame::progressBar()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CProgStatusBar* bar = app->MainFrame()->ProgressBar();
    QVERIFY(!bar->ProgressVisible());
    QCOMPARE(bar->PaneText(), En(text::ReadyStatus));
    bar->showMessage(QStringLiteral("something"));
    app->MainFrame()->SetProgress(1);
    QVERIFY(bar->ProgressVisible());
    QCOMPARE(bar->currentMessage(), QString());
    QCOMPARE(bar->ProgressValue(), 1);
    app->MainFrame()->SetProgress(56);
    QCOMPARE(bar->ProgressValue(), 56);
    // The running counter may pass 100 before its final 100.
    app->MainFrame()->SetProgress(111);
    QCOMPARE(bar->ProgressValue(), 100);
    QVERIFY(bar->ProgressVisible());
    app->MainFrame()->SetProgress(0);
    QVERIFY(!bar->ProgressVisible());
    QCOMPARE(bar->PaneText(), En(text::ReadyStatus));
}

void TestMainFrame::windowArrangements()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    CChildFrame* channels = frame->OpenView(ViewKind::Channels);
    CChildFrame* scan = frame->OpenView(ViewKind::Scan);
    const QRect area = frame->Background()->viewport()->rect();

    // Each window gets its share of the area, but never less than its form needs: the
    // windows then lie one after the other and the area scrolls.
    frame->Actions()->Action(FrameCommand::TileHorizontally)->trigger();
    QCOMPARE(channels->width(), area.width());
    QCOMPARE(scan->width(), area.width());
    QVERIFY(scan->height() >= scan->minimumSizeHint().height());
    QVERIFY(channels->height() >= area.height() / 2);
    QCOMPARE(channels->geometry().bottom() + 1, scan->geometry().top());
    QVERIFY(channels->height() + scan->height() >= area.height());

    frame->Actions()->Action(FrameCommand::TileVertically)->trigger();
    QVERIFY(channels->height() >= area.height());
    QVERIFY(scan->width() >= scan->minimumSizeHint().width());
    QCOMPARE(channels->geometry().right() + 1, scan->geometry().left());
    QVERIFY(channels->width() + scan->width() >= area.width());

    frame->Actions()->Action(FrameCommand::Cascade)->trigger();
    QVERIFY(channels->geometry().topLeft() != scan->geometry().topLeft());

    scan->showMinimized();
    frame->Actions()->Action(FrameCommand::ArrangeIcons)->trigger();
    QCOMPARE(scan->geometry().bottom(), area.bottom());
    QCOMPARE(scan->geometry().left(), 0);
}

// New child windows open wholly inside the area where they fit, cascading from the
// top left; none opens partly outside.
void TestMainFrame::childWindowsOpenInsideTheArea()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    frame->resize(1200, 900);
    QTRY_VERIFY(frame->Background()->viewport()->width() > 900);
    const QRect area = frame->Background()->viewport()->rect();
    QList<QPoint> corners;
    for (ViewKind kind : kAllViewKinds) {
        CChildFrame* child = frame->OpenView(kind);
        if (child->width() <= area.width() && child->height() <= area.height()) {
            QVERIFY2(area.contains(child->geometry()), qPrintable(child->windowTitle()));
        } else {
            QCOMPARE(child->pos(), QPoint(0, 0));
        }
        QVERIFY(!corners.contains(child->pos()));
        corners.append(child->pos());
    }
    QCOMPARE(corners.first(), QPoint(0, 0));
    QVERIFY(corners[1].x() > 0 && corners[1].x() == corners[1].y());
    QCOMPARE(frame->Background()->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

void TestMainFrame::toolbarAndStatusBarCommands()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QAction* toolbar = frame->Actions()->Action(FrameCommand::ToolBar);
    QAction* status = frame->Actions()->Action(FrameCommand::StatusBar);
    QVERIFY(toolbar->isChecked());
    QVERIFY(status->isChecked());
    toolbar->trigger();
    QVERIFY(frame->Actions()->ToolBar()->isHidden());
    QVERIFY(!toolbar->isChecked());
    status->trigger();
    QVERIFY(frame->ProgressBar()->isHidden());
    status->trigger();
    toolbar->trigger();
    QVERIFY(!frame->Actions()->ToolBar()->isHidden());
    QVERIFY(!frame->ProgressBar()->isHidden());
}

namespace {

// Answers the next modal dialog: `act` gets the active modal widget once there is one.
void WhenModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start(10);
}

}  // namespace

void TestMainFrame::printCommandsOpenTheFourViews()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(frame->ExistingViews().empty());

    // Print: the rows and the summary come from the views, so all four are opened
    // before the print dialog shows.
    std::vector<ViewKind> viewsAtDialog;
    bool printDialog = false;
    WhenModal([&](QWidget* modal) {
        viewsAtDialog = frame->ExistingViews();
        printDialog = qobject_cast<QPrintDialog*>(modal) != nullptr;
        static_cast<QDialog*>(modal)->reject();
    });
    frame->Actions()->Action(FrameCommand::FilePrint)->trigger();
    QVERIFY(printDialog);
    const std::vector<ViewKind> all{ViewKind::Channels, ViewKind::Features, ViewKind::Keys,
                                    ViewKind::Scan};
    QCOMPARE(viewsAtDialog, all);

    // Print preview shows the same printout: one page.
    int pages = -1;
    WhenModal([&](QWidget* modal) {
        auto* preview = modal->findChild<QPrintPreviewWidget*>();
        pages = qobject_cast<QPrintPreviewDialog*>(modal) && preview ? preview->pageCount() : -2;
        static_cast<QDialog*>(modal)->reject();
    });
    frame->Actions()->Action(FrameCommand::FilePrintPreview)->trigger();
    QCOMPARE(pages, 1);
    QCOMPARE(frame->ExistingViews(), all);
}

QTEST_MAIN(TestMainFrame)
#include "test_main_frame.moc"
