#include "player/PlayerBar.h"

#include "platform/UiServices.h"
#include "platform/qt/QtText.h"
#include "player/Form3.h"
#include "player/TemplateListening.h"
#include "tables/DbfTaskTableQuery.h"

#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

namespace vorela {

static constexpr const char *BarTitle = "Прослушивание";
static constexpr const char *FirstRecordText = "первая запись";
static constexpr const char *NoTableText = "нет таблицы";
static constexpr const char *NoTaskText = "задание не выбрано";
static constexpr const char *RecordPrefix = "запись ";
static constexpr const char *ValueSeparator = " · ";
static constexpr const char *RecordHint =
    "Запись таблицы задания, с которой прослушивается шаблон. Удалённые записи пропускаются.";
static constexpr const char *SearchHint = "Часть значения";
static constexpr const char *FindText = "Найти";
static constexpr const char *SearchCaption = "Поиск записи";
static constexpr const char *NotFoundText = "Нет записи, в столбце которой есть «%1».";
static constexpr const char *UnreadableText = "Не удалось прочитать таблицу задания:\n%1";
static constexpr const char *PhoneLineText = "Как в телефоне";
static constexpr const char *PhoneLineHint =
    "Звук проходит через телефонную линию: полоса 300–3400 Гц и восьмибитное кодирование";
static constexpr const char *ALawText = "А-закон (Европа)";
static constexpr const char *MuLawText = "мю-закон (США, Япония)";

namespace {

// Steps and accepts only the numbers of live records; 0 stands for "the first live record".
class LiveRecordSpinBox : public QSpinBox {
public:
    LiveRecordSpinBox(const LiveRecords &records, QWidget *parent) : QSpinBox(parent), live(records)
    {
    }

