#include <QtTest>

#include "data/channel_codec.h"

using namespace radio;

Q_DECLARE_METATYPE(radio::FrequencyCheck)

class TestChannelCodec : public QObject {
    Q_OBJECT
private slots:
    void bcdAndFormat_data();
    void bcdAndFormat();
    void normalize_data();
    void normalize();
    void normalizeNeverYieldsBadNibbles_data();
    void normalizeNeverYieldsBadNibbles();
    void parseFrequency_data();
    void parseFrequency();
    void formatTone_data();
    void formatTone();
    void parseTone_data();
    void parseTone();
    void toneListOrderAndRoundTrip();
    void textsIgnoreTheCLocale();
};

void TestChannelCodec::bcdAndFormat_data()
{
    QTest::addColumn<uint>("word");
    QTest::addColumn<bool>("bcd");
    QTest::addColumn<QString>("text");
    QTest::newRow("145.125") << 0x14512500u << true << "145.12500";
    QTest::newRow("430") << 0x43000000u << true << "430.00000";
    QTest::newRow("erased") << 0xFFFFFFFFu << false << "";
    QTest::newRow("zero") << 0u << true << "0.00000";
    QTest::newRow("upper nibble above 9") << 0xA4512500u << true << "1045.12500";
    QTest::newRow("low nibble above 9") << 0x1451250Au << false << "";
    QTest::newRow("10 Hz digit") << 0x14500005u << true << "145.00005";
    QTest::newRow("6.25 kHz") << 0x43000625u << true << "430.00625";
}

void TestChannelCodec::bcdAndFormat()
{
    QFETCH(uint, word);
    QFETCH(bool, bcd);
    QFETCH(QString, text);
    QCOMPARE(IsBcdFrequency(word), bcd);
    std::string out = "junk";
    QCOMPARE(FormatFrequency(word, out), bcd);
    QCOMPARE(QString::fromStdString(out), text);
}

void TestChannelCodec::normalize_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QString>("output");
    QTest::addColumn<radio::FrequencyCheck>("check");
    const auto in = FrequencyCheck::InBand;
    const auto out = FrequencyCheck::OutOfBand;
    const auto bad = FrequencyCheck::Invalid;
    QTest::newRow("whole MHz") << "430" << 400 << 470 << "430.00000" << in;
    QTest::newRow("too many decimals") << "430.1234567" << 400 << 470 << "430.12000" << in;
    QTest::newRow("6.25 kHz kept") << "430.00625" << 400 << 470 << "430.00625" << in;
    QTest::newRow("down to raster") << "430.003" << 400 << 470 << "430.00000" << in;
    QTest::newRow("above band") << "480.5" << 400 << 470 << "480.50000" << out;
    QTest::newRow("below 100") << "50" << 400 << 470 << "400.00000" << out;
    QTest::newRow("above 550") << "600" << 400 << 470 << "470.00000" << out;
    QTest::newRow("eight decimals") << "145.12345678" << 136 << 174 << "145.12000" << in;
    QTest::newRow("one decimal") << "145.6" << 136 << 174 << "145.60000" << in;
    QTest::newRow("3.1 kHz") << "145.0031" << 136 << 174 << "145.00000" << in;
    QTest::newRow("6.9 kHz") << "145.0069" << 136 << 174 << "145.00625" << in;
    QTest::newRow("trailing point") << "145." << 136 << 174 << "145.00000" << in;
    QTest::newRow("band edge") << "174" << 136 << 174 << "174.00000" << in;
    QTest::newRow("blanks around") << "  145.5 " << 136 << 174 << "145.50000" << in;
    QTest::newRow("long digits clamp") << "99999999999999" << 136 << 174 << "174.00000" << out;
    QTest::newRow("point first") << ".5" << 136 << 174 << "136.00000" << out;
    QTest::newRow("letters") << "abc" << 136 << 174 << "abc" << bad;
    QTest::newRow("two points") << "145.1.2" << 136 << 174 << "145.1.2" << bad;
    QTest::newRow("letter after point") << "145.1x" << 136 << 174 << "145.1x" << bad;
    QTest::newRow("inner blank") << "14 5" << 136 << 174 << "14 5" << bad;
    QTest::newRow("minus") << "-145" << 136 << 174 << "-145" << bad;
    QTest::newRow("point only") << "." << 136 << 174 << "." << bad;
    QTest::newRow("four-digit whole in range") << "0145.5" << 136 << 174 << "0145.5" << bad;
    QTest::newRow("two-digit whole, band below 100") << "90.5" << 80 << 174 << "90.5" << bad;
    QTest::newRow("clamp to odd band limit") << "5" << 1000 << 1100 << "5" << bad;
}

void TestChannelCodec::normalize()
{
    QFETCH(QString, input);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(QString, output);
    QFETCH(radio::FrequencyCheck, check);
    std::string text = input.toStdString();
    QCOMPARE(NormalizeFrequencyText(text, lower, upper), check);
    QCOMPARE(QString::fromStdString(text), output);
    if (check != FrequencyCheck::Invalid) {
        QVERIFY(ParseFrequencyText(text).has_value());
    }
}

