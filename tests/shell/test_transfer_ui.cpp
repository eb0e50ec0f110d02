#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>
#include <QtTest>

#include "data/feature_bytes.h"
#include "link/block_plan.h"
#include "link/serial_port.h"
#include "link/write_check.h"
#include "shell/changes_dlg.h"
#include "shell/child_frame.h"
#include "shell/frame_actions.h"
#include "shell/nav_tree_ctrl.h"
#include "shell/prog_status_bar.h"
#include "shell/recent_files.h"
#include "shell/transfer_texts.h"
#include "shell/tree_bar.h"
#include "shell_fixture.h"
#include "simulated_ports.h"
#include "tests/link/sim_helpers.h"

using namespace radio;
using namespace radio::test;

namespace {

void ExpectBlocksFromRadio(const RadioData& data, const sim::RadioMemory& memory, int channelBlocks)
{
    std::vector<Block> read = {Block::B0000, Block::B0120, Block::B0110, Block::B0160,
                               Block::B03C0};
    for (int k = 0; k < channelBlocks; ++k) {
        read.push_back(ChannelBlock(k));
    }
    for (Block b : read) {
        const auto expected = MemoryAt(memory, DefaultAddress(b));
        QVERIFY2(data.block(b).data == expected,
                 qPrintable(
                     QStringLiteral("block 0x%1").arg(DefaultAddress(b), 4, 16, QLatin1Char('0'))));
    }
}

}  // namespace

class TestTransferUi : public QObject {
    Q_OBJECT
private slots:
    void wholeRead();
    void whileATransferRuns();
    void wholeWrite();
    void pausedWriteSendsItsSnapshot();
    void radioThatDoesNotTellItsBand();
    void readOfAnUndecodableIdentitySaysSo();
    void writeIntoAnotherBandAsksFirst();
    void failedReadCancelled();
    void failedReadRetried();
    void missingPortIsNamed_data();
    void missingPortIsNamed();
    void busyPortIsExplained();
};

void TestTransferUi::wholeRead()
{
    auto config = FastRadio(136, 0);
    config.hasMemory = true;
    config.memory = PatternMemory(17);
    SimulatedCom1 radio(config);
    WorkDir dir;
    RecordingViews views;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Channels);
    const DataBlock identityBefore = frame->Data().block(Block::B01B8);
    views.Log().clear();
    Boxes boxes;
    QString logAtBox;
    bool runningAtBox = false;
    boxes.OnBox([&](const BoxRequest&) {
        logAtBox = views.Joined();
        runningAtBox = frame->TransferRunning();
    });

    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(frame->TransferRunning());
    QVERIFY(WaitIdle(frame));

    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::ReadingFromRadio) + En(text::Done));
    QCOMPARE(boxes.Last().caption, En(text::Done));
    QCOMPARE(boxes.Last().icon, QMessageBox::Information);
    // Edits were collected before, and the views reloaded before the box.
    QCOMPARE(logAtBox, QStringLiteral("store:channels load:channels"));
    QVERIFY(runningAtBox);

    const RadioData& data = frame->Data();
    QCOMPARE(data.bandLower, 136);
    QCOMPARE(data.bandUpper, 174);
    QCOMPARE(data.model, 0);
    QCOMPARE(data.radioBandLower, 136);
    QCOMPARE(data.radioModel, 0);
    ExpectBlocksFromRadio(data, config.memory, 8);
    QVERIFY(data.block(Block::B01B8) == identityBefore);  // never read
    QCOMPARE(Caption(frame), En(text::Channels32) + QStringLiteral(" Q71/Q72(136-174MHZ)"));
    QTRY_VERIFY(!frame->ProgressBar()->ProgressVisible());
    QVERIFY(frame->Actions()->Action(FrameCommand::FileNew)->isEnabled());
    QVERIFY(frame->View(ViewKind::Channels)->isEnabled());
}

