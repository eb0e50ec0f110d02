#include <pty.h>
#include <unistd.h>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

#include "config/language_file.h"
#include "config/program_files.h"
#include "link/block_plan.h"
#include "shell/about_dlg.h"
#include "shell/bg_client_wnd.h"
#include "shell/child_frame.h"
#include "shell/com_port_dlg.h"
#include "shell/help_commands.h"
#include "shell/frame_actions.h"
#include "shell/help_viewer.h"
#include "shell/language_dlg.h"
#include "shell/model_dlg.h"
#include "shell/nav_tree_ctrl.h"
#include "shell/prog_status_bar.h"
#include "shell/transfer_texts.h"
#include "shell/tree_bar.h"
#include "shell_fixture.h"

using namespace radio;
using namespace radio::test;

namespace {

quint16 MaskOf(std::initializer_list<int> ports)
{
    quint16 mask = 0xF801;  // bit 0 and bits 11-15 are always set
    for (int n : ports) {
        mask = quint16(mask | 1u << n);
    }
    return mask;
}

// Every COMn stands for a device that does not exist, unless a test says otherwise.
class NoPorts {
public:
    NoPorts()
    {
        for (int n = 1; n <= 10; ++n) {
            qputenv(qPrintable(QStringLiteral("RADIOPROG_COM%1").arg(n)),
                    QByteArray("/nonexistent/tty") + QByteArray::number(n));
        }
    }
    ~NoPorts()
    {
        for (int n = 1; n <= 10; ++n) {
            qunsetenv(qPrintable(QStringLiteral("RADIOPROG_COM%1").arg(n)));
        }
    }
};

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void modelDialogShowsTheRecord_data();
    void modelDialogShowsTheRecord();
    void modelDialogCancelChangesNothing();
    void bandChangeIsOneStepAndOpensNoView();
    void bandChangeCancelledKeepsTheBand();
    void sameBandAsksNothing();
    void modelChangeAloneRefreshesTheChannelView();
    void unknownBandShowsTheFirst();
    void comPortChoice_data();
    void comPortChoice();
    void comPortDialogButtons();
    void comPortDialogShowsTheAdapters();
    void comPortCommandUsesTheProbe();
    void comPortOkWithoutChoiceSetsPortZero();
    void languageSwitch();
    void sameLanguageReloadsNothing();
    void languageDialogList();
    void aboutDialog();
    void helpPages();
    void missingHelpPageIsReported();
    void chineseInterfaceThroughout();
    void textsFollowTheLanguage();
    void transferStepsInChinese_data();
    void transferStepsInChinese();
};

void TestDialogs::modelDialogShowsTheRecord_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("modelIndex");
    QTest::addColumn<int>("bandIndex");
    QTest::newRow("defaults") << 1 << 400 << 0 << 1;
    QTest::newRow("32 channels") << 0 << 136 << -1 << 0;
    QTest::newRow("370-390") << 1 << 370 << 0 << 5;
}

void TestDialogs::modelDialogShowsTheRecord()
{
    QFETCH(int, model);
    QFETCH(int, lower);
    QFETCH(int, modelIndex);
    QFETCH(int, bandIndex);
    RadioData data;
    data.model = model;
    data.bandLower = lower;
    CModelDlg dialog(data);
    QCOMPARE(Items(dialog.ModelList()), QStringList{"Q71/Q72"});
    QCOMPARE(dialog.ModelList()->currentIndex(), modelIndex);
    QCOMPARE(dialog.BandList()->count(), 6);
    const QStringList bands = {"136-174MHZ", "400-470MHZ", "440-480MHZ",
                               "450-520MHZ", "350-370MHZ", "370-390MHZ"};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(dialog.BandList()->itemText(i), bands[i]);
    }
    QCOMPARE(dialog.BandList()->currentIndex(), bandIndex);
    QCOMPARE(CurrentBandIndex(data), bandIndex);
}

