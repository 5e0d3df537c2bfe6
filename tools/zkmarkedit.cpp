#include "tools/zkmarkedit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

ZKMarkEdit::ZKMarkEdit(int number, ZKMarker* ownMarker, QWidget* parent)
    : QFrame(parent)
    , marker(ownMarker)
    , markNum(number)
{
    numberLabel = new QLabel(QString::number(number), this);
    QFont font = numberLabel->font();
    font.setPointSize(15);
    numberLabel->setFont(font);

    textEdit = new QTextEdit(this);
    textEdit->setMinimumHeight(60);
    textEdit->setMaximumHeight(60);

    deleteButton = new QPushButton(QStringLiteral("删除"), this);
    deleteButton->setMaximumWidth(40);

    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->addWidget(numberLabel);
    layout->addWidget(textEdit);
    layout->addWidget(deleteButton);

    connect(deleteButton, &QPushButton::clicked, this, &ZKMarkEdit::delEditAction);
    connect(textEdit->document(), &QTextDocument::contentsChanged, this, &ZKMarkEdit::editAdjustHgt);
}

QString ZKMarkEdit::getEditText() const
{
    return textEdit->toPlainText();
}

void ZKMarkEdit::setEditText(const QString& text)
{
    textEdit->setPlainText(text);
}

void ZKMarkEdit::delEditAction()
{
    emit delEditSgl(this);
}

void ZKMarkEdit::editAdjustHgt()
{
    emit editTextChanged();
}
