#include "tests/support/openalbumpanel.h"

#include "photostore/imagedata.h"
#include "tests/support/albumpanelprobe.h"
#include "tests/support/eventwait.h"
#include "tests/support/orderfolderfixture.h"
#include "tests/support/promptrecorder.h"
#include "workspace/photooperation.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>

OpenAlbumPanel::OpenAlbumPanel() = default;

OpenAlbumPanel::~OpenAlbumPanel()
{
    end();
}

void OpenAlbumPanel::begin()
{
    end();
    m_prompts.reset(new PromptRecorder);
    m_order.reset(new OrderFolderFixture);
}

void OpenAlbumPanel::end()
{
    close();
    m_prompts.reset();
    m_order.reset();
}

void OpenAlbumPanel::close()
{
    AlbumPanelProbe::settle();
    m_shown.reset();
    m_panel.reset();
}

bool OpenAlbumPanel::open(int album)
{
    close();
    m_popups = 0;
    m_panel.reset(new PhotoOperation);
    m_shown.reset(new QSignalSpy(m_panel.get(), &PhotoOperation::sendPhotoModel));
    QObject::connect(m_panel.get(), &PhotoOperation::showCryPicture, m_panel.get(), [this] {
        ++m_popups;
        m_panel->deletePhotoSlot();
    });
    // The load road shows its album twice.
    if (!waitUntil([&] { return m_shown->count() >= 2; }))
        return false;
    AlbumPanelProbe::settle();
    return album == PHOTO_FINE || show(album);
}

bool OpenAlbumPanel::show(int album)
{
    const int before = m_shown->count();
    const std::function<void()> clicks[] = {
        [&] { m_panel->clickRawPhoto(); }, [&] { m_panel->clickFinePhoto(); },
        [&] { m_panel->clickDeletePhoto(); }, [&] { m_panel->clickDesignPhoto(); },
        [&] { m_panel->clickDesignDeletePhoto(); }};
    clicks[album]();
    const bool shown = waitUntil([&] { return m_shown->count() >= before + 2; });
    AlbumPanelProbe::settle();
    return shown && int(ImageData::getInstance()->getType()) == album;
}

QTableView* OpenAlbumPanel::table()
{
    return m_panel->findChild<QTableView*>();
}

QListWidget* OpenAlbumPanel::icons()
{
    return AlbumPanelProbe::icons(*m_panel);
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
        QStandardItemModel* model = AlbumPanelProbe::table(*m_panel);
        const QStringList rows = AlbumPanelProbe::column(*m_panel, 0);
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
