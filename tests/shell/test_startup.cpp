#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTreeWidget>
#include <QtTest>

#include "shell/bg_client_wnd.h"
#include "shell/child_frame.h"
#include "shell/help_commands.h"
#include "shell/frame_actions.h"
#include "shell/help_viewer.h"
#include "shell/model_dlg.h"
#include "shell/nav_tree_ctrl.h"
#include "shell/prog_status_bar.h"
#include "shell/tree_bar.h"
#include "shell_fixture.h"

using namespace radio;
using namespace radio::test;

namespace {

CMainFrame* FindFrame()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* frame = qobject_cast<CMainFrame*>(w)) {
            return frame;
        }
    }
    return nullptr;
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void noSettingsFile_data();
    void noSettingsFile();
    void partialSettingsFile();
    void completeSettingsFile();
    void twoPortLinesAndAModelLineCountAsComplete();
    void firstRunDialogChoosesTheBand_data();
    void firstRunDialogChoosesTheBand();
    void windowPlacementAndCaption();
    void menuTextsFromTheLanguageFile();
    void treeBuiltAndHidden();
    void channelViewOpensAfterTheTimer();
    void unusableLanguageFileGivesEnglish_data();
    void unusableLanguageFileGivesEnglish();
    void exitConfirmationSavesTheSettings();
    void exitAnsweredNoChangesNothing();
    void windowComesBackWhereItWasLeft();
};

void TestStartup::noSettingsFile_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("column");
    QTest::newRow("Chinese, China") << QLocale(QLocale::Chinese, QLocale::China) << 0;
    QTest::newRow("English, United States")
        << QLocale(QLocale::English, QLocale::UnitedStates) << 1;
    QTest::newRow("Chinese, Taiwan") << QLocale(QLocale::Chinese, QLocale::Taiwan) << 1;
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << 1;
}

void TestStartup::noSettingsFile()
{
    QFETCH(QLocale, locale);
    QFETCH(int, column);
    WorkDir dir;
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    dir.Write(QStringLiteral("helptopics1/index.htm"), "<html><body>help</body></html>");
    Boxes boxes;
    Dialogs dialogs;
    bool windowShownDuringDialog = true;
    bool dialogHadParent = true;
    bool helpShown = false;
    dialogs.Then([&](QDialog& dialog) {
        CMainFrame* frame = FindFrame();
        windowShownDuringDialog = !frame || frame->isVisible();
        dialogHadParent = dialog.parentWidget() != nullptr;
        // Its Help button opens the help beside it.
        emit static_cast<CModelDlg&>(dialog).helpRequested();
        helpShown =
            frame && frame->Help()->HelpViewer() && frame->Help()->HelpViewer()->isVisible();
        return int(QDialog::Rejected);
    });

    auto app = StartProgram(dir, 60000, locale);
    QVERIFY(app);
    QVERIFY(app->FirstRun());
    QCOMPARE(dialogs.Seen(), std::vector<QString>{QStringLiteral("modelDialog")});
    QVERIFY(!windowShownDuringDialog);
    QVERIFY(!dialogHadParent);
    QVERIFY(helpShown);
    QCOMPARE(app->DefaultLanguage(), column);
    QCOMPARE(
        dir.Read(QStringLiteral("sys.ini")),
        QByteArray("Com=COM1\r\nDefaultLanguage=") + QByteArray::number(column) + "\r\nMode=1\r\n");
    // The texts come from the locale's column.
    QCOMPARE(Caption(app->MainFrame()),
             TestText(column, text::Channels16) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
    QCOMPARE(boxes.Count(), 0);
}

void TestStartup::partialSettingsFile()
{
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), "Com=COM4\r\nMode=0\r\n");
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    Dialogs dialogs;
    auto app = StartProgram(dir, 60000, QLocale(QLocale::Chinese, QLocale::China));
    QVERIFY(app);
    QVERIFY(app->FirstRun());
    QCOMPARE(dialogs.Seen().size(), std::size_t(1));
    const RadioData& data = app->MainFrame()->Data();
    QCOMPARE(data.port, 4);
    QCOMPARE(data.model, 0);
    QCOMPARE(app->DefaultLanguage(), 0);
    QCOMPARE(dir.Read(QStringLiteral("sys.ini")),
             QByteArray("Com=COM4\r\nDefaultLanguage=0\r\nMode=0\r\n"));
    QCOMPARE(Caption(app->MainFrame()),
             Zh(text::Channels32) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
}