void TestTransferUi::whileATransferRuns()
{
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Scan);
    Boxes boxes;
    Dialogs dialogs;
    // Everything is checked while the read-finished box is up: the transfer thread
    // is still waiting for it.
    QStringList disabled;
    QStringList enabled;
    bool viewEnabled = true;
    bool closed = true;
    int boxesInside = 0;
    bool inside = false;
    // The other ways to open a data file are closed too: recent files and drops.
    frame->Recent()->Add(dir.Path("recent.tw"));
    bool recentEnabled = true;
    bool dropTaken = true;
    boxes.OnBox([&](const BoxRequest& box) {
        if (inside || box.caption != En(text::Done)) {
            return;
        }
        inside = true;
        FrameActions* actions = frame->Actions();
        for (FrameCommand c :
             {FrameCommand::FileNew, FrameCommand::FileOpen, FrameCommand::FileSave,
              FrameCommand::FileSaveAs, FrameCommand::FilePrint, FrameCommand::ModelInfo,
              FrameCommand::ReadRadio, FrameCommand::WriteRadio, FrameCommand::ComPort,
              FrameCommand::Language, FrameCommand::ViewChannels, FrameCommand::ViewFeatures,
              FrameCommand::ViewKeys, FrameCommand::ViewScan}) {
            if (!actions->Action(c)->isEnabled()) {
                disabled << QString::number(int(c));
            }
        }
        for (FrameCommand c : {FrameCommand::TreeView, FrameCommand::HelpTopics,
                               FrameCommand::About, FrameCommand::AppExit}) {
            if (actions->Action(c)->isEnabled()) {
                enabled << QString::number(int(c));
            }
        }
        viewEnabled = frame->View(ViewKind::Scan)->isEnabled();
        // A view opened now is disabled too.
        viewEnabled = viewEnabled || frame->OpenView(ViewKind::Keys)->View()->isEnabled();
        recentEnabled = frame->Recent()->Menu()->isEnabled();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dir.Path("recent.tw"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &enter);
        dropTaken = enter.isAccepted();
        const int before = boxes.Count();
        closed = frame->close();                     // refused, with a word
        frame->RunCommand(FrameCommand::ReadRadio);  // refused, with a word
        frame->RunCommand(FrameCommand::ComPort);    // no dialog
        frame->RunCommand(FrameCommand::FileNew);    // nothing
        boxesInside = boxes.Count() - before;
        inside = false;
    });
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QCOMPARE(disabled.size(), 14);
    QCOMPARE(enabled.size(), 4);
    QVERIFY(!viewEnabled);
    QVERIFY(!recentEnabled);
    QVERIFY(!dropTaken);
    QVERIFY(!closed);
    QVERIFY(frame->isVisible());
    QCOMPARE(boxesInside, 2);
    QVERIFY(dialogs.Seen().empty());
    const auto& seen = boxes.Seen();
    QCOMPARE(std::count_if(
                 seen.begin(), seen.end(),
                 [](const BoxRequest& b) { return b.text == Fallback(text::TransferRunning); }),
             2L);
    // Afterwards everything is back.
    QVERIFY(frame->Actions()->Action(FrameCommand::ComPort)->isEnabled());
    QVERIFY(frame->View(ViewKind::Scan)->isEnabled());
    QVERIFY(frame->View(ViewKind::Keys)->isEnabled());
    QVERIFY(frame->Recent()->Menu()->isEnabled());
}

void TestTransferUi::wholeWrite()
{
    auto config = FastRadio(400, 1);
    SimulatedCom1 radio(config);
    WorkDir dir;
    RecordingViews views;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    RadioData& data = SetUpRecord(frame);
    data.Channel(0).SetRxFrequency(0x43012500);
    data.Channel(0).SetTxFrequency(0x43012500);
    data.Channel(0).SetOption(ChannelOption::ScanAdd, true);
    data.block(Block::B0120).data[5] = 0x42;
    frame->OpenView(ViewKind::Features);
    Recording(frame, ViewKind::Features)->m_control = 0x24;  // an edit not yet stored
    views.Log().clear();
    Boxes boxes;

    QVERIFY(QTest::qWaitForWindowActive(frame));
    // Ctrl+W with a child window active: the write, not the child's Close.
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(frame->TransferRunning());
    QVERIFY(WaitIdle(frame));

    // The radio reports the data's band and model: nothing to ask.
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::WritingToRadio) + En(text::Done));
    QCOMPARE(boxes.Last().caption, En(text::Done));
    QCOMPARE(boxes.Last().icon, QMessageBox::Information);

    const sim::RadioMemory memory = radio->Memory();
    for (int k = 0; k < 4; ++k) {
        QVERIFY(MemoryAt(memory, DefaultAddress(ChannelBlock(k))) ==
                data.block(ChannelBlock(k)).data);
    }
    QCOMPARE(MemoryAt(memory, 0x0120)[5], std::uint8_t(0x42));
    QCOMPARE(MemoryAt(memory, 0x0120)[41], std::uint8_t(0x24));  // the collected edit
    // The masks were rebuilt before the write: channel 1 present and in the scan list.
    QCOMPARE(data.block(Block::B0160).data[bytes::kPresentMaskLow] & 1, 1);
    QCOMPARE(data.block(Block::B0160).data[bytes::kScanMaskLow] & 1, 1);
    QCOMPARE(MemoryAt(memory, 0x0160)[bytes::kPresentMaskLow] & 1, 1);
    // The radio's report is kept, and the identity bytes follow it.
    QCOMPARE(data.radioBandLower, 400);
    QCOMPARE(data.radioModel, 1);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(MemoryAt(memory, 0x01B8)[std::size_t(i)],
                 data.block(Block::B01B8).data[std::size_t(i)]);
    }
    // Edits collected once, before; a write reloads nothing.
    QCOMPARE(views.Joined(), QStringLiteral("store:features"));
}

