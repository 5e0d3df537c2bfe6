#ifndef ORDERFOLDER_H
#define ORDERFOLDER_H

#include "photostore/image.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

// A temporary order folder that DirServer takes as the open order while it lives. Photos
// written by add() hold their own name (after an optional prefix), so that a lost or
// swapped file shows in a comparison.
class OrderFolder
{
public:
    OrderFolder();
    ~OrderFolder();

    QString path(const QString& relative) const;
    void add(const QString& album, const QStringList& names, const QByteArray& prefix = QByteArray()) const;
    void write(const QString& relative, const QByteArray& content) const;
    // The content, or "<missing>".
    QByteArray read(const QString& relative) const;
    // Every entry of a folder by name, hidden ones too.
    QStringList entries(const QString& folder) const;
    // Sets access and modification time; false when it failed.
    bool stamp(const QString& relative, const QDateTime& when) const;

private:
    QTemporaryDir m_dir;
};

// The photos' names in list order.
QStringList imageNames(const QList<Image>& list);

#endif // ORDERFOLDER_H