void TestChannelCodec::normalizeNeverYieldsBadNibbles_data()
{
    QTest::addColumn<QString>("input");
    for (const char* s : {"", "   ", "  ", "1", "12", "1a5", "145..", "145.:", "14/.5", "1e3",
                          "+145", "145,5", "１４５", "145.5 5", "999.99999", "000.00000"}) {
        QTest::newRow(s) << QString::fromUtf8(s);
    }
}

void TestChannelCodec::normalizeNeverYieldsBadNibbles()
{
    QFETCH(QString, input);
    std::string text = input.toStdString();
    const FrequencyCheck check = NormalizeFrequencyText(text, 136, 174);
    if (check == FrequencyCheck::Empty) {
        QVERIFY(text.empty());
    } else if (check != FrequencyCheck::Invalid) {
        const auto word = ParseFrequencyText(text);
        QVERIFY(word.has_value());
        for (int n = 0; n < 8; ++n) {
            QVERIFY(((*word >> (4 * n)) & 0xF) <= 9);
        }
    }
}

void TestChannelCodec::parseFrequency_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<uint>("word");
    QTest::newRow("normal") << "145.12500" << true << 0x14512500u;
    QTest::newRow("zero") << "000.00000" << true << 0u;
    QTest::newRow("short") << "145.125" << false << 0u;
    QTest::newRow("colon") << "145.1250:" << false << 0u;
    QTest::newRow("no point") << "145012500" << false << 0u;
    QTest::newRow("letter") << "14A.12500" << false << 0u;
    QTest::newRow("empty") << "" << false << 0u;
}

void TestChannelCodec::parseFrequency()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(uint, word);
    const auto parsed = ParseFrequencyText(text.toStdString());
    QCOMPARE(parsed.has_value(), ok);
    if (ok) {
        QCOMPARE(*parsed, word);
    }
}

void TestChannelCodec::formatTone_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("text");
    QTest::newRow("off valid") << 0xFFFFu << true << "OFF";
    QTest::newRow("off invalid") << 0xFFFFu << false << "";
    QTest::newRow("67.0") << 670u << true << "67.0";
    QTest::newRow("88.5") << 885u << false << "88.5";
    QTest::newRow("254.1") << 2541u << true << "254.1";
    QTest::newRow("DN023") << 0x2813u << true << "DN023";
    QTest::newRow("DN777") << 0x29FFu << true << "DN777";
    QTest::newRow("DI000") << 0xA800u << true << "DI000";
    QTest::newRow("DI754") << 0xA9ECu << true << "DI754";
}

void TestChannelCodec::formatTone()
{
    QFETCH(uint, code);
    QFETCH(bool, valid);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(FormatTone(std::uint16_t(code), valid, "OFF")), text);
}

void TestChannelCodec::parseTone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<uint>("code");
    QTest::newRow("off text") << "Aus" << true << 0xFFFFu;
    QTest::newRow("invalid channel") << "88.5" << false << 0xFFFFu;
    QTest::newRow("88.5") << "88.5" << true << 885u;
    QTest::newRow("254.1") << "254.1" << true << 2541u;
    QTest::newRow("DN777") << "DN777" << true << 0x29FFu;
    QTest::newRow("DI000") << "DI000" << true << 0xA800u;
    QTest::newRow("DN023") << "DN023" << true << 0x2813u;
    QTest::newRow("short DCS") << "DN7" << true << 0xFFFFu;
    QTest::newRow("non-octal DCS") << "DN789" << true << 0xFFFFu;
    QTest::newRow("garbage") << "xyz" << true << 0u;
}

void TestChannelCodec::parseTone()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(uint, code);
    QCOMPARE(uint(ParseToneText(text.toStdString(), valid, "Aus")), code);
}

void TestChannelCodec::toneListOrderAndRoundTrip()
{
    const auto list = ToneList("Off");
    QCOMPARE(int(list.size()), 1077);
    QCOMPARE(QString::fromStdString(list[0]), QString("Off"));
    QCOMPARE(QString::fromStdString(list[1]), QString("67.0"));
    QCOMPARE(QString::fromStdString(list[52]), QString("254.1"));
    QCOMPARE(QString::fromStdString(list[53]), QString("DN000"));
    QCOMPARE(QString::fromStdString(list[60]), QString("DN007"));
    QCOMPARE(QString::fromStdString(list[61]), QString("DN010"));
    QCOMPARE(QString::fromStdString(list[564]), QString("DN777"));
    QCOMPARE(QString::fromStdString(list[565]), QString("DI000"));
    QCOMPARE(QString::fromStdString(list[1076]), QString("DI777"));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::uint16_t code = ParseToneText(list[i], true, "Off");
        QCOMPARE(QString::fromStdString(FormatTone(code, true, "Off")),
                 QString::fromStdString(list[i]));
    }
}

void TestChannelCodec::textsIgnoreTheCLocale()
{
    // Qt programs take the user's locale for the C library; a German one writes
    // decimal commas with printf and reads them with strtod.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE")) {
        QSKIP("no German locale installed");
    }
    QCOMPARE(QString::fromStdString(FormatFrequency(0x14512500)), QString("145.12500"));
    QCOMPARE(QString::fromStdString(FormatTone(885, true, "")), QString("88.5"));
    QCOMPARE(uint(ParseToneText("88.5", true, "")), 885u);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

QTEST_APPLESS_MAIN(TestChannelCodec)
#include "test_channel_codec.moc"
