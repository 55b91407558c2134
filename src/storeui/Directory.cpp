#include "storeui/Directory.h"
#include "storeui/Open.h"

#include "formkit/DialogKit.h"
#include "formkit/QtText.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "store/FileList.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace fs = std::filesystem;
using order::TSlot;

TDirectoryForm::TDirectoryForm(fs::path dataDir, int mode, QWidget* parent)
    : QDialog(parent), DataDir(std::move(dataDir)),
      Ext(mode == 1 ? store::PayerExt : store::RecipientExt) {
    setObjectName("DirectoryForm");
    setWindowTitle(mode == 1
                       ? QCoreApplication::translate("TDirectoryForm", "Реквизиты плательщиков")
                       : QCoreApplication::translate("TDirectoryForm", "Реквизиты получателей"));
    resize(820, 460);
    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName("SearchEdit");
    SearchEdit->setPlaceholderText(
        QCoreApplication::translate("TDirectoryForm", "Поиск: наименование, код, счёт, банк"));
    Table = new QTableWidget(0, 4, this);
    Table->setObjectName("Table");
    Table->setHorizontalHeaderLabels({QCoreApplication::translate("TDirectoryForm", "Наименование"),
                                      QCoreApplication::translate("TDirectoryForm", "Код"),
                                      QCoreApplication::translate("TDirectoryForm", "Счёт"),
                                      QCoreApplication::translate("TDirectoryForm", "Банк")});
    SetUpSearchTable(Table, {280, 90, 230});
    ButOk = new QPushButton(QCoreApplication::translate("TDirectoryForm", "&Открыть"), this);
    ButOurs =
        new QPushButton(QCoreApplication::translate("TDirectoryForm", "&Наша организация"), this);
    ButOurs->setToolTip(QCoreApplication::translate(
        "TDirectoryForm", "Каждая новая платежка начинается с реквизитов этого плательщика"));
    ButOurs->setVisible(mode == 1);
    ButDel = new QPushButton(QCoreApplication::translate("TDirectoryForm", "&Удалить"), this);
    ButCancel = new QPushButton(QCoreApplication::translate("TDirectoryForm", "Отмена"), this);
    LayOutSearchDialog(this, SearchEdit, Table, nullptr, {ButOk, ButOurs, ButDel, ButCancel});

    // A few hundred files at most: read at once.
    store::ReadEachFile(DataDir, Ext, [this](std::string&& name, std::string_view bytes) {
        TRow row{std::move(name), store::ParseRequisites(bytes), {}};
        const store::TRequisites& r = row.Requisites;
        row.Searched = editor::SearchedText({r[TSlot::Name], r[TSlot::OKPO], r[TSlot::Account],
                                             r[TSlot::Bank], r[TSlot::Bank2], r[TSlot::City]});
        Rows.push_back(std::move(row));
    });
    std::sort(Rows.begin(), Rows.end(),
              [](const TRow& a, const TRow& b) { return store::FileNameLess(a.Name, b.Name); });

    auto choose = [this] {
        if (const int row = SelectedRow(Table); row >= 0) {
            FileName = Visible[static_cast<std::size_t>(row)]->Name;
            accept();
        }
    };
    connect(SearchEdit, &QLineEdit::textChanged, this, [this] { Refilter(); });
    connect(Table, &QTableWidget::cellDoubleClicked, this, choose);
    connect(ButOk, &QPushButton::clicked, this, choose);
    connect(ButOurs, &QPushButton::clicked, this, [this] {
        if (const int row = SelectedRow(Table); row >= 0 && MadeOurCompany)
            MadeOurCompany(Visible[static_cast<std::size_t>(row)]->Name);
    });
    connect(ButDel, &QPushButton::clicked, this, [this] { Delete(); });
    connect(ButCancel, &QPushButton::clicked, this, &QDialog::reject);
    SearchEdit->installEventFilter(this);
    Refilter();
}

std::vector<std::string> TDirectoryForm::Shown() const {
    std::vector<std::string> names;
    for (const TRow* row : Visible)
        names.push_back(row->Name);
    return names;
}

void TDirectoryForm::Refilter() {
    const editor::TJournalSearch search(ToCp1251Lossy(SearchEdit->text()));
    Visible.clear();
    for (const TRow& row : Rows)
        if (search.Keeps(row.Searched))
            Visible.push_back(&row);
    Table->setRowCount(static_cast<int>(Visible.size()));
    for (int i = 0; i < static_cast<int>(Visible.size()); ++i) {
        const store::TRequisites& r = Visible[static_cast<std::size_t>(i)]->Requisites;
        const std::string bank =
            r[TSlot::Bank2].empty() ? r[TSlot::Bank] : r[TSlot::Bank] + " " + r[TSlot::Bank2];
        const std::string texts[] = {r[TSlot::Name], r[TSlot::OKPO], r[TSlot::Account], bank};
        for (int column = 0; column < 4; ++column)
            Table->setItem(i, column, new QTableWidgetItem(FromCp1251(texts[column])));
    }
    if (!Visible.empty())
        Table->selectRow(0);
    for (QPushButton* b : {ButOk, ButOurs, ButDel})
        b->setEnabled(!Visible.empty());
}

void TDirectoryForm::Delete() {
    const int row = SelectedRow(Table);
    if (row < 0)
        return;
    const TRow* shown = Visible[static_cast<std::size_t>(row)];
    if (DeleteDataFile(DataDir, shown->Name, Ext) != TDeleted::Deleted)
        return;
    Rows.erase(Rows.begin() + (shown - Rows.data()));
    Refilter();
    if (!Visible.empty())
        Table->selectRow(std::min(row, static_cast<int>(Visible.size()) - 1));
}

bool TDirectoryForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != SearchEdit || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int rows = static_cast<int>(Visible.size());
    switch (key->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (rows > 0)
            Table->selectRow(std::clamp(SelectedRow(Table) + (key->key() == Qt::Key_Down ? 1 : -1),
                                        0, rows - 1));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ButOk->click();
        return true;
    case Qt::Key_Delete:
        if (SearchEdit->cursorPosition() == SearchEdit->text().size()) {
            Delete();
            return true;
        }
        return false;
    default:
        return false;
    }
}

std::string ChooseRequisites(const fs::path& dataDir, int mode,
                             const std::function<void(const std::string&)>& madeOurCompany) {
    TDirectoryForm form(dataDir, mode, QApplication::activeWindow());
    form.MadeOurCompany = madeOurCompany;
    CentreOnScreen(&form);
    form.exec();
    return form.FileName;
}
