#include "core/config.h"
#include "photostore/croprect.h"
#include "tools/zkmarker.h"
#include "tools/zkmarkedit.h"
#include "tools/markstring.h"
#include "tools/markpost.h"
#include "core/backendpost.h"
#include "photostore/dirserver.h"
#include "photostore/imageoperation.h"
#include "photostore/imagedata.h"
#include "photostore/picturecache.h"
#include "photostore/product.h"
#include "photostore/productdata.h"
#include "photostore/quarterturn.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/orderfolder.h"
#include "tests/support/poolblocker.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "tests/support/windowposts.h"
#include "tools/addfrontdlg.h"
#include "tools/trimdlg.h"
#include "viewer/fullscreenview.h"
#include "viewer/imageediter.h"
#include "viewer/movicedialog.h"
#include "viewer/photoview.h"
#include "workspace/photooperation.h"
#include "workspace/selectphotoview.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

#include <memory>
#include <numeric>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A photo whose picture is on its way for as long as a test wants: its file becomes a pipe, on
// whose opening a read of it waits until release() puts the file back and writes the picture
// into the pipe. The read waits in opening the file: stopped later, inside the image reader's
// probing of the formats, it would hold the lock of the image plugins, which the pane's own
// loading animation takes on the GUI thread.
class HeldPicture
{
public:
    HeldPicture(const QString& path, const QString& scratch)
        : m_path(path)
        , m_pipe(QFile::encodeName(scratch + QStringLiteral("held-pipe")))
        , m_back(scratch + QStringLiteral("held-file"))
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        m_bytes = file.readAll();
        file.close();
        const QByteArray link = m_pipe + "-link";
        // In one step: a read finds either the file or the pipe.
        m_isHeld = ::mkfifo(m_pipe.constData(), 0600) == 0 && ::link(m_pipe.constData(), link.constData()) == 0
            && ::rename(link.constData(), QFile::encodeName(path).constData()) == 0;
        // A picture read before is forgotten, and a read begun before is read again: from the pipe.
        PictureCache::shared().forget(path);
    }
    ~HeldPicture() { release(); }
    bool isHeld() const { return m_isHeld; }

    // Puts the file back for every later read, then gives the picture to the reads that opened
    // the pipe (opening it for writing lets them through).
    bool release()
    {
        if (!m_isHeld)
            return true;
        m_isHeld = false;
        QFile file(m_back);
        bool isReleased = file.open(QIODevice::WriteOnly) && file.write(m_bytes) == m_bytes.size();
        file.close();
        isReleased
            = isReleased && ::rename(QFile::encodeName(m_back).constData(), QFile::encodeName(m_path).constData()) == 0;
        const int writer = ::open(m_pipe.constData(), O_RDWR);
        isReleased = isReleased && writer >= 0
            && ::write(writer, m_bytes.constData(), size_t(m_bytes.size())) == m_bytes.size();
        if (writer >= 0)
            ::close(writer);
        ::unlink(m_pipe.constData());
        return isReleased;
    }

private:
    QString m_path;
    QByteArray m_pipe;
    QString m_back;
    QByteArray m_bytes;
    bool m_isHeld = false;
};
} // namespace

