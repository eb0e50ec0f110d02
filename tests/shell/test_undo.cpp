// The data set as a document: every kind of change is one step that undo and redo
// take back and bring back byte for byte; the title marks unsaved changes; New, Open
// and Exit ask before unsaved changes are lost; the clipboard keys on the table.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QToolBar>
#include <QUndoStack>
#include <QtTest>

#include "channels/channel_grid.h"
#include "channels/chn_msg_form_view.h"
#include "shell/child_frame.h"
#include "shell/help_commands.h"
#include "shell/frame_actions.h"
#include "shell/model_dlg.h"
#include "shell_fixture.h"
#include "sim/demo_memory.h"
#include "simulated_ports.h"

using namespace radio;
using namespace radio::test;

namespace {

using Image = std::array<std::uint8_t, image::kSize>;

CChnMsgFormView* Channels(CMainFrame* frame)
{
    return static_cast<CChnMsgFormView*>(frame->View(ViewKind::Channels));
}

QAction* Action(CMainFrame* frame, FrameCommand command)
{
    return frame->Actions()->Action(command);
}

// Each step the test makes: its name and the record after it.
struct Step {
    QString name;
    Image after;
};

}  // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void everyKindOfChangeIsOneStep();
    void menuAndKeysNameTheStep();
    void modifiedMarkerAndTheThreeQuestions();
    void copyAndPasteRowsWithTheKeys();
    void markerSurvivesClosingTheView_data();
    void markerSurvivesClosingTheView();
    void readAsksBeforeReplacingChanges();
};

