// The optional features view on real widgets: loading, the clamping and enabled
// rules, the DTMF filter, the spins, the checks, storing, Close, Enter, texts and
// the printed summary.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "data/feature_bytes.h"
#include "feature_test_support.h"
#include "features/choice_fun_view.h"
#include "features/spin_arrows.h"
#include "tests/features/view_document.h"

using namespace radio;
using radio::test::Find;
namespace fb = radio::bytes::choice;

namespace {

using Bytes = std::array<std::uint8_t, kBlockDataSize>;

Bytes& Block0120(RadioData& data)
{
    return data.block(Block::B0120).data;
}

// Clicks the box's indicator (the middle of a wide box is not on it).
void Click(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QToolButton* Arrow(QWidget& view, const char* spinName, Qt::ArrowType arrow)
{
    const auto buttons = Find<SpinArrows>(view, spinName)->findChildren<QToolButton*>();
    for (QToolButton* button : buttons) {
        if (button->arrowType() == arrow) {
            return button;
        }
    }
    qFatal("no arrow");
    return nullptr;
}

}  // namespace

class TestChoiceFunView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void erasedBlockLoadsClamped();
    void erasedBlockStoresInRange();
    void defaultBlockStoresUnchanged();
    void editsReachTheRecordOnlyOnStore();
    void loadClamping_data();
    void loadClamping();
    void numberChecks_data();
    void numberChecks();
    void keyLockDisablesAutoKeyLock();
    void voxOnEnablesVoxControls();
    void codeSelectorEnablesCodes_data();
    void codeSelectorEnablesCodes();
    void dtmfFilter();
    void dtmfCodeOfSixteen();
    void codeWithOtherBytes();
    void codeStoresAsTyped();
    void spinBounds_data();
    void spinBounds();
    void arrowKeysStep();
    void failedCheckKeepsStoredByte();
    void failedCheckOnLaterField();
    void closeStoresAndAsksToClose();
    void enterMovesToNextControl();
    void refreshTextsReloads();
    void printSummary();

private:
    test::ViewDocument m_doc;
    RadioData& m_data = m_doc.record;
};

void TestChoiceFunView::init()
{
    m_doc.Reset();
    m_data.ResetRecord(true);
    test::NameTexts(m_data);
}

void TestChoiceFunView::erasedBlockLoadsClamped()
{
    Block0120(m_data).fill(0xFF);
    CChoiceFunView view(&m_doc.document);
    QCOMPARE(Find<QLineEdit>(view, "timerEdit")->text(), QString("120"));
    QCOMPARE(Find<QLineEdit>(view, "levelAEdit")->text(), QString("8"));
    QCOMPARE(Find<QLineEdit>(view, "levelBEdit")->text(), QString("2"));
    QCOMPARE(Find<QLineEdit>(view, "voxLevelEdit")->text(), QString("0"));
    QCOMPARE(Find<QComboBox>(view, "choiceAList")->currentIndex(), 0);
    QCOMPARE(Find<QComboBox>(view, "choiceBList")->currentIndex(), 0);
    QCOMPARE(Find<QComboBox>(view, "codeChoiceList")->currentIndex(), 0);
    QCOMPARE(Find<QComboBox>(view, "codeSelectorList")->currentIndex(), 0);
    QCOMPARE(Find<QComboBox>(view, "voxDelayList")->currentText(), QString("0.3"));
    for (const char* box : {"switch1Box", "switch2Box", "switch3Box", "switch4Box", "voxOnBox",
                            "voxSwitch1Box", "voxSwitch2Box", "voxSwitch3Box", "groupSwitchBox"}) {
        QVERIFY2(!Find<QCheckBox>(view, box)->isChecked(), box);
    }
    QCOMPARE(Find<QLineEdit>(view, "code1Edit")->text(), QString());
    QCOMPARE(Find<QLineEdit>(view, "code2Edit")->text(), QString());
    // The enabled states follow the raw bytes: Switch 3 and VOX on are 0xFF.
    QVERIFY(!Find<QCheckBox>(view, "switch4Box")->isEnabled());
    QVERIFY(Find<QLineEdit>(view, "voxLevelEdit")->isEnabled());
    QVERIFY(Find<QComboBox>(view, "voxDelayList")->isEnabled());
    QVERIFY(Find<QCheckBox>(view, "voxSwitch3Box")->isEnabled());
    QVERIFY(Find<QLineEdit>(view, "code1Edit")->isEnabled());
    QVERIFY(!Find<QLineEdit>(view, "code2Edit")->isEnabled());
}

