#include "workspace/albummoves.h"

#include "core/config.h"
#include "core/formbody.h"
#include "core/prompt.h"
#include "photostore/imagedata.h"
#include "viewer/movicedialog.h"
#include "workspace/photooperation.h"

#include <QListWidget>
#include <QSet>
#include <QStandardItemModel>
#include <QTableView>

AlbumMoves::AlbumMoves(PhotoOperation& panel)
    : panel(panel)
{
}

int AlbumMoves::album() const
{
    return ImageData::getInstance()->getType();
}

int AlbumMoves::currentRow() const
{
    if (panel.isListShown)
        return panel.listWidget->currentRow();
    return panel.tableView->currentIndex().row();
}

int AlbumMoves::visibleCount() const
{
    return panel.isListShown ? panel.listWidget->count() : panel.tableModel->rowCount();
}

void AlbumMoves::drop(ButtonUsage use)
{
    // 成品 goes to 汰片, 汰片 and 设计汰片 come back; nothing else moves by a drop. In 照片
    // a drop would move the 成品 photos that share the raw photos' names.
    const int shown = album();
    const bool toDeleted = use == USAGE_TO_DELETED && shown == PHOTO_FINE;
    const bool back = use == USAGE_TO_FINE && (shown == PHOTO_DELETED || shown == PHOTO_DESIGN_DELETED);
    if (!toDeleted && !back)
        return;

    const QStringList names = panel.GetSelectedItems(shown != PHOTO_DESIGN_DELETED);
    if (names.isEmpty())
        return;
    panel.currentUsage = use;
    if (back) {
        panel.deletePhotoSlot();
        return;
    }
    if (Config::isDelWarn
        && Prompt::question(&panel, PhotoOperation::tr("提示"), PhotoOperation::tr("确定要将选中的照片移至 汰片 吗？"))
            != QMessageBox::Yes)
        return;
    // The files move once the viewer's popup has closed (deletePhotoSlot).
    emit panel.showCryPicture(names);
}

void AlbumMoves::recover()
{
    const int shown = album();
    if (!Config::isLocked && (shown == PHOTO_DELETED || shown == PHOTO_DESIGN_DELETED))
        panel.dropButtonSlot(USAGE_TO_FINE);
}

bool AlbumMoves::askRecover(const QString& albumName) const
{
    QString text;
    if (Config::isRecoverWarn)
        text = QStringLiteral("确定要将选中的照片移至 %1 吗？").arg(albumName);
    else if (panel.listWidget->count() == 1)
        text = QStringLiteral("是否恢复最后一张至 %1 吗？").arg(albumName);
    return text.isEmpty()
        || Prompt::question(&panel, PhotoOperation::tr("提示"), text) == QMessageBox::Yes;
}

void AlbumMoves::move()
{
    // The selection is read again: the popup may have taken a while.
    const int shown = album();
    const ButtonUsage use = panel.currentUsage;
    // A move runs only in the album it belongs to; anywhere else the same names would
    // name other photos.
    if (use == USAGE_TO_DELETED ? shown != PHOTO_FINE : shown != PHOTO_DELETED && shown != PHOTO_DESIGN_DELETED)
        return;
    const QStringList names = panel.GetSelectedItems(shown != PHOTO_DESIGN_DELETED);
    if (names.isEmpty())
        return;

    ImageData* store = ImageData::getInstance();
    QStringList moved;
    if (use == USAGE_TO_DELETED) {
        moved = store->fineImageToDeleted(names);
        if (!moved.isEmpty())
            panel.postImageLog(QStringLiteral("1"), panel.getPicPaths(moved));
    } else if (shown == PHOTO_DELETED) {
        if (!askRecover(QStringLiteral("成品")))
            return;
        moved = store->deletedImageToFine(names);
        if (!moved.isEmpty())
            panel.postImageLog(QStringLiteral("2"), panel.getPicPaths(moved));
    } else {
        if (!askRecover(QStringLiteral("设计")))
            return;
        moved = store->deletedDesignImageToDesign(names);
    }

    const int row = currentRow();
    const bool inTable = !panel.isListShown;
    panel.removeListItem(moved);
    panel.refreshWholeTable();
    if (use == USAGE_TO_FINE && panel.listWidget->count() == 0) {
        Prompt::information(&panel, QStringLiteral("提醒"),
            shown == PHOTO_DESIGN_DELETED ? QStringLiteral("设计汰片已经全部恢复") : QStringLiteral("汰片已经全部恢复"));
        return;
    }
    reselect(row, inTable);
}

