#include "sheets/sheetdownload.h"

#include "core/deployment.h"
#include "core/logging.h"
#include "photostore/fileoperation.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

SheetDownload::~SheetDownload()
{
    delete m_file;
}

QNetworkReply* SheetDownload::get(QObject* window, const QString& url, const QString& savePath)
{
    FileOperation::makeDir(QFileInfo(savePath).absolutePath());
    dropReply(window);
    if (m_file) {
        m_file->close();
        delete m_file;
    }
    m_file = new QFile(savePath);
    if (!m_file->open(QIODevice::WriteOnly))
        qCDebug(lcSheets).noquote() << "cannot write the sheet image" << savePath << m_file->errorString();
    if (!m_manager)
        m_manager = new QNetworkAccessManager(window);
    m_request = QNetworkRequest(QUrl(url, QUrl::TolerantMode));
    m_request.setSslConfiguration(Deployment::sslConfiguration());
    m_request.setTransferTimeout(Deployment::requestTimeoutMs());
    m_reply = m_manager->get(m_request);
    return m_reply;
}

void SheetDownload::dropReply(QObject* window)
{
    if (!m_reply)
        return;
    QNetworkReply* old = m_reply;
    m_reply = nullptr;
    old->disconnect(window);
    old->abort();
    old->deleteLater();
}

void SheetDownload::readAvailable()
{
    if (m_reply && m_file && m_file->isOpen())
        m_file->write(m_reply->readAll());
}

bool SheetDownload::finish(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return false;
    m_reply = nullptr;
    const bool isOk = reply->error() == QNetworkReply::NoError;
    if (m_file) {
        if (m_file->isOpen() && isOk)
            m_file->write(reply->readAll());
        m_file->close();
        // Half an image is no image.
        if (!isOk)
            m_file->remove();
    }
    qCDebug(lcSheets).noquote() << (isOk ? "success" : "failed") << reply->url().toString() << reply->errorString();
    return true;
}

void SheetDownload::release(QObject* window)
{
    if (m_reply)
        m_reply->disconnect(window);
    if (m_manager) {
        m_manager->disconnect(window);
        delete m_manager;
        m_manager = nullptr;
    }
    m_reply = nullptr;
    delete m_file;
    m_file = nullptr;
}
