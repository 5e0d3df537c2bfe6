#ifndef FAMILYDLG_H
#define FAMILYDLG_H

#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QListWidgetItem;
namespace Ui {
class FamilyDlg;
}

// The room-template chooser: the templates of one room kind as a thumbnail list. A double
// click hands the template's path on for the room preview. The main window keeps one as a
// pane for its whole life; GUI thread only.
//
// Each listing has a number: the folder reading and the thumbnail jobs carry it, and what
// arrives for an earlier listing is dropped, so that late icons never land on the rows of
// a newer one.
class FamilyDlg : public QDialog
{
    Q_OBJECT
public:
    explicit FamilyDlg(QWidget* parent = nullptr);
    ~FamilyDlg() override;

    // Lists the template images of dir; row i shows entry i of the path list. The folder is
    // read on a worker (it lies on a share that may be slow or gone); the list fills when
    // the reading is done, and only from the latest call.
    void importFamilyPic(QString dir);
    void showDefaultThumb(QStringList paths);

signals:
    void sendFamilyBigPicPath(QString& picpath);

public slots:
    void updateThumbIcon(int index, QPixmap pic);
    void selectItem(QListWidgetItem* item);

private slots:
    // The reply of a thumbnail job of the given listing.
    void updateListingThumbIcon(int listing, int index, QPixmap pic);

private:
    void showTemplates(const QString& dir, bool exists, const QStringList& paths);

    Ui::FamilyDlg* ui;
    QStringList m_picPaths;
    int m_listing = 0;
};

#endif // FAMILYDLG_H
