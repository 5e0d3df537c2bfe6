#include "core/config.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "products/productdlg.h"
#include "tests/support/failure.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "widgets/droplistwidget.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMimeData>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

namespace {

const QJsonObject Accepted {{"code", "1"}, {"message", "产品图片修改成功"}};

// A drop on the photo list, as the album panel's drag ends.
void dropOn(DropListWidget* list)
{
    QMimeData data;
    data.setText(QStringLiteral("IMG_0001.jpg"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
}

QJsonObject good(const QString& id, const QString& picpath)
{
    return QJsonObject {{"id", id}, {"goodname", id}, {"picpath", picpath}, {"sendtofactorytime", "0"}};
}

QStringList pics(int row)
{
    return ProductData::m_products.value(row).pics;
}

} // namespace

// Photos reach a product by drop, by the viewer and by paste, leave it by delete and cut, and every change posts the
// product's whole list; lists of one product never overtake each other.
class TestPhotoAssignment : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

private slots:
    void init()
    {
        m_backend.reset();
        useTestOrder();
    }

    void cleanup()
    {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        ImageData::getInstance()->clearImages();
        ProductData::m_products.clear();
        Config::isLocked = false;
    }

    // The stand-in's album (row 1) holds IMG_0001, IMG_0002 and "婚纱 外景 01"; the package (row 0) and the sent
    // product (row 5) take nothing.
    void addRoads_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("drop") << "drop" << 1 << QStringList {"IMG_0007.jpg", "IMG 0008&x=1.jpg"}
                              << QStringList {"以下照片在该产品中已存在\nIMG_0002.jpg,"};
        QTest::newRow("viewer") << "viewer" << 1 << QStringList {"IMG_0007.jpg", "IMG 0008&x=1.jpg"}
                                << QStringList {"以下照片在该产品中已存在\nIMG_0002.jpg,"};
        QTest::newRow("viewer, locked order")
            << "viewer, locked" << 1 << QStringList {"IMG_0007.jpg", "IMG 0008&x=1.jpg"}
            << QStringList {"以下照片在该产品中已存在\nIMG_0002.jpg,"};
        QTest::newRow("drop on a package") << "drop" << 0 << QStringList() << QStringList();
        QTest::newRow("drop on a sent product") << "drop" << 5 << QStringList() << QStringList {"产品已发件，不可修改"};
        QTest::newRow("drop, no product") << "drop" << -1 << QStringList() << QStringList {"请选择一项产品"};
    }

