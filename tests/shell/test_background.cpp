#include <QtTest>

#include "shell/bg_client_wnd.h"
#include "shell/child_frame.h"
#include "shell_fixture.h"

using namespace radio;
using namespace radio::test;

namespace {

const QString kLoadError = QStringLiteral("Error   Loading   Picture   From   Stream!");

QByteArray LanguageFileWithHeader(const QByteArray& header)
{
    QByteArray file = TestLanguageFile();
    return header + file.mid(file.indexOf('\n'));
}

int LoadErrors(const Boxes& boxes)
{
    int n = 0;
    for (const BoxRequest& box : boxes.Seen()) {
        n += box.text == kLoadError ? 1 : 0;
    }
    return n;
}

}  // namespace

class TestBackground : public QObject {
    Q_OBJECT
private slots:
    void pictureNumber_data();
    void pictureNumber();
    void fallbackOrder_data();
    void fallbackOrder();
    void undecodableFileIsReportedOnce();
    void pictureIsDecodedOnce();
    void pictureIsStretchedOverTheArea();
    void modelChangeReloadsTheViews();
};

void TestBackground::pictureNumber_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("number");
    QTest::newRow("two columns, column 0, model 1") << QByteArray("A,B") << 0 << 1 << 12;
    QTest::newRow("two columns, column 1, model 1") << QByteArray("A,B") << 1 << 1 << 13;
    QTest::newRow("two columns, column 0, model 0") << QByteArray("A,B") << 0 << 0 << 10;
    QTest::newRow("two columns, column 1, model 0") << QByteArray("A,B") << 1 << 0 << 11;
    QTest::newRow("final comma counts a column") << QByteArray("A,B,") << 0 << 1 << 13;
    QTest::newRow("three columns") << QByteArray("A,B,C") << 2 << 1 << 15;
}

void TestBackground::pictureNumber()
{
    QFETCH(QByteArray, header);
    QFETCH(int, language);
    QFETCH(int, model);
    QFETCH(int, number);
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, language, model));
    dir.Write(QStringLiteral("lang.csv"), LanguageFileWithHeader(header));
    auto app = StartProgram(dir);
    QVERIFY(app);
    QCOMPARE(app->PictureNumber(), number);
}

void TestBackground::fallbackOrder_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("shown");
    QTest::newRow("own picture") << QStringList{"bg12.JPG", "bg11.JPG", "bg1.JPG"} << "bg12.JPG";
    QTest::newRow("bg12 missing") << QStringList{"bg11.JPG", "bg1.JPG"} << "bg11.JPG";
    QTest::newRow("only bg1") << QStringList{"bg1.JPG", "bg13.JPG"} << "bg1.JPG";
    QTest::newRow("none") << QStringList{"bg13.JPG", "bg10.JPG"} << "";
}

void TestBackground::fallbackOrder()
{
    QFETCH(QStringList, present);
    QFETCH(QString, shown);
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 0, 1));  // picture 12
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    for (const QString& name : present) {
        dir.WritePicture(name, Qt::darkCyan);
    }
    Boxes boxes;
    auto app = StartProgram(dir);
    QVERIFY(app);
    CBgClientWnd* area = app->MainFrame()->Background();
    area->PreparePicture();
    QCOMPARE(area->Picture().CurrentFile(), shown.isEmpty() ? QString() : dir.Path(shown));
    QCOMPARE(area->Stretched().isNull(), shown.isEmpty());
    // Missing files are passed over without a word; the program runs without any.
    QCOMPARE(boxes.Count(), 0);
}

