#include "core/deployment.h"
#include "exchange/n8sharepath.h"

#include <QtTest>

// The one mapping from the back end's Windows-form N8 paths to folders of this computer.
class TestN8SharePath : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Deployment::setN8Shares(QString()); }

    void mapping_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("n8path");
        QTest::addColumn<QString>("local"); // empty: refused
        QTest::addColumn<QString>("error"); // a piece of the message when refused

        const QString table = QStringLiteral("\\\\n8srv\\share=/mnt/n8; Z:=/Volumes/N8/; "
                                             "//N8SRV/share/旗舰店=/srv/flagship; /data/N8=/srv/n8data");
        QTest::newRow("unc") << table << "\\\\n8srv\\share\\二店"
                             << "/mnt/n8/二店"
                             << "";
        QTest::newRow("unc, other case, trailing backslash") << table << "\\\\N8Srv\\SHARE\\二店\\"
                                                             << "/mnt/n8/二店"
                                                             << "";
        QTest::newRow("unc, longest prefix wins") << table << "\\\\n8srv\\share\\旗舰店\\产品"
                                                  << "/srv/flagship/产品"
                                                  << "";
        QTest::newRow("unc, the share itself") << table << "\\\\n8srv\\share"
                                               << "/mnt/n8"
                                               << "";
        QTest::newRow("unc in slashes") << table << "//n8srv/share/三店"
                                        << "/mnt/n8/三店"
                                        << "";
        QTest::newRow("drive") << table << "Z:\\门店\\四店"
                               << "/Volumes/N8/门店/四店"
                               << "";
        QTest::newRow("drive, lower case") << table << "z:/四店"
                                           << "/Volumes/N8/四店"
                                           << "";
        QTest::newRow("mixed separators, dot segments") << table << "\\\\n8srv/share\\.\\a//b"
                                                        << "/mnt/n8/a/b"
                                                        << "";
        QTest::newRow("absolute prefix") << table << "/data/N8/旗舰店"
                                         << "/srv/n8data/旗舰店"
                                         << "";
        QTest::newRow("absolute with backslashes") << table << "/data\\N8\\店"
                                                   << "/srv/n8data/店"
                                                   << "";
        QTest::newRow("absolute, mapped onto itself") << "/Volumes/N8=/Volumes/N8"
                                                      << "/Volumes/N8/旗舰店"
                                                      << "/Volumes/N8/旗舰店"
                                                      << "";

        QTest::newRow("unmapped share") << table << "\\\\other\\share\\店"
                                        << ""
                                        << "N8共享 \\\\other\\share 没有配置本机位置（PHOTOSELECT_N8_SHARES）";
        QTest::newRow("share prefix is not a segment prefix") << table << "\\\\n8srv\\shared\\店"
                                                              << ""
                                                              << "N8共享 \\\\n8srv\\shared";
        QTest::newRow("unmapped drive") << table << "Y:\\N8\\店"
                                        << ""
                                        << "N8共享 Y: 没有配置本机位置";
        // An absolute path is no longer taken as it stands: it too must lie in a named share.
        QTest::newRow("absolute outside the shares") << table << "/etc/n8"
                                                     << ""
                                                     << "N8共享 /etc 没有配置本机位置（PHOTOSELECT_N8_SHARES）";
        QTest::newRow("absolute prefix is not a segment prefix") << table << "/data/N8x/店"
                                                                 << ""
                                                                 << "N8共享 /data 没有配置本机位置";
        QTest::newRow("one backslash: the disk's root folder") << table << "\\选版结果"
                                                               << ""
                                                               << "N8共享 /选版结果 没有配置本机位置";
        QTest::newRow("the root itself") << table << "\\"
                                         << ""
                                         << "N8共享 / 没有配置本机位置";
        QTest::newRow("absolute without a table") << ""
                                                  << "/Volumes/N8/旗舰店"
                                                  << ""
                                                  << "PHOTOSELECT_N8_SHARES";
        QTest::newRow("no table") << ""
                                  << "\\\\n8srv\\share\\店"
                                  << ""
                                  << "PHOTOSELECT_N8_SHARES";
        QTest::newRow("relative") << table << "N8\\店"
                                  << ""
                                  << "N8路径不是完整路径：N8\\店";
        QTest::newRow("server alone") << table << "\\\\n8srv"
                                      << ""
                                      << "N8路径不是完整路径";
        QTest::newRow("empty") << table << "  "
                               << ""
                               << "N8路径为空";
        QTest::newRow("dot-dot after a share") << table << "\\\\n8srv\\share\\..\\..\\etc"
                                               << ""
                                               << "“..”";
        QTest::newRow("dot-dot in an absolute path") << table << "/Volumes/N8/../../etc"
                                                     << ""
                                                     << "“..”";
        QTest::newRow("dot-dot on a drive") << table << "Z:\\店\\.."
                                            << ""
                                            << "“..”";
    }

    void mapping()
    {
        QFETCH(QString, table);
        QFETCH(QString, n8path);
        QFETCH(QString, local);
        QFETCH(QString, error);
        QVERIFY(Deployment::setN8Shares(table));
        const N8SharePath::Local mapped = N8SharePath::toLocal(n8path);
        QCOMPARE(mapped.path, local);
        QCOMPARE(mapped.isValid(), !local.isEmpty());
        if (!error.isEmpty()) {
            QVERIFY2(mapped.error.contains(error), qPrintable(mapped.error));
            QVERIFY2(mapped.error.contains(n8path.trimmed()), qPrintable(mapped.error));
        }
    }

    void table_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("prefixes"); // as kept, in order
        QTest::addColumn<QString>("rejected");     // empty: all accepted

        QTest::newRow("both kinds") << "\\\\srv\\a\\=/x/;Z:=/y" << QStringList {"//srv/a", "Z:"} << "";
        QTest::newRow("empty entries skipped") << ";; //srv/a = /x ;" << QStringList {"//srv/a"} << "";
        QTest::newRow("relative folder") << "//srv/a=x;Z:=/y" << QStringList {"Z:"} << "//srv/a=x";
        QTest::newRow("no folder") << "//srv/a" << QStringList() << "//srv/a";
        QTest::newRow("not a share") << "srv/a=/x;//=/y;ZZ:=/z" << QStringList() << "srv/a=/x; //=/y; ZZ:=/z";
        QTest::newRow("absolute prefix") << "/srv/n8/=/x;\\data\\n8=/y" << QStringList {"/srv/n8", "/data/n8"} << "";
        QTest::newRow("the root is no share") << "/=/x;\\=/y" << QStringList() << "/=/x; \\=/y";
    }

    void table()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, prefixes);
        QFETCH(QString, rejected);
        QString error;
        QCOMPARE(Deployment::setN8Shares(table, &error), rejected.isEmpty());
        QStringList kept;
        for (const Deployment::N8Share& share : Deployment::n8Shares()) {
            kept << share.prefix;
            QVERIFY(share.localRoot.startsWith('/') && (share.localRoot == "/" || !share.localRoot.endsWith('/')));
        }
        QCOMPARE(kept, prefixes);
        if (!rejected.isEmpty())
            QVERIFY2(error.endsWith(rejected), qPrintable(error));
    }

    void readFromTheEnvironment()
    {
        qputenv("PHOTOSELECT_N8_SHARES", "\\\\n8srv\\share=/mnt/n8");
        Deployment::load();
        qunsetenv("PHOTOSELECT_N8_SHARES");
        QCOMPARE(N8SharePath::toLocal("\\\\n8srv\\share\\店").path, QStringLiteral("/mnt/n8/店"));
    }
};

QTEST_GUILESS_MAIN(TestN8SharePath)
#include "tst_n8sharepath.moc"
