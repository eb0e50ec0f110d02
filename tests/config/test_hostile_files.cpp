// Saving and opening files where the machine works against the program: a disk that
// is full, a file size limit, targets and sources that are no regular files, and a
// backup folder whose names run ahead of the clock.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QtTest>
#include <chrono>
#include <future>

#include "config/backup_store.h"
#include "config/file_reading.h"
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
    case Writer::DataFile: return SaveDataFile(path, Sample());
    case Writer::Export: return WriteFileAtomically(path, QByteArray(9000, 'c'));
    case Writer::SysIni: {
        FileResult result;
        if (!SaveSettingsFile(path, Settings{3, 1, 1})) {
            result.status = FileStatus::WriteFailed;
            result.detail = "refused";
        }
        return result;
    }
    }
    return {};
}

enum class Odd { Fifo, LinkToFifo, Device, Folder };

// Makes `path` a name that is no regular file; false (with the test skipped) when the
// machine does not allow it.
bool MakeOdd(Odd odd, const QString& path)
{
    const QByteArray local = QFile::encodeName(path);
    switch (odd) {
    case Odd::Fifo: return ::mkfifo(local.constData(), 0644) == 0;
    case Odd::LinkToFifo:
        return ::mkfifo((local + ".fifo").constData(), 0644) == 0 &&
               QFile::link(path + ".fifo", path);
    case Odd::Device:  // a null device of its own: /dev/null itself must never be at stake
        return ::mknod(local.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    case Odd::Folder: return QDir().mkdir(path);
    }
    return false;
}

mode_t TypeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

QStringList EntriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// Runs `open` on a thread of its own. A FIFO that it opened for reading would wait
// there for a writer: after five seconds a writer comes and goes, so that the reader
// sees the end and a regression fails instead of hanging. True when `open` returned
// in time.
bool ReturnsAtOnce(const std::function<void()>& open, const QString& fifo)
{
    auto done = std::async(std::launch::async, open);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
        return true;
    }
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) {
        ::close(writer);
    }
    done.wait();
    return false;
}

void TouchAt(const QString& path, const QDateTime& modified)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(QByteArray(1704, 'b')), 1704);
    QVERIFY(f.flush());  // the bytes first: writing them later would stamp the file again
    QVERIFY(f.setFileTime(modified, QFileDevice::FileModificationTime));
}

void AddShortageRows(const char* what)
{
    QTest::newRow(qPrintable(QStringLiteral("%1, full disk").arg(what))) << Shortage::FullDisk;
    QTest::newRow(qPrintable(QStringLiteral("%1, size limit").arg(what))) << Shortage::SizeLimit;
}

}  // namespace

Q_DECLARE_METATYPE(Writer)
Q_DECLARE_METATYPE(Odd)

class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void aSaveThatRunsOutOfRoomKeepsTheOldFile_data();
    void aSaveThatRunsOutOfRoomKeepsTheOldFile();
    void aBackupThatRunsOutOfRoomIsNotKept_data();
    void aBackupThatRunsOutOfRoomIsNotKept();
    void aTargetThatIsNoRegularFileIsNotReplaced_data();
    void aTargetThatIsNoRegularFileIsNotReplaced();
    void aSourceThatIsNoRegularFileIsNotOpened_data();
    void aSourceThatIsNoRegularFileIsNotOpened();
    void theBackupJustWrittenIsNeverPruned();
    void pruningGoesByWhenTheFilesWereWritten();
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

void TestHostileFiles::aTargetThatIsNoRegularFileIsNotReplaced_data()
{
    QTest::addColumn<Odd>("odd");
    QTest::addColumn<Writer>("writer");
    for (const auto& [odd, what] :
         {std::pair{Odd::Fifo, "FIFO"}, std::pair{Odd::LinkToFifo, "link to a FIFO"},
          std::pair{Odd::Device, "device"}, std::pair{Odd::Folder, "folder"}}) {
        for (const auto& [writer, kind] :
             {std::pair{Writer::DataFile, "data file"}, std::pair{Writer::Export, "export"},
              std::pair{Writer::SysIni, "sys.ini"}}) {
            QTest::addRow("%s over a %s", kind, what) << odd << writer;
        }
    }
}

void TestHostileFiles::aTargetThatIsNoRegularFileIsNotReplaced()
{
    QFETCH(Odd, odd);
    QFETCH(Writer, writer);
    QTemporaryDir dir;
    const QString target = dir.filePath("target");
    if (!MakeOdd(odd, target)) {
        QSKIP("this machine does not allow making it (a device needs root)");
    }
    const mode_t type = TypeOf(target);
    const QStringList before = EntriesOf(dir.path());

    const FileResult result = Save(writer, target);
    QCOMPARE(result.status, FileStatus::WriteFailed);
    if (writer != Writer::SysIni) {
        QVERIFY2(QString::fromStdString(result.detail).contains("not a regular file"),
                 result.detail.c_str());
    }
    QCOMPARE(TypeOf(target), type);
    QCOMPARE(QFileInfo(target).isSymLink(), odd == Odd::LinkToFifo);
    QCOMPARE(EntriesOf(dir.path()), before);
}

