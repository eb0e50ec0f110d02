// The port check: who may open a device (judged from its owner, group and mode, so
// that it holds when the tests run as root), which process holds it (a /proc tree made
// by the test, and the real one with a port this process holds), whether it opens at
// 9600 8N2 (pseudo-terminals, a plain file), the line that says so, and what is known
// of the USB adapter.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "data/language_table.h"
#include "link/adapter_info.h"
#include "link/port_diagnosis.h"
#include "link/port_diagnosis_text.h"
#include "link/serial_port.h"
#include "pty_pair.h"

using namespace radio;
using namespace radio::test;

namespace {

constexpr unsigned kUser = 1000;
constexpr unsigned kDialout = 20;
constexpr unsigned kUucp = 10;

QString English(int n)
{
    return QString::fromStdString(LanguageTable::Fallback(n));
}

QString Text(const PortDiagnosis& d)
{
    return DiagnosisText(d, English);
}

// A /proc of the test's own making: each process a folder with "comm", its parent in
// "status" and links in "fd" to the files it has open.
class FakeProc {
public:
    FakeProc() { QVERIFY(m_dir.isValid()); }
    QString Root() const { return m_dir.path(); }
    void Process(qint64 pid, const QString& name, const QStringList& openFiles,
                 qint64 parent = 1) const
    {
        QDir root(m_dir.path());
        const QString fd = QStringLiteral("%1/fd").arg(pid);
        QVERIFY(root.mkpath(fd));
        QFile comm(root.filePath(QStringLiteral("%1/comm").arg(pid)));
        QVERIFY(comm.open(QIODevice::WriteOnly));
        comm.write(name.toUtf8() + "\n");
        QFile status(root.filePath(QStringLiteral("%1/status").arg(pid)));
        QVERIFY(status.open(QIODevice::WriteOnly));
        status.write("Name:\t" + name.toUtf8() + "\nPPid:\t" + QByteArray::number(parent) + "\n");
        for (int i = 0; i < openFiles.size(); ++i) {
            QVERIFY(QFile::link(openFiles.at(i), root.filePath(fd + QStringLiteral("/%1").arg(i))));
        }
    }

private:
    QTemporaryDir m_dir;
};

PortDiagnosis Present(Access access)
{
    PortDiagnosis d;
    d.device = QStringLiteral("/dev/ttyUSB0");
    d.file.exists = true;
    d.file.owner = 0;
    d.file.ownerName = QStringLiteral("root");
    d.file.group = kDialout;
    d.file.groupName = QStringLiteral("dialout");
    d.file.mode = 0660;
    d.user.uid = kUser;
    d.serialGroup = {QStringLiteral("dialout"), true, kDialout};
    d.access = access;
    d.line = LineCheck::Opens;
    return d;
}

}  // namespace

class TestPortDiagnosis : public QObject {
    Q_OBJECT
private slots:
    void access_data();
    void access();
    void holdersFromAProcTree();
    void holdersOfALinkedDevice();
    void thisProcessAndItsParentsAreNeverEnded();
    void thisProcessHoldingAPortIsFound();
    void releaseCommands_data();
    void releaseCommands();
    void freePseudoTerminalIsReady();
    void heldPortIsNotReady();
    void missingAndNonSerialFiles();
    void lineSettingsAreReadFromTheDriver();
    void lines_data();
    void lines();
    void permissionFixes_data();
    void permissionFixes();
    void adapterText_data();
    void adapterText();
    void pseudoTerminalHasNoAdapter();
};

