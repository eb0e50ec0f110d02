// The printout to a PDF file: one page whose text holds the page heading, the column
// headings, every channel row and the features summary, for 16 and 32 channels; the
// measures of the table; the heading cut; the preview and the print dialog.
#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <QTimer>
#include <functional>

#include "channels/chn_msg_form_view.h"
#include "features/choice_fun_view.h"
#include "print/channel_printer.h"
#include "print/print_dialogs.h"
#include "widgets/message_box.h"

using namespace radio;

namespace {

// Headings, option texts and the summary labels, each one different.
void SetTexts(RadioData& data)
{
    for (int n = 0; n < kClassicTextCount; ++n) {
        data.texts.SetText(n, "T" + std::to_string(n));
    }
    const std::pair<int, const char*> texts[] = {
        {42, "CH"},        {43, "RX Freq"},   {44, "TX Freq"},   {45, "接收亚音"},
        {46, "TX Tone"},   {48, "Bandwidth"}, {51, "Power"},     {54, "Scan add"},
        {64, "Busy lock"}, {99, "Timer"},     {107, "Key beep"}, {111, "VOX group"},
        {121, "Code one"}, {122, "Code two"}, {59, "DTMF"},      {119, "Scrambler"},
    };
    for (const auto& [n, text] : texts) {
        data.texts.SetText(n, text);
    }
}

// Channel n gets the receive frequency 43n.n1250 MHz, different for every channel.
std::uint32_t FrequencyOf(int n)
{
    const std::uint32_t bcd = std::uint32_t((n / 10) << 4 | (n % 10));
    return 0x43000000u | bcd << 16 | 0x1250u;
}

void ProgramChannels(RadioData& data)
{
    for (int i = 0; i < data.ChannelCount(); ++i) {
        ChannelRecord channel = data.Channel(i);
        channel.Erase();
        channel.SetRxFrequency(FrequencyOf(i + 1));
        channel.SetTxFrequency(FrequencyOf(i + 1));
    }
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF file, as a search in it finds it.
QString PdfText(const QString& pdf)
{
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"});
}

struct PdfWord {
    QString text;
    double left = 0;
    double right = 0;
    double top = 0;
};

// The words of the first page with their boxes.
QList<PdfWord> PdfWords(const QString& pdf)
{
    const QString html =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"),
                                          QStringLiteral("1"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(4), m.captured(1).toDouble(), m.captured(3).toDouble(),
                      m.captured(2).toDouble()});
    }
    return words;
}

int PdfPages(const QString& pdf)
{
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

void UsePdf(QPrinter& printer, const QString& file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
}

// Runs `act` on the modal dialog of type T once it is up.
template <typename T>
void WhenShown(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act]() {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start(10);
}

}  // namespace

class TestChannelPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void onePageWithTableAndSummary_data();
    void onePageWithTableAndSummary();
    void headingsFitTheirColumns_data();
    void headingsFitTheirColumns();
    void headingCut_data();
    void headingCut();
    void longHeadingPrintsCut();
    void tableFollowsTextFortySix();
    void previewShowsOnePage();
    void printDialogPrintsToPdf();
    void cancelledDialogPrintsNothing();

private:
    QString PrintToPdf(RadioData& data, const QString& name,
                       QPrinter::PrinterMode mode = QPrinter::HighResolution);
    QTemporaryDir m_dir;
};

void TestChannelPrinter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed");
    }
}

QString TestChannelPrinter::PrintToPdf(RadioData& data, const QString& name,
                                       QPrinter::PrinterMode mode)
{
    CChnMsgFormView channels(&data);
    channels.LoadFromRecord();
    CChoiceFunView features(&data);
    const QString pdf = m_dir.filePath(name);
    QPrinter printer(mode);
    UsePdf(printer, pdf);
    ChannelPrinter job({&data, &channels, &features});
    if (!job.Print(printer)) {
        return QString();
    }
    return pdf;
}

void TestChannelPrinter::onePageWithTableAndSummary_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("channels");
    QTest::newRow("16 channels") << 1 << 16;
    QTest::newRow("32 channels") << 0 << 32;
}

