// Times stepping through an album of 24 MP photos in the large-photo pane and in the
// full-screen view, as the operator does with the customer watching: one step every 500 ms,
// 100 steps, in display mode 0 (thumbnail, then the full-size photo) and mode 1 (the full-size
// photo only). For each view and mode: the time from the step to the first paint of the
// full-size picture (median, p95 and worst), the longest stall of the GUI thread while stepping
// (gaps between ticks of a 2 ms timer), and the peak memory of the process while stepping
// (VmHWM, reset before each mode). The full-screen view is 1920 x 1080.
// Usage: photostepbench [folder]  (the album is generated once into folder, by default
// ~/.cache/photostepbench, and reused by later runs; generating is not timed)

#include "bench/benchsupport.h"
#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "standin/standinserver.h"
#include "viewer/animimageview.h"
#include "viewer/fullscreenview.h"
#include "viewer/imageediter.h"
#include "viewer/photoview.h"
#include "viewer/pictureloader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

const int kPhotos = 50;
const int kSteps = 100;
const int kPaceMs = 500;
const int kWidth = 6000;
const int kHeight = 4000;

// A picture with the detail of a photo (gradients and fine texture), different per index,
// so that the decoder does the work a camera file asks of it.
QImage cameraPicture(int index)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    quint32 noise = 2166136261u ^ quint32(index);
    for (int y = 0; y < kHeight; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = int(noise >> 28);
            line[x]
                = qRgb((x / 24 + index * 13 + n) & 0xFF, (y / 16 + n) & 0xFF, ((x + y) / 40 + index * 7 + n) & 0xFF);
        }
    }
    return image;
}

QString photoName(int i)
{
    return QStringLiteral("IMG_%1.JPG").arg(i, 4, 10, QLatin1Char('0'));
}

// Writes what is missing of the album and its thumbnail levels. False when it cannot.
bool generateAlbum(QTextStream& out)
{
    for (const QString& folder :
        {DirServer::getFineImagePath(), DirServer::getFineImageSmallThumbPath(), DirServer::getFineImageThumbPath100(),
            DirServer::getFineImageMidThumbPath(), DirServer::getOriginalImagePath(), DirServer::getDeletedImagePath(),
            DirServer::getDesignImagePath(), DirServer::getDesignDeletedImagePath()})
        if (!QDir().mkpath(folder))
            return false;
    QList<int> missing;
    for (int i = 1; i <= kPhotos; ++i) {
        Image image;
        image.SetPhotoType(PHOTO_FINE);
        image.Setpath(photoName(i));
        if (!QFileInfo::exists(image.GetBigImagePath()) || !QFileInfo::exists(image.GetImagePath())
            || !QFileInfo::exists(image.GetMiddleImagePath()) || !QFileInfo::exists(image.GetThumbPath100()))
            missing << i;
    }
    if (missing.isEmpty())
        return true;
    out << QStringLiteral("generating %1 photos of %2 x %3 (once)...\n").arg(missing.size()).arg(kWidth).arg(kHeight);
    out.flush();
    QList<ImageOperation::PhotoFiles> files;
    for (int i : missing) {
        Image image;
        image.SetPhotoType(PHOTO_FINE);
        image.Setpath(photoName(i));
        files << ImageOperation::PhotoFiles::of(image);
    }
    QAtomicInt failed = 0;
    QList<int> indexes = missing;
    QtConcurrent::blockingMap(indexes, [&](int& i) {
        const ImageOperation::PhotoFiles& photo = files.at(missing.indexOf(i));
        if (!ImageOperation::saveImage(cameraPicture(i), photo.full, "JPG", 92)
            || ImageOperation::listIcon(photo, 100).isNull())
            failed.fetchAndAddRelaxed(1);
    });
    return failed.loadRelaxed() == 0;
}

double percentile(QVector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const int i = std::min(int(values.size() * p), values.size() - 1);
    return values.at(i);
}

// Notes the first paint of a picture widget once its view holds the full-size picture.
class FinalPaint : public QObject
{
public:
    FinalPaint(QWidget* widget, std::function<bool()> fullSize)
        : isFullSize(std::move(fullSize))
    {
        widget->installEventFilter(this);
    }
    void expect() { isPainted = false; }
    bool painted() const { return isPainted; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && isFullSize())
            isPainted = true;
        return false;
    }