void TestPortDiagnosis::access_data()
{
    QTest::addColumn<unsigned>("uid");
    QTest::addColumn<unsigned>("owner");
    QTest::addColumn<unsigned>("group");
    QTest::addColumn<unsigned>("mode");
    QTest::addColumn<QList<unsigned>>("session");
    QTest::addColumn<QList<unsigned>>("account");
    QTest::addColumn<int>("expected");
    const QList<unsigned> none;
    const QList<unsigned> dialout{kUser, kDialout};
    QTest::newRow("root may always")
        << 0u << 0u << 0u << 0600u << none << none << int(Access::Allowed);
    QTest::newRow("a member of the device's group")
        << kUser << 0u << kDialout << 0660u << dialout << dialout << int(Access::Allowed);
    QTest::newRow("not a member") << kUser << 0u << kDialout << 0660u << QList<unsigned>{kUser}
                                  << QList<unsigned>{kUser} << int(Access::NotInGroup);
    QTest::newRow("uucp, as Arch names it")
        << kUser << 0u << kUucp << 0660u << dialout << dialout << int(Access::NotInGroup);
    QTest::newRow("added, but not in this login")
        << kUser << 0u << kDialout << 0660u << QList<unsigned>{kUser} << dialout
        << int(Access::GroupNotActive);
    QTest::newRow("group may only read")
        << kUser << 0u << kDialout << 0640u << dialout << dialout << int(Access::OwnerOnly);
    QTest::newRow("owner only, as a bare /dev/ttyS0")
        << kUser << 0u << 0u << 0600u << dialout << dialout << int(Access::OwnerOnly);
    QTest::newRow("the user owns it (a pseudo-terminal)")
        << kUser << kUser << 5u << 0620u << QList<unsigned>{kUser} << QList<unsigned>{kUser}
        << int(Access::Allowed);
    QTest::newRow("everybody may")
        << kUser << 0u << 0u << 0666u << none << none << int(Access::Allowed);
}

void TestPortDiagnosis::access()
{
    QFETCH(unsigned, uid);
    QFETCH(unsigned, owner);
    QFETCH(unsigned, group);
    QFETCH(unsigned, mode);
    QFETCH(QList<unsigned>, session);
    QFETCH(QList<unsigned>, account);
    QFETCH(int, expected);
    DeviceFile file;
    file.exists = true;
    file.owner = owner;
    file.group = group;
    file.mode = mode;
    UserGroups user;
    user.uid = uid;
    user.sessionGroups.assign(session.begin(), session.end());
    user.accountGroups.assign(account.begin(), account.end());
    QCOMPARE(int(JudgeAccess(file, user)), expected);
}

