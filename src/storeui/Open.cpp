#include "storeui/Open.h"

#include "formkit/DialogKit.h"

#include "formkit/Application.h"
#include "formkit/QtText.h"
#include "platform/Cp1251Literal.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/Translate.h"
#include "store/DataFiles.h"
#include "store/FileList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStringList>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

struct TModeInfo {
    const char* Mask;
    const char* Caption; // UTF-8, for the title bar
    std::string_view Ext;
    const char* DeleteWords; // UTF-8, for the question
};

const std::array<TModeInfo, 4> Modes = {{
    {"*.plt", QT_TRANSLATE_NOOP("TOpenForm", "Загрузка платежного поручения"), store::PlatExt,
     QT_TRANSLATE_NOOP("TOpenForm", "Удалить платежку")},
    {"*.rpl", QT_TRANSLATE_NOOP("TOpenForm", "Загрузка реквизитов плательщика"), store::PayerExt,
     QT_TRANSLATE_NOOP("TOpenForm", "Удалить реквизиты плательщика")},
    {"*.rpo", QT_TRANSLATE_NOOP("TOpenForm", "Загрузка реквизитов получателя"), store::RecipientExt,
     QT_TRANSLATE_NOOP("TOpenForm", "Удалить реквизиты получателя")},
    {"*.nzn", QT_TRANSLATE_NOOP("TOpenForm", "Загрузка назначения"), store::PurposeExt,
     QT_TRANSLATE_NOOP("TOpenForm", "Удалить назначение")},
}};

// std::array::at: a mode nobody defined ends the command with a range error.
const TModeInfo& ModeInfo(int mode) {
    if (mode < 0 || mode >= static_cast<int>(Modes.size()))
        throw std::out_of_range("SelectDataFile: mode " + std::to_string(mode));
    return Modes.at(static_cast<size_t>(mode));
}

// A double click reaches the dialog wherever it lands in the list, below the last entry
// too, and not only on an entry as QListWidget's own signal does. A click below the last
// entry leaves the selection as it was (Qt would clear it), so that a double click there
// opens the entry the user had chosen.
class TListBox final : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void()> OnDblClick;

protected:
    // As in a Windows list box, the first move with nothing selected selects the first entry
    // (End the last one), where Qt would have moved on from an entry it only marks as current.
    void keyPressEvent(QKeyEvent* event) override {
        if (selectedItems().isEmpty() && count() > 0 && event->modifiers() == Qt::NoModifier) {
            switch (event->key()) {
            case Qt::Key_Down:
            case Qt::Key_Up:
            case Qt::Key_Home:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
                event->accept();
                return;
            case Qt::Key_End:
                setCurrentRow(count() - 1, QItemSelectionModel::ClearAndSelect);
                event->accept();
                return;
            default:
                break;
            }
        }
        QListWidget::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (!indexAt(event->position().toPoint()).isValid()) {
            setFocus(Qt::MouseFocusReason);
            event->accept();
            return;
        }
        QListWidget::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QListWidget::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton && OnDblClick)
            OnDblClick();
    }
};

// Every row 15 pixels high, whatever the style would make of the font.
class TItemHeight final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 15};
    }
};

} // namespace