void TestStartup::completeSettingsFile()
{
    WorkDir dir;
    const QByteArray settings = "Com=COM3\r\nDefaultLanguage=0\r\nMode=1";
    dir.Write(QStringLiteral("sys.ini"), settings);
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    Dialogs dialogs;
    // Whatever the locale says, the file's column holds.
    auto app = StartProgram(dir, 60000, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(app);
    QVERIFY(!app->FirstRun());
    QVERIFY(dialogs.Seen().empty());
    QCOMPARE(app->MainFrame()->Data().port, 3);
    QCOMPARE(app->MainFrame()->Data().model, 1);
    QCOMPARE(app->DefaultLanguage(), 0);
    // A complete file is not written at start-up.
    QCOMPARE(dir.Read(QStringLiteral("sys.ini")), settings);
    QCOMPARE(Caption(app->MainFrame()),
             Zh(text::Channels16) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
}

void TestStartup::twoPortLinesAndAModelLineCountAsComplete()
{
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), "Com=COM2\r\nCom=COM7\r\nMode=0\r\n");
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    Dialogs dialogs;
    auto app = StartProgram(dir);
    QVERIFY(app);
    QVERIFY(!app->FirstRun());
    QVERIFY(dialogs.Seen().empty());
    QCOMPARE(app->MainFrame()->Data().port, 7);
    QCOMPARE(app->DefaultLanguage(), 0);
}

void TestStartup::firstRunDialogChoosesTheBand_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::newRow("136-174, OK") << 0 << true << 136 << 174;
    QTest::newRow("450-520, OK") << 3 << true << 450 << 520;
    QTest::newRow("136-174, Cancel") << 0 << false << 400 << 470;
    QTest::newRow("same band, OK") << 1 << true << 400 << 470;
}

void TestStartup::firstRunDialogChoosesTheBand()
{
    QFETCH(int, choice);
    QFETCH(bool, ok);
    QFETCH(int, lower);
    QFETCH(int, upper);
    WorkDir dir;
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    Boxes boxes;
    Dialogs dialogs;
    dialogs.Then([&](QDialog& dialog) {
        auto& model = static_cast<CModelDlg&>(dialog);
        model.BandList()->setCurrentIndex(choice);
        return int(ok ? QDialog::Accepted : QDialog::Rejected);
    });
    auto app = StartProgram(dir);
    QVERIFY(app);
    const RadioData& data = app->MainFrame()->Data();
    QCOMPARE(data.bandLower, lower);
    QCOMPARE(data.bandUpper, upper);
    // The first start asks nothing about a band change.
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(Caption(app->MainFrame()),
             En(text::Channels16) + QStringLiteral(" Q71/Q72(%1-%2MHZ)").arg(lower).arg(upper));
}

void TestStartup::windowPlacementAndCaption()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->pos(), QPoint(0, 0));
    // At least 773 x 548, the window as the user sees it, frame included, and at most
    // 90 % of the screen (more only where the views need it).
    const QSize most = frame->screen()->availableGeometry().size() * 0.9;
    QTRY_VERIFY(frame->frameGeometry().width() >= std::min(773, most.width()));
    QVERIFY(frame->frameGeometry().height() >= std::min(548, most.height()));
    QVERIFY(frame->frameGeometry().width() <= std::max(773, most.width()));
    QVERIFY(frame->frameGeometry().height() <= std::max(548, most.height()));
    QCOMPARE(Caption(frame), En(text::Channels16) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
    // The record's reserved word holds the height the desktop's panels take.
    QVERIFY(frame->Data().reserved >= 0);
}

