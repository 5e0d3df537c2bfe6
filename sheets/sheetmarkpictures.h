#ifndef SHEETMARKPICTURES_H
#define SHEETMARKPICTURES_H

#include "photostore/imageoperation.h"
#include "tools/markpicture.h"

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// The pictures beside the production sheet's 调修要求 rows, in the sheet folder's "marks/". A
// photo's marks picture kept on this computer (copied there by the sheet thumbnail job) is used as
// it is. Marks that only the back end keeps (saved on another computer, or before the order was
// opened afresh) get one drawn from the photo and those marks, as the mark editor draws them. A
// row whose photo cannot be read gets no picture: the page never names a file that is not there.
namespace SheetMarkPictures {

// One row: the photo's name as the back end gives it, its stored marks and its files.
struct Row
{
    QString name;
    QStringList marks;
    bool hasPhoto = false;
    ImageOperation::PhotoFiles photo;
};

struct Job
{
    QString folder; // the sheet folder, ends with "/"
    MarkPicture::Layout layout;
    QList<Row> rows;
};

// A row's picture: its file and its size.
struct Picture
{
    QString path;
    QSize size;
};

// By the row's name; a row without a picture is absent.
using Pictures = QHash<QString, Picture>;

// GUI thread: what the job needs of the albums (成品, then 设计) and of the editor's layout.
// picMarks holds one list per photo, its name and then its mark strings.
Job prepare(const QString& sheetFolder, const QList<QStringList>& picMarks);

// Any thread: finds or draws each row's picture. Touches files only.
Pictures make(const Job& job);

} // namespace SheetMarkPictures

#endif // SHEETMARKPICTURES_H