private:
    std::function<bool()> isFullSize;
    bool isPainted = false;
};

// Median time of a read of the pane's picture: the whole file then fitted, or decoded only
// as large as box needs then fitted.
double readMs(const QString& path, QSize box, bool whole)
{
    QVector<double> runs;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        const QImage image = whole ? ImageOperation::loadImage(path) : ImageOperation::loadImageFitting(path, box);
        const QImage fitted = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        Q_UNUSED(fitted);
        runs << clock.nsecsElapsed() / 1e6;
    }
    return Bench::median(runs);
}

const char* stageName(PictureLoader::Stage stage)
{
    switch (stage) {
    case PictureLoader::Stage::Kept:
        return "kept";
    case PictureLoader::Stage::Decoding:
        return "decoding";
    case PictureLoader::Stage::Queued:
        return "queued";
    case PictureLoader::Stage::Absent:
        break;
    }
    return "not asked for";
}

// One view under the benchmark: how it steps, shows the current photo and reads ahead.
struct SteppedView
{
    QString title;
    FinalPaint* final;
    std::function<void()> show;
    std::function<void()> step;
    // Where the picture of a path stands in the view's read-ahead.
    std::function<const char*(const QString&)> stage;
};

void runSteps(QTextStream& out, const SteppedView& view, Bench::StallProbe& stalls)
{
    ImageData* images = ImageData::getInstance();
    out << view.title << "\n";
    out << QStringLiteral("  %1 %2 %3 %4 %5 %6\n")
               .arg("display mode", -28)
               .arg("median ms", 10)
               .arg("p95 ms", 8)
               .arg("worst ms", 9)
               .arg("GUI stall ms", 13)
               .arg("peak MiB", 9);
    for (int mode : {0, 1}) {
        Config::show_mode = mode;
        images->setIterator(0, SELE_ALL);
        view.final->expect();
        view.show();
        Bench::runUntil([&] { return view.final->painted(); }, 10000);
        // Settle: what the first photo started (loads ahead, if any) ends before the clock runs.
        QElapsedTimer settle;
        settle.start();
        Bench::runUntil([&] { return settle.elapsed() > 1500; }, 2000);

        Bench::resetPeakMemory();
        QVector<double> latency;
        QMap<QString, int> stages;
        QStringList slow;
        int missed = 0;
        stalls.start();
        for (int step = 0; step < kSteps; ++step) {
            QElapsedTimer clock;
            clock.start();
            view.final->expect();
            // Where the next photo's picture stands when the operator steps to it.
            const QList<Image>& list = images->getImagelist(SELE_ALL);
            const QString next = list.at((images->getCurrentIndex() + 1) % list.size()).GetBigImagePath();
            const char* stage = view.stage(next);
            ++stages[QLatin1String(stage)];
            view.step();
            if (!Bench::runUntil([&] { return view.final->painted(); }, 10000))
                ++missed;
            latency << clock.nsecsElapsed() / 1e6;
            if (latency.last() > 50)
                slow << QStringLiteral("%1 (%2, %3 ms)")
                            .arg(step + 1)
                            .arg(QLatin1String(stage))
                            .arg(latency.last(), 0, 'f', 0);
            Bench::runUntil([&] { return clock.elapsed() >= kPaceMs; }, kPaceMs + 10);
        }
        const double stall = stalls.stop();
        const double peak = Bench::memoryMiB("VmHWM:");
        out << QStringLiteral("  %1 %2 %3 %4 %5 %6\n")
                   .arg(mode == 0 ? QStringLiteral("0 thumbnail, then full size") : QStringLiteral("1 full size only"),
                       -28)
                   .arg(Bench::median(latency), 10, 'f', 1)
                   .arg(percentile(latency, 0.95), 8, 'f', 1)
                   .arg(*std::max_element(latency.constBegin(), latency.constEnd()), 9, 'f', 1)
                   .arg(stall, 13, 'f', 1)
                   .arg(peak, 9, 'f', 0);
        QStringList counts;
        for (auto it = stages.constBegin(); it != stages.constEnd(); ++it)
            counts << QStringLiteral("%1 %2").arg(it.value()).arg(it.key());
        out << QStringLiteral("    the next picture at the step: %1\n").arg(counts.join(QStringLiteral(", ")));
        if (!slow.isEmpty())
            out << QStringLiteral("    steps over 50 ms: %1\n").arg(slow.join(QStringLiteral(", ")));
        if (missed)
            out << QStringLiteral("  (%1 steps never showed the full-size picture)\n").arg(missed);
        out.flush();
    }
}

} // namespace

