// Programming > Write to several radios against simulated radios: the ports offered,
// a batch with Enter, a result per port, the next batch after the radios are swapped,
// the band check asked once per batch, and the record left as it was.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include "config/backup_store.h"
#include "config/text_of.h"
#include "config/user_preferences.h"
#include "shell/frame_actions.h"
#include "shell/multi_write_dlg.h"
#include "shell/transfer_texts.h"
#include "shell_fixture.h"
#include "simulated_ports.h"

using namespace radio;
using namespace radio::test;

namespace {

// Runs the dialog the command opens: shows it, lets `use` work it, then closes it.
void RunDialog(Dialogs& dialogs, const std::function<void(CMultiWriteDlg&)>& use)
{
    dialogs.Then([use](QDialog& dialog) {
        auto* several = qobject_cast<CMultiWriteDlg*>(&dialog);
        if (!several) {
            return int(QDialog::Rejected);
        }
        several->show();
        if (QTest::qWaitForWindowExposed(several)) {
            use(*several);
        }
        return int(QDialog::Rejected);
    });
}

bool WaitBatch(CMultiWriteDlg& dialog)
{
    QSignalSpy ended(&dialog, &CMultiWriteDlg::batchFinished);
    return dialog.Running() ? ended.wait(20000) : true;
}

void Tick(CMultiWriteDlg& dialog, std::initializer_list<int> ports)
{
    for (int port : ports) {
        dialog.PortBox(port)->setChecked(true);
    }
}

sim::SimConfig Radio(int bandLower)
{
    sim::SimConfig config = FastRadio(bandLower, 1);
    config.hasMemory = true;
    config.memory = sim::FactoryMemory(bandLower, 1);
    return config;
}

// A radio that never answers.
sim::SimConfig SilentRadio()
{
    sim::SimConfig config = Radio(400);
    config.faults.entrySilent = true;
    return config;
}

}  // namespace

class TestMultiWrite : public QObject {
    Q_OBJECT
private slots:
    void batchesAgainstSimulatedRadios();
    void bandCheckAsksOncePerBatch();
    void failedRowsReadWholeAndLookFailed();
    void codesCountOnAndTheLogKeepsEveryRadio();
};

