#include "workspace/panelshortcuts.h"

#include "core/config.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "photostore/image.h"
#include "photostore/imagedata.h"
#include "workspace/albumview.h"
#include "workspace/photooperation.h"

#include <QKeyEvent>

PanelShortcuts::PanelShortcuts(PhotoOperation& ownPanel, AlbumView& albumView)
    : panel(ownPanel)
    , view(albumView)
{
}

bool PanelShortcuts::matches(Pair pair, int key, Qt::KeyboardModifiers modifiers)
{
    const int modifier = Config::shotCutKey[2 * pair];
    if (key != Config::shotCutKey[2 * pair + 1])
        return false;
    return modifier == 0 || int(modifiers) == modifier;
}

void PanelShortcuts::keyPress(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    auto is = [key, modifiers](Pair pair) { return matches(pair, key, modifiers); };
    qCDebug(lcWorkspace) << "keynumber===" << key;
    qCDebug(lcWorkspace) << "keynumber1===" << modifiers;

    if (key == Qt::Key_Shift) {
        emit panel.sign_sendPhotoViewPhotoNumLabVisable(true);
        return;
    }
    if (panel.isAlbumButtonChecked(PHOTO_DELETED) && is(DeletedSortOrder)) {
        Config::recoverPhotoSortType = Config::recoverPhotoSortType == QStringLiteral("创建日期排序")
            ? QStringLiteral("编号排序")
            : QStringLiteral("创建日期排序");
        panel.reshowAlbum(panel.currentType);
        return;
    }
    if (is(Previous) && view.isListShown())
        panel.clickPreviousThumb();
    if (is(Next) && view.isListShown())
        panel.clickNextThumb();

    if (is(Recover)) {
        if (Config::isLocked)
            return;
        const int album = view.album();
        if (album == PHOTO_DELETED || album == PHOTO_DESIGN_DELETED) {
            if (view.count() == 0) {
                Prompt::information(&panel, QStringLiteral("提醒"),
                    album == PHOTO_DESIGN_DELETED ? QStringLiteral("设计汰片已经全部恢复")
                                                  : QStringLiteral("汰片已经全部恢复"));
                return;
            }
            panel.dropButtonSlot(USAGE_TO_FINE);
        }
    }
    if (view.album() == PHOTO_DESIGN) {
        if (is(Discard)) {
            if (Config::isLocked)
                return;
            panel.del_designphoto();
        }
        return;
    }
    if (is(Discard)) {
        if (Config::isLocked)
            return;
        const int album = view.album();
        // Raw photos go for good, and only with the right to delete them.
        if ((panel.currentType == PHOTO_RAW || album == PHOTO_RAW) && !Config::isDelOrigin)
            Prompt::information(nullptr, QStringLiteral("警告"), QStringLiteral("无权限删除，请和后台管理员联系"),
                QMessageBox::Yes, QMessageBox::Yes);
        else if (album == PHOTO_FINE)
            panel.dropButtonSlot(USAGE_TO_DELETED);
        else if (album == PHOTO_RAW)
            panel.deleteRawImage();
    }
    if (is(SwitchView))
        panel.clickSwitchView();
    // An album key shows its album and sets its button on, as a click would.
    auto album = [&](Pair pair, void (PhotoOperation::*click)(), int shown) {
        if (!is(pair))
            return;
        (panel.*click)();
        panel.setAlbumButtonChecked(shown);
    };
    album(RawAlbum, &PhotoOperation::clickRawPhoto, PHOTO_RAW);
    album(FineAlbum, &PhotoOperation::clickFinePhoto, PHOTO_FINE);
    album(DeletedAlbum, &PhotoOperation::clickDeletePhoto, PHOTO_DELETED);
    if (is(Produce) && view.album() == PHOTO_FINE)
        panel.clickProduce();
    if (is(ReloadThumbs))
        panel.clickReloadThumb();
    album(DesignAlbum, &PhotoOperation::clickDesignPhoto, PHOTO_DESIGN);
    if (is(SortMode)) {
        Config::changeOrderMode();
        panel.reshowAlbum(view.album());
    }
    qCDebug(lcWorkspace) << "imageFontShow key";
    if (is(ThumbNames)) {
        qCDebug(lcWorkspace) << "keyword imageFontShow";
        Config::isShowThumbName = !Config::isShowThumbName;
        panel.refreshThumb(true);
    }
}

void PanelShortcuts::keyRelease(QKeyEvent* event)
{
    qCDebug(lcWorkspace) << "keyRelease" << event->key();
    if (event->key() == Qt::Key_Shift)
        emit panel.sign_sendPhotoViewPhotoNumLabVisable(false);
}
