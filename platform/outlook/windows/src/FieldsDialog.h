#pragma once
// A small dialog of the client's own: some fields over OK and Cancel,
// shown without blocking (open()). `accepted` runs on OK and keeps the
// dialog open when it returns false; the dialog deletes itself once closed.

#include <QDialog>
#include <QLayout>

#include <functional>

namespace pollenta::outlook {

QDialog* FieldsDialog(QWidget* parent, const QString& title, QLayout* fields, std::function<bool()> accepted);

}  // namespace pollenta::outlook
