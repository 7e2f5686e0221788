#include "dialogs/BindingDialog.h"

#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "speech/BindingConstant.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTextEdit>
#include <QTreeWidget>

namespace vorela {

static constexpr int ChoosableRole = Qt::UserRole;
static constexpr const char *AmountRefusedText =
    "Такую сумму нельзя произнести так, как она набрана.\n"
    "Целая часть — от одной до девяти цифр, дробная — не больше трёх цифр, "
    "без букв, пробелов, точек и запятых.";
static constexpr const char *DateRefusedText =
    "Такой даты нет в календаре.\n"
    "Наберите цифрами день и номер месяца, например 8 и 3 для 8 марта.";

// Marks the rows that may not be chosen: a small grey "no entry" sign.
static QIcon notChoosableIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(160, 40, 40), 1.5));
    painter.setBrush(QColor(230, 230, 230));
    painter.drawEllipse(QRectF(2, 2, 12, 12));
    painter.drawLine(QPointF(4.5, 11.5), QPointF(11.5, 4.5));
    return QIcon(pixmap);
}

BindingDialog::BindingDialog(const BindingRequest &request, const TaskTableQuery &tables,
                             UiServices &uiServices, std::string &result,
                             const ConstantNames &names, QWidget *parent)
    : QDialog(parent), mode(request.mode), ui(uiServices), bindingResult(result)
{
    // 315 x 223 dialog units at the 8-point dialog font.
    setFixedSize(472, 362);
    buildConstantArea(names);
    buildColumnArea();
    cb_1 = new QPushButton(toQString("Применить"), this);
    cb_1->setObjectName("cb_1");
    cb_1->setGeometry(292, 330, 80, 24);
    cb_1->setDefault(true);
    cb_2 = new QPushButton(toQString("Отмена"), this);
    cb_2->setObjectName("cb_2");
    cb_2->setGeometry(382, 330, 80, 24);

    auto *options = new QButtonGroup(this);
    options->addButton(optb_1);
    options->addButton(optb_2);
    connect(optb_1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            switchToColumns();
    });
    connect(optb_2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            switchToConstant();
    });
    connect(firstEdit, &QLineEdit::textChanged, this, &BindingDialog::composeConstant);
    connect(secondEdit, &QLineEdit::textChanged, this, &BindingDialog::composeConstant);
    connect(textb_1, &QLineEdit::textChanged, this, &BindingDialog::refreshApplyForColumn);
    connect(lv_1, &QTreeWidget::currentItemChanged, this, &BindingDialog::chooseRow);
    connect(cb_1, &QPushButton::clicked, this, &BindingDialog::applyChoice);
    connect(cb_2, &QPushButton::clicked, this, &QDialog::reject);
    firstLabel->setText(toQString(names.firstLabelText));
    secondLabel->setText(toQString(names.secondLabelText));
    prepare(request, tables);
}

void BindingDialog::buildConstantArea(const ConstantNames &names)
{
    optb_2 = new QRadioButton(toQString("Константа :"), this);
    optb_2->setObjectName("optb_2");
    optb_2->setGeometry(16, 6, 120, 20);
    groupb_2 = new QGroupBox(this);
    groupb_2->setObjectName("groupb_2");
    groupb_2->setGeometry(8, 26, 456, 52);
    firstEdit = new QLineEdit(groupb_2);
    firstEdit->setObjectName(names.firstEdit);
    firstEdit->setGeometry(12, 16, 120, 22);
    firstLabel = new QLabel(groupb_2);
    firstLabel->setObjectName(names.firstLabel);
    firstLabel->setGeometry(138, 19, 60, 16);
    secondEdit = new QLineEdit(groupb_2);
    secondEdit->setObjectName(names.secondEdit);
    secondEdit->setGeometry(210, 16, 60, 22);
    secondEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), secondEdit));
    secondLabel = new QLabel(groupb_2);
    secondLabel->setObjectName(names.secondLabel);
    secondLabel->setGeometry(276, 19, 60, 16);
    textb_4 = new QLineEdit("0.00", groupb_2);
    textb_4->setObjectName("textb_4");
    textb_4->setReadOnly(true);
    textb_4->setVisible(false);
}

