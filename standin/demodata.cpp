#include "standin/demodata.h"
#include "standin/demotemplates.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>

QString DemoData::orderShareFolder()
{
    return QStringLiteral("share/2026/DEMO-1001/");
}

// A minimal EXIF APP1 segment holding only the orientation tag (big-endian TIFF).
static QByteArray exifOrientation(int orientation)
{
    QByteArray tiff;
    tiff += "MM";
    tiff += QByteArray::fromHex("002A00000008");       // magic, IFD0 offset 8
    tiff += QByteArray::fromHex("0001");               // one entry
    tiff += QByteArray::fromHex("011200030000000100"); // tag 0x0112, SHORT, count 1, value high byte
    tiff += char(orientation);
    tiff += QByteArray::fromHex("0000");     // value padding
    tiff += QByteArray::fromHex("00000000"); // no next IFD
    QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment = QByteArray::fromHex("FFE1");
    const quint16 len = quint16(payload.size() + 2);
    segment += char(len >> 8);
    segment += char(len & 0xFF);
    return segment + payload;
}

bool DemoData::writePhoto(const QString& path, int width, int height, const QString& label, int orientation)
{
    QImage image(width, height, QImage::Format_RGB32);
    const uint seed = qHash(label);
    image.fill(QColor::fromHsv(int(seed % 360), 90, 200));
    QPainter p(&image);
    p.setPen(Qt::white);
    QFont font;
    font.setPixelSize(qMax(12, height / 8));
    p.setFont(font);
    p.drawRect(image.rect().adjusted(4, 4, -5, -5));
    // Text needs the font system of a GUI application; plain tools get the frame only.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        p.drawText(image.rect(), Qt::AlignCenter, label);
    p.end();

    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", 85))
        return false;
    if (orientation > 1 && orientation <= 8)
        jpeg.insert(2, exifOrientation(orientation)); // right after SOI
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(jpeg) == jpeg.size();
}

bool DemoData::createVolumes(const QString& volumesRoot, QString* error)
{
    const QString order = QDir(volumesRoot).filePath(orderShareFolder());
    const QStringList albums = {QStringLiteral("照片"), QStringLiteral("成品"), QStringLiteral("汰片"),
        QStringLiteral("设计"), QStringLiteral("设计汰片")};
    for (const QString& album : albums) {
        if (!QDir().mkpath(order + album)) {
            if (error)
                *error = QStringLiteral("cannot create ") + order + album;
            return false;
        }
    }
    struct Photo
    {
        const char* album;
        const char* name;
        int w;
        int h;
        int orientation;
    };
    const Photo photos[] = {
        {"照片", "IMG_0001.jpg", 1200, 800, 1},
        {"照片", "IMG_0002.jpg", 1200, 800, 1},
        {"照片", "IMG_0003.JPG", 800, 1200, 1},
        {"照片", "IMG_0004.jpg", 1200, 800, 6},
        {"成品", "IMG_0001.jpg", 1200, 800, 1},
        {"成品", "IMG_0002.jpg", 1200, 800, 1},
        {"成品", "IMG_0004.jpg", 1200, 800, 6},
        {"成品", "婚纱 外景 01.jpg", 1200, 800, 1},
        {"成品", "IMG_0005.JPG", 800, 1200, 1},
        {"汰片", "IMG_0006.jpg", 1200, 800, 1},
        {"设计", "D_0001.jpg", 1600, 1000, 1},
    };
    for (const Photo& ph : photos) {
        const QString path = order + QString::fromUtf8(ph.album) + QLatin1Char('/') + QString::fromUtf8(ph.name);
        if (QFile::exists(path))
            continue;
        if (!writePhoto(path, ph.w, ph.h, QString::fromUtf8(ph.name), ph.orientation)) {
            if (error)
                *error = QStringLiteral("cannot write ") + path;
            return false;
        }
    }
    // The room templates that the demo's "homepicpath" names.
    return DemoTemplates::create(QDir(volumesRoot).filePath(QStringLiteral("share/家居模板/")), error);
}
