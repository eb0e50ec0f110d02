// The channel table around transfers with a simulated radio: the table shows what a
// read brought, and a row typed by keyboard survives a write and a read back.
#include <QtTest>
#include <memory>

#include "channel_test_support.h"
#include "channels/channel_grid.h"
#include "channels/chn_msg_form_view.h"
#include "link/transfer_worker.h"
#include "link/write_check.h"
#include "sim/radio_simulator.h"
#include "tests/features/view_document.h"
#include "tests/widgets/answering_prompts.h"
#include "widgets/message_box.h"

using namespace radio;
using radio::test::ChannelValues;

namespace {

// What the main frame does for a transfer, reduced to the table: the worker's calls
// come from the transfer thread and are answered on the interface thread.
class TableHost : public TransferHost {
public:
    TableHost(RadioData& record, CChnMsgFormView& view) : m_record(record), m_view(view) {}

    void TransferProgress(int) override {}
    bool AskRetry(const TransferError&) override { return false; }
    bool CheckBeforeWrite(const RadioReport& reported) override
    {
        bool go = false;
        OnInterfaceThread([&] {
            m_record.radioBandLower = reported.bandLower;
            m_record.radioBandUpper = reported.bandUpper;
            m_record.radioModel = reported.model;
            if (ClassifyBeforeWrite(m_record) == WriteCheck::Match) {
                ApplyRadioIdentity(m_record);
                go = true;
            }
        });
        return go;
    }
    void ReadSucceeded(const RadioData& received) override
    {
        OnInterfaceThread([&] {
            CommitRead(m_record, received);
            m_view.LoadFromRecord();
            ++reads;
        });
    }
    void WriteSucceeded() override
    {
        OnInterfaceThread([&] { ++writes; });
    }

    int reads = 0;
    int writes = 0;

private:
    template <typename F>
    void OnInterfaceThread(F f)
    {
        QMetaObject::invokeMethod(&m_view, f, Qt::BlockingQueuedConnection);
    }

    RadioData& m_record;
    CChnMsgFormView& m_view;
};

}  // namespace

class TestChannelTransfer : public QObject {
    Q_OBJECT

private:
    test::AnsweringPrompts m_prompts;  // every box is answered OK
    test::ViewDocument m_doc;
    RadioData& m_record = m_doc.record;
    std::unique_ptr<sim::RadioSimulator> m_radio;
    std::unique_ptr<CChnMsgFormView> m_view;
    std::unique_ptr<TableHost> m_host;
    CTransferWorker m_worker;

    bool StartRadio(int bandLower, int model, const RadioData* contents)
    {
        sim::SimConfig config;
        config.bandLower = bandLower;
        config.model = model;
        config.pacing = false;
        if (contents != nullptr) {
            config.hasMemory = true;
            config.memory = sim::FactoryMemory(bandLower, model);
            sim::PutRecord(config.memory, *contents);
        }
        m_radio = std::make_unique<sim::RadioSimulator>(config);
        QString error;
        if (!m_radio->Start(&error)) {
            qWarning("simulator did not start: %s", qPrintable(error));
            return false;
        }
        m_worker.SetDeviceOverride(m_radio->DevicePath());
        return true;
    }

    bool OpenView()
    {
        m_view = std::make_unique<CChnMsgFormView>(&m_doc.document);
        m_view->resize(720, 420);
        m_view->show();
        m_view->activateWindow();
        m_host = std::make_unique<TableHost>(m_record, *m_view);
        return QTest::qWaitForWindowActive(m_view.get());
    }

    // The main frame's order: collect the edits, then run the transfer on its thread.
    bool Transfer(TransferMode mode)
    {
        m_view->StoreToRecord();
        if (mode == TransferMode::Write) {
            m_record.UpdateChannelMasks();
        }
        m_worker.Init(m_host.get(), m_record);
        if (!m_worker.SetMode(mode)) {
            return false;
        }
        CTestThread thread(&m_worker);
        QSignalSpy finished(&thread, &QThread::finished);
        thread.start();
        const bool done = finished.wait(30000) || finished.count() > 0;
        thread.wait();
        return done;
    }

