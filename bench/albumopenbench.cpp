// Times opening an album in the album panel: from the album switch (the 成品 button, so the
// load road with its two queries to an in-process back-end stand-in, then the album shown)
// to the first screen of icons and until every thumbnail job has answered (the progress popup
// closed), for N photos whose three thumbnail levels are already on disk; the same for showing
// the album alone (showWhichType); the longest stall of the GUI thread meanwhile; then a scroll
// from the top to the bottom of the icon view at a steady pace (longest stall, time until each
// screen's icons are shown); a stall profile (which GUI-thread deliveries took the time); and
// the peak memory of the process. A first, cold open makes the thumbnails and is timed too.
// Usage: albumopenbench [N] [folder] [ms per screen]  (N defaults to 2000; an order kept in
// folder is reused with its thumbnails, so that a second run's process never made any; the
// scroll passes one screen per 200 ms by default)
#include "core/config.h"
#include "bench/benchsupport.h"
#include "core/deployment.h"
#include "photostore/imagedata.h"
#include "viewer/progresswindow.h"
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
#include <QMap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const int kRuns = 5;

// A smooth picture: the JPEG stays small, so that 10,000 photos and their thumbnail levels
// fit on a shared disk, while decoding still costs what the pixels cost.
QByteArray cameraJpeg()
{
    QImage image(1800, 1200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(x * 255 / 1800, y * 255 / 1200, (x + y) * 255 / 3000);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

// The photos of an album, all the same picture: the first is written, the others are hard
// links to it (each still gets thumbnail files of its own).
bool writeAlbum(const QString& folder, const QString& stem, int count, const QByteArray& jpeg)
{
    if (!QDir().mkpath(folder))
        return false;
    const QString first = folder + stem.arg(1, 4, 10, QLatin1Char('0'));
    for (int i = 1; i <= count; ++i) {
        QFile f(folder + stem.arg(i, 4, 10, QLatin1Char('0')));
        if (f.exists())
            continue;
        if (i > 1 && ::link(QFile::encodeName(first).constData(), QFile::encodeName(f.fileName()).constData()) == 0)
            continue;
        if (!f.open(QIODevice::WriteOnly) || f.write(jpeg) != jpeg.size())
            return false;
    }
    return true;
}

// The application with a stall profile: while armed, every delivery of an event at the top of
// the GUI thread's stack is timed and filed under its receiver's class and the event's type,
// so that the longest stall can be named (a posted call, a paint, the view's layout timer...).
class ProfiledApp : public QApplication
{
public:
    using QApplication::QApplication;

    struct Step
    {
        int count = 0;
        double totalMs = 0;
        double maxMs = 0;
    };

    void arm()
    {
        steps.clear();
        armed = true;
    }
    void disarm() { armed = false; }
    QMap<QString, Step> steps;

    bool notify(QObject* receiver, QEvent* event) override
    {
        // Workers' events and nested deliveries are not the GUI thread's steps.
        if (!armed || depth > 0 || QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        ++depth;
        // Named before the delivery: the receiver may be deleted by it.
        const QString name = label(receiver, event->type());
        QElapsedTimer t;
        t.start();
        const bool result = QApplication::notify(receiver, event);
        const double ms = t.nsecsElapsed() / 1e6;
        --depth;
        if (ms >= 1.0) {
            Step& step = steps[name];
            ++step.count;
            step.totalMs += ms;
            step.maxMs = std::max(step.maxMs, ms);
        }
        return result;
    }

private:
    static QString label(QObject* receiver, QEvent::Type type)
    {
        QString what;
        switch (type) {
        case QEvent::MetaCall:
            what = QStringLiteral("posted call");
            break;
        case QEvent::Timer:
            what = QStringLiteral("timer");
            break;
        case QEvent::Paint:
            what = QStringLiteral("paint");
            break;
        case QEvent::UpdateRequest:
            what = QStringLiteral("update request");
            break;
        case QEvent::LayoutRequest:
            what = QStringLiteral("layout request");
            break;
        default:
            what = QStringLiteral("event %1").arg(int(type));
        }
        QString owner = QString::fromLatin1(receiver->metaObject()->className());
        if (!receiver->objectName().isEmpty() && receiver->objectName() != QLatin1String("qt_scrollarea_viewport"))
            owner += QLatin1Char(' ') + receiver->objectName();
        // The viewport of a view names its view.
        if (receiver->parent() && receiver->objectName() == QLatin1String("qt_scrollarea_viewport"))
            owner = QString::fromLatin1(receiver->parent()->metaObject()->className()) + QStringLiteral(" viewport");
        return owner + QLatin1Char(' ') + what;
    }

    bool armed = false;
    int depth = 0;
};

void printProfile(QTextStream& out, const ProfiledApp& app, const QString& title)
{
    QList<QPair<QString, ProfiledApp::Step>> rows;
    for (auto it = app.steps.cbegin(); it != app.steps.cend(); ++it)
        rows.append({it.key(), it.value()});
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second.maxMs > b.second.maxMs; });
    out << QStringLiteral("stall profile, %1 (deliveries of 1 ms or more; longest first):\n").arg(title);
    out << QStringLiteral("  %1 %2 %3 %4\n").arg("", -40).arg("count", 7).arg("total ms", 10).arg("max ms", 8);
    for (int i = 0; i < rows.size() && i < 6; ++i)
        out << QStringLiteral("  %1 %2 %3 %4\n")
                   .arg(rows.at(i).first, -40)
                   .arg(rows.at(i).second.count, 7)
                   .arg(rows.at(i).second.totalMs, 10, 'f', 1)
                   .arg(rows.at(i).second.maxMs, 8, 'f', 1);
}

// Watches the icon view: when the first `screen` icons last became complete, and when every
// thumbnail job had answered (the popup closed and the pool idle with the album in the view).
class Watch : public QObject
{
public:
    Watch(QListWidget* iconView, int onScreen)
        : icons(iconView)
        , screen(onScreen)
    {
        QAbstractItemModel* model = icons->model();
        connect(model, &QAbstractItemModel::modelReset, this, [this] { check(); });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { check(); });
        connect(model, &QAbstractItemModel::rowsInserted, this, [this] { check(); });
        connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& top) {
            if (top.row() < this->screen)
                check();
        });
    }

    void start(int expected)
    {
        count = expected;
        firstScreen = jobs = -1;
        screenDone = false;
        clock.start();
        check();
    }
    // Polled: the jobs are done once the popup is gone and no job runs.
    bool finished()
    {
        if (jobs < 0 && screenDone && !ProgressWindowOpen() && QThreadPool::globalInstance()->activeThreadCount() == 0)
            jobs = clock.elapsed();
        return jobs >= 0;
    }
    void stop() { clock.stop(); }

    double firstScreenMs() const { return firstScreen / 1e6; }
    double jobsMs() const { return jobs / 1e6; }
    double stallMs() const { return clock.stallMs(); }