// The photo view and the album panel together in the workspace window, over an order of
// three photos in 成品 and an empty 汰片.
class TestWorkspaceViewer : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    std::unique_ptr<PromptRecorder> m_prompts;
    std::unique_ptr<OrderFolder> m_order;
    std::unique_ptr<SelectPhotoView> m_window;

    PhotoView* view() const { return m_window->photoView; }
    PhotoOperation* panel() const { return m_window->photoOperation; }
    QPushButton* viewButton(const char* name) const { return view()->findChild<QPushButton*>(QLatin1String(name)); }
    QPushButton* panelButton(const QString& text) const
    {
        for (QPushButton* button : panel()->findChildren<QPushButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }
    QTableView* table() const { return panel()->findChild<QTableView*>(); }
    static QString current() { return ImageData::getInstance()->getCurrentImage().GetImageName(); }
    static int album() { return ImageData::getInstance()->getType(); }
    QStringList filesIn(const QString& album) const
    {
        return QDir(m_order->album(album)).entryList(QDir::Files, QDir::Name);
    }
    // The record of a photo in 成品 itself, whatever filter is shown.
    static Image finePhoto(const QString& name) { return ImageData::getInstance()->getFineImage(name, SELE_ALL); }
    // The back end as it is: its picture information holds each photo's last posted crop and
    // text and its last saved marks.
    void keepPostedRecords()
    {
        m_backend->setHandler("order", "getorderpic", [this](const StandInRequest&) {
            QMap<QString, QJsonObject> records;
            for (const StandInRequest& post : m_backend->requestsTo("order", "updateorderpic"))
                for (const char* key : {"picname", "descr", "pictype", "picx", "picy", "picwidth", "picheight"})
                    records[post.value("picname")].insert(QLatin1String(key), post.value(QLatin1String(key)));
            for (const StandInRequest& save : m_backend->requestsTo("order", "updateorderpicmark"))
                records[save.value("picname")].insert(
                    "mark", QJsonDocument::fromJson(save.value("mark").toUtf8()).array());
            QJsonArray list;
            for (auto record = records.begin(); record != records.end(); ++record) {
                record->insert("picname", record.key());
                list.append(*record);
            }
            return StandInReply::json(QJsonObject {{"code", "1"}, {"message", "查询成功"}, {"orderpicdescr", list}});
        });
    }
    // Shows a filter of 成品 (全部 by the album's button) and waits until the album shows it.
    bool showFilter(int filter, int rows)
    {
        if (filter == SELE_USED)
            panel()->clickUsedPhoto();
        else if (filter == SELE_UNUSED)
            panel()->clickUnusedPhoto();
        else
            panel()->clickFinePhoto();
        return waitUntil([&] {
            return panel()->seleType == filter && table()->model()->rowCount() == rows
                && (rows == 0 ? !view()->isShownImage() : showsPicture(shownRow(0)));
        });
    }
    // The name of a row of the album shown.
    QString shownRow(int row) const { return table()->model()->index(row, 0).data().toString(); }
    // The pane has the picture of the store's current photo on screen, that album's file.
    bool showsCurrentPhoto() const
    {
        return view()->isShownImage() && ImageData::getInstance()->getCurrentIndex() >= 0
            && view()->shownPhoto().GetBigImagePath() == ImageData::getInstance()->getCurrentImage().GetBigImagePath();
    }
    // The pane has the picture of that photo on screen.
    bool showsPicture(const QString& name) const
    {
        return view()->isShownImage() && view()->shownPhoto().GetImageName() == name;
    }
    void selectRows(const QList<int>& rows)
    {
        table()->clearSelection();
        for (int row : rows)
            table()->selectionModel()->select(
                table()->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void useInProducts(const QStringList& names)
    {
        Product product;
        product.pics = names;
        ProductData::m_products = {product};
    }

    // The first photo replaced by a grey picture with a green patch where its crop lies and a
    // magenta one where its mark lies.
    static QImage patchedPhoto()
    {
        QImage photo(300, 200, QImage::Format_RGB32);
        photo.fill(QColor(128, 128, 128));
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x) {
                if (cropPatch().contains(x, y))
                    photo.setPixelColor(x, y, Qt::green);
                else if (markPatch().contains(x, y))
                    photo.setPixelColor(x, y, Qt::magenta);
            }
        return photo;
    }
    static QRect cropPatch() { return QRect(200, 30, 70, 60); }
    static QRect markPatch() { return QRect(30, 110, 80, 60); }
    // Every sample of the rectangle's inner part (JPEG blurs its edges) has the colour.
    static bool covers(const QImage& picture, const QRect& rect, const QColor& colour)
    {
        const QRect inner = rect.adjusted(rect.width() / 5, rect.height() / 5, -rect.width() / 5, -rect.height() / 5);
        if (inner.isEmpty() || !picture.rect().contains(inner))
            return false;
        for (const QPoint& at :
            {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight(), inner.center()}) {
            const QColor c = picture.pixelColor(at);
            if (qAbs(c.red() - colour.red()) > 60 || qAbs(c.green() - colour.green()) > 60
                || qAbs(c.blue() - colour.blue()) > 60)
                return false;
        }
        return true;
    }
    // The marks of a photo as a mark editor opened on picture shows them, in photo pixels.
    QList<QRect> marksAsEdited(const QImage& picture, const QString& name)
    {
        addFrontDlg editor;
        editor.show();
        editor.setData(picture, name);
        [&] { QVERIFY(waitUntil([&] { return !editor.isLoadingMarks(); })); }();
        const QRect painted = editor.pictureRect();
        QList<QRect> marks;
        for (ZKMarkEdit* edit : editor.markEdits())
            marks << ImageOperation::scaleRectBySize(
                painted.size(), edit->marker->geometry().translated(-painted.topLeft()), picture.size());
        editor.close();
        return marks;
    }

    // What the rotation rows draw on p01.jpg of 成品 before a turn.
    enum Drawing { DrawsCrop = 0x1, DrawsMarks = 0x2, DrawsMarksPicture = 0x4 };
    static QRect cropThousand()
    {
        return ImageOperation::scaleRectBySize(
            QSize(300, 200), cropPatch(), QSize(300, 200).scaled(1000, 1000, Qt::KeepAspectRatio));
    }
    // The pixels in which two pictures of one size differ plainly; all of them for another size.
    static int differingPixels(const QImage& a, const QImage& b)
    {
        if (a.size() != b.size())
            return a.width() * a.height() + 1;
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 40)
                    ++count;
        return count;
    }
    // The levels of a photo that the patched picture, turned by quarter turns, is missing from:
    // each must show both patches where the turn put them.
    static QStringList levelsNotShowing(const Image& photo, int quarter)
    {
        const QSize turned = QuarterTurn::turnedSize(QSize(300, 200), quarter);
        QStringList wrong;
        for (const QString& level : {photo.GetMiddleImagePath(), photo.GetImagePath(), photo.GetThumbPath100()}) {
            const QImage picture = ImageOperation::loadImage(level);
            auto onLevel = [&](const QRect& patch) {
                return ImageOperation::scaleRectBySize(
                    turned, QuarterTurn::turnedRect(patch, QSize(300, 200), quarter), picture.size());
            };
            if (picture.isNull() || (picture.width() > picture.height()) != (turned.width() > turned.height())
                || !covers(picture, onLevel(cropPatch()), Qt::green)
                || !covers(picture, onLevel(markPatch()), Qt::magenta))
                wrong << level;
        }
        return wrong;
    }
    // Puts the patched picture in p01.jpg of 成品 and shows it, with what drawing names: a crop over
    // the green patch (posted and its crop thumbnail made, as a crop commit does), a mark over the
    // magenta patch stored on the back end, and the marks picture. The back end's marks load
    // answers the marks stored last, after delayMs.
    void drawOnFirstPhoto(int drawing, int delayMs = 0)
    {
        const QString name = QStringLiteral("p01.jpg");
        QVERIFY(patchedPhoto().save(m_order->album(QStringLiteral("成品")) + name, "JPG", 100));
        // Its thumbnails show the same picture, so that every level the viewer and the crop
        // thumbnail read from agrees.
        const Image record = finePhoto(name);
        for (const QString& level : {record.GetImagePath(), record.GetMiddleImagePath(), record.GetThumbPath100()})
            if (QFileInfo::exists(level))
                QVERIFY(patchedPhoto().scaled(QImage(level).size()).save(level, "JPG", 100));
        m_backend->setHandler("order", "getorderpicmark", [this, delayMs](const StandInRequest&) {
            const QList<StandInRequest> saves = m_backend->requestsTo("order", "updateorderpicmark");
            const QJsonArray marks
                = saves.isEmpty() ? QJsonArray() : QJsonDocument::fromJson(saves.last().value("mark").toUtf8()).array();
            return StandInReply::json(QJsonObject {{"code", "1"}, {"mark", marks}}).delayed(delayMs);
        });
        table()->selectRow(1);
        QVERIFY(waitUntil([] { return current() == QLatin1String("p02.jpg"); }));
        table()->selectRow(0);
        QVERIFY(waitUntil([&] { return current() == name && showsCurrentPhoto() && view()->isFullSizeLoaded(); }));
        QVERIFY(postsAnswered(m_window.get()));
        if (drawing & DrawsCrop) {
            const int posts = m_backend->requestsTo("order", "updateorderpic").size();
            QVERIFY(ImageData::getInstance()->setCurrentClipRect(cropThousand(), true));
            panel()->onClipChanged();
            QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updateorderpic").size() == posts + 1; }));
            QVERIFY(postsAnswered(m_window.get()));
            // A crop thumbnail that only a new one replaces: the turn must make it again.
            QVERIFY(QDir().mkpath(DirServer::getClipThumbPath()));
            QImage stale(88, 75, QImage::Format_RGB32);
            stale.fill(Qt::red);
            QVERIFY(stale.save(DirServer::getClipThumbPath() + name, "JPG", 100));
        }
        if (drawing & DrawsMarks) {
            // A mark drawn over the magenta patch in an editor, and saved.
            addFrontDlg editor;
            editor.show();
            editor.setData(patchedPhoto(), name);
            QVERIFY(waitUntil([&] { return !editor.isLoadingMarks(); }));
            const QRect painted = editor.pictureRect();
            const QRect frame = ImageOperation::scaleRectBySize(QSize(300, 200), markPatch(), painted.size())
                                    .translated(painted.topLeft());
            const QString mark = MarkString::toString(frame, 1, 1, QColor("#ff0000"), QStringLiteral("去掉-这里"));
            BackendPost::post(
                Config::url_post_imgMarks, MarkPost::saveBody({mark}, name), this, [](const BackendReply&) {});
            QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updateorderpicmark").size() == 1; }));
            editor.close();
            QCOMPARE(marksAsEdited(patchedPhoto(), name).size(), 1);
            QVERIFY(covers(patchedPhoto(), marksAsEdited(patchedPhoto(), name).value(0), Qt::magenta));
        }
        if (drawing & DrawsMarksPicture) {
            QVERIFY(QDir().mkpath(DirServer::getMarkerPath()));
            QVERIFY(patchedPhoto().save(DirServer::getMarkerPath() + name, "JPG", 100));
        }
        view()->showImage();
        QVERIFY(waitUntil([&] { return view()->isFullSizeLoaded(); }));
    }
    // Turns the shown photo by turns (+1 clockwise, -1 anticlockwise) and saves, saves times, each
    // save pressed the moment the button is back.
    void saveTurns(const QList<int>& turns, int saves = 1)
    {
        QPushButton* save = viewButton("rotateSaveBtn");
        for (int i = 0; i < saves; ++i) {
            for (int turn : turns)
                viewButton(turn > 0 ? "BottomButton_RotateClockWise" : "BottomButton_RotateAntiClockWise")->click();
            save->click();
            QVERIFY(waitUntil([&] { return save->text() == QStringLiteral("旋转保存") && save->isEnabled(); }));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        Config::order_id = QStringLiteral("1001");
        Config::shop_id = QStringLiteral("7");
        Config::super_id = QStringLiteral("3");
        Config::order_sample_infoid = QStringLiteral("30001");
        // The set-aside popup ends at once.
        MoviceDialog::last = 10;
    }

    void init()
    {
        m_backend.reset();
        m_prompts = std::make_unique<PromptRecorder>();
        m_order = std::make_unique<OrderFolder>(OrderFolder::DemoShare | OrderFolder::ThumbnailFolders);
        m_order->addPhotos(QStringLiteral("成品"), {"p01.jpg", "p02.jpg", "p03.jpg"});
        Config::show_mode = 1;
        Config::isLocked = false;
        Config::isDelWarn = false;
        Config::isShowDeleteButton = true;
        Config::delete_style = QString();
        m_window = std::make_unique<SelectPhotoView>();
        m_window->resize(1400, 900);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QVERIFY(waitUntil([&] {
            return album() == PHOTO_FINE && table()->model()->rowCount() == 3 && view()->isShownImage()
                && viewButton("BottomButton_Clip")->isEnabled();
        }));
        // The order's loads (products, picture information) answer after the album shows; each
        // shows the table anew, which would drop a selection a test makes before them. The crop
        // sizes are loaded by the chooser, a window of its own until it is first opened.
        QVERIFY(postsAnswered(m_window.get()));
        QVERIFY(postsAnswered(view()->trimDlg()));
        AlbumPanelFixture::settle();
    }

    void cleanup()
    {
        for (TrimDlg* chooser : topLevelWindows<TrimDlg>())
            chooser->hide();
        m_window.reset();
        AlbumPanelFixture::settle();
        ImageData::getInstance()->clearImages();
        ProductData::m_products.clear();
        ProductData::useImages.clear();
        m_order.reset();
        m_prompts.reset();
        Config::isShowDeleteButton = false;
    }

    // While the crop-size chooser is open the window takes no clicks: no album is switched
    // under a frame.
    void chooserBlocksTheWindow()
    {
        viewButton("BottomButton_Clip")->click();
        TrimDlg* chooser = view()->trimDlg();
        QVERIFY(chooser->isVisible());
        QCOMPARE(chooser->parentWidget(), m_window.get());
        QVERIFY(chooser->isWindow());

        QPushButton* setAside = panelButton(QStringLiteral("汰片"));
        QVERIFY(setAside && setAside->isVisible());
        const QPoint at = setAside->mapTo(m_window.get(), setAside->rect().center());
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(panel()->currentType, int(PHOTO_FINE));
        QVERIFY(!setAside->isChecked());

        // Once it is closed the same click switches.
        chooser->findChild<QPushButton*>(QStringLiteral("OKSELECTEBUTTON"))->click();
        QVERIFY(!chooser->isVisible());
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(panel()->currentType, int(PHOTO_DELETED));
    }

    // A frame started in 成品 is dropped when 汰片, empty, is shown: Return (the confirm
    // button's shortcut), the pane's "取消" and the chooser's "取消裁剪" store nothing. Without
    // the switch, Return commits the frame.
    void frameIsDroppedWhenTheAlbumEmpties_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("switches");
        QTest::newRow("Return") << "Return" << true;
        QTest::newRow("pane's cancel") << "pane" << true;
        QTest::newRow("chooser's cancel") << "chooser" << true;
        QTest::newRow("Return in 成品") << "Return" << false;
    }

    void frameIsDroppedWhenTheAlbumEmpties()
    {
        QFETCH(QString, how);
        QFETCH(bool, switches);
        viewButton("BottomButton_Clip")->click();
        TrimDlg* chooser = view()->trimDlg();
        emit chooser->SendSelectedrcPara(6, 4, false); // a size clicked
        QCOMPARE(view()->editMode(), 2);
        const QString framed = current();
        QSignalSpy changed(view(), &PhotoView::sendClipChanged);

        if (how == QLatin1String("chooser")) {
            // The chooser stays open: the switch comes from elsewhere than the blocked window.
            panel()->clickDeletePhoto();
        } else {
            chooser->findChild<QPushButton*>(QStringLiteral("OKSELECTEBUTTON"))->click();
            QApplication::setActiveWindow(m_window.get());
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            if (switches)
                panelButton(QStringLiteral("汰片"))->click();
        }
        if (switches) {
            QVERIFY(waitUntil([] { return album() == PHOTO_DELETED; }));
            AlbumPanelFixture::settle();
            QCOMPARE(ImageData::getInstance()->getCurrentIndex(), -1);
        }

        QPushButton* confirm = viewButton("BottomButton_CommitClip");
        if (how == QLatin1String("Return")) {
            QTest::keyClick(m_window.get(), Qt::Key_Return);
            // The shortcut presses the button and clicks it a moment later.
            QVERIFY(waitUntil([&] { return !confirm->isDown(); }));
        } else if (how == QLatin1String("pane"))
            viewButton("BottomButton_CancelClip")->click();
        else
            chooser->findChild<QPushButton*>(QStringLiteral("CANCELBUTTON"))->click();

        QCOMPARE(changed.count(), switches ? 0 : 1);
        QCOMPARE(view()->editMode(), 0);
        QCOMPARE(confirm->text(), QString());
        if (!switches) {
            QCOMPARE(current(), framed);
            QVERIFY(!ImageData::getInstance()->getCurrentImage().GetTrimrc().isEmpty());
        }
        QCOMPARE(m_prompts->count(), 0);
    }

    // A crop or a remark made while 已选 or 未选 is shown lands on the photo in 成品: a rebuild
    // of the filters (as after a product change), another filter, and 全部 read again from the
    // back end all keep it, and the one record posted is the photo's own.
    void editUnderAFilterStaysOnThePhoto_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("edit");
        QTest::newRow("crop under 已选") << int(SELE_USED) << "crop";
        QTest::newRow("crop under 未选") << int(SELE_UNUSED) << "crop";
        QTest::newRow("remark under 已选") << int(SELE_USED) << "remark";
    }

    void editUnderAFilterStaysOnThePhoto()
    {
        QFETCH(int, filter);
        QFETCH(QString, edit);
        QVERIFY(postsAnswered(m_window.get()));
        Product product;
        product.pics = QStringList {QStringLiteral("p02.jpg")};
        ProductData::m_products = {product};
        keepPostedRecords();
        const int other = filter == SELE_USED ? SELE_UNUSED : SELE_USED;
        const auto rows = [](int sel) { return sel == SELE_USED ? 1 : 2; };
        // The last photo of the filter: p02 under 已选, p03 under 未选.
        const QString name = filter == SELE_USED ? QStringLiteral("p02.jpg") : QStringLiteral("p03.jpg");
        QVERIFY(showFilter(filter, rows(filter)));
        table()->selectRow(rows(filter) - 1);
        QVERIFY(waitUntil([&] { return showsPicture(name) && viewButton("BottomButton_Remark")->isEnabled(); }));
        m_backend->clearRequests();

        if (edit == QLatin1String("crop")) {
            viewButton("BottomButton_Clip")->click();
            TrimDlg* chooser = view()->trimDlg();
            emit chooser->SendSelectedrcPara(6, 4, false);
            chooser->findChild<QPushButton*>(QStringLiteral("OKSELECTEBUTTON"))->click();
            viewButton("BottomButton_CommitClip")->click();
        } else {
            viewButton("BottomButton_Remark")->click();
            const QList<addFrontDlg*> editors = topLevelWindows<addFrontDlg>();
            QCOMPARE(editors.size(), 1);
            QPointer<addFrontDlg> editor = editors.first();
            QVERIFY(waitUntil([&] { return editor->hasLoadedMarks(); }));
            editor->findChild<QPushButton*>(QStringLiteral("pushButton"))->click(); // its three marks saved
            QVERIFY(waitUntil([&] { return editor->isSaved(); }));
            editor->close();
            QVERIFY(waitUntil([&] { return editor.isNull(); }));
        }
        const Image edited = finePhoto(name);
        if (edit == QLatin1String("crop"))
            QVERIFY(edited.GetTrimrc().width() > 1 && edited.GetTrimrc().height() > 1);
        else
            QCOMPARE(edited.GetStrneed(), QStringLiteral("已有3个标注"));

        QVERIFY(postsAnswered(m_window.get()));
        const QList<StandInRequest> posts = m_backend->requestsTo("order", "updateorderpic");
        QCOMPARE(posts.size(), 1);
        const QRect crop = edited.GetTrimrc();
        QCOMPARE(posts.first().value("picname"), name);
        QCOMPARE(posts.first().value("descr"), edited.GetStrneed());
        QCOMPARE((QStringList {posts.first().value("picx"), posts.first().value("picy"),
                     posts.first().value("picwidth"), posts.first().value("picheight")}),
            (QStringList {QString::number(crop.left()), QString::number(crop.top()), QString::number(crop.width()),
                QString::number(crop.height())}));
        QCOMPARE(posts.first().value("pictype"), QStringLiteral("0"));

        const auto keeps = [&](const Image& photo) {
            return photo.GetImageName() == name && photo.GetTrimrc() == crop && !photo.isEllipse()
                && photo.GetStrneed() == edited.GetStrneed();
        };
        panel()->refreshImageProduct();
        QVERIFY(keeps(finePhoto(name)));
        QVERIFY(keeps(ImageData::getInstance()->getImagelist(SELETYPE(filter)).value(rows(filter) - 1)));
        QVERIFY(showFilter(other, rows(other)));
        QVERIFY(showFilter(filter, rows(filter)));
        QVERIFY(keeps(finePhoto(name)));
        QVERIFY(keeps(ImageData::getInstance()->getImagelist(SELETYPE(filter)).value(rows(filter) - 1)));
        QVERIFY(showFilter(SELE_ALL, 3));
        QVERIFY(keeps(finePhoto(name)));
        QCOMPARE(m_backend->requestsTo("order", "updateorderpic").size(), 1);
        QVERIFY(m_prompts->texts().filter(QStringLiteral("错误")).isEmpty());
    }

    // Every move between 成品 and 汰片 is recorded once, with the names moved, whichever road
    // made it: the album panel, the pane's Delete key, the full-screen view. Each moves the file
    // on screen and names it as it is spelt on disk (a camera's p04.JPG, whose photo is p04.jpg,
    // also beside a p04.jpg of its own), and the album lists it no more.
    void setAsideIsRecordedOnceOnEveryRoad_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("twin"); // a file of the same photo name beside it, if any
        const QList<QStringList> files {{"p02.jpg", ""}, {"p04.JPG", ""}, {"p04.JPG", "p04.jpg"}};
        const QList<QStringList> roads {
            {"album panel", "panel"}, {"pane's Delete key", "pane"}, {"full screen", "full screen"}};
        for (const QStringList& file : files) {
            const QString beside = file.at(1).isEmpty() ? QString() : QStringLiteral(" beside ") + file.at(1);
            for (const QStringList& road : roads)
                QTest::addRow("%s, %s%s", qPrintable(road.at(0)), qPrintable(file.at(0)), qPrintable(beside))
                    << road.at(1) << file.at(0) << file.at(1);
        }
    }

    void setAsideIsRecordedOnceOnEveryRoad()
    {
        QFETCH(QString, road);
        QFETCH(QString, file);
        QFETCH(QString, twin);
        Config::shotCutKey[16] = 0;
        Config::shotCutKey[17] = Qt::Key_Delete;
        if (file != QLatin1String("p02.jpg")) {
            m_order->addPhotos(QStringLiteral("成品"), twin.isEmpty() ? QStringList {file} : QStringList {file, twin});
            QVERIFY(showFilter(SELE_ALL, twin.isEmpty() ? 4 : 5));
            // The album's loads show the table anew, which would drop the selection below.
            QVERIFY(postsAnswered(m_window.get()));
            AlbumPanelFixture::settle();
        }
        const QList<Image>& album = ImageData::getInstance()->getImagelist(SELE_ALL);
        int row = 0;
        while (row < album.size() && album.at(row).ownFileName() != file)
            ++row;
        QVERIFY(row < album.size());
        const QString path = album.at(row).GetBigImagePath();
        table()->selectRow(row);
        QVERIFY(waitUntil([&] { return showsCurrentPhoto() && view()->shownPhoto().GetBigImagePath() == path; }));
        QVERIFY(postsAnswered(m_window.get()));
        m_backend->clearRequests();
        const int rows = table()->model()->rowCount();

        if (road == QLatin1String("panel")) {
            panel()->dropButtonSlot(USAGE_TO_DELETED);
        } else if (road == QLatin1String("pane")) {
            QTest::keyClick(view(), Qt::Key_Delete);
        } else {
            QTest::mouseDClick(view()->imageEditer(), Qt::LeftButton);
            QVERIFY(waitUntil([] { return topLevelWindows<FullScreenView>().size() == 1; }));
            FullScreenView* full = topLevelWindows<FullScreenView>().first();
            QTest::keyRelease(full, Qt::Key_Delete);
            QVERIFY(waitUntil([&] { return !filesIn(QStringLiteral("汰片")).isEmpty(); }));
            QVERIFY(waitUntil([] { return topLevelWindows<MoviceDialog>().isEmpty(); }));
            full->close();
            QVERIFY(waitUntil([] { return topLevelWindows<FullScreenView>().isEmpty(); }));
        }
        QVERIFY(waitUntil([&] { return filesIn(QStringLiteral("汰片")) == QStringList {file}; }));
        QVERIFY(waitUntil([] { return topLevelWindows<MoviceDialog>().isEmpty(); }));
        AlbumPanelFixture::settle();
        QVERIFY(postsAnswered(m_window.get()));
        const QList<StandInRequest> records = m_backend->requestsTo("order", "putMoveImg");
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first().value("type"), QStringLiteral("1"));
        QCOMPARE(records.first().value("picpath"), file);
        QCOMPARE(records.first().value("order_photo_id"), QStringLiteral("1001"));
        QCOMPARE(m_prompts->count(), 0);
        QVERIFY(!filesIn(QStringLiteral("成品")).contains(file));
        QCOMPARE(filesIn(QStringLiteral("成品")).contains(twin), !twin.isEmpty());
        // The table and the icons list the photos left, the same ones.
        QCOMPARE(table()->model()->rowCount(), rows - 1);
        QStringList listed;
        QStringList iconNames;
        QListWidget* icons = panel()->findChild<QListWidget*>();
        for (int i = 0; i < table()->model()->rowCount(); ++i)
            listed << shownRow(i);
        for (int i = 0; i < icons->count(); ++i)
            iconNames << icons->item(i)->toolTip();
        QCOMPARE(iconNames, listed);
        QCOMPARE(imageNames(ImageData::getInstance()->getImagelist(SELE_ALL)), listed);
    }

    // A raw photo or a design picture deleted from the pane or full screen is the file on
    // screen: of p04.JPG beside p04.jpg (one name in the store), the one shown goes, and the
    // deletion record names it as the album panel does.
    void deletionTakesTheFileOnScreen_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("road");
        QTest::newRow("照片, pane's Delete key") << "照片"
                                                 << "pane";
        QTest::newRow("设计, pane's Delete key") << "设计"
                                                 << "pane";
        QTest::newRow("设计, full screen") << "设计"
                                           << "full screen";
    }

    void deletionTakesTheFileOnScreen()
    {
        QFETCH(QString, album);
        QFETCH(QString, road);
        Config::shotCutKey[16] = 0;
        Config::shotCutKey[17] = Qt::Key_Delete;
        Config::isDelOrigin = true;
        Config::is_del_design_photo = true;
        Config::is_del_design_prompt = false;
        const QString file = QStringLiteral("p04.JPG");
        const QString twin = QStringLiteral("p04.jpg");
        m_order->addPhotos(album, {"p01.jpg", file, twin});
        const bool raw = album == QStringLiteral("照片");
        raw ? panel()->clickRawPhoto() : panel()->clickDesignPhoto();
        QVERIFY(waitUntil([&] {
            return ImageData::getInstance()->getType() == (raw ? PHOTO_RAW : PHOTO_DESIGN)
                && table()->model()->rowCount() == 3;
        }));
        QVERIFY(postsAnswered(m_window.get()));
        AlbumPanelFixture::settle();
        const QList<Image>& listed = ImageData::getInstance()->getImagelist(SELE_ALL);
        int row = 0;
        while (row < listed.size() && listed.at(row).ownFileName() != file)
            ++row;
        QVERIFY(row < listed.size());
        const QString path = listed.at(row).GetBigImagePath();
        table()->selectRow(row);
        QVERIFY(waitUntil([&] { return showsCurrentPhoto() && view()->shownPhoto().GetBigImagePath() == path; }));
        QVERIFY(postsAnswered(m_window.get()));
        m_backend->clearRequests();

        if (road == QLatin1String("pane")) {
            QTest::keyClick(view(), Qt::Key_Delete);
        } else {
            QTest::mouseDClick(view()->imageEditer(), Qt::LeftButton);
            QVERIFY(waitUntil([] { return topLevelWindows<FullScreenView>().size() == 1; }));
            FullScreenView* full = topLevelWindows<FullScreenView>().first();
            QTest::keyRelease(full, Qt::Key_Delete);
            QVERIFY(waitUntil([&] { return !filesIn(album).contains(file); }));
            QVERIFY(waitUntil([] { return topLevelWindows<MoviceDialog>().isEmpty(); }));
            full->close();
            QVERIFY(waitUntil([] { return topLevelWindows<FullScreenView>().isEmpty(); }));
        }
        QVERIFY(waitUntil([&] { return !filesIn(album).contains(file); }));
        QVERIFY(waitUntil([] { return topLevelWindows<MoviceDialog>().isEmpty(); }));
        AlbumPanelFixture::settle();
        QVERIFY(postsAnswered(m_window.get()));
        QCOMPARE(filesIn(album), (QStringList {"p01.jpg", twin}));
        if (!raw) {
            QCOMPARE(filesIn(QStringLiteral("设计汰片")), QStringList {file});
            // The record is sent without waiting for its answer.
            QVERIFY(waitUntil([&] { return m_backend->requestsTo("Ordernew", "del_photo").size() == 1; }));
            QCOMPARE(m_backend->requestsTo("Ordernew", "del_photo").first().value("imgs_name"), file);
        }
    }

    // However the view on show empties, the pane shows no photo after it, and neither the
    // crop nor the mark editor acts on the picture that was there or on the store's current
    // photo: nothing is posted and no editor opens. A filter just shown puts its own first
    // photo on screen, and the tools act on that photo; so they do on the photo on screen when
    // the view shrinks under it. While the picture of the photo just stepped to is on its way,
    // the tools wait for it (no frame, no editor, the picture before stays) rather than act on
    // the picture still on screen or on the photo it is not; once it is there they act on it.
    void emptiedViewLeavesNoPhotoToCropOrMark_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("left"); // the photo the tools act on afterwards, if any
        const QStringList ways {"成品's last photo set aside", "未选 set aside at once by the panel",
            "未选 set aside at once by Ctrl+A and Delete", "未选 set aside one after the other by the panel",
            "未选 set aside one after the other by the pane's Delete key", "已选 taken out of its products",
            "已选 taken out of its products by a photo list", "照片's last photo deleted",
            "设计's last picture deleted"};
        for (const QString& way : ways)
            for (const char* tool : {"crop", "marks"})
                QTest::addRow("%s, %s", qPrintable(way), tool) << way << QString::fromLatin1(tool) << QString();
        for (const char* tool : {"crop", "marks"}) {
            QTest::addRow("已选 just shown, %s", tool) << "已选 just shown" << QString::fromLatin1(tool) << "p02.jpg";
            QTest::addRow("a product takes the 未选 photo before the one shown, %s", tool)
                << "a product takes" << QString::fromLatin1(tool) << "p03.jpg";
            QTest::addRow("a step whose picture is on its way, %s", tool)
                << "a step" << QString::fromLatin1(tool) << "p03.jpg";
        }
    }

    void emptiedViewLeavesNoPhotoToCropOrMark()
    {
        QFETCH(QString, way);
        QFETCH(QString, tool);
        QFETCH(QString, left);
        Config::shotCutKey[16] = 0;
        Config::shotCutKey[17] = Qt::Key_Delete;
        Config::is_del_design_photo = true;
        Config::is_del_design_prompt = false;
        QVERIFY(postsAnswered(m_window.get()));
        const auto setAside = [&](const QList<int>& rows) {
            const int before = table()->model()->rowCount();
            selectRows(rows);
            panel()->dropButtonSlot(USAGE_TO_DELETED);
            return waitUntil([&] { return table()->model()->rowCount() == before - rows.size(); });
        };

        if (way.startsWith(QStringLiteral("成品"))) {
            QVERIFY(setAside({0, 1}));
            QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p03.jpg")); }));
            QVERIFY(setAside({0}));
        } else if (way.startsWith(QStringLiteral("未选"))) {
            useInProducts({"p02.jpg"});
            QVERIFY(showFilter(SELE_UNUSED, 2));
            if (way.endsWith(QLatin1String("at once by the panel"))) {
                QVERIFY(setAside({0, 1}));
            } else if (way.endsWith(QLatin1String("Ctrl+A and Delete"))) {
                table()->setFocus();
                QTest::keyClick(table(), Qt::Key_A, Qt::ControlModifier);
                QCOMPARE(table()->selectionModel()->selectedRows().size(), 2);
                QTest::keyClick(panel(), Qt::Key_Delete);
            } else if (way.endsWith(QLatin1String("by the panel"))) {
                QVERIFY(setAside({0}));
                QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p03.jpg")); }));
                QVERIFY(setAside({0}));
            } else {
                table()->selectRow(0);
                QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p01.jpg")); }));
                QTest::keyClick(view(), Qt::Key_Delete);
                // The pane goes on in 未选, on the photo now at the first place.
                QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p03.jpg")); }));
                QTest::keyClick(view(), Qt::Key_Delete);
            }
            QVERIFY(waitUntil([&] { return filesIn(QStringLiteral("汰片")).size() == 2; }));
            QCOMPARE(filesIn(QStringLiteral("成品")), QStringList {"p02.jpg"});
        } else if (way.startsWith(QStringLiteral("已选"))) {
            useInProducts({"p02.jpg", "p03.jpg"});
            QVERIFY(showFilter(SELE_USED, 2));
            if (!way.endsWith(QLatin1String("just shown"))) {
                table()->selectRow(1);
                QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p03.jpg")); }));
                ProductData::m_products.clear();
                // The products panel names the photos it took out; other changes name none.
                if (way.endsWith(QLatin1String("by a photo list")))
                    panel()->refreshImageProduct(QStringList {"p02.jpg", "p03.jpg"});
                else
                    panel()->refreshImageProduct();
            }
        } else if (way == QLatin1String("a product takes")) {
            useInProducts({"p02.jpg"});
            QVERIFY(showFilter(SELE_UNUSED, 2));
            QVERIFY(postsAnswered(m_window.get()));
            table()->selectRow(1);
            QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p03.jpg")); }));
            // 未选 is rebuilt without p01, the photo before the cursor's.
            useInProducts({"p01.jpg", "p02.jpg"});
            panel()->refreshImageProduct();
            QCOMPARE(table()->model()->rowCount(), 1);
        } else if (way == QLatin1String("a step")) {
            const QString held = m_order->album(QStringLiteral("成品")) + QStringLiteral("p03.jpg");
            table()->selectRow(tool == QLatin1String("crop") ? 0 : 1);
            QVERIFY(waitUntil([&] { return showsCurrentPhoto() && view()->isFullSizeLoaded(); }));
            AlbumPanelFixture::settle();
            QVERIFY(postsAnswered(m_window.get()));
            HeldPicture picture(held, m_order->order());
            QVERIFY(picture.isHeld());
            m_backend->clearRequests();
            TrimDlg* chooser = view()->trimDlg();
            if (tool == QLatin1String("crop")) {
                // The slide show steps on to p02, a size is asked for, and the show steps on to
                // p03 under the chooser before a size is clicked (its own timer is set too slow
                // to step in between).
                const auto restore = qScopeGuard([speed = Config::play_speed] { Config::play_speed = speed; });
                Config::play_speed = 3600 * 1000;
                viewButton("BottomButton_Play_Stop")->click();
                QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p02.jpg")) && showsCurrentPhoto(); }));
                viewButton("BottomButton_Clip")->click();
                QVERIFY(chooser->isVisible());
                view()->onTimer();
                view()->stopTimerAcitve();
                QCOMPARE(current(), QStringLiteral("p03.jpg"));
                emit chooser->SendSelectedrcPara(6, 4, false);
                chooser->hide();
                QCOMPARE(view()->editMode(), 0);
                QCOMPARE(viewButton("BottomButton_CommitClip")->text(), QString());
                viewButton("BottomButton_CommitClip")->click();
            } else {
                viewButton("BottomButton_Next")->click();
                QCOMPARE(current(), QStringLiteral("p03.jpg"));
                viewButton("BottomButton_Remark")->click();
                QVERIFY(topLevelWindows<addFrontDlg>().isEmpty());
            }
            // The picture before stays on screen meanwhile, and nothing acted on it.
            QVERIFY(showsPicture(QStringLiteral("p02.jpg")));
            QVERIFY(postsAnswered(m_window.get()));
            QCOMPARE(m_backend->requests().size(), 0);
            QVERIFY(picture.release());
        } else {
            QVERIFY(way.startsWith(QStringLiteral("照片")) || way.startsWith(QStringLiteral("设计")));
            const bool raw = way.startsWith(QStringLiteral("照片"));
            m_order->addPhotos(raw ? QStringLiteral("照片") : QStringLiteral("设计"), {"only.jpg"});
            if (raw)
                panel()->clickRawPhoto();
            else
                panel()->clickDesignPhoto();
            const int shownAlbum = raw ? PHOTO_RAW : PHOTO_DESIGN;
            QVERIFY(waitUntil([&] {
                return album() == shownAlbum && table()->model()->rowCount() == 1
                    && showsPicture(QStringLiteral("only.jpg"));
            }));
            AlbumPanelFixture::settle();
            table()->selectRow(0);
            if (raw)
                panel()->deleteRawImage();
            else
                panel()->del_designphoto();
        }
        if (left.isEmpty()) {
            QVERIFY(waitUntil([&] { return table()->model()->rowCount() == 0 && !view()->isShownImage(); }));
        } else {
            // In a product, so 已选 holds it; 成品's first photo p01 is in none.
            QVERIFY(waitUntil([&] { return showsPicture(left) && showsCurrentPhoto(); }));
        }
        QVERIFY(waitUntil([] { return topLevelWindows<MoviceDialog>().isEmpty(); }));
        AlbumPanelFixture::settle();
        QVERIFY(postsAnswered(m_window.get()));
        m_backend->clearRequests();

        if (tool == QLatin1String("crop")) {
            viewButton("BottomButton_Clip")->click();
            TrimDlg* chooser = view()->trimDlg();
            emit chooser->SendSelectedrcPara(6, 4, false);
            chooser->hide();
            viewButton("BottomButton_CommitClip")->click();
        } else {
            viewButton("BottomButton_Remark")->click();
        }
        const QList<addFrontDlg*> editors = topLevelWindows<addFrontDlg>();
        if (!editors.isEmpty()) {
            QPointer<addFrontDlg> editor = editors.first();
            QVERIFY(waitUntil([&] { return !editor->isLoadingMarks(); }));
            editor->close();
            QVERIFY(waitUntil([&] { return editor.isNull(); }));
        }
        AlbumPanelFixture::settle();
        QVERIFY(postsAnswered(m_window.get()));
        // The photos that a crop was posted for and whose marks an editor asked for.
        QStringList named;
        for (const char* action : {"updateorderpic", "getorderpicmark"})
            for (const StandInRequest& post : m_backend->requestsTo("order", action))
                named << post.value("picname");
        const QStringList expected = left.isEmpty() ? QStringList() : QStringList {left};
        QCOMPARE(named, expected);
        QCOMPARE(editors.size(), tool == QLatin1String("marks") && !left.isEmpty() ? 1 : 0);
        if (tool == QLatin1String("crop") && !left.isEmpty())
            QVERIFY(CropRect::isCrop(finePhoto(left).GetTrimrc()));
        QCOMPARE(view()->editMode(), 0);
        QCOMPARE(view()->isShownImage(), !left.isEmpty());
        QVERIFY(m_prompts->texts().filter(QStringLiteral("错误")).isEmpty());
    }

    // Once the only photo of 汰片 has gone back to 成品 the pane shows no photo, and none of
    // its tools acts on the photo that left: no file is written into 汰片, nothing is posted,
    // no tool window opens.
    void emptiedAlbumLeavesNothingToActOn_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::newRow("rotation save") << "rotate";
        QTest::newRow("upright all") << "upright";
        QTest::newRow("crop") << "crop";
        QTest::newRow("marks") << "marks";
    }

    void emptiedAlbumLeavesNothingToActOn()
    {
        QFETCH(QString, tool);
        table()->selectRow(0);
        QVERIFY(waitUntil([] { return current() == QLatin1String("p01.jpg"); }));
        panel()->dropButtonSlot(USAGE_TO_DELETED);
        QVERIFY(waitUntil([&] { return filesIn(QStringLiteral("汰片")) == QStringList {"p01.jpg"}; }));
        panelButton(QStringLiteral("汰片"))->click();
        // The 成品 photo of the same name was on screen: wait for the 汰片 file's own picture.
        QVERIFY(waitUntil([&] {
            return album() == PHOTO_DELETED && table()->model()->rowCount() == 1
                && current() == QLatin1String("p01.jpg") && showsCurrentPhoto();
        }));
        AlbumPanelFixture::settle();
        table()->selectRow(0);
        panel()->dropButtonSlot(USAGE_TO_FINE);
        QVERIFY(waitUntil([&] { return filesIn(QStringLiteral("汰片")).isEmpty(); }));
        QVERIFY(waitUntil([&] { return table()->model()->rowCount() == 0; }));
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "putMoveImg").size() == 2; }));
        AlbumPanelFixture::settle();
        QVERIFY(!view()->isShownImage());
        const int posted = m_backend->requests().size();
        const int prompts = m_prompts->count();

        if (tool == QLatin1String("rotate")) {
            viewButton("BottomButton_RotateClockWise")->click();
            viewButton("rotateSaveBtn")->click();
        } else if (tool == QLatin1String("upright")) {
            viewButton("BottomButton_AllPhotoForward")->click();
        } else if (tool == QLatin1String("crop")) {
            viewButton("BottomButton_Clip")->click();
            emit view()->trimDlg()->SendSelectedrcPara(6, 4, false);
            viewButton("BottomButton_CommitClip")->click();
        } else {
            viewButton("BottomButton_Remark")->click();
        }
        AlbumPanelFixture::settle();
        QTest::qWait(200);
        QCOMPARE(filesIn(QStringLiteral("汰片")), QStringList());
        QCOMPARE(QDir(m_order->album(QStringLiteral("汰片"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList());
        QCOMPARE(m_backend->requests().size(), posted);
        QCOMPARE(m_prompts->count(), prompts);
        QCOMPARE(view()->editMode(), 0);
        QVERIFY(topLevelWindows<addFrontDlg>().isEmpty());
        QVERIFY(!view()->trimDlg()->isVisible());
        QVERIFY(!view()->isShownImage());
    }

    // A turn saved into a photo turns its crop and its marks with it: both keep covering the
    // part of the picture they were made on, and each is stored once per save, as a crop commit
    // and a marks save store them; the crop thumbnail is made again with the turned crop. A photo
    // set aside keeps its crop and marks by its name and turns them alike. Whether a photo has
    // marks is the back end's to say: they are loaded whether or not a marks picture lies beside
    // it, and nothing is stored when there are none. Two saves in a row while the back end is slow
    // turn the marks twice. A raw or design picture named like a 成品 photo turns nothing of that
    // photo's: its marks picture stays byte for byte, and nothing is posted.
    void savedTurnTurnsCropAndMarks_data()
    {
        QTest::addColumn<QList<int>>("turns"); // +1 clockwise, -1 anticlockwise, per save
        QTest::addColumn<int>("saves");
        QTest::addColumn<int>("drawing");
        QTest::addColumn<int>("album"); // where the turned p01.jpg lies
        const int all = DrawsCrop | DrawsMarks | DrawsMarksPicture;
        QTest::newRow("clockwise") << QList<int> {1} << 1 << all << int(PHOTO_FINE);
        QTest::newRow("anticlockwise") << QList<int> {-1} << 1 << all << int(PHOTO_FINE);
        QTest::newRow("half turn") << QList<int> {1, 1} << 1 << all << int(PHOTO_FINE);
        QTest::newRow("nothing drawn on it") << QList<int> {1} << 1 << 0 << int(PHOTO_FINE);
        QTest::newRow("marks on the back end only") << QList<int> {1} << 1 << int(DrawsMarks) << int(PHOTO_FINE);
        QTest::newRow("two saves, slow marks load") << QList<int> {1} << 2 << all << int(PHOTO_FINE);
        QTest::newRow("three saves, slow marks load") << QList<int> {1} << 3 << all << int(PHOTO_FINE);
        QTest::newRow("set aside") << QList<int> {1} << 1 << all << int(PHOTO_DELETED);
        QTest::newRow("raw namesake") << QList<int> {1} << 1 << all << int(PHOTO_RAW);
        QTest::newRow("design namesake") << QList<int> {1} << 1 << all << int(PHOTO_DESIGN);
    }

    void savedTurnTurnsCropAndMarks()
    {
        QFETCH(QList<int>, turns);
        QFETCH(int, saves);
        QFETCH(int, drawing);
        QFETCH(int, album);
        const QString name = QStringLiteral("p01.jpg");
        drawOnFirstPhoto(drawing, saves > 1 ? 400 : 0);
        if (QTest::currentTestFailed())
            return;
        const QString marksPicture = DirServer::getMarkerPath() + name;
        const QByteArray marksPictureBefore = m_order->read(marksPicture);
        QString file = m_order->album(QStringLiteral("成品")) + name;
        if (album == PHOTO_DELETED) {
            // 汰片 reads the picture information again: the back end gives what was posted.
            keepPostedRecords();
            // The crop commit showed the table anew, without a selection.
            table()->selectRow(0);
            QVERIFY(waitUntil([&] { return panel()->GetSelectedItems(false) == QStringList {name}; }));
            panel()->dropButtonSlot(USAGE_TO_DELETED);
            QVERIFY(waitUntil([&] { return filesIn(QStringLiteral("汰片")) == QStringList {name}; }));
            panel()->clickDeletePhoto();
            file = m_order->album(QStringLiteral("汰片")) + name;
        } else if (album == PHOTO_RAW || album == PHOTO_DESIGN) {
            const QString folder = album == PHOTO_RAW ? QStringLiteral("照片") : QStringLiteral("设计");
            file = m_order->album(folder) + name;
            QVERIFY(patchedPhoto().save(file, "JPG", 100));
            album == PHOTO_RAW ? panel()->clickRawPhoto() : panel()->clickDesignPhoto();
        }
        QVERIFY(waitUntil([&] {
            return ImageData::getInstance()->getType() == album && table()->model()->rowCount() >= 1
                && current() == name && showsCurrentPhoto() && view()->isFullSizeLoaded();
        }));
        AlbumPanelFixture::settle();
        QVERIFY(postsAnswered(m_window.get()));
        const int cropPosts = m_backend->requestsTo("order", "updateorderpic").size();
        const int markPosts = m_backend->requestsTo("order", "updateorderpicmark").size();
        const int requests = m_backend->requests().size();

        saveTurns(turns, saves);
        if (QTest::currentTestFailed())
            return;
        const bool carries = album == PHOTO_FINE || album == PHOTO_DELETED;
        const bool cropped = carries && (drawing & DrawsCrop);
        const bool marked = carries && (drawing & DrawsMarks);
        QVERIFY(waitUntil([&] {
            return m_backend->requestsTo("order", "updateorderpic").size() == cropPosts + (cropped ? saves : 0)
                && m_backend->requestsTo("order", "updateorderpicmark").size() == markPosts + (marked ? saves : 0);
        }));
        QVERIFY(postsAnswered(m_window.get()));
        AlbumPanelFixture::settle();
        QCOMPARE(m_prompts->texts(), QStringList());
        const QImage turned = ImageOperation::loadImage(file);
        const int quarter = ((std::accumulate(turns.begin(), turns.end(), 0) * saves % 4) + 4) % 4;
        QCOMPARE(turned.size(), quarter % 2 ? QSize(200, 300) : QSize(300, 200));
        // Every level shows the photo as the last save left it.
        QCOMPARE(levelsNotShowing(ImageData::getInstance()->getCurrentImage(), quarter).join(" "), QString());
        if (!carries) {
            QCOMPARE(m_backend->requests().size(), requests);
            QCOMPARE(m_order->read(marksPicture), marksPictureBefore);
            return;
        }
        // One marks load per save: the back end says whether there are marks.
        QCOMPARE(m_backend->requestsTo("order", "getorderpicmark").size() - (drawing & DrawsMarks ? 3 : 0), saves);
        if (cropped) {
            // One crop post per save, with the photo's record as the store now holds it.
            const StandInRequest crop = m_backend->requestsTo("order", "updateorderpic").last();
            const QRect posted(crop.value("picx").toInt(), crop.value("picy").toInt(), crop.value("picwidth").toInt(),
                crop.value("picheight").toInt());
            QCOMPARE(crop.value("picname"), name);
            QCOMPARE(crop.value("pictype"), QStringLiteral("1"));
            const Image record = ImageData::getInstance()->pictureInfo(name);
            QCOMPARE(record.GetTrimrc(), posted);
            QVERIFY(record.isEllipse());
            const QSize turnedThousand = turned.size().scaled(1000, 1000, Qt::KeepAspectRatio);
            QVERIFY2(covers(turned, ImageOperation::scaleRectBySize(turnedThousand, posted, turned.size()), Qt::green),
                qPrintable(QStringLiteral("crop %1,%2 %3x%4")
                               .arg(posted.x())
                               .arg(posted.y())
                               .arg(posted.width())
                               .arg(posted.height())));
            // The crop thumbnail is made again from the turned photo, with the turned crop: the
            // green patch under the crop fills it.
            // The crop thumbnail is made again from the turned photo with the turned crop; one with
            // the crop as it was would differ plainly.
            Image photo = ImageData::getInstance()->getCurrentImage();
            photo.setClipRect(posted, true);
            const QImage expected = ImageOperation::sheetIcon(ImageOperation::PhotoFiles::of(photo), 88);
            photo.setClipRect(cropThousand(), true);
            const QImage unturned = ImageOperation::sheetIcon(ImageOperation::PhotoFiles::of(photo), 88);
            QVERIFY(differingPixels(expected, unturned) > 20);
            QVERIFY(waitUntil([&] {
                const QImage thumb(DirServer::getClipThumbPath() + name);
                return differingPixels(thumb.convertToFormat(expected.format()), expected) <= 5;
            }));
        } else {
            QVERIFY(!CropRect::isCrop(ImageData::getInstance()->pictureInfo(name).GetTrimrc()));
        }
        if (marked) {
            // The turned frame lies on the magenta patch as an editor shows it.
            QCOMPARE(m_backend->requestsTo("order", "updateorderpicmark").last().value("picname"), name);
            const QList<QRect> marks = marksAsEdited(turned, name);
            QCOMPARE(marks.size(), 1);
            QVERIFY(covers(turned, marks.first(), Qt::magenta));
            QVERIFY(m_backend->requestsTo("order", "updateorderpicmark").last().value("mark").contains("去掉-这里"));
        }
        // The marks picture is turned with the photo.
        if (drawing & DrawsMarksPicture)
            QCOMPARE(QImage(marksPicture).size(), turned.size());
        else
            QVERIFY(!QFileInfo::exists(marksPicture));
    }

    // A saved turn whose crop or marks could not be stored says so in one box, naming what must
    // be made again; the photo keeps the crop the back end holds.
    void savedTurnNotStoredSaysSoOnce_data()
    {
        QTest::addColumn<QString>("failing"); // endpoints of "order" that fail, or "all"
        QTest::addColumn<bool>("isCropStored");
        QTest::addColumn<QString>("text");
        const QString crop = QStringLiteral("照片已旋转保存，裁剪未能随之旋转：请重新裁剪");
        const QString marks = QStringLiteral("照片已旋转保存，标注未能随之旋转：请打开调修要求重新标注");
        const QString both
            = QStringLiteral("照片已旋转保存，裁剪和标注未能随之旋转：请重新裁剪，并打开调修要求重新标注");
        QTest::newRow("crop post fails") << "updateorderpic" << false << crop;
        QTest::newRow("marks load fails") << "getorderpicmark" << true << marks;
        QTest::newRow("marks store fails") << "updateorderpicmark" << true << marks;
        QTest::newRow("crop post and marks store fail") << "updateorderpic updateorderpicmark" << false << both;
        QTest::newRow("back end unreachable") << "all" << false << both;
    }

    void savedTurnNotStoredSaysSoOnce()
    {
        QFETCH(QString, failing);
        QFETCH(bool, isCropStored);
        QFETCH(QString, text);
        const QString name = QStringLiteral("p01.jpg");
        drawOnFirstPhoto(DrawsCrop | DrawsMarks | DrawsMarksPicture);
        if (QTest::currentTestFailed())
            return;
        const QRect before = finePhoto(name).GetTrimrc();
        const int cropPosts = m_backend->requestsTo("order", "updateorderpic").size();
        if (failing == QLatin1String("all")) {
            scriptEndpoint(m_backend, "order", "updateorderpic", Failure::Refused);
        } else {
            for (const QString& endpoint : failing.split(QLatin1Char(' ')))
                if (endpoint == QLatin1String("getorderpicmark"))
                    scriptEndpoint(m_backend, "order", endpoint, Failure::NotJson);
                else if (endpoint == QLatin1String("updateorderpic"))
                    scriptEndpoint(m_backend, "order", endpoint, Failure::HttpStatus);
                else
                    scriptEndpoint(m_backend, "order", endpoint, Failure::None,
                        QJsonObject {{"code", "0"}, {"message", "保存失败"}});
        }

        saveTurns({1});
        if (QTest::currentTestFailed())
            return;
        QVERIFY(postsAnswered(m_window.get()));
        AlbumPanelFixture::settle();
        QCOMPARE(m_prompts->count(), 1);
        QCOMPARE(m_prompts->last().title, QStringLiteral("提示"));
        QCOMPARE(m_prompts->last().text, text);
        // The photo keeps what the back end holds: the turned crop once its post was accepted.
        const QList<StandInRequest> crops = m_backend->requestsTo("order", "updateorderpic");
        const QRect turnedCrop = failing == QLatin1String("all")
            ? QuarterTurn::turnedThousandRect(before, QSize(300, 200), 1)
            : QRect(crops.last().value("picx").toInt(), crops.last().value("picy").toInt(),
                crops.last().value("picwidth").toInt(), crops.last().value("picheight").toInt());
        if (failing != QLatin1String("all"))
            QCOMPARE(crops.size(), cropPosts + 1);
        QVERIFY(turnedCrop != before);
        QCOMPARE(finePhoto(name).GetTrimrc(), isCropStored ? turnedCrop : before);
        QCOMPARE(ImageData::getInstance()->pictureInfo(name).GetTrimrc(), isCropStored ? turnedCrop : before);
    }

    // While a turn is being saved (its crop post held by the back end), nothing turns a picture,
    // the photo being saved takes no crop or marks, and what is started on another photo
    // outlives the end of the save.
    void whileATurnIsSavedTheToolsWait_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("a turn pressed") << "turn";
        QTest::newRow("全部转正 pressed") << "upright";
        QTest::newRow("a frame started on another photo") << "frame another";
        QTest::newRow("crop and marks of the photo being saved") << "crop and marks";
    }

    void whileATurnIsSavedTheToolsWait()
    {
        QFETCH(QString, meanwhile);
        const QString name = QStringLiteral("p01.jpg");
        drawOnFirstPhoto(DrawsCrop | DrawsMarks);
        if (QTest::currentTestFailed())
            return;
        const QString file = m_order->album(QStringLiteral("成品")) + name;
        const QJsonObject accepted {{"code", "1"}, {"message", "成功"}};
        scriptEndpoint(m_backend, "order", "updateorderpic", Failure::Held, accepted);
        const int cropPosts = m_backend->requestsTo("order", "updateorderpic").size();
        QPushButton* save = viewButton("rotateSaveBtn");
        viewButton("BottomButton_RotateClockWise")->click();
        save->click();
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updateorderpic").size() == cropPosts + 1; }));
        QCOMPARE(save->text(), QStringLiteral("处理中..."));
        const QRect turnedCrop = QuarterTurn::turnedThousandRect(cropThousand(), QSize(300, 200), 1);

        TrimDlg* chooser = view()->trimDlg();
        if (meanwhile == QLatin1String("turn")) {
            for (const char* button : {"BottomButton_RotateClockWise", "BottomButton_RotateAntiClockWise"})
                QVERIFY(!viewButton(button)->isEnabled());
            viewButton("BottomButton_RotateClockWise")->click();
            QCOMPARE(view()->imageEditer()->roll_angle(), 90);
        } else if (meanwhile == QLatin1String("upright")) {
            QVERIFY(!viewButton("BottomButton_AllPhotoForward")->isEnabled());
            for (QAction* action : view()->moreMenu()->actions())
                QVERIFY(action->text() != QStringLiteral("全部转正") || !action->isEnabled());
        } else if (meanwhile == QLatin1String("frame another")) {
            viewButton("BottomButton_Next")->click();
            QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p02.jpg")) && showsCurrentPhoto(); }));
            QVERIFY(viewButton("BottomButton_Clip")->isEnabled());
            viewButton("BottomButton_Clip")->click();
            emit chooser->SendSelectedrcPara(6, 4, false);
            chooser->hide();
            QCOMPARE(view()->editMode(), 2);
        } else {
            // Stepped away and back: the picture is the turned file, its crop and marks not yet.
            viewButton("BottomButton_Next")->click();
            QVERIFY(waitUntil([&] { return showsPicture(QStringLiteral("p02.jpg")); }));
            viewButton("BottomButton_Pre")->click();
            QVERIFY(waitUntil([&] { return showsPicture(name) && showsCurrentPhoto(); }));
            QVERIFY(!viewButton("BottomButton_Clip")->isEnabled());
            QVERIFY(!viewButton("BottomButton_Remark")->isEnabled());
            viewButton("BottomButton_Clip")->click();
            emit chooser->SendSelectedrcPara(6, 4, false);
            chooser->hide();
            QCOMPARE(view()->editMode(), 0);
            viewButton("BottomButton_Remark")->click();
            QVERIFY(topLevelWindows<addFrontDlg>().isEmpty());
        }

        m_backend->releaseHeld();
        scriptEndpoint(m_backend, "order", "updateorderpic", Failure::None, accepted);
        QVERIFY(waitUntil([&] { return save->text() == QStringLiteral("旋转保存"); }));
        QVERIFY(postsAnswered(m_window.get()));
        AlbumPanelFixture::settle();
        QCOMPARE(m_prompts->texts(), QStringList());
        // The photo is turned once, as the save was pressed.
        QCOMPARE(ImageOperation::loadImage(file).size(), QSize(200, 300));
        QCOMPARE(finePhoto(name).GetTrimrc(), turnedCrop);
        if (meanwhile == QLatin1String("turn") || meanwhile == QLatin1String("upright")) {
            QVERIFY(waitUntil([&] { return save->isEnabled() && showsPicture(name); }));
            QCOMPARE(view()->imageEditer()->roll_angle(), 0);
            QVERIFY(viewButton("BottomButton_RotateClockWise")->isEnabled());
            QVERIFY(viewButton("BottomButton_AllPhotoForward")->isEnabled());
        } else if (meanwhile == QLatin1String("frame another")) {
            // The frame is still up on p02, and its commit is posted.
            QCOMPARE(view()->editMode(), 2);
            QVERIFY(showsPicture(QStringLiteral("p02.jpg")));
            const int posts = m_backend->requestsTo("order", "updateorderpic").size();
            viewButton("BottomButton_CommitClip")->click();
            QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updateorderpic").size() == posts + 1; }));
            QCOMPARE(
                m_backend->requestsTo("order", "updateorderpic").last().value("picname"), QStringLiteral("p02.jpg"));
            QVERIFY(CropRect::isCrop(finePhoto(QStringLiteral("p02.jpg")).GetTrimrc()));
        } else {
            // Now the photo takes a new crop, and keeps what the back end accepted last.
            QVERIFY(waitUntil([&] { return viewButton("BottomButton_Clip")->isEnabled() && showsCurrentPhoto(); }));
            const int posts = m_backend->requestsTo("order", "updateorderpic").size();
            viewButton("BottomButton_Clip")->click();
            emit chooser->SendSelectedrcPara(6, 4, false);
            chooser->hide();
            viewButton("BottomButton_CommitClip")->click();
            QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updateorderpic").size() == posts + 1; }));
            QVERIFY(postsAnswered(m_window.get()));
            const StandInRequest last = m_backend->requestsTo("order", "updateorderpic").last();
            const QRect posted(last.value("picx").toInt(), last.value("picy").toInt(), last.value("picwidth").toInt(),
                last.value("picheight").toInt());
            QVERIFY(posted != turnedCrop);
            QCOMPARE(finePhoto(name).GetTrimrc(), posted);
            QCOMPARE(ImageData::getInstance()->pictureInfo(name).GetTrimrc(), posted);
        }
    }

    // The save ends only once its crop thumbnail is written: a second save pressed at once can
    // never have its thumbnail covered by this one's.
    void savedTurnEndsWithItsCropThumbnail()
    {
        const QString name = QStringLiteral("p01.jpg");
        drawOnFirstPhoto(DrawsCrop | DrawsMarks);
        if (QTest::currentTestFailed())
            return;
        scriptEndpoint(m_backend, "order", "updateorderpic", Failure::Held, QJsonObject {{"code", "1"}});
        const int cropPosts = m_backend->requestsTo("order", "updateorderpic").size();
        const int markPosts = m_backend->requestsTo("order", "updateorderpicmark").size();
        QPushButton* save = viewButton("rotateSaveBtn");
        viewButton("BottomButton_RotateClockWise")->click();
        save->click();
        QVERIFY(waitUntil([&] {
            return m_backend->requestsTo("order", "updateorderpic").size() == cropPosts + 1
                && m_backend->requestsTo("order", "updateorderpicmark").size() == markPosts + 1;
        }));
        const QRect turnedCrop = QuarterTurn::turnedThousandRect(cropThousand(), QSize(300, 200), 1);
        {
            // The crop is accepted and its thumbnail job waits in the pool's queue.
            PoolBlocker pool;
            m_backend->releaseHeld();
            QVERIFY(waitUntil([&] { return finePhoto(name).GetTrimrc() == turnedCrop; }));
            QVERIFY(postsAnswered(m_window.get()));
            QCOMPARE(save->text(), QStringLiteral("处理中..."));
            QVERIFY(!save->isEnabled());
        }
        QVERIFY(waitUntil([&] { return save->text() == QStringLiteral("旋转保存") && save->isEnabled(); }));
        Image photo = finePhoto(name);
        photo.setClipRect(turnedCrop, true);
        const QImage expected = ImageOperation::sheetIcon(ImageOperation::PhotoFiles::of(photo), 88);
        const QImage thumb(DirServer::getClipThumbPath() + name);
        QVERIFY(differingPixels(thumb.convertToFormat(expected.format()), expected) <= 5);
    }

    // The album panel makes the turned photo's thumbnail again once, when the turn has ended
    // and its crop is turned, for the row the photo has then.
    void savedTurnRemakesTheThumbnailOfItsRowNow()
    {
        const QString name = QStringLiteral("p02.jpg");
        table()->selectRow(1);
        QVERIFY(waitUntil([&] { return current() == name && showsCurrentPhoto() && view()->isFullSizeLoaded(); }));
        const int cropPosts = m_backend->requestsTo("order", "updateorderpic").size();
        QVERIFY(ImageData::getInstance()->setCurrentClipRect(QRect(100, 100, 300, 200), false));
        panel()->onClipChanged();
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updateorderpic").size() == cropPosts + 1; }));
        QVERIFY(postsAnswered(m_window.get()));
        view()->showImage();
        QVERIFY(waitUntil([&] { return showsCurrentPhoto() && view()->isFullSizeLoaded(); }));
        const QSize size = ImageOperation::loadImage(finePhoto(name).GetBigImagePath()).size();
        const QRect turnedCrop = QuarterTurn::turnedThousandRect(QRect(100, 100, 300, 200), size, 1);
        scriptEndpoint(m_backend, "order", "updateorderpic", Failure::Held, QJsonObject {{"code", "1"}});
        QList<QPair<int, QRect>> remade; // the row asked for, and the photo's crop then
        QObject listening;
        connect(view(), &PhotoView::sendUpdateRotateImg, &listening, [&](int row) {
            remade.append({row, finePhoto(name).GetTrimrc()});
        });
        QPushButton* save = viewButton("rotateSaveBtn");
        viewButton("BottomButton_RotateClockWise")->click();
        save->click();
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updateorderpic").size() == cropPosts + 2; }));

        // The photo before it is set aside meanwhile: p02 is the first row now.
        selectRows({0});
        QVERIFY(waitUntil([&] { return panel()->GetSelectedItems(false) == QStringList {"p01.jpg"}; }));
        panel()->dropButtonSlot(USAGE_TO_DELETED);
        QVERIFY(waitUntil([&] { return filesIn(QStringLiteral("汰片")) == QStringList {"p01.jpg"}; }));
        QVERIFY(remade.isEmpty());
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return save->text() == QStringLiteral("旋转保存"); }));
        QCOMPARE(remade, (QList<QPair<int, QRect>> {{0, turnedCrop}}));
    }

    // After the viewer steps, the album list marks the photo shown, so that a move acts on
    // what the customer sees.
    void moveAfterAStepTakesTheShownPhoto_data()
    {
        QTest::addColumn<bool>("icons");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("shown");
        QTest::newRow(">> in the table") << false << ">>"
                                         << "p02.jpg";
        QTest::newRow("<< among the icons") << true << "<<"
                                            << "p03.jpg";
        QTest::newRow("slide show") << false << "play"
                                    << "p03.jpg";
        QTest::newRow("full screen closed") << false << "full screen"
                                            << "p03.jpg";
    }

    void moveAfterAStepTakesTheShownPhoto()
    {
        QFETCH(bool, icons);
        QFETCH(QString, step);
        QFETCH(QString, shown);
        if (icons)
            panel()->clickSwitchView();
        // The operator clicks the first photo.
        if (icons) {
            QListWidget* list = panel()->findChild<QListWidget*>();
            list->setCurrentRow(0);
            emit list->itemClicked(list->item(0));
        } else {
            table()->selectRow(0);
        }
        QVERIFY(waitUntil([] { return current() == QLatin1String("p01.jpg"); }));
        QVERIFY(waitUntil([&] { return viewButton("BottomButton_Next")->isEnabled(); }));

        if (step == QLatin1String(">>")) {
            viewButton("BottomButton_Next")->click();
        } else if (step == QLatin1String("<<")) {
            viewButton("BottomButton_Pre")->click();
        } else if (step == QLatin1String("play")) {
            viewButton("BottomButton_Play_Stop")->click();
            view()->onTimer();
            view()->stopTimerAcitve();
        } else {
            // The full-screen view closes on the third photo.
            ImageData::getInstance()->setIterator(2, SELE_ALL);
            view()->onUpdate(QStringList());
        }
        QCOMPARE(current(), shown);
        QCOMPARE(panel()->GetSelectedItems(false), QStringList {shown});

        panel()->dropButtonSlot(USAGE_TO_DELETED);
        QVERIFY(waitUntil([&] { return filesIn(QStringLiteral("汰片")) == QStringList {shown}; }));
        QVERIFY(!filesIn(QStringLiteral("成品")).contains(shown));
        QCOMPARE(filesIn(QStringLiteral("成品")).size(), 2);
    }
};

QTEST_MAIN(TestWorkspaceViewer)
#include "tst_workspaceviewer.moc"
