#include "workspace/albummoves.h"

#include "core/config.h"
#include "core/formbody.h"
#include "core/prompt.h"
#include "photostore/imagedata.h"
#include "viewer/movicedialog.h"
#include "workspace/albumview.h"
#include "workspace/photooperation.h"

AlbumMoves::AlbumMoves(PhotoOperation& ownPanel, AlbumView& albumView)
    : panel(ownPanel)
    , view(albumView)
{
}

QStringList AlbumMoves::dropped(ButtonUsage use) const
{
    // 成品 goes to 汰片, 汰片 and 设计汰片 come back; nothing else moves by a drop. In 照片
    // a drop would move the 成品 photos that share the raw photos' names.
    const int shown = view.album();
    const bool toDeleted = use == USAGE_TO_DELETED && shown == PHOTO_FINE;
    const bool back = use == USAGE_TO_FINE && (shown == PHOTO_DELETED || shown == PHOTO_DESIGN_DELETED);
    if (!toDeleted && !back)
        return QStringList();
    return panel.GetSelectedItems(shown != PHOTO_DESIGN_DELETED);
}

bool AlbumMoves::confirmSetAside() const
{
    return !Config::isDelWarn
        || Prompt::question(&panel, PhotoOperation::tr("提示"), PhotoOperation::tr("确定要将选中的照片移至 汰片 吗？"))
        == QMessageBox::Yes;
}

void AlbumMoves::recover()
{
    const int shown = view.album();
    if (!Config::isLocked && (shown == PHOTO_DELETED || shown == PHOTO_DESIGN_DELETED))
        panel.dropButtonSlot(USAGE_TO_FINE);
}

bool AlbumMoves::askRecover(const QString& albumName) const
{
    QString text;
    if (Config::isRecoverWarn)
        text = QStringLiteral("确定要将选中的照片移至 %1 吗？").arg(albumName);
    else if (view.count() == 1)
        text = QStringLiteral("是否恢复最后一张至 %1 吗？").arg(albumName);
    return text.isEmpty() || Prompt::question(&panel, PhotoOperation::tr("提示"), text) == QMessageBox::Yes;
}

QStringList AlbumMoves::setAside(const QStringList& names)
{
    // Only in the album the names belong to; anywhere else they would name other photos.
    if (view.album() != PHOTO_FINE || names.isEmpty())
        return QStringList();
    const QStringList moved = ImageData::getInstance()->fineImageToDeleted(names);
    panel.recordSetAside(moved);
    showAfterMove(moved, USAGE_TO_DELETED);
    return moved;
}

void AlbumMoves::restore()
{
    const int shown = view.album();
    if (shown != PHOTO_DELETED && shown != PHOTO_DESIGN_DELETED)
        return;
    const QStringList names = panel.GetSelectedItems(shown != PHOTO_DESIGN_DELETED);
    if (names.isEmpty())
        return;

    ImageData* store = ImageData::getInstance();
    QStringList moved;
    if (shown == PHOTO_DELETED) {
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
    showAfterMove(moved, USAGE_TO_FINE);
}

void AlbumMoves::showAfterMove(const QStringList& moved, ButtonUsage use)
{
    const int shown = view.album();
    const int row = view.currentRow();
    view.removeNames(moved);
    panel.refreshWholeTable();
    if (use == USAGE_TO_FINE && view.count() == 0) {
        showNoPhotoIfEmpty();
        Prompt::information(&panel, QStringLiteral("提醒"),
            shown == PHOTO_DESIGN_DELETED ? QStringLiteral("设计汰片已经全部恢复")
                                          : QStringLiteral("汰片已经全部恢复"));
        return;
    }
    view.reselect(row);
    showNoPhotoIfEmpty();
}

void AlbumMoves::showNoPhotoIfEmpty()
{
    // Nothing is left to select in the view on show, so no selection tells the pane: it is told
    // here, and lets go of the photo that left the view.
    if (ImageData::getInstance()->getImagelist(panel.seleType).isEmpty())
        emit panel.SendImage();
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
    const int row = view.currentRow();
    panel.refreshThumb(true);
    panel.refreshWholeTable();
    view.reselectIcon(row);
    showNoPhotoIfEmpty();
}

void AlbumMoves::deleteDesign()
{
    if (!Config::is_del_design_photo)
        return;
    if (Config::is_del_design_prompt
        && Prompt::question(&panel, PhotoOperation::tr("提示"), PhotoOperation::tr("确定要删除吗？"))
            != QMessageBox::Yes)
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

    const int row = view.currentRow();
    view.removeNames(moved);
    panel.refreshWholeTable();
    view.reselectIcon(row);
    showNoPhotoIfEmpty();
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