void TestChoiceFunView::erasedBlockStoresInRange()
{
    Block0120(m_data).fill(0xFF);
    CChoiceFunView view(&m_doc.document);
    view.StoreToRecord();
    const Bytes& d = Block0120(m_data);
    QCOMPARE(int(d[fb::kTxTimeOut]), 7);
    QCOMPARE(int(d[fb::kSquelchLevel]), 8);
    QCOMPARE(int(d[fb::kVolumeLevel]), 2);
    for (int byte :
         {fb::kAudioResponse, fb::kBatterySave, fb::kKeyBeep, fb::kVoicePrompt, fb::kKeyLock,
          fb::kAutoKeyLock, fb::kVoxOn, fb::kVoxLevel, fb::kVoxDelay, fb::kVoxHeadsetOnly,
          fb::kVoxInhibitOnReceive, fb::kVoxBeep, fb::kScrambler, fb::kSendCode, fb::kDtmfCodes}) {
        QVERIFY2(d[std::size_t(byte)] == 0, qPrintable(QString::number(byte)));
    }
    for (int i = fb::kCode1; i < fb::kCode2 + fb::kCodeSize; ++i) {
        QCOMPARE(int(d[std::size_t(i)]), 0xFF);
    }
    // The bytes of nobody here stay as they were.
    for (int byte : {0, 5, 11, 14, 31}) {
        QCOMPARE(int(d[std::size_t(byte)]), 0xFF);
    }
}

void TestChoiceFunView::defaultBlockStoresUnchanged()
{
    const Bytes before = Block0120(m_data);
    CChoiceFunView view(&m_doc.document);
    QCOMPARE(Find<QLineEdit>(view, "timerEdit")->text(), QString("120"));
    QCOMPARE(Find<QLineEdit>(view, "levelAEdit")->text(), QString("6"));
    QCOMPARE(Find<QLineEdit>(view, "levelBEdit")->text(), QString("5"));
    QCOMPARE(Find<QComboBox>(view, "voxDelayList")->currentText(), QString("0.5"));
    QCOMPARE(Find<QComboBox>(view, "choiceBList")->currentText(), QString("T106"));
    QCOMPARE(Find<QComboBox>(view, "codeSelectorList")->currentText(), QString("T123"));
    QCOMPARE(Find<QLineEdit>(view, "code1Edit")->text(), QString("12345"));
    QCOMPARE(Find<QLineEdit>(view, "code2Edit")->text(), QString("54321"));
    QVERIFY(Find<QCheckBox>(view, "switch1Box")->isChecked());
    QVERIFY(Find<QCheckBox>(view, "voxOnBox")->isChecked());
    QVERIFY(!Find<QCheckBox>(view, "switch3Box")->isChecked());
    view.StoreToRecord();
    QCOMPARE(Block0120(m_data), before);
}

void TestChoiceFunView::editsReachTheRecordOnlyOnStore()
{
    test::BoxLog boxes;
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    Retype(Find<QLineEdit>(view, "timerEdit"), "600");
    Retype(Find<QLineEdit>(view, "levelAEdit"), "10");
    Retype(Find<QLineEdit>(view, "levelBEdit"), "0");
    Retype(Find<QLineEdit>(view, "voxLevelEdit"), "9");
    Click(Find<QCheckBox>(view, "switch2Box"));
    Click(Find<QCheckBox>(view, "groupSwitchBox"));
    auto* delay = Find<QComboBox>(view, "voxDelayList");
    delay->setFocus();
    QTest::keyClick(delay, Qt::Key_End);
    auto* code1 = Find<QLineEdit>(view, "code1Edit");
    code1->setFocus();
    code1->end(false);
    QTest::keyClicks(code1, "*#");
    QCOMPARE(int(Block0120(m_data)[fb::kTxTimeOut]), 7);

    view.StoreToRecord();
    QVERIFY(boxes.texts.isEmpty());
    const Bytes& d = Block0120(m_data);
    QCOMPARE(int(d[fb::kTxTimeOut]), 39);
    QCOMPARE(int(d[fb::kSquelchLevel]), 10);
    QCOMPARE(int(d[fb::kVolumeLevel]), 0);
    QCOMPARE(int(d[fb::kVoxLevel]), 9);
    QCOMPARE(int(d[fb::kVoicePrompt]), 0);
    QCOMPARE(int(d[fb::kScrambler]), 1);
    QCOMPARE(int(d[fb::kVoxDelay]), 5);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&d[fb::kCode1]), 8),
             QByteArray("12345*#\xFF"));
}