// The dialog works on values of its own: chosen with the keys and cancelled with its
// button, nothing reaches the record, not even while it is open.
void TestDialogs::modelDialogCancelChangesNothing()
{
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 1, 0));
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).Channel(0).SetRxFrequency(0x43012500);
    const auto before = frame->Data().ToImage();
    Dialogs dialogs;
    Boxes boxes;
    QString caption;
    int modelDuringDialog = -1;
    dialogs.Then([&](QDialog& dialog) {
        auto& model = static_cast<CModelDlg&>(dialog);
        caption = model.windowTitle();
        model.show();
        QTest::keyClick(model.ModelList(), Qt::Key_Down);
        QTest::keyClick(model.BandList(), Qt::Key_Up);
        modelDuringDialog = frame->Data().model;
        const QList<QPushButton*> buttons = model.findChildren<QPushButton*>();
        for (QPushButton* button : buttons) {
            if (button->text() == En(text::Cancel)) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
        return model.result();
    });
    frame->Actions()->Action(FrameCommand::ModelInfo)->trigger();
    QCOMPARE(caption, En(text::MenuModelAndBand));
    QCOMPARE(modelDuringDialog, 0);
    QVERIFY(frame->Data().ToImage() == before);
    QCOMPARE(frame->Document().History()->count(), 0);
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(Caption(frame), En(text::Channels32) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
}

// Confirmed, a new band is one step: band and emptied channels together, taken back
// together; the channels are emptied in the record, no view is opened for it.
void TestDialogs::bandChangeIsOneStepAndOpensNoView()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).Channel(0).SetRxFrequency(0x43012500);
    SetUpRecord(frame).Channel(15).SetRxFrequency(0x44012500);
    const auto before = frame->Data().ToImage();
    Dialogs dialogs;
    Boxes boxes;
    boxes.Answer(QMessageBox::Ok);
    dialogs.Then([](QDialog& dialog) {
        static_cast<CModelDlg&>(dialog).BandList()->setCurrentIndex(0);
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ModelInfo)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::BandChangeClears));
    QCOMPARE(boxes.Last().caption, En(text::WarningCaption));
    QCOMPARE(boxes.Last().icon, QMessageBox::Warning);
    QCOMPARE(boxes.Last().defaultButton, QMessageBox::Cancel);
    QCOMPARE(frame->Data().bandLower, 136);
    QCOMPARE(frame->Data().bandUpper, 174);
    QCOMPARE(Caption(frame), En(text::Channels16) + QStringLiteral(" Q71/Q72(136-174MHZ)"));
    QVERIFY(!frame->ChildFrame(ViewKind::Channels));
    QVERIFY(frame->Data().Channel(0).IsErased());
    QVERIFY(frame->Data().Channel(15).IsErased());

    QUndoStack* history = frame->Document().History();
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->undoText(), En(text::BandLabel) + QStringLiteral(" 136-174MHZ"));
    frame->Actions()->Action(FrameCommand::EditUndo)->trigger();
    QVERIFY(frame->Data().ToImage() == before);
    QCOMPARE(Caption(frame), En(text::Channels16) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
}

void TestDialogs::bandChangeCancelledKeepsTheBand()
{
    WorkDir dir;
    RecordingViews views;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Dialogs dialogs;
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    dialogs.Then([](QDialog& dialog) {
        static_cast<CModelDlg&>(dialog).BandList()->setCurrentIndex(4);
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ModelInfo)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(frame->Data().bandLower, 400);
    QVERIFY(views.Log().empty());  // nothing cleared, no view opened

    // Confirmed, the channel view clears its channels.
    boxes.Answer(QMessageBox::Ok);
    dialogs.Then([](QDialog& dialog) {
        static_cast<CModelDlg&>(dialog).BandList()->setCurrentIndex(4);
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ModelInfo)->trigger();
    QCOMPARE(frame->Data().bandLower, 350);
    QVERIFY(views.Log().empty());  // the record's channels are emptied, not a view's
}

void TestDialogs::sameBandAsksNothing()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).Channel(3).SetRxFrequency(0x43012500);
    Dialogs dialogs;
    Boxes boxes;
    dialogs.Then([](QDialog&) { return int(QDialog::Accepted); });
    frame->Actions()->Action(FrameCommand::ModelInfo)->trigger();
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(frame->Data().Channel(3).RxFrequency(), 0x43012500u);
    QCOMPARE(frame->Data().bandLower, 400);
}

