#ifndef MARKPICTURE_H
#define MARKPICTURE_H

#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QStringList>

// The marks picture of a photo drawn from its stored marks, as the mark editor shows them: the
// photo fitted into the editor's picture area, each mark's shape and number where the editor
// places its marker. For photos whose marks were saved where their picture is not kept.
namespace MarkPicture {

// How this desktop's mark editor shows a photo: the area it fits the picture into (in the
// label coordinates of the mark strings), the markers' number font and the screen's resolution,
// which sizes that font.
struct Layout
{
    QRect area;
    QFont numberFont;
    int dpiX = 96;
    int dpiY = 96;
};

// GUI thread only: lays out an editor without showing it.
Layout editorLayout();

// Where the editor paints a photo of photoSize in area: fitted, centred.
QRect paintedRect(const QRect& area, const QSize& photoSize);

// The picture as the editor would save it for these mark strings: photo (any level of the photo,
// whose full size is photoSize) scaled to the painted rectangle, the marks over it; strings that
// are no mark are left out. Null when photo is. Any thread.
QImage draw(const QImage& photo, const QSize& photoSize, const QStringList& marks, const Layout& layout);

} // namespace MarkPicture

#endif // MARKPICTURE_H