void TestChoiceFunView::loadClamping_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    QTest::newRow("timer 39") << fb::kTxTimeOut << 39 << "timerEdit"
                              << "600";
    QTest::newRow("timer 0") << fb::kTxTimeOut << 0 << "timerEdit"
                             << "15";
    QTest::newRow("timer 40") << fb::kTxTimeOut << 40 << "timerEdit"
                              << "120";
    QTest::newRow("level A 10") << fb::kSquelchLevel << 10 << "levelAEdit"
                                << "10";
    QTest::newRow("level A 11") << fb::kSquelchLevel << 11 << "levelAEdit"
                                << "8";
    QTest::newRow("level B 9") << fb::kVolumeLevel << 9 << "levelBEdit"
                               << "9";
    QTest::newRow("level B 10") << fb::kVolumeLevel << 10 << "levelBEdit"
                                << "2";
    QTest::newRow("vox level 10") << fb::kVoxLevel << 10 << "voxLevelEdit"
                                  << "10";
    QTest::newRow("vox level 11") << fb::kVoxLevel << 11 << "voxLevelEdit"
                                  << "0";
    QTest::newRow("choice A 1") << fb::kAudioResponse << 1 << "choiceAList"
                                << "1";
    QTest::newRow("choice A 2") << fb::kAudioResponse << 2 << "choiceAList"
                                << "0";
    QTest::newRow("choice B 2") << fb::kBatterySave << 2 << "choiceBList"
                                << "2";
    QTest::newRow("choice B 3") << fb::kBatterySave << 3 << "choiceBList"
                                << "0";
    QTest::newRow("code selector 3") << fb::kDtmfCodes << 3 << "codeSelectorList"
                                     << "0";
    QTest::newRow("code choice 2") << fb::kSendCode << 2 << "codeChoiceList"
                                   << "0";
    QTest::newRow("vox delay 5") << fb::kVoxDelay << 5 << "voxDelayList"
                                 << "5";
    QTest::newRow("vox delay 6") << fb::kVoxDelay << 6 << "voxDelayList"
                                 << "0";
    QTest::newRow("vox switch 2 is 2") << fb::kVoxInhibitOnReceive << 2 << "voxSwitch2Box"
                                       << "0";
    QTest::newRow("group switch 1") << fb::kScrambler << 1 << "groupSwitchBox"
                                    << "1";
    QTest::newRow("switch 1 is 3") << fb::kKeyBeep << 3 << "switch1Box"
                                   << "0";
    QTest::newRow("switch 2 is 1") << fb::kVoicePrompt << 1 << "switch2Box"
                                   << "1";
}

void TestChoiceFunView::loadClamping()
{
    QFETCH(int, byte);
    QFETCH(int, value);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    Block0120(m_data)[std::size_t(byte)] = std::uint8_t(value);
    CChoiceFunView view(&m_doc.document);
    QWidget* w = view.findChild<QWidget*>(control);
    QVERIFY(w);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        QCOMPARE(edit->text(), shown);
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        QCOMPARE(QString::number(list->currentIndex()), shown);
    } else {
        QCOMPARE(QString::number(qobject_cast<QCheckBox*>(w)->isChecked()), shown);
    }
}

