// Simulated radios standing for COM1, COM2, ... in the desktop program's tests;
// every other port stands for a device that is not there.
#pragma once

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "shell/main_frame.h"
#include "tests/link/sim_helpers.h"

namespace radio::test {

class SimulatedPorts {
public:
    // One radio per configuration, as COM1, COM2, ... in that order.
    explicit SimulatedPorts(std::vector<sim::SimConfig> configs)
    {
        QVERIFY(m_dir.isValid());
        for (std::size_t i = 0; i < configs.size(); ++i) {
            sim::SimConfig config = configs[i];
            config.linkPath = m_dir.filePath(QStringLiteral("com%1").arg(i + 1));
            m_radios.push_back(StartRadio(config));
            QVERIFY(m_radios.back());
        }
        for (int n = 1; n <= 10; ++n) {
            const std::size_t i = std::size_t(n - 1);
            const QByteArray device = i < m_radios.size() && m_radios[i]
                                          ? m_radios[i]->PortPath().toLocal8Bit()
                                          : QByteArray("/nonexistent/tty");
            qputenv(qPrintable(QStringLiteral("RADIOPROG_COM%1").arg(n)), device);
        }
    }
    ~SimulatedPorts()
    {
        for (int n = 1; n <= 10; ++n) {
            qunsetenv(qPrintable(QStringLiteral("RADIOPROG_COM%1").arg(n)));
        }
    }
    // The radio on COMn.
    sim::RadioSimulator* Radio(int n) const { return m_radios[std::size_t(n - 1)].get(); }

private:
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<sim::RadioSimulator>> m_radios;
};

// COM1 alone.
class SimulatedCom1 : public SimulatedPorts {
public:
    explicit SimulatedCom1(const sim::SimConfig& config) : SimulatedPorts({config}) {}
    sim::RadioSimulator* operator->() const { return SimulatedPorts::Radio(1); }
    sim::RadioSimulator* Radio() const { return SimulatedPorts::Radio(1); }
};

// Waits until the window's transfer has ended.
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
