// Times the thumbnail work of opening an order: the three levels (2250, 1000, 200) of every
// photo of N generated 6000 x 4000 camera-sized JPEGs, made with ImageOperation::getThumb on
// one thread and as ThumbnailThread jobs on the global pool, in photos per second. When
// vipsthumbnail is installed, it makes one 2250-pixel thumbnail per photo of the same files
// with its default threading, for comparison.
// Usage: thumbbench [N] [folder]  (N defaults to 24; photos kept in folder are reused)

#include "photostore/dirserver.h"
#include "photostore/image.h"
#include "photostore/imageoperation.h"
#include "photostore/thumbnailthread.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>
#include <QWidget>
#include <QtConcurrent>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const int kWidth = 6000;
const int kHeight = 4000;
const int kRuns = 2;

// A photo-like picture: soft colour fields and shapes under sensor noise, so that the
// JPEG is about as large and as slow to decode as a camera's.
bool writeCameraPhoto(const QString& path, int seed)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    quint32 state = 2654435761u * quint32(seed + 1);
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    const double fx = 0.0007 + (seed % 5) * 0.0002;
    const double fy = 0.0011 + (seed % 3) * 0.0003;
    for (int y = 0; y < kHeight; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const double base = 0.5 + 0.25 * std::sin(x * fx + seed) + 0.2 * std::cos(y * fy + x * 0.0003);
            const quint32 r = next();
            // Roughly Gaussian noise of a few levels, as in a real sensor.
            const int noise = int((r & 0xF) + ((r >> 4) & 0xF) + ((r >> 8) & 0x7)) - 18;
            auto channel
                = [&](double scale, int shift) { return std::clamp(int(base * scale) + noise + shift, 0, 255); };
            line[x] = qRgb(channel(230, 10), channel(200, 0), channel(170, -10));
        }
    }
    return image.save(path, "JPG", 90);
}

class Receiver : public QWidget
{
    Q_OBJECT
public:
    int received = 0;
public slots:
    void updateThumbIcon(int, QPixmap, int) { ++received; }
};

void clearThumbnails()
{
    for (const QString& folder : {DirServer::getFineImageSmallThumbPath(), DirServer::getFineImageThumbPath100(),
             DirServer::getFineImageMidThumbPath()}) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
    }
}

// Best of kRuns wall-clock runs in seconds, thumbnails removed before each.
double best(const std::function<void()>& work, const std::function<void()>& prepare)
{
    double result = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        result = std::min(result, timer.nsecsElapsed() / 1e9);
    }
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const int n = args.size() > 1 ? std::max(1, args.at(1).toInt()) : 24;
    QTemporaryDir temp;
    const QString root = (args.size() > 2 ? QDir(args.at(2)).absolutePath() : temp.path()) + QLatin1Char('/');
    DirServer::setOrderPath(root);
    QDir().mkpath(DirServer::getFineImagePath());

    QList<Image> photos;
    QStringList files;
    for (int i = 0; i < n; ++i) {
        Image image;
        image.SetPhotoType(PHOTO_FINE);
        image.Setpath(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        photos << image;
        files << image.GetBigImagePath();
    }
    out << "Generating " << n << " photos of " << kWidth << " x " << kHeight << " ..." << Qt::endl;
    QtConcurrent::blockingMap(files, std::function<void(const QString&)>([&files](const QString& path) {
        if (QImageReader(path).size() != QSize(kWidth, kHeight))
            writeCameraPhoto(path, int(files.indexOf(path)));
    }));
    qint64 bytes = 0;
    for (const QString& file : files) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        bytes += f.readAll().size(); // also warms the file cache
    }
    out << "Average file size: " << QString::number(bytes / double(n) / 1e6, 'f', 1) << " MB" << Qt::endl;

    const double single = best(
        [&] {
            for (const Image& photo : qAsConst(photos))
                ImageOperation::getThumb(photo, 100);
        },
        clearThumbnails);

    QThreadPool* pool = QThreadPool::globalInstance();
    const double pooled = best(
        [&] {
            Receiver receiver;
            for (int i = 0; i < n; ++i)
                pool->start(new ThumbnailThread(photos.at(i), i, &receiver), 0);
            while (receiver.received < n)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        },
        clearThumbnails);

    const Image& last = photos.last();
    out << "Levels written: " << QImageReader(last.GetMiddleImagePath()).size().width() << ", "
        << QImageReader(last.GetImagePath()).size().width() << ", "
        << QImageReader(last.GetThumbPath100()).size().width() << " px wide" << Qt::endl;
    out << "getThumb, one thread:         " << QString::number(n / single, 'f', 2) << " photos/s" << Qt::endl;
    out << "ThumbnailThread, pool of " << pool->maxThreadCount() << ":    " << QString::number(n / pooled, 'f', 2)
        << " photos/s" << Qt::endl;

    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (vips.isEmpty()) {
        out << "vipsthumbnail not installed (apt-get install libvips-tools) : no comparison" << Qt::endl;
        return 0;
    }
    const QString vipsOut = root + QStringLiteral("vips/");
    bool ok = true;
    const double viaVips = best(
        [&] {
            QProcess process;
            process.start(vips,
                QStringList {QStringLiteral("-s"), QStringLiteral("2250"), QStringLiteral("-o"),
                    vipsOut + QStringLiteral("%s.jpg")}
                    + files);
            ok = process.waitForFinished(-1) && process.exitCode() == 0 && ok;
        },
        [&] {
            QDir(vipsOut).removeRecursively();
            QDir().mkpath(vipsOut);
        });
    out << "vipsthumbnail -s 2250:        " << QString::number(n / viaVips, 'f', 2) << " photos/s"
        << (ok ? "" : " (vipsthumbnail failed)") << Qt::endl;
    return 0;
}

#include "thumbbench.moc"