void TestPortDiagnosis::holdersFromAProcTree()
{
    QTemporaryDir devices;
    QVERIFY(devices.isValid());
    const QString cable = devices.filePath("ttyUSB0");
    const QString other = devices.filePath("ttyUSB1");
    for (const QString& path : {cable, other}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    FakeProc proc;
    proc.Process(812, "ModemManager", {"/dev/null", cable});
    proc.Process(77, "gpsd", {cable});
    proc.Process(90, "bash", {other, "/dev/null"});
    QVERIFY(QDir(proc.Root()).mkpath("self/fd"));  // not a process number: skipped

    const HolderSearch found = FindHolders(cable, proc.Root());
    QVERIFY(found.complete);
    QCOMPARE(int(found.holders.size()), 2);
    QCOMPARE(found.holders[0].pid, 77);  // in process order
    QCOMPARE(found.holders[0].name, QString("gpsd"));
    QCOMPARE(found.holders[1].pid, 812);
    QCOMPARE(found.holders[1].name, QString("ModemManager"));

    QVERIFY(FindHolders(devices.filePath("ttyUSB2"), proc.Root()).holders.empty());
}

void TestPortDiagnosis::holdersOfALinkedDevice()
{
    // /dev/serial/by-id/... is a link; the kernel names the device itself in /proc.
    QTemporaryDir devices;
    QVERIFY(devices.isValid());
    const QString device = devices.filePath("ttyUSB0");
    {
        QFile f(device);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString byId = devices.filePath("usb-FTDI_FT232R-if00-port0");
    QVERIFY(QFile::link(device, byId));
    FakeProc proc;
    proc.Process(812, "ModemManager", {QFileInfo(device).canonicalFilePath()});
    const HolderSearch found = FindHolders(byId, proc.Root());
    QCOMPARE(int(found.holders.size()), 1);
    QCOMPARE(found.holders[0].pid, 812);
}

void TestPortDiagnosis::thisProcessAndItsParentsAreNeverEnded()
{
    QTemporaryDir devices;
    QVERIFY(devices.isValid());
    const QString cable = devices.filePath("ttyS0");
    {
        QFile f(cable);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    // A check run in a login on the serial console: this process, the shell that
    // started it, the login program and the first process all have the port open;
    // so has another program of that login. (Numbers above the kernel's largest
    // process number never meet this test's own.)
    constexpr qint64 kLogin = 4194401, kShell = 4194402, kOther = 4194403;
    FakeProc proc;
    proc.Process(1, "systemd", {cable}, 0);
    proc.Process(kLogin, "agetty", {cable}, 1);
    proc.Process(kShell, "bash", {cable}, kLogin);
    proc.Process(QCoreApplication::applicationPid(), "radioprog-cli", {cable}, kShell);
    proc.Process(kOther, "minicom", {cable}, kShell);
    const HolderSearch found = FindHolders(cable, proc.Root());
    QCOMPARE(int(found.holders.size()), 5);
    QStringList fixes;
    for (const PortHolder& holder : found.holders) {
        QCOMPARE(holder.own, holder.pid != kOther);
        fixes << ReleaseCommand(holder, 0);
    }
    QCOMPARE(fixes.filter("kill"), QStringList{"kill 4194403"});

    PortDiagnosis d = Present(Access::Allowed);
    d.holders = found;
    const QString text = Text(d);
    // "sudo kill" when the test does not run as the owner of the made-up tree.
    QVERIFY2(text.contains("held by minicom (process 4194403); fix: "), qPrintable(text));
    QVERIFY2(text.contains("kill 4194403; held by "), qPrintable(text));
    QVERIFY2(text.contains("bash (process 4194402): this program or one that started it; "
                           "close the port there"),
             qPrintable(text));
    QCOMPARE(text.count("kill"), 1);
}

void TestPortDiagnosis::thisProcessHoldingAPortIsFound()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    CSerialPort port;
    QVERIFY(port.Open(pty.Device()));
    const HolderSearch found = FindHolders(pty.Device());
    const qint64 self = QCoreApplication::applicationPid();
    const auto it = std::find_if(found.holders.begin(), found.holders.end(),
                                 [self](const PortHolder& h) { return h.pid == self; });
    QVERIFY2(it != found.holders.end(), qPrintable(pty.Device()));
    // The kernel keeps 15 characters of the command name.
    QCOMPARE(it->name, QCoreApplication::applicationName().left(15));
    port.Close();
    QVERIFY(FindHolders(pty.Device()).holders.empty());
}

void TestPortDiagnosis::releaseCommands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<unsigned>("holderUid");
    QTest::addColumn<unsigned>("uid");
    QTest::addColumn<bool>("own");
    QTest::addColumn<QString>("command");
    QTest::newRow("modem manager")
        << "ModemManager" << 0u << kUser << false << "sudo systemctl stop ModemManager";
    QTest::newRow("braille daemon")
        << "brltty" << 0u << kUser << false << "sudo systemctl stop brltty";
    QTest::newRow("a program of the user") << "minicom" << kUser << kUser << false << "kill 4242";
    QTest::newRow("a program of another user")
        << "minicom" << 1001u << kUser << false << "sudo kill 4242";
    QTest::newRow("checked as root") << "minicom" << 1001u << 0u << false << "kill 4242";
    QTest::newRow("the shell this runs in") << "bash" << kUser << kUser << true << "";
}

void TestPortDiagnosis::releaseCommands()
{
    QFETCH(QString, name);
    QFETCH(unsigned, holderUid);
    QFETCH(unsigned, uid);
    QFETCH(bool, own);
    QFETCH(QString, command);
    PortHolder holder;
    holder.pid = 4242;
    holder.name = name;
    holder.uid = holderUid;
    holder.own = own;
    QCOMPARE(ReleaseCommand(holder, uid), command);
}

void TestPortDiagnosis::freePseudoTerminalIsReady()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    const PortDiagnosis d = DiagnosePort(pty.Device());
    QVERIFY(d.file.exists);
    QCOMPARE(int(d.access), int(Access::Allowed));
    QVERIFY(d.holders.holders.empty());
    QCOMPARE(int(d.line), int(LineCheck::Opens));
    QVERIFY(d.Ready());
    QCOMPARE(Text(d), QString("you may open it; no other process holds it; opens at 9600 8N2"));
}