void TestMultiWrite::batchesAgainstSimulatedRadios()
{
    SimulatedPorts radios({Radio(400), SilentRadio(), Radio(400)});
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->Document().Change([](RadioData& data) {
        data.Channel(0).SetRxFrequency(0x43012500);
        data.Channel(0).SetTxFrequency(0x43012500);
        return QStringLiteral("a channel");
    });
    const RadioData& data = frame->Data();
    const auto before = data.ToImage();
    Boxes boxes;
    Dialogs dialogs;
    bool checked = false;
    RunDialog(dialogs, [&](CMultiWriteDlg& dialog) {
        // COM1..COM3 open; the others stand for no device and cannot be chosen.
        for (int n = 1; n <= 10; ++n) {
            QCOMPARE(dialog.PortBox(n)->isEnabled(), n <= 3);
        }
        QCOMPARE(dialog.PortBox(2)->text(), "COM2 (" + radios.Radio(2)->PortPath() + ")");
        QVERIFY(dialog.StartButton()->isDefault());
        QVERIFY(!dialog.VerifyBox()->isChecked());
        Tick(dialog, {1, 2, 3});
        dialog.VerifyBox()->setChecked(true);

        // Enter presses Start.
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(dialog.Running());
        QCOMPARE(dialog.PortResult(1)->text(), Fallback(text::ResultWriting));
        QVERIFY(!dialog.StartButton()->isEnabled());
        QVERIFY(!dialog.PortBox(1)->isEnabled());
        dialog.reject();  // refused while the radios are written
        QVERIFY(dialog.isVisible());
        QVERIFY(WaitBatch(dialog));
        QCOMPARE(dialog.PortResult(1)->text(), Fallback(text::ResultVerified));
        QCOMPARE(dialog.PortResult(3)->text(), Fallback(text::ResultVerified));
        QCOMPARE(dialog.PortResult(2)->text(),
                 Fallback(text::ResultFailed).arg(Fallback(text::RadioNoAnswer)));
        QCOMPARE(dialog.PortProgress(1)->value(), 100);
        QCOMPARE(dialog.PortResult(4)->text(), QString());
        for (int n : {1, 3}) {
            QVERIFY(MemoryAt(radios.Radio(n)->Memory(), 0x0010) ==
                    data.block(ChannelBlock(0)).data);
        }
        QCOMPARE(int(ListBackups(dir.Path("backups")).size()), 2);

        // The next batch: the radios are swapped (fresh ones, the silent one mended).
        radios.Radio(1)->SetMemory(sim::FactoryMemory(400, 1));
        radios.Radio(3)->SetMemory(sim::FactoryMemory(400, 1));
        radios.Radio(2)->SetFaults(sim::SimFaults{});
        QVERIFY(dialog.StartButton()->isEnabled());
        QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
        QVERIFY(WaitBatch(dialog));
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(dialog.PortResult(n)->text(), Fallback(text::ResultVerified));
            QVERIFY(MemoryAt(radios.Radio(n)->Memory(), 0x0010) ==
                    data.block(ChannelBlock(0)).data);
        }
        checked = true;
    });
    frame->Actions()->Action(FrameCommand::WriteSeveral)->trigger();
    QVERIFY(checked);
    QCOMPARE(dialogs.Seen(), std::vector<QString>{"multiWriteDialog"});
    QVERIFY(boxes.Seen().empty());
    // The record was only read; the verify choice made in the dialog is the menu's.
    QVERIFY(frame->Data().ToImage() == before);
    QVERIFY(frame->Actions()->Action(FrameCommand::VerifyAfterWrite)->isChecked());
}

void TestMultiWrite::bandCheckAsksOncePerBatch()
{
    SimulatedPorts radios({Radio(400), Radio(136), Radio(450)});
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    Dialogs dialogs;
    bool checked = false;
    RunDialog(dialogs, [&](CMultiWriteDlg& dialog) {
        Tick(dialog, {1, 2, 3});
        QVERIFY(dialog.StartBatch());
        QVERIFY(WaitBatch(dialog));
        // One question for both radios of another band, Cancel by default.
        QCOMPARE(boxes.Count(), 1);
        const BoxRequest& asked = boxes.Last();
        QCOMPARE(asked.defaultButton, QMessageBox::Cancel);
        const RadioData& data = frame->Data();
        QVERIFY2(asked.text.contains("COM2 (" + BandAndModelText(data, 136, 174, 1) + ")"),
                 qPrintable(asked.text));
        QVERIFY(asked.text.contains("COM3 (" + BandAndModelText(data, 450, 520, 1) + ")"));
        QVERIFY(asked.text.contains(BandAndModelText(data, 400, 470, 1)));
        QVERIFY(!asked.text.contains("COM1"));
        QCOMPARE(dialog.PortResult(1)->text(), Fallback(text::ResultWritten));
        QCOMPARE(dialog.PortResult(2)->text(), Fallback(text::ResultNotWritten));
        QCOMPARE(dialog.PortResult(3)->text(), Fallback(text::ResultNotWritten));
        QCOMPARE(Count(radios.Radio(2)->Events(), sim::SimEvent::Kind::ChunkWrite), 0);
        QCOMPARE(Count(radios.Radio(3)->Events(), sim::SimEvent::Kind::ChunkWrite), 0);

        // Confirmed, the data goes into all three.
        boxes.Answer(QMessageBox::Ok);
        QVERIFY(dialog.StartBatch());
        QVERIFY(WaitBatch(dialog));
        QCOMPARE(boxes.Count(), 2);
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(dialog.PortResult(n)->text(), Fallback(text::ResultWritten));
        }
        QCOMPARE(Count(radios.Radio(2)->Events(), sim::SimEvent::Kind::ChunkWrite), 26);

        // Stop while the question is up: a Yes no longer writes into the two (nor into
        // COM1 when its thread is the one asking), and Write the rest offers them again.
        boxes.OnBox(
            [&](const BoxRequest&) { QTest::mouseClick(dialog.StopButton(), Qt::LeftButton); });
        boxes.Answer(QMessageBox::Ok);
        QVERIFY(dialog.StartBatch());
        QVERIFY(WaitBatch(dialog));
        QCOMPARE(dialog.PortResult(2)->text(), Fallback(text::ResultStopped));
        QCOMPARE(dialog.PortResult(3)->text(), Fallback(text::ResultStopped));
        QCOMPARE(Count(radios.Radio(2)->Events(), sim::SimEvent::Kind::ChunkWrite), 26);
        QVERIFY(dialog.RestButton()->isEnabled());
        checked = true;
    });
    frame->Actions()->Action(FrameCommand::WriteSeveral)->trigger();
    QVERIFY(checked);
    // The window's own data keeps its band.
    QCOMPARE(frame->Data().bandLower, 400);
    QCOMPARE(frame->Data().radioBandLower, kNotReported);
}