private:
    static bool ProgressWindowOpen()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<ProgressWindow*>(w) && w->isVisible())
                return true;
        return false;
    }
    void check()
    {
        bool screenNow = icons->count() == count;
        for (int row = 0; screenNow && row < std::min(screen, count); ++row)
            screenNow = !icons->item(row)->icon().isNull();
        // A rebuilt view empties the screen again: the time counts from its last filling.
        if (screenNow && !screenDone)
            firstScreen = clock.elapsed();
        screenDone = screenNow;
    }

    QListWidget* icons;
    int screen;
    int count = 0;
    Bench::StallProbe clock;
    qint64 firstScreen = -1;
    qint64 jobs = -1;
    bool screenDone = false;
};

// The rows of the icon view that intersect its viewport, searched from a row at or above them.
QPair<int, int> visibleRows(QListWidget* icons, int from)
{
    const QRect viewport = icons->viewport()->rect();
    int first = std::max(0, from);
    while (first < icons->count() && !icons->visualItemRect(icons->item(first)).intersects(viewport)
        && icons->visualItemRect(icons->item(first)).bottom() < viewport.top())
        ++first;
    int last = first;
    while (last + 1 < icons->count() && icons->visualItemRect(icons->item(last + 1)).intersects(viewport))
        ++last;
    return {first, last};
}

struct ScrollResult
{
    double stallMs = 0;
    QVector<double> screenMs; // per screen; -1 when its icons never came
    int screens = 0;
};

// Scrolls the icon view from top to bottom, one screen per msPerScreen in steps of a frame,
// and notes for each screen passed the time from reaching it until all its icons were shown.
ScrollResult scrollThrough(QListWidget* icons, int msPerScreen)
{
    QScrollBar* bar = icons->verticalScrollBar();
    bar->setValue(0);
    Bench::runUntil([] { return false; }, 300);
    const int frame = 16;
    const int page = icons->viewport()->height();
    const double perFrame = double(page) * frame / msPerScreen;

    struct Screen
    {
        qint64 reached;
        int first, last;
        double ms = -1;
    };
    QVector<Screen> screens;
    Bench::StallProbe clock;
    clock.start();
    double position = 0;
    int nextScreenAt = 0;
    int from = 0;
    auto note = [&] {
        const QPair<int, int> rows = visibleRows(icons, from);
        from = rows.first;
        screens.append({clock.elapsed(), rows.first, rows.second});
    };
    auto settleScreens = [&] {
        for (Screen& s : screens) {
            if (s.ms >= 0)
                continue;
            bool shown = true;
            for (int row = s.first; shown && row <= s.last; ++row)
                shown = !icons->item(row)->icon().isNull();
            if (shown)
                s.ms = (clock.elapsed() - s.reached) / 1e6;
        }
    };
    note();
    QElapsedTimer pace;
    pace.start();
    while (bar->value() < bar->maximum()) {
        // The scroll position follows the clock, so a stall shows as a jump, as with a hand.
        position = pace.elapsed() * perFrame / frame;
        bar->setValue(int(position));
        if (bar->value() >= nextScreenAt) {
            nextScreenAt = bar->value() + page;
            note();
        }
        const qint64 until = pace.elapsed() + frame;
        while (pace.elapsed() < until) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
            settleScreens();
        }
    }
    // The last screen gets its chance to fill.
    Bench::runUntil(
        [&] {
            settleScreens();
            return std::all_of(screens.cbegin(), screens.cend(), [](const Screen& s) { return s.ms >= 0; });
        },
        2000);
    clock.stop();
    ScrollResult result;
    result.stallMs = clock.stallMs();
    result.screens = screens.size();
    for (const Screen& s : screens)
        result.screenMs.append(s.ms);
    return result;
}

