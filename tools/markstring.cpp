#include "tools/markstring.h"

#include "photostore/croprect.h"

#include <QStringList>

namespace {

// A field that is no decimal number reads as 0.
int decimal(const QString& field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

QString MarkString::toString(const QRect& rect, int shape, int number, const QColor& color, const QString& text)
{
    const QString frame = QString::number(qMax(0, rect.x())) + QLatin1Char(',') + QString::number(qMax(0, rect.y()))
        + QLatin1Char(',') + QString::number(rect.width()) + QLatin1Char(',') + QString::number(rect.height());
    return QStringList({frame, QString::number(shape), QString::number(number), color.name(), text})
        .join(QLatin1Char('-'));
}

QString MarkString::toString() const
{
    return toString(rect, shape, number, color, text);
}

MarkString MarkString::parse(const QString& mark)
{
    MarkString out;
    // The first four fields hold no "-"; the text keeps every later one.
    int cuts[4];
    int from = 0;
    for (int& cut : cuts) {
        cut = mark.indexOf(QLatin1Char('-'), from);
        if (cut < 0) {
            out.error = QStringLiteral("fewer than five fields");
            return out;
        }
        from = cut + 1;
    }
    const QStringList frame = mark.left(cuts[0]).split(QLatin1Char(','));
    if (frame.size() < 4) {
        out.error = QStringLiteral("fewer than four numbers in the frame");
        return out;
    }
    const int x = decimal(frame.at(0));
    const int y = decimal(frame.at(1));
    const int width = decimal(frame.at(2));
    const int height = decimal(frame.at(3));
    // A frame whose far edge passes the int range is no place on a picture, nor can QRect hold it.
    if (!CropRect::fits(x, y, width, height)) {
        out.error = QStringLiteral("frame beyond the number range");
        return out;
    }
    out.rect = QRect(x, y, width, height);
    out.shape = decimal(mark.mid(cuts[0] + 1, cuts[1] - cuts[0] - 1));
    if (out.shape != 0 && out.shape != 1) {
        out.error = QStringLiteral("unknown shape");
        return out;
    }
    out.number = decimal(mark.mid(cuts[1] + 1, cuts[2] - cuts[1] - 1));
    if (out.number < 1 || out.number > maxNumber) {
        out.error = QStringLiteral("number out of range");
        return out;
    }
    out.color = QColor(mark.mid(cuts[2] + 1, cuts[3] - cuts[2] - 1).trimmed());
    out.text = mark.mid(cuts[3] + 1);
    return out;
}
