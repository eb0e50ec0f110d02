// The key settings view: the visible and the hidden key function, and the key
// picture with its messages (once per view, the view usable without it).
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "data/feature_bytes.h"
#include "feature_test_support.h"
#include "features/key_set_view.h"
#include "tests/features/view_document.h"

using namespace radio;
namespace kb = radio::bytes::key;

namespace {

std::array<std::uint8_t, kBlockDataSize>& Block0110(RadioData& data)
{
    return data.block(Block::B0110).data;
}

QComboBox* KeyList(QWidget& view)
{
    return view.findChild<QComboBox*>("keyList");
}
QComboBox* SecondList(QWidget& view)
{
    return view.findChild<QComboBox*>("secondKeyList");
}

const QString kCantOpen = QStringLiteral("Can't   Open   Image   File!");
const QString kCantLoad = QStringLiteral("Error   Loading   Picture   From   Stream!");

}  // namespace

class TestKeySetView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void erasedBlockLoadsAndStores();
    void defaultBlock();
    void lastItemSurvives();
    void hiddenListKeepsItsValue();
    void choiceReachesTheRecordOnStore();
    void listTexts();
    void refreshTexts();
    void missingPicture();
    void brokenPicture();
    void pictureFromWorkingDirectory();

private:
    test::ViewDocument m_doc;
    RadioData& m_data = m_doc.record;
};

void TestKeySetView::init()
{
    m_doc.Reset();
    m_data.ResetRecord(true);
    test::NameTexts(m_data);
}

void TestKeySetView::erasedBlockLoadsAndStores()
{
    Block0110(m_data).fill(0xFF);
    CKeySetView view(&m_doc.document);
    QCOMPARE(KeyList(view)->currentIndex(), 0);
    QCOMPARE(KeyList(view)->currentText(), QString("T47"));
    QCOMPARE(SecondList(view)->currentIndex(), 10);
    QCOMPARE(SecondList(view)->currentText(), QString("T135"));
    view.StoreToRecord();
    const auto& d = Block0110(m_data);
    QCOMPARE(int(d[kb::kSideKey]), 0);
    QCOMPARE(int(d[kb::kSecondKeyFunction]), 10);
    // No other byte of the block is the view's.
    for (int i = 0; i < kBlockDataSize; ++i) {
        if (i != kb::kSideKey && i != kb::kSecondKeyFunction) {
            QCOMPARE(int(d[std::size_t(i)]), 0xFF);
        }
    }
}

void TestKeySetView::defaultBlock()
{
    const auto before = Block0110(m_data);
    CKeySetView view(&m_doc.document);
    QCOMPARE(KeyList(view)->currentIndex(), 0);
    QCOMPARE(SecondList(view)->currentIndex(), 10);
    view.StoreToRecord();
    QCOMPARE(Block0110(m_data), before);
}

void TestKeySetView::lastItemSurvives()
{
    Block0110(m_data)[kb::kSideKey] = 11;
    Block0110(m_data)[kb::kSecondKeyFunction] = 11;
    CKeySetView view(&m_doc.document);
    QCOMPARE(KeyList(view)->currentIndex(), 11);
    QCOMPARE(SecondList(view)->currentIndex(), 11);
    Block0110(m_data)[kb::kSideKey] = 12;
    CKeySetView other(&m_doc.document);
    QCOMPARE(KeyList(other)->currentIndex(), 0);
    view.StoreToRecord();
    QCOMPARE(int(Block0110(m_data)[kb::kSideKey]), 11);
    QCOMPARE(int(Block0110(m_data)[kb::kSecondKeyFunction]), 11);
}

void TestKeySetView::hiddenListKeepsItsValue()
{
    Block0110(m_data)[kb::kSecondKeyFunction] = 3;
    test::BoxLog boxes;
    CKeySetView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    QVERIFY(!SecondList(view)->isVisible());
    QCOMPARE(SecondList(view)->currentIndex(), 3);
    view.StoreToRecord();
    QCOMPARE(int(Block0110(m_data)[kb::kSecondKeyFunction]), 3);
}

