#include "tests/support/testbackend.h"

#include "core/config.h"
#include "core/deployment.h"
#include "standin/demodata.h"

#include <QCoreApplication>
#include <QTest>
#include <QThreadPool>

TestBackend::TestBackend()
{
    QString keyPath;
    if (!StandInServer::makeCertificate(m_dir.path(), &m_certPath, &keyPath))
        return;
    if (!m_server.loadCertificate(m_certPath, keyPath))
        return;
    m_server.loadFixtures(QStringLiteral(STANDIN_FIXTURES_DIR));
    DemoData::addImages(m_server);
    if (!m_server.start())
        return;
    m_oldHost = Config::url_host;
    Deployment::setBackendUrl(m_server.baseUrl());
    Deployment::addCaCertificates(m_certPath);
    m_ready = true;
}

TestBackend::~TestBackend()
{
    // The test's windows and the application go after this: thumbnail and folder jobs still
    // running must not outlive them.
    if (QCoreApplication::instance())
        if (QThreadPool* pool = QThreadPool::globalInstance())
            pool->waitForDone();
    if (m_ready) {
        Deployment::clearExtraCaCertificates();
        Deployment::setBackendUrl(m_oldHost);
    }
}

void TestBackend::reset()
{
    m_server.clearScripts();
    m_server.clearRequests();
    m_server.setRefusing(false);
}

bool TestBackend::waitForRequests(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return m_server.requests().size() >= count; }, timeoutMs);
}
