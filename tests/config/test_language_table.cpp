#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include "config/language_file.h"

using namespace radio;

namespace {

QString T(const LanguageTable& table, int n)
{
    return QString::fromStdString(table.Text(n));
}

// A file with `rows` text lines after the header; line i holds "c0_i,c1_i".
QByteArray Numbered(int rows, const QByteArray& header = "A,B")
{
    QByteArray out = header + "\n";
    for (int i = 0; i < rows; ++i) {
        out += "c0_" + QByteArray::number(i) + ",c1_" + QByteArray::number(i) + "\n";
    }
    return out;
}

}  // namespace

class TestLanguageTable : public QObject {
    Q_OBJECT
private slots:
    void header_data();
    void header();
    void fieldsOfAColumn_data();
    void fieldsOfAColumn();
    void fullFileFillsEveryText();
    void reloadKeepsTextsBeyondTheLastLine();
    void lookupNeverFails();
    void extendedTextsFallBackToEnglish();
    void encodings();
    void missingOrEmptyFileChangesNothing();
};

void TestLanguageTable::header_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("lastIndex");
    QTest::newRow("two") << QByteArray("A,B") << QStringList{"A", "B"} << 1;
    QTest::newRow("final comma") << QByteArray("A,B,") << QStringList{"A", "B"} << 2;
    QTest::newRow("empty") << QByteArray("") << QStringList{} << 0;
    QTest::newRow("one") << QByteArray("中文") << QStringList{"中文"} << 0;
    QTest::newRow("empty field ends") << QByteArray("A,,C") << QStringList{"A"} << 1;
    QTest::newRow("CR LF") << QByteArray("A,B\r") << QStringList{"A", "B"} << 1;
}

void TestLanguageTable::header()
{
    QFETCH(QByteArray, header);
    QFETCH(QStringList, names);
    QFETCH(int, lastIndex);
    LanguageTable table;
    LanguageNames n;
    n.names[5] = "kept";
    QVERIFY(LoadLanguageText(header + "\nx\n", 0, table, n));
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(QString::fromStdString(n.names[std::size_t(i)]), names[i]);
    }
    QCOMPARE(n.names[std::size_t(names.size())], std::string());
    QCOMPARE(n.names[5], std::string("kept"));
    QCOMPARE(n.lastLanguageIndex, lastIndex);
}

void TestLanguageTable::fieldsOfAColumn_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("middle") << QByteArray("x,y,z") << 1 << "y";
    QTest::newRow("too few fields") << QByteArray("x") << 1 << "";
    QTest::newRow("empty field") << QByteArray("a,,c") << 1 << "";
    QTest::newRow("last field") << QByteArray("a,b,c") << 2 << "c";
    QTest::newRow("CR is not text") << QByteArray("a,b\r") << 1 << "b";
    QTest::newRow("long field whole")
        << QByteArray("a,") + QByteArray(300, 'w') << 1 << QString(300, 'w');
    QTest::newRow("column beyond the file") << QByteArray("a,b") << 7 << "";
}

void TestLanguageTable::fieldsOfAColumn()
{
    QFETCH(QByteArray, line);
    QFETCH(int, column);
    QFETCH(QString, text);
    LanguageTable table;
    table.SetText(text::RadioData, "before");
    LanguageNames names;
    QVERIFY(LoadLanguageText("A,B,C\n" + line + "\n", column, table, names));
    QCOMPARE(T(table, text::RadioData), text);
}

void TestLanguageTable::fullFileFillsEveryText()
{
    LanguageTable table;
    LanguageNames names;
    QVERIFY(LoadLanguageText(Numbered(text::Last + 1), 1, table, names));
    QCOMPARE(T(table, 0), QString("c1_0"));
    QCOMPARE(T(table, kClassicTextCount - 1), QString("c1_186"));
    // Lines 189 onward hold the texts added after the classic table.
    QCOMPARE(T(table, text::WriteMismatch), QString("c1_187"));
    QCOMPARE(T(table, text::Last), QString("c1_%1").arg(text::Last));
}

