// Times opening an album in the album panel: from the album switch (the 成品 button, so the
// load road with its two queries to an in-process back-end stand-in, then the album shown)
// to the first screen of icons and to all icons, for N photos whose three thumbnail levels
// are already on disk; the same for showing the album alone (showWhichType); the longest
// stall of the GUI thread meanwhile; and the peak memory of the process afterwards. A first,
// cold open makes the thumbnails and is timed too.
// Usage: albumopenbench [N] [folder]  (N defaults to 2000; an order kept in folder is reused
// with its thumbnails, so that a second run's process never made any)

#include "core/config.h"
#include "bench/benchsupport.h"
#include "core/deployment.h"
#include "core/prompt.h"
#include "photostore/imagedata.h"
#include "standin/demodata.h"
#include "standin/standinserver.h"
#include "workspace/photooperation.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <sys/resource.h>

namespace {

const int kRuns = 5;

QByteArray cameraJpeg()
{
    QImage image(1800, 1200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 0xFF, (y * 3) & 0xFF, ((x ^ y) * 5) & 0xFF);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

bool writeAlbum(const QString& folder, const QString& stem, int count, const QByteArray& jpeg)
{
    if (!QDir().mkpath(folder))
        return false;
    for (int i = 1; i <= count; ++i) {
        QFile f(folder + stem.arg(i, 4, 10, QLatin1Char('0')));
        if (f.exists())
            continue;
        if (!f.open(QIODevice::WriteOnly) || f.write(jpeg) != jpeg.size())
            return false;
    }
    return true;
}

// Watches the icon view: when the first `screen` icons, and when all icons, last became
// complete; and the longest gap between ticks of a 2 ms timer on the GUI thread. Keeps a
// flag per item, so that watching costs little beside the work it watches.
class Watch : public QObject
{
public:
    Watch(QListWidget* icons, int screen)
        : icons(icons)
        , screen(screen)
    {
        QAbstractItemModel* model = icons->model();
        connect(model, &QAbstractItemModel::modelReset, this, [this] { rebuild(); });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { rebuild(); });
        connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
            have.insert(first, last - first + 1, false);
            check();
        });
        connect(
            model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& top, const QModelIndex& bottom) {
                for (int row = top.row(); row <= bottom.row() && row < have.size(); ++row)
                    set(row, !this->icons->item(row)->icon().isNull());
                check();
            });
        tick.setInterval(2);
        connect(&tick, &QTimer::timeout, this, [this] {
            const qint64 now = clock.nsecsElapsed();
            stall = std::max(stall, now - lastTick);
            lastTick = now;
        });
    }

    void start(int expected)
    {
        count = expected;
        firstScreen = all = -1;
        screenDone = allDone = false;
        stall = 0;
        rebuild();
        clock.start();
        lastTick = 0;
        tick.start();
    }
    bool finished() const { return allDone; }
    void stop() { tick.stop(); }

    double firstScreenMs() const { return firstScreen / 1e6; }
    double allMs() const { return all / 1e6; }
    double stallMs() const { return stall / 1e6; }

private:
    void set(int row, bool on)
    {
        if (have.at(row) != on)
            done += on ? 1 : -1;
        have[row] = on;
    }
    void rebuild()
    {
        have.fill(false, icons->count());
        done = 0;
        for (int row = 0; row < have.size(); ++row)
            set(row, !icons->item(row)->icon().isNull());
        check();
    }
    bool complete(int n) const
    {
        if (have.size() != count)
            return false;
        return std::all_of(have.constBegin(), have.constBegin() + n, [](bool b) { return b; });
    }
    void check()
    {
        // A rebuilt view empties the screen again: the time counts from its last filling.
        const bool screenNow = complete(std::min(screen, count));
        if (screenNow && !screenDone)
            firstScreen = clock.nsecsElapsed();
        screenDone = screenNow;
        if (!allDone && screenNow && done == count) {
            all = clock.nsecsElapsed();
            allDone = true;
        }
    }

    QListWidget* icons;
    int screen;
    int count = 0;
    QVector<bool> have;
    int done = 0;
    QElapsedTimer clock;
    QTimer tick;
    qint64 lastTick = 0;
    qint64 firstScreen = -1;
    qint64 all = -1;
    qint64 stall = 0;
    bool screenDone = false;
    bool allDone = false;
};

} // namespace

