#include "exchange/n8importthread.h"

#include "core/logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

N8ImportThread::N8ImportThread(int first, int second, int third, QString text, N8FileInfo file, QWidget* receiver)
    : m_first(first)
    , m_second(second)
    , m_third(third)
    , m_text(std::move(text))
    , m_file(std::move(file))
    , m_receiver(receiver)
{
    setAutoDelete(true);
}

void N8ImportThread::run()
{
    import();
}

bool N8ImportThread::import()
{
    const bool copied = copyFile(m_file.getFromPath(), m_file.getToPath());
    // The receiver lives on the GUI thread: whether it is still there is asked there.
    const QPointer<QWidget> receiver = m_receiver;
    const int first = m_first;
    const int second = m_second;
    const int third = m_third;
    const QString text = m_text;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [receiver, first, second, third, text] {
            if (receiver)
                QMetaObject::invokeMethod(receiver, "importCopyN8ProgressSlot", Qt::DirectConnection, Q_ARG(int, first),
                    Q_ARG(int, second), Q_ARG(int, third), Q_ARG(QString, text));
        },
        Qt::QueuedConnection);
    return copied;
}

bool N8ImportThread::copyFile(const QString& fromPath, const QString& toPath)
{
    if (fromPath == toPath)
        return true;
    if (!QFileInfo(fromPath).isFile())
        return false;
    const int slash = toPath.lastIndexOf(QLatin1Char('/'));
    if (slash > 0) {
        const QString folder = toPath.left(slash);
        if (!QFileInfo(folder).isDir()) {
            qCDebug(lcN8).noquote() << "文件夹路径" << folder;
            if (!QDir().mkpath(folder))
                return false;
        }
    }
    // QFile::copy never replaces a file: an existing destination makes the copy fail.
    return QFile::copy(fromPath, toPath);
}
