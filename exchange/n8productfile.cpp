#include "exchange/n8productfile.h"

#include "exchange/n8sharepath.h"
#include "exchange/n8xml.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonValue>
#include <QTemporaryFile>

namespace N8ProductFile {

namespace {

const QString kResultFolder = QStringLiteral("\\选版结果");
const QString kProductFile = QStringLiteral("VgProduct.data");

// A value that is no JSON string is written as empty text.
QString element(const char* name, const QJsonValue& value)
{
    const QString tag = QLatin1String(name);
    return QLatin1Char('<') + tag + QLatin1Char('>') + N8Xml::characterData(value.toString()) + QStringLiteral("</")
        + tag + QStringLiteral(">\n");
}

Created failed(const QString& error)
{
    Created result;
    result.error = error;
    return result;
}

} // namespace

QByteArray productList(const QJsonArray& goods)
{
    // N8ViewGo expects this fixed time stamp, not the moment of writing.
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<n8vg_prdlist version=\"1.0\" Time=\"2020-10-26 16:14:14\">\n");
    for (const QJsonValue& entry : goods) {
        const QJsonObject good = entry.toObject();
        text += QStringLiteral("<n8vg_product>\n");
        text += element("id", good.value(QStringLiteral("goodid")));
        text += element("name", good.value(QStringLiteral("goodname")));
        text += element("width", good.value(QStringLiteral("width")));
        text += element("height", good.value(QStringLiteral("long")));
        text += QStringLiteral("<items/>\n</n8vg_product>\n");
    }
    text += QStringLiteral("</n8vg_prdlist>\n");
    return text.toUtf8();
}

QString selectedFolder(const QString& n8pathPath)
{
    QString path = n8pathPath;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    const int slash = path.lastIndexOf(QLatin1Char('\\'));
    if (slash <= 0 || slash == path.size() - 1)
        return QString();
    return path.left(slash) + QStringLiteral("\\[已选]") + path.mid(slash + 1);
}

Created createFile(const QString& folder, const QString& file, const QByteArray& text)
{
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir()) {
        if (folderInfo.exists())
            return failed(QStringLiteral("选版结果文件夹的位置上有一个文件：") + folder);
        if (!QDir().mkdir(folder))
            return failed(QStringLiteral("选版结果文件夹无法创建：") + folder);
    }
    const QFileInfo fileInfo(file);
    if (fileInfo.exists() && !fileInfo.isFile())
        return failed(QStringLiteral("产品文件的位置上有一个文件夹：") + file);
    if (fileInfo.exists() && fileInfo.size() > 0)
        return Created {Created::Kept, QString()};

    QTemporaryFile temporary(folder + QStringLiteral("/.") + kProductFile + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return failed(QStringLiteral("产品文件无法创建：") + file + QStringLiteral("（") + temporary.errorString()
            + QStringLiteral("）"));
    if (temporary.write(text) != text.size() || !temporary.flush())
        return failed(QStringLiteral("产品文件无法写入：") + file + QStringLiteral("（") + temporary.errorString()
            + QStringLiteral("）"));
    temporary.close();
    // An empty file is what an interrupted earlier write leaves; it holds nothing to keep.
    if (fileInfo.exists())
        QFile::remove(file);
    // A rename never replaces a file: one written meanwhile by another hand-off is kept.
    if (!temporary.rename(file)) {
        if (QFileInfo(file).size() > 0)
            return Created {Created::Kept, QString()};
        return failed(QStringLiteral("产品文件无法写入：") + file + QStringLiteral("（") + temporary.errorString()
            + QStringLiteral("）"));
    }
    temporary.setAutoRemove(false);
    // N8ViewGo fills the list in: a temporary file is private to its owner, the list must not be.
    QFile::setPermissions(
        file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther);
    return Created {Created::Written, QString()};
}

HandOff prepare(const QJsonObject& reply)
{
    HandOff handOff;
    // Every path is checked before anything is written: a missing order path would otherwise
    // leave the result folder's own name, which is no place in any share.
    const QString orderKey = QStringLiteral("n8path_path");
    handOff.error = N8SharePath::fieldError(reply, orderKey);
    if (!handOff.isValid())
        return handOff;
    const QString orderPath = reply.value(orderKey).toString();
    const N8SharePath::Local results = N8SharePath::toLocal(orderPath + kResultFolder);
    if (!results.isValid()) {
        handOff.error = results.error;
        return handOff;
    }
    QString targetKey = QStringLiteral("n8path");
    const QString selected = selectedFolder(orderPath);
    if (!selected.isEmpty()) {
        const N8SharePath::Local local = N8SharePath::toLocal(selected);
        if (local.isValid() && QFileInfo(local.path).isDir())
            targetKey = QStringLiteral("n8path2");
    }
    handOff.error = N8SharePath::fieldError(reply, targetKey);
    if (!handOff.isValid())
        return handOff;

    const Created created = createFile(results.path, results.path + QLatin1Char('/') + kProductFile,
        productList(reply.value(QStringLiteral("goods")).toArray()));
    if (created.status == Created::Failed) {
        handOff.error = created.error;
        return handOff;
    }
    handOff.target = reply.value(targetKey).toString();
    return handOff;
}

} // namespace N8ProductFile