void TestStartup::menuTextsFromTheLanguageFile()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    FrameActions* actions = app->MainFrame()->Actions();
    const int menuTexts[] = {1, 8, 10, 19, 25, 28, 32, 38};
    for (int i = 0; i < FrameActions::kMenuCount; ++i) {
        QCOMPARE(actions->Menu(i)->title(), En(menuTexts[i]));
    }
    const std::pair<FrameCommand, int> items[] = {
        {FrameCommand::FileNew, 2},          {FrameCommand::FileOpen, 3},
        {FrameCommand::FileSave, 4},         {FrameCommand::FileSaveAs, 5},
        {FrameCommand::FilePrint, 6},        {FrameCommand::AppExit, 7},
        {FrameCommand::ModelInfo, 9},        {FrameCommand::ViewChannels, 11},
        {FrameCommand::ViewFeatures, 12},    {FrameCommand::ViewKeys, 13},
        {FrameCommand::ViewScan, 14},        {FrameCommand::ReadRadio, 20},
        {FrameCommand::WriteRadio, 21},      {FrameCommand::ComPort, 26},
        {FrameCommand::Language, 27},        {FrameCommand::TreeView, 29},
        {FrameCommand::ToolBar, 30},         {FrameCommand::StatusBar, 31},
        {FrameCommand::Cascade, 33},         {FrameCommand::TileHorizontally, 34},
        {FrameCommand::TileVertically, 35},  {FrameCommand::ArrangeIcons, 36},
        {FrameCommand::CloseAllWindows, 37}, {FrameCommand::HelpTopics, 39},
        {FrameCommand::About, 40},
    };
    for (const auto& [command, n] : items) {
        QCOMPARE(actions->Action(command)->text(), En(n));
    }
    // The items sit in their menus.
    QVERIFY(actions->Menu(0)->actions().contains(actions->Action(FrameCommand::FileSaveAs)));
    QVERIFY(actions->Menu(3)->actions().contains(actions->Action(FrameCommand::WriteRadio)));
    QVERIFY(actions->Menu(7)->actions().contains(actions->Action(FrameCommand::About)));
    // The shortcut keys.
    QCOMPARE(actions->Action(FrameCommand::FileNew)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+N")));
    QCOMPARE(actions->Action(FrameCommand::FileOpen)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(actions->Action(FrameCommand::FileSave)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(actions->Action(FrameCommand::ReadRadio)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+R")));
    QCOMPARE(actions->Action(FrameCommand::WriteRadio)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+W")));
}

void TestStartup::treeBuiltAndHidden()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(frame->TreeBar()->isHidden());
    QVERIFY(!frame->Actions()->Action(FrameCommand::TreeView)->isChecked());
    QTreeWidget* tree = frame->TreeBar()->Tree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QCOMPARE(root->text(0), En(text::RadioData));
    QCOMPARE(root->childCount(), 4);
    for (int i = 0; i < kViewKindCount; ++i) {
        QCOMPARE(root->child(i)->text(0), En(ViewNameText(kAllViewKinds[std::size_t(i)])));
    }
    QVERIFY(root->isExpanded());
    QCOMPARE(tree->currentItem(), root);
}

void TestStartup::channelViewOpensAfterTheTimer()
{
    WorkDir dir;
    QElapsedTimer clock;
    clock.start();
    auto app = StartPrepared(dir, 100);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QSignalSpy opened(frame, &CMainFrame::startupViewOpened);
    QVERIFY(!frame->ChildFrame(ViewKind::Channels));
    QVERIFY(opened.wait(5000));
    QVERIFY(clock.elapsed() >= 100);
    CChildFrame* child = frame->ChildFrame(ViewKind::Channels);
    QVERIFY(child);
    QVERIFY(child->isVisible());
    QCOMPARE(child->size(), QSize(762, 400));
    QCOMPARE(frame->Background()->activeSubWindow(), child);
    QCOMPARE(child->windowTitle(), En(text::ChannelsView) + QStringLiteral("- 1"));
    QCOMPARE(frame->ExistingViews(), std::vector<ViewKind>{ViewKind::Channels});
}

// Without a usable lang.csv every menu and command stays, in the built-in English, and
// the status bar says why: no file, a language column the file does not have, a file in
// UTF-16 or of binary data.
void TestStartup::unusableLanguageFileGivesEnglish_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("note");
    const QString utf16 = QString::fromUtf8(TestLanguageFile());
    QByteArray utf16Bytes(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    QTest::newRow("no file") << 1 << QByteArray() << Fallback(text::LanguageFileMissing);
    QTest::newRow("column 77") << 77 << TestLanguageFile()
                               << Fallback(text::LanguageColumnMissing).arg(77);
    QTest::newRow("UTF-16 with a mark")
        << 1 << QByteArray("\xFF\xFE") + utf16Bytes << Fallback(text::LanguageFileUtf16);
    QTest::newRow("UTF-16 without") << 0 << utf16Bytes << Fallback(text::LanguageFileUtf16);
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary += char((i * 7919) % 251);
    }
    QTest::newRow("binary") << 1 << binary << Fallback(text::LanguageFileNotText);
    QTest::newRow("control bytes")
        << 1 << QByteArray("A,B\n\x01\x02,\x03\n") << Fallback(text::LanguageFileNotText);
}

void TestStartup::unusableLanguageFileGivesEnglish()
{
    QFETCH(int, column);
    QFETCH(QByteArray, file);
    QFETCH(QString, note);
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, column, 1));
    if (!file.isEmpty()) {
        dir.Write(QStringLiteral("lang.csv"), file);
    }
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QCOMPARE(app->LanguageFileMissing(), file.isEmpty());
    QVERIFY(!app->ChineseInterface());
    QCOMPARE(Caption(frame), QStringLiteral("16-channel Q71/Q72(400-470MHZ)"));
    QCOMPARE(frame->menuBar()->actions().size(), FrameActions::kMenuCount);
    for (QAction* menu : frame->menuBar()->actions()) {
        QVERIFY(!menu->text().isEmpty());
        QVERIFY(menu->isVisible());
    }
    QCOMPARE(frame->Actions()->Menu(0)->title(), QStringLiteral("File(&F)"));
    QCOMPARE(frame->Actions()->Action(FrameCommand::ReadRadio)->text(),
             QStringLiteral("Read from radio(&R)"));
    QCOMPARE(frame->TreeBar()->Tree()->topLevelItem(0)->text(0), QStringLiteral("Radio data"));
    QCOMPARE(frame->ProgressBar()->currentMessage(), note);
    // The program works: a view opens, and the language dialog offers the file's names.
    QVERIFY(frame->OpenView(ViewKind::Scan));
    QCOMPARE(app->Names().names[0].empty(), column != 77);
}

