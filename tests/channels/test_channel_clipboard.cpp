// The channel table's rows as text and back: what a copy puts on the clipboard, what a
// paste makes of it, and that a paste is all or nothing.
#include <QtTest>

#include "channel_test_support.h"
#include "channels/channel_clipboard.h"
#include "channels/channel_cells.h"

using namespace radio;
using radio::test::ChannelValues;

namespace {

// The channel's 16 bytes.
QByteArray Bytes(const RadioData& data, int index)
{
    return QByteArray(reinterpret_cast<const char*>(data.Channel(index).Bytes()), 16);
}

// The Chinese texts of the table's option columns, as a second language.
LanguageTable ChineseTexts()
{
    LanguageTable table;
    const std::pair<int, const char*> texts[] = {
        {47, "关"}, {49, "宽带"}, {50, "窄带"},   {52, "低"},
        {53, "高"}, {55, "开"},   {60, "不锁定"}, {61, "锁定"},
    };
    for (const auto& [n, text] : texts) {
        table.SetText(n, text);
    }
    return table;
}

}  // namespace

class TestChannelClipboard : public QObject {
    Q_OBJECT
private:
    RadioData m_data;

    // Three programmed channels in rows 1 to 3, each showing something else.
    void ThreeChannels()
    {
        test::SetChannel(m_data, 0, ChannelValues{0x14512500, 0x14512500, 0xFFFF, 0xFFFF});
        test::SetChannel(m_data, 1, ChannelValues{0x14580000, 0x14520000, 885, 885});
        test::SetChannel(m_data, 2, ChannelValues{0x14600000, 0x14600000, 0x2813, 0xA9EC});
        ChannelRecord third = m_data.Channel(2);
        third.SetOption(ChannelOption::Wide, false);
        third.SetOption(ChannelOption::HighPower, false);
        third.SetOption(ChannelOption::ScanAdd, false);
        third.SetOption(ChannelOption::BusyLock, true);
    }

private slots:
    void init()
    {
        m_data = RadioData();
        test::SetTableTexts(m_data);
        test::UseVhfBand(m_data);
    }

    // A spreadsheet pastes the lines into its columns: the nine cells as shown.
    void copyGivesTheRowsAsShown()
    {
        ThreeChannels();
        QCOMPARE(
            ChannelRowsText(m_data, {1, 2, 3}),
            QStringLiteral("1\t145.12500\t145.12500\tOff\tOff\tWide\tHigh\tOn\tUnlocked\n"
                           "2\t145.80000\t145.20000\t88.5\t88.5\tWide\tHigh\tOn\tUnlocked\n"
                           "3\t146.00000\t146.00000\tDN023\tDI754\tNarrow\tLow\tOff\tLocked\n"));
    }