void TestDialogs::modelChangeAloneRefreshesTheChannelView()
{
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 1, 0));
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    RecordingViews views;
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Channels);
    views.Log().clear();
    Dialogs dialogs;
    dialogs.Then([](QDialog& dialog) {
        static_cast<CModelDlg&>(dialog).ModelList()->setCurrentIndex(0);
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ModelInfo)->trigger();
    QCOMPARE(frame->Data().model, 1);
    // The views' edits are taken in first; the channel view takes the new model
    // (texts and reload), then the background's model change reloads the open views.
    QCOMPARE(views.Joined(),
             QStringLiteral("store:channels texts:channels load:channels load:channels"));
}

void TestDialogs::unknownBandShowsTheFirst()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).bandLower = 300;
    SetUpRecord(frame).bandUpper = 330;
    Dialogs dialogs;
    Boxes boxes;
    int shown = -1;
    dialogs.Then([&](QDialog& dialog) {
        shown = static_cast<CModelDlg&>(dialog).BandList()->currentIndex();
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ModelInfo)->trigger();
    QCOMPARE(shown, 0);
    QCOMPARE(boxes.Count(), 0);
    QCOMPARE(frame->Data().bandLower, 300);
    QCOMPARE(frame->Data().bandUpper, 330);
}

void TestDialogs::comPortChoice_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<quint16>("mask");
    QTest::addColumn<int>("checked");
    QTest::newRow("COM3 of COM1, COM3, COM4") << 3 << MaskOf({1, 3, 4}) << 2;
    QTest::newRow("COM2 of COM5 and COM7") << 2 << MaskOf({5, 7}) << 4;
    QTest::newRow("port 0") << 0 << MaskOf({2}) << -1;
    QTest::newRow("port 11") << 11 << MaskOf({2}) << -1;
    QTest::newRow("port 15") << 15 << MaskOf({2}) << -1;
    QTest::newRow("port 16") << 16 << MaskOf({2}) << 1;
    QTest::newRow("port -3") << -3 << MaskOf({9}) << 8;
    QTest::newRow("COM10 available") << 10 << MaskOf({1, 10}) << 9;
    QTest::newRow("nothing opens") << 1 << MaskOf({}) << -1;
}

void TestDialogs::comPortChoice()
{
    QFETCH(int, port);
    QFETCH(quint16, mask);
    QFETCH(int, checked);
    QCOMPARE(CComPortDlg::InitialChoice(mask, port - 1), checked);
    RadioData data;
    CComPortDlg dialog(data, mask, port - 1, {});
    QCOMPARE(dialog.ChosenIndex(), checked);
    for (int i = 0; i < kComButtonCount; ++i) {
        QCOMPARE(dialog.Button(i)->isEnabled(), bool(mask >> (i + 1) & 1));
        QCOMPARE(dialog.Button(i)->isChecked(), i == checked);
    }
}

void TestDialogs::comPortDialogButtons()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    std::array<QString, kComButtonCount> devices;
    devices[0] = QStringLiteral("/dev/ttyUSB0");
    devices[2] = QStringLiteral("/dev/ttyS0");
    CComPortDlg dialog(app->MainFrame()->Data(), MaskOf({1, 3}), 0, devices);
    QCOMPARE(dialog.windowTitle(), En(text::ComPortTitle));
    QCOMPARE(dialog.Button(0)->text(), QStringLiteral("COM1 (/dev/ttyUSB0)"));
    QCOMPARE(dialog.Button(1)->text(), QStringLiteral("COM2"));
    QCOMPARE(dialog.Button(2)->text(), QStringLiteral("COM3 (/dev/ttyS0)"));
    QCOMPARE(dialog.Button(9)->text(), QStringLiteral("COM10"));
    // Two to a row.
    dialog.show();
    QCOMPARE(dialog.Button(0)->y(), dialog.Button(1)->y());
    QVERIFY(dialog.Button(2)->y() > dialog.Button(1)->y());
    QCOMPARE(dialog.Button(2)->x(), dialog.Button(0)->x());
    QCOMPARE(dialog.Button(8)->x(), dialog.Button(0)->x());
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    QStringList labels;
    for (QPushButton* b : buttons) {
        labels << b->text();
    }
    QVERIFY(labels.contains(En(text::Ok)));
    QVERIFY(labels.contains(En(text::Cancel)));
}