void TestChannelPrinter::onePageWithTableAndSummary()
{
    QFETCH(int, model);
    QFETCH(int, channels);
    RadioData data;
    data.model = model;
    SetTexts(data);
    ProgramChannels(data);
    CChnMsgFormView view(&data);
    view.LoadFromRecord();
    QCOMPARE(view.RowCount(), channels + 1);

    const QString pdf = PrintToPdf(data, QStringLiteral("table%1.pdf").arg(channels));
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(PdfPages(pdf), 1);
    const QString text = PdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("第 1 页 / 共 1 页")), qPrintable(text.left(400)));
    for (const char* heading : {"CH", "RX Freq", "TX Freq", "接收亚音", "TX Tone", "Bandwidth",
                                "Power", "Scan add", "Busy lock"}) {
        QVERIFY2(text.contains(QString::fromUtf8(heading)), heading);
    }
    // Every channel row, as the table shows it.
    const QStringList lines = text.split('\n');
    for (int row = 1; row <= channels; ++row) {
        const QString rx = view.CellText(row, 1);
        QVERIFY(!rx.isEmpty());
        bool found = false;
        for (const QString& line : lines) {
            if (line.contains(rx) && line.count(rx) == 2 &&
                line.trimmed().startsWith(view.CellText(row, 0) + ' ')) {
                found = true;
            }
        }
        QVERIFY2(found, qPrintable(QStringLiteral("row %1: %2").arg(row).arg(rx)));
    }
    // The summary: labels with their values, and the group titles.
    for (const char* label : {"Timer= 120", "Key beep= 1", "Code one= 12345", "Code two= 54321",
                              "Scrambler= 0", "VOX group", "DTMF"}) {
        QVERIFY2(text.contains(QLatin1String(label)), label);
    }
}

// Long English headings ("Bandwidth" beside "Power", "Scan add" beside "Busy lock")
// get a smaller font rather than running into each other.
void TestChannelPrinter::headingsFitTheirColumns_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("printer resolution") << int(QPrinter::HighResolution);
    QTest::newRow("screen resolution, as the preview") << int(QPrinter::ScreenResolution);
}

void TestChannelPrinter::headingsFitTheirColumns()
{
    QFETCH(int, mode);
    RadioData data;
    SetTexts(data);
    ProgramChannels(data);
    const QString pdf = PrintToPdf(data, QStringLiteral("headings%1.pdf").arg(mode),
                                   QPrinter::PrinterMode(mode));
    QVERIFY(!pdf.isEmpty());
    const QList<PdfWord> words = PdfWords(pdf);
    const auto bandwidth = std::find_if(words.begin(), words.end(),
                                        [](const PdfWord& w) { return w.text == "Bandwidth"; });
    QVERIFY(bandwidth != words.end());
    QList<PdfWord> headings;
    for (const PdfWord& w : words) {
        if (std::abs(w.top - bandwidth->top) < 2.0) {
            headings.append(w);
        }
    }
    std::sort(headings.begin(), headings.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.left < b.left; });
    QStringList texts;
    for (const PdfWord& w : headings) {
        texts << w.text;
    }
    for (int i = 0; i + 1 < headings.size(); ++i) {
        QVERIFY2(headings[i].right <= headings[i + 1].left,
                 qPrintable(headings[i].text + " runs into " + headings[i + 1].text));
    }
    QCOMPARE(texts.join(' '),
             QStringLiteral("CH RX Freq TX Freq 接收亚音 TX Tone Bandwidth Power Scan add Busy lock"));
}

void TestChannelPrinter::headingCut_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QString>("printed");
    QTest::newRow("15 bytes whole") << QByteArray("ABCDEFGHIJKLMNO") << "ABCDEFGHIJKLMNO";
    QTest::newRow("16 bytes cut") << QByteArray("ABCDEFGHIJKLMNOP") << "ABCDEFGHIJKLM";
    QTest::newRow("short") << QByteArray("CH") << "CH";
    // Five Chinese characters are 15 bytes; six are cut to four (12 bytes), since
    // the 13th byte would split the fifth.
    QTest::newRow("five Chinese") << QString("接收频率码").toUtf8() << "接收频率码";
    QTest::newRow("six Chinese") << QString("接收频率码值").toUtf8() << "接收频率";
    QTest::newRow("mixed") << QString("RX 接收频率码").toUtf8() << "RX 接收频";
}

