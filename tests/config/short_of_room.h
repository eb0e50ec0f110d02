// A folder where a save runs out of room, for the tests of what a failed save leaves
// behind. Two real conditions:
//   - FullDisk: a tmpfs of 12 KiB mounted under a temporary folder and filled to its
//     last byte (needs root and the right to mount; the row is skipped otherwise);
//   - SizeLimit: the file size limit (RLIMIT_FSIZE, `ulimit -f`) lowered to a few
//     bytes with SIGXFSZ ignored, so that a write past it is cut short instead of
//     killing the process. It holds only inside Run() and in child processes
//     prepared with Prepare().
// The files a test prepares go into Folder() before Fill(); the test output says which
// condition ran.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>

namespace radio::test {

enum class Shortage { FullDisk, SizeLimit };

class ShortOfRoom {
public:
    // Bytes: less than any file the program writes. A transfer needs more: the serial
    // port's lock file must fit.
    static constexpr rlim_t kSizeLimit = 16;

    explicit ShortOfRoom(Shortage kind, rlim_t sizeLimit = kSizeLimit)
        : m_kind(kind), m_sizeLimit(sizeLimit)
    {
        // SIGXFSZ ignored, as a shell's `trap '' XFSZ`: a cut write then fails with EFBIG.
        std::signal(SIGXFSZ, SIG_IGN);
        m_folder = m_dir.filePath(QStringLiteral("room"));
        QDir().mkpath(m_folder);
        if (kind == Shortage::SizeLimit) {
            qInfo("saving under a file size limit of %d bytes (SIGXFSZ ignored)", int(sizeLimit));
            return;
        }
        if (geteuid() != 0) {
            m_unavailable = QStringLiteral("a full tmpfs needs root to mount it");
            return;
        }
        if (::mount("none", QFile::encodeName(m_folder).constData(), "tmpfs", 0, "size=12k") != 0) {
            m_unavailable = QStringLiteral("tmpfs cannot be mounted: %1")
                                .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
        qInfo("saving onto a full tmpfs of 12 KiB");
    }
    ~ShortOfRoom()
    {
        if (m_mounted) {
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
        }
    }
    ShortOfRoom(const ShortOfRoom&) = delete;
    ShortOfRoom& operator=(const ShortOfRoom&) = delete;

    // Empty when the condition holds; otherwise why not.
    QString Unavailable() const { return m_unavailable; }
    QString Folder() const { return m_folder; }
    QString Path(const QString& name) const { return m_folder + QLatin1Char('/') + name; }

    // A full disk gets its last byte taken by a file of its own (left out of Entries).
    void Fill()
    {
        if (m_kind != Shortage::FullDisk) {
            return;
        }
        const int fd = ::open(QFile::encodeName(Path(kFiller)).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        const QByteArray page(4096, 'f');
        while (::write(fd, page.constData(), std::size_t(page.size())) > 0) {
        }
        while (::write(fd, page.constData(), 1) > 0) {
        }
        ::close(fd);
        const int probe = ::open(QFile::encodeName(Path(QStringLiteral(".probe"))).constData(),
                                 O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(probe >= 0);
        QVERIFY(::write(probe, "x", 1) < 0);  // not a byte more fits
        ::close(probe);
        QVERIFY(::unlink(QFile::encodeName(Path(QStringLiteral(".probe"))).constData()) == 0);
    }

    // Runs `action` in this process under the condition.
    void Run(const std::function<void()>& action) const
    {
        if (m_kind == Shortage::FullDisk) {
            action();
            return;
        }
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit limited = before;
        limited.rlim_cur = m_sizeLimit;
        setrlimit(RLIMIT_FSIZE, &limited);
        action();
        setrlimit(RLIMIT_FSIZE, &before);
    }

    // A child process started with `process` runs under the condition.
    void Prepare(QProcess& process) const
    {
        if (m_kind == Shortage::SizeLimit) {
            process.setChildProcessModifier([limit = m_sizeLimit] {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limited{};
                getrlimit(RLIMIT_FSIZE, &limited);
                limited.rlim_cur = limit;
                setrlimit(RLIMIT_FSIZE, &limited);
            });
        }
    }

    // Every name in the folder, hidden ones (temporary files) included, but the filler.
    QStringList Entries() const
    {
        QStringList names = QDir(m_folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        names.removeAll(kFiller);
        return names;
    }

private:
    static inline const QString kFiller = QStringLiteral("filler");
    Shortage m_kind;
    rlim_t m_sizeLimit;
    QTemporaryDir m_dir;
    QString m_folder;
    QString m_unavailable;
    bool m_mounted = false;
};

}  // namespace radio::test

Q_DECLARE_METATYPE(radio::test::Shortage)
