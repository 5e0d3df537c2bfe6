// Times the album store on a generated order folder: the import of all five albums under
// each order of 汰片 and of the order modes, the product-count order, and a walk of the
// cursor over a whole album, and moving 500 selected photos from 成品 to 汰片 and back, in
// the store alone and through the album panel. Usage: photostore_bench [N ...] (default 2000
// 10000). Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "core/config.h"
#include "core/prompt.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"

#include "workspace/photooperation.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QImage>
#include <QListWidget>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>

#include <algorithm>
#include <functional>

namespace {
const int kRuns = 7;
// Each panel run shows the album again with all its thumbnail jobs: fewer runs.
const int kPanelRuns = 3;

QByteArray smallJpeg()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 80);
    return bytes;
}

// Camera names with their usual upper-case extension, and every fiftieth name odd:
// Chinese, spaces, extra dots, lower or mixed case.
QString photoName(int i)
{
    switch (i % 50) {
    case 7:
        return QStringLiteral("婚纱 %1.jpg").arg(i);
    case 19:
        return QStringLiteral("IMG_%1 (1).Jpg").arg(i, 4, 10, QLatin1Char('0'));
    case 31:
        return QStringLiteral("DSC_%1.edit.JPG").arg(i, 5, 10, QLatin1Char('0'));
    default:
        return QStringLiteral("IMG_%1.JPG").arg(i, 4, 10, QLatin1Char('0'));
    }
}

bool makeOrder(const QString& root, int n, const QByteArray& jpeg)
{
    const QDateTime base = QDateTime::currentDateTime().addDays(-30);
    for (const char* album : {"照片", "成品", "汰片", "设计", "设计汰片"})
        if (!QDir(root).mkpath(QString::fromUtf8(album)))
            return false;
    for (int i = 0; i < n; ++i) {
        for (const char* album : {"成品", "汰片"}) {
            const QString path = root + "/" + QString::fromUtf8(album) + "/" + photoName(i);
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(jpeg) != jpeg.size())
                return false;
            f.close();
            // Set-aside times spread over days, in no relation to the names.
            const QDateTime when = base.addSecs(qint64((i * 7919) % n) * 60);
            FileOperation::ChangeFileDateTime(when, when, path);
        }
        // A few non-photos that the listing must skip.
        if (i % 500 == 0)
            QFile(root + "/成品/notes" + QString::number(i) + ".txt").open(QIODevice::WriteOnly);
    }
    return true;
}

