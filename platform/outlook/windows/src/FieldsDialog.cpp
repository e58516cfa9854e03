#include "FieldsDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace pollenta::outlook {

QDialog* FieldsDialog(QWidget* parent, const QString& title, QLayout* fields, std::function<bool()> accepted)
{
    auto* dialog = new QDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [dialog, accepted = std::move(accepted)] {
        if (accepted())
            dialog->accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return dialog;
}

}  // namespace pollenta::outlook
