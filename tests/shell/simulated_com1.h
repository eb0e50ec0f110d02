// COM1 as a simulated radio for the desktop program's tests; every other port stands
// for a device that is not there.
#pragma once

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "shell/main_frame.h"
#include "tests/link/sim_helpers.h"

namespace radio::test {

class SimulatedCom1 {
public:
    explicit SimulatedCom1(sim::SimConfig config)
    {
        QVERIFY(m_dir.isValid());
        config.linkPath = m_dir.filePath(QStringLiteral("com1"));
        m_radio = StartRadio(config);
        QVERIFY(m_radio);
        qputenv("RADIOPROG_COM1", m_radio->PortPath().toLocal8Bit());
        for (int n = 2; n <= 10; ++n) {
            qputenv(qPrintable(QStringLiteral("RADIOPROG_COM%1").arg(n)), "/nonexistent/tty");
        }
    }
    ~SimulatedCom1()
    {
        for (int n = 1; n <= 10; ++n) {
            qunsetenv(qPrintable(QStringLiteral("RADIOPROG_COM%1").arg(n)));
        }
    }
    sim::RadioSimulator* operator->() const { return m_radio.get(); }
    sim::RadioSimulator* Radio() const { return m_radio.get(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<sim::RadioSimulator> m_radio;
};

// Waits until the transfer the window runs has ended; false after 20 s.
inline bool WaitIdle(CMainFrame* frame)
{
    QElapsedTimer clock;
    clock.start();
    while (frame->TransferRunning() && clock.elapsed() < 20000) {
        QTest::qWait(5);
    }
    return !frame->TransferRunning();
}

}  // namespace radio::test
