// radioprog-cli as a person at a terminal meets it: each command's own help, usage
// errors in one line that points to that help, a port given as a relative path, and
// the port check on real pseudo-terminals and processes (its own terminal, its parent
// holding the port, another process holding it, a device only its owner may open,
// checked as another user), with the commands it suggests run by a real shell.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "link/serial_port.h"
#include "pty_pair.h"
#include "sim_helpers.h"

using namespace radio;
using namespace radio::test;

namespace {

struct Run {
    int code = -1;
    QByteArray out;
    QByteArray err;
    QList<QByteArray> Lines() const { return out.trimmed().split('\n'); }
};

// radioprog-cli (built beside this test) with `arguments`, optionally in `folder`, on
// `terminal` as its standard input, behind `prefix` (a program that starts it).
Run Cli(const QStringList& arguments, const QProcessEnvironment& env,
        const QString& folder = QString(), const QString& terminal = QString(),
        const QStringList& prefix = {})
{
    const QString cli = QCoreApplication::applicationDirPath() + "/radioprog-cli";
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder.isEmpty() ? QDir::currentPath() : folder);
    if (!terminal.isEmpty()) {
        process.setStandardInputFile(terminal);
    }
    if (prefix.isEmpty()) {
        process.start(cli, arguments);
    } else {
        process.start(prefix.first(), prefix.mid(1) + QStringList{cli} + arguments);
    }
    Run r;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

// COM1..COM10 standing for `devices` and, past them, for nothing that is there.
QProcessEnvironment Ports(const QStringList& devices)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (int n = 1; n <= 10; ++n) {
        env.insert(QStringLiteral("RADIOPROG_COM%1").arg(n),
                   n <= devices.size() ? devices.at(n - 1) : QStringLiteral("/nonexistent/unused"));
    }
    return env;
}

// The commands after "fix: " in a check line, without the words that follow them.
QString FixCommands(const QString& line)
{
    QString fix = line.mid(line.indexOf("fix: ") + 5);
    for (const QString& end : {QStringLiteral(" then log out"), QStringLiteral(" (a change")}) {
        if (const int at = fix.indexOf(end); at >= 0) {
            fix.truncate(at);
        }
    }
    return fix;
}

}  // namespace

class TestCliCommands : public QObject {
private:
    QTemporaryDir m_backups;  // never the user's own backups
    QTemporaryDir m_folder;   // where the commands run: a data file radio.tw
    QProcessEnvironment Env(const QStringList& devices = {}) const
    {
        QProcessEnvironment env = Ports(devices);
        env.insert("RADIOPROG_BACKUP_DIR", m_backups.path());
        return env;
    }

    Q_OBJECT
private slots:
    void initTestCase();
    void commandLine_data();
    void commandLine();
    void portGivenAsARelativePath();
    void portCheckNeverEndsItselfOrItsParents();
    void permissionAdviceQuotesAndNamesTheGroup();
};

void TestCliCommands::initTestCase()
{
    QVERIFY(m_backups.isValid() && m_folder.isValid());
    QFile data(m_folder.filePath("radio.tw"));
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.write(QByteArray(1704, '\xff'));
}