    // Copied rows pasted further down make the same channels, byte for byte; the
    // rows above and below are not touched.
    void pasteRecreatesTheChannels()
    {
        ThreeChannels();
        const QString copied = ChannelRowsText(m_data, {1, 2, 3});
        const auto untouched = Bytes(m_data, 12);
        const PastePlan plan = PlanPaste(m_data, 10, 1, copied, {});
        QVERIFY(plan.ok());
        QCOMPARE(plan.rows, (std::vector<int>{10, 11, 12}));
        QCOMPARE(plan.outOfBand, 0);
        QVERIFY(m_data.Channel(9).IsErased());  // planning changes nothing
        ApplyPaste(plan, m_data);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(Bytes(m_data, 9 + i), Bytes(m_data, i));
        }
        QCOMPARE(Bytes(m_data, 12), untouched);
    }

    // Lines a spreadsheet holds without the label column, and shorter ones: what a
    // line lacks is what a new channel gets; an empty transmit frequency is none, an
    // empty receive frequency empties the channel.
    void shorterLines()
    {
        test::SetChannel(m_data, 2, ChannelValues{0x14600000, 0x14600000, 885, 885});
        const QString text = QStringLiteral(
            "145.5\n"
            "145.6\t\t\t\tNarrow\n"
            "\r\n"
            "146.52\t146.0\t67.0\t\tWide\tLow\tOff\tLocked\r\n");
        const PastePlan plan = PlanPaste(m_data, 1, 1, text, {});
        QVERIFY(plan.ok());
        ApplyPaste(plan, m_data);
        const ConstChannelRecord a = std::as_const(m_data).Channel(0);
        QCOMPARE(a.RxFrequency(), 0x14550000u);
        QCOMPARE(a.TxFrequency(), 0x14550000u);
        QVERIFY(a.Option(ChannelOption::Wide));
        const ConstChannelRecord b = std::as_const(m_data).Channel(1);
        QCOMPARE(b.TxFrequency(), kNoFrequency);
        QCOMPARE(b.TxTone(), kToneOff);
        QVERIFY(!b.Option(ChannelOption::Wide));
        QVERIFY(std::as_const(m_data).Channel(2).IsErased());
        const ConstChannelRecord d = std::as_const(m_data).Channel(3);
        QCOMPARE(d.RxTone(), std::uint16_t(670));
        QCOMPARE(d.TxTone(), kToneOff);  // an empty tone cell is no tone
        QVERIFY(!d.Option(ChannelOption::HighPower));
        QVERIFY(!d.Option(ChannelOption::ScanAdd));
        QVERIFY(d.Option(ChannelOption::BusyLock));
    }

    void badLineRefusesTheWholePaste_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        using K = PasteProblem::Kind;
        QTest::newRow("not a frequency")
            << "145.5\n145.6\t145..6" << 1 << 1 << int(K::NotFrequency) << 2 << 2
            << "Nothing was pasted: line 2 column 2 \"145..6\" is not a frequency.";
        QTest::newRow("blanks over a frequency")
            << "145.5\t   x" << 1 << 1 << int(K::NotFrequency) << 1 << 2
            << "Nothing was pasted: line 1 column 2 \"   x\" is not a frequency.";
        QTest::newRow("off the raster")
            << "145.5\t145.123" << 1 << 1 << int(K::NotFrequency) << 1 << 2
            << "Nothing was pasted: line 1 column 2: Not on the channel raster of 5 kHz and "
               "6.25 kHz: 145.123; the nearest are 145.12000 and 145.12500";
        QTest::newRow("tone not in the list")
            << "145.5\t145.5\t88.6" << 1 << 1 << int(K::NotTone) << 1 << 3
            << "Nothing was pasted: line 1 column 3 \"88.6\" is not a tone of the list.";
        QTest::newRow("DCS code not octal")
            << "145.5\t145.5\tOff\tDN089" << 1 << 1 << int(K::NotTone) << 1 << 4
            << "Nothing was pasted: line 1 column 4 \"DN089\" is not a tone of the list.";
        QTest::newRow("option of another column")
            << "145.5\t145.5\tOff\tOff\tHigh" << 1 << 1 << int(K::NotOption) << 1 << 5
            << "Nothing was pasted: line 1 column 5 \"High\" is not one of the column's choices.";
        QTest::newRow("wider than the table")
            << "145.5\tOff\tOff\tWide\tHigh\tOn\tUnlocked\tx" << 1 << 2 << int(K::TooWide) << 1 << 0
            << "Nothing was pasted: line 1 has 8 columns; from the current column on the "
               "table has 7.";
        QTest::newRow("into a row without a channel")
            << "88.5\n88.5" << 3 << 3 << int(K::NoChannel) << 2 << 1
            << "Nothing was pasted: line 2 column 1 \"88.5\" goes into channel 4 which has no "
               "receive frequency.";
        QTest::newRow("more lines than channels")
            << "145.5\n145.6\n145.7" << 15 << 1 << int(K::TooManyLines) << 15 << 0
            << "Nothing was pasted: 3 lines do not fit; from channel 15 down there are 2 "
               "channels.";
    }
    void badLineRefusesTheWholePaste()
    {
        QFETCH(QString, text);
        QFETCH(int, firstRow);
        QFETCH(int, firstColumn);
        QFETCH(int, kind);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, message);
        ThreeChannels();
        const auto before = m_data.ToImage();
        const PastePlan plan = PlanPaste(m_data, firstRow, firstColumn, text, {});
        QVERIFY(!plan.ok());
        QCOMPARE(int(plan.problem.kind), kind);
        QCOMPARE(plan.problem.line, line);
        if (column > 0) {
            QCOMPARE(plan.problem.column, column);
        }
        QCOMPARE(PasteProblemText(m_data, plan.problem), message);
        QVERIFY(m_data.ToImage() == before);
    }

    // Copied in the Chinese interface, pasted in the English one (and the other way
    // round): the options' texts of every language are taken.
    void optionTextsOfEitherLanguage()
    {
        const std::vector<LanguageTable> languages = {ChineseTexts(), LanguageTable()};
        const QString text = QStringLiteral(
            "1\t145.50000\t145.50000\t关\tOff\t窄带\tHigh\t关\t锁定\n"
            "2\t145.60000\t145.60000\tOff\t88.5\tWide\t低\tOn\tUnlocked\n");
        const PastePlan plan = PlanPaste(m_data, 4, 1, text, languages);
        QVERIFY2(plan.ok(), qPrintable(PasteProblemText(m_data, plan.problem)));
        ApplyPaste(plan, m_data);
        const ConstChannelRecord a = std::as_const(m_data).Channel(3);
        QVERIFY(!a.Option(ChannelOption::Wide));
        QVERIFY(a.Option(ChannelOption::HighPower));
        QVERIFY(!a.Option(ChannelOption::ScanAdd));
        QVERIFY(a.Option(ChannelOption::BusyLock));
        QCOMPARE(a.RxTone(), kToneOff);
        const ConstChannelRecord b = std::as_const(m_data).Channel(4);
        QVERIFY(!b.Option(ChannelOption::HighPower));
        QCOMPARE(b.TxTone(), std::uint16_t(885));

        // Copied back, the table shows the texts of the interface's own language.
        QCOMPARE(ChannelRowsText(m_data, {4}),
                 QStringLiteral("4\t145.50000\t145.50000\tOff\tOff\tNarrow\tHigh\tOff\tLocked\n"));
    }

    // Frequencies outside the band are stored as typed ones are, and counted so that
    // the paste can ask once.
    void outOfBandFrequenciesAreCounted()
    {
        const PastePlan plan = PlanPaste(m_data, 1, 1, QStringLiteral("180\t180\n145.5\t190"), {});
        QVERIFY(plan.ok());
        QCOMPARE(plan.outOfBand, 3);
    }
};

QTEST_GUILESS_MAIN(TestChannelClipboard)
#include "test_channel_clipboard.moc"
