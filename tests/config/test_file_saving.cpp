// Saving files: what must never happen to the user's files when the program writes
// one, whether the write succeeds or not.
#include <QTemporaryDir>
#include <QtTest>

#include "config/file_reading.h"
#include "config/file_saving.h"
#include "config/settings.h"

using namespace radio;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray ImageOf(const RadioData& data)
{
    const auto image = data.ToImage();
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

RadioData Sample()
{
    RadioData d;
    d.Channel(0).SetRxFrequency(0x43512500);
    return d;
}

constexpr auto kReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;

}  // namespace

class TestFileSaving : public QObject {
    Q_OBJECT
private slots:
    void extensionRule_data();
    void extensionRule();
    void aDataFileSavedOpensAgain();
    void aMissingFileOrAFolderDoesNotOpen();
    void aFileNamedLikeTheTemporaryOneSurvives();
    void aLinkStaysALinkAndItsTargetIsSaved();
    void permissionsAreKept();
    void aReadOnlyFileIsRefusedAndKept();
    void aFailedWriteLeavesNothingBehind();
    void aReadOnlySysIniIsNotWritten();
};

void TestFileSaving::extensionRule_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("saved");
    const QList<QPair<QString, QString>> rows = {
        {"radio", "radio.tw"},
        {"/x/y/radio.tw", "/x/y/radio.tw"},
        {"RADIO.TW", "RADIO.TW"},
        {"radio.Tw", "radio.Tw"},
        {"a.tw.bak", "a.tw.bak.tw"},
        {"radio.twx", "radio.twx.tw"},
        {"radio.", "radio.tw"},
        {"/data.twx/radio", "/data.twx/radio.tw"},
        {"/x.tw/radio", "/x.tw/radio.tw"},
        {"x.tw/radio", "x.tw/radio.tw"},
        {"/x/y/", "/x/y/"},
        {QStringLiteral(u"Kanäle 频道"), QStringLiteral(u"Kanäle 频道.tw")},
    };
    for (const auto& [path, saved] : rows) {
        QTest::newRow(qPrintable(path)) << path << saved;
    }
}

void TestFileSaving::extensionRule()
{
    QFETCH(QString, path);
    QFETCH(QString, saved);
    QCOMPARE(WithDataFileExtension(path), saved);
}

void TestFileSaving::aDataFileSavedOpensAgain()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.tw");
    RadioData saved = Sample();
    saved.port = 4;
    QVERIFY(SaveDataFile(path, saved).ok());
    QCOMPARE(ReadAll(path), ImageOf(saved));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.tw"});

    RadioData opened;
    opened.radioModel = 0;
    QVERIFY(LoadDataFile(path, opened).ok());
    QCOMPARE(opened.port, 4);
    QVERIFY(opened.blocks == saved.blocks);
    QCOMPARE(opened.radioModel, 0);  // what the radio reported is not the file's
}

void TestFileSaving::aMissingFileOrAFolderDoesNotOpen()
{
    QTemporaryDir dir;
    RadioData d;
    const auto before = d.ToImage();
    QCOMPARE(LoadDataFile(dir.filePath("none.tw"), d).status, FileStatus::OpenFailed);
    const FileResult folder = LoadDataFile(dir.path(), d);
    QCOMPARE(folder.status, FileStatus::OpenFailed);
    QCOMPARE(folder.odd, OddFile::Folder);
    QCOMPARE(d.ToImage(), before);
}

void TestFileSaving::aFileNamedLikeTheTemporaryOneSurvives()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.tw");
    WriteAll(path + ".part", "the user's own file");
    QVERIFY(SaveDataFile(path, Sample()).ok());
    QCOMPARE(ReadAll(path + ".part"), QByteArray("the user's own file"));
    QCOMPARE(ReadAll(path), ImageOf(Sample()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"x.tw", "x.tw.part"}));
}

void TestFileSaving::aLinkStaysALinkAndItsTargetIsSaved()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("store"));
    const QString target = dir.filePath("store/radio.tw");
    const QString link = dir.filePath("radio.tw");
    WriteAll(target, "old");
    QVERIFY(QFile::link(target, link));

    QVERIFY(SaveDataFile(link, Sample()).ok());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QCOMPARE(ReadAll(target), ImageOf(Sample()));
}

void TestFileSaving::permissionsAreKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shared.tw");
    WriteAll(path, "old");
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup;
    QVERIFY(QFile::setPermissions(path, mode));
    QVERIFY(SaveDataFile(path, Sample()).ok());
    QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             mode);
    QCOMPARE(ReadAll(path), ImageOf(Sample()));
}

void TestFileSaving::aReadOnlyFileIsRefusedAndKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("locked.tw");
    WriteAll(path, "keep me");
    QVERIFY(QFile::setPermissions(path, kReadOnly));

    const FileResult result = SaveDataFile(path, Sample());
    QCOMPARE(result.status, FileStatus::WriteFailed);
    QVERIFY(!result.detail.empty());
    QCOMPARE(ReadAll(path), QByteArray("keep me"));
    QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             kReadOnly);
    QVERIFY(!MayWriteFile(path));
    QVERIFY(MayWriteFile(dir.filePath("new.tw")));
}

void TestFileSaving::aFailedWriteLeavesNothingBehind()
{
    QTemporaryDir dir;
    const FileResult missingFolder = SaveDataFile(dir.filePath("no/such/x.tw"), Sample());
    QCOMPARE(missingFolder.status, FileStatus::WriteFailed);
    QVERIFY(!missingFolder.detail.empty());

    QVERIFY(QDir(dir.path()).mkdir("folder.tw"));
    QCOMPARE(SaveDataFile(dir.filePath("folder.tw"), Sample()).status, FileStatus::WriteFailed);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"folder.tw"});
}

void TestFileSaving::aReadOnlySysIniIsNotWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sys.ini");
    WriteAll(path, "Com=COM3\r\nDefaultLanguage=1\r\nMode=1\r\n");
    QVERIFY(QFile::setPermissions(path, kReadOnly));
    QVERIFY(!SaveSettingsFile(path, Settings{1, 0, 0}));
    QCOMPARE(ReadAll(path), QByteArray("Com=COM3\r\nDefaultLanguage=1\r\nMode=1\r\n"));
}

QTEST_GUILESS_MAIN(TestFileSaving)
#include "test_file_saving.moc"