// Typing, paste, cut, delete, the three form views, the model dialog, New, a read and
// an import: each one step; undone one by one the record goes back through every
// state byte for byte, and redone it comes forward again.
void TestUndo::everyKindOfChangeIsOneStep()
{
    auto radioConfig = FastRadio(400, 1);
    radioConfig.hasMemory = true;
    radioConfig.memory = sim::DemoMemory(400, 1);
    SimulatedCom1 radio(radioConfig);
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QUndoStack* history = frame->Document().History();
    Boxes boxes;
    Dialogs dialogs;
    FileChoices files;
    // Every view open first: a view that loads the record sets right what it must
    // (the scan view's channel), and that is no step of anyone's.
    for (ViewKind kind : {ViewKind::Features, ViewKind::Keys, ViewKind::Scan, ViewKind::Channels}) {
        frame->OpenView(kind);
    }
    const Image start = frame->Data().ToImage();
    std::vector<Step> steps;
    const auto took = [&](const QString& what) {
        QVERIFY2(history->count() == int(steps.size()) + 1, qPrintable(what));
        QCOMPARE(history->index(), history->count());
        steps.push_back({history->undoText(), frame->Data().ToImage()});
    };

    TypeIntoFocus(QStringLiteral("435.125"));
    PressOnFocus(Qt::Key_Return);
    took(QStringLiteral("typing"));
    QCOMPARE(steps.back().name, QStringLiteral("Channel 1 receive frequency 435.12500"));

    CChnMsgFormView* view = Channels(frame);
    view->SetCurrentCell(5, 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("436.0\n437.0\t437.5\n"));
    Action(frame, FrameCommand::EditPaste)->trigger();
    took(QStringLiteral("paste"));
    QCOMPARE(steps.back().name, QStringLiteral("Paste 2 channels"));

    view->SetCurrentCell(5, 1);
    Action(frame, FrameCommand::EditCut)->trigger();
    took(QStringLiteral("cut"));

    view->SetCurrentCell(6, 2);
    Action(frame, FrameCommand::EditDelete)->trigger();
    took(QStringLiteral("delete"));
    QCOMPARE(steps.back().name, QStringLiteral("Channel 6 transmit frequency emptied"));

    auto* timer = frame->View(ViewKind::Features)->findChild<QLineEdit*>("timerEdit");
    timer->setText(QStringLiteral("300"));
    QVERIFY(frame->CollectEdits());
    took(QStringLiteral("features"));
    QCOMPARE(steps.back().name, En(text::FeaturesView) + QStringLiteral(" changed"));

    frame->OpenView(ViewKind::Keys);
    auto* key = frame->View(ViewKind::Keys)->findChild<QComboBox*>("keyList");
    key->setCurrentIndex((key->currentIndex() + 1) % key->count());
    QVERIFY(frame->CollectEdits());
    took(QStringLiteral("keys"));

    frame->OpenView(ViewKind::Scan);
    auto* mode = frame->View(ViewKind::Scan)->findChild<QComboBox*>("modeList");
    mode->setCurrentIndex((mode->currentIndex() + 1) % mode->count());
    emit mode->activated(mode->currentIndex());
    took(QStringLiteral("scan"));

    dialogs.Then([](QDialog& dialog) {
        static_cast<CModelDlg&>(dialog).BandList()->setCurrentIndex(0);  // 136-174 MHz
        return int(QDialog::Accepted);
    });
    boxes.Answer(QMessageBox::Ok);  // the band change empties the channels
    Action(frame, FrameCommand::ModelInfo)->trigger();
    took(QStringLiteral("model"));
    QCOMPARE(frame->Data().bandLower, 136);

    boxes.Answer(QMessageBox::Discard);  // unsaved changes: give them up
    Action(frame, FrameCommand::FileNew)->trigger();
    took(QStringLiteral("new"));
    QVERIFY(!frame->isWindowModified());

    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(frame->TransferRunning());
    QVERIFY(!Action(frame, FrameCommand::EditUndo)->isEnabled());
    QVERIFY(WaitIdle(frame));
    took(QStringLiteral("read"));

    dir.Write(QStringLiteral("plan.csv"), "Location,Frequency\r\n2,401.5\r\n");
    files.Then(dir.Path(QStringLiteral("plan.csv")));
    dialogs.Then([](QDialog&) { return int(QDialog::Accepted); });
    Action(frame, FrameCommand::ImportChannels)->trigger();
    took(QStringLiteral("import"));

    for (int i = int(steps.size()) - 1; i >= 0; --i) {
        QCOMPARE(Action(frame, FrameCommand::EditUndo)->text(),
                 QStringLiteral("&Undo ") + steps[std::size_t(i)].name);
        Action(frame, FrameCommand::EditUndo)->trigger();
        const Image& before = i > 0 ? steps[std::size_t(i) - 1].after : start;
        QVERIFY2(frame->Data().ToImage() == before, qPrintable(steps[std::size_t(i)].name));
    }
    QVERIFY(!Action(frame, FrameCommand::EditUndo)->isEnabled());
    for (const Step& step : steps) {
        Action(frame, FrameCommand::EditRedo)->trigger();
        QVERIFY2(frame->Data().ToImage() == step.after, qPrintable(step.name));
    }
    QVERIFY(!Action(frame, FrameCommand::EditRedo)->isEnabled());
    // The views show what the record holds.
    QCOMPARE(Channels(frame)->CellText(2, 1), QStringLiteral("401.50000"));
}