void TestDialogs::comPortDialogShowsTheAdapters()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    std::array<QString, kComButtonCount> devices;
    devices[0] = QStringLiteral("/dev/ttyUSB0");
    devices[2] = QStringLiteral("/dev/ttyS0");
    devices[3] = QStringLiteral("/dev/ttyS1");    // did not open, nothing known
    devices[4] = QStringLiteral("/dev/ttyUSB1");  // did not open, a known adapter
    std::array<QString, kComButtonCount> adapters;
    adapters[0] = QStringLiteral("FT232R USB UART, FTDI, 0403:6001");
    adapters[1] = QStringLiteral("stands for no device, so never shown");
    adapters[4] = QStringLiteral("CP2102 USB to UART Bridge Controller, Silicon Labs, 10c4:ea60");
    CComPortDlg dialog(app->MainFrame()->Data(), MaskOf({1, 3}), 0, devices);
    QVERIFY(dialog.AdapterList()->isHidden());  // nothing known yet
    dialog.SetAdapters(adapters);
    const QString noAdapter = Fallback(text::PortNoAdapter);
    QCOMPARE(dialog.AdapterList()->text(),
             QStringLiteral("COM1: /dev/ttyUSB0 \u2013 FT232R USB UART, FTDI, 0403:6001\n"
                            "COM3: /dev/ttyS0 \u2013 ") +
                 noAdapter + QStringLiteral("\nCOM5: /dev/ttyUSB1 \u2013 ") + adapters[4]);
    QVERIFY(!dialog.AdapterList()->isHidden());
    QCOMPARE(dialog.Button(0)->toolTip(), adapters[0]);
    QCOMPARE(dialog.Button(1)->toolTip(), QString());
    QCOMPARE(dialog.Button(2)->toolTip(), noAdapter);
    // The buttons keep their names.
    QCOMPARE(dialog.Button(0)->text(), QStringLiteral("COM1 (/dev/ttyUSB0)"));
}

