#ifndef PHOTOOPERATION_H
#define PHOTOOPERATION_H

#include "photostore/image.h"
#include "photostore/imagedata.h"
#include "workspace/dropbutton.h"

#include <QItemSelection>
#include <QModelIndex>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class AlbumIconCache;
class AlbumTableModel;
class AlbumThumbnails;
class AlbumView;
class N8Selection;
class ProgressWindow;
class QAction;
class QButtonGroup;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QProcess;
class QPushButton;
class QTableView;
struct BackendReply;

// The album shown by the workspace: the albums of the photo store, by the same numbers.
typedef PHOTOTYPE PHOTOMODEL;

// The album panel of the workspace: the album and tool buttons, the label of the album
// shown and its photos as a table or as icons (one of the two visible). Table rows and
// icons are built from ImageData::getImagelist(seleType) in the same order, so a row and
// an icon of the same index name the same photo.
class PhotoOperation : public QWidget
{
    Q_OBJECT
public:
    explicit PhotoOperation(QWidget* parent = nullptr);
    ~PhotoOperation() override;

    // Filter shown inside 成品; every list query of the panel passes it on.
    SELETYPE seleType;
    // Set by the main window while the room preview is open: selections are not forwarded.
    bool isFamilyShown;
    // The album that a photo load ends by showing.
    int currentType;
    // The N8 road's process, and which button began it (1 "N8选版", 2 "同步N8选版").
    QProcess* n8Process;
    int n8Type;

    // Names of the selected photos of the visible view, in selection order. With check,
    // a photo that a product uses is refused (the whole selection when the operator says so).
    QStringList GetSelectedItems(bool check);
    void setLocked();
    void showWhichType(int type);
    // Shows the album again once its folders have been read on a worker (a new sort order or
    // filter). A reading already on its way shows the new order or filter itself.
    void reshowAlbum(int type);
    void refreshImageProduct();
    void refreshImageProduct(QStringList names);
    void refreshWholeTable();
    void removeListItem(QStringList names);
    // The names joined by "," for the move record.
    QString getPicPaths(QStringList list);
    void onClipChanged();
    // A saved turn has settled the crop of the photo of that name (the turn posts it itself):
    // the table shows the record anew, whichever photo is current now.
    void onClipTurned(const QString& name);
    void onRemarkChanged();
    void getPicInfo();
    void startSelectImage();
    void refreshSortStatusLab();
    // The load road, the album display and the crop and remark sync
    void getPicPath();
    void createOrderDirIfNotExist();
    void postPicInfo(QString name, QString descr, QRect rect, bool ellipse);
    void refreshThumb(bool showProgress);
    void refreshThumb(QStringList names);
    void refreshThumb(int row);
    void showDefaultThumb(QList<Image> images);
    void updateLabel();
    void getChengPinCurrentIdx();
    void removeTableItem(QStringList names);
    // The album buttons by album (照片 to 设计汰片); a key sets one on as a click would.
    bool isAlbumButtonChecked(int album) const;
    void setAlbumButtonChecked(int album);

signals:
    void sendDragMessage(bool isdrag, QString& imagepath);
    void sendPhotoModel(PHOTOMODEL currentType, int, SELETYPE selType);
    void comparePhoto();
    void comparePhoto(QStringList);
    void familyPhoto();
    void producePhoto(bool isVisible);
    void SendImage();
    // The set-aside popup for photos that have just gone to 汰片.
    void showCryPicture(QStringList selectedImages);
    void sendProAddImg(QString);
    void sumbitSampleReslut(int type);
    void sign_sendPhotoViewPhotoNumLabVisable(bool visable);

public slots:
    // Albums and filters
    void clickRawPhoto();
    void clickFinePhoto();
    void clickDeletePhoto();
    void clickDesignPhoto();
    void clickDesignDeletePhoto();
    void clickUsedPhoto();
    void clickUnusedPhoto();
    // Tools
    void clickFamily();
    void clickCompare();
    void clickSwitchView();
    void clickProduce();
    void clickReloadThumb();
    void clickN8Photo();
    void clickSynN8Photo();
    void clickVideo();
    void clickFinalVideo();
    // Moves
    void dropButtonSlot(ButtonUsage use);
    void deletePhotoSlot();
    void recoverToFinal();
    void deleteRawImage();
    void del_designphoto();
    // The move record of moves between 成品 and 汰片; its answer is only read and dropped.
    void postImageLog(QString type, QString picpath);
    // The move record of photos that have just gone from 成品 to 汰片, whichever road moved them.
    void recordSetAside(const QStringList& names);
    void queryCallBackLog(const BackendReply& reply);
    // Context menu
    void startComparePhoto();
    void refreshSelectImgs();
    void showMouseRightButton(const QPoint& pos);
    void showMouseRightButtonForTable(const QPoint& pos);
    // Thumbnails and product marks
    void refreshProductImage();
    void updateMiddleThumimg(int index);
    void updateThumbIconOneRefresh(int index, QPixmap pic);
    void updateThumbIcon(int index, QPixmap icon, int album);
    void reLoadThumbFinished();
    void clickNextThumb();
    void clickPreviousThumb();
    // Replies of the panel's requests
    void queryPicInfoCallBack(const BackendReply& reply);
    void queryCallBack(const BackendReply& reply);
    void queryPostPicInfoCallBack(const BackendReply& reply);
    // Views
    void selectItem(QListWidgetItem* item);
    void selectRow(const QModelIndex& index);
    void selectTableRow(const QModelIndex& current, const QModelIndex& previous);
    // The viewer moved the photo store's cursor: the row of the photo it now shows becomes
    // the highlighted one, so that a move acts on what the customer sees.
    void followCurrentPhoto();
    void itemChanged();
    void isDrag(QListWidgetItem* item);
    void isDrag(const QModelIndex& index);
    void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void finishTipDailog();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The menu entries and the views' menus that an album brings with it.
    enum MenuKind { MenuRaw, MenuFine, MenuDeleted, MenuDesign, MenuDesignDeleted, MenuFiltered };
    void setContextMenu(MenuKind kind);
    void bindCompareAction(const QString& text, void (PhotoOperation::*slot)());
    void setViewMenusConnected(bool connected);
    void buildViews();
    void buildButtons();
    QPushButton* addButton(QPushButton* button, const QString& text, void (PhotoOperation::*slot)(), bool hidden);
    void emitDrag(int row);
    QPushButton* albumButton(int album) const;
    // Writes the product marks into the 成品 photos and the used names, and refills the
    // used and unused lists of the filters.
    void applyProductMarks();
    // The full path of the store's current photo, empty at the end position.
    static QString currentPhotoPath();
    // Tells the pane when the current photo is no longer the one of that path.
    void showIfCurrentChanged(const QString& shown);
    // The order mode applied to 成品, the views shown anew, and the pane told when the current
    // photo is no longer the one of path shown (the product marks already applied).
    void orderAndShowViews(const QString& shown);
    // One more thumbnail job of the album shown has answered or was dropped.
    void countThumbJob();
    void setThumbIcon(int index, const QPixmap& icon, int album);
    void playVideos(const QStringList& paths, int kind, const QString& missingText);
    // Loads an album again through its button's slot (not 设计汰片, which has no thumbnails).
    void reloadAlbum(int album);
    // The table, then the icons: the label's rebuild of the icons waits for the one that follows.
    void refreshViews();
    // The end of the load road: the album folders are read on a worker, then the album is
    // shown (twice on the server's road) from that one reading.
    void readAlbumsThenShow(bool twice);
    // Reads the album folders on a worker, then calls show with the reading in m_readAlbums.
    void readAlbumsThen(std::function<void()> show);