void TestPortDiagnosis::heldPortIsNotReady()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    CSerialPort holder;
    QVERIFY(holder.Open(pty.Device()));
    const PortDiagnosis d = DiagnosePort(pty.Device());
    QVERIFY(!d.Ready());
    QCOMPARE(int(d.line), int(LineCheck::Fails));
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString text = Text(d);
    // This process holds it: it is named, and never to be ended.
    QVERIFY2(text.contains("held by " + QCoreApplication::applicationName().left(15) +
                           " (process " + pid + "): this program or one that started it"),
             qPrintable(text));
    QVERIFY2(!text.contains("kill"), qPrintable(text));
    QVERIFY2(text.contains("does not open at 9600 8N2: in use by another program"),
             qPrintable(text));
    // Without the open, the holder alone says it.
    DiagnosisOptions noOpen;
    noOpen.tryOpen = false;
    const PortDiagnosis quick = DiagnosePort(pty.Device(), noOpen);
    QCOMPARE(int(quick.line), int(LineCheck::NotTried));
    QVERIFY(!quick.Ready());
    QVERIFY(!Text(quick).contains("9600"));
}

void TestPortDiagnosis::missingAndNonSerialFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const PortDiagnosis missing = DiagnosePort(dir.filePath("ttyUSB9"));
    QVERIFY(!missing.file.exists);
    QVERIFY(!missing.Ready());
    QVERIFY(Text(missing).startsWith(dir.filePath("ttyUSB9") + " does not exist; fix: connect"));

    // A file that is no terminal exists, but no line settings can be made on it.
    const QString plain = dir.filePath("notes.txt");
    {
        QFile f(plain);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const PortDiagnosis file = DiagnosePort(plain);
    QVERIFY(file.file.exists);
    QCOMPARE(int(file.line), int(LineCheck::Fails));
    QVERIFY(!file.lineDetail.isEmpty());
    QVERIFY(!file.Ready());
    QVERIFY2(Text(file).contains("does not open at 9600 8N2: " + file.lineDetail),
             qPrintable(Text(file)));
}

void TestPortDiagnosis::lineSettingsAreReadFromTheDriver()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    CSerialPort port;
    QVERIFY(port.Open(pty.Device()));
    QCOMPARE(port.LineSettingsProblem(), QString());
    // Another program changes the line behind the port's back (the terminal's
    // settings are shared by both ends of a pseudo-terminal, which keeps 8 data bits
    // and no parity whatever it is told).
    termios tio{};
    QCOMPARE(::tcgetattr(pty.Master(), &tio), 0);
    tio.c_cflag &= ~tcflag_t(CSTOPB);
    ::cfsetospeed(&tio, B115200);
    QCOMPARE(::tcsetattr(pty.Master(), TCSANOW, &tio), 0);
    QCOMPARE(port.LineSettingsProblem(), QString("another speed than 9600 baud, 1 stop bit"));
    port.Close();
    QCOMPARE(port.LineSettingsProblem(), QString("not open"));
}

void TestPortDiagnosis::lines_data()
{
    QTest::addColumn<int>("access");
    QTest::addColumn<int>("holders");  // 0 none, 1 ModemManager, 2 none seen, some hidden
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<bool>("ready");
    QTest::newRow("ready") << int(Access::Allowed) << 0 << int(LineCheck::Opens)
                           << QStringList{"you may open it", "no other process holds it",
                                          "opens at 9600 8N2"}
                           << true;
    QTest::newRow("not in the group")
        << int(Access::NotInGroup) << 0 << int(LineCheck::Fails)
        << QStringList{"belongs to group dialout",
                       "fix: sudo usermod -aG dialout $USER then log out and in again"}
        << false;
    QTest::newRow("not in this login yet")
        << int(Access::GroupNotActive) << 0 << int(LineCheck::Fails)
        << QStringList{"you are in group dialout", "newgrp dialout"} << false;
    QTest::newRow("owner only") << int(Access::OwnerOnly) << 0 << int(LineCheck::Fails)
                                << QStringList{"only its owner root may open it (mode 0600)",
                                               "sudo chmod g+rw /dev/ttyUSB0"}
                                << false;
    QTest::newRow("held by the modem manager")
        << int(Access::Allowed) << 1 << int(LineCheck::Opens)
        << QStringList{"held by ModemManager (process 812); fix: sudo systemctl stop ModemManager",
                       "opens at 9600 8N2"}
        << false;
    QTest::newRow("busy, holder out of sight")
        << int(Access::Allowed) << 2 << int(LineCheck::Fails)
        << QStringList{"sudo fuser -v /dev/ttyUSB0", "does not open at 9600 8N2: busy"} << false;
    // Refused for want of permission: the processes out of sight are no suspects.
    QTest::newRow("refused, holders out of sight")
        << int(Access::NotInGroup) << 2 << int(LineCheck::Fails)
        << QStringList{"no other process holds it", "does not open at 9600 8N2: busy"} << false;
    QTest::newRow("settings refused")
        << int(Access::Allowed) << 0 << int(LineCheck::SettingsRefused)
        << QStringList{"opens but does not keep 9600 8N2 (busy)"} << false;
}

