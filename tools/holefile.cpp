#include "tools/holefile.h"

#include <QFile>
#include <QFileInfo>

QString HoleFile::pathFor(const QString& templatePath)
{
    const int dot = templatePath.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < templatePath.lastIndexOf(QLatin1Char('/')))
        return templatePath + QStringLiteral(".txt");
    return templatePath.left(dot + 1) + QStringLiteral("txt");
}

HoleFile HoleFile::read(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        HoleFile none;
        none.error = QStringLiteral("no hole file ") + path;
        return none;
    }
    if (file.size() > MaxFileSize) {
        HoleFile none;
        none.error = QStringLiteral("hole file too large: ") + path;
        return none;
    }
    HoleFile parsed = parse(file.read(MaxFileSize));
    if (!parsed.error.isEmpty())
        parsed.error += QStringLiteral(" in ") + path;
    return parsed;
}

namespace {

bool toCoordinate(const QByteArray& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok && qAbs(*value) <= HoleFile::MaxCoordinate;
}

} // namespace

HoleFile HoleFile::parse(const QByteArray& text)
{
    HoleFile result;
    auto refuse = [&result](const QString& why) {
        result.holes.clear();
        result.error = why;
        return result;
    };
    QByteArray body = text;
    if (body.startsWith("\xEF\xBB\xBF")) // written by an editor that marks UTF-8
        body.remove(0, 3);
    // Lines may end in CR LF (templates are made on Windows machines too).
    const QList<QByteArray> lines = body.split('\n');
    bool ok = false;
    const int count = lines.value(0).trimmed().toInt(&ok);
    if (!ok || count < 0 || count > MaxHoles)
        return refuse(QStringLiteral("bad hole count \"") + QString::fromUtf8(lines.value(0).trimmed()) + '"');
    if (lines.size() < 1 + 4 * count)
        return refuse(QStringLiteral("%1 holes announced, %2 corner lines found").arg(count).arg(lines.size() - 1));
    for (int i = 0; i < count; ++i) {
        QPointF corners[4];
        for (int c = 0; c < 4; ++c) {
            const int line = 1 + 4 * i + c;
            const QList<QByteArray> parts = lines.at(line).split(',');
            int x = 0;
            int y = 0;
            if (parts.size() != 2 || !toCoordinate(parts.at(0), &x) || !toCoordinate(parts.at(1), &y))
                return refuse(QStringLiteral("line %1 is no corner \"%2\"")
                                  .arg(line + 1)
                                  .arg(QString::fromUtf8(lines.at(line).trimmed())));
            corners[c] = QPointF(x, y);
        }
        FAMILYPOINTS hole;
        hole.index = i;
        hole.point1 = corners[0];
        hole.point2 = corners[1];
        hole.point3 = corners[2];
        hole.point4 = corners[3];
        result.holes.append(hole);
    }
    return result;
}