void TestLanguageTable::reloadKeepsTextsBeyondTheLastLine()
{
    LanguageTable table;
    LanguageNames names;
    QVERIFY(LoadLanguageText(Numbered(187), 1, table, names));
    QVERIFY(LoadLanguageText(Numbered(10), 0, table, names));
    QCOMPARE(T(table, 9), QString("c0_9"));
    QCOMPARE(T(table, 10), QString("c1_10"));
    QCOMPARE(T(table, kClassicTextCount - 1), QString("c1_186"));
}

void TestLanguageTable::lookupNeverFails()
{
    LanguageTable table;
    for (int n = -5; n < 400; ++n) {
        (void)table.Text(n);
    }
    QCOMPARE(T(table, -1), QString());
    QCOMPARE(T(table, 10000), QString());
}

// Without a file every text is English, so the menus and windows stand. A file's
// classic text stands as the file gives it, even empty; an extended text left empty
// by an older file is English.
void TestLanguageTable::extendedTextsFallBackToEnglish()
{
    LanguageTable table;
    for (int n = 0; n <= text::Last; ++n) {
        QVERIFY2(!table.Text(n).empty(), qPrintable(QString::number(n)));
    }
    QCOMPARE(T(table, text::FileMenu), QString("File(&F)"));
    QVERIFY(T(table, text::PortPermission).contains("dialout"));
    table.SetText(text::PortBusy, "besetzt");
    QCOMPARE(T(table, text::PortBusy), QString("besetzt"));
    table.SetText(text::PortBusy, "");
    QVERIFY(T(table, text::PortBusy).contains("in use"));
    table.SetText(text::FileMenu, "");
    QCOMPARE(T(table, text::FileMenu), QString());
    QVERIFY(LanguageTable::Fallback(text::Last + 1).empty());
}

void TestLanguageTable::encodings()
{
    const QString chinese = QString::fromUtf8("文件(&F)");
    LanguageTable table;
    LanguageNames names;
    QVERIFY(
        LoadLanguageText("\xEF\xBB\xBF"
                         "中文,English\n" +
                             chinese.toUtf8() + ",File\n",
                         0, table, names));
    QCOMPARE(QString::fromStdString(names.names[0]), QString::fromUtf8("中文"));
    QCOMPARE(T(table, text::RadioData), chinese);

    QStringEncoder gb("GB18030");
    if (!gb.isValid()) {
        QSKIP("no GB18030 codec in this Qt");
    }
    const QByteArray gbBytes = gb.encode(QString::fromUtf8("中文,English\n") + chinese + ",File\n");
    LanguageTable gbTable;
    QVERIFY(LoadLanguageText(gbBytes, 0, gbTable, names));
    QCOMPARE(T(gbTable, text::RadioData), chinese);

    // A file cut inside its last character is not GB18030: it is read byte for byte
    // rather than losing that byte.
    LanguageTable cutTable;
    QVERIFY(LoadLanguageText(gbBytes + "\xBE", 0, cutTable, names));
    QCOMPARE(T(cutTable, text::FileMenu), QString(QChar(0xBE)));
}

void TestLanguageTable::missingOrEmptyFileChangesNothing()
{
    QTemporaryDir dir;
    LanguageTable table;
    table.SetText(text::MenuOpen, "kept");
    LanguageNames names;
    QVERIFY(!LoadLanguageFile(dir.filePath("lang.csv"), 0, table, names));
    QFile empty(dir.filePath("empty.csv"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(!LoadLanguageFile(dir.filePath("empty.csv"), 0, table, names));
    QCOMPARE(T(table, text::MenuOpen), QString("kept"));

    QFile file(dir.filePath("lang.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Numbered(3));
    file.close();
    QVERIFY(LoadLanguageFile(dir.filePath("lang.csv"), 0, table, names));
    QCOMPARE(T(table, 2), QString("c0_2"));
    QCOMPARE(T(table, text::MenuOpen), QString("kept"));
}

QTEST_APPLESS_MAIN(TestLanguageTable)
#include "test_language_table.moc"