int main(int argc, char** argv)
{
    Bench::prepareProcess();
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.cache/photostepbench");
    const QString order = QDir(folder).absolutePath() + QStringLiteral("/order/");
    DirServer::setOrderPath(order);
    if (!generateAlbum(out)) {
        out << "cannot write the album in " << order << "\n";
        return 1;
    }

    // The pane's tools ask the back end for their lists: the stand-in answers.
    QTemporaryDir temporary;
    StandInServer server;
    const QString failed
        = temporary.isValid() ? Bench::startStandIn(server, temporary.path()) : QStringLiteral("no temporary folder");
    if (!failed.isEmpty()) {
        out << failed << "\n";
        return 1;
    }
    Bench::printPrompts(out);

    ImageData* images = ImageData::getInstance();
    images->importImage(PHOTO_FINE);
    images->setType(PHOTO_FINE, SELE_ALL);
    if (images->getImagelist(SELE_ALL).size() != kPhotos) {
        out << "the album holds " << images->getImagelist(SELE_ALL).size() << " photos, not " << kPhotos << "\n";
        return 1;
    }
    out << QStringLiteral("%1 photos of %2 x %3, one step every %4 ms, %5 steps, %6 pool threads\n")
               .arg(kPhotos)
               .arg(kWidth)
               .arg(kHeight)
               .arg(kPaceMs)
               .arg(kSteps)
               .arg(QThreadPool::globalInstance()->maxThreadCount());

    Bench::StallProbe stalls;
    {
        PhotoView view;
        view.resize(1280, 860);
        view.show();
        FinalPaint final(view.imageEditer(), [&view] { return view.isFullSizeLoaded(); });
        Bench::runUntil([] { return false; }, 200);
        {
            Image first = images->getImagelist(SELE_ALL).first();
            const QSize box = view.imageEditer()->size();
            out << QStringLiteral(
                "  one read of a photo for the %1 x %2 pane: whole file %3 ms, decoded for the pane %4 ms\n")
                       .arg(box.width())
                       .arg(box.height())
                       .arg(readMs(first.GetBigImagePath(), box, true), 0, 'f', 1)
                       .arg(readMs(first.GetBigImagePath(), box, false), 0, 'f', 1);
        }
        runSteps(out,
            {QStringLiteral("large-photo pane"), &final, [&view] { view.showImage(); },
                [&view] { view.on_BottomButton_Next_clicked(); },
                [&view](const QString& path) { return stageName(view.pictureLoader()->stage(path)); }},
            stalls);
    }
    QThreadPool::globalInstance()->waitForDone();
    {
        // The album wraps, as the slide show does with repeat on.
        Config::fullscreenshow_repeat = true;
        images->setIterator(0, SELE_ALL);
        FullScreenView view;
        view.resize(1920, 1080);
        view.show();
        AnimImageView* picture = view.findChild<AnimImageView*>(QStringLiteral("m_imagelabel"));
        FinalPaint final(picture, [&view] { return view.isFullSizeLoaded(); });
        Bench::runUntil([] { return false; }, 200);
        runSteps(out,
            {QStringLiteral("full-screen view, %1 x %2").arg(picture->width()).arg(picture->height()), &final,
                [&view] { view.showPhoto(); }, [&view] { view.showNext(); },
                [&view](const QString& path) { return stageName(view.pictureLoader()->stage(path)); }},
            stalls);
        view.close();
    }
    QThreadPool::globalInstance()->waitForDone();
    return 0;
}
