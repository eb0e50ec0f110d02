#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "config/settings.h"

using namespace radio;

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void readingRules_data();
    void readingRules();
    void missingFileIsAFirstRun_data();
    void missingFileIsAFirstRun();
    void savedFileHasThreeCrLfLines();
    void savedFileReadsBack();
    void localeRule_data();
    void localeRule();
};

void TestSettings::readingRules_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("lines");
    QTest::newRow("written form") << "Com=COM3\r\nDefaultLanguage=1\r\nMode=0\r\n"
                                  << 3 << 1 << 0 << 3;
    QTest::newRow("LF only, no final end")
        << "Com=COM2\nDefaultLanguage=0\nMode=1" << 2 << 0 << 1 << 3;
    QTest::newRow("port and model only") << "Com=COM4\r\nMode=0\r\n" << 4 << 9 << 0 << 2;
    QTest::newRow("leading blank ignored") << " Com=COM2\nMode=1\n" << 1 << 9 << 1 << 1;
    QTest::newRow("lower case ignored") << "com=COM2\n" << 1 << 9 << 1 << 0;
    QTest::newRow("no digit gives 0") << "Mode=\n" << 1 << 9 << 0 << 1;
    QTest::newRow("minus skipped") << "Mode=-5\n" << 1 << 9 << 5 << 1;
    QTest::newRow("first digit anywhere") << "Cx9y12\n" << 9 << 9 << 1 << 1;
    QTest::newRow("last line wins") << "Com=COM1\nCom=COM6\nMode=1\n" << 6 << 9 << 1 << 3;
    QTest::newRow("number ends at non-digit") << "DefaultLanguage=12abc3\n" << 1 << 12 << 1 << 1;
    QTest::newRow("huge number stays bounded") << "Com=99999999999999999999\n"
                                               << 999999999 << 9 << 1 << 1;
    QTest::newRow("empty") << "" << 1 << 9 << 1 << 0;
}

void TestSettings::readingRules()
{
    QFETCH(QString, content);
    QFETCH(int, port);
    QFETCH(int, language);
    QFETCH(int, model);
    QFETCH(int, lines);
    Settings s;
    s.language = 9;  // a value no line sets stays as it was
    const SettingsFileInfo info = ReadSettingsText(content.toStdString(), s);
    QCOMPARE(s.port, port);
    QCOMPARE(s.language, language);
    QCOMPARE(s.model, model);
    QCOMPARE(info.classifiedLines, lines);
    QCOMPARE(info.firstRun, lines != 3);
}

void TestSettings::missingFileIsAFirstRun_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("a FIFO (never opened, so the start does not wait)") << "fifo";
    QTest::newRow("a folder") << "folder";
}

void TestSettings::missingFileIsAFirstRun()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("sys.ini");
    if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "folder") {
        QVERIFY(QDir(dir.path()).mkdir("sys.ini"));
    }
    Settings s;
    const SettingsFileInfo info = ReadSettingsFile(path, s);
    QVERIFY(info.firstRun);
    QCOMPARE(s.port, 1);
    QCOMPARE(s.model, 1);
}

void TestSettings::savedFileHasThreeCrLfLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sys.ini");
    QVERIFY(SaveSettingsFile(path, Settings{1, 0, 1}));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("Com=COM1\r\nDefaultLanguage=0\r\nMode=1\r\n"));
    QVERIFY(!SaveSettingsFile(dir.filePath("missing/sys.ini"), Settings{}));
}

void TestSettings::savedFileReadsBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sys.ini");
    QVERIFY(SaveSettingsFile(path, Settings{10, 1, 0}));
    Settings s;
    QVERIFY(!ReadSettingsFile(path, s).firstRun);
    QCOMPARE(s.port, 10);
    QCOMPARE(s.language, 1);
    QCOMPARE(s.model, 0);
}

void TestSettings::localeRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("column");
    QTest::newRow("Chinese, China") << "zh_CN" << 0;
    QTest::newRow("Chinese, Taiwan") << "zh_TW" << 1;
    QTest::newRow("English, US") << "en_US" << 1;
    QTest::newRow("German") << "de_DE" << 1;
    QTest::newRow("C") << "C" << 1;
}

void TestSettings::localeRule()
{
    QFETCH(QString, name);
    QFETCH(int, column);
    QCOMPARE(LanguageColumnForLocale(QLocale(name)), column);
}

QTEST_APPLESS_MAIN(TestSettings)
#include "test_settings.moc"