void BindingDialog::buildColumnArea()
{
    optb_1 = new QRadioButton(toQString("Функция :"), this);
    optb_1->setObjectName("optb_1");
    optb_1->setGeometry(16, 84, 120, 20);
    groupb_1 = new QGroupBox(this);
    groupb_1->setObjectName("groupb_1");
    groupb_1->setGeometry(8, 104, 456, 218);
    textb_props = new QTextEdit(groupb_1);
    textb_props->setObjectName("textb_props");
    textb_props->setReadOnly(true);
    textb_props->setGeometry(12, 14, 432, 52);
    label_3 = new QLabel(toQString("Выбранное поле:"), groupb_1);
    label_3->setObjectName("label_3");
    label_3->setGeometry(12, 76, 110, 16);
    textb_1 = new QLineEdit(groupb_1);
    textb_1->setObjectName("textb_1");
    textb_1->setReadOnly(true);
    QFont bold = textb_1->font();
    bold.setBold(true);
    textb_1->setFont(bold);
    textb_1->setGeometry(126, 72, 180, 22);
    lv_1 = new QTreeWidget(groupb_1);
    lv_1->setObjectName("lv_1");
    lv_1->setGeometry(12, 102, 432, 106);
    lv_1->setRootIsDecorated(false);
    lv_1->setSelectionMode(QAbstractItemView::SingleSelection);
    lv_1->setIconSize(QSize(16, 16));
    lv_1->setHeaderLabels({toQString("Имя"), toQString("Тип"), toQString("Длина")});
    lv_1->header()->resizeSection(0, 135);
    lv_1->header()->resizeSection(1, 60);
    lv_1->header()->resizeSection(2, 75);
}

void BindingDialog::prepare(const BindingRequest &request, const TaskTableQuery &tables)
{
    setWindowTitle(toQString(request.caption));
    std::string properties = "Путь: " + request.pathText;
    if (!request.notes.empty())
        properties += "\nЗаметки: " + request.notes;
    textb_props->setPlainText(toQString(properties));
    if (request.noDatabase)
        optb_1->setEnabled(false);
    else
        fillColumns(tables.columns(request.tablePath).columns, request.binding);
    const bool withSecond = mode == BindingMode::Amount || mode == BindingMode::Date;
    secondEdit->setVisible(withSecond);
    firstLabel->setVisible(withSecond);
    secondLabel->setVisible(withSecond);

    const BindingStart start = bindingStart(mode, request.binding, request.noDatabase);
    firstEdit->setText(toQString(start.first));
    secondEdit->setText(toQString(start.second));
    if (start.constantMode) {
        optb_2->setChecked(true);
        return;
    }
    optb_1->setChecked(true);
    if (lv_1->currentItem() != nullptr) {
        lv_1->scrollToItem(lv_1->currentItem());
        lv_1->setFocus();
    }
}

void BindingDialog::fillColumns(const std::vector<TableColumn> &columns, const std::string &binding)
{
    const QIcon marker = notChoosableIcon();
    for (const TableColumn &column : columns) {
        const std::optional<ColumnRow> row = columnRow(column, mode);
        if (!row)
            continue;
        auto *item = new QTreeWidgetItem(
            lv_1, {toQString(column.name), toQString(row->typeText), toQString(row->lengthText)});
        item->setData(0, ChoosableRole, row->choosable);
        if (!row->choosable)
            item->setIcon(0, marker);
        if (column.name == binding)
            lv_1->setCurrentItem(item);
    }
}

void BindingDialog::chooseRow(QTreeWidgetItem *item)
{
    if (item == nullptr || !item->data(0, ChoosableRole).toBool()) {
        textb_1->clear();
        return;
    }
    textb_1->setText(item->text(0));
}

void BindingDialog::switchToColumns()
{
    lv_1->setEnabled(true);
    firstEdit->setEnabled(false);
    secondEdit->setEnabled(false);
    refreshApplyForColumn();
}

void BindingDialog::switchToConstant()
{
    lv_1->setEnabled(false);
    firstEdit->setEnabled(true);
    secondEdit->setEnabled(true);
    firstEdit->setFocus();
    composeConstant();
}

void BindingDialog::composeConstant()
{
    if (!optb_2->isChecked())
        return;
    const std::string first = toUtf8(firstEdit->text());
    const std::string second = toUtf8(secondEdit->text());
    textb_4->setText(toQString(vorela::composeConstant(mode, first, second)));
    cb_1->setEnabled(constantAcceptable(mode, first, second));
}

void BindingDialog::refreshApplyForColumn()
{
    if (optb_1->isChecked())
        cb_1->setEnabled(!textb_1->text().isEmpty());
}

void BindingDialog::applyChoice()
{
    if (optb_1->isChecked()) {
        bindingResult = toUtf8(textb_1->text());
        done(BindingColumnChosen);
        return;
    }
    if (!constantSpeakable())
        return;
    bindingResult = toUtf8(textb_4->text());
    done(BindingConstantChosen);
}

bool BindingDialog::constantSpeakable()
{
    const ConstantFault fault =
        constantFault(mode, toUtf8(firstEdit->text()), toUtf8(secondEdit->text()));
    if (fault == ConstantFault::None)
        return true;
    const char *text = mode == BindingMode::Date ? DateRefusedText : AmountRefusedText;
    ui.showMessage(
        {toUtf8(windowTitle()), text, MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
    QLineEdit *edit = fault == ConstantFault::First ? firstEdit : secondEdit;
    edit->setFocus();
    edit->selectAll();
    return false;
}

} // namespace vorela