    QPushButton* rawButton;
    DropButton* fineButton;
    QPushButton* designButton;
    QPushButton* designDeleteButton;
    QPushButton* usedButton;
    QPushButton* unusedButton;
    DropButton* deleteButton;
    QPushButton* familyButton;
    QPushButton* compareButton;
    QPushButton* modelButton;
    QPushButton* produceButton;
    QPushButton* refreshButton;
    QPushButton* n8Button;
    QPushButton* synN8Button;
    QPushButton* trialVideoButton;
    QPushButton* finalVideoButton;

    QLabel* albumLabel;
    QTableView* tableView;
    // Serves its rows from the album list as the view asks for them.
    AlbumTableModel* tableModel;
    QListWidget* listWidget;
    // Both views as one, for the panel and the helpers it hands them to.
    std::unique_ptr<AlbumView> m_albumView;
    ProgressWindow* progress;
    int thumbTotal;
    int thumbDone;
    ButtonUsage currentUsage;
    bool isProduceShown;
    QAction* compareAction;
    QAction* refreshAction;
    QMenu* contextMenu;
    QLabel* sortLabel;
    QButtonGroup* albumGroup;
    // Video paths of the last picture-information reply (trial shoot, retouch).
    QStringList trialVideoList;
    QStringList finalVideoList;
    AlbumThumbnails* thumbJobs;
    // The icons of the rows in and near view; the rest of the album holds none.
    AlbumIconCache* m_iconCache = nullptr;
    // The thumbnail folders are being emptied on a worker ("刷新"); further clicks wait.
    bool isReloadingThumbs = false;
    // The albums read for the showing under way; a showing without reads for itself.
    std::unique_ptr<ImageData::Albums> m_readAlbums;
    // Set while the table is refilled right before the icons are rebuilt anyway.
    bool m_isThumbRefreshFollowing = false;
    // Set during the load road's second showing of the album, which keeps an icon view
    // that the first showing has just built from the same list (its jobs run on).
    bool m_isRepeatShowing = false;
    // The list that the icon view was last built from.
    QList<Image> m_iconPhotos;
    // The readings of the album folders: only the latest one is shown.
    int m_albumReads = 0;
    bool m_isReadingAlbums = false;
    // Set while the views follow the viewer: their selection changes show nothing again.
    bool m_isFollowingViewer = false;
    // The hand-off to N8ViewGo and the read-back of its selection.
    N8Selection* m_n8Selection = nullptr;
};

#endif // PHOTOOPERATION_H
