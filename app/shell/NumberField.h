// A line edit that takes a finite decimal number (as MFC's double fields do), in the C locale.
#pragma once

class QLineEdit;
class QWidget;

QLineEdit* MakeNumberField(double value, QWidget* parent);
// The field's number; 0 when it holds none.
double NumberFieldValue(const QLineEdit* field);
