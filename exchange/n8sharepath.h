#ifndef N8SHAREPATH_H
#define N8SHAREPATH_H

#include "core/deployment.h"

#include <QList>
#include <QString>

// The one road from an N8 share path, as the back end gives it (Windows form:
// "\\server\share\store" or "Z:\N8\store"), to a folder of this computer. UNC and drive
// prefixes go through the deployment's table (PHOTOSELECT_N8_SHARES); an absolute "/" path
// is taken as it is. A ".." segment is never followed, so a path from the back end cannot
// climb out of the mapped share. Pure string work: whether the folder exists is the
// caller's question. Safe on any thread once the table is set at start-up.
namespace N8SharePath {

struct Local
{
    QString path;  // absolute, "/" separated, no trailing "/"; empty on error
    QString error; // why there is no local path, for the operator
    bool isValid() const { return error.isEmpty(); }
};

Local toLocal(const QString& n8path);
Local toLocal(const QString& n8path, const QList<Deployment::N8Share>& shares);

} // namespace N8SharePath

#endif // N8SHAREPATH_H
