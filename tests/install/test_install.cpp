// What cmake --install puts where, installed from this build into a folder of the
// test's own: the programs answer --version, the shared files sit where an installed
// program looks for them, and the desktop entry, the AppStream metainfo and the MIME
// type pass the desktop's own checks (skipped where those tools are missing).
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    bool finished = false;
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run Execute(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run r;
    r.finished = process.waitForFinished(60000);
    if (!r.finished) {
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void programsAndTheirFiles();
    void programsTellTheirVersion_data();
    void programsTellTheirVersion();
    void iconsHaveTheirSizes();
    void manualPages_data();
    void manualPages();
    void desktopEntryStartsInTheUserFolder();
    void desktopEntryIsValid();
    void metainfoIsValid();
    void dataFilesGetTheirType();

private:
    QString Installed(const QString& relative) const { return m_prefix + '/' + relative; }
    QString Tool(const char* name) const
    {
        return QStandardPaths::findExecutable(QString::fromLatin1(name));
    }

    QTemporaryDir m_dir;
    QString m_prefix;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prefix = m_dir.filePath("usr");
    const Run install =
        Execute(RADIOPROG_CMAKE, {"--install", RADIOPROG_BUILD_DIR, "--prefix", m_prefix});
    QVERIFY2(install.finished && install.code == 0, install.err.constData());
}

void TestInstall::programsAndTheirFiles()
{
    const QStringList expected = {
        "bin/radioprog",
        "bin/radioprog-cli",
        "bin/radiosim",
        // An installed program finds these in ../share/radioprog.
        "share/radioprog/lang.csv",
        "share/radioprog/bg1.JPG",
        "share/radioprog/bg10.JPG",
        "share/radioprog/bg13.JPG",
        "share/radioprog/phone.JPG",
        "share/radioprog/helptopics1/index.htm",
        "share/radioprog/helptopics1/html/language.htm",
        "share/applications/org.radioprog.radioprog.desktop",
        "share/metainfo/org.radioprog.radioprog.metainfo.xml",
        "share/mime/packages/radioprog.xml",
        "share/icons/hicolor/scalable/apps/radioprog.svg",
    };
    for (const QString& file : expected) {
        QVERIFY2(QFileInfo(Installed(file)).isFile(), qPrintable(file));
    }
    for (const char* program : {"radioprog", "radioprog-cli", "radiosim"}) {
        QVERIFY(QFileInfo(Installed(QStringLiteral("bin/") + program)).isExecutable());
    }
    // The same texts as beside the programs in the build.
    QCOMPARE(Read(Installed("share/radioprog/lang.csv")),
             Read(QCoreApplication::applicationDirPath() + "/lang.csv"));
    // sys.ini is the user's, never installed.
    QVERIFY(!QFileInfo::exists(Installed("share/radioprog/sys.ini")));
}

void TestInstall::programsTellTheirVersion_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("desktop program") << "radioprog";
    QTest::newRow("command-line tool") << "radioprog-cli";
    QTest::newRow("simulator") << "radiosim";
}

void TestInstall::programsTellTheirVersion()
{
    QFETCH(QString, program);
    const Run run = Execute(Installed("bin/" + program), {"--version"});
    QVERIFY(run.finished);
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, (program + " " RADIOPROG_EXPECTED_VERSION "\n").toUtf8());
}

void TestInstall::iconsHaveTheirSizes()
{
    for (int size : kIconSizes) {
        const QString path =
            Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/radioprog.png").arg(size));
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
    }
    const QByteArray svg = Read(Installed("share/icons/hicolor/scalable/apps/radioprog.svg"));
    QVERIFY(svg.contains("<svg") && svg.contains("viewBox=\"0 0 32 32\""));
}

void TestInstall::manualPages_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("radioprog") << "radioprog";
    QTest::newRow("radioprog-cli") << "radioprog-cli";
    QTest::newRow("radiosim") << "radiosim";
}

void TestInstall::manualPages()
{
    QFETCH(QString, page);
    const QString path = Installed("share/man/man1/" + page + ".1.gz");
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    const Run text = Execute("gzip", {"-dc", path});
    QCOMPARE(text.code, 0);
    QVERIFY(text.out.startsWith(".TH " + page.toUpper().toLatin1() + " 1 "));
    // Every option the program's own help names is in its manual page.
    const Run help = Execute(Installed("bin/" + page), {"--help"});
    QCOMPARE(help.code, 0);
    static const QRegularExpression option("--([a-z][a-z-]+)");
    for (auto it = option.globalMatch(QString::fromUtf8(help.out)); it.hasNext();) {
        const QString name = it.next().captured(1);
        QString escaped = name;
        escaped.replace('-', "\\-");
        QVERIFY2(text.out.contains(("\\-\\-" + escaped).toLatin1()),
                 qPrintable(page + ": --" + name));
    }
}

void TestInstall::desktopEntryStartsInTheUserFolder()
{
    const QByteArray entry = Read(Installed("share/applications/org.radioprog.radioprog.desktop"));
    QVERIFY(entry.contains("\nExec=radioprog --user-folder %f\n"));
    QVERIFY(entry.contains("\nMimeType=application/x-radioprog-data;\n"));
    // The icon the entry names is installed under that name.
    QVERIFY(entry.contains("\nIcon=radioprog\n"));
}

void TestInstall::desktopEntryIsValid()
{
    const QString validate = Tool("desktop-file-validate");
    if (validate.isEmpty()) {
        QSKIP("desktop-file-validate is not installed (Debian: desktop-file-utils)");
    }
    const Run run =
        Execute(validate, {Installed("share/applications/org.radioprog.radioprog.desktop")});
    QVERIFY2(run.code == 0, (run.out + run.err).constData());
    // Hints are advice; errors and warnings fail.
    QVERIFY2(!run.out.contains("error:") && !run.out.contains("warning:"), run.out.constData());
}

void TestInstall::metainfoIsValid()
{
    const QString metainfo = Installed("share/metainfo/org.radioprog.radioprog.metainfo.xml");
    QVERIFY(Read(metainfo).contains("<release version=\"" RADIOPROG_EXPECTED_VERSION "\""));
    const QString appstream = Tool("appstreamcli");
    if (appstream.isEmpty()) {
        QSKIP("appstreamcli is not installed (Debian: appstream)");
    }
    const Run run = Execute(appstream, {"validate", "--no-net", metainfo});
    QVERIFY2(run.code == 0, (run.out + run.err).constData());
}

void TestInstall::dataFilesGetTheirType()
{
    const QString update = Tool("update-mime-database");
    if (update.isEmpty()) {
        QSKIP("update-mime-database is not installed (Debian: shared-mime-info)");
    }
    const QString mime = Installed("share/mime");
    const Run run = Execute(update, {mime});
    QVERIFY2(run.code == 0, run.err.constData());
    QVERIFY(Read(mime + "/globs2").contains(":application/x-radioprog-data:*.tw"));
    QVERIFY(QFileInfo::exists(mime + "/application/x-radioprog-data.xml"));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
