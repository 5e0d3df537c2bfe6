#ifndef POOLBLOCKER_H
#define POOLBLOCKER_H

#include <QSemaphore>

// Holds the global thread pool to one busy thread, so that every job started meanwhile
// waits in its queue; release() lets them run and restores the pool's size.
class PoolBlocker
{
public:
    PoolBlocker();
    ~PoolBlocker();
    void release();

private:
    QSemaphore m_gate;
    int m_threads;
    bool m_released = false;
};

#endif // POOLBLOCKER_H
