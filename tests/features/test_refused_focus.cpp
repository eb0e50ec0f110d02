// Where the keyboard is after a field's text was refused by a command that collects
// the edits (Ctrl+S), in the whole window: the refused field, its text selected, also
// when the window system gives the window its focus back only after the message box
// has closed, as a desktop with a window manager does.
#include <QLineEdit>
#include <QtTest>

#include "shell/main_frame.h"
#include "shell_fixture.h"

using namespace radio;
using namespace radio::test;

class TestRefusedFocus : public QObject {
    Q_OBJECT
private slots:
    void refusedFieldHasTheKeyboard_data();
    void refusedFieldHasTheKeyboard();
};

void TestRefusedFocus::refusedFieldHasTheKeyboard_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("focusedBefore");
    QTest::addColumn<bool>("save");  // Ctrl+S, or else Tab out of the refused field
    QTest::newRow("features: timer, keys in volume") << int(ViewKind::Features) << "timerEdit"
                                                     << "120700"
                                                     << "levelBEdit" << true;
    QTest::newRow("features: timer off its step, keys in code 2")
        << int(ViewKind::Features) << "timerEdit"
        << "100"
        << "code2Edit" << true;
    // The scan view takes a field when it is left for another field, not for Close.
    QTest::newRow("scan: value D, keys on Close") << int(ViewKind::Scan) << "valueDEdit"
                                                  << "301"
                                                  << "closeButton" << true;
    QTest::newRow("scan: channel 20 of 16, left by Tab") << int(ViewKind::Scan) << "channelEdit"
                                                         << "20"
                                                         << "channelEdit" << false;
}

void TestRefusedFocus::refusedFieldHasTheKeyboard()
{
    QFETCH(int, kind);
    QFETCH(QString, refused);
    QFETCH(QString, typed);
    QFETCH(QString, focusedBefore);
    QFETCH(bool, save);
    WorkDir dir;
    auto app = StartAsAPersonDoes(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    frame->OpenView(ViewKind(kind));
    CEditView* view = frame->View(ViewKind(kind));
    auto* field = view->findChild<QLineEdit*>(refused);
    auto* other = view->findChild<QWidget*>(focusedBefore);
    field->setFocus();
    field->selectAll();
    TypeIntoFocus(typed);
    other->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), other);

    // The box is a window of its own: while it is up, the main window is not the
    // active one, and it becomes active again only after the box has gone.
    Boxes boxes;
    QWidget box;
    boxes.OnBox([&box](const BoxRequest&) {
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
    });
    FileChoices files;
    if (save) {
        QTest::keyClick(frame, Qt::Key_S, Qt::ControlModifier);
    } else {
        PressOnFocus(Qt::Key_Tab);
    }
    QCOMPARE(boxes.Count(), 1);
    QVERIFY(files.Kinds().empty());
    box.hide();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTRY_COMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->selectedText(), typed);
    // No second message for the same text, and what is typed next replaces it.
    QCOMPARE(boxes.Count(), 1);
    TypeIntoFocus(QStringLiteral("45"));
    QCOMPARE(field->text(), QStringLiteral("45"));
}

QTEST_MAIN(TestRefusedFocus)
#include "test_refused_focus.moc"