void TestChoiceFunView::numberChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("stored");      // -1: refused, the byte keeps its value
    QTest::addColumn<QString>("reason");  // what the refusal names
    QTest::newRow("timer off the step") << "timer"
                                        << "100" << fb::kTxTimeOut << -1 << "in steps of 15";
    QTest::newRow("timer one below the step") << "timer"
                                              << "599" << fb::kTxTimeOut << -1 << "in steps of 15";
    QTest::newRow("timer on the step") << "timer"
                                       << "105" << fb::kTxTimeOut << 6 << "";
    QTest::newRow("timer 15") << "timer"
                              << "15" << fb::kTxTimeOut << 0 << "";
    QTest::newRow("timer too long") << "timer"
                                    << "120700" << fb::kTxTimeOut << -1 << "from 15 to 600";
    QTest::newRow("timer not whole") << "timer"
                                     << "30.5" << fb::kTxTimeOut << -1 << "from 15 to 600";
    QTest::newRow("level B 10") << "levelB"
                                << "10" << fb::kVolumeLevel << -1 << "from 0 to 9";
    QTest::newRow("vox level 11") << "voxLevel"
                                  << "11" << fb::kVoxLevel << -1 << "from 0 to 10";
}

// A number the radio cannot keep as typed is refused with the range (and the step),
// the text stays as typed and selected, and the record keeps its byte.
void TestChoiceFunView::numberChecks()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, byte);
    QFETCH(int, stored);
    QFETCH(QString, reason);
    test::BoxLog boxes;
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* edit = Find<QLineEdit>(view, qPrintable(field + "Edit"));
    const int before = Block0120(m_data)[std::size_t(byte)];
    Retype(edit, typed);
    Find<QLineEdit>(view, "code2Edit")->setFocus();
    const bool taken = view.StoreToRecord();
    QCOMPARE(taken, stored >= 0);
    QCOMPARE(int(Block0120(m_data)[std::size_t(byte)]), stored >= 0 ? stored : before);
    QCOMPARE(edit->text(), typed);
    if (stored >= 0) {
        QVERIFY(boxes.texts.isEmpty());
        return;
    }
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY2(boxes.texts.first().contains(reason), qPrintable(boxes.texts.first()));
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), typed);
    // The arrows do not step over a refused text.
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), typed);
}

void TestChoiceFunView::keyLockDisablesAutoKeyLock()
{
    Block0120(m_data)[fb::kAutoKeyLock] = 1;
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* keyLock = Find<QCheckBox>(view, "switch3Box");
    auto* autoKeyLock = Find<QCheckBox>(view, "switch4Box");
    QVERIFY(autoKeyLock->isEnabled());
    Click(keyLock);
    QVERIFY(!autoKeyLock->isEnabled());
    // Auto key lock keeps its value and is still stored.
    QVERIFY(autoKeyLock->isChecked());
    view.StoreToRecord();
    QCOMPARE(int(Block0120(m_data)[fb::kKeyLock]), 1);
    QCOMPARE(int(Block0120(m_data)[fb::kAutoKeyLock]), 1);
    keyLock->setFocus();
    QTest::keyClick(keyLock, Qt::Key_Space);
    QVERIFY(autoKeyLock->isEnabled());
}

void TestChoiceFunView::voxOnEnablesVoxControls()
{
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    const QList<QWidget*> voxControls{
        Find<QLineEdit>(view, "voxLevelEdit"),  Find<QComboBox>(view, "voxDelayList"),
        Find<QCheckBox>(view, "voxSwitch1Box"), Find<QCheckBox>(view, "voxSwitch2Box"),
        Find<QCheckBox>(view, "voxSwitch3Box"), Find<SpinArrows>(view, "voxLevelSpin")};
    for (QWidget* w : voxControls) {
        QVERIFY(w->isEnabled());
    }
    Click(Find<QCheckBox>(view, "voxOnBox"));
    for (QWidget* w : voxControls) {
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    }
    QVERIFY(Find<QCheckBox>(view, "voxOnBox")->isEnabled());
    Click(Find<QCheckBox>(view, "voxOnBox"));
    for (QWidget* w : voxControls) {
        QVERIFY(w->isEnabled());
    }
}

void TestChoiceFunView::codeSelectorEnablesCodes_data()
{
    QTest::addColumn<int>("selector");
    QTest::addColumn<bool>("code1");
    QTest::addColumn<bool>("code2");
    QTest::newRow("0: Code 1 only") << 0 << true << false;
    QTest::newRow("1: Code 2 only") << 1 << false << true;
    QTest::newRow("2: both") << 2 << true << true;
}

