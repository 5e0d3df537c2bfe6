#ifndef CUTSIZELIST_H
#define CUTSIZELIST_H

#include "tools/rcpara.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

// The shop's crop sizes as read from a "getcutsize" reply. error is the back end's message
// when its "code" is not "1"; the sizes are then empty.
struct CutSizeList
{
    QList<Rcpara> sizes;
    bool isError = false;
    QString error;

    static CutSizeList fromReply(const QJsonObject& reply);
    // A side of a crop size: decimal text or a JSON number; 0 when it is neither or not > 0.
    static int readSide(const QJsonValue& value);
    // Text typed as a side: the number, or 0 when it is no whole number > 0.
    static int readSide(const QString& text);
};

#endif // CUTSIZELIST_H
