#include "storeui/Journal.h"
#include "storeui/Open.h"

#include "formkit/DialogKit.h"
#include "formkit/QtText.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "store/DataFiles.h"
#include "store/FileList.h"
#include "words/BuhProc.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

QString Amount(std::int64_t kopecks, char separator) {
    return FromCp1251(FormatNum(static_cast<double>(kopecks) / 100, separator));
}

} // namespace

// The rows the journal shows, as the view asks for them: only the shown ones are ever made
// into texts, so a folder of a hundred thousand orders costs what the screen shows.
class TJournalModel final : public QAbstractTableModel {
public:
    TJournalModel(char separator, QObject* parent)
        : QAbstractTableModel(parent), Separator(separator) {}

    std::vector<const editor::TJournalRow*> Rows;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(Rows.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= static_cast<int>(Rows.size()))
            return {};
        const editor::TJournalRow& row = *Rows[static_cast<std::size_t>(index.row())];
        if (role == Qt::TextAlignmentRole)
            return index.column() == 3 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        if (role != Qt::DisplayRole)
            return {};
        using enum order::TField;
        switch (index.column()) {
        case 0:
            return FromCp1251(row[Number]);
        case 1:
            return FromCp1251(row[Date]);
        case 2:
            return FromCp1251(row[RecipientName]);
        case 3:
            return row.Kopecks ? Amount(*row.Kopecks, Separator) : QString();
        default:
            return FromCp1251(row[Purpose]);
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const headers[] = {
            QT_TRANSLATE_NOOP("TJournalForm", "Номер"),
            QT_TRANSLATE_NOOP("TJournalForm", "Дата"),
            QT_TRANSLATE_NOOP("TJournalForm", "Получатель"),
            QT_TRANSLATE_NOOP("TJournalForm", "Сумма"),
            QT_TRANSLATE_NOOP("TJournalForm", "Назначение"),
        };
        return QCoreApplication::translate("TJournalForm", headers[section]);
    }

    void Show(std::vector<const editor::TJournalRow*> rows) {
        beginResetModel();
        Rows = std::move(rows);
        endResetModel();
    }

private:
    char Separator;
};

TJournalForm::TJournalForm(fs::path dataDir, char decimalSeparator, QWidget* parent)
    : QDialog(parent), DataDir(std::move(dataDir)), Separator(decimalSeparator),
      Reader(DataDir, Separator, platform::Today().year()) {
    setObjectName("JournalForm");
    setWindowTitle(QCoreApplication::translate("TJournalForm", "Журнал платежек"));
    resize(860, 520);
    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName("SearchEdit");
    SearchEdit->setPlaceholderText(QCoreApplication::translate(
        "TJournalForm", "Поиск: номер, дата, получатель, код, IBAN, сумма, назначение"));
    Table = new QTableView(this);
    Table->setObjectName("Table");
    Model = new TJournalModel(Separator, this);
    Table->setModel(Model);
    SetUpSearchTable(Table, {60, 80, 240, 100});
    SumLabel = new QLabel(this);
    SumLabel->setObjectName("SumLabel");
    ButOk = new QPushButton(QCoreApplication::translate("TJournalForm", "&Открыть"), this);
    ButCopy =
        new QPushButton(QCoreApplication::translate("TJournalForm", "&Копировать как новую"), this);
    ButDel = new QPushButton(QCoreApplication::translate("TJournalForm", "&Удалить"), this);
    ButCancel = new QPushButton(QCoreApplication::translate("TJournalForm", "Отмена"), this);
    LayOutSearchDialog(this, SearchEdit, Table, SumLabel, {ButOk, ButCopy, ButDel, ButCancel});

    connect(SearchEdit, &QLineEdit::textChanged, this, [this] { Refilter(); });
    connect(Table, &QTableView::doubleClicked, this, [this] { Choose(false); });
    connect(Table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateButtons(); });
    connect(ButOk, &QPushButton::clicked, this, [this] { Choose(false); });
    connect(ButCopy, &QPushButton::clicked, this, [this] { Choose(true); });
    connect(ButDel, &QPushButton::clicked, this, [this] { Delete(); });
    connect(ButCancel, &QPushButton::clicked, this, &QDialog::reject);
    SearchEdit->installEventFilter(this);

    // Listed at once, read bit by bit: the first rows show while the rest are read.
    // The model holds pointers into the rows: room for every order listed, made at once.
    Rows.reserve(Reader.ListedCount());
    ReadTimer = new QTimer(this);
    connect(ReadTimer, &QTimer::timeout, this, [this] { ReadSome(); });
    ReadTimer->start(0);
    ReadSome();
    UpdateButtons();
}