void TestCliCommands::commandLine_data()
{
    // The first line the tool prints (standard output with status 0, else standard
    // error) and how many lines it prints at most: help fits one screen of 80 columns,
    // a usage error is one line.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("lines");
    const auto help = [](const QString& command, const QString& synopsis) {
        QTest::addRow("%s --help", qPrintable(command))
            << QStringList{command, "--help"} << 0 << "Usage: radioprog-cli " + command + synopsis
            << 24;
    };
    help("ports", " [--check]");
    help("read", " PORT FILE [--retries N] [--no-backup]");
    help("write", " PORT FILE [--force] [--retries N] [--verify]");
    help("show", " FILE [--json]");
    help("diff", " A B [--json] [--retries N] [--no-backup]");
    help("export", " FILE OUT.csv");
    help("import", " IN.csv FILE [--band 136|400|440|450|350|370]");  // more on the next line
    help("clone", " FILE PORT... [--force] [--retries N] [--verify]");
    help("backups", "");
    QTest::newRow("help after the arguments")
        << QStringList{"read", "COM1", "x.tw", "-h"} << 0
        << "Usage: radioprog-cli read PORT FILE [--retries N] [--no-backup]" << 24;
    // The list of commands grows with them; each command's own help fits a terminal.
    QTest::newRow("every command")
        << QStringList{"--help"} << 0 << "Usage: radioprog-cli COMMAND [ARGUMENTS] [OPTIONS]" << 30;

    QTest::newRow("nothing") << QStringList{} << 2
                             << "radioprog-cli: no command given. Try 'radioprog-cli --help'." << 1;
    QTest::newRow("unknown command")
        << QStringList{"erase", "--help"} << 2
        << "radioprog-cli: unknown command 'erase'. Try 'radioprog-cli --help'." << 1;
    QTest::newRow("too few") << QStringList{"read", "COM1"} << 2
                             << "radioprog-cli: read takes PORT FILE; 1 argument given. Try "
                                "'radioprog-cli read --help'."
                             << 1;
    QTest::newRow("too many") << QStringList{"ports", "COM1"} << 2
                              << "radioprog-cli: ports takes no arguments; 1 argument given. Try "
                                 "'radioprog-cli ports --help'."
                              << 1;
    QTest::newRow("unknown option")
        << QStringList{"show", "x.tw", "--verbose"} << 2
        << "radioprog-cli: Unknown option 'verbose'. Try 'radioprog-cli show --help'." << 1;
    QTest::newRow("not a port") << QStringList{"read", "radio", "x.tw"} << 2
                                << "radioprog-cli: radio is not a port (nothing here is named so): "
                                   "give COM1..COM16 or the path of a device. Try 'radioprog-cli "
                                   "read --help'."
                                << 1;
    // The data file and the port the wrong way round.
    QTest::newRow("a data file as the port")
        << QStringList{"write", "radio.tw", "COM1"} << 2
        << "radioprog-cli: radio.tw is not a port (it is a file and not a device): give "
           "COM1..COM16 or the path of a device. Try 'radioprog-cli write --help'."
        << 1;
    QTest::newRow("diff's bad retries")
        << QStringList{"diff", "a.tw", "b.tw", "--retries", "-1"} << 2
        << "radioprog-cli: --retries needs a number of 0 or more. Try 'radioprog-cli diff --help'."
        << 1;
    QTest::newRow("bad retries") << QStringList{"clone", "x.tw", "COM1", "--retries", "many"} << 2
                                 << "radioprog-cli: --retries needs a number of 0 or more. Try "
                                    "'radioprog-cli clone --help'."
                                 << 1;
    // A port that does not open is said in the tool's words, with no progress before it.
    QTest::newRow("no device") << QStringList{"read", "COM3", "x.tw"} << 1
                               << "radioprog-cli: COM3 stands for /nonexistent/unused, which does "
                                  "not exist. Connect the programming cable or give another port "
                                  "(radioprog-cli ports lists them)."
                               << 1;
    QTest::newRow("no such path")
        << QStringList{"write", "/nonexistent/ttyUSB0", "x.tw"} << 2
        << "radioprog-cli: x.tw could not be opened: No such file or directory" << 1;
}

void TestCliCommands::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, first);
    QFETCH(int, lines);
    const Run run = Cli(arguments, Env(), m_folder.path());
    QCOMPARE(run.code, code);
    const QByteArray said = code == 0 ? run.out : run.err;
    QCOMPARE(QString::fromLocal8Bit(said.left(said.indexOf('\n'))), first);
    QVERIFY2(said.count('\n') <= lines, said.constData());
    for (const QByteArray& line : run.out.split('\n')) {
        QVERIFY2(line.size() <= 80, line.constData());
    }
    QVERIFY2(!said.contains("Settings"), said.constData());
    QVERIFY2(code != 0 || run.err.isEmpty(), run.err.constData());
}

void TestCliCommands::portGivenAsARelativePath()
{
    // radiosim --link radiosim-com1 leaves a name in the working folder.
    auto radio = StartRadio(FastRadio(400, 1));
    QVERIFY(radio);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QFile::link(radio->DevicePath(), dir.filePath("radiosim-com1")));
    const Run read = Cli({"read", "radiosim-com1", "radio.tw"}, Env(), dir.path());
    QVERIFY2(read.code == 0, read.err.constData());
    QCOMPARE(QFileInfo(dir.filePath("radio.tw")).size(), 1704);
    QVERIFY2(read.err.contains("progress 100%"), read.err.constData());
}

