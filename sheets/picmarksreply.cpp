#include "sheets/picmarksreply.h"

#include "core/jsontext.h"
#include "tools/markstring.h"

#include <QJsonArray>
#include <QJsonValue>

PicMarksReply PicMarksReply::read(const QJsonObject& reply)
{
    PicMarksReply out;
    const QJsonArray photos = reply.value(QStringLiteral("orderpicdescr")).toArray();
    for (const QJsonValue& value : photos) {
        const QJsonObject photo = value.toObject();
        const QJsonArray marks = photo.value(QStringLiteral("mark")).toArray();
        if (marks.isEmpty())
            continue;
        QStringList entry {jsonText(photo.value(QStringLiteral("picname")))};
        for (const QJsonValue& mark : marks)
            entry << mark.toString();
        out.marks << entry;
    }
    out.html = reply.value(QStringLiteral("html")).toString();
    return out;
}

SheetMark SheetMark::of(const QString& mark)
{
    SheetMark out;
    const MarkString parsed = MarkString::parse(mark);
    if (parsed.isValid()) {
        out.number = parsed.number;
        out.text = parsed.text;
        return out;
    }
    // Not a mark the editor would write; show the parts that are there.
    const QStringList parts = mark.split(QLatin1Char('-'));
    bool ok = false;
    const int number = parts.value(2).trimmed().toInt(&ok, 10);
    out.number = ok ? number : 0;
    out.text = parts.size() >= 5 ? mark.section(QLatin1Char('-'), 4) : QString();
    return out;
}