// The write waits at the check before the write (a radio of another band: the user
// is asked) while the user tries everything that could change the data. The radio
// gets what the write took at its start, and the data stays as it was.
void TestTransferUi::pausedWriteSendsItsSnapshot()
{
    SimulatedCom1 radio(FastRadio(136, 1));
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Channels);
    RadioDocument& document = frame->Document();
    // A step to undo, and a scan channel in a mode without one, which the scan
    // view's load would rewrite.
    document.Change([](RadioData& data) {
        data.Channel(0).SetRxFrequency(0x43012500);
        data.Channel(0).SetTxFrequency(0x43012500);
        data.Channel(0).SetOption(ChannelOption::ScanAdd, true);
        data.block(Block::B0160).data[bytes::scan::kPriorityMode] = 0;
        data.block(Block::B0160).data[bytes::scan::kPriorityChannel] = 5;
        return QStringLiteral("set up");
    });
    const int steps = document.History()->count();
    RadioData snapshot = std::as_const(document).Record();
    snapshot.UpdateChannelMasks();

    Boxes boxes;
    Dialogs dialogs;
    bool paused = false;
    QStringList usable;
    boxes.OnBox([&](const BoxRequest& box) {
        if (paused || box.caption != En(text::WarningCaption)) {
            return;
        }
        paused = true;
        frame->RunCommand(FrameCommand::TreeView);
        CNavTreeCtrl* tree = frame->TreeBar()->Tree();
        for (int i = 0; i < tree->topLevelItem(0)->childCount(); ++i) {
            tree->setCurrentItem(tree->topLevelItem(0)->child(i));
            QTest::keyClick(tree, Qt::Key_Return);
        }
        for (FrameCommand c :
             {FrameCommand::ViewChannels, FrameCommand::ViewFeatures, FrameCommand::ViewKeys,
              FrameCommand::ViewScan, FrameCommand::EditUndo, FrameCommand::EditRedo,
              FrameCommand::EditCut, FrameCommand::EditPaste, FrameCommand::EditDelete,
              FrameCommand::ImportChannels, FrameCommand::ModelInfo, FrameCommand::FileNew,
              FrameCommand::FileOpen, FrameCommand::ComPort}) {
            QAction* action = frame->Actions()->Action(c);
            if (action->isEnabled()) {
                usable << QString::number(int(c));
            }
            action->trigger();
        }
        for (ViewKind kind : frame->ExistingViews()) {
            for (QWidget* control : frame->View(kind)->findChildren<QWidget*>()) {
                if (control->focusPolicy() != Qt::NoFocus) {
                    QTest::keyClicks(control, QStringLiteral("7"));
                    QTest::keyClick(control, Qt::Key_Return);
                }
            }
        }
        QCoreApplication::processEvents();
        boxes.Answer(QMessageBox::Ok);  // then the data is written as it is
    });
    frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QVERIFY(paused);
    QVERIFY2(usable.isEmpty(), qPrintable(usable.join(QLatin1Char(' '))));
    QVERIFY(dialogs.Seen().empty());
    QCOMPARE(boxes.Last().text, En(text::WritingToRadio) + En(text::Done));

    const sim::RadioMemory memory = radio->Memory();
    for (const QuarterPlan& plan : WriteOrder(snapshot.ChannelBlocksInUse())) {
        const auto held = MemoryAt(memory, DefaultAddress(plan.block));
        const auto& sent = snapshot.block(plan.block).data;
        QVERIFY2(std::equal(sent.begin(), sent.begin() + plan.quarters * 16, held.begin()),
                 qPrintable(BlockText(plan.block)));
    }
    // The data: as before, with the radio's report beside it.
    RadioData held = snapshot;
    held.radioBandLower = 136;
    held.radioBandUpper = 174;
    held.radioModel = 1;
    QVERIFY(std::as_const(document).Record().ToImage() == held.ToImage());
    QCOMPARE(document.History()->count(), steps);
    QVERIFY(!document.History()->canRedo());
}