void TestDialogs::comPortCommandUsesTheProbe()
{
    WorkDir dir;
    NoPorts noPorts;
    // COM6 stands for a pseudo-terminal, which opens as a serial port does.
    int master = -1;
    int slave = -1;
    char name[128] = {};
    QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
    const QString device = QString::fromLocal8Bit(name);
    qputenv("RADIOPROG_COM6", name);
    auto closePty = qScopeGuard([&] {
        ::close(slave);
        ::close(master);
    });
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Dialogs dialogs;
    bool onlyCom6 = false;
    QString com6;
    QString com6Adapter;
    dialogs.Then([&](QDialog& dialog) {
        auto& ports = static_cast<CComPortDlg&>(dialog);
        onlyCom6 = ports.Button(5)->isEnabled() && ports.Button(5)->isChecked();
        for (int i = 0; i < kComButtonCount; ++i) {
            onlyCom6 = onlyCom6 && (i == 5 || !ports.Button(i)->isEnabled());
        }
        com6 = ports.Button(5)->text();
        com6Adapter = ports.AdapterList()->text();
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ComPort)->trigger();
    QVERIFY(onlyCom6);
    QCOMPARE(com6, QStringLiteral("COM6 (%1)").arg(device));
    // A pseudo-terminal has no USB adapter.
    QCOMPARE(com6Adapter,
             QStringLiteral("COM6: %1 \u2013 ").arg(device) + Fallback(text::PortNoAdapter));
    QCOMPARE(frame->Data().port, 6);
    // The port is a setting of the session, not an edit.
    QCOMPARE(frame->Document().History()->count(), 0);
    QVERIFY(!frame->Document().IsModified());
    // Cancel keeps the port.
    SetUpRecord(frame).port = 2;
    frame->Actions()->Action(FrameCommand::ComPort)->trigger();
    QCOMPARE(frame->Data().port, 2);
}

void TestDialogs::comPortOkWithoutChoiceSetsPortZero()
{
    WorkDir dir;
    NoPorts noPorts;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Dialogs dialogs;
    int enabled = -1;
    dialogs.Then([&](QDialog& dialog) {
        auto& ports = static_cast<CComPortDlg&>(dialog);
        enabled = 0;
        for (int i = 0; i < kComButtonCount; ++i) {
            enabled += ports.Button(i)->isEnabled() ? 1 : 0;
        }
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ComPort)->trigger();
    QCOMPARE(enabled, 0);
    QCOMPARE(frame->Data().port, 0);
}

void TestDialogs::languageSwitch()
{
    WorkDir dir;
    dir.WritePicture(QStringLiteral("bg13.JPG"), Qt::red);
    dir.WritePicture(QStringLiteral("bg12.JPG"), Qt::green);
    RecordingViews views;
    auto app = StartPrepared(dir);  // English: column 1
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Scan);
    frame->OpenView(ViewKind::Channels);
    frame->Background()->PreparePicture();
    QCOMPARE(frame->Background()->Picture().CurrentFile(), dir.Path(QStringLiteral("bg13.JPG")));
    views.Log().clear();
    Dialogs dialogs;
    dialogs.Then([](QDialog& dialog) {
        auto& language = static_cast<CLanguageDlg&>(dialog);
        language.List()->setCurrentIndex(0);
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::Language)->trigger();
    QCOMPARE(app->DefaultLanguage(), 0);
    QCOMPARE(Caption(frame), Zh(text::Channels16) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
    QCOMPARE(frame->Actions()->Menu(0)->title(), Zh(text::FileMenu));
    QCOMPARE(frame->Actions()->Action(FrameCommand::FileNew)->text(), Zh(text::MenuNew));
    QCOMPARE(frame->Actions()->ToolTipFor(FrameCommand::FileNew), QStringLiteral("zh#2"));
    QTreeWidget* tree = frame->TreeBar()->Tree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->text(0), Zh(text::RadioData));
    QCOMPARE(tree->topLevelItem(0)->child(3)->text(0), Zh(text::ScanView));
    // The open views take the new texts, in their order; the others stay unopened.
    QCOMPARE(views.Joined(), QStringLiteral("texts:channels load:channels texts:scan load:scan"));
    QCOMPARE(frame->ChildFrame(ViewKind::Scan)->windowTitle(),
             QStringLiteral("view 3: ") + Zh(text::ScanView));
    // The background picture follows the language.
    frame->Background()->PreparePicture();
    QCOMPARE(frame->Background()->Picture().CurrentFile(), dir.Path(QStringLiteral("bg12.JPG")));
    // The tree's dispatch matches the new texts.
    frame->Actions()->Action(FrameCommand::TreeView)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    auto* nav = frame->TreeBar()->Tree();
    QTreeWidgetItem* keys = nav->topLevelItem(0)->child(2);
    QTest::mouseClick(nav->viewport(), Qt::LeftButton, {}, nav->LabelRect(keys).center());
    QVERIFY(frame->ChildFrame(ViewKind::Keys));
    // Saved only at exit.
    QCOMPARE(dir.Read(QStringLiteral("sys.ini")), CompleteSettings(1, 1, 1));
    QVERIFY(app->SaveSettings());
    QCOMPARE(dir.Read(QStringLiteral("sys.ini")), CompleteSettings(1, 0, 1));
}

void TestDialogs::sameLanguageReloadsNothing()
{
    WorkDir dir;
    RecordingViews views;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Channels);
    views.Log().clear();
    SetUpRecord(frame).texts.SetText(text::Channels16, "changed in memory");
    Dialogs dialogs;
    dialogs.Then([](QDialog&) { return int(QDialog::Accepted); });
    frame->Actions()->Action(FrameCommand::Language)->trigger();
    QCOMPARE(app->DefaultLanguage(), 1);
    QCOMPARE(frame->Data().texts.Text(text::Channels16), std::string("changed in memory"));
    QVERIFY(views.Log().empty());
    // Cancel after choosing another language changes nothing either.
    dialogs.Then([](QDialog& dialog) {
        static_cast<CLanguageDlg&>(dialog).List()->setCurrentIndex(0);
        return int(QDialog::Rejected);
    });
    frame->Actions()->Action(FrameCommand::Language)->trigger();
    QCOMPARE(app->DefaultLanguage(), 1);
    QVERIFY(views.Log().empty());
}

void TestDialogs::languageDialogList()
{
    RadioData data;
    data.texts.SetText(text::LanguageTitle, "Language");
    LanguageNames names;
    names.names[0] = "中文";
    names.names[1] = "English";
    names.names[3] = "after a gap";
    CLanguageDlg dialog(data, names, 1);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Language"));
    QCOMPARE(Items(dialog.List()), (QStringList{"中文", "English"}));
    QCOMPARE(dialog.ChosenIndex(), 1);
    LanguageNames none;
    CLanguageDlg empty(data, none, 0);
    QCOMPARE(empty.List()->count(), 0);
    QCOMPARE(empty.ChosenIndex(), -1);
}

void TestDialogs::aboutDialog()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    Dialogs dialogs;
    QString caption;
    QStringList lines;
    bool hiddenLineHidden = false;
    dialogs.Then([&](QDialog& dialog) {
        auto& about = static_cast<CAboutDlg&>(dialog);
        caption = about.windowTitle();
        for (int i = 0; i < CAboutDlg::kLineCount; ++i) {
            lines << about.Line(i)->text();
            if (i != CAboutDlg::kHiddenLine && about.Line(i)->isHidden()) {
                lines << QStringLiteral("hidden!");
            }
        }
        hiddenLineHidden = about.Line(CAboutDlg::kHiddenLine)->isHidden();
        return int(QDialog::Accepted);
    });
    app->MainFrame()->Actions()->Action(FrameCommand::About)->trigger();
    QCOMPARE(caption, En(text::AboutTitle));
    QCOMPARE(lines, (QStringList{En(text::ProgramName), En(text::ProgramVersion),
                                 En(text::Copyright), En(text::ProductName),
                                 En(text::ProductDescription), En(text::SupportedRadios)}));
    QVERIFY(hiddenLineHidden);
}