void TestBackground::undecodableFileIsReportedOnce()
{
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 0, 1));
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    dir.Write(QStringLiteral("bg12.JPG"), "this is no picture");
    dir.Write(QStringLiteral("bg11.JPG"), QByteArray("\xFF\xD8\xFF\xE0 cut short", 15));
    dir.WritePicture(QStringLiteral("bg1.JPG"), Qt::yellow);
    Boxes boxes;
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    for (int i = 0; i < 5; ++i) {
        frame->Background()->viewport()->repaint();
        frame->resize(773 + i, 548);
        QCoreApplication::processEvents();
    }
    // One message per broken file, then the next file in the order is shown.
    QTRY_COMPARE(LoadErrors(boxes), 2);
    QCOMPARE(frame->Background()->Picture().CurrentFile(), dir.Path(QStringLiteral("bg1.JPG")));
    for (int i = 0; i < 5; ++i) {
        frame->Background()->viewport()->repaint();
        frame->RepaintBackground();
        QCoreApplication::processEvents();
    }
    QCOMPARE(LoadErrors(boxes), 2);

    // A model that picks another file tries the broken fallback again, silently.
    SetUpRecord(frame).model = 0;  // picture 10, missing
    frame->RepaintBackground();
    frame->Background()->viewport()->repaint();
    QCoreApplication::processEvents();
    QCOMPARE(frame->Background()->Picture().CurrentFile(), dir.Path(QStringLiteral("bg1.JPG")));
    QCOMPARE(LoadErrors(boxes), 2);
}

void TestBackground::pictureIsDecodedOnce()
{
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 1, 1));  // picture 13
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    dir.WritePicture(QStringLiteral("bg13.JPG"), Qt::red);
    dir.WritePicture(QStringLiteral("bg11.JPG"), Qt::blue);
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    for (int i = 0; i < 4; ++i) {
        frame->Background()->viewport()->repaint();
    }
    QCOMPARE(frame->Background()->Picture().DecodeCount(), 1);
    // Another model picks another number, and so another file.
    SetUpRecord(frame).model = 0;  // picture 11
    frame->RepaintBackground();
    frame->Background()->viewport()->repaint();
    QCOMPARE(frame->Background()->Picture().CurrentFile(), dir.Path(QStringLiteral("bg11.JPG")));
    QCOMPARE(frame->Background()->Picture().DecodeCount(), 2);
    frame->Background()->viewport()->repaint();
    QCOMPARE(frame->Background()->Picture().DecodeCount(), 2);
}

void TestBackground::pictureIsStretchedOverTheArea()
{
    WorkDir dir;
    dir.Write(QStringLiteral("sys.ini"), CompleteSettings(1, 1, 1));
    dir.Write(QStringLiteral("lang.csv"), TestLanguageFile());
    dir.WritePicture(QStringLiteral("bg13.JPG"), QColor(200, 30, 30));
    auto app = StartProgram(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    CBgClientWnd* area = frame->Background();
    area->PreparePicture();
    QCOMPARE(area->Stretched().size(), area->viewport()->size());
    frame->resize(1000, 700);
    QCoreApplication::processEvents();
    area->PreparePicture();
    QCOMPARE(area->Stretched().size(), area->viewport()->size());
    QVERIFY(area->Stretched().width() > 773);
    const QColor middle = area->Stretched().toImage().pixelColor(area->Stretched().rect().center());
    QVERIFY(qAbs(middle.red() - 200) < 16 && middle.green() < 50);
    // What is painted is the picture.
    const QImage painted = area->viewport()->grab().toImage();
    QVERIFY(qAbs(painted.pixelColor(painted.rect().center()).red() - 200) < 16);
}

void TestBackground::modelChangeReloadsTheViews()
{
    WorkDir dir;
    RecordingViews views;
    auto app = StartPrepared(dir);
    QVERIFY(app);
    CMainFrame* frame = app->MainFrame();
    // Before the channel view exists a model change reloads nothing.
    SetUpRecord(frame).model = 0;
    frame->RepaintBackground();
    QVERIFY(views.Log().empty());
    frame->OpenView(ViewKind::Scan);
    CChildFrame* channels = frame->OpenView(ViewKind::Channels);
    channels->close();
    views.Log().clear();
    frame->RepaintBackground();  // same model: nothing
    QVERIFY(views.Log().empty());
    SetUpRecord(frame).model = 1;
    frame->RepaintBackground();
    QCOMPARE(views.Joined(), QStringLiteral("load:channels load:scan"));
    QVERIFY(channels->isVisible());
    QCOMPARE(frame->Background()->activeSubWindow(), channels);
}

QTEST_MAIN(TestBackground)
#include "test_background.moc"
