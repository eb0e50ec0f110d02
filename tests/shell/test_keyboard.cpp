// The keyboard flows of a dealer who never takes the mouse, through the whole window:
// where the keyboard is after start, after a transfer and after a box, and what a
// field that fails its check does to the command that collects the edits.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QtTest>

#include "channels/channel_grid.h"
#include "channels/chn_msg_form_view.h"
#include "shell/bg_client_wnd.h"
#include "shell/child_frame.h"
#include "shell/frame_actions.h"
#include "shell/prog_status_bar.h"
#include "shell_fixture.h"
#include "simulated_ports.h"

using namespace radio;
using namespace radio::test;

namespace {

QWidget* Grid(CMainFrame* frame)
{
    auto* view = static_cast<CChnMsgFormView*>(frame->View(ViewKind::Channels));
    return view ? view->Grid() : nullptr;
}

QLineEdit* Field(CMainFrame* frame, ViewKind kind, const char* name)
{
    return frame->View(kind)->findChild<QLineEdit*>(QString::fromLatin1(name));
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void typingRightAfterStartEntersAChannel();
    void theGridHasTheKeyboardAfterARead();
    void aFailedFieldStopsTheWrite();
    void aFailedFieldStopsTheSave();
    void aRefusedFrequencyStopsTheWrite();
    void leavingIsQuick();
};

void TestKeyboard::typingRightAfterStartEntersAChannel()
{
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QCOMPARE(QApplication::focusWidget(), Grid(frame));
    TypeIntoFocus(QStringLiteral("435.125"));
    PressOnFocus(Qt::Key_Return);
    QCOMPARE(std::as_const(frame->Data()).Channel(0).RxFrequency(), 0x43512500u);
    QCOMPARE(std::as_const(frame->Data()).Channel(0).TxFrequency(), 0x43512500u);
}

void TestKeyboard::theGridHasTheKeyboardAfterARead()
{
    auto config = FastRadio(400, 1);
    config.hasMemory = true;
    config.memory.fill(0xFF);
    SimulatedCom1 radio(config);
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;  // the Done box is answered with OK

    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(frame->TransferRunning());
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().icon, QMessageBox::Information);
    QCOMPARE(QApplication::focusWidget(), Grid(frame));

    TypeIntoFocus(QStringLiteral("436.25"));
    PressOnFocus(Qt::Key_Tab);
    QCOMPARE(std::as_const(frame->Data()).Channel(0).RxFrequency(), 0x43625000u);

    // The same after a write.
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(WaitIdle(frame));
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(QApplication::focusWidget(), Grid(frame));
    QCOMPARE(radio->Memory()[0x0010 + 3], std::uint8_t(0x43));
}

// Timer 700 is beyond its range: the write does not start, nothing says Done, the
// warning names the field and the field has the keyboard.
void TestKeyboard::aFailedFieldStopsTheWrite()
{
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Features);
    QLineEdit* timer = Field(frame, ViewKind::Features, "timerEdit");
    QVERIFY(timer);
    timer->setFocus();
    timer->selectAll();
    TypeIntoFocus(QStringLiteral("700"));
    const auto before = frame->Data().ToImage();
    // The features window closed meanwhile: the write brings it back with the field.
    frame->ChildFrame(ViewKind::Features)->hide();
    frame->OpenView(ViewKind::Channels);

    Boxes boxes;
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!frame->TransferRunning());
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().icon, QMessageBox::Warning);
    QVERIFY2(boxes.Last().text.startsWith(En(text::TxTimeout) + QStringLiteral(": ")),
             qPrintable(boxes.Last().text));
    QVERIFY(frame->ChildFrame(ViewKind::Features)->isVisible());
    QCOMPARE(frame->Background()->activeSubWindow(), frame->ChildFrame(ViewKind::Features));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(timer));
    QCOMPARE(timer->text(), QStringLiteral("700"));
    QVERIFY(frame->Data().ToImage() == before);
    QTest::qWait(50);
    QVERIFY(radio->Events().empty());  // the radio never heard of it
}

void TestKeyboard::aFailedFieldStopsTheSave()
{
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind::Features);
    QLineEdit* timer = Field(frame, ViewKind::Features, "timerEdit");
    timer->setText(QStringLiteral("700"));
    Boxes boxes;
    FileChoices files;
    files.Then(dir.Path(QStringLiteral("set.tw")));
    QTest::keyClick(frame, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(files.Kinds().empty());  // not even asked for a name
    QVERIFY(!dir.Exists(QStringLiteral("set.tw")));
}

// A text in the grid's editor that is not a frequency stops the write in the same way.
void TestKeyboard::aRefusedFrequencyStopsTheWrite()
{
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    TypeIntoFocus(QStringLiteral("4.3.5"));
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!frame->TransferRunning());
    QCOMPARE(boxes.Count(), 0);
    auto* view = static_cast<CChnMsgFormView*>(frame->View(ViewKind::Channels));
    QVERIFY(view->ActiveEditor() != nullptr);
    QCOMPARE(QApplication::focusWidget(), view->ActiveEditor());
    QCOMPARE(frame->ProgressBar()->currentMessage(), QStringLiteral("Not a frequency: 4.3.5"));
    QTest::qWait(50);
    QVERIFY(radio->Events().empty());
}

// After a session with every window open, a read, a write and the help, leaving
// after Yes takes well under 200 ms: nothing waits for a thread, a port or a timer.
void TestKeyboard::leavingIsQuick()
{
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    dir.Write(QStringLiteral("helptopics1/index.htm"), "<html><body>help</body></html>");
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    for (ViewKind kind : kAllViewKinds) {
        frame->OpenView(kind);
    }
    frame->Actions()->Action(FrameCommand::HelpTopics)->trigger();
    frame->Actions()->Action(FrameCommand::ReadRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    frame->Actions()->Action(FrameCommand::WriteRadio)->trigger();
    QVERIFY(WaitIdle(frame));
    QSignalSpy left(frame, &CMainFrame::exitConfirmed);

    QElapsedTimer clock;
    clock.start();
    boxes.Answer(QMessageBox::Yes);
    frame->close();
    QCOMPARE(left.size(), 1);
    app.reset();
    QCoreApplication::processEvents();
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
