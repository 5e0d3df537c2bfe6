#ifndef N8SHAREPATH_H
#define N8SHAREPATH_H

#include "core/deployment.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// The one road from an N8 share path, as the back end gives it (Windows form:
// "\\server\share\store" or "Z:\N8\store"), to a folder of this computer. UNC, drive and
// absolute "/" prefixes go through the deployment's table (PHOTOSELECT_N8_SHARES); a path
// under none of its entries is refused, and a ".." segment is never followed, so a path from
// the back end cannot lead out of a configured share. Pure string work: whether the folder
// exists is the caller's question. Safe on any thread once the table is set at start-up.
namespace N8SharePath {

struct Local
{
    QString path;  // absolute, "/" separated, no trailing "/"; empty on error
    QString error; // why there is no local path, for the operator
    bool isValid() const { return error.isEmpty(); }
};

Local toLocal(const QString& n8path);
Local toLocal(const QString& n8path, const QList<Deployment::N8Share>& shares);

// Why the path field key of a back-end reply cannot be used (missing, not text, or blank);
// empty when it holds a path. Checked before the field is joined with anything, since a
// joined suffix would hide that the path itself is missing.
QString fieldError(const QJsonObject& reply, const QString& key);

} // namespace N8SharePath

#endif // N8SHAREPATH_H