TOpenForm::TOpenForm(fs::path dataDir, QWidget* parent)
    : QDialog(parent), DataDir(std::move(dataDir)) {
    setObjectName("OpenForm");
    SetUpFixedDialog(this, 520, 412);

    auto* list = new TListBox(this);
    list->setObjectName("ListBox1");
    list->setGeometry(0, 0, 520, 370);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    list->setItemDelegate(new TItemHeight(list));
    list->OnDblClick = [this] { RunGuarded([this] { ListBox1DblClick(); }); };
    ListBox1 = list;

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 370, 520, 42);
    auto button = [this](const char* name, const QString& caption, int left) {
        auto* b = new QPushButton(caption, Panel1);
        b->setObjectName(name);
        b->setGeometry(left, 10, 75, 25);
        return b;
    };
    ButOk = button("ButOk", QCoreApplication::translate("TOpenForm", "&Открыть"), 142);
    ButDel = button("ButDel", QCoreApplication::translate("TOpenForm", "&Удалить"), 222);
    ButCancel = button("ButCancel", QCoreApplication::translate("TOpenForm", "Отмена"), 302);
    ButOk->setDefault(true);
    setTabOrder(ListBox1, ButOk);
    setTabOrder(ButOk, ButDel);
    setTabOrder(ButDel, ButCancel);

    // Keyboard moves count as clicks: the buttons always follow the selection.
    auto on = [this](auto* sender, auto signal, void (TOpenForm::*handler)()) {
        connect(sender, signal, this, [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    on(ListBox1, &QListWidget::itemSelectionChanged, &TOpenForm::ListBox1Click);
    on(ButOk, &QPushButton::clicked, &TOpenForm::ButOkClick);
    on(ButDel, &QPushButton::clicked, &TOpenForm::ButDelClick);
    on(ButCancel, &QPushButton::clicked, &TOpenForm::ButCancelClick);
    UpdateButtons();
}

int TOpenForm::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TOpenForm::SelectIndex(int index) {
    if (index >= 0 && index < ListBox1->count()) {
        ListBox1->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        ListBox1->scrollToItem(ListBox1->item(index));
    } else {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
    }
}

void TOpenForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        RunGuarded([this] { FormShow(); });
}

void TOpenForm::FormShow() {
    const TModeInfo& info = ModeInfo(Mode);
    setWindowTitle(QCoreApplication::translate("TOpenForm", info.Caption));
    Mask = info.Mask;
    FillList();
}

void TOpenForm::FillList() {
    const int remembered = SelectedIndex();
    std::vector<std::string> names = store::ListFileNames(DataDir, ModeInfo(Mode).Ext);
    // The list widget would sort by Unicode values; the names come already in the order
    // the user reads them, without regard to case.
    store::SortFileNames(names);
    {
        // All rows in one insertion: row by row, the list would announce and lay out each.
        QStringList items;
        items.reserve(static_cast<qsizetype>(names.size()));
        for (const std::string& name : names)
            items.push_back(FromCp1251(name));
        const QSignalBlocker blocker(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(items);
    }
    Entries = std::move(names);
    const int last = static_cast<int>(Entries.size()) - 1;
    SelectIndex(remembered > last ? last : remembered);
    UpdateButtons();
}

void TOpenForm::UpdateButtons() {
    const bool selected = SelectedIndex() >= 0;
    ButOk->setEnabled(selected);
    ButDel->setEnabled(selected);
}

void TOpenForm::ListBox1Click() {
    UpdateButtons();
}

void TOpenForm::ListBox1DblClick() {
    UpdateButtons();
    const int index = SelectedIndex();
    if (index < 0)
        return;
    FileName = Entries.at(static_cast<size_t>(index));
    accept();
}

void TOpenForm::ButOkClick() {
    const int index = SelectedIndex();
    if (index < 0)
        return;
    FileName = Entries.at(static_cast<size_t>(index));
    accept();
}

void TOpenForm::ButDelClick() {
    const int index = SelectedIndex();
    if (index < 0)
        return;
    if (DeleteDataFile(DataDir, Entries.at(static_cast<size_t>(index)), ModeInfo(Mode).Ext) !=
        TDeleted::Kept)
        FillList();
}

void TOpenForm::ButCancelClick() {
    reject();
}

void TOpenForm::reject() {
    FileName.clear();
    QDialog::reject();
}

TDeleted DeleteDataFile(const fs::path& dataDir, const std::string& name, std::string_view ext) {
    const auto info = std::find_if(Modes.begin(), Modes.end(),
                                   [ext](const TModeInfo& m) { return m.Ext == ext; });
    if (info == Modes.end())
        throw std::out_of_range("DeleteDataFile: " + std::string(ext));
    if (platform::MessageBoxes().Ask(platform::Tr("TOpenForm", info->DeleteWords) + " \"" + name +
                                         "\"",
                                     platform::Tr("TOpenForm", "Удаление"),
                                     platform::TMsgIcon::Question) != platform::TAnswer::Yes)
        return TDeleted::Kept;
    // Listed names come from the folder itself, so they never lead out of it.
    const fs::path path = store::DataFilePath(dataDir, name, ext);
    std::error_code error;
    // A file that vanished meanwhile was not deleted by us either: say so as well.
    if (!fs::remove(path, error) || error) {
        platform::ShowError(platform::Tr("TOpenForm", "Ошибка удаления файла \"") +
                            platform::DisplayPath(path) + "\"");
        return TDeleted::Failed;
    }
    return TDeleted::Deleted;
}

std::string SelectDataFile(const fs::path& dataDir, int mode) {
    (void)ModeInfo(mode); // an unknown mode fails before anything is shown
    TOpenForm form(dataDir, QApplication::activeWindow());
    form.Mode = static_cast<std::uint8_t>(mode);
    form.exec();
    return form.FileName;
}
