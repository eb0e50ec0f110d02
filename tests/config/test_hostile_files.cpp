// Saving and opening files where the machine works against the program: a disk that
// is full, a file size limit, targets and sources that are no regular files, and a
// backup folder whose names run ahead of the clock.
#include <sys/stat.h>

#include <QtTest>
#include <future>

#include "config/backup_store.h"
#include "config/file_saving.h"
#include "config/settings.h"
#include "tests/config/short_of_room.h"

using namespace radio;
using namespace radio::test;

namespace {

enum class Writer { DataFile, Export, SysIni };

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

RadioData Sample()
{
    RadioData d;
    d.Channel(0).SetRxFrequency(0x43512500);
    return d;
}

// Saves with `writer` over `path`; the result of the save.
FileResult Save(Writer writer, const QString& path)
{
    switch (writer) {
    case Writer::DataFile: return SaveDataFile(path.toStdString(), Sample());
    case Writer::Export: return WriteFileAtomically(path, QByteArray(9000, 'c'));
    case Writer::SysIni: {
        FileResult result;
        if (!SaveSettingsFile(path.toStdString(), Settings{3, 1, 1})) {
            result.status = FileStatus::WriteFailed;
            result.detail = "refused";
        }
        return result;
    }
    }
    return {};
}

void AddShortageRows(const char* what)
{
    QTest::newRow(qPrintable(QStringLiteral("%1, full disk").arg(what))) << Shortage::FullDisk;
    QTest::newRow(qPrintable(QStringLiteral("%1, size limit").arg(what))) << Shortage::SizeLimit;
}

}  // namespace

Q_DECLARE_METATYPE(Writer)

class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void aSaveThatRunsOutOfRoomKeepsTheOldFile_data();
    void aSaveThatRunsOutOfRoomKeepsTheOldFile();
    void aBackupThatRunsOutOfRoomIsNotKept_data();
    void aBackupThatRunsOutOfRoomIsNotKept();
};

void TestHostileFiles::aSaveThatRunsOutOfRoomKeepsTheOldFile_data()
{
    QTest::addColumn<Shortage>("shortage");
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<QString>("name");
    for (const auto& [writer, name] :
         {std::pair{Writer::DataFile, "radio.tw"}, std::pair{Writer::Export, "plan.csv"},
          std::pair{Writer::SysIni, "sys.ini"}}) {
        for (const auto& [shortage, condition] : {std::pair{Shortage::FullDisk, "full disk"},
                                                  std::pair{Shortage::SizeLimit, "size limit"}}) {
            QTest::addRow("%s, %s", name, condition) << shortage << writer << QString(name);
        }
    }
}

void TestHostileFiles::aSaveThatRunsOutOfRoomKeepsTheOldFile()
{
    QFETCH(Shortage, shortage);
    QFETCH(Writer, writer);
    QFETCH(QString, name);
    ShortOfRoom room(shortage);
    if (!room.Unavailable().isEmpty()) {
        QSKIP(qPrintable(room.Unavailable()));
    }
    const QByteArray old = "Com=COM1\r\nDefaultLanguage=0\r\nMode=1\r\nthe user's old file";
    WriteAll(room.Path(name), old);
    room.Fill();

    FileResult result;
    room.Run([&] { result = Save(writer, room.Path(name)); });
    QCOMPARE(result.status, FileStatus::WriteFailed);
    QVERIFY(!result.detail.empty());
    QCOMPARE(ReadAll(room.Path(name)), old);
    QCOMPARE(room.Entries(), QStringList{name});  // no temporary file left behind
}

void TestHostileFiles::aBackupThatRunsOutOfRoomIsNotKept_data()
{
    QTest::addColumn<Shortage>("shortage");
    AddShortageRows("backup");
}

void TestHostileFiles::aBackupThatRunsOutOfRoomIsNotKept()
{
    QFETCH(Shortage, shortage);
    ShortOfRoom room(shortage);
    if (!room.Unavailable().isEmpty()) {
        QSKIP(qPrintable(room.Unavailable()));
    }
    room.Fill();
    BackupResult result;
    room.Run([&] { result = SaveBackup(Sample(), BackupKind::Read, room.Folder()); });
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(result.path.startsWith(room.Folder()));
    QCOMPARE(room.Entries(), QStringList());
    QVERIFY(ListBackups(room.Folder()).empty());
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "test_hostile_files.moc"
