#include "photostore/copyfilethread.h"

#include "photostore/fileoperation.h"

#include <utility>

CopyFileThread::CopyFileThread(QString source, QString target)
    : m_source(std::move(source))
    , m_target(std::move(target))
    , m_mode(0)
{
    setAutoDelete(true);
}

CopyFileThread::CopyFileThread(QString source)
    : m_source(std::move(source))
    , m_mode(1)
{
    setAutoDelete(true);
}

void CopyFileThread::run()
{
    if (m_mode == 1) {
        FileOperation::removeFile(m_source);
        return;
    }
    if (m_mode == 2)
        return;
    if (FileOperation::copyFile(m_source, m_target, true))
        FileOperation::removeFile(m_source);
}
