// The texts of refused rows and of files that are no channel plan: every reason names
// its values, a value is never taken for a placeholder, and a language file's text
// takes the place of the English one.
#include <QtTest>

#include "config/channel_plan_texts.h"

using namespace radio;

class TestChannelPlanTexts : public QObject {
    Q_OBJECT
private slots:
    void everyReasonNamesItsValues_data();
    void everyReasonNamesItsValues();
    void valuesAreNotPlaceholders();
    void fileErrors();
    void languageFileTextsAreUsed();
};

void TestChannelPlanTexts::everyReasonNamesItsValues_data()
{
    QTest::addColumn<int>("problem");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("expected");
    using P = RowProblem;
    QTest::newRow("unreadable") << int(P::Unreadable) << QStringList{"Duplex", "x"}
                                << R"(Duplex value "x" cannot be read)";
    QTest::newRow("band") << int(P::OutOfBand) << QStringList{"480.000000", "400", "470"}
                          << "480.000000 MHz lies outside the band 400-470 MHz";
    QTest::newRow("raster") << int(P::OffRaster) << QStringList{"430.001000"}
                            << "430.001000 MHz is not on the 5 kHz or 6.25 kHz channel raster";
    QTest::newRow("tone") << int(P::ToneNotOffered) << QStringList{"rToneFreq", "88.7"}
                          << "rToneFreq 88.7 is not a tone this radio has";
    QTest::newRow("mode") << int(P::ModeNotFm) << QStringList{"AM"}
                          << "mode AM is neither FM nor NFM";
    QTest::newRow("beyond") << int(P::BeyondChannels) << QStringList{"17", "16"}
                            << "location 17 lies beyond the 16 channels of the data set";
    QTest::newRow("twice") << int(P::LocationTwice) << QStringList{"5", "2"}
                           << "channel 5 is already given in row 2";
}

void TestChannelPlanTexts::everyReasonNamesItsValues()
{
    QFETCH(int, problem);
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    RowFault fault;
    fault.problem = RowProblem(problem);
    for (const QString& v : values) {
        fault.values.push_back(v.toStdString());
    }
    QCOMPARE(RefusalText(LanguageTable(), fault), expected);
}

void TestChannelPlanTexts::valuesAreNotPlaceholders()
{
    const RowFault fault{RowProblem::Unreadable, {"Comment", "50%2 off %1"}};
    QCOMPARE(RefusalText(LanguageTable(), fault),
             QString(R"(Comment value "50%2 off %1" cannot be read)"));
}

void TestChannelPlanTexts::fileErrors()
{
    ChannelPlan plan;
    QVERIFY(PlanErrorText(LanguageTable(), plan, "a.csv").isEmpty());
    plan.error = PlanError::NotText;
    QCOMPARE(PlanErrorText(LanguageTable(), plan, "radio.tw"),
             QString("radio.tw is not a CSV channel plan: it is not a UTF-8 text file."));
    plan.error = PlanError::UnclosedQuote;
    plan.errorRow = 7;
    QVERIFY(PlanErrorText(LanguageTable(), plan, "%2.csv")
                .startsWith("%2.csv is not a CSV channel plan: the quoted field that begins in "
                            "row 7 "));
    plan.error = PlanError::NoColumns;
    QVERIFY(PlanErrorText(LanguageTable(), plan, "x.csv").contains("Location and Frequency"));
}

void TestChannelPlanTexts::languageFileTextsAreUsed()
{
    LanguageTable table;
    table.SetText(text::CsvModeNotFm, "模式 %1 既不是 FM 也不是 NFM");
    QCOMPARE(RefusalText(table, RowFault{RowProblem::ModeNotFm, {"AM"}}),
             QString("模式 AM 既不是 FM 也不是 NFM"));
}

QTEST_GUILESS_MAIN(TestChannelPlanTexts)
#include "test_channel_plan_texts.moc"
