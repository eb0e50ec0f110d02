// The pictures and help pages that the build puts beside the programs, and the icons
// compiled into the desktop program.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtTest>

#include "config/program_files.h"

using namespace radio;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool HasOpaquePixel(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255) {
                return true;
            }
        }
    }
    return false;
}

const QStringList kHelpPages = {
    QStringLiteral("helptopics1/index.htm"),         QStringLiteral("helptopics1/html/connect.htm"),
    QStringLiteral("helptopics1/html/read.htm"),     QStringLiteral("helptopics1/html/edit.htm"),
    QStringLiteral("helptopics1/html/write.htm"),    QStringLiteral("helptopics1/html/files.htm"),
    QStringLiteral("helptopics1/html/language.htm"),
};

}  // namespace

class TestResFiles : public QObject {
    Q_OBJECT
private slots:
    void backgroundPictures_data();
    void backgroundPictures();
    void backgroundsDifferByLanguageOnly();
    void radioPicture();
    void helpPage_data();
    void helpPage();
    void toolbarIcons_data();
    void toolbarIcons();
    void applicationIcon();
};

void TestResFiles::backgroundPictures_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"bg10.JPG", "bg11.JPG", "bg12.JPG", "bg13.JPG", "bg1.JPG"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void TestResFiles::backgroundPictures()
{
    QFETCH(QString, name);
    const QString path = FindProgramFile(name);
    QVERIFY2(QFileInfo::exists(path), qPrintable(name + " is not beside the programs"));
    QVERIFY(QFileInfo(path).size() < 150 * 1024);
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    // Shown stretched over the main window's client area, 773 x 548 at the start: at
    // least that large and of about that shape, so the stretch neither blurs nor distorts.
    QVERIFY(image.width() >= 773 && image.height() >= 548);
    const double aspect = double(image.width()) / image.height();
    QVERIFY2(qAbs(aspect - 773.0 / 548.0) < 0.03, qPrintable(QString::number(aspect)));
}

// bg<language + 2 x model + 10>: the pictures differ by language only. They name no
// channel count, so the 16- and 32-channel pictures of a language are one picture.
void TestResFiles::backgroundsDifferByLanguageOnly()
{
    const auto bytes = [](const char* name) {
        return ReadAll(FindProgramFile(QString::fromLatin1(name)));
    };
    QVERIFY(!bytes("bg10.JPG").isEmpty());
    QCOMPARE(bytes("bg10.JPG"), bytes("bg12.JPG"));
    QCOMPARE(bytes("bg11.JPG"), bytes("bg13.JPG"));
    QVERIFY(bytes("bg10.JPG") != bytes("bg11.JPG"));
    QVERIFY(bytes("bg1.JPG") != bytes("bg11.JPG"));
}

void TestResFiles::radioPicture()
{
    const QString path = FindProgramFile(QStringLiteral("phone.JPG"));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    // Drawn into the key view's upright frame (103 x 189 dialog units).
    const double aspect = double(image.width()) / image.height();
    QVERIFY2(aspect > 0.45 && aspect < 0.65, qPrintable(QString::number(aspect)));
    QVERIFY(image.height() >= 400);
}

void TestResFiles::helpPage_data()
{
    QTest::addColumn<QString>("page");
    // The pages the program opens by name, and every other page that was shipped.
    QStringList pages = kHelpPages;
    const QString root =
        QFileInfo(FindProgramFile(QStringLiteral("helptopics1"))).absoluteFilePath();
    for (QDirIterator it(root, {QStringLiteral("*.htm")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString page =
            QStringLiteral("helptopics1/") + QDir(root).relativeFilePath(it.next());
        if (!pages.contains(page)) {
            pages.append(page);
        }
    }
    for (const QString& page : pages) {
        QTest::newRow(qPrintable(page)) << page;
    }
}

void TestResFiles::helpPage()
{
    QFETCH(QString, page);
    const QString path = FindProgramFile(page);
    const QByteArray bytes = ReadAll(path);
    QVERIFY2(!bytes.isEmpty(), qPrintable(page + " is missing"));

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString html = utf8.decode(bytes);
    QVERIFY2(!utf8.hasError(), "not UTF-8");
    QVERIFY(html.contains(QStringLiteral("charset=utf-8"), Qt::CaseInsensitive));
    QVERIFY(html.contains(QStringLiteral("<title>")));
    // The help window is a plain HTML viewer: no scripts.
    QVERIFY(!html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));

    // Every link between the pages leads to a page (and an anchor) that exists.
    const QDir dir = QFileInfo(path).dir();
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    int links = 0;
    for (auto it = href.globalMatch(html); it.hasNext();) {
        const QString link = it.next().captured(1);
        if (link.contains(QStringLiteral("://")) || link.startsWith(QStringLiteral("mailto:"))) {
            continue;
        }
        ++links;
        const QString file = link.section(QLatin1Char('#'), 0, 0);
        const QString anchor = link.section(QLatin1Char('#'), 1);
        const QString target = file.isEmpty() ? path : dir.filePath(file);
        QVERIFY2(QFileInfo::exists(target), qPrintable(link));
        if (!anchor.isEmpty()) {
            const QString targetHtml = QString::fromUtf8(ReadAll(target));
            QVERIFY2(targetHtml.contains(QStringLiteral("name=\"%1\"").arg(anchor)),
                     qPrintable(link));
        }
    }
    QVERIFY2(links > 0, "a help page without links leaves the reader stranded");
}

void TestResFiles::toolbarIcons_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"new", "open", "save", "print", "read", "write", "about"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void TestResFiles::toolbarIcons()
{
    QFETCH(QString, name);
    const QImage icon(QStringLiteral(":/icons/%1.png").arg(name));
    QVERIFY2(!icon.isNull(), qPrintable(name));
    QCOMPARE(icon.size(), QSize(16, 16));
    QVERIFY(icon.hasAlphaChannel());
    QVERIFY(HasOpaquePixel(icon));
    const QImage large(QStringLiteral(":/icons/%1@2x.png").arg(name));
    QCOMPARE(large.size(), QSize(32, 32));
}

void TestResFiles::applicationIcon()
{
    const QImage icon(QStringLiteral(":/icons/radioprog.png"));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.width(), icon.height());
    QVERIFY(icon.width() >= 64);
    QVERIFY(HasOpaquePixel(icon));
}

QTEST_MAIN(TestResFiles)
#include "test_res_files.moc"