void TestCliCommands::portCheckNeverEndsItselfOrItsParents()
{
    PtyPair free;
    PtyPair held;
    PtyPair terminal;
    QVERIFY(free.IsValid() && held.IsValid() && terminal.IsValid());
    // Another program holds COM2 (a sleep with it as standard input), and so does this
    // test, which starts the tool.
    QProcess other;
    other.setStandardInputFile(held.Device());
    other.start("sleep", {"30"});
    QVERIFY(other.waitForStarted());
    const QByteArray sleep = QByteArray::number(other.processId());
    CSerialPort mine;
    QVERIFY(mine.Open(held.Device()));

    // The tool runs on COM3's terminal, as when it is started in a login on that line.
    const Run check =
        Cli({"ports", "--check"}, Env({free.Device(), held.Device(), terminal.Device()}), QString(),
            terminal.Device());
    other.kill();
    other.waitForFinished();
    QCOMPARE(check.code, 1);
    const QList<QByteArray> lines = check.Lines();
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0].simplified(),
             "COM1 " + free.Device().toLocal8Bit() +
                 ": you may open it; no other process holds it; opens at 9600 8N2");

    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray name = QCoreApplication::applicationName().left(15).toLocal8Bit();
    QVERIFY2(lines[1].contains("held by sleep (process " + sleep + "); fix: kill " + sleep + ";"),
             lines[1].constData());
    QVERIFY2(lines[1].contains("held by " + name + " (process " + self +
                               "): this program or one that started it; close the port there"),
             lines[1].constData());
    QCOMPARE(lines[1].count("kill"), 1);

    QCOMPARE(lines[2].simplified(), "COM3 " + terminal.Device().toLocal8Bit() + ": " +
                                        terminal.Device().toLocal8Bit() +
                                        " is the terminal this program runs in and not a "
                                        "programming cable");
    // The list leaves that terminal's line alone too.
    const Run list = Cli({"ports"}, Env({free.Device(), held.Device(), terminal.Device()}),
                         QString(), terminal.Device());
    QVERIFY2(list.Lines().value(2).endsWith("no (the terminal this program runs in)"),
             list.out.constData());
    QVERIFY2(lines[3].contains("/nonexistent/unused does not exist; fix: connect the "
                               "programming cable"),
             lines[3].constData());

    // With every port on the free device, every one is ready.
    mine.Close();
    const Run ready = Cli({"ports", "--check"}, Env(QStringList(10, free.Device())));
    QCOMPARE(ready.code, 0);
    QVERIFY2(!ready.out.contains("fix:"), ready.out.constData());
}

void TestCliCommands::permissionAdviceQuotesAndNamesTheGroup()
{
    if (::geteuid() != 0) {
        QSKIP("checking a device as another user needs root here");
    }
    // A device only root may open, by a name that is a shell command if pasted bare,
    // checked by the unprivileged user nobody.
    PtyPair pty;
    QVERIFY(pty.IsValid());
    const QByteArray device = QFile::encodeName(pty.Device());
    QCOMPARE(::chown(device.constData(), 0, 0), 0);
    QCOMPARE(::chmod(device.constData(), 0600), 0);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QString odd = "./a b;touch x";
    QVERIFY(QFile::link(pty.Device(), dir.filePath(odd)));

    const Run check = Cli({"ports", "--check"}, Env({odd}), dir.path(), QString(),
                          {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    QCOMPARE(check.code, 1);
    const QString line = QString::fromLocal8Bit(check.Lines().value(0));
    QVERIFY2(line.contains("only its owner root may open it (mode 0600); fix: sudo chgrp dialout "
                           "'./a b;touch x' && sudo chmod g+rw './a b;touch x' && sudo usermod "
                           "-aG dialout $USER then log out and in again"),
             qPrintable(line + check.err));
    QVERIFY2(!line.contains("a+rw"), qPrintable(line));

    // Pasted into a shell (sudo standing in for itself), each command gets the device
    // as one word and nothing else runs.
    QProcess shell;
    QProcessEnvironment login = QProcessEnvironment::systemEnvironment();
    login.insert("USER", "nobody");
    shell.setProcessEnvironment(login);
    shell.setWorkingDirectory(dir.path());
    shell.start("sh", {"-c", "sudo() { printf '%s|' \"$@\"; echo; }; " + FixCommands(line)});
    QVERIFY(shell.waitForFinished());
    QCOMPARE(shell.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(shell.readAllStandardOutput()),
             QString("chgrp|dialout|./a b;touch x|\nchmod|g+rw|./a b;touch x|\n"
                     "usermod|-aG|dialout|nobody|\n"));
    QVERIFY(!QFileInfo::exists(dir.filePath("x")));
}

QTEST_GUILESS_MAIN(TestCliCommands)
#include "test_cli_commands.moc"
