#include "exchange/n8thread.h"

#include <QDebug>
#include <QDir>
#include <QJsonObject>
#include <QWidget>

N8thread::N8thread(QWidget* receiver, QObject* parent)
    : QThread(parent)
    , receiver(receiver)
{
}

N8thread::~N8thread() = default;

void N8thread::run()
{
    if (mode == QLatin1String("stores"))
        judgeStorePath();
}

void N8thread::judgeStorePath()
{
    QJsonArray reachable;
    QStringList unreachable;
    for (const QJsonValue& value : qAsConst(stores)) {
        const QJsonObject store = value.toObject();
        const QString path = store.value(QLatin1String("n8path")).toString();
        if (path.isEmpty() || !QDir(path).exists())
            unreachable << store.value(QLatin1String("name")).toString();
        else
            reachable.append(store);
    }
    const QString names = unreachable.join(QLatin1Char(','));
    qDebug().noquote() << "n8 stores reachable:" << reachable.size() << "unreachable:" << names;

    // This object lives on the creating thread: the hop below runs there, where the
    // receiver may be checked safely and its slot queued.
    QMetaObject::invokeMethod(
        this,
        [this, reachable, names] {
            if (receiver)
                QMetaObject::invokeMethod(receiver, "slt_n8stores", Qt::QueuedConnection, Q_ARG(QJsonArray, reachable),
                    Q_ARG(QString, names));
        },
        Qt::QueuedConnection);
}