void TestPortDiagnosis::lines()
{
    QFETCH(int, access);
    QFETCH(int, holders);
    QFETCH(int, line);
    QFETCH(QStringList, says);
    QFETCH(bool, ready);
    PortDiagnosis d = Present(Access(access));
    if (d.access == Access::OwnerOnly) {
        d.file.mode = 0600;
    }
    d.line = LineCheck(line);
    d.lineDetail = QStringLiteral("busy");
    if (d.line == LineCheck::Fails) {
        d.openFailure =
            d.access == Access::Allowed ? PortOpenFailure::Busy : PortOpenFailure::Permission;
    }
    if (holders == 1) {
        d.holders.holders.push_back({812, QStringLiteral("ModemManager"), 0});
    }
    d.holders.complete = holders != 2;
    const QString text = Text(d);
    for (const QString& part : says) {
        QVERIFY2(text.contains(part), qPrintable(text));
    }
    QVERIFY2(!text.contains('%'), qPrintable(text));
    QCOMPARE(d.Ready(), ready);
}

void TestPortDiagnosis::permissionFixes_data()
{
    // What a person would paste into a terminal: it must point to a group meant for
    // serial ports, never open the device to everybody, and take every path as the
    // one word it is.
    QTest::addColumn<QString>("device");
    QTest::addColumn<unsigned>("group");
    QTest::addColumn<QString>("groupName");
    QTest::addColumn<unsigned>("mode");
    QTest::addColumn<int>("access");
    QTest::addColumn<bool>("inDialout");  // in this login
    QTest::addColumn<QString>("says");
    QTest::addColumn<QString>("never");
    const QString usb = QStringLiteral("/dev/ttyUSB0");
    const int owner = int(Access::OwnerOnly);
    QTest::newRow("dialout may not write, user not in it")
        << usb << kDialout << "dialout" << 0600u << owner << false
        << "fix: sudo chmod g+rw /dev/ttyUSB0 && sudo usermod -aG dialout $USER then log out "
           "and in again (a change of mode"
        << "a+rw";
    QTest::newRow("dialout may not write, user in it")
        << usb << kDialout << "dialout" << 0640u << owner << true
        << "fix: sudo chmod g+rw /dev/ttyUSB0 (a change of mode"
        << "usermod";
    QTest::newRow("root's own, as a bare ttyS0")
        << usb << 0u << "root" << 0600u << owner << false
        << "fix: sudo chgrp dialout /dev/ttyUSB0 && sudo chmod g+rw /dev/ttyUSB0 && sudo "
           "usermod -aG dialout $USER then log out"
        << "a+rw";
    QTest::newRow("group root may")
        << usb << 0u << "root" << 0660u << int(Access::NotInGroup) << true
        << "belongs to group root which gives far more than this "
           "port; fix: sudo chgrp dialout /dev/ttyUSB0 && sudo "
           "chmod g+rw /dev/ttyUSB0 (a change of group"
        << "-aG root";
    QTest::newRow("another user's terminal")
        << "/dev/pts/3" << 5u << "tty" << 0620u << owner << true
        << "fix: sudo chgrp dialout /dev/pts/3 && sudo chmod g+rw /dev/pts/3 ("
        << "-aG tty";
    QTest::newRow("uucp, as Arch names it")
        << usb << kUucp << "uucp" << 0660u << int(Access::NotInGroup) << true
        << "fix: sudo usermod -aG uucp $USER then log out"
        << "dialout";
    QTest::newRow("spaces and a semicolon")
        << "./a b;touch x" << kDialout << "dialout" << 0600u << owner << true
        << "fix: sudo chmod g+rw './a b;touch x' ("
        << "rw ./a";
    QTest::newRow("a quote") << "/tmp/it's" << kDialout << "dialout" << 0600u << owner << true
                             << "fix: sudo chmod g+rw '/tmp/it'\\''s' ("
                             << "rw /tmp";
    QTest::newRow("command substitution")
        << "/dev/$(reboot)" << kDialout << "dialout" << 0600u << owner << true
        << "fix: sudo chmod g+rw '/dev/$(reboot)' ("
        << "rw /dev";
    QTest::newRow("a leading equals sign") << "=ls" << kDialout << "dialout" << 0600u << owner
                                           << true << "fix: sudo chmod g+rw '=ls' ("
                                           << "rw =ls";
    QTest::newRow("a leading dash")
        << "-R" << kDialout << "dialout" << 0600u << owner << true << "fix: sudo chmod g+rw ./-R ("
        << "rw -R";
    QTest::newRow("busy, held out of sight")
        << "/dev/serial/by-id/usb Prolific" << kDialout << "dialout" << 0660u
        << int(Access::Allowed) << true << "sudo fuser -v '/dev/serial/by-id/usb Prolific' names it"
        << "fuser -v /dev";
}

