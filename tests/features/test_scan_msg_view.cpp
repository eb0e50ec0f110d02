// The scan view: commit on leave, the mode rules rewriting bytes 1 and 4, the
// channel typing rule, the time encoding, the spins and the checks.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "data/feature_bytes.h"
#include "feature_test_support.h"
#include "features/scan_msg_view.h"
#include "features/spin_arrows.h"
#include "tests/features/view_document.h"

using namespace radio;
using radio::test::Find;
using radio::test::Items;
namespace sb = radio::bytes::scan;

namespace {

using Bytes = std::array<std::uint8_t, kBlockDataSize>;

Bytes& Block0160(RadioData& data)
{
    return data.block(Block::B0160).data;
}

// Channel n gets a receive frequency (BCD) or is erased.
void SetChannelInUse(RadioData& data, int n, bool inUse)
{
    ChannelRecord channel = data.Channel(n - 1);
    if (inUse) {
        channel.SetRxFrequency(0x43012500);
    } else {
        channel.Erase();
    }
}

void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void Leave(QWidget* control)
{
    QTest::keyClick(control, Qt::Key_Tab);
}

void ClickArrow(QWidget& view, const char* spinName, Qt::ArrowType arrow)
{
    const auto buttons = Find<SpinArrows>(view, spinName)->findChildren<QToolButton*>();
    for (QToolButton* button : buttons) {
        if (button->arrowType() == arrow) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    qFatal("no arrow");
}

}  // namespace

class TestScanMsgView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void erasedBlock();
    void defaultBlock();
    void modeRulesAtLoad_data();
    void modeRulesAtLoad();
    void choosingModeTwo();
    void choosingModeZeroClearsChannel();
    void combinationFollowsMode();
    void channelTyping();
    void channelRefused_data();
    void channelRefused();
    void channelCannotBeCleared();
    void timeEncoding();
    void numberRefused_data();
    void numberRefused();
    void timeLoad_data();
    void timeLoad();
    void valueLoad_data();
    void valueLoad();
    void timeSpins_data();
    void timeSpins();
    void valueSpins();
    void spinCommitsThePreviousField();
    void arrowStepsMergePerField();
    void storeCommitsTheFieldBeingEdited();
    void enterCommitsAndMovesOn();
    void closeStoresAndAsksToClose();
    void refreshTexts();

private:
    test::ViewDocument m_doc;
    RadioData& m_data = m_doc.record;
    test::BoxLog* m_boxes = nullptr;
};

void TestScanMsgView::init()
{
    m_doc.Reset();
    m_data.ResetRecord(true);
    test::NameTexts(m_data);
    m_boxes = new test::BoxLog;
}

void TestScanMsgView::cleanup()
{
    delete m_boxes;
    m_boxes = nullptr;
}

void TestScanMsgView::erasedBlock()
{
    Bytes& d = Block0160(m_data);
    std::fill(d.begin(), d.begin() + 9, 0xFF);
    CScanMsgView view(&m_doc.document);
    QCOMPARE(Find<QComboBox>(view, "modeList")->currentIndex(), 0);
    QVERIFY(!Find<QLineEdit>(view, "channelEdit")->isEnabled());
    QVERIFY(!Find<QLineEdit>(view, "timeAEdit")->isEnabled());
    QVERIFY(!Find<QLineEdit>(view, "timeBEdit")->isEnabled());
    QCOMPARE(Find<QLineEdit>(view, "timeAEdit")->text(), QString("5"));
    QCOMPARE(Find<QLineEdit>(view, "timeBEdit")->text(), QString("5"));
    QCOMPARE(Find<QComboBox>(view, "combinationList")->currentIndex(), 1);
    QCOMPARE(Find<QLineEdit>(view, "valueCEdit")->text(), QString("4"));
    QCOMPARE(Find<QLineEdit>(view, "valueDEdit")->text(), QString("3"));
    // Showing writes nothing, and neither does a store with nothing being edited.
    view.StoreToRecord();
    QVERIFY(std::all_of(d.begin(), d.begin() + 9, [](std::uint8_t b) { return b == 0xFF; }));
    QCOMPARE(m_doc.Steps(), 0);
}