    void addRoads()
    {
        QFETCH(QString, road);
        QFETCH(int, row);
        QFETCH(QStringList, added);
        QFETCH(QStringList, boxes);
        ProductPanel p;
        QVERIFY(p.load());
        QStringList selection {"IMG_0002.jpg", "IMG_0007.jpg", "IMG 0008&x=1.jpg"};
        connect(p.dlg.get(), &ProductDlg::getPicNamelist, p.dlg.get(), [&] { p.dlg->setPicNames(selection); });
        if (row >= 0)
            QVERIFY(p.click(row));
        const QStringList before = pics(row);
        const QString id = ProductData::m_products.value(row).id;
        Config::isLocked = road.endsWith("locked");
        QSignalSpy marks(p.dlg.get(), qOverload<QStringList>(&ProductDlg::updateImage));
        PromptRecorder prompts;

        if (road == "drop") {
            dropOn(p.list);
        } else {
            p.dlg->setPicNames(selection);
            p.dlg->addToProduct1();
        }
        QVERIFY(p.postsAnswered());

        QCOMPARE(prompts.texts(), boxes);
        if (row < 0 || row == 0 || row == 5) {
            QVERIFY(m_backend->requestsTo("order", "updategoodpicpath").isEmpty());
            QCOMPARE(pics(row), before);
            return;
        }
        QCOMPARE(prompts.last().title, QStringLiteral("照片已存在"));
        QCOMPARE(pics(row), before + added);
        QCOMPARE(p.list->count(), before.size() + added.size());
        QCOMPARE(p.list->item(p.list->count() - 1)->toolTip(), added.last());
        QCOMPARE(marks.last().at(0).toStringList(), pics(row));
        QCOMPARE(p.cell(row, 1), QStringLiteral("-->12寸水晶相册(5)"));

        const QList<StandInRequest> posts = m_backend->requestsTo("order", "updategoodpicpath");
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts.at(0).keys(),
            (QStringList {
                "token", "order_photo_id", "shopid", "uid", "id", "companyid", "order_sample_infoid", "picpath"}));
        QCOMPARE(posts.at(0).value("id"), id);
        QCOMPARE(posts.at(0).value("uid"), QStringLiteral("501"));
        QCOMPARE(posts.at(0).value("picpath"), (before + added).join('|'));
        // Encoded exactly once: a name with "&" and "=" stays one value.
        QVERIFY(posts.at(0).body.contains("IMG%200008%26x%3D1.jpg"));
    }

    // Delete takes the entry as stored (an upper-case extension too); cut deletes and keeps the names for pasting
    // into several products; a second paste into the same product adds nothing and posts its unchanged list.
    void deleteCutAndPaste()
    {
        m_backend->setReply("order", "ordergoods",
            StandInReply::json(QJsonObject {{"code", "1"},
                {"order",
                    QJsonObject {{"ordergoods3",
                        QJsonArray {good("A", "IMG_0003.JPG|IMG_0004.jpg|IMG_0006.jpg"), good("B", "IMG_0009.jpg"),
                            good("C", "")}}}}}));
        ProductPanel p;
        QVERIFY(p.load());
        QSignalSpy marks(p.dlg.get(), qOverload<QStringList>(&ProductDlg::updateImage));
        PromptRecorder prompts;

        QVERIFY(p.click(0));
        p.selectPhotos({0});
        marks.clear();
        p.dlg->deletePhoto();
        QCOMPARE(pics(0), (QStringList {"IMG_0004.jpg", "IMG_0006.jpg"}));
        QCOMPARE(marks.first().at(0).toStringList(), QStringList {"IMG_0003.JPG"});
        QCOMPARE(p.list->count(), 2);

        p.selectPhotos({0, 1});
        p.dlg->cutImgAction();
        QCOMPARE(pics(0), QStringList());
        QCOMPARE(p.list->count(), 0);

        QVERIFY(p.click(1));
        p.dlg->tbCopyAction();
        QVERIFY(p.click(2));
        p.dlg->tbCopyAction();
        QVERIFY(p.click(1));
        p.dlg->tbCopyAction();
        QVERIFY(p.postsAnswered());

        QCOMPARE(pics(1), (QStringList {"IMG_0009.jpg", "IMG_0004.jpg", "IMG_0006.jpg"}));
        QCOMPARE(pics(2), (QStringList {"IMG_0004.jpg", "IMG_0006.jpg"}));
        QCOMPARE(prompts.texts(), QStringList {"以下照片在该产品中已存在\nIMG_0004.jpg,IMG_0006.jpg,"});
        // Every change of A went out; the last list sent is the empty one.
        QCOMPARE(postedPicLists(m_backend, "A").last(), QString());
        QCOMPARE(postedPicLists(m_backend, "B").last(), QStringLiteral("IMG_0009.jpg|IMG_0004.jpg|IMG_0006.jpg"));
        QCOMPARE(postedPicLists(m_backend, "C"), QStringList {"IMG_0004.jpg|IMG_0006.jpg"});
    }

    // With no product chosen, delete and cut read nothing and paste asks for one.
    void noProductChosen()
    {
        ProductPanel p;
        QVERIFY(p.load());
        PromptRecorder prompts;
        p.dlg->deletePhoto();
        p.dlg->cutImgAction();
        p.dlg->tbCopyAction();
        QCOMPARE(prompts.texts(), QStringList {"请选择一项产品"});
        QVERIFY(m_backend->requestsTo("order", "updategoodpicpath").isEmpty());
    }

    // While a product's list is on its way, later changes wait and go as one, the latest list; another product's
    // list is not held back.
    void quickChangesPostTheLatestListLast()
    {
        int answered = 0;
        m_backend->setHandler("order", "updategoodpicpath", [&answered](const StandInRequest&) {
            return answered++ == 0 ? StandInReply::json(Accepted).held() : StandInReply::json(Accepted);
        });
        ProductPanel p;
        QVERIFY(p.load());
        QVERIFY(p.click(1));
        const QStringList before = pics(1);
        for (const char* name : {"IMG_0010.jpg", "IMG_0011.jpg", "IMG_0012.jpg"}) {
            QStringList names {QString::fromUtf8(name)};
            p.dlg->setPicNames(names);
            p.dlg->addToProduct1();
        }
        QVERIFY(QTest::qWaitFor([&] { return m_backend->heldCount() == 1; }, 30000));
        QVERIFY(p.click(4));
        QStringList other {"IMG_0010.jpg"};
        p.dlg->setPicNames(other);
        p.dlg->addToProduct1();
        QVERIFY(QTest::qWaitFor([&] { return postedPicLists(m_backend, "80015").size() == 1; }, 30000));
        QCOMPARE(postedPicLists(m_backend, "80012").size(), 1);

        m_backend->releaseHeld();
        QVERIFY(p.postsAnswered());
        const QStringList lists = postedPicLists(m_backend, "80012");
        QCOMPARE(lists.size(), 2);
        QCOMPARE(lists.at(0), (before + QStringList {"IMG_0010.jpg"}).join('|'));
        QCOMPARE(lists.at(1), (before + QStringList {"IMG_0010.jpg", "IMG_0011.jpg", "IMG_0012.jpg"}).join('|'));
    }

    // Products whose ids do not tell them apart keep their lists apart: a list waiting behind one product's post is
    // never replaced by another product's.
    void listsOfProductsWithoutIdsStayApart_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("id");
        QTest::newRow("no id") << 0 << 1 << "";
        QTest::newRow("shared id") << 2 << 3 << "80100";
    }

    void listsOfProductsWithoutIdsStayApart()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QString, id);
        int answered = 0;
        m_backend->setHandler("order", "updategoodpicpath", [&answered](const StandInRequest&) {
            return answered++ == 0 ? StandInReply::json(Accepted).held() : StandInReply::json(Accepted);
        });
        m_backend->setReply("order", "ordergoods", StandInReply::json(productsWithoutIds()));
        ProductPanel p;
        QVERIFY(p.load());
        const auto add = [&p](int row, const QString& name) {
            if (!p.click(row))
                return false;
            QStringList names {name};
            p.dlg->setPicNames(names);
            p.dlg->addToProduct1();
            return true;
        };
        QVERIFY(add(first, "IMG_0201.jpg"));
        QVERIFY(QTest::qWaitFor([&] { return m_backend->heldCount() == 1; }, 30000));
        const QString firstOnItsWay = pics(first).join('|');
        QVERIFY(add(second, "IMG_0202.jpg"));
        QVERIFY(add(first, "IMG_0203.jpg"));
        m_backend->releaseHeld();
        QVERIFY(p.postsAnswered());
        QTRY_COMPARE_WITH_TIMEOUT(postedPicLists(m_backend, id).size(), 3, 30000);
        QVERIFY(p.postsAnswered());
        // Each product's lists in order; the two products' posts may cross.
        const QStringList lists = postedPicLists(m_backend, id);
        const QString firstLatest = pics(first).join('|');
        QVERIFY2(lists.contains(pics(second).join('|')), qPrintable(lists.join(" ; ")));
        QCOMPARE(lists.filter(QStringLiteral("IMG_010%1").arg(first)), (QStringList {firstOnItsWay, firstLatest}));
        QCOMPARE(
            pics(first), (QStringList {QStringLiteral("IMG_010%1.jpg").arg(first), "IMG_0201.jpg", "IMG_0203.jpg"}));
        QCOMPARE(pics(second), (QStringList {QStringLiteral("IMG_010%1.jpg").arg(second), "IMG_0202.jpg"}));
    }

    // A failed post shows its box and keeps the local list; a list waiting behind it still goes out.
    void failedPostKeepsTheList_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("box");
        QTest::newRow("refused") << Failure::None << QJsonObject {{"code", "0"}, {"message", "无权限"}}
                                 << "提交图片路径错误：无权限";
        QTest::newRow("code as a number")
            << Failure::None << QJsonObject {{"code", 1}, {"message", "x"}} << "提交图片路径错误：x";
        QTest::newRow("network error") << Failure::HttpStatus << QJsonObject() << "网络请求错误\n500";
        QTest::newRow("not JSON") << Failure::NotJson << QJsonObject() << "";
    }

    void failedPostKeepsTheList()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, box);
        ProductPanel p;
        QVERIFY(p.load());
        QVERIFY(p.click(1));
        scriptEndpoint(m_backend, "order", "updategoodpicpath", failure, answer);
        PromptRecorder prompts;
        QStringList names {"IMG_0010.jpg"};
        p.dlg->setPicNames(names);
        p.dlg->addToProduct1();
        QStringList more {"IMG_0011.jpg"};
        p.dlg->setPicNames(more);
        p.dlg->addToProduct1();
        QVERIFY(p.postsAnswered());
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : (QStringList() << box << box));
        if (!box.isEmpty())
            QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(pics(1).mid(3), (QStringList {"IMG_0010.jpg", "IMG_0011.jpg"}));
        QCOMPARE(postedPicLists(m_backend, "80012").size(), 2);
        QVERIFY(postedPicLists(m_backend, "80012").last().endsWith("IMG_0010.jpg|IMG_0011.jpg"));
    }
};

QTEST_MAIN(TestPhotoAssignment)
#include "tst_photoassignment.moc"
