#include "tests/support/albumpanelfixture.h"

#include "core/config.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "tests/support/eventwait.h"
#include "tests/support/toplevel.h"
#include "viewer/progresswindow.h"
#include "workspace/photooperation.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QThreadPool>

#include <functional>

AlbumPanelFixture::AlbumPanelFixture()
{
    Config::order_id = QStringLiteral("1001");
    Config::shop_id = QStringLiteral("7");
    Config::super_id = QStringLiteral("3");
    Config::order_sample_infoid = QStringLiteral("30001");
}

AlbumPanelFixture::~AlbumPanelFixture()
{
    end();
}

bool AlbumPanelFixture::begin()
{
    prompts.reset(new PromptRecorder);
    order.reset(new OrderFolder(OrderFolder::DemoShare | OrderFolder::AlbumFolders));
    backend->clearRequests();
    return backend.isReady() && order->isValid();
}

void AlbumPanelFixture::end()
{
    close();
    backend->clearScripts();
    prompts.reset();
    order.reset();
    ProductData::m_products.clear();
    ProductData::useImages.clear();
    ProductData::localOrderPath.clear();
    Config::orderMode = 0;
    Config::isLocked = false;
    ImageData::changedImages.clear();
    ImageData::getInstance()->clearImages();
}

void AlbumPanelFixture::close()
{
    settle();
    shown.reset();
    panel.reset();
}

PhotoOperation& AlbumPanelFixture::open(int shows, bool settle)
{
    close();
    m_popups = 0;
    panel.reset(new PhotoOperation);
    PhotoOperation* opened = panel.get();
    QObject::connect(opened, &PhotoOperation::showCryPicture, opened, [this, opened] {
        ++m_popups;
        opened->deletePhotoSlot();
    });
    shown.reset(new QSignalSpy(opened, &PhotoOperation::sendPhotoModel));
    waitUntil([&] { return shown->count() >= shows || prompts->count() > 0; });
    if (settle)
        AlbumPanelFixture::settle();
    return *panel;
}

bool AlbumPanelFixture::openAlbum(int album)
{
    // The load road shows its album twice.
    open(2);
    if (shown->count() < 2)
        return false;
    return album == PHOTO_FINE || show(album);
}

bool AlbumPanelFixture::show(int album)
{
    const int before = shown->count();
    const std::function<void()> clicks[]
        = {[&] { panel->clickRawPhoto(); }, [&] { panel->clickFinePhoto(); }, [&] { panel->clickDeletePhoto(); },
            [&] { panel->clickDesignPhoto(); }, [&] { panel->clickDesignDeletePhoto(); }};
    clicks[album]();
    const bool loaded = waitUntil([&] { return shown->count() >= before + 2; });
    settle();
    return loaded && int(ImageData::getInstance()->getType()) == album;
}

void AlbumPanelFixture::select(const QStringList& names)
{
    if (icons()->isHidden()) {
        QAbstractItemModel* model = tableModel();
        const QStringList rows = column(0);
        tableView()->clearSelection();
        for (const QString& name : names)
            if (rows.contains(name))
                tableView()->selectionModel()->select(
                    model->index(rows.indexOf(name), 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (rows.contains(names.value(0)))
            tableView()->selectionModel()->setCurrentIndex(
                model->index(rows.indexOf(names.value(0)), 0), QItemSelectionModel::NoUpdate);
        return;
    }
    icons()->clearSelection();
    for (int row = 0; row < icons()->count(); ++row)
        if (names.contains(icons()->item(row)->toolTip()))
            icons()->item(row)->setSelected(true);
    for (int row = 0; row < icons()->count(); ++row)
        if (icons()->item(row)->toolTip() == names.value(0))
            icons()->setCurrentItem(icons()->item(row), QItemSelectionModel::NoUpdate);
}

QTableView* AlbumPanelFixture::tableView()
{
    return panel->findChild<QTableView*>();
}

QAbstractItemModel* AlbumPanelFixture::tableModel()
{
    return tableView()->model();
}

QListWidget* AlbumPanelFixture::icons()
{
    return panel->findChild<QListWidget*>();
}

QStringList AlbumPanelFixture::iconNames()
{
    QStringList names;
    for (int row = 0; row < icons()->count(); ++row)
        names << icons()->item(row)->toolTip();
    return names;
}

QStringList AlbumPanelFixture::column(int column)
{
    QStringList texts;
    QAbstractItemModel* model = tableModel();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

QString AlbumPanelFixture::albumLabel()
{
    for (QLabel* label : panel->findChildren<QLabel*>())
        if (label->text().startsWith(QStringLiteral("当前相册：")))
            return label->text();
    return QString();
}

QPushButton* AlbumPanelFixture::button(const QString& text)
{
    for (QPushButton* b : panel->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

ProgressWindow* AlbumPanelFixture::progress()
{
    return topLevelWindows<ProgressWindow>().value(0);
}

void AlbumPanelFixture::settle()
{
    // Jobs answer through posted events and zero timers, which may start more jobs: the panel
    // has settled once two rounds in a row end with no job running. A loaded machine needs
    // more rounds than an idle one.
    QThreadPool* pool = QThreadPool::globalInstance();
    int quietRounds = 0;
    for (int round = 0; round < 100 && (round < 3 || quietRounds < 2); ++round) {
        pool->waitForDone();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        // Run outside any event loop, an object deleted later here (a post's network manager
        // after its reply) would otherwise wait for a loop that is never run at this level.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        quietRounds = pool->activeThreadCount() == 0 ? quietRounds + 1 : 0;
    }
}
