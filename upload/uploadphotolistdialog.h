#ifndef UPLOADPHOTOLISTDIALOG_H
#define UPLOADPHOTOLISTDIALOG_H

#include <QDialog>

class QPushButton;

// The list of the order's photos to upload to the cloud before submission. Until uploading is built the list has
// nothing to upload, so its start button reads "完成": pressing it emits upLoadSuccess() and closes the dialog.
//
// Opened without parent; the opener makes it modal and sets Qt::WA_DeleteOnClose. GUI thread only.
class UploadPhotoListDialog : public QDialog
{
    Q_OBJECT
public:
    explicit UploadPhotoListDialog(QWidget* parent = nullptr);

signals:
    void upLoadSuccess();

private:
    void start();

    QPushButton* m_startButton;
    bool m_isDone;
};

#endif // UPLOADPHOTOLISTDIALOG_H