// A radio that keeps a wrong byte fails its verify after a full write: its row must not
// look like the good one's, and the reason, however long, is there to read and copy.
void TestMultiWrite::failedRowsReadWholeAndLookFailed()
{
    sim::SimConfig corrupt = Radio(400);
    corrupt.faults.corruptWrite = 0x0125;
    SimulatedPorts radios({Radio(400), corrupt, SilentRadio()});
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    Dialogs dialogs;
    bool checked = false;
    RunDialog(dialogs, [&](CMultiWriteDlg& dialog) {
        const QColor fill = dialog.PortProgress(1)->palette().color(QPalette::Highlight);
        Tick(dialog, {1, 2, 3});
        dialog.VerifyBox()->setChecked(true);
        QVERIFY(dialog.StartBatch());
        QVERIFY(WaitBatch(dialog));
        QCOMPARE(dialog.PortResult(1)->text(), Fallback(text::ResultVerified));
        QCOMPARE(dialog.PortProgress(1)->palette().color(QPalette::Highlight), fill);
        QVERIFY(dialog.PortResult(2)->text().contains("0x0125"));
        for (int n : {2, 3}) {
            QLabel* result = dialog.PortResult(n);
            QProgressBar* bar = dialog.PortProgress(n);
            QVERIFY(result->text().startsWith(Fallback(text::ResultFailed).arg(QString())));
            QCOMPARE(result->toolTip(), result->text());
            QVERIFY(result->textInteractionFlags() & Qt::TextSelectableByMouse);
            // Every line of the text inside the label, the label inside the dialog.
            QTRY_VERIFY(result->height() >= result->heightForWidth(result->width()));
            QVERIFY(dialog.rect().contains(
                QRect(result->mapTo(&dialog, QPoint(0, 0)), result->size())));
            const QColor failed = bar->palette().color(QPalette::Highlight);
            QVERIFY2(failed != fill && failed.red() > 2 * failed.green(),
                     qPrintable(failed.name()));
        }
        checked = true;
    });
    app->MainFrame()->Actions()->Action(FrameCommand::WriteSeveral)->trigger();
    QVERIFY(checked);
}

