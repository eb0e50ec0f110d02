// The printout to a PDF file: one page whose text holds the page heading and the
// heading line, the column headings, every channel row and the summaries of the
// features, key and scan views as their controls show them, for 16 and 32 channels;
// the table across the page; the measures; the heading cut; the preview and the
// print dialog.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>

#include "channels/chn_msg_form_view.h"
#include "config/language_file.h"
#include "data/feature_bytes.h"
#include "features/choice_fun_view.h"
#include "features/key_set_view.h"
#include "features/scan_msg_view.h"
#include "print/channel_printer.h"
#include "print/print_dialogs.h"
#include "tests/features/view_document.h"
#include "widgets/message_box.h"
#include "widgets/radio_document.h"

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
    double bottom = 0;
};

// The words of the first page with their boxes.
QList<PdfWord> PdfWords(const QString& pdf)
{
    const QString html =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"),
                                          QStringLiteral("1"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), m.captured(1).toDouble(), m.captured(3).toDouble(),
                      m.captured(2).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

struct Rule {
    double x = 0;
    double top = 0;
    double bottom = 0;
};

// The vertical rules of the first page (the table's and the frames' sides), found on
// the page rendered at 2 pixels a point as runs of dark pixels taller than a glyph.
QList<Rule> VerticalRules(const QString& pdf)
{
    const QString base = pdf + QStringLiteral("-rules");
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-gray"),
         QStringLiteral("-singlefile"), pdf, base});
    const QImage page(base + QStringLiteral(".pgm"));
    constexpr int kShortest = 32;  // 16 points
    QList<Rule> rules;
    for (int x = 0; x < page.width(); ++x) {
        int run = 0;
        for (int y = 0; y <= page.height(); ++y) {
            if (y < page.height() && qGray(page.pixel(x, y)) < 160) {
                ++run;
                continue;
            }
            if (run >= kShortest) {
                rules.append({x / 2.0, (y - run) / 2.0, y / 2.0});
            }
            run = 0;
        }
    }
    return rules;
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

// Runs `act` on the modal dialog of type T once it is up. The watch ends then, or
// when the returned timer is deleted.
template <typename T>
QTimer* WhenShown(std::function<void(T*)> act)
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
    return timer;
}

ChannelPrintout Of(RadioData* data, CChnMsgFormView* channels, CChoiceFunView* features)
{
    ChannelPrintout printout;
    printout.data = data;
    printout.channels = channels;
    printout.features = features;
    return printout;
}

// Replaces the text of the view's edit `name` by typing `text`.
QLineEdit* Type(QWidget& view, const char* name, const QString& text)
{
    auto* edit = view.findChild<QLineEdit*>(QLatin1String(name));
    if (edit) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    return edit;
}

// The four views a print command hands over, on a document over a copy of one record.
struct Views {
    test::ViewDocument copy;
    explicit Views(const RadioData* data)
        : channels((copy.record = *data, &copy.document)),
          features(&copy.document),
          keys(&copy.document),
          scan(&copy.document)
    {
        channels.LoadFromRecord();
    }

    ChannelPrintout Printout(RadioData* data)
    {
        ChannelPrintout printout = Of(data, &channels, &features);
        printout.keys = &keys;
        printout.scan = &scan;
        printout.title = QStringLiteral("16-channel Q71/Q72(400-470MHZ)");
        printout.date = QDate(2026, 12, 8);
        return printout;
    }
    CChnMsgFormView channels;
    CChoiceFunView features;
    CKeySetView keys;
    CScanMsgView scan;
};

}  // namespace

class TestChannelPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void onePageWithTableAndSummary_data();
    void onePageWithTableAndSummary();
    void summariesPrintWhatTheViewsShow();
    void headingLine_data();
    void headingLine();
    void refusedFieldPrintsNothing();
    void headingsFitTheirColumns_data();
    void headingsFitTheirColumns();
    void headingCut_data();
    void headingCut();
    void longHeadingPrintsCut();
    void tableWidensWithItsTxToneHeading();
    void previewShowsOnePage();
    void printDialogPrintsToPdf();
    void cancelledDialogPrintsNothing();
    void noTextRunsIntoAnother_data();
    void noTextRunsIntoAnother();

