#include "submit/submitandprintform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

template <typename T> T* named(QWidget* parent, const char* name)
{
    auto* widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// One labelled row of a column; the caption keeps its whole text, the field takes what is left.
void addRow(QGridLayout* grid, QWidget* label, QWidget* field)
{
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
}

QGroupBox* radioGroup(QDialog* dialog, const char* name, QRadioButton** a, const char* nameA, QRadioButton** b,
    const char* nameB, QRadioButton** c, const char* nameC)
{
    auto* box = named<QGroupBox>(dialog, name);
    // One row of three choices, so that the three boxes fit the fixed height.
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 2);
    *a = named<QRadioButton>(box, nameA);
    *b = named<QRadioButton>(box, nameB);
    *c = named<QRadioButton>(box, nameC);
    layout->addWidget(*a);
    layout->addWidget(*b);
    layout->addWidget(*c);
    return box;
}

} // namespace

void Ui_SubmitandPrint::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("SubmitandPrint"));
    dialog->resize(1200, 300);
    dialog->setMinimumSize(1200, 300);
    dialog->setMaximumSize(1200, 300);

    auto* grid = new QGridLayout(dialog);
    grid->setContentsMargins(6, 6, 6, 6);
    auto* rows = new QVBoxLayout;
    grid->addLayout(rows, 0, 0);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(4);
    rows->addLayout(columns);

    // Column 1: dates.
    auto* dates = new QGridLayout;
    label_fetchgoods = named<QLabel>(dialog, "label_fetchgoods");
    pushButton_fetchDate = named<QPushButton>(dialog, "pushButton_fetchDate");
    addRow(dates, label_fetchgoods, pushButton_fetchDate);
    label_urgency = named<QLabel>(dialog, "label_urgency");
    pushButton_urgentDate = named<QPushButton>(dialog, "pushButton_urgentDate");
    addRow(dates, label_urgency, pushButton_urgentDate);
    label_2 = named<QLabel>(dialog, "label_2");
    pushButton_checkBoardDate = named<QPushButton>(dialog, "pushButton_checkBoardDate");
    addRow(dates, label_2, pushButton_checkBoardDate);
    label_preciseRepair = named<QLabel>(dialog, "label_preciseRepair");
    pushButton_preciseRepairDate = named<QPushButton>(dialog, "pushButton_preciseRepairDate");
    addRow(dates, label_preciseRepair, pushButton_preciseRepairDate);
    lab_wyx = named<QLabel>(dialog, "lab_wyx");
    pb_wyxdate = named<QPushButton>(dialog, "pb_wyxdate");
    addRow(dates, lab_wyx, pb_wyxdate);
    columns->addLayout(dates, 1);

    // Column 2: the three radio groups.
    auto* radios = new QVBoxLayout;
    gb_kjxway = radioGroup(
        dialog, "gb_kjxway", &radiobtn_wd, "radiobtn_wd", &radiobtn_zxk, "radiobtn_zxk", &radiobtn_ddk, "radiobtn_ddk");
    radiobtn_ddk->setChecked(true);
    kxggroupbox = radioGroup(
        dialog, "kxggroupbox", &rb_kxg_wd, "rb_kxg_wd", &rb_kxg_kxg, "rb_kxg_kxg", &rb_kxg_bkxg, "rb_kxg_bkxg");
    gb_cplx = radioGroup(
        dialog, "gb_cplx", &rb_cplx_wqr, "rb_cplx_wqr", &rb_cplx_cjx, "rb_cplx_cjx", &rb_cplx_ycp, "rb_cplx_ycp");
    for (QGroupBox* box : {gb_kjxway, kxggroupbox, gb_cplx})
        box->setMaximumWidth(255);
    radios->addWidget(gb_kjxway);
    radios->addWidget(kxggroupbox);
    radios->addWidget(gb_cplx);
    columns->addLayout(radios, 1);

    // Column 3: counts.
    auto* counts = new QGridLayout;
    const struct
    {
        QLabel** label;
        const char* labelName;
        QLineEdit** field;
        const char* fieldName;
    } countRows[] = {
        {&lb_giveBoardLineEdit, "lb_giveBoardLineEdit", &giveBoardLineEdit, "giveBoardLineEdit"},
        {&lb_buyBoardLineEdit, "lb_buyBoardLineEdit", &buyBoardLineEdit, "buyBoardLineEdit"},
        {&lb_originPhotoNum, "lb_originPhotoNum", &originPhotoNum, "originPhotoNum"},
        {&lb_cardLineEdit, "lb_cardLineEdit", &cardLineEdit, "cardLineEdit"},
        {&lb_tradeLineEdit, "lb_tradeLineEdit", &tradeLineEdit, "tradeLineEdit"},
        {&lb_yangQianLineEd, "lb_yangQianLineEd", &yangQianLineEd, "yangQianLineEd"},
        {&lb_designnumLineEdit, "lb_designnumLineEdit", &designnumLineEdit, "designnumLineEdit"},
        {&lb_blessLineEdit, "lb_blessLineEdit", &blessLineEdit, "blessLineEdit"},
    };
    for (const auto& row : countRows) {
        *row.label = named<QLabel>(dialog, row.labelName);
        *row.field = named<QLineEdit>(dialog, row.fieldName);
        // Counts are short: the room goes to the dates and the labels.
        (*row.label)->setMaximumWidth(120);
        (*row.field)->setMaximumWidth(70);
        addRow(counts, *row.label, *row.field);
    }
    columns->addLayout(counts, 1);

    // Column 4: staff and amounts.
    auto* amounts = new QGridLayout;
    label_13 = named<QLabel>(dialog, "label_13");
    comboBox_xps = named<QComboBox>(dialog, "comboBox_xps");
    addRow(amounts, label_13, comboBox_xps);
    label_3 = named<QLabel>(dialog, "label_3");
    secondSumLineEdit = named<QLineEdit>(dialog, "secondSumLineEdit");
    secondSumLineEdit->setEnabled(false);
    addRow(amounts, label_3, secondSumLineEdit);
    lb_dxprice = named<QLabel>(dialog, "lb_dxprice");
    le_dxppirce = named<QLineEdit>(dialog, "le_dxppirce");
    addRow(amounts, lb_dxprice, le_dxppirce);
    lb_fgprice = named<QLabel>(dialog, "lb_fgprice");
    le_fgpirce = named<QLineEdit>(dialog, "le_fgpirce");
    addRow(amounts, lb_fgprice, le_fgpirce);
    label_12 = named<QLabel>(dialog, "label_12");
    bcxppirce_lineEdit = named<QLineEdit>(dialog, "bcxppirce_lineEdit");
    addRow(amounts, label_12, bcxppirce_lineEdit);
    for (QWidget* field : {static_cast<QWidget*>(comboBox_xps), static_cast<QWidget*>(secondSumLineEdit),
             static_cast<QWidget*>(le_dxppirce), static_cast<QWidget*>(le_fgpirce),
             static_cast<QWidget*>(bcxppirce_lineEdit)})
        field->setMaximumWidth(120);
    columns->addLayout(amounts, 1);

    // Column 5: options and the delivery choice.
    auto* options = new QVBoxLayout;
    isdeletetpbtn = named<QCheckBox>(dialog, "isdeletetpbtn");
    cb_urgent_photo = named<QCheckBox>(dialog, "cb_urgent_photo");
    checkBox_chengpin = named<QCheckBox>(dialog, "checkBox_chengpin");
    checkBox_chengpin->setChecked(true);
    checkBox = named<QCheckBox>(dialog, "checkBox");
    checkBox->setChecked(true);
    options->addWidget(isdeletetpbtn);
    options->addWidget(cb_urgent_photo);
    options->addWidget(checkBox_chengpin);
    options->addWidget(checkBox);
    groupBox_2 = radioGroup(dialog, "groupBox_2", &radioButton, "radioButton", &radioButton_isPartEMS,
        "radioButton_isPartEMS", &radioButton_isEMS, "radioButton_isEMS");
    radioButton->setChecked(true);
    options->addWidget(groupBox_2);
    groupBox = named<QGroupBox>(dialog, "groupBox");
    auto* completion = new QHBoxLayout(groupBox);
    radioButton_part = named<QRadioButton>(groupBox, "radioButton_part");
    radioButton_all = named<QRadioButton>(groupBox, "radioButton_all");
    radioButton_all->setChecked(true);
    completion->addWidget(radioButton_part);
    completion->addWidget(radioButton_all);
    options->addWidget(groupBox);
    for (QWidget* w : {static_cast<QWidget*>(isdeletetpbtn), static_cast<QWidget*>(cb_urgent_photo),
             static_cast<QWidget*>(checkBox_chengpin), static_cast<QWidget*>(checkBox),
             static_cast<QWidget*>(groupBox_2), static_cast<QWidget*>(groupBox)})
        w->setMaximumWidth(190);
    columns->addLayout(options, 1);

    rows->addItem(new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Expanding));

    auto* actions = new QHBoxLayout;
    actions->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    pushButton_thumbnail = named<QPushButton>(dialog, "pushButton_thumbnail");
    pushButtonEMS = named<QPushButton>(dialog, "pushButtonEMS");
    pushButton_2 = named<QPushButton>(dialog, "pushButton_2");
    actions->addWidget(pushButton_thumbnail);
    actions->addWidget(pushButtonEMS);
    actions->addWidget(pushButton_2);
    actions->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    rows->addLayout(actions);

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_SubmitandPrint::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QStringLiteral("Form"));
    label_fetchgoods->setText(QStringLiteral("发货日期:"));
    label_urgency->setText(QStringLiteral("加急日期:"));
    label_2->setText(QStringLiteral("看版日期:"));
    label_preciseRepair->setText(QStringLiteral("看精修日期:"));
    lab_wyx->setText(QStringLiteral("微影像日期"));

    gb_kjxway->setTitle(QStringLiteral("看精修方式"));
    radiobtn_wd->setText(QStringLiteral("未定"));
    radiobtn_zxk->setText(QStringLiteral("在线看"));
    radiobtn_ddk->setText(QStringLiteral("到店看"));
    kxggroupbox->setTitle(QStringLiteral("是否看效果"));
    rb_kxg_wd->setText(QStringLiteral("未定"));
    rb_kxg_kxg->setText(QStringLiteral("看效果"));
    rb_kxg_bkxg->setText(QStringLiteral("不看效果"));
    gb_cplx->setTitle(QStringLiteral("产品类型"));
    rb_cplx_wqr->setText(QStringLiteral("未确认"));
    rb_cplx_cjx->setText(QStringLiteral("纯精修"));
    rb_cplx_ycp->setText(QStringLiteral("有产品"));

    lb_giveBoardLineEdit->setText(QStringLiteral("赠送精修张数:"));
    lb_buyBoardLineEdit->setText(QStringLiteral("购买精修张数:"));
    lb_originPhotoNum->setText(QStringLiteral("购买毛底张数:"));
    lb_cardLineEdit->setText(QStringLiteral("--证件照:"));
    lb_tradeLineEdit->setText(QStringLiteral("--商家赞助:"));
    lb_yangQianLineEd->setText(QStringLiteral("对比片选中张数:"));
    lb_designnumLineEdit->setText(QStringLiteral("设计版:"));
    lb_blessLineEdit->setText(QStringLiteral("--微祝福:"));

    label_13->setText(QStringLiteral("选片师"));
    label_3->setText(QStringLiteral("二销总额:"));
    lb_dxprice->setText(QStringLiteral("当消金额"));
    lb_fgprice->setText(QStringLiteral("复购金额"));
    label_12->setText(QStringLiteral("本次选片金额"));

    isdeletetpbtn->setText(QStringLiteral("是否删除汰片"));
    cb_urgent_photo->setText(QStringLiteral("是否存在加急照片"));
    checkBox_chengpin->setText(QStringLiteral("是否打印成品区域"));
    checkBox->setText(QStringLiteral("是否打印缩略图片"));
    radioButton->setText(QStringLiteral("全部自取"));
    radioButton_isPartEMS->setText(QStringLiteral("部分快递"));
    radioButton_isEMS->setText(QStringLiteral("快递"));
    radioButton_part->setText(QStringLiteral("部分选片完成"));
    radioButton_all->setText(QStringLiteral("全部选片完成"));

    pushButton_thumbnail->setText(QStringLiteral("成品缩略图"));
    pushButtonEMS->setText(QStringLiteral("快递单"));
    pushButton_2->setText(QStringLiteral("提交选片结果"));
}