    void stepBy(int steps) override
    {
        setValue(int(steppedRecord(live.records, std::uint32_t(value()), steps)));
    }

protected:
    QValidator::State validate(QString &text, int &position) const override
    {
        const QValidator::State state = QSpinBox::validate(text, position);
        if (state != QValidator::Acceptable)
            return state;
        const int number = valueFromText(text);
        const bool isLive = std::any_of(
            live.records.begin(), live.records.end(),
            [number](const NumberedRecord &record) { return int(record.number) == number; });
        return number == 0 || isLive ? QValidator::Acceptable : QValidator::Intermediate;
    }

private:
    const LiveRecords &live;
};

} // namespace

PlayerBar::PlayerBar(Form3 &templatePlayer, TemplateListening &templateListening,
                     UiServices &uiServices, QWidget *parent)
    : QToolBar(toQString(BarTitle), parent), player(templatePlayer), listening(templateListening),
      ui(uiServices)
{
    setObjectName("playerBar");
    recordNumber = new LiveRecordSpinBox(live, this);
    recordNumber->setObjectName("recordNumber");
    recordNumber->setPrefix(toQString(RecordPrefix));
    recordNumber->setToolTip(toQString(RecordHint));
    recordNumber->setMinimumWidth(180);
    searchColumn = new QComboBox(this);
    searchColumn->setObjectName("searchColumn");
    searchText = new QLineEdit(this);
    searchText->setObjectName("searchText");
    searchText->setPlaceholderText(toQString(SearchHint));
    searchText->setMaximumWidth(240);
    findRecord = new QToolButton(this);
    findRecord->setObjectName("findRecord");
    findRecord->setText(toQString(FindText));
    recordValues = new QLabel(this);
    recordValues->setObjectName("recordValues");
    addWidget(recordNumber);
    addWidget(recordValues);
    addWidget(searchColumn);
    addWidget(searchText);
    addWidget(findRecord);
    addSeparator();

    phoneLine = new QToolButton(this);
    phoneLine->setObjectName("phoneLine");
    phoneLine->setText(toQString(PhoneLineText));
    phoneLine->setToolTip(toQString(PhoneLineHint));
    phoneLine->setCheckable(true);
    phoneLine->setPopupMode(QToolButton::MenuButtonPopup);
    auto *laws = new QMenu(phoneLine);
    laws->setObjectName("phoneLineMenu");
    auto *lawGroup = new QActionGroup(laws);
    aLaw = laws->addAction(toQString(ALawText));
    aLaw->setObjectName("aLaw");
    muLaw = laws->addAction(toQString(MuLawText));
    muLaw->setObjectName("muLaw");
    for (QAction *law : {aLaw, muLaw}) {
        law->setCheckable(true);
        lawGroup->addAction(law);
    }
    aLaw->setChecked(true);
    phoneLine->setMenu(laws);
    addWidget(phoneLine);

    connect(recordNumber, &QSpinBox::valueChanged, this, &PlayerBar::chooseRecord);
    connect(findRecord, &QToolButton::clicked, this, &PlayerBar::findNextRecord);
    connect(searchText, &QLineEdit::returnPressed, this, &PlayerBar::findNextRecord);
    connect(phoneLine, &QToolButton::toggled, this, &PlayerBar::switchLine);
    connect(lawGroup, &QActionGroup::triggered, this, &PlayerBar::switchLine);
    setTable(std::nullopt);
    recordNumber->setSpecialValueText(toQString(NoTaskText));
}

void PlayerBar::setTable(const std::optional<std::filesystem::path> &table,
                         std::span<const std::string> boundColumns)
{
    // Another item of the same task keeps the record chosen while it is still live.
    const int kept = table == tableFile ? recordNumber->value() : 0;
    tableFile = table;
    live = table ? readLiveRecords(*table) : LiveRecords{};
    columnValues.clear();
    searchColumn->clear();
    recordNumber->setToolTip(toQString(RecordHint));
    if (!table)
        return showNoTable({});
    if (!live.ok())
        return showNoTable(live.error);
    const TableColumns columns = DbfTaskTableQuery().columns(*table);
    for (const TableColumn &column : columns.columns) {
        if (column.usable())
            searchColumn->addItem(toQString(column.name));
    }
    readColumnValues(*table, boundColumns);
    const bool hasRecords = !live.records.empty();
    recordNumber->setEnabled(hasRecords);
    recordNumber->setSpecialValueText(toQString(hasRecords ? FirstRecordText : NoTableText));
    recordNumber->setSuffix(QStringLiteral(" из %1").arg(live.fileRecords));
    recordNumber->setRange(0, hasRecords ? int(live.records.back().number) : 0);
    const bool keptLive =
        std::any_of(live.records.begin(), live.records.end(),
                    [kept](const NumberedRecord &record) { return int(record.number) == kept; });
    recordNumber->setValue(keptLive ? kept : 0);
    chooseRecord(recordNumber->value());
    for (QWidget *search : std::initializer_list<QWidget *>{searchColumn, searchText, findRecord})
        search->setEnabled(hasRecords);
}

// reason, when given, is shown on the record number so that the operator learns why it is off.
void PlayerBar::showNoTable(const std::string &reason)
{
    live = {};
    recordNumber->setRange(0, 0);
    recordNumber->setSpecialValueText(toQString(NoTableText));
    if (!reason.empty())
        recordNumber->setToolTip(toQString(UnreadableText).arg(toQString(reason)));
    for (QWidget *widget :
         std::initializer_list<QWidget *>{recordNumber, searchColumn, searchText, findRecord})
        widget->setEnabled(false);
    listening.setRecord(std::nullopt);
    recordValues->clear();
}

// A column that cannot be read is left out: the record's number still tells which one plays.
void PlayerBar::readColumnValues(const std::filesystem::path &table,
                                 std::span<const std::string> boundColumns)
{
    for (const std::string &column : boundColumns) {
        LiveRecords values = readLiveRecords(table, column);
        if (values.ok() && values.records.size() == live.records.size())
            columnValues.push_back({column, std::move(values.records)});
    }
}

void PlayerBar::chooseRecord(int number)
{
    listening.setRecord(number > 0 ? std::optional<std::uint32_t>(number) : std::nullopt);
    showRecordValues(number);
}

// The values the template reads from the chosen record, so the operator knows what is heard.
void PlayerBar::showRecordValues(int number)
{
    const auto chosen = std::find_if(live.records.begin(), live.records.end(),
                                     [number](const NumberedRecord &record) {
                                         return number == 0 || int(record.number) == number;
                                     });
    QString text;
    if (chosen != live.records.end()) {
        const auto index = std::size_t(chosen - live.records.begin());
        for (const ColumnValues &column : columnValues)
            text += toQString(ValueSeparator) + toQString(column.name) + QLatin1Char(' ') +
                    toQString(column.records[index].text);
    }
    recordValues->setText(text);
}

void PlayerBar::findNextRecord()
{
    const std::string needle = toUtf8(searchText->text().trimmed());
    if (!tableFile || needle.empty())
        return;
    const LiveRecords values = readLiveRecords(*tableFile, toUtf8(searchColumn->currentText()));
    if (!values.ok()) {
        ui.showMessage({SearchCaption,
                        toUtf8(toQString(UnreadableText).arg(toQString(values.error))),
                        MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
        return;
    }
    const std::optional<std::uint32_t> found =
        findRecordContaining(values.records, needle, std::uint32_t(recordNumber->value()));
    if (!found) {
        ui.showMessage({SearchCaption, toUtf8(toQString(NotFoundText).arg(toQString(needle))),
                        MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
        return;
    }
    recordNumber->setValue(int(*found));
}

void PlayerBar::switchLine()
{
    const LineCoding coding = muLaw->isChecked() ? LineCoding::MuLaw : LineCoding::ALaw;
    player.setLineCoding(phoneLine->isChecked() ? std::optional(coding) : std::nullopt);
}

} // namespace vorela
