#include "standin/demotemplates.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextStream>

bool DemoTemplates::writeRoom(const QString& imagePath, QSize size, const QList<QPolygon>& holes)
{
    QImage room(size, QImage::Format_RGB32);
    room.fill(QColor(0xe8, 0xdc, 0xc4)); // wall
    QPainter p(&room);
    p.setRenderHint(QPainter::Antialiasing);
    const int floorTop = size.height() * 3 / 4;
    p.fillRect(0, floorTop, size.width(), size.height() - floorTop, QColor(0x9c, 0x74, 0x4c));
    p.fillRect(0, floorTop - 12, size.width(), 12, QColor(0xf4, 0xf0, 0xe8)); // skirting
    // A low piece of furniture below the pictures.
    p.fillRect(size.width() / 5, floorTop - size.height() / 6, size.width() * 3 / 5, size.height() / 6,
        QColor(0x5a, 0x6e, 0x7a));
    for (const QPolygon& hole : holes) {
        p.setPen(QPen(QColor(0x3a, 0x2a, 0x1c), 16, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(QColor(0xc8, 0xc8, 0xc8));
        p.drawPolygon(hole);
    }
    p.end();
    if (!room.save(imagePath, nullptr, 90))
        return false;

    const QFileInfo info(imagePath);
    QFile file(info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out << holes.size() << "\r\n";
    for (const QPolygon& hole : holes) {
        for (const QPoint& corner : hole)
            out << corner.x() << ',' << corner.y() << "\r\n";
    }
    out.flush();
    return file.error() == QFile::NoError;
}

bool DemoTemplates::create(const QString& root, QString* error)
{
    auto rect = [](int left, int top, int right, int bottom) {
        return QPolygon({QPoint(left, top), QPoint(left, bottom), QPoint(right, bottom), QPoint(right, top)});
    };
    struct Room
    {
        const char* folder;
        const char* name;
        QList<QPolygon> holes;
    };
    const Room rooms[] = {
        {"模板/卧室/", "卧室单框.jpg", {rect(600, 150, 1000, 450)}},
        {"模板/客厅/", "客厅双框.jpg", {rect(330, 170, 690, 470), rect(910, 170, 1270, 470)}},
        // A frame seen from the side: a hole that is no rectangle.
        {"模板/其他/", "其他斜框.jpg",
            {QPolygon({QPoint(560, 140), QPoint(560, 500), QPoint(1040, 440), QPoint(1040, 200)})}},
    };
    for (const Room& room : rooms) {
        const QString folder = QDir(root).filePath(QString::fromUtf8(room.folder));
        const QString path = folder + QString::fromUtf8(room.name);
        if (QFile::exists(path))
            continue;
        if (!QDir().mkpath(folder) || !writeRoom(path, QSize(1600, 1000), room.holes)) {
            if (error)
                *error = QStringLiteral("cannot write ") + path;
            return false;
        }
    }
    return true;
}
