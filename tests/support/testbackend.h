#ifndef TESTBACKEND_H
#define TESTBACKEND_H

#include "standin/standinserver.h"

#include <QTemporaryDir>

// Starts the back-end stand-in with the default fixtures on a fresh certificate and
// points the client at it (base address and trusted CA). Undone on destruction.
class TestBackend
{
public:
    TestBackend();
    ~TestBackend();

    bool isReady() const { return m_ready; }
    StandInServer& server() { return m_server; }
    StandInServer* operator->() { return &m_server; }
    QString certificatePath() const { return m_certPath; }

    // Before each test: no scripted replies, no recorded requests, connections taken.
    void reset();
    // Waits until the stand-in has received count requests in all (or the timeout passes).
    bool waitForRequests(int count, int timeoutMs = 30000);

private:
    QTemporaryDir m_dir;
    StandInServer m_server;
    QString m_certPath;
    QString m_oldHost;
    bool m_ready = false;
};

#endif // TESTBACKEND_H
