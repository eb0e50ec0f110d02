// File > Import Channels... and Export Channels...: the preview lists the channels and
// the refused rows before anything changes, OK imports and Cancel changes nothing,
// edits are collected first, a file that is no plan is reported, and the export
// writes the programmed channels under a completed name.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

#include "data/channel_csv.h"
#include "shell/frame_actions.h"
#include "shell/import_preview_dlg.h"
#include "shell_fixture.h"

using namespace radio;
using namespace radio::test;

namespace {

const QByteArray kPlan =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq\r\n"
    "1,,446.000000,,,Tone,88.5\r\n"
    "2,,480.000000,,,,\r\n"
    "4,,446.500000,-,5.000000,,\r\n";

// The record's channel 3 holds something the import must empty; the features block
// something it must keep.
void Prepare(RadioData& data)
{
    data.Channel(2).SetRxFrequency(0x43000000);
    data.block(Block::B0120).data[17] = 9;
}

}  // namespace

class TestChannelPlanUi : public QObject {
    Q_OBJECT
private slots:
    void menuItems();
    void previewThenOkImports();
    void cancelChangesNothing();
    void importCollectsEditsFirst();
    void notAPlanIsReported();
    void exportWritesTheProgrammedChannels();
};

void TestChannelPlanUi::menuItems()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    FrameActions* actions = app->MainFrame()->Actions();
    QAction* import = actions->Action(FrameCommand::ImportChannels);
    QAction* exportAction = actions->Action(FrameCommand::ExportChannels);
    QVERIFY(import && exportAction);
    QVERIFY(actions->Menu(0)->actions().contains(import));
    QVERIFY(actions->Menu(0)->actions().contains(exportAction));
    // The test language file lacks the extended texts: the English fallbacks show.
    QCOMPARE(import->text(), QString("Import Channels...(&I)"));
    QCOMPARE(exportAction->text(), QString("Export Channels...(&E)"));
    actions->SetTransferRunning(true);
    QVERIFY(!import->isEnabled());
    QVERIFY(!exportAction->isEnabled());
}

void TestChannelPlanUi::previewThenOkImports()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Prepare(SetUpRecord(frame));
    dir.Write("plan.csv", kPlan);
    FileChoices files;
    files.Then(dir.Path("plan.csv"));
    Dialogs dialogs;
    QString summary;
    QStringList rows;
    bool changedBeforeOk = true;
    dialogs.Then([&](QDialog& dialog) {
        auto* preview = qobject_cast<ImportPreviewDlg*>(&dialog);
        if (preview) {
            summary = preview->Summary()->text();
            for (int i = 0; i < preview->RefusedRows()->count(); ++i) {
                rows << preview->RefusedRows()->item(i)->text();
            }
            changedBeforeOk = !frame->Data().Channel(0).IsErased();
        }
        return int(QDialog::Accepted);
    });
    frame->Actions()->Action(FrameCommand::ImportChannels)->trigger();

    QCOMPARE(files.Kinds(), std::vector<FileDialogKind>{FileDialogKind::Open});
    QCOMPARE(files.Filter(), CsvFileFilter());
    QCOMPARE(dialogs.Seen(), std::vector<QString>{"importPreviewDialog"});
    QCOMPARE(summary, QString("2 channels will be imported from plan.csv. Channels that the "
                              "file does not name become empty."));
    QCOMPARE(rows, QStringList{"Row 3: 480.000000 MHz lies outside the band 400-470 MHz"});
    QVERIFY(!changedBeforeOk);

    const RadioData& data = frame->Data();
    QCOMPARE(data.Channel(0).RxFrequency(), 0x44600000u);
    QCOMPARE(data.Channel(0).TxTone(), std::uint16_t(885));
    QCOMPARE(data.Channel(3).TxFrequency(), 0x44150000u);
    QVERIFY(data.Channel(2).IsErased());
    QCOMPARE(data.block(Block::B0120).data[17], std::uint8_t(9));
    // The channel view shows the imported channels.
    QVERIFY(frame->ChildFrame(ViewKind::Channels));
}

