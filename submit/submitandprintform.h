#ifndef SUBMITANDPRINTFORM_H
#define SUBMITANDPRINTFORM_H

class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The controls of the submission dialog, each named by its object name: five columns (dates,
// the three radio groups, counts, staff and amounts, options with the delivery choice) above
// the row of the three action buttons. setupUi() builds them on the dialog, sets the captions
// and connects the dialog's on_<object>_clicked() slots by name.
class Ui_SubmitandPrint
{
public:
    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);

    // Dates
    QLabel* label_fetchgoods;
    QPushButton* pushButton_fetchDate;
    QLabel* label_urgency;
    QPushButton* pushButton_urgentDate;
    QLabel* label_2;
    QPushButton* pushButton_checkBoardDate;
    QLabel* label_preciseRepair;
    QPushButton* pushButton_preciseRepairDate;
    QLabel* lab_wyx;
    QPushButton* pb_wyxdate;

    // Radio groups
    QGroupBox* gb_kjxway;
    QRadioButton* radiobtn_wd;
    QRadioButton* radiobtn_zxk;
    QRadioButton* radiobtn_ddk;
    QGroupBox* kxggroupbox;
    QRadioButton* rb_kxg_wd;
    QRadioButton* rb_kxg_kxg;
    QRadioButton* rb_kxg_bkxg;
    QGroupBox* gb_cplx;
    QRadioButton* rb_cplx_wqr;
    QRadioButton* rb_cplx_cjx;
    QRadioButton* rb_cplx_ycp;

    // Counts
    QLabel* lb_giveBoardLineEdit;
    QLineEdit* giveBoardLineEdit;
    QLabel* lb_buyBoardLineEdit;
    QLineEdit* buyBoardLineEdit;
    QLabel* lb_originPhotoNum;
    QLineEdit* originPhotoNum;
    QLabel* lb_cardLineEdit;
    QLineEdit* cardLineEdit;
    QLabel* lb_tradeLineEdit;
    QLineEdit* tradeLineEdit;
    QLabel* lb_yangQianLineEd;
    QLineEdit* yangQianLineEd;
    QLabel* lb_designnumLineEdit;
    QLineEdit* designnumLineEdit;
    QLabel* lb_blessLineEdit;
    QLineEdit* blessLineEdit;

    // Staff and amounts
    QLabel* label_13;
    QComboBox* comboBox_xps;
    QLabel* label_3;
    QLineEdit* secondSumLineEdit;
    QLabel* lb_dxprice;
    QLineEdit* le_dxppirce;
    QLabel* lb_fgprice;
    QLineEdit* le_fgpirce;
    QLabel* label_12;
    QLineEdit* bcxppirce_lineEdit;

    // Options and the delivery choice
    QCheckBox* isdeletetpbtn;
    QCheckBox* cb_urgent_photo;
    QCheckBox* checkBox_chengpin;
    QCheckBox* checkBox;
    QGroupBox* groupBox_2;
    QRadioButton* radioButton;
    QRadioButton* radioButton_isPartEMS;
    QRadioButton* radioButton_isEMS;
    QGroupBox* groupBox;
    QRadioButton* radioButton_part;
    QRadioButton* radioButton_all;

    // Actions
    QPushButton* pushButton_thumbnail;
    QPushButton* pushButtonEMS;
    QPushButton* pushButton_2;
};

namespace Ui {
class SubmitandPrint : public Ui_SubmitandPrint
{
};
} // namespace Ui

#endif // SUBMITANDPRINTFORM_H
