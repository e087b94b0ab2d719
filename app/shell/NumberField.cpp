#include "shell/NumberField.h"

#include <QDoubleValidator>
#include <QLineEdit>
#include <QLocale>
#include <cmath>

QLineEdit* MakeNumberField(double value, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    auto* validator = new QDoubleValidator(field);
    validator->setLocale(QLocale::c());
    validator->setNotation(QDoubleValidator::ScientificNotation);
    field->setValidator(validator);
    field->setText(QLocale::c().toString(value, 'g', 15));
    return field;
}

double NumberFieldValue(const QLineEdit* field) {
    bool ok = false;
    const double v = QLocale::c().toDouble(field->text().trimmed(), &ok);
    return ok && std::isfinite(v) ? v : 0.0;
}