int main(int argc, char** argv)
{
    Bench::prepareProcess();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;

    QTemporaryDir temporary;
    const QString kept = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir dir(kept.isEmpty() ? temporary.path() : kept);
    if (!dir.mkpath(QStringLiteral(".")) || !temporary.isValid()) {
        out << "no folder for the order\n";
        return 1;
    }
    Config::volumesRoot = dir.absolutePath() + QLatin1Char('/');
    const QString order = Config::volumesRoot + DemoData::orderShareFolder();
    const QByteArray jpeg = cameraJpeg();
    for (const char* album : {"照片", "设计", "设计汰片"})
        QDir().mkpath(order + QString::fromUtf8(album));
    if (!writeAlbum(order + QStringLiteral("成品/"), QStringLiteral("IMG_%1.JPG"), n, jpeg)
        || !writeAlbum(order + QStringLiteral("汰片/"), QStringLiteral("DEL_%1.JPG"), 20, jpeg)) {
        out << "cannot write the order folder in " << dir.absolutePath() << "\n";
        return 1;
    }

    StandInServer server;
    const QString failed = Bench::startStandIn(server, temporary.path());
    if (!failed.isEmpty()) {
        out << failed << "\n";
        return 1;
    }
    Prompt::setHandler([&out](const PromptCall& call) {
        out << "box: " << call.title << " " << call.text << "\n";
        return QVariant();
    });

    out << QStringLiteral("album panel, %1 photos of 1800 x 1200 in 成品, %2 pool threads\n")
               .arg(n)
               .arg(QThreadPool::globalInstance()->maxThreadCount());

    QElapsedTimer coldClock;
    coldClock.start();
    PhotoOperation panel;
    panel.resize(430, 1000);
    panel.show();
    panel.clickSwitchView();
    QListWidget* icons = panel.findChild<QListWidget*>();
    auto allIcons = [&] {
        if (icons->count() != n)
            return false;
        for (int i = 0; i < n; ++i)
            if (icons->item(i)->icon().isNull())
                return false;
        return true;
    };
    if (!Bench::runUntil(allIcons, 600000)) {
        out << "the album did not open\n";
        return 1;
    }
    const double cold = coldClock.nsecsElapsed() / 1e6;
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();

    // The first screen: the icons that the view shows at the top of the album.
    int screen = 0;
    const QRect viewport = icons->viewport()->rect();
    for (int i = 0; i < icons->count(); ++i)
        if (icons->visualItemRect(icons->item(i)).intersects(viewport))
            screen = i + 1;
    out << QStringLiteral("first screen: %1 icons in a view of %2 x %3\n")
               .arg(screen)
               .arg(viewport.width())
               .arg(viewport.height());
    out << QStringLiteral("first open (thumbnails made unless kept): all icons after %1 ms\n").arg(cold, 0, 'f', 0);

    Watch watch(icons, std::max(screen, 1));
    auto measure = [&](const std::function<void()>& leave, const std::function<void()>& enter, QVector<double>* first,
                       QVector<double>* all, QVector<double>* stall) {
        for (int run = 0; run < kRuns; ++run) {
            leave();
            Bench::runUntil(
                [&] { return icons->count() == 20 && QThreadPool::globalInstance()->activeThreadCount() == 0; }, 60000);
            QCoreApplication::processEvents();
            watch.start(n);
            enter();
            Bench::runUntil([&] { return watch.finished(); }, 120000);
            watch.stop();
            first->append(watch.firstScreenMs());
            all->append(watch.allMs());
            stall->append(watch.stallMs());
        }
    };

    QVector<double> roadFirst, roadAll, roadStall, showFirst, showAll, showStall;
    measure([&] { panel.clickDeletePhoto(); }, [&] { panel.clickFinePhoto(); }, &roadFirst, &roadAll, &roadStall);
    measure([&] { panel.showWhichType(2); }, [&] { panel.showWhichType(1); }, &showFirst, &showAll, &showStall);

    out << QStringLiteral("thumbnails on disk, median of %1 runs, ms:\n").arg(kRuns);
    out << QStringLiteral("  %1 %2 %3 %4\n")
               .arg("", -34)
               .arg("first screen", 13)
               .arg("all icons", 10)
               .arg("GUI stall", 10);
    auto row = [&](const char* label, const QVector<double>& f, const QVector<double>& a, const QVector<double>& s) {
        out << QStringLiteral("  %1 %2 %3 %4\n")
                   .arg(QString::fromUtf8(label), -34)
                   .arg(Bench::median(f), 13, 'f', 1)
                   .arg(Bench::median(a), 10, 'f', 1)
                   .arg(Bench::median(s), 10, 'f', 1);
    };
    row("成品 button (load road, shown twice)", roadFirst, roadAll, roadStall);
    row("showWhichType(1) alone", showFirst, showAll, showStall);

    // The GUI thread's share of showing the album, step by step.
    auto timed = [](const std::function<void()>& work) {
        QVector<double> ms;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer t;
            t.start();
            work();
            ms.append(t.nsecsElapsed() / 1e6);
            QThreadPool::globalInstance()->waitForDone();
            QCoreApplication::processEvents();
        }
        return Bench::median(ms);
    };
    out << QStringLiteral("GUI thread per step, median of %1 runs, ms:\n").arg(kRuns);
    out << QStringLiteral("  %1 %2\n")
               .arg("import of the five albums", -34)
               .arg(timed([] { ImageData::getInstance()->importImage(PHOTO_FINE); }), 8, 'f', 1);
    out << QStringLiteral("  %1 %2\n")
               .arg("table filled (refreshWholeTable)", -34)
               .arg(timed([&] { panel.refreshWholeTable(); }), 8, 'f', 1);
    out << QStringLiteral("  %1 %2\n")
               .arg("icons and jobs (refreshThumb)", -34)
               .arg(timed([&] { panel.refreshThumb(true); }), 8, 'f', 1);

    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    out << QStringLiteral("peak memory (max RSS): %1 MiB\n").arg(usage.ru_maxrss / 1024.0, 0, 'f', 1);
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                out << QStringLiteral("memory now (RSS): %1 MiB\n")
                           .arg(line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0, 0, 'f', 1);
    return 0;
}
