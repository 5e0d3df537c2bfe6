#ifndef N8PRODUCTFILE_H
#define N8PRODUCTFILE_H

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// The disk side of handing an order to N8ViewGo: the product list "VgProduct.data" that
// N8ViewGo fills with its selection, and the choice of the target it is started on. Plain
// functions returning values; they touch the N8 share, so the hand-off runs them on a
// worker thread. Paths from the back end are in Windows form and reach this computer
// through N8SharePath.
namespace N8ProductFile {

// The text of "VgProduct.data" for the order's products ("goods" of the path reply).
QByteArray productList(const QJsonArray& goods);

// The order's selected folder beside its folder, in the back end's Windows form: the parent
// folder, "\[已选]" and the last folder name. Empty when the path names no folder.
QString selectedFolder(const QString& n8pathPath);

struct Created
{
    enum Status {
        Written, // the file did not exist (or was an empty leftover) and now holds the list
        Kept,    // a list is there already: N8ViewGo may have worked on it, so it stays
        Failed,  // the folder or the file could not be made; error says why
    };
    Status status = Failed;
    QString error;
};
// Makes folder (one level) and writes text into file inside it, through a temporary file
// renamed into place only while the file is absent, so a failed write never leaves a
// half-written or empty list behind.
Created createFile(const QString& folder, const QString& file, const QByteArray& text);

struct HandOff
{
    QString target; // what N8ViewGo is started on: "n8path", or "n8path2" when the
                    // order's selected folder exists
    QString error;  // why nothing may be started
    bool isValid() const { return error.isEmpty(); }
};
// Everything the hand-off does on disk for one path reply.
HandOff prepare(const QJsonObject& reply);

} // namespace N8ProductFile

#endif // N8PRODUCTFILE_H