double percentile(QVector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.at(std::min(values.size() - 1, int(values.size() * p)));
}

double peakMiB()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    Bench::prepareProcess();
    ProfiledApp app(argc, argv);
    QTextStream out(stdout);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;
    const int msPerScreen = argc > 3 ? std::max(16, QString::fromLocal8Bit(argv[3]).toInt()) : 200;

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
    Bench::printPrompts(out);

    out << QStringLiteral("album panel, %1 photos of 1800 x 1200 in 成品, %2 pool threads, platform %3\n")
               .arg(n)
               .arg(QThreadPool::globalInstance()->maxThreadCount())
               .arg(QGuiApplication::platformName());

    QElapsedTimer coldClock;
    coldClock.start();
    PhotoOperation panel;
    panel.resize(430, 1000);
    panel.show();
    panel.clickSwitchView();
    QListWidget* icons = panel.findChild<QListWidget*>();
    Watch opening(icons, 1);
    opening.start(n);
    if (!Bench::runUntil([&] { return opening.finished(); }, 900000)) {
        out << "the album did not open\n";
        return 1;
    }
    const double cold = coldClock.nsecsElapsed() / 1e6;
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();

    // The first screen: the icons that the view shows at the top of the album.
    const QRect viewport = icons->viewport()->rect();
    const int screen = visibleRows(icons, 0).second + 1;
    out << QStringLiteral("first screen: %1 icons in a view of %2 x %3\n")
               .arg(screen)
               .arg(viewport.width())
               .arg(viewport.height());
    out << QStringLiteral("first open (thumbnails made unless kept): every job answered after %1 ms\n")
               .arg(cold, 0, 'f', 0);

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
            all->append(watch.jobsMs());
            stall->append(watch.stallMs());
        }
    };

    QVector<double> roadFirst, roadAll, roadStall, showFirst, showAll, showStall;
    app.arm();
    measure([&] { panel.clickDeletePhoto(); }, [&] { panel.clickFinePhoto(); }, &roadFirst, &roadAll, &roadStall);
    measure([&] { panel.showWhichType(2); }, [&] { panel.showWhichType(1); }, &showFirst, &showAll, &showStall);
    app.disarm();

    out << QStringLiteral("thumbnails on disk, median of %1 runs, ms:\n").arg(kRuns);
    out << QStringLiteral("  %1 %2 %3 %4\n")
               .arg("", -34)
               .arg("first screen", 13)
               .arg("jobs done", 10)
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
    printProfile(out, app, QStringLiteral("the ten switches"));
    out << QStringLiteral("peak memory after the switches (max RSS): %1 MiB\n").arg(peakMiB(), 0, 'f', 1);

    app.arm();
    const ScrollResult scroll = scrollThrough(icons, msPerScreen);
    app.disarm();
    QVector<double> reached;
    int missed = 0;
    for (double ms : scroll.screenMs) {
        if (ms < 0)
            ++missed;
        else
            reached.append(ms);
    }
    out << QStringLiteral("scroll top to bottom, one screen per %1 ms, %2 screens:\n")
               .arg(msPerScreen)
               .arg(scroll.screens);
    out << QStringLiteral("  longest GUI stall %1 ms; icons of a screen shown after: median %2 ms, 95th %3 ms, max %4 "
                          "ms; never shown: %5\n")
               .arg(scroll.stallMs, 0, 'f', 1)
               .arg(reached.isEmpty() ? -1 : Bench::median(reached), 0, 'f', 1)
               .arg(reached.isEmpty() ? -1 : percentile(reached, 0.95), 0, 'f', 1)
               .arg(reached.isEmpty() ? -1 : *std::max_element(reached.cbegin(), reached.cend()), 0, 'f', 1)
               .arg(missed);
    printProfile(out, app, QStringLiteral("the scroll"));

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

    out << QStringLiteral("peak memory (max RSS): %1 MiB\n").arg(peakMiB(), 0, 'f', 1);
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                out << QStringLiteral("memory now (RSS): %1 MiB\n")
                           .arg(line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0, 0, 'f', 1);
    return 0;
}