private:
    QString PrintToPdf(RadioData& data, const QString& name,
                       QPrinter::PrinterMode mode = QPrinter::HighResolution);
    QString PrintToPdf(const ChannelPrintout& printout, const QString& name,
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
    Views views(&data);
    return PrintToPdf(views.Printout(&data), name, mode);
}

QString TestChannelPrinter::PrintToPdf(const ChannelPrintout& printout, const QString& name,
                                       QPrinter::PrinterMode mode)
{
    const QString pdf = m_dir.filePath(name);
    QPrinter printer(mode);
    UsePdf(printer, pdf);
    ChannelPrinter job(printout);
    if (!job.Print(printer)) {
        return QString();
    }
    return pdf;
}

// Each value as its control shows it, one of them typed: the VOX delay its item
// (not the index), the key function and every scan setting with their labels.
void TestChannelPrinter::summariesPrintWhatTheViewsShow()
{
    RadioData data;
    SetTexts(data);
    ProgramChannels(data);
    data.block(Block::B0120).data[bytes::choice::kVoxDelay] = 1;
    data.block(Block::B0110).data[bytes::key::kSideKey] = 3;
    // Fixed channel 5, 1.5 s and 3 s, the third combination, 7 and 9.
    const std::uint8_t scan[] = {1, 5, 21, 51, 2, 7, 0, 9, 0};
    std::copy(std::begin(scan), std::end(scan), data.block(Block::B0160).data.begin());
    Views views(&data);
    QVERIFY(Type(views.features, "timerEdit", QStringLiteral("45")));
    const QString pdf = PrintToPdf(views.Printout(&data), QStringLiteral("summaries.pdf"));
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(PdfPages(pdf), 1);
    const QString text = PdfText(pdf);
    for (const char* line :
         {"Timer= 45", "T114= 0.5", "T13", "T125= T128", "T14", "T139= T140", "T142= 5",
          "T143= 1.5", "T144= 3", "T145= T139", "T147= 7", "T148= 9"}) {
        QVERIFY2(text.contains(QLatin1String(line)), line);
    }
}

void TestChannelPrinter::headingLine_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("source");
    QTest::newRow("never saved") << QString() << true << "not saved";
    QTest::newRow("saved") << "/srv/dealer/site 4.tw" << false << "site 4.tw";
    QTest::newRow("changed since")
        << "/srv/dealer/site 4.tw" << true << "site 4.tw (changes not saved)";
}

void TestChannelPrinter::headingLine()
{
    QFETCH(QString, fileName);
    QFETCH(bool, modified);
    QFETCH(QString, source);
    RadioDocument document;
    document.SetFileName(fileName);
    document.Change([modified](RadioData& data) {
        data.bandLower = modified ? 136 : data.bandLower;
        return QStringLiteral("band");
    });
    RadioData data;
    SetTexts(data);
    Views views(&data);
    ChannelPrintout printout = views.Printout(&data);
    printout.document = &document;
    const QString pdf = PrintToPdf(printout, QStringLiteral("heading.pdf"));
    QVERIFY(!pdf.isEmpty());
    const QString line = PdfText(pdf).section('\n', 0, 0);
    for (const QString& part : {source, printout.title, QStringLiteral("2026-12-08"),
                                QStringLiteral("第 1 页 / 共 1 页")}) {
        QVERIFY2(line.contains(part), qPrintable(line + " lacks " + part));
    }
}

// A typed value the view refuses is not printed as if it were taken.
void TestChannelPrinter::refusedFieldPrintsNothing()
{
    RadioData data;
    SetTexts(data);
    Views views(&data);
    QLineEdit* timer = Type(views.features, "timerEdit", QStringLiteral("9999"));
    QVERIFY(timer);
    const QString pdf = m_dir.filePath("refused.pdf");
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, pdf);
    WhenShown<QMessageBox>([](QMessageBox* box) { box->accept(); });
    const QPointer<QTimer> dialogWatch =
        WhenShown<QPrintDialog>([](QPrintDialog* dialog) { dialog->accept(); });
    QVERIFY(!PrintWithDialog(views.Printout(&data), printer, nullptr));
    delete dialogWatch;
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(timer->text(), QStringLiteral("9999"));
}

void TestChannelPrinter::onePageWithTableAndSummary_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("channels");
    // The share of the printable width the sheet spans: all of it for 16 channels;
    // with 32 the page's height sets the scale.
    QTest::addColumn<double>("widthShare");
    QTest::newRow("16 channels") << 1 << 16 << 0.98;
    QTest::newRow("32 channels") << 0 << 32 << 0.80;
}

