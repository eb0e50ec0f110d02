// Runs radioprog-cli (built beside the test programs) and collects what it said.
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>

namespace radio::test {

struct Result {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

inline Result Cli(const QStringList& arguments,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(QCoreApplication::applicationDirPath() + "/radioprog-cli", arguments);
    Result r;
    if (!cli.waitForFinished(30000)) {
        cli.kill();
        cli.waitForFinished();
        return r;
    }
    r.code = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    r.out = cli.readAllStandardOutput();
    r.err = cli.readAllStandardError();
    return r;
}

inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace radio::test