void TestPortDiagnosis::permissionFixes()
{
    QFETCH(QString, device);
    QFETCH(unsigned, group);
    QFETCH(QString, groupName);
    QFETCH(unsigned, mode);
    QFETCH(int, access);
    QFETCH(bool, inDialout);
    QFETCH(QString, says);
    QFETCH(QString, never);
    PortDiagnosis d = Present(Access(access));
    d.device = device;
    d.file.group = group;
    d.file.groupName = groupName;
    d.file.mode = mode;
    d.user.sessionGroups = {kUser};
    if (inDialout) {
        d.user.sessionGroups.push_back(kDialout);
    }
    d.user.accountGroups = d.user.sessionGroups;
    d.line = LineCheck::Fails;
    d.openFailure =
        d.access == Access::Allowed ? PortOpenFailure::Busy : PortOpenFailure::Permission;
    d.holders.complete = false;
    const QString text = Text(d);
    QVERIFY2(text.contains(says), qPrintable(text));
    QVERIFY2(!text.contains(never), qPrintable(text));
}

void TestPortDiagnosis::adapterText_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("manufacturer");
    QTest::addColumn<bool>("ids");
    QTest::addColumn<QString>("text");
    QTest::newRow("everything") << "FT232R USB UART"
                                << "FTDI" << true << "FT232R USB UART, FTDI, 0403:6001";
    QTest::newRow("maker repeats the description") << "CP2102"
                                                   << "CP2102" << true << "CP2102, 0403:6001";
    QTest::newRow("ids only") << ""
                              << "" << true << "0403:6001";
    QTest::newRow("no ids") << "USB Serial"
                            << "" << false << "USB Serial";
    QTest::newRow("nothing known") << ""
                                   << "" << false << "";
}

void TestPortDiagnosis::adapterText()
{
    QFETCH(QString, description);
    QFETCH(QString, manufacturer);
    QFETCH(bool, ids);
    QFETCH(QString, text);
    AdapterInfo info;
    info.description = description;
    info.manufacturer = manufacturer;
    info.hasIds = ids;
    info.vendorId = 0x0403;
    info.productId = 0x6001;
    QCOMPARE(AdapterText(info), text);
}

void TestPortDiagnosis::pseudoTerminalHasNoAdapter()
{
    PtyPair pty;
    QVERIFY(pty.IsValid());
    QCOMPARE(AdapterText(AdapterInfoOf(pty.Device())), QString());
    QCOMPARE(AdapterText(AdapterInfoOf(QString())), QString());
    QCOMPARE(AdapterText(AdapterInfoOf("/nonexistent/ttyUSB0")), QString());
}

QTEST_GUILESS_MAIN(TestPortDiagnosis)
#include "test_port_diagnosis.moc"