void TestScanMsgView::defaultBlock()
{
    SetChannelInUse(m_data, 1, true);
    const Bytes before = Block0160(m_data);
    CScanMsgView view(&m_doc.document);
    QCOMPARE(Find<QComboBox>(view, "modeList")->currentText(), QString("T140"));
    QCOMPARE(Find<QLineEdit>(view, "channelEdit")->text(), QString("1"));
    QVERIFY(Find<QLineEdit>(view, "channelEdit")->isEnabled());
    QCOMPARE(Find<QLineEdit>(view, "timeAEdit")->text(), QString("3"));
    QCOMPARE(Find<QLineEdit>(view, "timeBEdit")->text(), QString("3"));
    QCOMPARE(Find<QComboBox>(view, "combinationList")->currentText(), QString("T139+T146"));
    QCOMPARE(Find<QLineEdit>(view, "valueCEdit")->text(), QString("4"));
    QCOMPARE(Find<QLineEdit>(view, "valueDEdit")->text(), QString("3"));
    QVERIFY(test::ShowActive(view));
    // Visiting every field commits each one unchanged.
    Find<QComboBox>(view, "modeList")->setFocus();
    for (int i = 0; i < 7; ++i) {
        Leave(QApplication::focusWidget());
    }
    view.StoreToRecord();
    QCOMPARE(Block0160(m_data), before);
    QVERIFY(m_boxes->texts.isEmpty());
}

void TestScanMsgView::modeRulesAtLoad_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("combination");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("byte4");
    QTest::addColumn<QStringList>("items");
    const QStringList first{"T141", "T141+T146"};
    const QStringList second{"T139", "T139+T146"};
    const QStringList all = first + second;
    QTest::newRow("mode 0, 3") << 0 << 3 << 1 << 1 << first;
    QTest::newRow("mode 0, 0") << 0 << 0 << 0 << 0 << first;
    QTest::newRow("mode 0, 1") << 0 << 1 << 1 << 1 << first;
    QTest::newRow("mode 2, 0") << 2 << 0 << 1 << 3 << second;
    QTest::newRow("mode 2, 2") << 2 << 2 << 0 << 2 << second;
    QTest::newRow("mode 2, 7") << 2 << 7 << -1 << 7 << second;
    QTest::newRow("mode 1, 2") << 1 << 2 << 2 << 2 << all;
    QTest::newRow("mode 1, 4") << 1 << 4 << -1 << 4 << all;
    QTest::newRow("mode 3 is 0") << 3 << 2 << 1 << 1 << first;
}

void TestScanMsgView::modeRulesAtLoad()
{
    QFETCH(int, mode);
    QFETCH(int, combination);
    QFETCH(int, selected);
    QFETCH(int, byte4);
    QFETCH(QStringList, items);
    SetChannelInUse(m_data, 5, true);
    Bytes& d = Block0160(m_data);
    d[sb::kPriorityMode] = std::uint8_t(mode);
    d[sb::kPriorityChannel] = 5;
    d[sb::kTransmitOn] = std::uint8_t(combination);
    const Bytes before = d;
    CScanMsgView view(&m_doc.document);
    auto* list = Find<QComboBox>(view, "combinationList");
    QCOMPARE(Items(list), items);
    QCOMPARE(list->currentIndex(), selected);
    const bool channelMode = mode == 1;
    QCOMPARE(Find<QLineEdit>(view, "channelEdit")->text(), QString(channelMode ? "5" : ""));
    QCOMPARE(Find<QLineEdit>(view, "channelEdit")->isEnabled(), channelMode);
    // Showing never writes; the view's next change brings bytes 1 and 4 to what it
    // shows, in the same step, and never writes the mode.
    QCOMPARE(d, before);
    QCOMPARE(m_doc.Steps(), 0);
    Find<QLineEdit>(view, "valueCEdit")->setText("5");
    QVERIFY(view.CommitField(CScanMsgView::Field::ResumeTime));
    QCOMPARE(m_doc.Steps(), 1);
    QCOMPARE(int(d[sb::kTransmitOn]), byte4);
    QCOMPARE(int(d[sb::kPriorityChannel]), channelMode ? 5 : 0xFF);
    QCOMPARE(int(d[sb::kPriorityMode]), mode);
}