void TestChannelPrinter::onePageWithTableAndSummary()
{
    QFETCH(int, model);
    QFETCH(int, channels);
    QFETCH(double, widthShare);
    test::ViewDocument document;
    RadioData& data = document.record;
    data.model = model;
    SetTexts(data);
    ProgramChannels(data);
    CChnMsgFormView view(&document.document);
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
    // The summaries: labels with their values, and the group titles.
    for (const char* label : {"Timer= 120", "Key beep= 1", "Code one= 12345", "Code two= 54321",
                              "Scrambler= 0", "VOX group", "DTMF", "T13", "T14", "T148= "}) {
        QVERIFY2(text.contains(QLatin1String(label)), label);
    }
    // Across the printable width and within the page.
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, m_dir.filePath("unused.pdf"));
    const QRectF printable = printer.pageLayout().paintRectPoints();
    QRectF sheet;
    for (const PdfWord& w : PdfWords(pdf)) {
        sheet |= QRectF(QPointF(w.left, w.top), QPointF(w.right, w.bottom));
    }
    QVERIFY2(sheet.width() >= widthShare * printable.width(),
             qPrintable(QStringLiteral("%1 of %2 pt").arg(sheet.width()).arg(printable.width())));
    QVERIFY(printable.adjusted(-1, -1, 1, 1).contains(sheet));
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
    // Every list of the features shows its widest item, as a dealer may pick it.
    Views views(&data);
    views.features.LoadFromRecord();
    for (QComboBox* list : views.features.findChildren<QComboBox*>()) {
        int widest = 0;
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).size() > list->itemText(widest).size()) {
                widest = i;
            }
        }
        list->setCurrentIndex(widest);
    }
    const QString pdf =
        PrintToPdf(views.Printout(&data), QStringLiteral("headings%1.pdf").arg(mode),
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
    QCOMPARE(
        texts.join(' '),
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
    data.texts.SetText(text::ColumnRxFrequency, "ABCDEFGHIJKLMNOP");
    data.texts.SetText(text::ColumnBusyLock, "Busy lock 12345");  // 15 bytes, in the last column
    data.texts.SetText(text::ColumnRxTone, "接收亚音频率");       // 18 bytes
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

void TestChannelPrinter::tableWidensWithItsTxToneHeading()
{
    RadioData data;
    SetTexts(data);
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, m_dir.filePath("unused.pdf"));
    ChannelPrinter narrow(Of(&data, nullptr, nullptr));
    narrow.Begin(printer);
    data.texts.SetText(text::ColumnTxTone, "A much longer transmit tone heading");
    ChannelPrinter wide(Of(&data, nullptr, nullptr));
    wide.Begin(printer);
    const auto& n = narrow.JobMeasures();
    const auto& w = wide.JobMeasures();
    QVERIFY(w.tableWidth > n.tableWidth);
    QVERIFY(n.lineHeight > 0);
    QCOMPARE(n.rowCount, 17);
    for (const auto* m : {&n, &w}) {
        // Centred on the printable width, in the page's scaled units.
        QVERIFY(m->scale > 0);
        QVERIFY(std::abs((2 * m->leftMargin + m->tableWidth) * m->scale - printer.width()) <=
                2 * m->scale);
    }
    QCOMPARE(narrow.PageCount(), 1);
}

void TestChannelPrinter::previewShowsOnePage()
{
    RadioData data;
    data.model = 0;
    SetTexts(data);
    ProgramChannels(data);
    test::ViewDocument doc;
    doc.record = data;
    CChnMsgFormView channels(&doc.document);
    channels.LoadFromRecord();
    CChoiceFunView features(&doc.document);
    QPrinter printer(QPrinter::HighResolution);
    int pages = -1;
    WhenShown<QPrintPreviewDialog>([&pages](QPrintPreviewDialog* dialog) {
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        pages = preview ? preview->pageCount() : -2;
        dialog->reject();
    });
    QVERIFY(!PreviewWithDialog(Of(&data, &channels, &features), printer, nullptr));
    QCOMPARE(pages, 1);
}

void TestChannelPrinter::printDialogPrintsToPdf()
{
    RadioData data;
    SetTexts(data);
    ProgramChannels(data);
    test::ViewDocument doc;
    doc.record = data;
    CChnMsgFormView channels(&doc.document);
    channels.LoadFromRecord();
    CChoiceFunView features(&doc.document);
    const QString pdf = m_dir.filePath("dialog.pdf");
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, pdf);
    WhenShown<QPrintDialog>([](QPrintDialog* dialog) { dialog->accept(); });
    QVERIFY(PrintWithDialog(Of(&data, &channels, &features), printer, nullptr));
    QCOMPARE(PdfPages(pdf), 1);
    QVERIFY(PdfText(pdf).contains(QLatin1String("Timer= 120")));
}

