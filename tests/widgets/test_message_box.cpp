#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include "widgets/message_box.h"

using namespace radio;

namespace {

// Shows the unsaved-changes question in a real box and answers it with one key press
// once the box is up; returns the button that the box reports.
QMessageBox::StandardButton AnswerWithKey(int key, Qt::KeyboardModifiers modifiers,
                                          QStringList* buttonTexts = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        if (buttonTexts) {
            for (QAbstractButton* button : box->buttons()) {
                buttonTexts->append(button->text());
            }
        }
        // Access keys answer only in the active window, as on a desktop.
        box->activateWindow();
        if (!QTest::qWaitForWindowActive(box)) {
            qWarning("The box never became the active window");
        }
        QTest::keyClick(box, Qt::Key(key), modifiers);
        // A key that answers nothing must not leave the test waiting.
        QTimer::singleShot(500, box, [box] { box->done(QMessageBox::Abort); });
    });
    BoxRequest request;
    request.text = QStringLiteral("The data has changed. Save the changes?");
    request.icon = QMessageBox::Warning;
    request.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Cancel;
    return ShowBox(nullptr, request);
}

}  // namespace

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void unsavedChangesAnsweredByKeyboard();
    void chineseButtonsGetTheirKeysToo();
    void shortMessageLeavesRoomForTheTitle();
};

void TestMessageBox::unsavedChangesAnsweredByKeyboard()
{
    QStringList texts;
    QCOMPARE(AnswerWithKey(Qt::Key_D, Qt::AltModifier, &texts), QMessageBox::Discard);
    QVERIFY2(texts.contains(QStringLiteral("&Save")), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.contains(QStringLiteral("&Discard")), qPrintable(texts.join(u'|')));
    QCOMPARE(AnswerWithKey(Qt::Key_S, Qt::AltModifier), QMessageBox::Save);
    // Cancel stays the default, and Escape cancels.
    QCOMPARE(AnswerWithKey(Qt::Key_Return, Qt::NoModifier), QMessageBox::Cancel);
    QCOMPARE(AnswerWithKey(Qt::Key_Escape, Qt::NoModifier), QMessageBox::Cancel);
}

void TestMessageBox::chineseButtonsGetTheirKeysToo()
{
    QTranslator translator;
    if (!translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QSKIP("Qt's Chinese texts are not installed");
    }
    QCoreApplication::installTranslator(&translator);
    QStringList texts;
    const auto answer = AnswerWithKey(Qt::Key_D, Qt::AltModifier, &texts);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(answer, QMessageBox::Discard);
    // The letter follows the Chinese text, as Chinese programs show it.
    QVERIFY2(texts.filter(QStringLiteral("(&S)")).size() == 1, qPrintable(texts.join(u'|')));
    QVERIFY2(texts.filter(QStringLiteral("(&D)")).size() == 1, qPrintable(texts.join(u'|')));
}

// A box with a short text is wide enough that its title is not cut.
void TestMessageBox::shortMessageLeavesRoomForTheTitle()
{
    int width = 0;
    QFont bold;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            bold = box->font();
            box->done(QMessageBox::Ok);
        }
    });
    BoxRequest request;
    request.text = QStringLiteral("\u5b8c\u6210");
    request.caption = QStringLiteral("Reading from the radio has finished");
    ShowBox(nullptr, request);
    bold.setBold(true);
    QVERIFY2(width >= QFontMetrics(bold).horizontalAdvance(request.caption) + 100,
             qPrintable(QString::number(width)));
}

QTEST_MAIN(TestMessageBox)
#include "test_message_box.moc"
