// The language file that ships with the program, loaded by the program's own loader
// from beside the test programs, where the build copies it.
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include "config/language_file.h"
#include "config/program_files.h"

using namespace radio;

namespace {

constexpr int kChinese = 0;
constexpr int kEnglish = 1;

struct Loaded {
    bool ok = false;
    LanguageTable table;
    LanguageNames names;

    QString Text(int n) const { return QString::fromStdString(table.Text(n)); }
};

Loaded Load(int column)
{
    Loaded l;
    l.ok = LoadLanguageFile(FindProgramFile(QStringLiteral("lang.csv")), column, l.table, l.names);
    return l;
}

QSet<QString> Placeholders(const QString& text)
{
    QSet<QString> out;
    static const QRegularExpression re(QStringLiteral("%\\d"));
    for (auto it = re.globalMatch(text); it.hasNext();) {
        out.insert(it.next().captured());
    }
    return out;
}

void AddColumns()
{
    QTest::addColumn<int>("column");
    QTest::newRow("Chinese") << kChinese;
    QTest::newRow("English") << kEnglish;
}

}  // namespace

class TestLangFile : public QObject {
    Q_OBJECT
private slots:
    void namesTheTwoLanguages();
    void noThirdColumn();
    void builtInEnglishIsTheFilesEnglish();
    void everyClassicTextIsSet_data() { AddColumns(); }
    void everyClassicTextIsSet();
    void extendedTextsComeFromTheFile_data() { AddColumns(); }
    void extendedTextsComeFromTheFile();
    void toolTipsSurviveTheCut_data() { AddColumns(); }
    void toolTipsSurviveTheCut();
    void listEntriesAreDistinct_data();
    void listEntriesAreDistinct();
    void textsStandingForOneNeverReadAsZero_data() { AddColumns(); }
    void textsStandingForOneNeverReadAsZero();
    void captionsCarryNoAccessKey_data() { AddColumns(); }
    void captionsCarryNoAccessKey();
    void finishedMessagesReadAsOneSentence_data() { AddColumns(); }
    void finishedMessagesReadAsOneSentence();
};

void TestLangFile::namesTheTwoLanguages()
{
    const Loaded l = Load(kEnglish);
    QVERIFY2(l.ok, "lang.csv not found beside the test programs");
    QCOMPARE(QString::fromStdString(l.names.names[0]), QStringLiteral("简体中文"));
    QCOMPARE(QString::fromStdString(l.names.names[1]), QStringLiteral("English"));
    QVERIFY(l.names.names[2].empty());
    // Two columns and no final comma: the background pictures are numbered 10 to 13.
    QCOMPARE(l.names.lastLanguageIndex, 1);
}

void TestLangFile::noThirdColumn()
{
    // A comma inside a text would push the rest of the line into a third column.
    const Loaded l = Load(2);
    QVERIFY(l.ok);
    for (int n = 0; n <= text::Last; ++n) {
        QVERIFY2(l.Text(n).isEmpty() || n >= kClassicTextCount,
                 qPrintable(QStringLiteral("#%1: %2").arg(n).arg(l.Text(n))));
    }
}

// The texts the program shows without the file are the file's English ones.
void TestLangFile::builtInEnglishIsTheFilesEnglish()
{
    const Loaded english = Load(1);
    QVERIFY(english.ok);
    for (int n = 0; n <= text::Last; ++n) {
        QCOMPARE(english.Text(n), QString::fromStdString(LanguageTable::Fallback(n)));
    }
}

void TestLangFile::everyClassicTextIsSet()
{
    QFETCH(int, column);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    for (int n = 0; n < kClassicTextCount; ++n) {
        const QString t = l.Text(n);
        QVERIFY2(!t.trimmed().isEmpty(), qPrintable(QStringLiteral("#%1 is empty").arg(n)));
        QVERIFY2(t == t.trimmed(), qPrintable(QStringLiteral("#%1 has outer blanks").arg(n)));
        QVERIFY2(!t.contains(QLatin1Char('\r')), qPrintable(QStringLiteral("#%1 has a CR").arg(n)));
    }
}