void TestScanMsgView::choosingModeTwo()
{
    SetChannelInUse(m_data, 1, true);
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* mode = Find<QComboBox>(view, "modeList");
    mode->setFocus();
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(mode->currentIndex(), 2);
    const Bytes& d = Block0160(m_data);
    QCOMPARE(int(d[sb::kPriorityMode]), 2);
    QCOMPARE(int(d[sb::kPriorityChannel]), 0xFF);
    QCOMPARE(int(d[sb::kTransmitOn]), 3);
    QVERIFY(!Find<QLineEdit>(view, "channelEdit")->isEnabled());
    QCOMPARE(Find<QLineEdit>(view, "channelEdit")->text(), QString());
    QVERIFY(Find<QLineEdit>(view, "timeAEdit")->isEnabled());
    QVERIFY(Find<QLineEdit>(view, "timeBEdit")->isEnabled());
    QCOMPARE(Items(Find<QComboBox>(view, "combinationList")), QStringList({"T139", "T139+T146"}));
    QCOMPARE(view.RememberedField(), CScanMsgView::Field::None);
}

void TestScanMsgView::choosingModeZeroClearsChannel()
{
    SetChannelInUse(m_data, 1, true);
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* mode = Find<QComboBox>(view, "modeList");
    mode->setFocus();
    QTest::keyClick(mode, Qt::Key_Up);
    const Bytes& d = Block0160(m_data);
    QCOMPARE(int(d[sb::kPriorityMode]), 0);
    QCOMPARE(int(d[sb::kPriorityChannel]), 0xFF);
    QCOMPARE(int(d[sb::kTransmitOn]), 1);
    QVERIFY(!Find<QLineEdit>(view, "timeAEdit")->isEnabled());
    // Back in mode 1 the channel stays none.
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(int(d[sb::kPriorityMode]), 1);
    QCOMPARE(Find<QLineEdit>(view, "channelEdit")->text(), QString());
    QCOMPARE(Items(Find<QComboBox>(view, "combinationList")).size(), 4);
    QCOMPARE(Find<QComboBox>(view, "combinationList")->currentIndex(), 1);
}

void TestScanMsgView::combinationFollowsMode()
{
    Block0160(m_data)[sb::kPriorityMode] = 2;
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* list = Find<QComboBox>(view, "combinationList");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(int(Block0160(m_data)[sb::kTransmitOn]), 2);
    Block0160(m_data)[sb::kPriorityMode] = 1;
    view.LoadFromRecord();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(int(Block0160(m_data)[sb::kTransmitOn]), 1);
}

void TestScanMsgView::channelTyping()
{
    SetChannelInUse(m_data, 1, true);
    SetChannelInUse(m_data, 5, true);
    SetChannelInUse(m_data, 12, true);
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* channel = Find<QLineEdit>(view, "channelEdit");
    const Bytes& d = Block0160(m_data);
    Retype(channel, "5");
    QCOMPARE(int(d[sb::kPriorityChannel]), 5);  // at once, before leaving
    QCOMPARE(channel->text(), QString("5"));
    Retype(channel, "x");
    QCOMPARE(channel->text(), QString("5"));
    QCOMPARE(m_boxes->beeps, 1);
    Retype(channel, "12");
    QCOMPARE(int(d[sb::kPriorityChannel]), 12);
    Leave(channel);
    QCOMPARE(channel->text(), QString("12"));
    QCOMPARE(int(d[sb::kPriorityChannel]), 12);
    QVERIFY(m_boxes->texts.isEmpty());
}

// A number that names no channel to choose stays on screen and is refused when the
// field is left; the record keeps the channel it had before the typing.
void TestScanMsgView::channelRefused_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");
    const QString range16 = QString::fromStdString(m_data.texts.Text(text::EnterWholeNumber));
    QTest::newRow("20 on 16 channels") << 1 << "20" << range16.arg(1).arg(16);
    QTest::newRow("17 on 16 channels") << 1 << "17" << range16.arg(1).arg(16);
    QTest::newRow("33 on 32 channels") << 0 << "33" << range16.arg(1).arg(32);
    QTest::newRow("three digits") << 0 << "123" << range16.arg(1).arg(32);
    QTest::newRow("0") << 0 << "0" << range16.arg(1).arg(32);
    QTest::newRow("not in use")
        << 0 << "7" << QString::fromStdString(m_data.texts.Text(text::ChannelNotInUse)).arg(7);
}

