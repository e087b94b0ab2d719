// The path dialogs of the widget port: plain forms bound to the core's dialog models.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>

#include "path/PathDataTable.h"
#include "path/PathOptionsDialogModel.h"
#include "shell/WidgetDocumentUi.h"

namespace {

constexpr double kFieldLimit = 1e12;

QDoubleSpinBox* NumberField(double value, QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setRange(-kFieldLimit, kFieldLimit);
    field->setDecimals(4);
    field->setValue(value);
    return field;
}

QDialogButtonBox* OkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

bool WidgetDocumentUi::runPathOptions(PathOptionsDialogModel& model) {
    QDialog dialog(window_);
    dialog.setWindowTitle(QStringLiteral("Path Options"));
    auto* form = new QFormLayout(&dialog);
    auto* paths = new QComboBox(&dialog);
    paths->setObjectName(QStringLiteral("currentPath"));
    for (const std::string& entry : model.pathEntries) {
        paths->addItem(Text(entry));
    }
    paths->setCurrentIndex(model.selectedPath);
    auto* length = new QLabel(Text(model.lengthText()), &dialog);
    length->setObjectName(QStringLiteral("length"));
    QObject::connect(paths, &QComboBox::currentIndexChanged, &dialog, [&model, length](int i) {
        model.selectPath(i);
        length->setText(Text(model.lengthText()));
    });
    auto* radius = new QSpinBox(&dialog);
    radius->setRange(0, std::numeric_limits<int>::max());
    radius->setValue(model.circleRadius);
    radius->setObjectName(QStringLiteral("circleRadius"));
    auto* method = new QComboBox(&dialog);
    method->setObjectName(QStringLiteral("displayMethod"));
    for (const std::string& label : DisplayMethodLabels()) {
        method->addItem(Text(label));
    }
    method->setCurrentIndex(model.displayMethod);
    auto* useOffset = new QCheckBox(QStringLiteral("Use offset from origin"), &dialog);
    useOffset->setChecked(model.useOffset);
    // The distances take input only while the offset is used.
    auto* offsets = new QGroupBox(QStringLiteral("Distance from origin"), &dialog);
    offsets->setObjectName(QStringLiteral("distanceFromOrigin"));
    auto* offsetForm = new QFormLayout(offsets);
    QDoubleSpinBox* start = NumberField(model.offsetStart, offsets);
    start->setObjectName(QStringLiteral("offsetStart"));
    QDoubleSpinBox* end = NumberField(model.offsetEnd, offsets);
    end->setObjectName(QStringLiteral("offsetEnd"));
    offsetForm->addRow(QStringLiteral("Start"), start);
    offsetForm->addRow(QStringLiteral("End"), end);
    offsets->setEnabled(model.useOffset);
    QObject::connect(useOffset, &QCheckBox::toggled, offsets, &QWidget::setEnabled);
    form->addRow(QStringLiteral("Current path"), paths);
    form->addRow(QStringLiteral("Length"), length);
    form->addRow(QStringLiteral("Circle Radius"), radius);
    form->addRow(QStringLiteral("Display Method"), method);
    form->addRow(useOffset);
    form->addRow(offsets);
    form->addRow(OkCancel(dialog));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    model.selectPath(paths->currentIndex());
    model.circleRadius = radius->value();
    model.displayMethod = method->currentIndex();
    model.useOffset = useOffset->isChecked();
    model.offsetStart = start->value();
    model.offsetEnd = end->value();
    return true;
}

bool WidgetDocumentUi::runCreateObservationPoints(ObservationPointsDialogModel& model) {
    QDialog dialog(window_);
    dialog.setWindowTitle(QStringLiteral("Create Observation Points"));
    auto* form = new QFormLayout(&dialog);
    auto* byCount = new QRadioButton(QStringLiteral("By Node Count"), &dialog);
    byCount->setObjectName(QStringLiteral("byNodeCount"));
    auto* bySpacing = new QRadioButton(QStringLiteral("By Node Spacing"), &dialog);
    bySpacing->setObjectName(QStringLiteral("byNodeSpacing"));
    auto* count = new QSpinBox(&dialog);
    count->setObjectName(QStringLiteral("count"));
    count->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    count->setValue(model.request.count);
    QDoubleSpinBox* spacing = NumberField(model.request.spacing, &dialog);
    spacing->setObjectName(QStringLiteral("spacing"));
    auto* all = new QCheckBox(QStringLiteral("Apply to all paths"), &dialog);
    all->setChecked(model.request.applyToAllPaths);
    auto refresh = [&] {
        model.request.mode = byCount->isChecked() ? ObservationPointMode::ByNodeCount
                                                  : ObservationPointMode::ByNodeSpacing;
        count->setEnabled(model.countFieldEnabled());
        spacing->setEnabled(model.spacingFieldEnabled());
    };
    (model.countFieldEnabled() ? byCount : bySpacing)->setChecked(true);
    QObject::connect(byCount, &QRadioButton::toggled, &dialog, refresh);
    refresh();
    form->addRow(byCount);
    form->addRow(QStringLiteral("Count (Excluding endpoints)"), count);
    form->addRow(bySpacing);
    form->addRow(QStringLiteral("Spacing"), spacing);
    form->addRow(all);
    form->addRow(OkCancel(dialog));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    refresh();
    model.request.count = count->value();
    model.request.spacing = spacing->value();
    model.request.applyToAllPaths = all->isChecked();
    return true;
}

std::optional<double> WidgetDocumentUi::askViewAngle() {
    bool ok = false;
    const double angle = QInputDialog::getDouble(
        window_, QStringLiteral("Viewing angle in degree (0~180)"), QString(), 0.0, -kFieldLimit,
        kFieldLimit, 4, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return angle;
}

void WidgetDocumentUi::showPathData(const PathDataTable& table) {
    QDialog dialog(window_);
    dialog.setWindowTitle(QStringLiteral("Path Isovist Data"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Current Path: ") + Text(table.currentPath)));
    auto* grid = new QTableWidget(static_cast<int>(table.rows.size()),
                                  static_cast<int>(table.columns.size()), &dialog);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    for (size_t c = 0; c < table.columns.size(); ++c) {
        grid->setHorizontalHeaderItem(static_cast<int>(c),
                                      new QTableWidgetItem(Text(table.columns[c].title)));
        grid->setColumnWidth(static_cast<int>(c), table.columns[c].width);
    }
    for (size_t r = 0; r < table.rows.size(); ++r) {
        for (size_t c = 0; c < table.rows[r].size(); ++c) {
            grid->setItem(static_cast<int>(r), static_cast<int>(c),
                          new QTableWidgetItem(Text(table.rows[r][c])));
        }
    }
    layout->addWidget(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}