void TestStartup::exitConfirmationSavesTheSettings()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).port = 6;
    SetUpRecord(frame).model = 0;
    Boxes boxes;
    boxes.Answer(QMessageBox::Yes);
    QSignalSpy confirmed(frame, &CMainFrame::exitConfirmed);
    QVERIFY(frame->close());
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::ExitQuestion));
    QCOMPARE(boxes.Last().caption, En(text::ExitCaption));
    QCOMPARE(boxes.Last().icon, QMessageBox::Question);
    QCOMPARE(boxes.Last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(confirmed.count(), 1);
    QVERIFY(!frame->isVisible());
    QCOMPARE(dir.Read(QStringLiteral("sys.ini")),
             QByteArray("Com=COM6\r\nDefaultLanguage=1\r\nMode=0\r\n"));
}

void TestStartup::exitAnsweredNoChangesNothing()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).port = 6;
    Boxes boxes;
    boxes.Answer(QMessageBox::No);
    QSignalSpy confirmed(frame, &CMainFrame::exitConfirmed);
    // File > Exit goes through the same confirmation.
    frame->Actions()->Action(FrameCommand::AppExit)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(frame->isVisible());
    QCOMPARE(confirmed.count(), 0);
    QCOMPARE(dir.Read(QStringLiteral("sys.ini")), CompleteSettings(1, 1, 1));
}

// The first start places the window at (0, 0), at least 773 x 548 with its frame; the next
// start puts it where the user left it, maximised or not. sys.ini keeps its three
// lines and nothing of this.
void TestStartup::windowComesBackWhereItWasLeft()
{
    WorkDir dir;
    {
        auto app = StartPrepared(dir);
        QVERIFY(app);
        CMainFrame* frame = app->MainFrame();
        frame->setGeometry(QRect(QPoint(40, 30), QSize(900, 640)));
        QTRY_COMPARE(frame->size(), QSize(900, 640));
        Boxes boxes;
        boxes.Answer(QMessageBox::Yes);
        frame->close();
    }
    QCOMPARE(dir.Read(QStringLiteral("sys.ini")).count('\n'), 3);
    {
        auto app = StartProgram(dir);
        QVERIFY(app);
        CMainFrame* frame = app->MainFrame();
        QCOMPARE(frame->size(), QSize(900, 640));
        QCOMPARE(frame->geometry().topLeft(), QPoint(40, 30));
        frame->showMaximized();
        QTRY_VERIFY(frame->isMaximized());
        Boxes boxes;
        boxes.Answer(QMessageBox::Yes);
        frame->close();
    }
    auto app = StartProgram(dir);
    QVERIFY(app);
    QTRY_VERIFY(app->MainFrame()->isMaximized());
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