void TestTransferUi::radioThatDoesNotTellItsBand()
{
    auto config = FastRadio(400, 1);
    config.identity = Identity{};  // no signature: nothing can be decoded
    SimulatedCom1 radio(config);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).bandLower = 136;
    SetUpRecord(frame).bandUpper = 174;
    Boxes boxes;
    frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    // A warning, then the write goes on with the data's band taken as the radio's.
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(boxes.Seen()[0].text, En(text::RadioBandUnknown));
    QCOMPARE(boxes.Seen()[0].caption, En(text::WarningCaption));
    QCOMPARE(boxes.Seen()[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes.Seen()[1].text, En(text::WritingToRadio) + En(text::Done));
    const RadioData& data = frame->Data();
    QCOMPARE(data.radioBandLower, 136);
    QCOMPARE(data.radioBandUpper, 174);
    QCOMPARE(data.radioModel, 1);
    QCOMPARE(data.bandLower, 136);
    QVERIFY(Count(radio->Events(), sim::SimEvent::Kind::ChunkWrite) > 0);
    // The identity bytes written are those of the data's band.
    RadioData encoded;
    encoded.radioBandLower = 136;
    encoded.radioBandUpper = 174;
    encoded.radioModel = 1;
    ApplyRadioIdentity(encoded);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(data.block(Block::B01B8).data[std::size_t(i)],
                 encoded.block(Block::B01B8).data[std::size_t(i)]);
    }
}

void TestTransferUi::readOfAnUndecodableIdentitySaysSo()
{
    auto config = FastRadio(400, 0);
    config.identity = Identity{'K', '4', '6', '8', 0x36, 0x73, 0x00, 0xFF};  // model code 0x00
    SimulatedCom1 radio(config);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(WaitIdle(frame));
    // The read goes on with the data's 16 channels, and says so where it ends.
    QCOMPARE(boxes.Count(), 1);
    const QString text = boxes.Last().text;
    QVERIFY2(text.startsWith(En(text::ReadingFromRadio) + En(text::Done) + QLatin1Char('\n')),
             qPrintable(text));
    const QString note = text.section(QLatin1Char('\n'), 1);
    for (const QString& part :
         {QStringLiteral("4B343638367300FF"), BandAndModelText(frame->Data(), 400, 470, 1)}) {
        QVERIFY2(note.contains(part), qPrintable(note));
    }
    QCOMPARE(boxes.Last().icon, QMessageBox::Warning);
    QVERIFY2(frame->ProgressBar()->Note().contains(note), qPrintable(frame->ProgressBar()->Note()));
    QCOMPARE(frame->Data().model, 1);
}

void TestTransferUi::writeIntoAnotherBandAsksFirst()
{
    SimulatedCom1 radio(FastRadio(136, 1));
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 1);
    const BoxRequest mismatch = boxes.Last();
    QVERIFY(mismatch.text.contains(BandAndModelText(frame->Data(), 136, 174, 1)));
    QVERIFY(mismatch.text.contains(BandAndModelText(frame->Data(), 400, 470, 1)));
    QCOMPARE(mismatch.defaultButton, QMessageBox::Cancel);
    QCOMPARE(mismatch.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(Count(radio->Events(), sim::SimEvent::Kind::ChunkWrite), 0);
    QCOMPARE(frame->Data().bandLower, 400);
    QCOMPARE(Caption(frame), En(text::Channels16) + QStringLiteral(" Q71/Q72(400-470MHZ)"));

    // Confirmed, the data's band is written as it is.
    boxes.Clear();
    boxes.Answer(QMessageBox::Ok);
    frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(boxes.Last().text, En(text::WritingToRadio) + En(text::Done));
    QVERIFY(Count(radio->Events(), sim::SimEvent::Kind::ChunkWrite) > 0);
    QCOMPARE(frame->Data().bandLower, 400);

    // With the write preview the band is among the changes, then the same question.
    frame->Actions()->Action(FrameCommand::ShowChangesBeforeWriting)->trigger();
    boxes.Clear();
    boxes.Answer(QMessageBox::Cancel);
    Dialogs dialogs;
    QStringList shown;
    dialogs.Then([&shown](QDialog& dialog) {
        shown = static_cast<ChangesDlg&>(dialog).Lines();
        return int(QDialog::Accepted);
    });
    radio->ClearEvents();
    frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    const QString mhz = QLatin1Char(' ') + En(text::Megahertz);
    QVERIFY2(shown.contains(En(text::Band) + ": 136-174" + mhz + " -> 400-470" + mhz),
             qPrintable(shown.join('\n')));
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, mismatch.text);
    QCOMPARE(Count(radio->Events(), sim::SimEvent::Kind::ChunkWrite), 0);
}

