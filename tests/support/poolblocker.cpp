#include "tests/support/poolblocker.h"

#include <QRunnable>
#include <QThreadPool>

namespace {
class Blocker : public QRunnable
{
public:
    explicit Blocker(QSemaphore* closedGate)
        : gate(closedGate)
    {
    }
    void run() override { gate->acquire(); }

private:
    QSemaphore* gate;
};
} // namespace

PoolBlocker::PoolBlocker()
    : m_threads(QThreadPool::globalInstance()->maxThreadCount())
{
    QThreadPool::globalInstance()->waitForDone();
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    QThreadPool::globalInstance()->start(new Blocker(&m_gate));
}

PoolBlocker::~PoolBlocker()
{
    release();
}

void PoolBlocker::release()
{
    if (m_released)
        return;
    m_released = true;
    m_gate.release();
    QThreadPool::globalInstance()->waitForDone();
    QThreadPool::globalInstance()->setMaxThreadCount(m_threads);
}