// Each radio its own Code 1, counted on from batch to batch; the one that failed keeps
// its code for Write the rest; every radio a row of the job log, shown and kept.
void TestMultiWrite::codesCountOnAndTheLogKeepsEveryRadio()
{
    SimulatedPorts radios({Radio(400), SilentRadio(), Radio(400)});
    WorkDir dir;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    Boxes boxes;
    FileChoices files;
    files.Then(dir.Path("job.csv"));
    Dialogs dialogs;
    bool checked = false;
    const auto code1Of = [&](int n) {
        const auto data = MemoryAt(radios.Radio(n)->Memory(), 0x0120);
        return QByteArray(reinterpret_cast<const char*>(&data[32]), 16);
    };
    const auto code = [](const QByteArray& digits) {
        return digits + QByteArray(16 - digits.size(), char(0xFF));
    };
    const QString code1 = UiText(app->MainFrame()->Data(), text::Code1);
    RunDialog(dialogs, [&](CMultiWriteDlg& dialog) {
        QVERIFY(!dialog.JobLogBox()->isChecked() && !dialog.JobLogBox()->isEnabled());
        QTest::mouseClick(dialog.ChooseLogButton(), Qt::LeftButton);
        QCOMPARE(files.Kinds(), std::vector<FileDialogKind>{FileDialogKind::Append});
        QVERIFY(dialog.JobLogBox()->isChecked());
        Tick(dialog, {1, 2, 3});
        // A start that is no code is refused, kept as typed, and nothing is written.
        dialog.CodeStart(0)->setText("12E");
        QVERIFY(!dialog.StartBatch());
        QCOMPARE(boxes.Count(), 1);
        QCOMPARE(dialog.CodeStart(0)->text(), "12E");
        QCOMPARE(Count(radios.Radio(1)->Events(), sim::SimEvent::Kind::ChunkWrite), 0);

        dialog.CodeStart(0)->setText("0099");
        QCOMPARE(dialog.PortCodes(3)->text(), Fallback(text::NextCodes).arg(code1 + " 0101"));
        QVERIFY(dialog.StartBatch());
        QVERIFY(dialog.StopButton()->isEnabled());
        QVERIFY(WaitBatch(dialog));
        QCOMPARE(code1Of(1), code("0099"));
        QCOMPARE(code1Of(3), code("0101"));
        QCOMPARE(dialog.PortResult(3)->text(),
                 Fallback(text::ResultWritten) + " (" + code1 + " 0101)");
        QCOMPARE(dialog.CodeStart(0)->text(), "0102");
        QCOMPARE(dialog.PortCodes(1)->text(), Fallback(text::NextCodes).arg(code1 + " 0102"));
        QCOMPARE(dialog.PortCodes(2)->text(),
                 Fallback(text::NextCodes).arg(Fallback(text::CodeKept).arg(code1 + " 0100")));
        QCOMPARE(dialog.LogRows()->topLevelItemCount(), 3);
        QVERIFY(dialog.RestButton()->isEnabled());

        // The silent radio mended: Write the rest gives it the code it missed.
        radios.Radio(2)->SetFaults(sim::SimFaults{});
        QTest::mouseClick(dialog.RestButton(), Qt::LeftButton);
        QVERIFY(WaitBatch(dialog));
        QCOMPARE(code1Of(2), code("0100"));
        QCOMPARE(dialog.PortResult(1)->text(), QString());
        QCOMPARE(dialog.CodeStart(0)->text(), "0102");
        QVERIFY(!dialog.RestButton()->isEnabled());
        checked = true;
    });
    app->MainFrame()->Actions()->Action(FrameCommand::WriteSeveral)->trigger();
    QVERIFY(checked);
    QFile log(dir.Path("job.csv"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = log.readAll().split('\n');
    QCOMPARE(rows.size(), 6);  // the header, four rows, nothing after the last line end
    QVERIFY2(rows.at(4).contains(",COM2,") && rows.at(4).contains(",0100,54321,written,"),
             rows.at(4).constData());
    // Remembered: the next dialog keeps the log as it was left.
    QVERIFY(KeepJobLog());
    QCOMPARE(JobLogPath(), QFileInfo(dir.Path("job.csv")).absoluteFilePath());
}

QTEST_MAIN(TestMultiWrite)
#include "test_multi_write.moc"