void TestUndo::menuAndKeysNameTheStep()
{
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QAction* undo = Action(frame, FrameCommand::EditUndo);
    QAction* redo = Action(frame, FrameCommand::EditRedo);
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("&Undo"));
    QVERIFY(frame->Actions()->ToolBar()->actions().contains(undo));
    QVERIFY(!undo->icon().isNull());

    Channels(frame)->SetCurrentCell(3, 1);
    TypeIntoFocus(QStringLiteral("435.125"));
    PressOnFocus(Qt::Key_Tab);
    TypeIntoFocus(QStringLiteral("436.5"));
    PressOnFocus(Qt::Key_Tab);
    QCOMPARE(undo->text(), QStringLiteral("&Undo Channel 3 transmit frequency 436.50000"));
    QCOMPARE(frame->Actions()->ToolTipFor(FrameCommand::EditUndo),
             QStringLiteral("Undo Channel 3 transmit frequency 436.50000"));

    // Ctrl+Z twice on the table empties the row again; Ctrl+Y and Ctrl+Shift+Z bring
    // the two steps back.
    PressOnFocus(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Channels(frame)->CellText(3, 2), QStringLiteral("435.12500"));
    QCOMPARE(redo->text(), QStringLiteral("&Redo Channel 3 transmit frequency 436.50000"));
    PressOnFocus(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(std::as_const(frame->Data()).Channel(2).IsErased());
    QVERIFY(Channels(frame)->CellText(3, 1).isEmpty());
    QVERIFY(!undo->isEnabled());
    QCOMPARE(QApplication::focusWidget(), Channels(frame)->Grid());
    PressOnFocus(Qt::Key_Y, Qt::ControlModifier);
    PressOnFocus(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(std::as_const(frame->Data()).Channel(2).TxFrequency(), 0x43650000u);
    QCOMPARE(Channels(frame)->CellText(3, 2), QStringLiteral("436.50000"));

    // In a frequency being typed Ctrl+Z is the text field's own; in a list being
    // chosen from it takes back the edit. Neither touches the history.
    Channels(frame)->SetCurrentCell(3, 1);
    TypeIntoFocus(QStringLiteral("4"));
    QWidget* edit = Channels(frame)->ActiveEditor();
    QCOMPARE(QApplication::focusWidget(), edit);
    PressOnFocus(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Channels(frame)->ActiveEditor(), edit);
    QCOMPARE(frame->Document().History()->index(), 2);
    PressOnFocus(Qt::Key_Escape);
    Channels(frame)->SetCurrentCell(3, 3);
    TypeIntoFocus(QStringLiteral("1"));
    QVERIFY(Channels(frame)->ActiveEditor() != nullptr);
    PressOnFocus(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(Channels(frame)->ActiveEditor() == nullptr);
    QCOMPARE(Channels(frame)->CellText(3, 3), QStringLiteral("en#47"));
    QCOMPARE(frame->Document().History()->index(), 2);
}

void TestUndo::modifiedMarkerAndTheThreeQuestions()
{
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(frame->windowTitle().endsWith(QStringLiteral("[*]")));
    QVERIFY(!frame->isWindowModified());

    // Without changes, New asks what it always asked.
    Boxes boxes;
    boxes.Answer(QMessageBox::Cancel);
    Action(frame, FrameCommand::FileNew)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, En(text::RestoreDefaultsQuestion));

    TypeIntoFocus(QStringLiteral("435.125"));
    PressOnFocus(Qt::Key_Return);
    QVERIFY(frame->isWindowModified());
    const Image typed = frame->Data().ToImage();

    // New with unsaved changes: Save / Discard / Cancel, Cancel the default.
    boxes.Clear();
    Action(frame, FrameCommand::FileNew)->trigger();
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, QStringLiteral("The data has changed. Save the changes?"));
    QCOMPARE(boxes.Last().buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(boxes.Last().defaultButton, QMessageBox::Cancel);
    QVERIFY(frame->Data().ToImage() == typed);
    QVERIFY(frame->isWindowModified());

    // Save runs File Save; a cancelled file dialog cancels New too.
    FileChoices files;
    boxes.Answer(QMessageBox::Save);
    Action(frame, FrameCommand::FileNew)->trigger();
    QVERIFY(frame->Data().ToImage() == typed);
    // Saved: the marker goes, New goes on, and the history stays.
    boxes.Answer(QMessageBox::Save);
    files.Then(dir.Path(QStringLiteral("first")));
    Action(frame, FrameCommand::FileNew)->trigger();
    QCOMPARE(dir.Read(QStringLiteral("first.tw")).left(940),
             QByteArray(reinterpret_cast<const char*>(typed.data()), 940));
    QVERIFY(std::as_const(frame->Data()).Channel(0).IsErased());
    QVERIFY(!frame->isWindowModified());
    QCOMPARE(frame->Document().History()->count(), 2);

    // Undo past the save: the data differ from the file again.
    Action(frame, FrameCommand::EditUndo)->trigger();
    QVERIFY(frame->isWindowModified());

    // Open: Discard gives the changes up; the opened set's history starts afresh.
    boxes.Answer(QMessageBox::Discard);
    files.Then(dir.Path(QStringLiteral("first.tw")));
    Action(frame, FrameCommand::FileOpen)->trigger();
    QVERIFY(!frame->isWindowModified());
    QVERIFY(!Action(frame, FrameCommand::EditUndo)->isEnabled());
    QCOMPARE(frame->Document().FileName(), dir.Path(QStringLiteral("first.tw")));

    // Exit: Cancel keeps the window, Discard leaves without the exit question.
    TypeIntoFocus(QStringLiteral("436"));
    PressOnFocus(Qt::Key_Return);
    QSignalSpy exited(frame, &CMainFrame::exitConfirmed);
    boxes.Clear();
    boxes.Answer(QMessageBox::Cancel);
    frame->close();
    QVERIFY(frame->isVisible());
    QVERIFY(exited.isEmpty());
    boxes.Answer(QMessageBox::Discard);
    frame->close();
    QCOMPARE(exited.size(), 1);
    QCOMPARE(boxes.Count(), 2);
}

// The must-show of the clipboard, with the keys: two typed channels copied with
// Ctrl+C, pasted with Ctrl+V into rows 10 and 11.
void TestUndo::copyAndPasteRowsWithTheKeys()
{
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    CChnMsgFormView* view = Channels(frame);
    TypeIntoFocus(QStringLiteral("435.125"));
    PressOnFocus(Qt::Key_Return);
    view->SetCurrentCell(2, 1);
    TypeIntoFocus(QStringLiteral("436.25"));
    PressOnFocus(Qt::Key_Return);
    view->SetCurrentCell(1, 1);
    PressOnFocus(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(view->SelectedRows(), (std::vector<int>{1, 2}));
    PressOnFocus(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("1\t435.12500\t435.12500\ten#47\ten#47\ten#49\ten#53\ten#55\ten#60\n"
                            "2\t436.25000\t436.25000\ten#47\ten#47\ten#49\ten#53\ten#55\ten#60\n"));
    view->SetCurrentCell(10, 1);
    PressOnFocus(Qt::Key_V, Qt::ControlModifier);
    for (int i = 0; i < 2; ++i) {
        const ConstChannelRecord copy = std::as_const(frame->Data()).Channel(9 + i);
        const ConstChannelRecord original = std::as_const(frame->Data()).Channel(i);
        QVERIFY(std::equal(copy.Bytes(), copy.Bytes() + 16, original.Bytes()));
    }
    QCOMPARE(view->CellText(11, 1), QStringLiteral("436.25000"));
    QCOMPARE(frame->Document().History()->undoText(), QStringLiteral("Paste 2 channels"));

    // A line that does not fit refuses the whole paste: a box names it, nothing changes.
    const Image beforeBadPaste = frame->Data().ToImage();
    const int steps = frame->Document().History()->count();
    Boxes boxes;
    QGuiApplication::clipboard()->setText(QStringLiteral("440.5\n441.5\t4..1\n"));
    view->SetCurrentCell(4, 1);
    PressOnFocus(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text,
             QStringLiteral("Nothing was pasted: line 2 column 2 \"4..1\" is not a frequency."));
    QVERIFY(frame->Data().ToImage() == beforeBadPaste);
    QCOMPARE(frame->Document().History()->count(), steps);

    // Frequencies outside the band are asked about once for the whole paste: Cancel,
    // the default, pastes nothing; OK pastes every line.
    boxes.Clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("471\n480.5\n"));
    PressOnFocus(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text,
             QStringLiteral(
                 "2 of the pasted frequencies lie outside the band 400-470 MHz. Paste anyway?"));
    QCOMPARE(boxes.Last().icon, QMessageBox::Warning);
    QCOMPARE(boxes.Last().buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(boxes.Last().defaultButton, QMessageBox::Cancel);
    QVERIFY(frame->Data().ToImage() == beforeBadPaste);
    boxes.Answer(QMessageBox::Ok);
    PressOnFocus(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(boxes.Count(), 2);
    QCOMPARE(view->CellText(4, 1), QStringLiteral("471.00000"));
    QCOMPARE(view->CellText(5, 1), QStringLiteral("480.50000"));
    QCOMPARE(frame->Document().History()->count(), steps + 1);

    // Rows chosen by their labels (a click, then Shift and a click): Delete empties
    // them, one step.
    QHeaderView* labels = view->Grid()->verticalHeader();
    const auto labelCentre = [labels](int row) {
        return QPoint(labels->width() / 2,
                      labels->sectionViewportPosition(row - 1) + labels->sectionSize(row - 1) / 2);
    };
    QTest::mouseClick(labels->viewport(), Qt::LeftButton, {}, labelCentre(10));
    QTest::mouseClick(labels->viewport(), Qt::LeftButton, Qt::ShiftModifier, labelCentre(11));
    bool rowsChosen = false;
    QCOMPARE(view->SelectedRows(&rowsChosen), (std::vector<int>{10, 11}));
    QVERIFY(rowsChosen);
    PressOnFocus(Qt::Key_Delete);
    QVERIFY(std::as_const(frame->Data()).Channel(9).IsErased());
    QVERIFY(std::as_const(frame->Data()).Channel(10).IsErased());
    QCOMPARE(frame->Document().History()->undoText(), QStringLiteral("Delete 2 channels"));
}

void TestUndo::markerSurvivesClosingTheView_data()
{
    QTest::addColumn<ViewKind>("kind");
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::newRow("channels") << ViewKind::Channels << false << QString()
                              << QStringLiteral("435.125");
    QTest::newRow("channels maximized")
        << ViewKind::Channels << true << QString() << QStringLiteral("435.125");
    QTest::newRow("features maximized")
        << ViewKind::Features << true << QStringLiteral("timerEdit") << QStringLiteral("300");
}

// An edit taken in by Ctrl+F4 is a change like any other: the marker shows it until
// the data are saved, and undoing it back to the saved state clears the marker.
void TestUndo::markerSurvivesClosingTheView()
{
    QFETCH(ViewKind, kind);
    QFETCH(bool, maximized);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    CChildFrame* child = frame->OpenView(kind);
    if (maximized) {
        child->showMaximized();
    }
    if (field.isEmpty()) {
        frame->View(kind)->FocusEditing();
    } else {
        auto* edit = frame->View(kind)->findChild<QLineEdit*>(field);
        edit->setFocus();
        edit->selectAll();
    }
    TypeIntoFocus(typed);
    QVERIFY(!frame->isWindowModified());
    PressOnFocus(Qt::Key_F4, Qt::ControlModifier);
    QVERIFY2(child->isHidden(), boxes.Count() ? qPrintable(boxes.Last().text) : "");
    QVERIFY(frame->Document().IsModified());
    QVERIFY(frame->isWindowModified());

    Action(frame, FrameCommand::EditUndo)->trigger();
    QVERIFY(!frame->Document().IsModified());
    QVERIFY(!frame->isWindowModified());
    Action(frame, FrameCommand::EditRedo)->trigger();
    QVERIFY(frame->isWindowModified());
    frame->OpenView(kind);
    QVERIFY(frame->isWindowModified());
}

// Ctrl+R over unsaved changes asks as New and Open do; Cancel (the default) keeps
// them and reads nothing. A read replaces the data set: its first Save asks for a
// name instead of overwriting the file opened before.
void TestUndo::readAsksBeforeReplacingChanges()
{
    SimulatedCom1 radio(FastRadio(400, 1));
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    Boxes boxes;
    FileChoices files;
    files.Then(dir.Path(QStringLiteral("opened.tw")));
    QTest::keyClick(frame, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(dir.Exists(QStringLiteral("opened.tw")));
    TypeIntoFocus(QStringLiteral("435.125"));
    PressOnFocus(Qt::Key_Return);
    const Image typed = frame->Data().ToImage();

    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(boxes.Count(), 1);
    QCOMPARE(boxes.Last().text, QStringLiteral("The data has changed. Save the changes?"));
    QCOMPARE(boxes.Last().buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(boxes.Last().defaultButton, QMessageBox::Cancel);
    QVERIFY(!frame->TransferRunning());
    QVERIFY(frame->Data().ToImage() == typed);
    QVERIFY(frame->isWindowModified());

    boxes.Answer(QMessageBox::Discard);
    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(frame->TransferRunning());
    QVERIFY(WaitIdle(frame));
    QVERIFY(!frame->isWindowModified());
    QVERIFY(frame->Data().ToImage() != typed);

    const QByteArray opened = dir.Read(QStringLiteral("opened.tw"));
    QTest::keyClick(frame, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(files.Kinds().size(), std::size_t(2));
    QCOMPARE(dir.Read(QStringLiteral("opened.tw")), opened);
}

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
