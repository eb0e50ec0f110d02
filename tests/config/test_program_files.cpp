// Where the programs find their own files: the working directory, beside the program,
// then ../share/radioprog for an installed program.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "config/program_files.h"

using namespace radio;

namespace {

void Touch(const QString& path, const QByteArray& content)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray Content(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestProgramFiles : public QObject {
    Q_OBJECT
private slots:
    void searchOrder_data();
    void searchOrder();
    void nestedNamesAreFoundInTheSharedFolder();
};

void TestProgramFiles::searchOrder_data()
{
    // Which copies of lang.csv exist: in the working directory, beside the program
    // (prefix/bin), in prefix/share/radioprog; and which one must be taken.
    QTest::addColumn<bool>("inWorkDir");
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("shared");
    QTest::addColumn<QByteArray>("found");
    QTest::newRow("all three: the working directory wins")
        << true << true << true << QByteArray("work");
    QTest::newRow("beside the program before the shared folder")
        << false << true << true << QByteArray("bin");
    QTest::newRow("installed: the shared folder") << false << false << true << QByteArray("share");
    QTest::newRow("nowhere: the bare name") << false << false << false << QByteArray();
}

void TestProgramFiles::searchOrder()
{
    QFETCH(bool, inWorkDir);
    QFETCH(bool, beside);
    QFETCH(bool, shared);
    QFETCH(QByteArray, found);
    QTemporaryDir prefix;
    QTemporaryDir work;
    QVERIFY(prefix.isValid() && work.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    const QString bin = prefix.filePath("bin");
    QVERIFY(QDir().mkpath(bin));
    if (inWorkDir) {
        Touch(work.filePath("lang.csv"), "work");
    }
    if (beside) {
        Touch(prefix.filePath("bin/lang.csv"), "bin");
    }
    if (shared) {
        Touch(prefix.filePath("share/radioprog/lang.csv"), "share");
    }
    const QString path = FindProgramFileFrom("lang.csv", bin);
    if (found.isEmpty()) {
        QCOMPARE(path, QString("lang.csv"));
        QVERIFY(!QFileInfo::exists(path));
    } else {
        QCOMPARE(Content(path), found);
    }
    QDir::setCurrent(previous);
}

void TestProgramFiles::nestedNamesAreFoundInTheSharedFolder()
{
    QTemporaryDir prefix;
    QTemporaryDir work;  // an empty working directory
    QVERIFY(prefix.isValid() && work.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    QVERIFY(QDir().mkpath(prefix.filePath("bin")));
    Touch(prefix.filePath("share/radioprog/helptopics1/index.htm"), "<html/>");
    const QString path = FindProgramFileFrom("helptopics1/index.htm", prefix.filePath("bin"));
    QCOMPARE(
        QFileInfo(path).canonicalFilePath(),
        QFileInfo(prefix.filePath("share/radioprog/helptopics1/index.htm")).canonicalFilePath());
    // The folders searched after the working directory, in order.
    QCOMPARE(ProgramFileFolders("/usr/bin"), QStringList({"/usr/bin", "/usr/share/radioprog"}));
    QDir::setCurrent(previous);
}

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "test_program_files.moc"
