#include "core/config.h"
#include "widgets/productrequirement.h"
#include "products/settingnumber.h"
#include "products/settingpage.h"
#include "products/settingzhangshu.h"
#include "tests/support/promptrecorder.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

namespace {

// The count dialog of a kind, and the signal it reports by.
QDialog* countDialog(const QString& kind, std::unique_ptr<QSignalSpy>& spy)
{
    if (kind == "P数") {
        auto* d = new SettingPage(nullptr);
        spy.reset(new QSignalSpy(d, &SettingPage::sendPage));
        return d;
    }
    if (kind == "加P数") {
        auto* d = new SettingPage(nullptr);
        d->setAddPageInfo();
        spy.reset(new QSignalSpy(d, &SettingPage::sendAddPage));
        return d;
    }
    if (kind == "数量") {
        auto* d = new SettingNumber(nullptr);
        spy.reset(new QSignalSpy(d, &SettingNumber::sendNumber));
        return d;
    }
    auto* d = new SettingZhangshu(nullptr);
    spy.reset(new QSignalSpy(d, &SettingZhangshu::sendZhangshu));
    return d;
}

Product album()
{
    Product p;
    p.descr = QStringLiteral("封面用外景");
    p.goodpnumber = QStringLiteral("20");
    p.p_num = QStringLiteral("2");
    p.goodamount = QStringLiteral("1");
    p.goodpagenumber = QStringLiteral("10");
    p.goodtypeid = QStringLiteral("33");
    return p;
}

} // namespace

