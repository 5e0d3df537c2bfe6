#include "standin/demodata.h"
#include "standin/demotemplates.h"

#include "standin/standinserver.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

QString DemoData::orderShareFolder()
{
    return QStringLiteral("share/2026/DEMO-1001/");
}

QString DemoData::n8ShareFolder()
{
    return QStringLiteral("N8Share/");
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

bool DemoData::writeVideo(const QString& path, int seconds, QString* error)
{
    // gst-launch reads the file name as part of its pipeline text: write to a plain name,
    // then move the result to the real one (which may hold "#", spaces or Chinese).
    QTemporaryDir scratch;
    const QString plain = scratch.filePath(QStringLiteral("video.ogv"));
    const QString frames = QString::number(25 * seconds);
    const QString audioBuffers = QString::number(100 * seconds); // 441 samples each at 44.1 kHz
    const QStringList pipeline
        = {QStringLiteral("-q"), QStringLiteral("videotestsrc"), QStringLiteral("num-buffers=") + frames,
            QStringLiteral("!"), QStringLiteral("video/x-raw,width=320,height=240,framerate=25/1"), QStringLiteral("!"),
            QStringLiteral("theoraenc"), QStringLiteral("!"), QStringLiteral("oggmux"), QStringLiteral("name=mux"),
            QStringLiteral("!"), QStringLiteral("filesink"), QStringLiteral("location=") + plain,
            QStringLiteral("audiotestsrc"), QStringLiteral("num-buffers=") + audioBuffers,
            QStringLiteral("samplesperbuffer=441"), QStringLiteral("!"), QStringLiteral("audioconvert"),
            QStringLiteral("!"), QStringLiteral("vorbisenc"), QStringLiteral("!"), QStringLiteral("mux.")};
    QProcess gst;
    gst.start(QStringLiteral("gst-launch-1.0"), pipeline);
    const bool ran = gst.waitForFinished(60000) && gst.exitStatus() == QProcess::NormalExit && gst.exitCode() == 0;
    if (!ran || !QFileInfo(plain).size()) {
        if (error)
            *error = QStringLiteral("gst-launch-1.0 failed: ") + gst.errorString() + QLatin1Char(' ')
                + QString::fromLocal8Bit(gst.readAllStandardError());
        return false;
    }
    QFile::remove(path);
    if (!QFile::copy(plain, path)) {
        if (error)
            *error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
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
    const QString n8Products = QDir(volumesRoot).filePath(n8ShareFolder()) + QStringLiteral("旗舰店/产品");
    if (!QDir().mkpath(n8Products)) {
        if (error)
            *error = QStringLiteral("cannot create ") + n8Products;
        return false;
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
    // The demo order as N8 holds it in its share, for the album panel's "N8选版".
    const QString n8Photos = QDir(volumesRoot).filePath(n8ShareFolder()) + QStringLiteral("旗舰店/DEMO-1001/照片/");
    for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0004.jpg"}) {
        const QString path = n8Photos + QLatin1String(name);
        if (!QDir().mkpath(n8Photos) || (!QFile::exists(path) && !writePhoto(path, 300, 200, QLatin1String(name)))) {
            if (error)
                *error = QStringLiteral("cannot write ") + path;
            return false;
        }
    }
    // The room templates that the demo's "homepicpath" names.
    return DemoTemplates::create(QDir(volumesRoot).filePath(QStringLiteral("share/家居模板/")), error);
}

static QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray DemoData::barcodePng(const QString& digits)
{
    // Narrow and wide bars of the digits 0 to 9 (n narrow, w wide), five per digit.
    static const char* const patterns[]
        = {"nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw", "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};
    QString code;
    for (const QChar c : digits)
        if (c.isDigit())
            code += c;
    if (code.size() % 2)
        code.prepend(QLatin1Char('0'));
    // Elements in order: start (4 narrow), digit pairs interleaved (bars of the first, spaces of
    // the second), stop (wide bar, narrow space, narrow bar).
    QList<bool> wide {false, false, false, false};
    for (int i = 0; i + 1 < code.size(); i += 2) {
        const char* bars = patterns[code.at(i).digitValue()];
        const char* spaces = patterns[code.at(i + 1).digitValue()];
        for (int k = 0; k < 5; ++k)
            wide << (bars[k] == 'w') << (spaces[k] == 'w');
    }
    wide << true << false << false;
    const int narrow = 2, height = 60, quiet = 20;
    int width = 2 * quiet;
    for (bool w : wide)
        width += w ? 3 * narrow : narrow;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    int x = quiet;
    for (int i = 0; i < wide.size(); ++i) {
        const int w = wide.at(i) ? 3 * narrow : narrow;
        if (i % 2 == 0)
            p.fillRect(x, 4, w, height - 8, Qt::black);
        x += w;
    }
    p.end();
    return png(image);
}

QByteArray DemoData::payCodePng()
{
    // A square code picture: three position marks and a fixed pattern of modules.
    const int modules = 25, scale = 4, border = 4;
    QImage image((modules + 2 * border) * scale, (modules + 2 * border) * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    auto module
        = [&](int x, int y) { p.fillRect((x + border) * scale, (y + border) * scale, scale, scale, Qt::black); };
    auto finder = [&](int x0, int y0) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                if (x == 0 || y == 0 || x == 6 || y == 6 || (x >= 2 && x <= 4 && y >= 2 && y <= 4))
                    module(x0 + x, y0 + y);
    };
    finder(0, 0);
    finder(modules - 7, 0);
    finder(0, modules - 7);
    quint32 bits = 0x9E3779B9u;
    for (int y = 0; y < modules; ++y)
        for (int x = 0; x < modules; ++x) {
            const bool inFinder = (x < 8 && y < 8) || (x >= modules - 8 && y < 8) || (x < 8 && y >= modules - 8);
            bits = bits * 1664525u + 1013904223u;
            if (!inFinder && (bits >> 31))
                module(x, y);
        }
    p.end();
    return png(image);
}

QString DemoData::payCodePath()
{
    return QStringLiteral("/qr/paycode.png");
}

void DemoData::addImages(StandInServer& server)
{
    server.setFile(QStringLiteral("order.getbarcodegen"), StandInReply::image(barcodePng(QStringLiteral("20261001"))));
    server.setFile(payCodePath(), StandInReply::image(payCodePng()));
}

bool DemoData::createVideos(const QString& volumesRoot, QString* error)
{
    const QString videos = QDir(volumesRoot).filePath(orderShareFolder()) + QStringLiteral("视频/");
    QDir().mkpath(videos);
    for (const QString& name :
        {QStringLiteral("试拍01.mp4"), QStringLiteral("试拍02.mp4"), QStringLiteral("精修01.mp4")})
        if (!QFile::exists(videos + name) && !writeVideo(videos + name, 5, error))
            return false;
    return true;
}
