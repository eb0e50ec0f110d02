// What the programs keep per user: the backups of radio images (names, listing,
// pruning, failures) and the remembered verify-after-write choice.
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "config/backup_store.h"
#include "config/file_reading.h"
#include "config/user_preferences.h"

using namespace radio;

Q_DECLARE_METATYPE(radio::BackupKind)

namespace {

RadioData Record(int lower, int upper, int model)
{
    RadioData d;
    d.bandLower = lower;
    d.bandUpper = upper;
    d.model = model;
    d.Channel(0).SetRxFrequency(0x43512500);
    return d;
}

QDateTime At(int minute, int ms = 0)
{
    return QDateTime(QDate(2024, 1, 31), QTime(14, minute, 1, ms));
}

QStringList Names(const std::vector<BackupEntry>& entries)
{
    QStringList names;
    for (const BackupEntry& e : entries) {
        names << QFileInfo(e.path).fileName();
    }
    return names;
}

void Touch(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

}  // namespace

class TestUserData : public QObject {
    Q_OBJECT
private slots:
    void namesTellTimeKindBandAndChannels_data();
    void namesTellTimeKindBandAndChannels();
    void otherNamesAreNotBackups_data();
    void otherNamesAreNotBackups();
    void aBackupIsTheRecordsDataFile();
    void backupsOfOneMillisecondGetTheirOwnNames();
    void listedNewestFirst();
    void prunedToTheNewest500();
    void aFolderThatCannotBeMadeFailsWithAReason();
    void theFolderFollowsTheEnvironment();
    void verifyAfterWriteIsOffUntilChosen();
};

void TestUserData::namesTellTimeKindBandAndChannels_data()
{
    QTest::addColumn<BackupKind>("kind");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("sequence");
    QTest::addColumn<QString>("name");
    QTest::newRow("read") << BackupKind::Read << 400 << 470 << 1 << 1
                          << "20240131-140501-007_read_400-470MHz_16ch.tw";
    QTest::newRow("write 32") << BackupKind::Write << 136 << 174 << 0 << 1
                              << "20240131-140501-007_write_136-174MHz_32ch.tw";
    QTest::newRow("second of a millisecond") << BackupKind::Write << 450 << 520 << 1 << 2
                                             << "20240131-140501-007_write_450-520MHz_16ch-2.tw";
}

void TestUserData::namesTellTimeKindBandAndChannels()
{
    QFETCH(BackupKind, kind);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, model);
    QFETCH(int, sequence);
    QFETCH(QString, name);
    const QDateTime time = At(5, 7);
    QCOMPARE(BackupFileName(time, kind, Record(lower, upper, model), sequence), name);
    BackupEntry entry;
    QVERIFY(ParseBackupFileName(name, entry));
    QCOMPARE(entry.time, time);
    QCOMPARE(entry.kind, kind);
    QCOMPARE(entry.bandLower, lower);
    QCOMPARE(entry.bandUpper, upper);
    QCOMPARE(entry.channels, model != 0 ? 16 : 32);
    QCOMPARE(entry.sequence, sequence);
}

void TestUserData::otherNamesAreNotBackups_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a data file of the user") << "radio.tw";
    QTest::newRow("another extension") << "20240131-140501-007_read_400-470MHz_16ch.txt";
    QTest::newRow("unknown kind") << "20240131-140501-007_copy_400-470MHz_16ch.tw";
    QTest::newRow("no such date") << "20241331-140501-007_read_400-470MHz_16ch.tw";
    QTest::newRow("20 channels") << "20240131-140501-007_read_400-470MHz_20ch.tw";
    QTest::newRow("temporary file") << "20240131-140501-007_read_400-470MHz_16ch.tw.Xa1234";
}

void TestUserData::otherNamesAreNotBackups()
{
    QFETCH(QString, name);
    BackupEntry entry;
    QVERIFY(!ParseBackupFileName(name, entry));
}

void TestUserData::aBackupIsTheRecordsDataFile()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("not/yet/there");
    const RadioData record = Record(136, 174, 0);
    const BackupResult saved = SaveBackup(record, BackupKind::Read, folder, At(1));
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(QFileInfo(saved.path).fileName(), "20240131-140101-000_read_136-174MHz_32ch.tw");
    RadioData loaded;
    QVERIFY(LoadDataFile(saved.path, loaded).ok());
    QVERIFY(loaded.ToImage() == record.ToImage());
}

void TestUserData::backupsOfOneMillisecondGetTheirOwnNames()
{
    QTemporaryDir dir;
    const RadioData record = Record(400, 470, 1);
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        const BackupResult saved = SaveBackup(record, BackupKind::Write, dir.path(), At(2));
        QVERIFY(saved.ok);
        paths << QFileInfo(saved.path).fileName();
    }
    QCOMPARE(paths, QStringList({"20240131-140201-000_write_400-470MHz_16ch.tw",
                                 "20240131-140201-000_write_400-470MHz_16ch-2.tw",
                                 "20240131-140201-000_write_400-470MHz_16ch-3.tw"}));
    // The later of one millisecond is the newer.
    QCOMPARE(Names(ListBackups(dir.path())).first(), paths.last());
}