void TestScanMsgView::channelRefused()
{
    QFETCH(int, model);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    m_data.model = model;
    // Whatever lies behind the radio's last channel in the record is no channel.
    for (int n : {1, 2, 3, 5, 12, 17, 20, 32}) {
        SetChannelInUse(m_data, n, true);
    }
    SetChannelInUse(m_data, 7, false);
    Block0160(m_data)[sb::kPriorityChannel] = 5;
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* channel = Find<QLineEdit>(view, "channelEdit");
    // Typed key by key: its first digit names a channel that may be chosen.
    Retype(channel, typed);
    QCOMPARE(channel->text(), typed);
    QCOMPARE(int(Block0160(m_data)[sb::kPriorityChannel]), 5);
    Leave(channel);
    QCOMPARE(m_boxes->texts, QStringList{"T142: " + reason});
    QCOMPARE(channel->text(), typed);
    QVERIFY(channel->hasFocus());
    QCOMPARE(channel->selectedText(), typed);
    QCOMPARE(int(Block0160(m_data)[sb::kPriorityChannel]), 5);
    QVERIFY(!view.StoreToRecord());
    QCOMPARE(int(Block0160(m_data)[sb::kPriorityChannel]), 5);
    // What is typed next replaces the refused number.
    QTest::keyClicks(channel, "3");
    Leave(channel);
    QCOMPARE(int(Block0160(m_data)[sb::kPriorityChannel]), 3);
}

void TestScanMsgView::channelCannotBeCleared()
{
    SetChannelInUse(m_data, 5, true);
    Block0160(m_data)[sb::kPriorityChannel] = 5;
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* channel = Find<QLineEdit>(view, "channelEdit");
    channel->setFocus();
    channel->end(false);
    QTest::keyClick(channel, Qt::Key_Backspace);
    QCOMPARE(channel->text(), QString("5"));
    QCOMPARE(int(Block0160(m_data)[sb::kPriorityChannel]), 5);
}

void TestScanMsgView::timeEncoding()
{
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* timeA = Find<QLineEdit>(view, "timeAEdit");
    Retype(timeA, "1.25");
    QCOMPARE(int(Block0160(m_data)[sb::kCheckInterval]), 0x33);  // not yet
    Leave(timeA);
    QCOMPARE(int(Block0160(m_data)[sb::kCheckInterval]), 16);
    QCOMPARE(timeA->text(), QString("1.25"));
    auto* timeB = Find<QLineEdit>(view, "timeBEdit");
    QVERIFY(timeB->hasFocus());
    Retype(timeB, "4.95");
    Leave(timeB);
    QCOMPARE(int(Block0160(m_data)[sb::kHoldTime]), 90);
    QCOMPARE(timeB->text(), QString("4.95"));
    QVERIFY(m_boxes->texts.isEmpty());
}

void TestScanMsgView::numberRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");
    const QString time =
        "T143: " +
        QString::fromStdString(m_data.texts.Text(text::EnterNumberInSteps)).arg("0.5", "5", "0.05");
    const QString value =
        "T147: " +
        QString::fromStdString(m_data.texts.Text(text::EnterWholeNumber)).arg(0).arg(300);
    QTest::newRow("time off the step") << "timeA"
                                       << "1.23" << time;
    QTest::newRow("time above") << "timeA"
                                << "7" << time;
    QTest::newRow("time below") << "timeA"
                                << "0.45" << time;
    QTest::newRow("time no number") << "timeA"
                                    << "1..2" << time;
    QTest::newRow("value above") << "valueC"
                                 << "500" << value;
    QTest::newRow("value not whole") << "valueC"
                                     << "2.5" << value;
}

// A time or value the radio cannot keep as typed is refused when the field is left:
// the text stays as typed and selected, the record keeps its bytes, the arrows and a
// store do not pass over it.
void TestScanMsgView::numberRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* edit = Find<QLineEdit>(view, qPrintable(field + "Edit"));
    const Bytes before = Block0160(m_data);
    Retype(edit, typed);
    Leave(edit);
    QCOMPARE(m_boxes->texts, QStringList{reason});
    QCOMPARE(edit->text(), typed);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), typed);
    QCOMPARE(Block0160(m_data), before);
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(!view.StoreToRecord());
    QCOMPARE(edit->text(), typed);
    QVERIFY(edit->hasFocus());
    QCOMPARE(Block0160(m_data), before);
}

void TestScanMsgView::timeLoad_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0") << 0 << "0.5";
    QTest::newRow("1") << 1 << "0.5";
    QTest::newRow("2") << 2 << "0.55";
    QTest::newRow("51") << 51 << "3";
    QTest::newRow("91") << 91 << "5";
    QTest::newRow("0xFF") << 0xFF << "5";
}