void AlbumMoves::reselect(int row, bool inTable)
{
    const int count = inTable ? panel.tableModel->rowCount() : panel.listWidget->count();
    if (count == 0)
        return;
    if (row < 0 || row >= count)
        row = 0;
    if (inTable) {
        const QModelIndex index = panel.tableModel->index(row, 0);
        emit panel.tableView->clicked(index);
        panel.tableView->setCurrentIndex(index);
        return;
    }
    panel.clickIcon(row);
}

void AlbumMoves::deleteRaw()
{
    if (Prompt::question(nullptr, QString(), QStringLiteral("是否删除照片？\n（注意：删除后无法恢复！）"))
        != QMessageBox::Yes)
        return;
    const QStringList names = panel.GetSelectedItems(true);
    if (names.isEmpty())
        return;
    ImageData::getInstance()->deleteRawImage(names);
    const int row = currentRow();
    panel.refreshThumb(true);
    panel.refreshWholeTable();
    reselect(row, false);
}

void AlbumMoves::deleteDesign()
{
    if (!Config::is_del_design_photo)
        return;
    if (Config::is_del_design_prompt
        && Prompt::question(&panel, PhotoOperation::tr("提示"), PhotoOperation::tr("确定要删除吗？")) != QMessageBox::Yes)
        return;
    const QStringList names = panel.GetSelectedItems(true);
    if (names.isEmpty())
        return;
    const QStringList moved = ImageData::getInstance()->deleteDesignImage(names);
    if (moved.isEmpty())
        return;

    MoviceDialog::tip = QStringLiteral("删除完成");
    MoviceDialog* popup = new MoviceDialog(&panel);
    QObject::connect(popup, &MoviceDialog::finishTipDailog, &panel, &PhotoOperation::finishTipDailog);
    popup->setGeometry(panel.width() / 2 - 110, panel.height() / 2, popup->width(), popup->height());
    popup->setWindowModality(Qt::ApplicationModal);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->show();

    const int row = currentRow();
    panel.removeListItem(moved);
    panel.refreshWholeTable();
    reselect(row, false);
}

void AlbumMoves::removeItems(const QStringList& names)
{
    QListWidget* list = panel.listWidget;
    if (names.size() == list->count()) {
        list->clear();
        return;
    }
    // One pass from the end; an icon is found by its tooltip, the photo's name.
    const QSet<QString> gone(names.cbegin(), names.cend());
    for (int row = list->count() - 1; row >= 0; --row) {
        if (!gone.contains(list->item(row)->toolTip()))
            continue;
        if (row == list->count() - 1 && list->count() > 1)
            list->setCurrentRow(0);
        delete list->takeItem(row);
    }
}

QString AlbumMoves::joinNames(const QStringList& names)
{
    return names.join(QLatin1Char(','));
}

QByteArray AlbumMoves::moveRecord(const QString& type, const QString& names)
{
    return FormBody::withToken()
        .add("order_photo_id", Config::order_id)
        .add("shopid", Config::shop_id)
        .add("companyid", Config::super_id)
        .add("uid", Config::manager_id)
        .add("type", type)
        .add("picpath", names)
        .add("order_sample_infoid", Config::order_sample_infoid)
        .toByteArray();
}
