#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include "tests/widgets/answering_prompts.h"
#include "widgets/message_box.h"
#include "widgets/num_edit.h"

using namespace radio;

namespace {

// Types each character as a key press carrying that text (any character, not only
// those on the keyboard QTest knows).
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

}  // namespace

class TestNumEdit : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typedCharacters_data();
    void typedCharacters();
    void frequencyTypedInTurn();
    void lockRefusesDigitsUntilReleased();
    void editingKeysStillWork();
    void pasteIsNotFiltered();
    void programTextIsNotFiltered();

private:
    test::AnsweringPrompts m_prompts;
};

void TestNumEdit::init()
{
    m_prompts.beeps = 0;
    SetNumericEntryLock(false);
}

void TestNumEdit::cleanup()
{
    SetNumericEntryLock(false);
}

void TestNumEdit::typedCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    for (char c = '0'; c <= '9'; ++c) {
        QTest::newRow(qPrintable(QStringLiteral("digit %1").arg(c))) << QString(QChar(c)) << true;
    }
    QTest::newRow("point") << "." << true;
    QTest::newRow("minus") << "-" << false;
    QTest::newRow("comma") << "," << false;
    QTest::newRow("space") << " " << false;
    QTest::newRow("letter a") << "a" << false;
    QTest::newRow("letter Z") << "Z" << false;
    QTest::newRow("plus") << "+" << false;
    QTest::newRow("full-width digit") << QString(QChar(0xFF11)) << false;
}

void TestNumEdit::typedCharacters()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    CNumEdit edit;
    Type(&edit, typed);
    QCOMPARE(edit.text(), accepted ? typed : QString());
    QCOMPARE(m_prompts.beeps, accepted ? 0 : 1);
    QCOMPARE(NumericEditAccepts(typed), accepted);
}

void TestNumEdit::frequencyTypedInTurn()
{
    CNumEdit edit;
    for (const char* key : {"1", "4", "5", ".", "1", "2", "5"}) {
        QTest::keyClicks(&edit, QString::fromLatin1(key));
    }
    QCOMPARE(edit.text(), QStringLiteral("145.125"));
    QCOMPARE(m_prompts.beeps, 0);
    // Refused characters in between leave the text as the accepted ones made it.
    CNumEdit mixed;
    QTest::keyClicks(&mixed, QStringLiteral("1a4-5,.x1 2"));
    QCOMPARE(mixed.text(), QStringLiteral("145.12"));
    QCOMPARE(m_prompts.beeps, 5);
}

void TestNumEdit::lockRefusesDigitsUntilReleased()
{
    CNumEdit first;
    CNumEdit second;
    SetNumericEntryLock(true);
    QVERIFY(NumericEntryLocked());
    QTest::keyClicks(&first, QStringLiteral("12"));
    QTest::keyClicks(&second, QStringLiteral("."));
    QCOMPARE(first.text(), QString());
    QCOMPARE(second.text(), QString());
    QCOMPARE(m_prompts.beeps, 3);
    QVERIFY(!NumericEditAccepts(QStringLiteral("1")));

    SetNumericEntryLock(false);
    QTest::keyClicks(&first, QStringLiteral("12"));
    QCOMPARE(first.text(), QStringLiteral("12"));
    QCOMPARE(m_prompts.beeps, 3);
}

void TestNumEdit::editingKeysStillWork()
{
    CNumEdit edit;
    QTest::keyClicks(&edit, QStringLiteral("1234"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("123"));
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(edit.text(), QStringLiteral("23"));
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Left);
    QTest::keyClicks(&edit, QStringLiteral("9"));
    QCOMPARE(edit.text(), QStringLiteral("293"));
    QCOMPARE(m_prompts.beeps, 0);
    // Ctrl+C, Ctrl+X and Ctrl+V pass the filter.
    QVERIFY(NumericEditAccepts(QString(QChar(0x03))));
    QVERIFY(NumericEditAccepts(QString(QChar(0x18))));
    QVERIFY(NumericEditAccepts(QString(QChar(0x16))));
    QVERIFY(NumericEditAccepts(QString(QChar(0x08))));
}

void TestNumEdit::pasteIsNotFiltered()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("abc-1"));
    if (clipboard->text() != QStringLiteral("abc-1")) {
        QSKIP("no clipboard on this platform");
    }
    CNumEdit edit;
    edit.setFocus();
    // Ctrl+V as the desktop delivers it: the key with the control character 0x16.
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
    QApplication::sendEvent(&edit, &paste);
    QCOMPARE(edit.text(), QStringLiteral("abc-1"));
    QCOMPARE(m_prompts.beeps, 0);
}

void TestNumEdit::programTextIsNotFiltered()
{
    CNumEdit edit;
    edit.setText(QStringLiteral("DN023"));
    QCOMPARE(edit.text(), QStringLiteral("DN023"));
    SetNumericEntryLock(true);
    edit.setText(QStringLiteral("x"));
    QCOMPARE(edit.text(), QStringLiteral("x"));
    QCOMPARE(m_prompts.beeps, 0);
}

QTEST_MAIN(TestNumEdit)
#include "test_num_edit.moc"
