#ifndef HOSTILEROWS_H
#define HOSTILEROWS_H

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

// Bodies of replies that are not what the client expects, made from a good reply: for data
// tables of tests that every window survives them.

// The value at path ("a/b/0/c": keys of objects, indexes of arrays) replaced, or removed
// when value is undefined.
QJsonValue replaced(const QJsonValue& root, const QStringList& path, const QJsonValue& value);
QByteArray compact(const QJsonValue& value);
// One table row (column "body") per hostile value at each path of a good reply, and per
// hostile body.
void addHostileRows(const QJsonObject& good, const QStringList& paths);

#endif // HOSTILEROWS_H