void TestDialogs::helpPages()
{
    WorkDir dir;
    dir.Write(QStringLiteral("helptopics1/index.htm"),
              "<html><head><title>Index page</title></head><body>index</body></html>");
    dir.Write(QStringLiteral("helptopics1/html/language.htm"),
              "<html><head><title>Language page</title></head><body>lang</body></html>");
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    frame->Actions()->Action(FrameCommand::HelpTopics)->trigger();
    CHelpViewer* help = frame->Help()->HelpViewer();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Browser()->source().toLocalFile(),
             dir.Path(QStringLiteral("helptopics1/index.htm")));
    QCOMPARE(help->windowTitle(), QStringLiteral("Index page"));

    // The language dialog's Help button opens the language page beside the dialog.
    Dialogs dialogs;
    QString shownDuringDialog;
    dialogs.Then([&](QDialog& dialog) {
        QPushButton* helpButton = nullptr;
        for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
            if (b->text() == En(text::HelpMenu)) {
                helpButton = b;
            }
        }
        if (helpButton) {
            helpButton->click();
            shownDuringDialog = frame->Help()->HelpViewer()->Browser()->source().toLocalFile();
        }
        return int(QDialog::Rejected);
    });
    frame->Actions()->Action(FrameCommand::Language)->trigger();
    QCOMPARE(shownDuringDialog, dir.Path(QStringLiteral("helptopics1/html/language.htm")));
    QCOMPARE(frame->Help()->HelpViewer(), help);  // one help window
    QCOMPARE(boxes.Count(), 0);

    // F1 in a view opens the part of the editing page on that view.
    dir.Write(QStringLiteral("helptopics1/html/edit.htm"),
              "<html><head><title>Editing</title></head><body>edit</body></html>");
    frame->Actions()->Action(FrameCommand::ViewFeatures)->trigger();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(help->Browser()->source().toLocalFile(),
             dir.Path(QStringLiteral("helptopics1/html/edit.htm")));
    QCOMPARE(help->Browser()->source().fragment(), QStringLiteral("features"));
    QCOMPARE(boxes.Count(), 0);
}

void TestDialogs::missingHelpPageIsReported()
{
    WorkDir dir;
    // The help menu's caption, with its access key, names the box without it.
    QByteArray texts = TestLanguageFile();
    texts.replace("zh#38,en#38", "zh#38(&H),Help(&H)");
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 1, 1));
    dir.Write(QStringLiteral("lang.csv"), texts);
    auto app = StartProgram(dir);
    QVERIFY(app);
    Boxes boxes;
    app->MainFrame()->Actions()->Action(FrameCommand::HelpTopics)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(boxes.Last().text.contains(QStringLiteral("helptopics1/index.htm")));
    QCOMPARE(boxes.Last().caption, QStringLiteral("Help"));
    QVERIFY(!app->MainFrame()->Help()->HelpViewer());
}

