#ifndef READAHEAD_H
#define READAHEAD_H

#include "photostore/image.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a photo viewer (the large-photo pane, the full-screen view) asks its PictureLoader for,
// so that both read ahead alike.
namespace ReadAhead {

// The pictures wanted while album[index] is shown, most wanted first: shown (the picture the
// display mode ends on, or the full-size one read for zooming), the photo's small thumbnail
// in the modes that show it first, then the final pictures of two photos ahead on the side of
// direction (+1 or -1) and of the one behind, with the next photo's thumbnail. The album wraps.
QStringList paths(const QList<Image>& album, int index, int direction, int mode, const QString& shown);

} // namespace ReadAhead

#endif // READAHEAD_H
