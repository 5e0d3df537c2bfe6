#ifndef N8SELECTIONREAD_H
#define N8SELECTIONREAD_H

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// The disk side of reading back what N8ViewGo selected: which folder holds a finished
// selection, and what of it is posted ("syncgoods"). Plain functions returning values; they
// read the N8 share, so the read-back runs them on a worker thread. Names read from the
// files are only posted, never used as paths. Folders are local ("/" separated), mapped
// through N8SharePath.
namespace N8SelectionRead {

struct Folders
{
    QString selected; // "[已选]" before the order folder's name; empty when not reachable
    QString plain;    // the order folder
    QString error;    // the operator's message when the reply names no usable folder
    bool isValid() const { return error.isEmpty(); }
};
// The two folders the path reply ("n8path_root_path", "n8path_dir_path") names, mapped
// through N8SharePath; a missing or blank field is refused before it is joined.
Folders orderFolders(const QJsonObject& reply);

struct Folder
{
    QString path;  // the selection folder
    QString error; // the operator's message when there is none
    bool isValid() const { return error.isEmpty(); }
};
// The selected folder when it exists (selected may be empty: there is none); otherwise the
// plain folder once its result folder holds a completion marker ("*.ok", any case).
Folder chooseFolder(const QString& selected, const QString& plain);
bool isComplete(const QString& resultFolder);

struct Selection
{
    QJsonArray comments; // one object per product of "VgProduct.data"
    int photoCount = 0;  // "yqnumber"
    QString remark;      // the comment of "Item.data"
    QString resultText;  // the whole of "result.json"; when present, nothing else is read
    QString error;       // the operator's message when nothing may be posted
    bool isValid() const { return error.isEmpty(); }
};
Selection read(const QString& folder);

// The products of a "VgProduct.data" as N8ViewGo left it; *ok is false when it is no
// well-formed XML.
QJsonArray readProducts(const QByteArray& xml, bool* ok);
// Entries of the folder whose lower-case name contains ".png" or ".jpg".
int countPhotos(const QString& folder);
// The non-empty "comment" of the root element of an "Item.data", else empty.
QString readRemark(const QByteArray& xml);
// The products as the compact JSON text the back end takes.
QString commentsText(const QJsonArray& comments);

} // namespace N8SelectionRead

#endif // N8SELECTIONREAD_H
