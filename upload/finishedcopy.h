#ifndef FINISHEDCOPY_H
#define FINISHEDCOPY_H

#include <QByteArray>
#include <QImage>
#include <QString>

// The file work of the upload list, for worker jobs: no widget, no global is touched, every
// folder comes in the request. Finished copies are the selection's pictures of at most 1000
// pixels that the cloud receives.
namespace FinishedCopy {

// Where a finished copy comes from and where its small thumbnail goes. Folders end with "/".
struct Folders
{
    QString fine;                 // the selection, "成品/"
    QString deleted;              // the set-aside photos, "汰片/"
    QString thumbs100;            // small thumbnails, "成品缩略图100/"
    static Folders ofOpenOrder(); // the open order's folders (GUI thread)
};

// The full-size photo of a finished copy: "成品/" + name when it exists, else "汰片/" + name, else "".
QString findOriginalPath(const Folders& folders, const QString& fileName);

// Writes the finished copy at path (at most 1000 x 1000) and its small thumbnail (at most
// 200 x 200) from the full-size photo; true when the finished copy was written. The copy is
// written whole or not at all.
bool regenerate(const Folders& folders, const QString& path, const QString& fileName);

// The preview of a row: the image read at a size that fits into side x side (a smaller picture
// at its own size). Sets *exists to whether the source exists; a null image when it cannot be read.
QImage loadPreview(const QString& source, int side, bool* exists);

// The bytes of the file to upload; false when it cannot be opened for reading.
bool readFile(const QString& path, QByteArray* bytes);

} // namespace FinishedCopy

#endif // FINISHEDCOPY_H