void TestKeySetView::choiceReachesTheRecordOnStore()
{
    test::BoxLog boxes;
    CKeySetView view(&m_doc.document);
    view.SetPictureFile(QStringLiteral("/nonexistent/phone.JPG"));
    QVERIFY(test::ShowActive(view));
    QComboBox* list = KeyList(view);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(list->currentIndex(), 11);
    QCOMPARE(int(Block0110(m_data)[kb::kSideKey]), 0);
    view.StoreToRecord();
    QCOMPARE(int(Block0110(m_data)[kb::kSideKey]), 11);
}

void TestKeySetView::listTexts()
{
    CKeySetView view(&m_doc.document);
    // Off, then the side key's functions from Monitor to Flashlight.
    QStringList functions{"T47"};
    for (int n = 126; n <= 136; ++n) {
        functions << QString("T%1").arg(n);
    }
    QCOMPARE(test::Items(KeyList(view)), functions);
    QCOMPARE(test::Items(SecondList(view)), functions);
    QCOMPARE(view.findChild<QLabel*>("keyLabel")->text(), QString("T125"));
    QCOMPARE(view.findChild<QLabel*>("noteLabel")->text(), QString("T137"));
    QCOMPARE(view.ViewTitle(), QString("T13"));
}

void TestKeySetView::refreshTexts()
{
    CKeySetView view(&m_doc.document);
    QSignalSpy titles(&view, &CEditView::titleChanged);
    KeyList(view)->setCurrentIndex(4);
    m_data.texts.SetText(text::KeysView, "Key");
    m_data.texts.SetText(text::KeyVoxSwitch, "Monitor");
    view.RefreshTexts();
    QCOMPARE(titles.count(), 1);
    QCOMPARE(titles.first().first().toString(), QString("Key"));
    QCOMPARE(KeyList(view)->count(), 12);
    QCOMPARE(test::Items(KeyList(view)).at(5), QString("Monitor"));
    QCOMPARE(KeyList(view)->currentIndex(), 0);  // the record's value again
}

void TestKeySetView::missingPicture()
{
    test::BoxLog boxes;
    CKeySetView view(&m_doc.document);
    view.SetPictureFile(QStringLiteral("/nonexistent/phone.JPG"));
    QVERIFY(test::ShowActive(view));
    QTRY_COMPARE(boxes.texts.size(), 1);
    QCOMPARE(boxes.texts.first(), kCantOpen);
    QVERIFY(!view.HasPicture());
    // Repaints and showing the view again bring no second message.
    view.repaint();
    view.hide();
    QVERIFY(test::ShowActive(view));
    view.repaint();
    QCoreApplication::processEvents();
    QCOMPARE(boxes.texts.size(), 1);
    // The view stays usable.
    QComboBox* list = KeyList(view);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    view.StoreToRecord();
    QCOMPARE(int(Block0110(m_data)[kb::kSideKey]), 1);
}

void TestKeySetView::brokenPicture()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("phone.JPG");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\xFF\xD8\xFF\xE0 this is not a picture", 27));
    file.close();

    test::BoxLog boxes;
    CKeySetView view(&m_doc.document);
    view.SetPictureFile(path);
    QVERIFY(test::ShowActive(view));
    QTRY_COMPARE(boxes.texts.size(), 1);
    QCOMPARE(boxes.texts.first(), kCantLoad);
    view.hide();
    QVERIFY(test::ShowActive(view));
    view.repaint();
    QCoreApplication::processEvents();
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY(!view.HasPicture());
}

void TestKeySetView::pictureFromWorkingDirectory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage picture(40, 80, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    QVERIFY(picture.save(dir.filePath("phone.JPG"), "JPG"));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    test::BoxLog boxes;
    CKeySetView view(&m_doc.document);
    QVERIFY(test::ShowActive(view));
    QTRY_VERIFY(view.HasPicture());
    QDir::setCurrent(previous);
    QVERIFY(boxes.texts.isEmpty());
    // Drawn into the frame, stretched to its inside.
    auto* frame = view.findChild<QFrame*>("pictureFrame");
    QVERIFY(frame);
    const QImage shot = frame->grab().toImage();
    const QColor middle = shot.pixelColor(shot.width() / 2, shot.height() / 2);
    QVERIFY2(middle.blue() > 100 && middle.red() < 60, qPrintable(middle.name()));
}

QTEST_MAIN(TestKeySetView)
#include "test_key_set_view.moc"