void TestChannelPlanUi::cancelChangesNothing()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Prepare(SetUpRecord(frame));
    const auto before = frame->Data().ToImage();
    dir.Write("plan.csv", kPlan);
    FileChoices files;
    files.Then(dir.Path("plan.csv"));
    Dialogs dialogs;
    dialogs.Then([](QDialog&) { return int(QDialog::Rejected); });
    frame->Actions()->Action(FrameCommand::ImportChannels)->trigger();
    QCOMPARE(dialogs.Seen().size(), std::size_t(1));
    QVERIFY(frame->Data().ToImage() == before);

    // Cancel in the file dialog asks nothing further.
    frame->Actions()->Action(FrameCommand::ImportChannels)->trigger();
    QCOMPARE(dialogs.Seen().size(), std::size_t(1));
    QVERIFY(frame->Data().ToImage() == before);
}

void TestChannelPlanUi::importCollectsEditsFirst()
{
    WorkDir dir;
    RecordingViews views;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Features);
    Recording(frame, ViewKind::Features)->m_control = 77;  // not stored yet
    views.Log().clear();
    dir.Write("plan.csv", kPlan);
    FileChoices files;
    files.Then(dir.Path("plan.csv"));
    Dialogs dialogs;
    dialogs.Then([](QDialog&) { return int(QDialog::Accepted); });
    frame->Actions()->Action(FrameCommand::ImportChannels)->trigger();
    // Stored before the import, reloaded after it: the edit survives.
    QCOMPARE(frame->Data().block(Block::B0120).data[41], std::uint8_t(77));
    QCOMPARE(Recording(frame, ViewKind::Features)->m_control, std::uint8_t(77));
    QVERIFY(views.Joined().startsWith("store:"));
    QVERIFY(views.Joined().contains("load:features"));
    QCOMPARE(frame->Data().Channel(0).RxFrequency(), 0x44600000u);
}

void TestChannelPlanUi::notAPlanIsReported()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Prepare(SetUpRecord(frame));
    const auto before = frame->Data().ToImage();
    dir.Write("radio.tw", QByteArray(reinterpret_cast<const char*>(before.data()), 1704));
    FileChoices files;
    files.Then(dir.Path("radio.tw"));
    files.Then(dir.Path("missing.csv"));
    Boxes boxes;
    Dialogs dialogs;
    frame->Actions()->Action(FrameCommand::ImportChannels)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(boxes.Last().text.endsWith(
        "radio.tw is not a CSV channel plan: it is not a UTF-8 text file."));
    QCOMPARE(boxes.Last().icon, QMessageBox::Warning);

    frame->Actions()->Action(FrameCommand::ImportChannels)->trigger();
    QCOMPARE(boxes.Count(), 2);
    QVERIFY(boxes.Last().text.contains("missing.csv could not be opened"));
    QVERIFY(dialogs.Seen().empty());
    QVERIFY(frame->Data().ToImage() == before);
}

void TestChannelPlanUi::exportWritesTheProgrammedChannels()
{
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Prepare(SetUpRecord(frame));
    FileChoices files;
    Boxes boxes;
    files.Then(dir.Path("plan"));
    frame->Actions()->Action(FrameCommand::ExportChannels)->trigger();
    QCOMPARE(files.Kinds(), std::vector<FileDialogKind>{FileDialogKind::Save});
    QCOMPARE(files.Filter(), CsvFileFilter());
    const QByteArray written = dir.Read("plan.csv");
    QCOMPARE(written, QByteArray::fromStdString(ExportChannelsCsv(frame->Data())));
    QCOMPARE(written.count("\r\n"), 2);  // the header and channel 3
    QCOMPARE(boxes.Count(), 0);

    // The completed name exists now: replacing it is asked, and No keeps it.
    SetUpRecord(frame).Channel(5).SetRxFrequency(0x44000000);
    boxes.Answer(QMessageBox::No);
    files.Then(dir.Path("plan"));
    frame->Actions()->Action(FrameCommand::ExportChannels)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(dir.Read("plan.csv"), written);
}

QTEST_MAIN(TestChannelPlanUi)
#include "test_channel_plan_ui.moc"
