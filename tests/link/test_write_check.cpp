// The check before a write: which case a radio's report falls into, and what each
// case does to the record.
#include <QtTest>

#include "link/write_check.h"

using namespace radio;

Q_DECLARE_METATYPE(radio::WriteCheck)

class TestWriteCheck : public QObject {
    Q_OBJECT
private slots:
    void classify_data();
    void classify();
    void notReportedTakesTheDataAsTheRadio();
    void matchEncodesTheIdentityAndTakesTheRadiosValues();
    void mismatchChangesNothingUntilTheHostDecides();
};

void TestWriteCheck::classify_data()
{
    QTest::addColumn<int>("bandLower");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("radioBandLower");
    QTest::addColumn<int>("radioModel");
    QTest::addColumn<WriteCheck>("expected");
    QTest::newRow("nothing reported") << 400 << 1 << -1 << -1 << WriteCheck::NotReported;
    QTest::newRow("model only") << 400 << 1 << -1 << 1 << WriteCheck::NotReported;
    QTest::newRow("same") << 400 << 1 << 400 << 1 << WriteCheck::Match;
    QTest::newRow("same 32ch") << 136 << 0 << 136 << 0 << WriteCheck::Match;
    QTest::newRow("16ch under another value") << 450 << 2 << 450 << 1 << WriteCheck::Match;
    QTest::newRow("other band") << 400 << 1 << 136 << 1 << WriteCheck::Mismatch;
    QTest::newRow("other model") << 400 << 1 << 400 << 0 << WriteCheck::Mismatch;
    QTest::newRow("both other") << 440 << 0 << 350 << 1 << WriteCheck::Mismatch;
}

void TestWriteCheck::classify()
{
    QFETCH(int, bandLower);
    QFETCH(int, model);
    QFETCH(int, radioBandLower);
    QFETCH(int, radioModel);
    QFETCH(WriteCheck, expected);
    RadioData data;
    data.bandLower = bandLower;
    data.model = model;
    data.radioBandLower = radioBandLower;
    data.radioModel = radioModel;
    QCOMPARE(ClassifyBeforeWrite(data), expected);
}

void TestWriteCheck::notReportedTakesTheDataAsTheRadio()
{
    RadioData data;
    data.bandLower = 350;
    data.bandUpper = 370;
    data.model = 0;
    AdoptDataAsRadio(data);
    QCOMPARE(data.radioBandLower, 350);
    QCOMPARE(data.radioBandUpper, 370);
    QCOMPARE(data.radioModel, 0);
    QCOMPARE(ClassifyBeforeWrite(data), WriteCheck::Match);
}

void TestWriteCheck::matchEncodesTheIdentityAndTakesTheRadiosValues()
{
    RadioData data;
    data.bandLower = 136;
    data.bandUpper = 170;  // an odd upper limit from a file
    data.model = 3;
    data.radioBandLower = 136;
    data.radioBandUpper = 174;
    data.radioModel = 1;
    data.block(Block::B01B8).data[7] = 0x42;
    data.block(Block::B01B8).data[8] = 0x43;
    ApplyRadioIdentity(data);
    const auto id = data.Identity();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(id.data()), 7),
             QByteArray("K468\x37\x01\xFC", 7));
    QCOMPARE(id[7], std::uint8_t(0x42));  // byte 7 is the record's own
    QCOMPARE(data.block(Block::B01B8).data[8], std::uint8_t(0x43));
    QCOMPARE(data.bandUpper, 174);
    QCOMPARE(data.model, 1);
}

void TestWriteCheck::mismatchChangesNothingUntilTheHostDecides()
{
    RadioData data;
    data.radioBandLower = 136;
    data.radioBandUpper = 174;
    data.radioModel = 0;
    const auto before = data.ToImage();
    QCOMPARE(ClassifyBeforeWrite(data), WriteCheck::Mismatch);
    QCOMPARE(data.ToImage(), before);
}

QTEST_APPLESS_MAIN(TestWriteCheck)
#include "test_write_check.moc"
