#include "exchange/n8selectionread.h"

#include "exchange/n8sharepath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

namespace N8SelectionRead {

namespace {

const QString kResults = QStringLiteral("/选版结果");

// Reads on to the end of the document, so that a fault after the part of interest counts.
bool isWellFormed(QXmlStreamReader& xml)
{
    while (!xml.atEnd())
        xml.readNext();
    return !xml.hasError();
}

QString text(QXmlStreamReader& xml)
{
    return xml.readElementText(QXmlStreamReader::SkipChildElements);
}

// The "id" texts of the children of an "items" element, in document order.
QJsonArray pictureNames(QXmlStreamReader& xml)
{
    QJsonArray names;
    while (xml.readNextStartElement()) {
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("id"))
                names.append(text(xml));
            else
                xml.skipCurrentElement();
        }
    }
    return names;
}

QJsonObject product(QXmlStreamReader& xml)
{
    QJsonObject object;
    bool hasChild = false;
    while (xml.readNextStartElement()) {
        hasChild = true;
        const QStringRef name = xml.name();
        if (name == QLatin1String("id") || name == QLatin1String("comment") || name == QLatin1String("ordergoodid"))
            object.insert(name.toString(), text(xml));
        else if (name == QLatin1String("items"))
            object.insert(QStringLiteral("picnames"), pictureNames(xml));
        else
            xml.skipCurrentElement();
    }
    if (hasChild && !object.contains(QStringLiteral("picnames")))
        object.insert(QStringLiteral("picnames"), QJsonArray());
    return object;
}

Selection failure(const QString& error)
{
    Selection selection;
    selection.error = error;
    return selection;
}

} // namespace

bool isComplete(const QString& resultFolder)
{
    // The pattern ignores letter case: "done.OK" counts as well.
    const QStringList names
        = QDir(resultFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (name.endsWith(QLatin1String(".ok"), Qt::CaseInsensitive))
            return true;
    return false;
}

Folders orderFolders(const QJsonObject& reply)
{
    Folders folders;
    for (const QString& key : {QStringLiteral("n8path_root_path"), QStringLiteral("n8path_dir_path")}) {
        folders.error = N8SharePath::fieldError(reply, key);
        if (!folders.isValid())
            return folders;
    }
    const QString root = reply.value(QStringLiteral("n8path_root_path")).toString() + QLatin1Char('\\');
    const QString dir = reply.value(QStringLiteral("n8path_dir_path")).toString();
    const N8SharePath::Local plain = N8SharePath::toLocal(root + dir);
    if (!plain.isValid()) {
        folders.error = plain.error;
        return folders;
    }
    folders.plain = plain.path;
    folders.selected = N8SharePath::toLocal(root + QStringLiteral("[已选]") + dir).path;
    return folders;
}

Folder chooseFolder(const QString& selected, const QString& plain)
{
    if (!selected.isEmpty() && QFileInfo(selected).isDir())
        return Folder {selected, QString()};
    if (isComplete(plain + kResults))
        return Folder {plain, QString()};
    return Folder {QString(), QStringLiteral("选版未完成，无法同步选版信息")};
}

QJsonArray readProducts(const QByteArray& bytes, bool* ok)
{
    QJsonArray products;
    QXmlStreamReader xml(bytes);
    if (xml.readNextStartElement()) {
        while (xml.readNextStartElement())
            products.append(product(xml));
    }
    *ok = isWellFormed(xml);
    return *ok ? products : QJsonArray();
}

int countPhotos(const QString& folder)
{
    const QStringList names
        = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    int count = 0;
    for (const QString& name : names) {
        const QString lower = name.toLower();
        if (lower.contains(QLatin1String(".png")) || lower.contains(QLatin1String(".jpg")))
            ++count;
    }
    return count;
}

QString readRemark(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement())
        return QString();
    const QString comment = xml.attributes().value(QLatin1String("comment")).toString();
    return isWellFormed(xml) ? comment : QString();
}

QString commentsText(const QJsonArray& comments)
{
    // The keys come out sorted, which is the order the back end takes: comment, id,
    // ordergoodid, picnames.
    return QString::fromUtf8(QJsonDocument(comments).toJson(QJsonDocument::Compact));
}

Selection read(const QString& folder)
{
    Selection selection;
    const QString results = folder + kResults;
    QFile result(results + QStringLiteral("/result.json"));
    if (result.exists()) {
        if (!result.open(QIODevice::ReadOnly | QIODevice::Text))
            return failure(QStringLiteral("N8选版结果文件result.json不能读取"));
        selection.resultText = QString::fromUtf8(result.readAll());
        return selection;
    }
    QFile products(results + QStringLiteral("/VgProduct.data"));
    if (!products.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("N8选版结果文件VgProduct.data不能读取"));
    bool ok = false;
    selection.comments = readProducts(products.readAll(), &ok);
    if (!ok)
        return failure(QStringLiteral("N8选版结果文件VgProduct.data读取失败"));
    selection.photoCount = countPhotos(folder + QStringLiteral("/照片"));
    QFile item(results + QStringLiteral("/Item.data"));
    if (item.open(QIODevice::ReadOnly))
        selection.remark = readRemark(item.readAll());
    return selection;
}

} // namespace N8SelectionRead
