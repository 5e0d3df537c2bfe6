#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/widgetmouse.h"
#include "tools/addfrontdlg.h"
#include "tools/markpicture.h"
#include "tools/markstring.h"
#include "tools/zkmarkedit.h"
#include "tools/zkmarker.h"
#include "tools/zkshapelb.h"

#include <QAction>
#include <QLabel>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(StandInReply)

namespace {

const QString picName = QStringLiteral("IMG_0001.jpg");

QJsonObject marksReply(const QStringList& marks)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"}, {"mark", QJsonArray::fromStringList(marks)}};
}

QString mark(int number, const QString& text = QStringLiteral("提亮"))
{
    return MarkString::toString(QRect(10 * number, 20, 60, 40), 1, number, QColor("#ff0000"), text);
}

// A photo point (of the 1200 pixels wide test photos) on the picture label, as the label paints the photo, and back.
QPoint toLabel(const QRect& picture, const QPoint& onPhoto)
{
    const double scale = picture.width() / 1200.0;
    return picture.topLeft() + QPoint(qRound(onPhoto.x() * scale), qRound(onPhoto.y() * scale));
}

QPoint toPhoto(const QRect& picture, const QPoint& onLabel)
{
    const double scale = 1200.0 / picture.width();
    const QPoint p = onLabel - picture.topLeft();
    return QPoint(qRound(p.x() * scale), qRound(p.y() * scale));
}

// Within one label pixel of the photo point.
bool near(const QPoint& actual, const QPoint& expected, const QRect& picture)
{
    const double pixel = 1200.0 / picture.width();
    return qAbs(actual.x() - expected.x()) <= pixel && qAbs(actual.y() - expected.y()) <= pixel;
}

QString rectText(const QRect& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QLabel* pictureLabel(addFrontDlg* editor)
{
    return editor->findChild<QLabel*>(QStringLiteral("label"));
}

// Where the picture label really paints the photo: the photo's colour found on a grab of the label.
QRect paintedPicture(addFrontDlg* editor)
{
    QLabel* label = pictureLabel(editor);
    const QImage grab = label->grab().toImage();
    QRect found;
    for (int y = 0; y < grab.height(); ++y)
        for (int x = 0; x < grab.width(); ++x)
            if (grab.pixelColor(x, y) == QColor("#3a6ea5"))
                found |= QRect(x, y, 1, 1);
    return found;
}

// The drawn shape of a marker, in picture-label coordinates.
QRect shapeOnLabel(ZKMarker* marker)
{
    QWidget* shape = marker->findChild<ZKShapeLb*>();
    return QRect(shape->mapTo(marker->parentWidget(), QPoint(0, 0)), shape->size());
}

// A left-button drag on the picture label from one label point to another, delivered like the pointer's: to the
// widget under it, passed on to its parents. The pointer first rests at the start (a selected mark shows its edge
// there); only a click there when clickOnly.
void dragOnLabel(addFrontDlg* editor, const QPoint& from, const QPoint& to, bool clickOnly = false)
{
    QLabel* label = pictureLabel(editor);
    QWidget* under = label->childAt(from);
    if (!under)
        under = label;
    const QPoint start = under->mapFrom(label, from);
    WidgetMouse::move(under, start, false);
    if (clickOnly) {
        WidgetMouse::press(under, start);
        WidgetMouse::release(under, start);
        return;
    }
    // The grabbed widget keeps the pointer until the release.
    WidgetMouse::drag(under, start, under->mapFrom(label, to));
}

QList<int> numbers(const addFrontDlg& editor)
{
    QList<int> out;
    for (const ZKMarkEdit* edit : editor.markEdits())
        out << edit->getNum();
    return out;
}

} // namespace