void TestChannelPrinter::headingCut()
{
    QFETCH(QByteArray, utf8);
    QFETCH(QString, printed);
    QCOMPARE(ChannelPrinter::CutHeading(utf8.toStdString()), printed);
}

void TestChannelPrinter::longHeadingPrintsCut()
{
    RadioData data;
    SetTexts(data);
    data.texts.SetText(43, "ABCDEFGHIJKLMNOP");
    data.texts.SetText(64, "Busy lock 12345");  // 15 bytes, in the last column
    data.texts.SetText(45, "接收亚音频率");     // 18 bytes
    ProgramChannels(data);
    const QString pdf = PrintToPdf(data, QStringLiteral("headings.pdf"));
    QVERIFY(!pdf.isEmpty());
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QLatin1String("ABCDEFGHIJKLM")));
    QVERIFY(!text.contains(QLatin1String("ABCDEFGHIJKLMN")));
    QVERIFY2(text.contains(QLatin1String("Busy lock 12345")), qPrintable(text.left(600)));
    QVERIFY(text.contains(QStringLiteral("接收亚音")));
    QVERIFY(!text.contains(QStringLiteral("接收亚音频")));
}

void TestChannelPrinter::tableFollowsTextFortySix()
{
    RadioData data;
    SetTexts(data);
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, m_dir.filePath("unused.pdf"));
    ChannelPrinter narrow({&data, nullptr, nullptr});
    narrow.Begin(printer);
    data.texts.SetText(46, "A much longer transmit tone heading");
    ChannelPrinter wide({&data, nullptr, nullptr});
    wide.Begin(printer);
    const auto& n = narrow.JobMeasures();
    const auto& w = wide.JobMeasures();
    QVERIFY(w.tableWidth > n.tableWidth);
    QVERIFY(n.lineHeight > 0);
    QCOMPARE(n.rowCount, 17);
    for (const auto* m : {&n, &w}) {
        // Centred on the printable width.
        QVERIFY(std::abs(2 * m->leftMargin + m->tableWidth - printer.width()) <= 1);
    }
    QCOMPARE(narrow.PageCount(), 1);
}

void TestChannelPrinter::previewShowsOnePage()
{
    RadioData data;
    data.model = 0;
    SetTexts(data);
    ProgramChannels(data);
    CChnMsgFormView channels(&data);
    channels.LoadFromRecord();
    CChoiceFunView features(&data);
    QPrinter printer(QPrinter::HighResolution);
    int pages = -1;
    WhenShown<QPrintPreviewDialog>([&pages](QPrintPreviewDialog* dialog) {
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        pages = preview ? preview->pageCount() : -2;
        dialog->reject();
    });
    QVERIFY(!PreviewWithDialog({&data, &channels, &features}, printer, nullptr));
    QCOMPARE(pages, 1);
}

void TestChannelPrinter::printDialogPrintsToPdf()
{
    RadioData data;
    SetTexts(data);
    ProgramChannels(data);
    CChnMsgFormView channels(&data);
    channels.LoadFromRecord();
    CChoiceFunView features(&data);
    const QString pdf = m_dir.filePath("dialog.pdf");
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, pdf);
    WhenShown<QPrintDialog>([](QPrintDialog* dialog) { dialog->accept(); });
    QVERIFY(PrintWithDialog({&data, &channels, &features}, printer, nullptr));
    QCOMPARE(PdfPages(pdf), 1);
    QVERIFY(PdfText(pdf).contains(QLatin1String("Timer= 120")));
}

void TestChannelPrinter::cancelledDialogPrintsNothing()
{
    RadioData data;
    SetTexts(data);
    CChoiceFunView features(&data);
    const QString pdf = m_dir.filePath("cancelled.pdf");
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, pdf);
    WhenShown<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
    QVERIFY(!PrintWithDialog({&data, nullptr, &features}, printer, nullptr));
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestChannelPrinter)
#include "test_channel_printer.moc"