void TestScanMsgView::timeLoad()
{
    QFETCH(int, byte);
    QFETCH(QString, shown);
    Block0160(m_data)[sb::kCheckInterval] = std::uint8_t(byte);
    Block0160(m_data)[sb::kHoldTime] = std::uint8_t(byte);
    CScanMsgView view(&m_doc.document);
    QCOMPARE(Find<QLineEdit>(view, "timeAEdit")->text(), shown);
    QCOMPARE(Find<QLineEdit>(view, "timeBEdit")->text(), shown);
}

void TestScanMsgView::valueLoad_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<QString>("valueC");
    QTest::addColumn<QString>("valueD");
    QTest::newRow("300") << 0x2C << 0x01 << "300"
                         << "300";
    QTest::newRow("301") << 0x2D << 0x01 << "4"
                         << "3";
    QTest::newRow("0") << 0 << 0 << "0"
                       << "0";
    QTest::newRow("255") << 0xFF << 0 << "255"
                         << "255";
    QTest::newRow("erased") << 0xFF << 0xFF << "4"
                            << "3";
}

void TestScanMsgView::valueLoad()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(QString, valueC);
    QFETCH(QString, valueD);
    Bytes& d = Block0160(m_data);
    d[sb::kResumeTimeLow] = d[sb::kCarrierHoldLow] = std::uint8_t(low);
    d[sb::kResumeTimeLow + 1] = d[sb::kCarrierHoldLow + 1] = std::uint8_t(high);
    CScanMsgView view(&m_doc.document);
    QCOMPARE(Find<QLineEdit>(view, "valueCEdit")->text(), valueC);
    QCOMPARE(Find<QLineEdit>(view, "valueDEdit")->text(), valueD);
}

void TestScanMsgView::timeSpins_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0.5 down stays") << 1 << false << 1 << "0.5";
    QTest::newRow("4.95 up gives 5") << 90 << true << 91 << "5";
    QTest::newRow("5 up stays") << 91 << true << 91 << "5";
    QTest::newRow("3 down") << 51 << false << 50 << "2.95";
    QTest::newRow("0.55 down") << 2 << false << 1 << "0.5";
}

void TestScanMsgView::timeSpins()
{
    QFETCH(int, byte);
    QFETCH(bool, up);
    QFETCH(int, result);
    QFETCH(QString, shown);
    Block0160(m_data)[sb::kCheckInterval] = std::uint8_t(byte);
    Block0160(m_data)[sb::kHoldTime] = std::uint8_t(byte);
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    // The arrows beside Time A, and the arrow keys in Time B.
    ClickArrow(view, "timeASpin", up ? Qt::UpArrow : Qt::DownArrow);
    QCOMPARE(int(Block0160(m_data)[sb::kCheckInterval]), result);
    QCOMPARE(Find<QLineEdit>(view, "timeAEdit")->text(), shown);
    QVERIFY(Find<QLineEdit>(view, "timeAEdit")->hasFocus());
    QCOMPARE(view.RememberedField(), CScanMsgView::Field::CheckInterval);
    auto* timeB = Find<QLineEdit>(view, "timeBEdit");
    timeB->setFocus();
    QTest::keyClick(timeB, up ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(int(Block0160(m_data)[sb::kHoldTime]), result);
    QCOMPARE(timeB->text(), shown);
}

void TestScanMsgView::valueSpins()
{
    Bytes& d = Block0160(m_data);
    d[sb::kResumeTimeLow] = 0x2C;
    d[sb::kResumeTimeLow + 1] = 0x01;
    d[sb::kCarrierHoldLow] = 0;
    d[sb::kCarrierHoldLow + 1] = 0;
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    ClickArrow(view, "valueCSpin", Qt::UpArrow);
    QCOMPARE(Find<QLineEdit>(view, "valueCEdit")->text(), QString("300"));
    ClickArrow(view, "valueCSpin", Qt::DownArrow);
    QCOMPARE(Find<QLineEdit>(view, "valueCEdit")->text(), QString("299"));
    QCOMPARE(int(d[sb::kResumeTimeLow]), 0x2B);
    ClickArrow(view, "valueDSpin", Qt::DownArrow);
    QCOMPARE(Find<QLineEdit>(view, "valueDEdit")->text(), QString("0"));
    QCOMPARE(int(d[sb::kCarrierHoldLow]), 0);
    ClickArrow(view, "valueDSpin", Qt::UpArrow);
    QCOMPARE(int(d[sb::kCarrierHoldLow]), 1);
}

void TestScanMsgView::spinCommitsThePreviousField()
{
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    Retype(Find<QLineEdit>(view, "valueDEdit"), "77");
    ClickArrow(view, "timeBSpin", Qt::UpArrow);
    QCOMPARE(int(Block0160(m_data)[sb::kCarrierHoldLow]), 77);
    QCOMPARE(int(Block0160(m_data)[sb::kHoldTime]), 0x34);
}

void TestScanMsgView::arrowStepsMergePerField()
{
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    QUndoStack* history = m_doc.document.History();
    const Bytes before = Block0160(m_data);  // Time A 3
    for (int i = 0; i < 10; ++i) {
        ClickArrow(view, "timeASpin", Qt::UpArrow);
    }
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->text(0), QString("T143 set to 3.5"));
    // Another field, a typed commit and any other step each end the merge.
    ClickArrow(view, "timeBSpin", Qt::UpArrow);
    Retype(Find<QLineEdit>(view, "timeAEdit"), "4");
    ClickArrow(view, "timeASpin", Qt::UpArrow);
    ClickArrow(view, "timeASpin", Qt::UpArrow);
    QCOMPARE(history->count(), 4);
    QCOMPARE(history->text(3), QString("T143 set to 4.1"));
    // Arrows that come back to where they began leave no step.
    ClickArrow(view, "valueCSpin", Qt::UpArrow);
    ClickArrow(view, "valueCSpin", Qt::DownArrow);
    QCOMPARE(history->count(), 4);
    for (int i = 0; i < 4; ++i) {
        history->undo();
    }
    QCOMPARE(Block0160(m_data), before);
    QCOMPARE(Find<QLineEdit>(view, "timeAEdit")->text(), QString("3"));
}