class TestAddFrontDlg : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestBackend> backend;
    std::unique_ptr<OrderFolder> order;

    QString picturePath() const { return DirServer::getMarkerPath() + picName; }

    // An editor shown like the viewer shows it, once its load has been answered; the window is fixed at dialog when
    // one is given, as on a screen of 1.25 times its size.
    QPointer<addFrontDlg> openEditor(const QSize& dialog = QSize(), const QSize& photoSize = QSize(1200, 800))
    {
        QPointer<addFrontDlg> editor = new addFrontDlg;
        editor->setAttribute(Qt::WA_DeleteOnClose);
        if (dialog.isValid())
            fixSize(editor, dialog);
        editor->show();
        if (!QTest::qWaitForWindowExposed(editor))
            return nullptr;
        QImage photo(photoSize, QImage::Format_RGB32);
        photo.fill(QColor("#3a6ea5"));
        editor->setData(photo, picName);
        if (!QTest::qWaitFor([&] { return !editor->isLoadingMarks(); }, 30000))
            return nullptr;
        return editor;
    }

    static void fixSize(QWidget* window, const QSize& size)
    {
        window->setMinimumSize(size);
        window->setMaximumSize(size);
        window->resize(size);
    }

    QList<StandInRequest> savePosts() const { return backend->server().requestsTo("order", "updateorderpicmark"); }

    static void trigger(addFrontDlg* editor, const char* action)
    {
        editor->findChild<QAction*>(QLatin1String(action))->trigger();
    }