void TestTransferUi::failedReadCancelled()
{
    auto config = FastRadio(136, 0);
    config.faults.wrongAddress = 0x0120;
    SimulatedCom1 radio(config);
    WorkDir dir;
    RecordingViews views;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Channels);
    SetUpRecord(frame).block(Block::B0000).data.fill(0x3C);
    const auto before = frame->Data().ToImage();
    views.Log().clear();
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 1);
    const BoxRequest failed = boxes.Last();
    QVERIFY(failed.text.startsWith(En(text::CommunicationFailed) + QLatin1Char('\n')));
    QVERIFY(failed.text.contains(QStringLiteral("0x0120")));
    QCOMPARE(failed.caption, En(text::CommunicationFailedCaption));
    QCOMPARE(failed.icon, QMessageBox::Critical);
    QCOMPARE(failed.buttons, QMessageBox::Retry | QMessageBox::Cancel);
    // Nothing of the failed read reaches the record or the views.
    QVERIFY(frame->Data().ToImage() == before);
    QCOMPARE(views.Joined(), QStringLiteral("store:channels"));
    QCOMPARE(Caption(frame), En(text::Channels16) + QStringLiteral(" Q71/Q72(400-470MHZ)"));
    QTRY_VERIFY(!frame->ProgressBar()->ProgressVisible());
}

void TestTransferUi::failedReadRetried()
{
    auto config = FastRadio(450, 1);
    config.hasMemory = true;
    config.memory = PatternMemory(5);
    config.faults.shortBlock = 0x0110;
    SimulatedCom1 radio(config);
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    // The user fixes the cable, then presses Retry.
    boxes.OnBox([&](const BoxRequest& box) {
        if (box.caption == En(text::CommunicationFailedCaption)) {
            radio->SetFaults(sim::SimFaults{});
        }
    });
    boxes.Answer(QMessageBox::Retry);
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(boxes.Seen()[0].caption, En(text::CommunicationFailedCaption));
    QCOMPARE(boxes.Seen()[1].text, En(text::ReadingFromRadio) + En(text::Done));
    QCOMPARE(Count(radio->Events(), sim::SimEvent::Kind::Entry), 2);
    ExpectBlocksFromRadio(frame->Data(), config.memory, 4);
    QCOMPARE(frame->Data().bandLower, 450);
    QCOMPARE(Caption(frame), En(text::Channels16) + QStringLiteral(" Q71/Q72(450-520MHZ)"));
}

void TestTransferUi::missingPortIsNamed_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("named");
    QTest::newRow("COM2 stands for no device") << 2 << "COM2";
    QTest::newRow("port 11") << 11 << "11";
    QTest::newRow("port 0") << 0 << "0";
}

void TestTransferUi::missingPortIsNamed()
{
    QFETCH(int, port);
    QFETCH(QString, named);
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    SetUpRecord(frame).port = port;
    const auto before = frame->Data().ToImage();
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(boxes.Last().text.startsWith(En(text::CommunicationFailed) + QLatin1Char('\n')));
    QVERIFY2(boxes.Last().text.contains(named), qPrintable(boxes.Last().text));
    QVERIFY(frame->Data().ToImage() == before);
    QCOMPARE(Count(radio->Events(), sim::SimEvent::Kind::Entry), 0);
}

void TestTransferUi::busyPortIsExplained()
{
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    CSerialPort holder;  // the program itself (this test) holds the cable's port
    QVERIFY(holder.Open(radio->PortPath()));
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 1);
    const QString text = boxes.Last().text;
    const QString pid = QString::number(QCoreApplication::applicationPid());
    // The reason, then the same check as radioprog-cli ports --check: the holder is
    // named, and never to be ended, being this program.
    QVERIFY2(text.contains(QStringLiteral("is in use by another program")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\nCheck of %1: you may open it; held by "
                                          "test_transfer_u (process %2): this program or one "
                                          "that started it; close the port there; does not "
                                          "open at 9600 8N2")
                               .arg(radio->PortPath(), pid)),
             qPrintable(text));
    QCOMPARE(Count(radio->Events(), sim::SimEvent::Kind::Entry), 0);
}

QTEST_MAIN(TestTransferUi)
#include "test_transfer_ui.moc"