void TestChoiceFunView::codeSelectorEnablesCodes()
{
    QFETCH(int, selector);
    QFETCH(bool, code1);
    QFETCH(bool, code2);
    // At load.
    Block0120(m_data)[fb::kDtmfCodes] = std::uint8_t(selector);
    CChoiceFunView loaded(&m_doc.document);
    QCOMPARE(Find<QLineEdit>(loaded, "code1Edit")->isEnabled(), code1);
    QCOMPARE(Find<QLineEdit>(loaded, "code2Edit")->isEnabled(), code2);

    // When chosen in the list: from each other selector to this one.
    for (int from = 0; from < 3; ++from) {
        Block0120(m_data)[fb::kDtmfCodes] = std::uint8_t(from);
        CChoiceFunView view(&m_doc.document);
        QVERIFY(test::ShowActive(view));
        auto* list = Find<QComboBox>(view, "codeSelectorList");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < selector; ++i) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        QCOMPARE(list->currentIndex(), selector);
        QCOMPARE(Find<QLineEdit>(view, "code1Edit")->isEnabled(), code1);
        QCOMPARE(Find<QLineEdit>(view, "code2Edit")->isEnabled(), code2);
    }
}

void TestChoiceFunView::dtmfFilter()
{
    test::BoxLog boxes;
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* code1 = Find<QLineEdit>(view, "code1Edit");
    code1->setFocus();
    code1->end(false);
    QTest::keyClicks(code1, "E");
    QCOMPARE(code1->text(), QString("12345"));
    QCOMPARE(code1->cursorPosition(), 5);
    QTest::keyClicks(code1, "a#");
    QCOMPARE(code1->text(), QString("12345a#"));
    // A letter in the middle is refused too, and the cursor stays where it was.
    code1->setCursorPosition(2);
    QTest::keyClicks(code1, "x");
    QCOMPARE(code1->text(), QString("12345a#"));
    QCOMPARE(code1->cursorPosition(), 2);
    // A paste with one wrong character is refused as a whole.
    code1->selectAll();
    code1->insert("99E9");
    emit code1->textEdited(code1->text());
    QCOMPARE(code1->text(), QString("12345a#"));
    QVERIFY(boxes.texts.isEmpty());
    view.StoreToRecord();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&Block0120(m_data)[fb::kCode1]), 8),
             QByteArray("12345a#\xFF"));
}

void TestChoiceFunView::dtmfCodeOfSixteen()
{
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* code2 = Find<QLineEdit>(view, "code2Edit");
    Retype(code2, "0123456789ABCD*#");
    QCOMPARE(code2->text(), QString("0123456789ABCD*#"));
    QTest::keyClicks(code2, "1");  // a 17th character
    QCOMPARE(code2->text(), QString("0123456789ABCD*#"));
    view.StoreToRecord();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&Block0120(m_data)[fb::kCode2]), 16),
             QByteArray("0123456789ABCD*#"));
}

void TestChoiceFunView::codeWithOtherBytes()
{
    Bytes& d = Block0120(m_data);
    std::fill(d.begin() + fb::kCode1, d.begin() + fb::kCode1 + 16, 0xFF);
    d[fb::kCode1] = 0x31;
    d[fb::kCode1 + 1] = 0x00;
    d[fb::kCode1 + 2] = 0x32;
    std::fill(d.begin() + fb::kCode2, d.begin() + fb::kCode2 + 16, std::uint8_t('9'));
    CChoiceFunView view(&m_doc.document);
    QCOMPARE(Find<QLineEdit>(view, "code1Edit")->text(), QString("1"));
    QCOMPARE(Find<QLineEdit>(view, "code2Edit")->text(), QString(16, QChar('9')));
    view.StoreToRecord();
    QCOMPARE(int(d[fb::kCode1]), 0x31);
    for (int i = 1; i < 16; ++i) {
        QCOMPARE(int(d[std::size_t(fb::kCode1 + i)]), 0xFF);
    }
}