private slots:
    void initTestCase()
    {
        backend = std::make_unique<TestBackend>();
        QVERIFY(backend->isReady());
        // The viewer marks the photo under the album cursor.
        order = std::make_unique<OrderFolder>();
        order->add(QStringLiteral("成品"), {picName, QStringLiteral("IMG_0002.jpg")});
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->setType(PHOTO_FINE, SELE_ALL);
        ImageData::getInstance()->setIterator(0, SELE_ALL);
        QCOMPARE(ImageData::getInstance()->getCurrentImage().GetImageName(), picName);
        Config::order_id = QStringLiteral("OP1001");
        Config::super_id = QStringLiteral("28");
        Config::order_sample_infoid = QStringLiteral("S77");
    }

    void init()
    {
        backend->reset();
        QFile::remove(picturePath());
    }

    void markStringsRoundTrip_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("chinese") << QRect(412, 188, 96, 64) << 0 << "#ff0000"
                                 << "眼睛提亮"
                                 << "412,188,96,64-0-7-#ff0000-眼睛提亮";
        QTest::newRow("dashes in the text") << QRect(1, 2, 3, 4) << 1 << "#008000"
                                            << "a-b--去掉-路人-"
                                            << "1,2,3,4-1-7-#008000-a-b--去掉-路人-";
        QTest::newRow("empty text") << QRect(0, 0, 140, 95) << 1 << "#ffa500"
                                    << ""
                                    << "0,0,140,95-1-7-#ffa500-";
        QTest::newRow("lines and markup") << QRect(5, 6, 7, 8) << 0 << "#0000ff"
                                          << "第一行\n<b>x</b> & y=1"
                                          << "5,6,7,8-0-7-#0000ff-第一行\n<b>x</b> & y=1";
        QTest::newRow("off the top left") << QRect(-20, -3, 50, 60) << 0 << "#ffff00"
                                          << "x"
                                          << "0,0,50,60-0-7-#ffff00-x";
    }

    void markStringsRoundTrip()
    {
        QFETCH(QRect, rect);
        QFETCH(int, shape);
        QFETCH(QString, colour);
        QFETCH(QString, text);
        QFETCH(QString, written);
        const QString stored = MarkString::toString(rect, shape, 7, QColor(colour), text);
        QCOMPARE(stored, written);
        const MarkString read = MarkString::parse(stored);
        QVERIFY2(read.isValid(), qPrintable(read.error));
        QCOMPARE(read.rect, QRect(qMax(0, rect.x()), qMax(0, rect.y()), rect.width(), rect.height()));
        QCOMPARE(read.shape, shape);
        QCOMPARE(read.number, 7);
        QCOMPARE(read.color.name(), colour);
        QCOMPARE(read.text, text);
        QCOMPARE(read.toString(), written);
    }

    void malformedMarkStringsAreRefused_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("four fields") << "1,2,3,4-0-1-#ff0000";
        QTest::newRow("three numbers") << "1,2,3-0-1-#ff0000-x";
        QTest::newRow("shape 2") << "1,2,3,4-2-1-#ff0000-x";
        QTest::newRow("number 0") << "1,2,3,4-0-0-#ff0000-x";
        QTest::newRow("number huge") << "1,2,3,4-0-2147483647-#ff0000-x";
        QTest::newRow("frame past the number range") << "2147483000,2,1000,4-0-1-#ff0000-x";
        QTest::newRow("frame taller than the number range") << "1,2,3,2147483647-0-1-#ff0000-x";
        QTest::newRow("empty") << "";
    }

    void malformedMarkStringsAreRefused()
    {
        QFETCH(QString, stored);
        QVERIFY(!MarkString::parse(stored).isValid());
    }

    void loadsThePhotosMarks()
    {
        QPointer<addFrontDlg> editor = openEditor();
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QStringLiteral("调修要求"));
        QVERIFY(editor->hasLoadedMarks());
        QCOMPARE(numbers(*editor), (QList<int> {1, 2, 3}));
        QCOMPARE(editor->markEdits().at(2)->getEditText(), QStringLiteral("裙摆拉长-自然一点"));
        QCOMPARE(editor->markEdits().at(1)->marker->geometry(), QRect(860, 240, 180, 320));
        QCOMPARE(editor->markEdits().at(0)->marker->getShapeEn(), ZKMarker::Ellipse);
        QVERIFY(editor->isSaved());

        const StandInRequest load = backend->server().requestsTo("order", "getorderpicmark").value(0);
        QVERIFY(load.body.startsWith('&'));
        QCOMPARE(load.keys(), (QStringList {"order_photo_id", "companyid", "picname", "order_sample_infoid"}));
        QCOMPARE(load.value("picname"), picName);
        QCOMPARE(load.value("order_photo_id"), QStringLiteral("OP1001"));
        QCOMPARE(load.value("order_sample_infoid"), QStringLiteral("S77"));
        QVERIFY(load.target.endsWith("&token=" + Config::token.toUtf8()));

        PromptRecorder prompts;
        editor->close();
        QTRY_VERIFY_WITH_TIMEOUT(editor.isNull(), 30000);
        QCOMPARE(prompts.count(), 0); // nothing changed, nothing asked
    }

    void noMarksAreMadeBeforeTheStoredOnesArrive()
    {
        backend->server().setReply(
            "order", "getorderpicmark", StandInReply::json(marksReply({mark(1), mark(2), mark(3)})).held());
        std::unique_ptr<addFrontDlg> editor = std::make_unique<addFrontDlg>();
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        editor->setData(QImage(), picName);
        QTRY_COMPARE_WITH_TIMEOUT(backend->server().heldCount(), 1, 30000);
        trigger(editor.get(), "square");
        QVERIFY(editor->markEdits().isEmpty());
        QVERIFY(!editor->findChild<QPushButton*>("pushButton")->isEnabled());

        backend->server().releaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(!editor->isLoadingMarks(), 30000);
        QVERIFY(editor->findChild<QPushButton*>("pushButton")->isEnabled());
        trigger(editor.get(), "square");
        QCOMPARE(numbers(*editor), (QList<int> {1, 2, 3, 4}));
    }

    void numbersOfDeletedMarksAreHandedOutAgain_data()
    {
        QTest::addColumn<QList<int>>("loaded");
        QTest::addColumn<QList<int>>("deleted");
        QTest::addColumn<QList<int>>("added");
        QTest::newRow("gap in the loaded marks") << QList<int> {1, 3, 4} << QList<int> {} << QList<int> {2, 5};
        QTest::newRow("ten, deleting 10 and 9")
            << QList<int> {1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << QList<int> {10, 9} << QList<int> {9, 10, 11};
        QTest::newRow("no marks") << QList<int> {} << QList<int> {} << QList<int> {1, 2};
    }

    void numbersOfDeletedMarksAreHandedOutAgain()
    {
        QFETCH(QList<int>, loaded);
        QFETCH(QList<int>, deleted);
        QFETCH(QList<int>, added);
        QStringList marks;
        for (int n : loaded)
            marks << mark(n);
        backend->server().setReply("order", "getorderpicmark", StandInReply::json(marksReply(marks)));
        QPointer<addFrontDlg> editor = openEditor();
        QVERIFY(editor);
        QCOMPARE(numbers(*editor), loaded);
        for (int n : deleted) {
            for (ZKMarkEdit* edit : editor->markEdits())
                if (edit->getNum() == n)
                    edit->findChild<QPushButton*>()->click();
        }
        QList<int> expected = loaded;
        for (int n : deleted)
            expected.removeOne(n);
        QCOMPARE(numbers(*editor), expected);
        for (int i = 0; i < added.size(); ++i)
            trigger(editor, i % 2 ? "ellipse" : "square");
        QCOMPARE(numbers(*editor).mid(expected.size()), added);
        QVERIFY(!editor->isSaved());
        PromptRecorder prompts;
        prompts.answer(QMessageBox::No);
        editor->close();
        QTRY_VERIFY_WITH_TIMEOUT(editor.isNull(), 30000);
        QCOMPARE(savePosts().size(), 0);
    }

    void savePostsTheMarksAndWritesThePicture()
    {
        backend->server().setReply("order", "getorderpicmark",
            StandInReply::json(marksReply({mark(1, "眼睛-提亮"), mark(5, "去掉路人"), mark(3, "a-b")})));
        QPointer<addFrontDlg> editor = openEditor();
        QVERIFY(editor);
        QSignalSpy need(editor.data(), &addFrontDlg::sendNeedMessage);
        trigger(editor, "blue");
        trigger(editor, "ellipse"); // number 2: the lowest free one
        editor->markEdits().last()->setEditText(QStringLiteral("天空-换蓝"));
        editor->markEdits().first()->marker->move(-20, -5);

        PromptRecorder prompts;
        editor->findChild<QPushButton*>("pushButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(savePosts().size(), 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(editor->isSaved(), 30000);
        QVERIFY(prompts.contains(QStringLiteral("提示"), QStringLiteral("保存成功")));
        QCOMPARE(need.count(), 1);
        QCOMPARE(ImageData::getInstance()->getCurrentImage().GetStrneed(), QStringLiteral("已有4个标注"));

        const StandInRequest save = savePosts().first();
        QVERIFY(save.body.startsWith('&'));
        QVERIFY(save.target.endsWith("&token=" + Config::token.toUtf8()));
        QCOMPARE(save.keys(), (QStringList {"order_photo_id", "mark", "picname", "order_sample_infoid"}));
        QCOMPARE(save.value("picname"), picName);
        const QStringList expected = {
            MarkString::toString(QRect(0, 0, 60, 40), 1, 1, QColor("#ff0000"), "眼睛-提亮"),
            MarkString::toString(QRect(0, 0, 160, 80), 0, 2, QColor("#0000ff"), "天空-换蓝"),
            mark(5, "去掉路人"),
            mark(3, "a-b"),
        };
        // Each at index number - 1 where the list is long enough, else appended: 1, 5 (appended),
        // 3 (at 2), then the new 2 at 1.
        QStringList sent;
        const QJsonArray array = QJsonDocument::fromJson(save.value("mark").toUtf8()).array();
        for (const QJsonValue& v : array)
            sent << v.toString();
        QCOMPARE(sent.size(), 4);
        QCOMPARE(sent.at(0), expected.at(0));
        QVERIFY(sent.at(1).endsWith("-0-2-#0000ff-天空-换蓝"));
        QCOMPARE(sent.at(2), expected.at(2));
        QCOMPARE(sent.at(3), expected.at(3));
        QCOMPARE(save.value("mark").toUtf8(), QJsonDocument(array).toJson(QJsonDocument::Indented));
        for (const QString& s : sent)
            QCOMPARE(MarkString::parse(s).toString(), s);

        QVERIFY(QFile::exists(picturePath()));
        QImageReader picture(picturePath());
        QCOMPARE(picture.format(), QByteArray("jpeg"));
        QCOMPARE(picture.size(), editor->pictureRect().size());

        editor->close();
        QTRY_VERIFY_WITH_TIMEOUT(editor.isNull(), 30000);
        QCOMPARE(need.count(), 1);
    }

    // Where the editor's marks picture is not kept, one is drawn from the stored strings: it is the
    // picture the editor shows for them, the photo with the same shapes and numbers in the same places.
    void drawnMarksPictureIsTheEditorsOwn_data()
    {
        QTest::addColumn<QSize>("photoSize");
        QTest::newRow("landscape") << QSize(1200, 800);
        QTest::newRow("portrait") << QSize(800, 1200);
    }

    void drawnMarksPictureIsTheEditorsOwn()
    {
        QFETCH(QSize, photoSize);
        const MarkPicture::Layout layout = MarkPicture::editorLayout();
        const QRect painted = MarkPicture::paintedRect(layout.area, photoSize);
        const QPoint at = painted.topLeft();
        const QStringList marks {
            MarkString::toString(QRect(at + QPoint(20, 30), QSize(120, 90)), 1, 1, QColor("#ff0000"), "提亮"),
            MarkString::toString(QRect(at + QPoint(60, 140), QSize(150, 70)), 0, 2, QColor("#0000ff"), "换蓝"),
            // Partly off the photo: the picture shows what lies on it.
            MarkString::toString(
                QRect(at + QPoint(painted.width() - 50, 10), QSize(100, 100)), 1, 3, QColor("orange"), "路人"),
        };
        backend->server().setReply("order", "getorderpicmark", StandInReply::json(marksReply(marks)));
        QPointer<addFrontDlg> editor = openEditor(QSize(), photoSize);
        QVERIFY(editor);
        QCOMPARE(editor->markEdits().size(), 3);
        QCOMPARE(editor->pictureRect(), painted);
        const QImage shown
            = pictureLabel(editor)->grab(editor->pictureRect()).toImage().convertToFormat(QImage::Format_RGB32);

        QImage photo(photoSize, QImage::Format_RGB32);
        photo.fill(QColor("#3a6ea5"));
        const QImage drawn = MarkPicture::draw(photo, photoSize, marks, layout);
        QCOMPARE(drawn.size(), shown.size());
        int differing = 0;
        int marked = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb a = drawn.pixel(x, y);
                const QRgb b = shown.pixel(x, y);
                if (b != qRgb(0x3a, 0x6e, 0xa5))
                    ++marked;
                if (qAbs(qRed(a) - qRed(b)) > 24 || qAbs(qGreen(a) - qGreen(b)) > 24 || qAbs(qBlue(a) - qBlue(b)) > 24)
                    ++differing;
            }
        QVERIFY(marked > 500);
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
        delete editor.data();
    }

    void savingNoMarksSendsTheEmptyListAndRemovesThePicture()
    {
        backend->server().setReply("order", "getorderpicmark", StandInReply::json(marksReply({})));
        ImageData::getInstance()->getIterator()->SetStrneed(QStringLiteral("已有2个标注"));
        QPointer<addFrontDlg> editor = openEditor();
        QVERIFY(editor);
        backend->server().setReply("order", "updateorderpicmark",
            StandInReply::json(QJsonObject {{"code", "1"}, {"message", "保存成功"}}).held());
        PromptRecorder prompts;
        editor->findChild<QPushButton*>("pushButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(backend->server().heldCount(), 1, 30000);
        QCOMPARE(savePosts().first().value("mark"), QStringLiteral("[\n]\n"));
        QVERIFY(QFile::exists(picturePath())); // written before the post
        QVERIFY(editor->isSaving());
        QSignalSpy need(editor.data(), &addFrontDlg::sendNeedMessage);
        backend->server().releaseHeld();
        QTRY_COMPARE_WITH_TIMEOUT(need.count(), 1, 30000);
        QVERIFY(editor->isSaved() && !editor->isSaving());
        QCOMPARE(ImageData::getInstance()->getCurrentImage().GetStrneed(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(picturePath()), 30000);
        delete editor.data();
    }

    void failedSaveOnCloseKeepsTheEditorAndSaysSo_data()
    {
        QTest::addColumn<StandInReply>("failure");
        QTest::newRow("code 0") << StandInReply::json(QJsonObject {{"code", "0"}, {"message", "失败"}});
        QTest::newRow("http error") << StandInReply::httpStatus(500);
        QTest::newRow("not json") << StandInReply::raw("Fatal error");
        QTest::newRow("not an object") << StandInReply::json(QJsonArray {"1"});
    }

    void failedSaveOnCloseKeepsTheEditorAndSaysSo()
    {
        QFETCH(StandInReply, failure);
        QPointer<addFrontDlg> editor = openEditor();
        QVERIFY(editor);
        QSignalSpy need(editor.data(), &addFrontDlg::sendNeedMessage);
        trigger(editor, "square");
        backend->server().setReply("order", "updateorderpicmark", failure);

        PromptRecorder prompts;
        prompts.answer(QMessageBox::Yes);
        editor->close();
        QVERIFY(prompts.contains(QStringLiteral("调修要求"), QStringLiteral("标注内容已经发生变化，是否保存？")));
        QTRY_VERIFY_WITH_TIMEOUT(
            prompts.contains(QStringLiteral("提示"), QStringLiteral("保存失败，请重新保存！")), 30000);
        QTest::qWait(50);
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QVERIFY(!editor->isSaved());
        QVERIFY(!editor->isSaving());
        QCOMPARE(need.count(), 0);

        // Closing again asks again; this time the save goes through and the editor closes.
        backend->reset();
        prompts.clear();
        prompts.answer(QMessageBox::Yes);
        editor->close();
        QTRY_VERIFY_WITH_TIMEOUT(editor.isNull(), 30000);
        QCOMPARE(need.count(), 1);
        QCOMPARE(savePosts().size(), 1);
        QVERIFY(!prompts.contains(QStringLiteral("提示"), QStringLiteral("保存成功")));
    }

    void closeWithSaveWaitsForTheAnswer()
    {
        QPointer<addFrontDlg> editor = openEditor();
        QVERIFY(editor);
        QSignalSpy need(editor.data(), &addFrontDlg::sendNeedMessage);
        editor->markEdits().first()->setEditText(QStringLiteral("眼睛再亮一点"));
        backend->server().setReply("order", "updateorderpicmark",
            StandInReply::json(QJsonObject {{"code", "1"}, {"message", "保存成功"}}).held());
        PromptRecorder prompts;
        editor->close();
        QTRY_COMPARE_WITH_TIMEOUT(backend->server().heldCount(), 1, 30000);
        QVERIFY(editor && editor->isVisible() && editor->isSaving());
        editor->close(); // a second close while waiting changes nothing
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(need.count(), 0);
        backend->server().releaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(editor.isNull(), 30000);
        QCOMPARE(need.count(), 1);
        QCOMPARE(prompts.count(), 1); // only the question
    }

    void failedLoadGuardsTheStoredMarks_data()
    {
        QTest::addColumn<StandInReply>("loadReply");
        QTest::addColumn<bool>("answerYes");
        QTest::newRow("http error, kept") << StandInReply::httpStatus(500) << false;
        QTest::newRow("http error, replaced") << StandInReply::httpStatus(500) << true;
        QTest::newRow("not json") << StandInReply::raw("<html>") << false;
        QTest::newRow("not an object") << StandInReply::json(QJsonArray {}) << false;
        QTest::newRow("code 0 without marks")
            << StandInReply::json(QJsonObject {{"code", "0"}, {"message", "查询失败"}}) << false;
    }

    void failedLoadGuardsTheStoredMarks()
    {
        QFETCH(StandInReply, loadReply);
        QFETCH(bool, answerYes);
        backend->server().setReply("order", "getorderpicmark", loadReply);
        PromptRecorder prompts;
        QPointer<addFrontDlg> editor = openEditor();
        QVERIFY(editor);
        QVERIFY(!editor->hasLoadedMarks());
        QVERIFY(editor->markEdits().isEmpty());
        trigger(editor, "square");
        prompts.clear();

        prompts.answer(answerYes ? QMessageBox::Yes : QMessageBox::No);
        editor->findChild<QPushButton*>("pushButton")->click();
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().kind, PromptCall::Question);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(prompts.last().defaultButton, QMessageBox::No);
        if (answerYes) {
            QTRY_COMPARE_WITH_TIMEOUT(savePosts().size(), 1, 30000);
            QTRY_VERIFY_WITH_TIMEOUT(editor->isSaved(), 30000);
        } else {
            QTest::qWait(100);
            QCOMPARE(savePosts().size(), 0);
            QVERIFY(!editor->isSaved());
        }
        delete editor.data();
    }

    // A mark's shape lies where the pointer puts it on the photo: its body dragged so that its top-left is at A and its
    // bottom-right corner dragged to B give a shape whose corners are A and B of the photo, whatever the dialog's size.
    void dragsPutTheShapeUnderThePointer_data()
    {
        QTest::addColumn<QSize>("dialog");
        QTest::addColumn<QString>("tool");
        QTest::newRow("1280 x 800, rectangle") << QSize(1280, 800) << "square";
        QTest::newRow("1280 x 800, ellipse") << QSize(1280, 800) << "ellipse";
        QTest::newRow("900 x 560, rectangle") << QSize(900, 560) << "square";
    }

    void dragsPutTheShapeUnderThePointer()
    {
        QFETCH(QSize, dialog);
        QFETCH(QString, tool);
        QPointer<addFrontDlg> editor = openEditor(dialog);
        QVERIFY(editor);
        const QRect picture = editor->pictureRect();
        QCOMPARE(picture, paintedPicture(editor));
        trigger(editor, tool.toLatin1());
        ZKMarker* marker = editor->markEdits().last()->marker;
        const QPoint a = toLabel(picture, QPoint(300, 200));
        const QPoint b = toLabel(picture, QPoint(900, 640));

        // The body, grabbed in its middle, selects the mark and takes its top-left to A.
        const QPoint grip = marker->geometry().center();
        dragOnLabel(editor, grip, grip, true);
        QVERIFY(marker->getIsSelect());
        dragOnLabel(editor, grip, grip + (a - marker->pos()));
        QCOMPARE(marker->pos(), a);
        // The bottom-right corner to B.
        const QPoint corner = marker->geometry().bottomRight();
        dragOnLabel(editor, corner, b);

        const QRect shape = shapeOnLabel(marker);
        QCOMPARE(shape.topLeft(), a);
        QCOMPARE(shape.bottomRight(), b);
        QVERIFY(near(toPhoto(picture, shape.topLeft()), QPoint(300, 200), picture));
        QVERIFY(near(toPhoto(picture, shape.bottomRight()), QPoint(900, 640), picture));
        delete editor.data();
    }

    // Marks stay on the photo: a new one is put on it, and drags stop at its edges.
    void marksStayOnThePhoto_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::newRow("landscape") << QSize(1200, 800);
        QTest::newRow("portrait") << QSize(500, 1200);
        QTest::newRow("narrow strip") << QSize(2400, 150);
    }

    void marksStayOnThePhoto()
    {
        QFETCH(QSize, photo);
        QPointer<addFrontDlg> editor = openEditor(QSize(1280, 800), photo);
        QVERIFY(editor);
        const QRect picture = editor->pictureRect();
        trigger(editor, "ellipse");
        ZKMarker* marker = editor->markEdits().last()->marker;
        QVERIFY2(picture.contains(marker->geometry()),
            qPrintable(QStringLiteral("%1 %2").arg(rectText(picture), rectText(marker->geometry()))));

        // Dragged far past the bottom-right, it stops in the photo's corner.
        const QPoint grip = marker->geometry().center();
        dragOnLabel(editor, grip, grip, true);
        dragOnLabel(editor, grip, grip + QPoint(3000, 3000));
        QCOMPARE(marker->geometry().bottomRight(), picture.bottomRight());
        // Its top-left corner dragged past the photo's top-left stops there too.
        const QPoint corner = marker->pos();
        dragOnLabel(editor, corner, QPoint(-50, -50));
        QCOMPARE(marker->geometry(), picture);
        delete editor.data();
    }

    // When the label centres the photo anew, the marks go with it and stay on the same spots.
    void marksFollowThePhotoWhenTheLabelChanges()
    {
        QPointer<addFrontDlg> editor = openEditor(QSize(900, 560));
        QVERIFY(editor);
        trigger(editor, "square");
        ZKMarker* marker = editor->markEdits().last()->marker;
        const QPoint onPhoto = marker->pos() - editor->pictureRect().topLeft();
        fixSize(editor, QSize(1280, 800));
        QLabel* label = editor->findChild<QLabel*>(QStringLiteral("label"));
        QTRY_VERIFY_WITH_TIMEOUT(label->width() > 900 - 350, 30000);
        QCOMPARE(editor->pictureRect(), paintedPicture(editor));
        QCOMPARE(marker->pos() - editor->pictureRect().topLeft(), onPhoto);
        QCOMPARE(marker->bounds(), editor->pictureRect());
        delete editor.data();
    }

    void closingAfterSelectingAsksAndNoDiscards()
    {
        QPointer<addFrontDlg> editor = openEditor();
        QVERIFY(editor);
        ZKMarker* marker = editor->markEdits().first()->marker;
        QTest::mousePress(marker, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QTest::mouseRelease(marker, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(marker->getIsSelect());
        QVERIFY(!editor->isSaved());

        PromptRecorder prompts;
        prompts.answer(QMessageBox::No);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().text, QStringLiteral("标注内容已经发生变化，是否保存？"));
        QTRY_VERIFY_WITH_TIMEOUT(editor.isNull(), 30000);
        QTest::qWait(50);
        QCOMPARE(savePosts().size(), 0);
    }
};

QTEST_MAIN(TestAddFrontDlg)
#include "tst_addfrontdlg.moc"