TJournalForm::~TJournalForm() = default;

void TJournalForm::ReadSome() {
    // A slice of a frame's time, so that the window answers while years of orders are read.
    QElapsedTimer slice;
    slice.start();
    Reader.ReadInto(Rows, [&slice] { return slice.elapsed() >= 30; });
    if (Reader.UnreadCount() == 0)
        ReadTimer->stop();
    Refilter();
}

void TJournalForm::ReadAll() {
    while (Reader.UnreadCount() != 0)
        ReadSome();
}

std::vector<const editor::TJournalRow*> TJournalForm::Shown() const {
    return Model->Rows;
}

int TJournalForm::SelectedRow() const {
    return ::SelectedRow(Table);
}

void TJournalForm::Refilter() {
    const editor::TJournalRow* selected =
        SelectedRow() >= 0 ? Model->Rows[static_cast<std::size_t>(SelectedRow())] : nullptr;
    std::vector<const editor::TJournalRow*> shown =
        editor::SearchJournal(Rows, ToCp1251Lossy(SearchEdit->text()));
    const std::int64_t sum = editor::JournalSum(shown);
    Model->Show(std::move(shown));
    // The selection stays on its order while the rows change around it, else the first row.
    const auto at = std::find(Model->Rows.begin(), Model->Rows.end(), selected);
    const int row = at != Model->Rows.end() ? static_cast<int>(at - Model->Rows.begin())
                    : Model->Rows.empty()   ? -1
                                            : 0;
    if (row >= 0)
        Table->selectRow(row);
    QString text = QCoreApplication::translate("TJournalForm", "Платежек: %1, на сумму %2")
                       .arg(Model->Rows.size())
                       .arg(Amount(sum, Separator));
    if (Reader.UnreadCount() != 0)
        text += QCoreApplication::translate("TJournalForm", " (прочитано %1 из %2)")
                    .arg(Reader.ListedCount() - Reader.UnreadCount())
                    .arg(Reader.ListedCount());
    SumLabel->setText(text);
    UpdateButtons();
}

void TJournalForm::UpdateButtons() {
    const bool any = SelectedRow() >= 0;
    for (QPushButton* b : {ButOk, ButCopy, ButDel})
        b->setEnabled(any);
}

void TJournalForm::Choose(bool asNew) {
    const int row = SelectedRow();
    if (row < 0)
        return;
    Choice = {Model->Rows[static_cast<std::size_t>(row)]->Name, asNew};
    accept();
}

void TJournalForm::Delete() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    const editor::TJournalRow* shown = Model->Rows[static_cast<std::size_t>(row)];
    if (DeleteDataFile(DataDir, shown->Name, store::PlatExt) != TDeleted::Deleted)
        return;
    const auto at = std::find_if(Rows.begin(), Rows.end(),
                                 [shown](const editor::TJournalRow& r) { return &r == shown; });
    Rows.erase(at);
    // The next row takes the place of the one deleted.
    Refilter();
    if (!Model->Rows.empty())
        Table->selectRow(std::min(row, static_cast<int>(Model->Rows.size()) - 1));
}

bool TJournalForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != SearchEdit || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int rows = static_cast<int>(Model->Rows.size());
    const int row = SelectedRow();
    const int page = std::max(1, Table->viewport()->height() /
                                     std::max(1, Table->verticalHeader()->defaultSectionSize()));
    int to = -1;
    switch (key->key()) {
    case Qt::Key_Down:
        to = row + 1;
        break;
    case Qt::Key_Up:
        to = row - 1;
        break;
    case Qt::Key_PageDown:
        to = row + page;
        break;
    case Qt::Key_PageUp:
        to = row - page;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Choose((key->modifiers() & Qt::ControlModifier) != 0);
        return true;
    case Qt::Key_Delete:
        if (!(key->modifiers() & Qt::ShiftModifier) &&
            SearchEdit->cursorPosition() == SearchEdit->text().size()) {
            Delete();
            return true;
        }
        return false;
    default:
        return false;
    }
    if (rows > 0)
        Table->selectRow(std::clamp(to, 0, rows - 1));
    return true;
}

editor::TPlatEditor::TOrderChoice ChooseOrder(const fs::path& dataDir, char decimalSeparator) {
    TJournalForm form(dataDir, decimalSeparator, QApplication::activeWindow());
    CentreOnScreen(&form);
    form.exec();
    return form.Choice;
}
