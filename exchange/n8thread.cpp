#include "exchange/n8thread.h"

#include "core/logging.h"
#include "exchange/n8sharepath.h"
#include "exchange/n8xml.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QWidget>

namespace {

QString text(const QJsonObject& object, const char* key)
{
    // Only JSON strings count: a number or a missing key gives empty text.
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isString() ? value.toString() : QString();
}

const QString kProducts = QStringLiteral("产品");

} // namespace

N8thread::N8thread(QWidget* replyTo, QObject* parent)
    : QThread(parent)
    , receiver(replyTo)
{
}

N8thread::~N8thread() = default;

void N8thread::stopThread()
{
    stopped = true;
}

void N8thread::run()
{
    // A stop asked for before the thread got here still counts: the worker serves one job.
    if (mode == QLatin1String("xml")) {
        if (kind == 0)
            makepeoplexmltxt();
        else if (kind == 1)
            makeproductxmltxt();
    } else if (mode == QLatin1String("write")) {
        writeToFile();
    } else if (mode == QLatin1String("stores")) {
        judgeStorePath();
    }
}

void N8thread::makepeoplexmltxt()
{
    if (makeXml(true))
        writeToFile();
}

void N8thread::makeproductxmltxt()
{
    if (makeXml(false))
        writeToFile();
}

bool N8thread::makeXml(bool staff)
{
    // One line, no separators: the form N8ViewGo reads.
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><nemovg>");
    for (const QJsonValue& value : qAsConst(datas)) {
        if (stopped)
            return false;
        const QJsonObject item = value.toObject();
        const QString id = N8Xml::characterData(text(item, "id"));
        const QString name = N8Xml::characterData(text(item, "name"));
        if (staff)
            xml += QStringLiteral("<Staff><id>") + id + QStringLiteral("</id><name>") + name
                + QStringLiteral("</name></Staff>");
        else
            xml += QStringLiteral("<product><ID>") + id + QStringLiteral("</ID><name>") + name
                + QStringLiteral("</name><width>0</width><height>0</height></product>");
    }
    xml += QStringLiteral("</nemovg>");
    if (stopped)
        return false;
    xmlstr = xml;
    report(QJsonObject {{"type", QStringLiteral("数据配置完成")}, {"xmlstr", xmlstr}});
    return !stopped;
}

void N8thread::writeToFile()
{
    const QString fileName = (kind == 0 ? QStringLiteral("VgStaff") : QStringLiteral("productList")) + ".xml";
    const QString kindText = kind == 0 ? QStringLiteral("员工数据: ") : QStringLiteral("产品数据: ");
    QString failures;
    QJsonArray written;
    QJsonArray failed;
    const int count = stores.size();
    // Without a store the job still ends with its closing report, so the dialog is idle again.
    if (count == 0)
        report(QJsonObject {{"type", QStringLiteral("全部导入成功")}, {"msg", QStringLiteral("数据全部导入完成")},
            {"errormsg", QString()}, {"written", written}, {"failed", failed}});
    for (int i = 0; i < count; ++i) {
        if (stopped)
            return;
        const QJsonObject store = stores.at(i).toObject();
        const QString name = text(store, "name");
        const QString failure = writeStore(name, text(store, "n8path"), fileName);
        if (failure.isEmpty() && stopped)
            return;
        const bool last = i == count - 1;
        QString msg;
        if (last) {
            msg = QStringLiteral("数据全部导入完成");
        } else {
            // A failed store is not announced as imported; the list of failures follows at the end.
            msg = kindText + name
                + (failure.isEmpty() ? QStringLiteral("数据导入完成") : QStringLiteral("数据导入失败"))
                + QStringLiteral("，开始给导入") + text(stores.at(i + 1).toObject(), "name")
                + QStringLiteral("数据...");
        }
        if (failure.isEmpty()) {
            written.append(name);
        } else {
            failures += QLatin1Char('\n') + name + failure;
            failed.append(name);
        }
        report(QJsonObject {{"type", last ? QStringLiteral("全部导入成功") : QStringLiteral("门店数据导入成功")},
            {"msg", msg}, {"errormsg", last || !failure.isEmpty() ? failures : QString()}, {"written", written},
            {"failed", failed}});
    }
}

QString N8thread::writeStore(const QString& name, const QString& n8path, const QString& fileName)
{
    const QString shown = n8path + QLatin1Char('\\') + kProducts;
    const N8SharePath::Local share = N8SharePath::toLocal(n8path);
    if (!share.isValid())
        return QStringLiteral("n8路径无法在本机使用：") + share.error;
    const QString folder = share.path + QLatin1Char('/') + kProducts;
    const QFileInfo info(folder);
    if (!info.isDir())
        return QStringLiteral("n8路径错误，写入失败：") + shown;
    if (!info.isWritable())
        return QStringLiteral("n8路径没有写入权限：") + shown;

    // Written beside the target and renamed over it, so N8ViewGo never reads half a list.
    QSaveFile file(folder + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        qCDebug(lcN8).noquote() << "文件打开失败，错误原因：" << file.errorString() << name;
        return QStringLiteral(" 文件打开失败，错误原因：") + file.errorString();
    }
    const QByteArray bytes = xmlstr.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        qCDebug(lcN8).noquote() << "文件写入失败，错误原因：" << file.errorString() << name;
        return QStringLiteral(" 文件写入失败，错误原因：") + file.errorString();
    }
    return QString();
}

void N8thread::report(const QJsonObject& report)
{
    // This object lives on the creating thread: the hop runs there, where the receiver may
    // be checked safely, and where a stop made since is seen before the report is handed on.
    QMetaObject::invokeMethod(
        this,
        [this, report] {
            if (receiver && !stopped)
                QMetaObject::invokeMethod(receiver, "slt_threademit", Qt::DirectConnection, Q_ARG(QJsonObject, report));
        },
        Qt::QueuedConnection);
}

void N8thread::judgeStorePath()
{
    QJsonArray reachable;
    QStringList unreachable;
    for (const QJsonValue& value : qAsConst(stores)) {
        const QJsonObject store = value.toObject();
        const QString path = text(store, "n8path");
        const N8SharePath::Local share = N8SharePath::toLocal(path);
        if (!path.isEmpty() && !share.isValid())
            qCWarning(lcN8).noquote() << text(store, "name") << share.error;
        if (!share.isValid() || !QDir(share.path).exists())
            unreachable << text(store, "name");
        else
            reachable.append(store);
    }
    const QString names = unreachable.join(QLatin1Char(','));
    qCDebug(lcN8).noquote() << "n8 stores reachable:" << reachable.size() << "unreachable:" << names;

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
