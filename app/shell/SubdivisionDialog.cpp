#include "shell/SubdivisionDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "isovist/IsovistSubdivision.h"
#include "shell/AnalysisSummaryDialog.h"
#include "shell/NumberField.h"

SubdivisionDiagram::SubdivisionDiagram(const IsovistSubdivision& subdivision, QWidget* parent)
    : QWidget(parent), subdivision_(subdivision) {
    setMinimumSize(220, 220);
}

void SubdivisionDiagram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(187, 187, 255));
    const QPointF centre = QRectF(rect()).center();
    const double radius = std::min(width(), height()) / 2.0;
    for (const SubdivisionSlice& slice : subdivision_.Diagram(radius)) {
        const QRectF box(centre.x() - slice.radius, centre.y() - slice.radius, 2 * slice.radius,
                         2 * slice.radius);
        // Qt's angles run counter-clockwise on screen, as the diagram's do with y up.
        painter.drawPie(box, static_cast<int>(std::lround(slice.startAngle * 16)),
                        static_cast<int>(std::lround((slice.endAngle - slice.startAngle) * 16)));
    }
}

SubdivisionDialog::SubdivisionDialog(IsovistSubdivision& subdivision, QWidget* parent)
    : QDialog(parent),
      subdivision_(subdivision),
      startAngle_(MakeNumberField(0.0, this)),
      count_(new QLineEdit(QStringLiteral("0"), this)),
      measure_(new QComboBox(this)),
      list_(new QTreeWidget(this)),
      diagram_(new SubdivisionDiagram(subdivision, this)) {
    setWindowTitle(QStringLiteral("Isovist Subdivision"));
    count_->setValidator(
        new QIntValidator(0, static_cast<int>(IsovistSubdivision::kMaxSubdivisions), count_));
    for (const std::string& name : SubdivisionMeasureNames()) {
        measure_->addItem(QString::fromStdString(name));
    }
    list_->setObjectName(QStringLiteral("CCW"));
    list_->setRootIsDecorated(false);
    list_->setColumnCount(2);

    auto* generate = new QPushButton(QStringLiteral("Generate"), this);
    auto* summary = new QPushButton(QStringLiteral("Summary"), this);
    connect(generate, &QPushButton::clicked, this, &SubdivisionDialog::generate);
    connect(summary, &QPushButton::clicked, this, &SubdivisionDialog::showSummary);
    connect(measure_, &QComboBox::currentIndexChanged, this, [this](int index) {
        subdivision_.SelectMeasure(index);
        refill();
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Start angle"), startAngle_);
    form->addRow(QStringLiteral("Number of subdivisions"), count_);
    form->addRow(QStringLiteral("Measure"), measure_);
    auto* actions = new QHBoxLayout;
    actions->addWidget(generate);
    actions->addWidget(summary);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(actions);
    left->addWidget(list_, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(diagram_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    refill();
}

void SubdivisionDialog::generate() {
    const uint32_t count = count_->text().toUInt();
    if (subdivision_.Generate(NumberFieldValue(startAngle_), count)) {
        refill();
    }
}

void SubdivisionDialog::refill() {
    list_->setHeaderLabels(
        {QStringLiteral("Index"), QString::fromStdString(subdivision_.Heading())});
    list_->clear();
    for (const SubdivisionRow& row : subdivision_.Rows()) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::fromStdString(row.index));
        item->setText(1, QString::fromStdString(row.value));
    }
    diagram_->update();
}

void SubdivisionDialog::showSummary() {
    AnalysisSummaryDialog(subdivision_.SummaryText(), this).exec();
}