void TestChoiceFunView::codeStoresAsTyped()
{
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    Retype(Find<QLineEdit>(view, "code1Edit"), "12A*#");
    view.StoreToRecord();
    const Bytes& d = Block0120(m_data);
    const std::uint8_t expected[16] = {0x31, 0x32, 0x41, 0x2A, 0x23, 0xFF, 0xFF, 0xFF,
                                       0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    QVERIFY(std::equal(expected, expected + 16, d.begin() + fb::kCode1));
}

void TestChoiceFunView::spinBounds_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("result");
    QTest::newRow("timer 600 up stays") << "timer"
                                        << "600" << true << "600";
    QTest::newRow("timer 15 down stays") << "timer"
                                         << "15" << false << "15";
    QTest::newRow("timer 585 up") << "timer"
                                  << "585" << true << "600";
    QTest::newRow("timer 120 down") << "timer"
                                    << "120" << false << "105";
    QTest::newRow("level A 10 up stays") << "levelA"
                                         << "10" << true << "10";
    QTest::newRow("level A 0 down stays") << "levelA"
                                          << "0" << false << "0";
    QTest::newRow("level B 9 up stays") << "levelB"
                                        << "9" << true << "9";
    QTest::newRow("level B 8 up") << "levelB"
                                  << "8" << true << "9";
    QTest::newRow("vox level 10 up stays") << "voxLevel"
                                           << "10" << true << "10";
    QTest::newRow("vox level 3 down") << "voxLevel"
                                      << "3" << false << "2";
}

void TestChoiceFunView::spinBounds()
{
    QFETCH(QString, field);
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, result);
    test::BoxLog boxes;
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* edit = Find<QLineEdit>(view, qPrintable(field + "Edit"));
    Retype(edit, start);
    const Bytes before = Block0120(m_data);
    const QByteArray spin = (field + "Spin").toLatin1();
    QTest::mouseClick(Arrow(view, spin.constData(), up ? Qt::UpArrow : Qt::DownArrow),
                      Qt::LeftButton);
    QCOMPARE(edit->text(), result);
    QVERIFY(boxes.texts.isEmpty());
    // The step changes the view only.
    QCOMPARE(Block0120(m_data), before);
}

void TestChoiceFunView::arrowKeysStep()
{
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* timer = Find<QLineEdit>(view, "timerEdit");
    timer->setFocus();
    QTest::keyClick(timer, Qt::Key_Up);
    QCOMPARE(timer->text(), QString("135"));
    QTest::keyClick(timer, Qt::Key_Down);
    QTest::keyClick(timer, Qt::Key_Down);
    QCOMPARE(timer->text(), QString("105"));
    QVERIFY(timer->hasFocus());
}

void TestChoiceFunView::failedCheckKeepsStoredByte()
{
    test::BoxLog boxes;
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    auto* timer = Find<QLineEdit>(view, "timerEdit");
    Retype(timer, "700");
    Retype(Find<QLineEdit>(view, "levelAEdit"), "3");
    Click(Find<QCheckBox>(view, "switch2Box"));
    boxes.texts.clear();
    view.StoreToRecord();
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY(boxes.texts.first().contains("15"));
    QVERIFY(boxes.texts.first().contains("600"));
    QVERIFY(timer->hasFocus());
    const Bytes& d = Block0120(m_data);
    // The timer keeps its stored step; the fields checked after it are not taken.
    QCOMPARE(int(d[fb::kTxTimeOut]), 7);
    QCOMPARE(int(d[fb::kSquelchLevel]), 6);
    // The lists and switches have no check and are stored.
    QCOMPARE(int(d[fb::kVoicePrompt]), 0);
}

void TestChoiceFunView::failedCheckOnLaterField()
{
    test::BoxLog boxes;
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    Retype(Find<QLineEdit>(view, "timerEdit"), "300");
    Retype(Find<QLineEdit>(view, "code1Edit"), "777");
    // Pasted text is not filtered by the number field.
    auto* levelB = Find<QLineEdit>(view, "levelBEdit");
    levelB->setText("4x");
    QVERIFY(boxes.texts.isEmpty());
    view.StoreToRecord();
    QCOMPARE(boxes.texts.size(), 1);
    // The message names the field by its label.
    QCOMPARE(boxes.texts.first(),
             QString::fromStdString(m_data.texts.Text(text::VolumeLevel)) + ": " +
                 QString::fromStdString(m_data.texts.Text(text::EnterWholeNumber)).arg(0).arg(9));
    QVERIFY(levelB->hasFocus());
    const Bytes& d = Block0120(m_data);
    QCOMPARE(int(d[fb::kTxTimeOut]), 19);    // before the failure: stored
    QCOMPARE(int(d[fb::kVolumeLevel]), 5);   // the failing field keeps its byte
    QCOMPARE(int(d[fb::kCode1]), int('1'));  // after it: not taken
}