    void Type(const QString& text)
    {
        for (QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }

private slots:
    void init()
    {
        m_doc.Reset();
        test::SetTableTexts(m_record);
    }

    void cleanup()
    {
        m_view.reset();
        m_host.reset();
        if (m_radio) {
            m_radio->Stop();
        }
        m_radio.reset();
    }

    // The program holds a 16-channel UHF table; the radio is a 32-channel 440-480 MHz
    // set. After the read the table has 32 rows with the radio's channels.
    void readShowsRadioChannels()
    {
        RadioData radioSide;
        radioSide.model = 0;
        test::SetChannel(radioSide, 0, ChannelValues{0x44012500, 0x44512500, 885, 0x2813});
        test::SetChannel(radioSide, 19, ChannelValues{0x47900625, 0xFFFFFFFF, 0xFFFF, 0xFFFF});
        radioSide.Channel(19).SetOption(ChannelOption::Wide, false);
        test::SetChannel(radioSide, 31, ChannelValues{0x46000000, 0x46000000, 0xA9EC, 1000});
        QVERIFY(StartRadio(440, 0, &radioSide));

        test::SetChannel(m_record, 0, ChannelValues{0x43000000, 0x43000000, 0xFFFF, 0xFFFF});
        QVERIFY(OpenView());
        QCOMPARE(m_view->RowCount(), 17);
        QCOMPARE(m_view->CellText(1, 1), QString("430.00000"));

        QVERIFY(Transfer(TransferMode::Read));
        QCOMPARE(m_host->reads, 1);
        QCOMPARE(m_record.model, 0);
        QCOMPARE(m_view->RowCount(), 33);
        const QStringList row1 = {"440.12500", "445.12500", "88.5", "DN023",
                                  "Wide",      "High",      "On",   "Unlocked"};
        const QStringList row20 = {"479.00625", "",     "Off", "Off",
                                   "Narrow",    "High", "On",  "Unlocked"};
        const QStringList row32 = {"460.00000", "460.00000", "DI754", "100.0",
                                   "Wide",      "High",      "On",    "Unlocked"};
        for (int c = 1; c <= 8; ++c) {
            QCOMPARE(m_view->CellText(1, c), row1[c - 1]);
            QCOMPARE(m_view->CellText(20, c), row20[c - 1]);
            QCOMPARE(m_view->CellText(32, c), row32[c - 1]);
            QCOMPARE(m_view->CellText(2, c), QString());
        }
        QCOMPARE(m_view->CellText(20, 0), QString("4"));
        QCOMPARE(m_view->Grid()->model()->rowCount(), 32);
    }

    // Typed by keyboard, written to the radio, erased here, read back: the same row.
    void typedRowSurvivesWriteAndReadBack()
    {
        QVERIFY(StartRadio(400, 1, nullptr));
        QVERIFY(OpenView());
        m_view->SetCurrentCell(3, 1);
        Type("433.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Type("438");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Type("DN114");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Type("n");
        // Left open: the write collects it first.
        QVERIFY(m_view->ActiveEditor() != nullptr);
        QStringList typed;
        QVERIFY(Transfer(TransferMode::Write));
        QCOMPARE(m_host->writes, 1);
        for (int c = 1; c <= 8; ++c) {
            typed << m_view->CellText(3, c);
        }
        QCOMPARE(typed, (QStringList{"433.50000", "438.00000", "DN114", "DN114", "Narrow", "High",
                                     "On", "Unlocked"}));

        m_record.ResetRecord(false);
        m_view->LoadFromRecord();
        QCOMPARE(m_view->CellText(3, 1), QString());

        QVERIFY(Transfer(TransferMode::Read));
        QCOMPARE(m_host->reads, 1);
        for (int c = 1; c <= 8; ++c) {
            QCOMPARE(m_view->CellText(3, c), typed[c - 1]);
        }
        QCOMPARE(m_record.Channel(2).RxFrequency(), 0x43350000u);
    }
};

QTEST_MAIN(TestChannelTransfer)
#include "test_channel_transfer.moc"