void TestScanMsgView::storeCommitsTheFieldBeingEdited()
{
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    Retype(Find<QLineEdit>(view, "valueDEdit"), "123");
    QCOMPARE(int(Block0160(m_data)[sb::kCarrierHoldLow]), 3);
    QCOMPARE(view.RememberedField(), CScanMsgView::Field::CarrierHold);
    view.StoreToRecord();
    QCOMPARE(int(Block0160(m_data)[sb::kCarrierHoldLow]), 123);
    QCOMPARE(int(Block0160(m_data)[sb::kCarrierHoldLow + 1]), 0);
    QCOMPARE(view.RememberedField(), CScanMsgView::Field::None);
}

void TestScanMsgView::enterCommitsAndMovesOn()
{
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* timeA = Find<QLineEdit>(view, "timeAEdit");
    Retype(timeA, "2");
    QTest::keyClick(timeA, Qt::Key_Return);
    QCOMPARE(int(Block0160(m_data)[sb::kCheckInterval]), 31);
    QVERIFY(Find<QLineEdit>(view, "timeBEdit")->hasFocus());
    QCOMPARE(view.RememberedField(), CScanMsgView::Field::HoldTime);
}

void TestScanMsgView::closeStoresAndAsksToClose()
{
    CScanMsgView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    QSignalSpy closing(&view, &CEditView::closeRequested);
    Retype(Find<QLineEdit>(view, "valueCEdit"), "42");
    QTest::mouseClick(Find<QPushButton>(view, "closeButton"), Qt::LeftButton);
    QCOMPARE(closing.count(), 1);
    QCOMPARE(int(Block0160(m_data)[sb::kResumeTimeLow]), 42);
}

void TestScanMsgView::refreshTexts()
{
    CScanMsgView view(&m_doc.document);
    QCOMPARE(view.ViewTitle(), QString("T14"));
    QSignalSpy titles(&view, &CEditView::titleChanged);
    m_data.texts.SetText(text::ScanView, "Scan");
    m_data.texts.SetText(text::ScanPriority, "Priority");
    view.RefreshTexts();
    QCOMPARE(titles.count(), 1);
    QCOMPARE(titles.first().first().toString(), QString("Scan"));
    QCOMPARE(Find<QComboBox>(view, "modeList")->count(), 3);
    QCOMPARE(Items(Find<QComboBox>(view, "combinationList")),
             QStringList({"T141", "T141+T146", "Priority", "Priority+T146"}));
}

QTEST_MAIN(TestScanMsgView)
#include "test_scan_msg_view.moc"