void TestLangFile::extendedTextsComeFromTheFile()
{
    QFETCH(int, column);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    static const QRegularExpression cjk(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    for (int n = kClassicTextCount; n <= text::Last; ++n) {
        const QString t = l.Text(n);
        const QString fallback = QString::fromStdString(LanguageTable::Fallback(n));
        QVERIFY2(!t.isEmpty(), qPrintable(QStringLiteral("#%1").arg(n)));
        if (column == kChinese) {
            QVERIFY2(cjk.match(t).hasMatch(),
                     qPrintable(QStringLiteral("#%1 is not translated: %2").arg(n).arg(t)));
        }
        // The program fills in exactly the values its fallback names.
        QCOMPARE(Placeholders(t), Placeholders(fallback));
    }
}

void TestLangFile::toolTipsSurviveTheCut()
{
    QFETCH(int, column);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    // New, Open, Save, Print, Read, Write: the toolbar cuts them before the first "(".
    for (int n : {2, 3, 4, 6, 20, 21}) {
        const QString tip = l.Text(n).section(QLatin1Char('('), 0, 0).left(79);
        QVERIFY2(!tip.isEmpty() && tip == tip.trimmed() && !tip.contains(QLatin1Char('&')),
                 qPrintable(QStringLiteral("#%1 gives the tool tip '%2'").arg(n).arg(tip)));
    }
}

void TestLangFile::listEntriesAreDistinct_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<int>>("texts");
    const struct {
        const char* name;
        QList<int> texts;
    } lists[] = {
        {"bandwidth", {49, 50}},
        {"power", {52, 53}},
        {"scan add", {47, 55}},
        {"busy lock", {60, 61}},
        {"Choice A", {103, 49}},
        {"Choice B", {60, 106, 105}},
        {"Code choice", {15, 16}},
        {"Code selector", {121, 122, 123}},
        {"key functions", {47, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136}},
        {"scan mode", {47, 140, 141}},
        {"combination bases", {141, 139}},
        {"OK and Cancel", {71, 72}},
        {"model names", {184, 185}},
        // The navigation tree tells the views apart by their names.
        {"view names", {11, 12, 13, 14}},
    };
    for (int column : {kChinese, kEnglish}) {
        for (const auto& list : lists) {
            QTest::addRow("%s %s", column == kChinese ? "Chinese" : "English", list.name)
                << column << list.texts;
        }
    }
}

void TestLangFile::listEntriesAreDistinct()
{
    QFETCH(int, column);
    QFETCH(QList<int>, texts);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    QSet<QString> seen;
    for (int n : texts) {
        QVERIFY2(!seen.contains(l.Text(n)),
                 qPrintable(QStringLiteral("#%1 '%2' repeats an entry").arg(n).arg(l.Text(n))));
        seen.insert(l.Text(n));
    }
}

void TestLangFile::textsStandingForOneNeverReadAsZero()
{
    QFETCH(int, column);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    // A channel cell stores bit 0 when its text equals one of these and bit 1 otherwise.
    const QSet<QString> zero{l.Text(50), l.Text(52), l.Text(47), l.Text(60)};
    for (int n : {49, 53, 55, 61}) {
        QVERIFY2(!zero.contains(l.Text(n)), qPrintable(QStringLiteral("#%1").arg(n)));
    }
}

void TestLangFile::captionsCarryNoAccessKey()
{
    QFETCH(int, column);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    // Window and dialog captions, tree items and labels would show the "&" as it is.
    for (int n : {0, 9, 11, 12, 13, 14, 27, 40, 74, 75, 77, 89, 91, 96, 183, 184, 185, 186}) {
        QVERIFY2(!l.Text(n).contains(QLatin1Char('&')), qPrintable(QStringLiteral("#%1").arg(n)));
    }
    // The menu bar captions do carry one.
    for (int n : {1, 8, 10, 19, 25, 28, 32, 38}) {
        QVERIFY2(l.Text(n).contains(QLatin1Char('&')), qPrintable(QStringLiteral("#%1").arg(n)));
    }
}

void TestLangFile::finishedMessagesReadAsOneSentence()
{
    QFETCH(int, column);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    // The finished boxes show #84 or #85 directly followed by #75.
    static const QRegularExpression runTogether(QStringLiteral("[A-Za-z][A-Za-z]"));
    for (int n : {84, 85}) {
        const QString seam = l.Text(n).right(1) + l.Text(75).left(1);
        QVERIFY2(!runTogether.match(seam).hasMatch(), qPrintable(l.Text(n) + l.Text(75)));
    }
    QVERIFY(l.Text(84) != l.Text(85));
}

QTEST_APPLESS_MAIN(TestLangFile)
#include "test_lang_file.moc"