void TestChannelPrinter::cancelledDialogPrintsNothing()
{
    RadioData data;
    SetTexts(data);
    test::ViewDocument doc;
    doc.record = data;
    CChoiceFunView features(&doc.document);
    const QString pdf = m_dir.filePath("cancelled.pdf");
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, pdf);
    WhenShown<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
    QVERIFY(!PrintWithDialog(Of(&data, nullptr, &features), printer, nullptr));
    QVERIFY(!QFile::exists(pdf));
}

// The program's own texts, whose English labels are much wider than the Chinese.
void TestChannelPrinter::noTextRunsIntoAnother_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    for (const auto& [language, name] : {std::pair(0, "Chinese"), std::pair(1, "English")}) {
        for (const auto& [mode, where] : {std::pair(int(QPrinter::HighResolution), "printer"),
                                          std::pair(int(QPrinter::ScreenResolution), "preview")}) {
            for (const auto& [model, channels] : {std::pair(1, 16), std::pair(0, 32)}) {
                QTest::newRow(qPrintable(
                    QStringLiteral("%1, %2 channels, %3").arg(name).arg(channels).arg(where)))
                    << language << model << mode;
            }
        }
    }
}

void TestChannelPrinter::noTextRunsIntoAnother()
{
    QFETCH(int, language);
    QFETCH(int, model);
    QFETCH(int, mode);
    RadioData data;
    data.model = model;
    LanguageNames names;
    QVERIFY(LoadLanguageFile(QStringLiteral(RADIOPROG_LANG_FILE), language, data.texts, names));
    ProgramChannels(data);
    // Every list of the features shows its widest item, as a dealer may pick it.
    Views views(&data);
    views.features.LoadFromRecord();
    for (QComboBox* list : views.features.findChildren<QComboBox*>()) {
        int widest = 0;
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).size() > list->itemText(widest).size()) {
                widest = i;
            }
        }
        list->setCurrentIndex(widest);
    }
    const QString pdf =
        PrintToPdf(views.Printout(&data),
                   QStringLiteral("lang%1-%2-%3.pdf").arg(language).arg(model).arg(mode),
                   QPrinter::PrinterMode(mode));
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(PdfPages(pdf), 1);
    const QList<PdfWord> words = PdfWords(pdf);
    QVERIFY(words.size() > 100);
    // Words on one line must not overlap; lines may, the boxes being the fonts' full
    // height. A quarter point is a glyph's side bearing.
    constexpr double kSlack = 0.25;
    for (int i = 0; i < words.size(); ++i) {
        for (int j = i + 1; j < words.size(); ++j) {
            const PdfWord& a = words[i];
            const PdfWord& b = words[j];
            const double shared = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
            const double lower = std::min(a.bottom - a.top, b.bottom - b.top);
            const bool apart =
                shared < lower / 2 || a.right - kSlack <= b.left || b.right - kSlack <= a.left;
            QVERIFY2(apart, qPrintable(a.text + " runs into " + b.text));
        }
    }
    // Nor does a word cross a frame's side.
    const QList<Rule> rules = VerticalRules(pdf);
    QVERIFY(rules.size() >= 10);
    for (const PdfWord& word : words) {
        const double middle = (word.top + word.bottom) / 2;
        for (const Rule& rule : rules) {
            const bool crosses = word.left + kSlack < rule.x && rule.x < word.right - kSlack &&
                                 rule.top < middle && middle < rule.bottom;
            QVERIFY2(
                !crosses,
                qPrintable(
                    QStringLiteral("%1 crosses the rule at %2 pt").arg(word.text).arg(rule.x)));
        }
    }
}

QTEST_MAIN(TestChannelPrinter)
#include "test_channel_printer.moc"