void TestHostileFiles::aSourceThatIsNoRegularFileIsNotOpened_data()
{
    QTest::addColumn<Odd>("odd");
    QTest::addColumn<bool>("dataFile");
    for (const auto& [odd, what] :
         {std::pair{Odd::Fifo, "FIFO"}, std::pair{Odd::LinkToFifo, "link to a FIFO"},
          std::pair{Odd::Device, "device"}, std::pair{Odd::Folder, "folder"}}) {
        QTest::addRow("a data file that is a %s", what) << odd << true;
        QTest::addRow("a CSV plan that is a %s", what) << odd << false;
    }
}

void TestHostileFiles::aSourceThatIsNoRegularFileIsNotOpened()
{
    QFETCH(Odd, odd);
    QFETCH(bool, dataFile);
    QTemporaryDir dir;
    const QString source = dir.filePath("source");
    if (!MakeOdd(odd, source)) {
        QSKIP("this machine does not allow making it (a device needs root)");
    }
    RadioData record;
    const auto before = record.ToImage();
    QString reason;
    bool opened = true;
    QVERIFY2(ReturnsAtOnce(
                 [&] {
                     if (dataFile) {
                         const FileResult result = LoadDataFile(source, record);
                         opened = result.ok();
                         reason = QString::fromStdString(result.detail);
                     } else {
                         QByteArray bytes;
                         const FileResult result = ReadWholeFile(source, bytes);
                         opened = result.ok();
                         reason = QString::fromStdString(result.detail);
                     }
                 },
                 odd == Odd::LinkToFifo ? source + ".fifo" : source),
             "opening waited for a writer");
    QVERIFY(!opened);
    QVERIFY2(reason.contains("not a regular file"), qPrintable(reason));
    QCOMPARE(record.ToImage(), before);
}

void TestHostileFiles::theBackupJustWrittenIsNeverPruned()
{
    // 500 backups named years ahead, as a clock that was once wrong leaves them, the
    // oldest written 500 seconds ago.
    QTemporaryDir dir;
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime ahead(QDate(2099, 1, 1), QTime(12, 0));
    QStringList names;
    for (int i = 0; i < kBackupsKept; ++i) {
        names << BackupFileName(ahead.addSecs(i), BackupKind::Read, Sample());
        TouchAt(dir.filePath(names.last()), now.addSecs(-(i == 7 ? 1000 : kBackupsKept - i)));
    }
    const BackupResult saved = SaveBackup(Sample(), BackupKind::Write, dir.path(), now);
    QVERIFY(saved.ok);
    QCOMPARE(ReadAll(saved.path).size(), 1704);
    QCOMPARE(int(ListBackups(dir.path()).size()), kBackupsKept);
    // The one written longest ago made room, though its name is not the oldest.
    QVERIFY(!QFileInfo::exists(dir.filePath(names.at(7))));
    QVERIFY(QFileInfo::exists(dir.filePath(names.first())));
}

void TestHostileFiles::pruningGoesByWhenTheFilesWereWritten()
{
    QTemporaryDir dir;
    const QDateTime now = QDateTime::currentDateTime();
    // name time:  a  <  b  <  c  <  d;  written:  b oldest, then d, then a and c together.
    const QStringList names = {
        BackupFileName(now.addSecs(-40), BackupKind::Read, Sample()),
        BackupFileName(now.addSecs(-30), BackupKind::Read, Sample()),
        BackupFileName(now.addSecs(-20), BackupKind::Read, Sample()),
        BackupFileName(now.addSecs(-10), BackupKind::Read, Sample()),
    };
    const QDateTime written[] = {now.addSecs(-5), now.addSecs(-300), now.addSecs(-5),
                                 now.addSecs(-100)};
    for (int i = 0; i < 4; ++i) {
        TouchAt(dir.filePath(names[i]), written[i]);
    }
    QCOMPARE(PruneBackups(dir.path(), 3), 1);
    QVERIFY(!QFileInfo::exists(dir.filePath(names[1])));
    QCOMPARE(PruneBackups(dir.path(), 2), 1);
    QVERIFY(!QFileInfo::exists(dir.filePath(names[3])));
    // a and c were written at one time: the later name is the newer.
    QCOMPARE(PruneBackups(dir.path(), 1), 1);
    QVERIFY(!QFileInfo::exists(dir.filePath(names[0])));
    // The spared one stays, even with nothing else to be kept.
    QCOMPARE(PruneBackups(dir.path(), 0, dir.filePath(names[2])), 0);
    QVERIFY(QFileInfo::exists(dir.filePath(names[2])));
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "test_hostile_files.moc"