// Median milliseconds of runs of work, after prepare (untimed) before each.
double timeIt(const std::function<void()>& prepare, const std::function<void()>& work, int runs = kRuns)
{
    QVector<double> ms;
    for (int run = 0; run < runs; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        ms.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms.at(ms.size() / 2);
}

// The album of moves: n photos in 成品, 汰片 empty or, with sameNames, holding a photo of
// every name (so that each move replaces one).
bool makeMoveOrder(const QString& root, int n, const QByteArray& jpeg, bool sameNames)
{
    for (const char* album : {"成品", "汰片"})
        if (!QDir(root).mkpath(QString::fromUtf8(album)))
            return false;
    for (int i = 0; i < n; ++i) {
        QStringList albums = {QStringLiteral("成品")};
        if (sameNames)
            albums << QStringLiteral("汰片");
        for (const QString& album : albums) {
            QFile f(root + "/" + album + "/" + photoName(i));
            if (!f.open(QIODevice::WriteOnly) || f.write(jpeg) != jpeg.size())
                return false;
        }
    }
    return true;
}

// 500 names spread over the album, as a selection made by hand would be.
QStringList selection(const QList<Image>& album, int count)
{
    QStringList names;
    const int step = qMax(1, album.size() / count);
    for (int i = 0; i < album.size() && names.size() < count; i += step)
        names.append(album.at(i).GetImageName());
    return names;
}

// Puts the set-aside photos back by plain renames, untimed (with sameNames the replaced
// photos are written again), and imports 成品.
void putBack(const QString& root, const QStringList& names, bool sameNames, const QByteArray& jpeg, ImageData* store)
{
    QHash<QString, QString> onDisk;
    for (const QString& file : QDir(root + "/汰片").entryList(QDir::Files))
        onDisk.insert(FileOperation::getFileName(file), file);
    for (const QString& name : names) {
        const QString file = onDisk.value(name);
        if (file.isEmpty() || QFile::exists(root + "/成品/" + file))
            continue;
        QFile::rename(root + "/汰片/" + file, root + "/成品/" + file);
        QFile again(root + "/汰片/" + file);
        if (sameNames && again.open(QIODevice::WriteOnly))
            again.write(jpeg);
    }
    store->importImage(PHOTO_FINE);
}

// The album panel in 成品 as icons with the chosen photos selected, its thumbnails done.
void selectInPanel(PhotoOperation& panel, const QStringList& names)
{
    panel.showWhichType(PHOTO_FINE);
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    QListWidget* icons = panel.findChild<QListWidget*>();
    icons->clearSelection();
    const QSet<QString> chosen(names.cbegin(), names.cend());
    for (int row = 0; row < icons->count(); ++row)
        if (chosen.contains(icons->item(row)->toolTip()))
            icons->item(row)->setSelected(true);
}

void setOrder(int mode, const char* cpSort, const char* deletedSort)
{
    Config::orderMode = mode;
    Config::cp_sortmodel = QString::fromUtf8(cpSort);
    Config::recoverPhotoSortType = QString::fromUtf8(deletedSort);
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    // The panel asks the back end for the order's pictures and posts the move record:
    // nothing listens here, so both fail at once.
    Config::url_host = QStringLiteral("https://127.0.0.1:9");
    Config::composeUrls();
    QList<int> sizes;
    for (const QString& arg : app.arguments().mid(1))
        if (arg.toInt() > 0)
            sizes.append(arg.toInt());
    if (sizes.isEmpty())
        sizes = {2000, 10000};

    QTextStream out(stdout);
    out.setCodec("UTF-8");
    out << "album store, median of " << kRuns << " runs, milliseconds\n";
    const QByteArray jpeg = smallJpeg();
    ImageData* store = ImageData::getInstance();
    const auto nothing = [] {};
    // A move that fails would ask for a box: count it instead. (The panel's own requests
    // fail too; their boxes are not counted.)
    int failures = 0;
    Prompt::setHandler([&failures](const PromptCall& call) {
        if (call.text.contains(QStringLiteral("失败")))
            ++failures;
        return QVariant();
    });

    for (int n : sizes) {
        QTemporaryDir dir;
        if (!makeOrder(dir.path(), n, jpeg)) {
            out << "cannot write the order folder in " << dir.path() << "\n";
            return 1;
        }
        DirServer::setOrderPath(dir.path() + "/");
        out << QStringLiteral("\nN = %1 photos in 成品 and %1 in 汰片\n").arg(n);

        struct Case
        {
            const char* label;
            int mode;
            const char* cpSort;
            const char* deletedSort;
        };
        const Case imports[] = {
            {"import, 汰片 by number (编号排序)", 0, "0", "编号排序"},
            {"import, 汰片 by date (创建日期排序)", 0, "0", "创建日期排序"},
            {"import, 汰片 fixed (固定规则乱序)", 0, "0", "固定规则乱序"},
            {"import, mode 2 fixed order (cp_sortmodel 2)", 2, "2", "编号排序"},
            {"import, mode 2 shuffle", 2, "0", "编号排序"},
        };
        for (const Case& c : imports) {
            setOrder(c.mode, c.cpSort, c.deletedSort);
            const double ms = timeIt(nothing, [&] { store->importImage(PHOTO_FINE); });
            out << QStringLiteral("  %1 %2\n").arg(QString::fromUtf8(c.label), -46).arg(ms, 8, 'f', 2);
        }

        setOrder(0, "0", "编号排序");
        store->importImage(PHOTO_FINE);
        const auto importAgain = [&] { store->importImage(PHOTO_FINE); };
        const double fixed = timeIt(importAgain, [&] { store->sortCpImgs(); });
        const double shuffle = timeIt(importAgain, [&] { store->disorder(42); });
        const double byCount = timeIt(
            [&] {
                importAgain();
                QList<Image>& fine = store->GetSeletedImages();
                for (int i = 0; i < fine.size(); ++i)
                    fine[i].setProductId(i % 3 ? QString() : QStringLiteral("用1用%1").arg(i % 7));
            },
            [&] { store->orderFineImage(); });
        out << QStringLiteral("  %1 %2\n").arg("fixed order alone (sortCpImgs)", -46).arg(fixed, 8, 'f', 2);
        out << QStringLiteral("  %1 %2\n").arg("shuffle alone (disorder)", -46).arg(shuffle, 8, 'f', 2);
        out << QStringLiteral("  %1 %2\n").arg("product-count order (orderFineImage)", -46).arg(byCount, 8, 'f', 2);

        store->setType(PHOTO_FINE, SELE_ALL);
        int names = 0;
        const double step = timeIt(nothing, [&] {
            for (int i = 0; i < n; ++i) {
                store->iteratorMoveNext();
                names += store->getIterator()->GetImageName().size();
            }
        });
        int shown = 0;
        const double show = timeIt([&] { store->iteratorMoveFirst(); },
            [&] {
                const QList<Image>::iterator start = store->getIterator();
                shown = 0;
                do
                    ++shown;
                while (!store->iteratorMoveNextToEnd(start));
            });
        out << QStringLiteral("  %1 %2\n").arg("cursor over the album (iteratorMoveNext)", -46).arg(step, 8, 'f', 2);
        out << QStringLiteral("  %1 %2  (%3 steps)\n")
                   .arg("slide show round (iteratorMoveNextToEnd)", -46)
                   .arg(show, 8, 'f', 2)
                   .arg(shown);
        if (names == 0)
            out << "  (no names read)\n";
        store->clearImages();

        setOrder(0, "0", "编号排序");
        for (bool sameNames : {false, true}) {
            QTemporaryDir moveDir;
            if (!makeMoveOrder(moveDir.path(), n, jpeg, sameNames)) {
                out << "cannot write the order folder in " << moveDir.path() << "\n";
                return 1;
            }
            DirServer::setOrderPath(moveDir.path() + "/");
            store->importImage(PHOTO_FINE);
            const QStringList chosen = selection(store->GetSeletedImages(), 500);
            int moved = 0;
            const double away = timeIt([&] { putBack(moveDir.path(), chosen, sameNames, jpeg, store); },
                [&] { moved = store->fineImageToDeleted(chosen).size(); });
            out << QStringLiteral("  %1 %2  (%3 moved)\n")
                       .arg(sameNames ? "500 to 汰片, each replacing one (fineImageToDeleted)"
                                      : "500 to 汰片 (fineImageToDeleted)",
                           -46)
                       .arg(away, 8, 'f', 2)
                       .arg(moved);
            if (!sameNames) {
                const double back = timeIt(
                    [&] {
                        putBack(moveDir.path(), chosen, sameNames, jpeg, store);
                        store->fineImageToDeleted(chosen);
                        store->importImage(PHOTO_DELETED);
                    },
                    [&] { moved = store->deletedImageToFine(chosen).size(); });
                out << QStringLiteral("  %1 %2  (%3 moved)\n")
                           .arg("500 back to 成品 (deletedImageToFine)", -46)
                           .arg(back, 8, 'f', 2)
                           .arg(moved);
            }
            if (!sameNames) {
                // The same through the album panel: selection read, files moved, move
                // record posted, icons and table updated once, the next photo shown.
                PhotoOperation panel;
                panel.clickSwitchView();
                QObject::connect(&panel, &PhotoOperation::showCryPicture, &panel, &PhotoOperation::deletePhotoSlot);
                const double throughPanel = timeIt(
                    [&] {
                        putBack(moveDir.path(), chosen, false, jpeg, store);
                        selectInPanel(panel, chosen);
                    },
                    [&] { panel.dropButtonSlot(USAGE_TO_DELETED); }, kPanelRuns);
                out << QStringLiteral("  %1 %2  (%3 left)\n")
                           .arg("500 to 汰片 through the album panel", -46)
                           .arg(throughPanel, 8, 'f', 2)
                           .arg(store->getFinalImageNum());
                QThreadPool::globalInstance()->waitForDone();
            }
            store->clearImages();
        }
    }
    if (failures > 0)
        out << failures << " moves failed\n";
    return failures > 0 ? 1 : 0;
}
