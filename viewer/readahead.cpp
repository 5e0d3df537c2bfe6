#include "viewer/readahead.h"

namespace ReadAhead {

QStringList paths(const QList<Image>& album, int index, int direction, int mode, const QString& shown)
{
    const int n = album.size();
    if (index < 0 || index >= n)
        return QStringList();
    const bool smallFirst = mode == 0 || mode == 4;
    QStringList paths {shown};
    if (smallFirst)
        paths << album.at(index).GetImagePath();
    // Two photos ahead on the side the operator steps to (a read may take longer than a
    // step), the photo left behind for a step back. A thumbnail helps only while the final
    // picture is not there yet: the next photo's alone is read ahead.
    const int ahead[] = {direction, 2 * direction, -direction};
    for (int k = 0; k < 3; ++k) {
        const int i = ((index + ahead[k]) % n + n) % n;
        if (i == index)
            continue;
        const Image& photo = album.at(i);
        paths << (mode == 4 ? photo.GetMiddleImagePath() : photo.GetBigImagePath());
        if (smallFirst && k == 0)
            paths << photo.GetImagePath();
    }
    return paths;
}

} // namespace ReadAhead
