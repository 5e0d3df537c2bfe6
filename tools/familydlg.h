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
// click hands the template's path on for the room preview.
class FamilyDlg : public QDialog
{
    Q_OBJECT
public:
    explicit FamilyDlg(QWidget* parent = nullptr);
    ~FamilyDlg() override;

    // Lists the template images of dir; row i shows entry i of the path list.
    void importFamilyPic(QString dir);
    void showDefaultThumb(QStringList paths);

signals:
    void sendFamilyBigPicPath(QString& picpath);

public slots:
    void updateThumbIcon(int index, QPixmap pic);
    void selectItem(QListWidgetItem* item);

private:
    Ui::FamilyDlg* ui;
    QStringList picPaths;
};

#endif // FAMILYDLG_H
