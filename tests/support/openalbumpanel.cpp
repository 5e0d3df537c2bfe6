#include "tests/support/openalbumpanel.h"

#include "photostore/imagedata.h"
#include "tests/support/albumpanelprobe.h"
#include "tests/support/eventwait.h"
#include "workspace/photooperation.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>

void OpenAlbumPanel::begin()
{
    m_session.end();
    m_session.begin();
}

bool OpenAlbumPanel::open(int album)
{
    m_popups = 0;
    // The load road shows its album twice.
    PhotoOperation& opened = m_session.open(2);
    QObject::connect(&opened, &PhotoOperation::showCryPicture, &opened, [this, &opened] {
        ++m_popups;
        opened.deletePhotoSlot();
    });
    if (m_session.shown->count() < 2)
        return false;
    return album == PHOTO_FINE || show(album);
}

bool OpenAlbumPanel::show(int album)
{
    const int before = m_session.shown->count();
    const std::function<void()> clicks[] = {
        [&] { m_session.panel->clickRawPhoto(); }, [&] { m_session.panel->clickFinePhoto(); },
        [&] { m_session.panel->clickDeletePhoto(); }, [&] { m_session.panel->clickDesignPhoto(); },
        [&] { m_session.panel->clickDesignDeletePhoto(); }};
    clicks[album]();
    const bool shown = waitUntil([&] { return m_session.shown->count() >= before + 2; });
    AlbumPanelProbe::settle();
    return shown && int(ImageData::getInstance()->getType()) == album;
}

QTableView* OpenAlbumPanel::table()
{
    return m_session.panel->findChild<QTableView*>();
}

QListWidget* OpenAlbumPanel::icons()
{
    return AlbumPanelProbe::icons(*m_session.panel);
}

QStringList OpenAlbumPanel::iconNames()
{
    QStringList names;
    for (int row = 0; row < icons()->count(); ++row)
        names << icons()->item(row)->toolTip();
    return names;
}

void OpenAlbumPanel::select(const QStringList& names)
{
    if (icons()->isHidden()) {
        QStandardItemModel* model = AlbumPanelProbe::table(*m_session.panel);
        const QStringList rows = AlbumPanelProbe::column(*m_session.panel, 0);
        table()->clearSelection();
        for (const QString& name : names)
            if (rows.contains(name))
                table()->selectionModel()->select(model->index(rows.indexOf(name), 0),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (rows.contains(names.value(0)))
            table()->selectionModel()->setCurrentIndex(model->index(rows.indexOf(names.value(0)), 0),
                QItemSelectionModel::NoUpdate);
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