void TestChoiceFunView::closeStoresAndAsksToClose()
{
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    QSignalSpy closing(&view, &CEditView::closeRequested);
    Retype(Find<QLineEdit>(view, "levelAEdit"), "2");
    QTest::mouseClick(Find<QPushButton>(view, "closeButton"), Qt::LeftButton);
    QCOMPARE(closing.count(), 1);
    QCOMPARE(int(Block0120(m_data)[fb::kSquelchLevel]), 2);
}

void TestChoiceFunView::enterMovesToNextControl()
{
    CChoiceFunView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    QSignalSpy closing(&view, &CEditView::closeRequested);
    auto* timer = Find<QLineEdit>(view, "timerEdit");
    timer->setFocus();
    QTest::keyClick(timer, Qt::Key_Return);
    QVERIFY(Find<QLineEdit>(view, "levelAEdit")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(Find<QLineEdit>(view, "levelBEdit")->hasFocus());
    QCOMPARE(closing.count(), 0);
    // Disabled controls are passed over: Code 2 is off with selector 0.
    Block0120(m_data)[fb::kDtmfCodes] = 0;
    view.LoadFromRecord();
    auto* code1 = Find<QLineEdit>(view, "code1Edit");
    code1->setFocus();
    QTest::keyClick(code1, Qt::Key_Return);
    QVERIFY(Find<QCheckBox>(view, "voxOnBox")->hasFocus());
    // Enter on Close presses it.
    auto* close = Find<QPushButton>(view, "closeButton");
    close->setFocus();
    QTest::keyClick(close, Qt::Key_Return);
    QCOMPARE(closing.count(), 1);
}

void TestChoiceFunView::refreshTextsReloads()
{
    CChoiceFunView view(&m_doc.document);
    QCOMPARE(view.ViewTitle(), QString("T12"));
    QSignalSpy titles(&view, &CEditView::titleChanged);
    Find<QLineEdit>(view, "levelAEdit")->setText("1");
    m_data.texts.SetText(text::FeaturesView, "Features");
    m_data.texts.SetText(text::TxTimeout, "Timer (s)");
    m_data.texts.SetText(text::Deep, "Third");
    view.RefreshTexts();
    QCOMPARE(titles.count(), 1);
    QCOMPARE(titles.first().first().toString(), QString("Features"));
    QCOMPARE(Find<QLabel>(view, "timerLabel")->text(), QString("Timer (s)"));
    auto* choiceB = Find<QComboBox>(view, "choiceBList");
    QCOMPARE(test::Items(choiceB), (QStringList{"T60", "T106", "Third"}));
    QCOMPARE(Find<QComboBox>(view, "voxDelayList")->count(), 6);
    // Unstored edits give way to the record.
    QCOMPARE(Find<QLineEdit>(view, "levelAEdit")->text(), QString("6"));
}

void TestChoiceFunView::printSummary()
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) {
        QSKIP("pdftotext is not installed");
    }
    CChoiceFunView view(&m_doc.document);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath("summary.pdf");
    int last = 0;
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        QPainter painter(&writer);
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSize(10);
        painter.setFont(font);
        last = view.PrintSummary(painter, 3, 100, painter.fontMetrics().height());
    }
    QCOMPARE(last, 12);
    QProcess process;
    process.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* line :
         {"T99= 120", "T100= 6", "T101= 5", "T102= T103", "T104= T106", "T107= 1", "T109= 0",
          "T120= T15", "T59= T123", "T121= 12345", "T122= 54321", "T112= 1", "T113= 5", "T114= 0.5",
          "T117= 1", "T119= 0", "T111", "T118"}) {
        QVERIFY2(text.contains(QLatin1String(line)), line);
    }
}

QTEST_MAIN(TestChoiceFunView)
#include "test_choice_fun_view.moc"