void TestUserData::listedNewestFirst()
{
    QTemporaryDir dir;
    SaveBackup(Record(400, 470, 1), BackupKind::Read, dir.path(), At(3));
    SaveBackup(Record(136, 174, 0), BackupKind::Write, dir.path(), At(9));
    SaveBackup(Record(450, 520, 1), BackupKind::Read, dir.path(), At(5, 999));
    Touch(dir.filePath("mine.tw"));
    const std::vector<BackupEntry> entries = ListBackups(dir.path());
    QCOMPARE(Names(entries), QStringList({"20240131-140901-000_write_136-174MHz_32ch.tw",
                                          "20240131-140501-999_read_450-520MHz_16ch.tw",
                                          "20240131-140301-000_read_400-470MHz_16ch.tw"}));
    QCOMPARE(entries[0].path, dir.filePath("20240131-140901-000_write_136-174MHz_32ch.tw"));
    QCOMPARE(entries[0].kind, BackupKind::Write);
    QCOMPARE(entries[0].channels, 32);
    QVERIFY(ListBackups(dir.filePath("missing")).empty());
}

void TestUserData::prunedToTheNewest500()
{
    QTemporaryDir dir;
    const RadioData record = Record(400, 470, 1);
    // 504 older backups, a file of the user's and the 505th backup, saved properly.
    const QDateTime start = At(0);
    for (int i = 0; i < 504; ++i) {
        Touch(dir.filePath(BackupFileName(start.addSecs(i), BackupKind::Read, record)));
    }
    Touch(dir.filePath("20240131-140001-000_read_400-470MHz_16ch.tw.bak"));
    const BackupResult newest =
        SaveBackup(record, BackupKind::Write, dir.path(), start.addSecs(10000));
    QVERIFY(newest.ok);
    const std::vector<BackupEntry> kept = ListBackups(dir.path());
    QCOMPARE(int(kept.size()), kBackupsKept);
    QCOMPARE(kept.front().path, newest.path);
    // The five oldest went; the user's file stays.
    QCOMPARE(kept.back().time, start.addSecs(5));
    QVERIFY(!QFileInfo::exists(
        dir.filePath(BackupFileName(start.addSecs(4), BackupKind::Read, record))));
    QVERIFY(QFileInfo::exists(dir.filePath("20240131-140001-000_read_400-470MHz_16ch.tw.bak")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), kBackupsKept + 1);
    QCOMPARE(PruneBackups(dir.path(), 498), 2);
}

void TestUserData::aFolderThatCannotBeMadeFailsWithAReason()
{
    QTemporaryDir dir;
    Touch(dir.filePath("file"));
    const BackupResult result =
        SaveBackup(Record(400, 470, 1), BackupKind::Read, dir.filePath("file/backups"), At(1));
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(result.path, dir.filePath("file/backups"));

    // A folder that exists but may not be written (root may write anyway).
    const QString locked = dir.filePath("locked");
    QVERIFY(QDir().mkpath(locked));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    if (!QFileInfo(locked).isWritable()) {
        const BackupResult refused = SaveBackup(Record(400, 470, 1), BackupKind::Read, locked);
        QVERIFY(!refused.ok);
        QVERIFY(refused.path.startsWith(locked + "/"));
        QVERIFY(!refused.error.isEmpty());
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestUserData::theFolderFollowsTheEnvironment()
{
    const QByteArray before = qgetenv("RADIOPROG_BACKUP_DIR");
    qputenv("RADIOPROG_BACKUP_DIR", "/somewhere/else");
    QCOMPARE(BackupFolder(), QString("/somewhere/else"));
    qunsetenv("RADIOPROG_BACKUP_DIR");
    QCOMPARE(BackupFolder(), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                 "/radioprog/backups");
    qputenv("RADIOPROG_BACKUP_DIR", before);
}

void TestUserData::verifyAfterWriteIsOffUntilChosen()
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QVERIFY(!VerifyAfterWrite());
    // The write preview is the other way round: on until turned off.
    QVERIFY(ShowChangesBeforeWriting());
    SetShowChangesBeforeWriting(false);
    QVERIFY(!ShowChangesBeforeWriting());
    SetVerifyAfterWrite(true);
    QVERIFY(VerifyAfterWrite());
    // Kept in the user's settings file of the program, not anywhere near sys.ini.
    QVERIFY(QFileInfo::exists(dir.filePath("radioprog/radioprog.conf")));
    SetVerifyAfterWrite(false);
    QVERIFY(!VerifyAfterWrite());
}

QTEST_GUILESS_MAIN(TestUserData)
#include "test_user_data.moc"