// The Chinese interface: Qt's own texts (the buttons of every box, the file and print
// dialogs) are Chinese too, also after a switch at run time, and the help opens at
// its Chinese page.
void TestDialogs::chineseInterfaceThroughout()
{
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 0, 1));
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    dir.Write(QStringLiteral("helptopics1/index.htm"), "<html><body>index</body></html>");
    dir.Write(QStringLiteral("helptopics1/index_zh.htm"), "<html><body>zh</body></html>");
    auto app = StartProgram(dir);
    QVERIFY(app);
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    QVERIFY2(yes() != QStringLiteral("&Yes"), qPrintable(yes()));
    CMainFrame* frame = app->MainFrame();
    frame->Actions()->Action(FrameCommand::HelpTopics)->trigger();
    QCOMPARE(frame->Help()->HelpViewer()->Browser()->source().toLocalFile(),
             dir.Path(QStringLiteral("helptopics1/index_zh.htm")));

    app->SwitchLanguage(1);
    QCOMPARE(yes(), QStringLiteral("&Yes"));
    frame->Actions()->Action(FrameCommand::HelpTopics)->trigger();
    QCOMPARE(frame->Help()->HelpViewer()->Browser()->source().toLocalFile(),
             dir.Path(QStringLiteral("helptopics1/index.htm")));
    app->SwitchLanguage(0);
    QVERIFY(yes() != QStringLiteral("&Yes"));
}

// The status bar and the history's steps speak the language chosen, also for a step
// made before the switch.
void TestDialogs::textsFollowTheLanguage()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QCOMPARE(frame->ProgressBar()->PaneText(), En(text::ReadyStatus));
    Dialogs dialogs;
    Boxes boxes;
    boxes.Answer(QMessageBox::Ok);
    dialogs.Then([](QDialog& dialog) {
        static_cast<CModelDlg&>(dialog).BandList()->setCurrentIndex(0);
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ModelInfo)->trigger();
    QUndoStack* history = frame->Document().History();
    QCOMPARE(history->undoText(), En(text::BandLabel) + QStringLiteral(" 136-174MHZ"));

    app->SwitchLanguage(0);
    QCOMPARE(frame->ProgressBar()->PaneText(), Zh(text::ReadyStatus));
    QCOMPARE(history->undoText(), Zh(text::BandLabel) + QStringLiteral(" 136-174MHZ"));
    const QString undo = frame->Actions()->Action(FrameCommand::EditUndo)->text();
    QVERIFY2(undo.contains(Zh(text::BandLabel)), qPrintable(undo));
    frame->SetProgress(50);
    frame->SetProgress(0);
    QCOMPARE(frame->ProgressBar()->PaneText(), Zh(text::ReadyStatus));
}

// The steps the link names in English read in Chinese in the window's messages.
void TestDialogs::transferStepsInChinese_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("shown");
    const QString block = BlockText(Block::B0120);
    QTest::newRow("entry") << QStringLiteral("entry code") << QStringLiteral("进入编程码");
    QTest::newRow("identity") << QStringLiteral("identity") << QStringLiteral("身份信息");
    QTest::newRow("end") << QStringLiteral("end byte") << QStringLiteral("结束字节");
    QTest::newRow("block") << block << QStringLiteral("数据块 0x0120");
    QTest::newRow("chunk") << block + QStringLiteral(", quarter 2")
                           << QStringLiteral("数据块 0x0120 第 2 段");
}

void TestDialogs::transferStepsInChinese()
{
    QFETCH(QString, step);
    QFETCH(QString, shown);
    RadioData data;
    LanguageNames names;
    QVERIFY(LoadLanguageFile(FindProgramFile(QStringLiteral("lang.csv")), 0, data.texts, names));
    QCOMPARE(TransferStepText(data, step), shown);
    TransferError error;
    error.kind = TransferError::Kind::LinkFault;
    error.detail = step;
    QVERIFY(TransferErrorDetail(data, error).contains(shown));
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
