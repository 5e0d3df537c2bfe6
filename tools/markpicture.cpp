#include "tools/markpicture.h"

#include "tools/addfrontdlg.h"
#include "tools/markstring.h"
#include "tools/zkmarker.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QPainter>
#include <QStyle>

namespace MarkPicture {

Layout editorLayout()
{
    const QWidget* screen = QApplication::desktop();
    return Layout {addFrontDlg::pictureArea(), ZKMarker::numberFont(QApplication::font("QLabel")),
        screen->logicalDpiX(), screen->logicalDpiY()};
}

QRect paintedRect(const QRect& area, const QSize& photoSize)
{
    return QStyle::alignedRect(
        Qt::LeftToRight, Qt::AlignCenter, photoSize.scaled(area.size(), Qt::KeepAspectRatio), area);
}

QImage draw(const QImage& photo, const QSize& photoSize, const QStringList& marks, const Layout& layout)
{
    const QRect painted = paintedRect(layout.area, photoSize.isValid() ? photoSize : photo.size());
    if (photo.isNull() || painted.isEmpty())
        return QImage();
    QImage picture = photo.scaled(painted.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    // The numbers' points come out as many pixels as on the editor's screen.
    picture.setDotsPerMeterX(qRound(layout.dpiX / 0.0254));
    picture.setDotsPerMeterY(qRound(layout.dpiY / 0.0254));
    QPainter painter(&picture);
    // The editor grabs its label over the painted picture: label coordinates, shifted.
    painter.translate(-painted.topLeft());
    for (const QString& mark : marks) {
        const MarkString read = MarkString::parse(mark);
        if (read.isValid())
            ZKMarker::paint(
                painter, read.rect, ZKMarker::ShapeEnum(read.shape), read.color, read.number, layout.numberFont);
    }
    return picture;
}

} // namespace MarkPicture
