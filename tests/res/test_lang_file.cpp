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
    for (int n : {text::MenuNew, text::MenuOpen, text::MenuSave, text::MenuPrint,
                  text::MenuReadFromRadio, text::MenuWriteToRadio}) {
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
        {"bandwidth", {text::Wide, text::Narrow}},
        {"power", {text::Low, text::High}},
        {"scan add", {text::Off, text::On}},
        {"busy lock", {text::SwitchedOff, text::SwitchedOn}},
        {"Choice A", {text::Standard, text::Wide}},
        {"Choice B", {text::SwitchedOff, text::Normal, text::Deep}},
        {"Code choice", {text::OnPttPress, text::OnPttRelease}},
        {"Code selector", {text::Code1, text::Code2, text::Code1And2}},
        {"key functions",
         {text::Off, text::KeyMonitor, text::KeyScan, text::KeyAlarm, text::KeyTxPower,
          text::KeyVoxSwitch, text::KeyWideNarrow, text::KeyScramblerSwitch, text::KeyTalkaround,
          text::KeyBatteryLevel, text::KeyKeyLock, text::KeyFlashlight}},
        {"scan mode", {text::Off, text::ScanFixed, text::ScanCurrent}},
        {"combination bases", {text::ScanCurrent, text::ScanPriority}},
        {"OK and Cancel", {text::Ok, text::Cancel}},
        {"model names", {text::Channels32, text::Channels16}},
        // The navigation tree tells the views apart by their names.
        {"view names", {text::ChannelsView, text::FeaturesView, text::KeysView, text::ScanView}},
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
    const QSet<QString> zero{l.Text(text::Narrow), l.Text(text::Low), l.Text(text::Off),
                             l.Text(text::SwitchedOff)};
    for (int n : {text::Wide, text::High, text::On, text::SwitchedOn}) {
        QVERIFY2(!zero.contains(l.Text(n)), qPrintable(QStringLiteral("#%1").arg(n)));
    }
}

void TestLangFile::captionsCarryNoAccessKey()
{
    QFETCH(int, column);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    // Window and dialog captions, tree items and labels would show the "&" as it is.
    for (int n : {text::RadioData, text::MenuModelAndBand, text::ChannelsView, text::FeaturesView,
                  text::KeysView, text::ScanView, text::LanguageTitle, text::AboutTitle,
                  text::CommunicationFailedCaption, text::Done, text::ComPortTitle,
                  text::WarningCaption, text::ExitCaption, text::OutOfBandCaption, text::ModelLabel,
                  text::Channels32, text::Channels16, text::BandLabel}) {
        QVERIFY2(!l.Text(n).contains(QLatin1Char('&')), qPrintable(QStringLiteral("#%1").arg(n)));
    }
    // The menu bar captions do carry one.
    for (int n : {text::FileMenu, text::ModelMenu, text::EditMenu, text::ProgrammingMenu,
                  text::SettingsMenu, text::ViewMenu, text::WindowMenu, text::HelpMenu}) {
        QVERIFY2(l.Text(n).contains(QLatin1Char('&')), qPrintable(QStringLiteral("#%1").arg(n)));
    }
}

void TestLangFile::finishedMessagesReadAsOneSentence()
{
    QFETCH(int, column);
    const Loaded l = Load(column);
    QVERIFY(l.ok);
    // The finished boxes show the reading or writing text directly followed by "Done".
    static const QRegularExpression runTogether(QStringLiteral("[A-Za-z][A-Za-z]"));
    for (int n : {text::ReadingFromRadio, text::WritingToRadio}) {
        const QString seam = l.Text(n).right(1) + l.Text(text::Done).left(1);
        QVERIFY2(!runTogether.match(seam).hasMatch(), qPrintable(l.Text(n) + l.Text(text::Done)));
    }
    QVERIFY(l.Text(text::ReadingFromRadio) != l.Text(text::WritingToRadio));
}

QTEST_APPLESS_MAIN(TestLangFile)
#include "test_lang_file.moc"
