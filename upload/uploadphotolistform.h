#ifndef UPLOADPHOTOLISTFORM_H
#define UPLOADPHOTOLISTFORM_H

class QDialog;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

// The widgets of the upload list: summary, table, progress row and buttons. The widgets
// belong to the dialog given to setupUi(); the form only points at them.
class Ui_UploadPhotoListDialog
{
public:
    void setupUi(QDialog* dialog);

    QVBoxLayout* mainLayout = nullptr;
    QLabel* labelSummary = nullptr;
    QTableWidget* tableWidget = nullptr;
    QHBoxLayout* progressLayout = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* labelProgress = nullptr;
    QHBoxLayout* buttonLayout = nullptr;
    QPushButton* btnGenerateThumb = nullptr;
    QPushButton* btnRetryFailed = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnStartUpload = nullptr;
};

#endif // UPLOADPHOTOLISTFORM_H