// The small editors of the product table: what they let through and what they report.
class TestProductEditors : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Config::isPnumEdit = false; }

    void countDialogs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent");
        for (const char* kind : {"P数", "加P数", "数量", "张数"}) {
            const QString k = QString::fromUtf8(kind);
            QTest::addRow("%s, one digit", kind) << k << "5"
                                                 << "5";
            QTest::addRow("%s, two digits", kind) << k << "50"
                                                  << "50";
            QTest::addRow("%s, leading zero refused", kind) << k << "07"
                                                            << "7";
            QTest::addRow("%s, letters refused", kind) << k << "a1b2"
                                                       << "12";
            QTest::addRow("%s, empty", kind) << k << ""
                                             << "";
        }
    }

    void countDialogs()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        std::unique_ptr<QSignalSpy> spy;
        QPointer<QDialog> dialog = countDialog(kind, spy);
        dialog->show();
        QCOMPARE(dialog->windowTitle(), kind);
        QVERIFY(!(dialog->windowFlags() & Qt::WindowMinimizeButtonHint));
        auto* entry = dialog->findChild<QLineEdit*>("lineEdit");
        QCOMPARE(entry->text(), QString());
        QCOMPARE(entry->echoMode(), kind == "数量" ? QLineEdit::Normal : QLineEdit::PasswordEchoOnEdit);
        QTest::keyClicks(entry, typed);
        QCOMPARE(entry->text(), sent);
        PromptRecorder prompts;
        QTest::mouseClick(dialog->findChild<QPushButton*>("pushButton"), Qt::LeftButton);
        if (sent.isEmpty()) {
            QCOMPARE(spy->count(), 0);
            QCOMPARE(prompts.texts(), QStringList {"请输入" + kind});
            QCOMPARE(prompts.last().title, QStringLiteral("提示"));
            QVERIFY(dialog->isVisible());
            delete dialog;
            return;
        }
        QCOMPARE(prompts.count(), 0);
        QCOMPARE(spy->count(), 1);
        QCOMPARE(spy->at(0).at(0).toString(), sent);
        QVERIFY(QTest::qWaitFor([&] { return dialog.isNull(); }, 30000));
    }

    // Return confirms the P number and quantity dialogs through their own shortcut; the sheet dialog has none.
    void returnConfirms_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("reports");
        QTest::newRow("P number") << "P数" << 1;
        QTest::newRow("quantity") << "数量" << 1;
        QTest::newRow("sheets") << "张数" << 0;
    }

    void returnConfirms()
    {
        QFETCH(QString, kind);
        QFETCH(int, reports);
        std::unique_ptr<QSignalSpy> spy;
        QPointer<QDialog> dialog = countDialog(kind, spy);
        // Without a default button, Return reaches only a shortcut.
        dialog->findChild<QPushButton*>("pushButton")->setAutoDefault(false);
        dialog->show();
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        dialog->findChild<QLineEdit*>("lineEdit")->setText("8");
        QTest::keyClick(dialog->findChild<QLineEdit*>("lineEdit"), Qt::Key_Return);
        QCOMPARE(spy->count(), reports);
        delete dialog;
    }

    // What the requirement editor shows and which fields it opens for each kind of product.
    void requirementFields_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("pnumEdit");
        QTest::addColumn<bool>("package");
        // Enabled: P, added P, quantity, sheets; then the texts shown.
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("album") << "33" << true << false << "1111" << QStringList {"20", "2", "1", "10"};
        QTest::newRow("album, P number locked")
            << "33" << false << false << "0111" << QStringList {"20", "2", "1", "10"};
        QTest::newRow("frame") << "35" << true << false << "0010" << QStringList {"", "", "1", ""};
        QTest::newRow("package") << "30" << true << true << "0000" << QStringList {"", "", "1", ""};
    }

    void requirementFields()
    {
        QFETCH(QString, type);
        QFETCH(bool, pnumEdit);
        QFETCH(bool, package);
        QFETCH(QString, enabled);
        QFETCH(QStringList, shown);
        Config::isPnumEdit = pnumEdit;
        Product p = album();
        p.goodtypeid = type;
        p.isexist = package;
        auto* editor = new ProductRequirement(nullptr);
        QPointer<ProductRequirement> guard(editor);
        QSignalSpy report(editor, &ProductRequirement::productReq);
        editor->setProData(0, p);
        editor->show();
        QCOMPARE(editor->windowTitle(), QStringLiteral("制作要求"));
        QStringList texts;
        QString open;
        for (const char* name : {"lineEdit_page", "lineEdit_addpage", "lineEdit_number", "lineEdit_zhangshu"}) {
            auto* edit = editor->findChild<QLineEdit*>(name);
            texts << edit->text();
            open += edit->isEnabled() ? '1' : '0';
        }
        QCOMPARE(open, enabled);
        QCOMPARE(texts, shown);

        // Greyed-out fields send what the product holds, never an empty count.
        editor->findChild<QPushButton*>("pushButton")->click();
        QCOMPARE(report.count(), 1);
        QCOMPARE(
            report.at(0).mid(0, 5), (QVariantList {p.descr, p.goodpnumber, p.goodamount, p.goodpagenumber, p.p_num}));
        QVERIFY(QTest::qWaitFor([&] { return guard.isNull(); }, 30000));
    }

    // An open field left empty is refused with a box; the editor stays open and reports nothing.
    void emptyOpenCountIsRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("box");
        QTest::newRow("P number") << "lineEdit_page"
                                  << "请输入P数";
        QTest::newRow("added P number") << "lineEdit_addpage"
                                        << "请输入加P数";
        QTest::newRow("quantity") << "lineEdit_number"
                                  << "请输入数量";
        QTest::newRow("sheets") << "lineEdit_zhangshu"
                                << "请输入张数";
    }

    void emptyOpenCountIsRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, box);
        Config::isPnumEdit = true;
        ProductRequirement editor(nullptr);
        editor.setAttribute(Qt::WA_DeleteOnClose, false);
        QSignalSpy report(&editor, &ProductRequirement::productReq);
        editor.setProData(0, album());
        editor.show();
        editor.findChild<QLineEdit*>(field)->clear();
        PromptRecorder prompts;
        editor.findChild<QPushButton*>("pushButton")->click();
        QCOMPARE(prompts.texts(), QStringList {box});
        QCOMPARE(report.count(), 0);
        QVERIFY(editor.isVisible());

        QTest::keyClicks(editor.findChild<QLineEdit*>(field), "07");
        editor.findChild<QPushButton*>("pushButton")->click();
        QCOMPARE(report.count(), 1);
        QVERIFY(report.at(0).contains(QStringLiteral("07")));
    }

    // A text that looks like markup comes back exactly as written; the text-only kind shows no count field.
    void textComesBackAsWritten_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("product") << 0;
        QTest::newRow("text only") << 1;
    }

    void textComesBackAsWritten()
    {
        QFETCH(int, kind);
        const QString text = QStringLiteral("<b>封面</b> & 内页 <i>按时间</i>\n  第二行 &amp;");
        auto* editor = new ProductRequirement(nullptr);
        QSignalSpy report(editor, &ProductRequirement::productReq);
        editor->setData(kind, text, "20", "1", "10", "33", "2", false, false);
        editor->show();
        QCOMPARE(editor->findChild<QTextEdit*>("textEdit")->toPlainText(), text);
        QCOMPARE(editor->findChildren<QLineEdit*>().isEmpty(), kind == 1);
        editor->findChild<QPushButton*>("pushButton")->click();
        QCOMPARE(report.count(), 1);
        QCOMPARE(report.at(0).at(0).toString(), text);
        if (kind == 1)
            QCOMPARE(report.at(0).mid(1), (QVariantList {"", "", "", ""}));
    }

    // Closed by its own button after editing, an editor reports nothing.
    void closingReportsNothing()
    {
        auto* editor = new ProductRequirement(nullptr);
        QSignalSpy report(editor, &ProductRequirement::productReq);
        editor->setProData(0, album());
        editor->show();
        editor->findChild<QTextEdit*>("textEdit")->setPlainText("x");
        editor->close();
        QCOMPARE(report.count(), 0);
    }
};

QTEST_MAIN(TestProductEditors)
#include "tst_producteditors.moc"
