#include "editor/PlatEditor.h"

#include "editor/FieldChecks.h"
#include "editor/Paste.h"
#include "editor/Procs.h"
#include "invoice/Invoice.h"
#include "platform/Clock.h"
#include "platform/Cp1251Literal.h"
#include "platform/DataDir.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/Translate.h"
#include "requisites/BankNames.h"
#include "requisites/Requisites.h"
#include "rtf/RTF.h"
#include "settings/RegistryFile.h"
#include "store/FileList.h"
#include "words/BuhProc.h"

#include <cstdio>
#include <variant>
#include <vector>

namespace editor {

using platform::Tr;

namespace {

// A date as the program writes it: DD.MM.YYYY.
std::string DateText(std::chrono::year_month_day date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
    return text;
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The capital of a Ukrainian or Russian letter, small or capital; 0 for anything else.
char32_t CyrillicCapital(char32_t c) {
    if (c >= U'\u0430' && c <= U'\u044F')
        return c - 0x20;
    switch (c) {
    case U'\u0454': // є
    case U'\u0456': // і
    case U'\u0457': // ї
        return c - 0x50;
    case U'\u0491': // ґ
        return U'\u0490';
    case U'\u0404':
    case U'\u0406':
    case U'\u0407':
    case U'\u0490':
        return c;
    }
    return c >= U'\u0410' && c <= U'\u042F' ? c : 0;
}

// What a single-line field can hold of a text read from a file or set by the program.
std::string OneLine(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0')
            continue;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += ' ';
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace

char16_t TypedChar(TKeyRule rule, char16_t c, std::size_t currentLength) {
    switch (rule) {
    case TKeyRule::Any:
        return c;
    case TKeyRule::Digits:
        return IsDigit(c) || c == u'\b' ? c : 0;
    case TKeyRule::Account:
        if (c >= u'a' && c <= u'z')
            return static_cast<char16_t>(c - u'a' + u'A');
        return IsDigit(c) || c == u'/' || c == u'\b' || (c >= u'A' && c <= u'Z') ? c : 0;
    case TKeyRule::Kopecks:
        return c == u'\b' || (currentLength < 2 && IsDigit(c)) ? c : 0;
    case TKeyRule::TaxCode:
        if (IsDigit(c) || c == u'\b')
            return c;
        return static_cast<char16_t>(CyrillicCapital(c));
    case TKeyRule::Choice:
        return 0;
    }
    return 0;
}

char32_t EnteredChar(TKeyRule rule, char32_t c) {
    // The blanks of an IBAN copied as printed, in groups of four, the non-breaking ones too;
    // an IBAN copied in small letters is the same IBAN.
    if (rule == TKeyRule::Account) {
        if (c == U' ' || c == U'\u00A0' || c == U'\t')
            return 0;
        if (c >= U'a' && c <= U'z')
            return c - U'a' + U'A';
    }
    // A passport's series copied in small letters.
    if (rule == TKeyRule::TaxCode && !(c >= U'0' && c <= U'9'))
        if (const char32_t capital = CyrillicCapital(c))
            return capital;
    return c;
}

TPlatEditor::TPlatEditor() = default;

void TPlatEditor::SetText(TField field, std::string text) {
    if (text.find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos)
        text = OneLine(std::move(text));
    std::string& slot = Texts[static_cast<std::size_t>(field)];
    if (slot == text)
        return;
    slot = std::move(text);
    if (FieldChanged)
        FieldChanged(field);
    RunHandler(field);
}

void TPlatEditor::RunHandler(TField field) {
    for (TStep step : Handlers[static_cast<std::size_t>(field)].Steps) {
        switch (step) {
        case TStep::None:
            return;
        case TStep::UpdatePlatFileName:
            UpdatePlatFileName();
            break;
        case TStep::UpdatePayerFileName:
            UpdatePayerFileName();
            break;
        case TStep::UpdateRecipientFileName:
            SetText(TField::RecipientFileName,
                    store::FitFileName(StripFileNameChars(Text(TField::RecipientName)),
                                       store::RecipientExt));
            break;
        case TStep::UpdateDateWords:
            SetText(TField::DateWords, DateTextToWordsUkr(Text(TField::Date)));
            break;
        case TStep::UpdateSumaWords:
            UpdateSumaWords();
            break;
        case TStep::UpdateNDSAmount:
            UpdateNDSAmount();
            break;
        case TStep::FillPayerMFO:
            FillMFO(TField::PayerMFO, TField::PayerAccount);
            break;
        case TStep::FillRecipientMFO:
            FillMFO(TField::RecipientMFO, TField::RecipientAccount);
            break;
        case TStep::FillPayerBank:
            FillBank(TField::PayerBank, TField::PayerAccount);
            break;
        case TStep::FillRecipientBank:
            FillBank(TField::RecipientBank, TField::RecipientAccount);
            break;
        case TStep::SetPlatModified:
            PlatModified = true;
            break;
        case TStep::SetPayerModified:
            PayerModified = true;
            break;
        case TStep::SetRecipientModified:
            RecipientModified = true;
            break;
        case TStep::SetPurposeModified:
            PurposeModified = true;
            break;
        case TStep::PresetVat:
            if (IsTaxPayment(Text(TField::Purpose), Text(TField::RecipientAccount)))
                SetText(TField::NDSChoice, VatChoiceCode(TVatChoice::None));
            break;
        case TStep::UpdateSaveButtons:
            UpdateSaveButtons();
            break;
        }
    }
}

std::optional<std::string> TPlatEditor::Paste(TField field, const std::string& text) {
    if (field == TField::SumaGrn)
        if (const auto amount = PastedAmount(text)) {
            SetText(TField::SumaGrn, amount->Hryvnias);
            SetText(TField::SumaKop, amount->Kopecks);
            return std::nullopt;
        }
    return CleanPasted(Info(field).Keys, text);
}

void TPlatEditor::FieldLeft(TField field) {
    if (field != TField::Date)
        return;
    if (const auto date = ReadDateText(Text(field), platform::Today().year()))
        SetText(field, DateText(*date));
}

void TPlatEditor::UpdatePlatFileName() {
    // The name shown is the one the file gets: cut to what the file system holds.
    SetText(TField::PlatFileName,
            store::FitFileName(PlatFileNameFor(Text(TField::Number), Text(TField::Date),
                                               Text(TField::RecipientFileName)),
                               store::PlatExt));
}

void TPlatEditor::UpdatePayerFileName() {
    SetText(TField::PayerFileName, store::FitFileName(PayerFileNameFor(Text(TField::PayerName),
                                                                       Text(TField::PayerAccount)),
                                                      store::PayerExt));
}

void TPlatEditor::UpdateSumaWords() {
    SetText(TField::SumaWords,
            SumaWordsFor(Text(TField::SumaGrn), Text(TField::SumaKop), DecimalSeparator,
                         blank::AmountLanguage(Options.Languages())));
}

void TPlatEditor::SettingsChanged() {
    const bool modified = PlatModified;
    UpdateSumaWords();
    PlatModified = modified;
    UpdateSaveButtons();
}

void TPlatEditor::UpdateNDSAmount() {
    SetText(TField::NDSAmount,
            NDSAmountFor(Text(TField::SumaGrn), Text(TField::SumaKop), DecimalSeparator));
}

void TPlatEditor::UpdateSaveButtons() {
    const bool anyModified = PlatModified || PayerModified || RecipientModified;
    const bool anyName = !Text(TField::PlatFileName).empty() ||
                         !Text(TField::PayerFileName).empty() ||
                         !Text(TField::RecipientFileName).empty();
    SaveOn = anyModified && anyName;
    OutputOn = !Text(TField::PlatFileName).empty();
    SavePurposeOn = PurposeModified && !Text(TField::Purpose).empty();
    if (ButtonsChanged)
        ButtonsChanged();
}

void TPlatEditor::FillMFO(TField mfo, TField account) {
    if (!Text(mfo).empty() ||
        requisites::CheckIban(Text(account)) != requisites::TIbanProblem::None)
        return;
    if (const auto code = requisites::UkrainianBankCode(Text(account)))
        SetText(mfo, *code);
}

void TPlatEditor::FillBank(TField bank, TField account) {
    if (!Text(bank).empty())
        return;
    if (const auto name = requisites::BankNameOfIban(Text(account)))
        SetText(bank, *name);
}

std::string TPlatEditor::FillFromInvoice(const invoice::TPayment& payment) {
    // Another recipient's bank is not this one's: what the IBAN does not fill itself goes.
    if (Text(TField::RecipientAccount) != payment.Iban)
        for (TField f : {TField::RecipientBank, TField::RecipientBank2, TField::RecipientCity,
                         TField::RecipientMFO, TField::RecipientAccount})
            SetText(f, "");
    SetText(TField::RecipientName, payment.Name);
    SetText(TField::RecipientOKPO, payment.Code);
    SetText(TField::RecipientAccount, payment.Iban);
    std::string amount;
    if (payment.Kopecks) {
        const std::string text = invoice::AmountText(*payment.Kopecks);
        const std::size_t point = text.find('.');
        SetText(TField::SumaGrn, text.substr(0, point));
        SetText(TField::SumaKop, text.substr(point + 1));
        amount = ", " + text.substr(0, point) + DecimalSeparator + text.substr(point + 1) + " " +
                 Tr("Editor", "грн");
    } else {
        SetText(TField::SumaGrn, "");
        SetText(TField::SumaKop, "");
        amount = ", " + Tr("Editor", "сумма не указана");
    }
    SetText(TField::Purpose, payment.Purpose);
    return Tr("Editor", "Заполнено из QR-кода счёта: ") + payment.Name + amount;
}

std::string TPlatEditor::Problem(TField field) const {
    return FieldProblem(field, [this](TField f) -> const std::string& { return Text(f); });
}

void TPlatEditor::ClearFlags() {
    PlatModified = PayerModified = RecipientModified = PurposeModified = false;
}

void TPlatEditor::FormShow(const std::filesystem::path& programDir) {
    // Dates are always written "DD.MM.YYYY" by this program's own functions, so there is no
    // process-wide date format to set.
    FileVersion = store::FileVersion;
    const platform::TDataDirChoice choice = platform::ChooseDataDir(programDir);
    DataDir = choice.Folder;
    if (!choice.Usable)
        platform::ShowError(platform::Args(Tr("Editor", "Ошибка создания рабочего каталога \"%1\""),
                                           {platform::DisplayPath(DataDir)}));
    // What saves killed half-way (a crash, a power cut) left behind in the two folders
    // the program writes.
    platform::RemoveStaleTemporaries(DataDir);
    if (const auto settings = settings::RegistryFileFolder(); !settings.empty())
        platform::RemoveStaleTemporaries(settings);
    NewPlat();
}

void TPlatEditor::NewPlat() {
    const auto today = platform::Today();
    const int number = store::NextPlatNumber(store::ListFiles(DataDir, store::PlatExt),
                                             static_cast<int>(today.year()));
    using enum TField;
    for (TField f : {PayerFileName, PayerName, PayerBank, PayerBank2, PayerOKPO, PayerMFO,
                     PayerAccount, RecipientFileName, RecipientName, RecipientBank, RecipientBank2,
                     RecipientOKPO, RecipientMFO, RecipientAccount})
        SetText(f, "");
    SetText(Number, std::to_string(number));
    for (TField f : {SumaGrn, SumaKop, SumaWords, PlatFileName, Purpose})
        SetText(f, "");
    SetText(Date, DateText(today));
    SetText(PayerCity, "");
    SetText(RecipientCity, "");
    SetText(NDSChoice, VatChoiceCode(VatChoiceOf("", Options)));
    UpdatePlatFileName();
    LoadedPlat.reset();
    LoadedPayer.reset();
    LoadedRecipient.reset();
    // Our company pays: its requisites, as stored, begin every new order.
    if (!Options.OurCompany.empty()) {
        try {
            LoadedPayer = LoadParty(order::TParty::Payer, Options.OurCompany);
        } catch (const std::exception&) {
            // Gone or unreadable: the order starts without a payer, as it would without one.
        }
    }
    ClearFlags();
    UpdatePayerFileName();
    UpdateSaveButtons();
}

store::TPlatRecord TPlatEditor::Record() const {
    store::TPlatRecord r;
    for (const TFieldInfo& info : Fields)
        if (info.Stored != order::TStored::No)
            r[info.Field] = Text(info.Field);
    return r;
}

void TPlatEditor::SetRecord(const store::TPlatRecord& record) {
    for (const TFieldInfo& info : Fields)
        if (info.Stored != order::TStored::No)
            SetText(info.Field, record[info.Field]);
}

void TPlatEditor::SetParty(order::TParty party, const store::TRequisites& requisites) {
    // In the order of the file, as typing them in would go.
    for (std::size_t slot = 0; slot < order::SlotCount; ++slot)
        SetText(order::PartyField(party, order::TSlot(slot)), requisites.Values[slot]);
}

namespace {

bool Ask(const std::string& question) {
    return platform::MessageBoxes().Ask(question, Tr("Editor", "Сохранение данных"),
                                        platform::TMsgIcon::Warning,
                                        platform::TAnswer::No) == platform::TAnswer::Yes;
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + platform::DisplayPath(path) + "\"";
}

// What a stored order holds, as the questions name it: its number, date, recipient and amount.
std::string OrderDescription(const std::string& bytes, char separator) {
    using enum TField;
    store::TPlatRecord r;
    try {
        r = store::ParsePlat(bytes, separator);
    } catch (const store::TDataFileError&) {
        return Tr("Editor", "файл не читается как платежка");
    }
    std::string text = platform::Args(Tr("Editor", "платежка № %1 от %2"), {r[Number], r[Date]});
    if (!r[RecipientName].empty())
        text += Tr("Editor", ", получатель ") + r[RecipientName];
    if (const auto kopecks = AmountKopecks(r[SumaGrn], r[SumaKop], separator))
        text +=
            Tr("Editor", ", сумма ") + FormatNum(static_cast<double>(*kopecks) / 100, separator);
    return text;
}

std::string RequisitesDescription(const std::string& bytes) {
    const store::TRequisites r = store::ParseRequisites(bytes);
    std::string text = r[order::TSlot::Name];
    if (!r[order::TSlot::OKPO].empty())
        text += Tr("Editor", ", код ") + r[order::TSlot::OKPO];
    if (!r[order::TSlot::Account].empty())
        text += Tr("Editor", ", счёт ") + r[order::TSlot::Account];
    return text;
}

} // namespace

std::filesystem::path TPlatEditor::PlatTarget() const {
    // An order opened from outside the data folder is saved where it came from.
    if (LoadedPlat && !platform::SameFile(LoadedPlat->Path.parent_path(), DataDir))
        return LoadedPlat->Path;
    return store::DataFilePath(DataDir, Text(TField::PlatFileName), store::PlatExt);
}

bool TPlatEditor::MayReplace(const std::filesystem::path& target, const std::string& bytes,
                             const std::optional<TLoadedFile>& loaded,
                             const std::function<std::string(const std::string&)>& describe) {
    const std::optional<std::string> stored = store::ReadDataFileIfAny(target);
    if (!stored || *stored == bytes)
        return true;
    if (loaded && platform::SameFile(loaded->Path, target)) {
        // Another window or program saved it since it was read here.
        return loaded->Bytes == *stored ||
               Ask(platform::Args(Tr("Editor",
                                     "Файл %1 изменен после того, как был загружен (другим "
                                     "окном или программой): теперь в нем %2.\nЗаменить его?"),
                                  {Quoted(target), describe(*stored)}));
    }
    return Ask(platform::Args(Tr("Editor", "Файл %1 уже есть: %2.\nЗаменить его?"),
                              {Quoted(target), describe(*stored)}));
}

TPlatEditor::TSaved TPlatEditor::SavePlat() {
    if (!PlatModified && !PayerModified && !RecipientModified)
        return TSaved::Written;
    if (Text(TField::PlatFileName).empty())
        return TSaved::Nameless;
    // What could not be printed is not stored either.
    const store::TPlatRecord record = Record();
    if (const auto refusal = OrderRefusal(record, DecimalSeparator, platform::Today().year())) {
        platform::MessageBoxes().Show(*refusal, Tr("Editor", "Квирен"),
                                      platform::TMsgIcon::Exclamation);
        return TSaved::Stopped;
    }
    const std::filesystem::path target = PlatTarget();
    const std::string bytes = store::FormatPlat(record);
    const char separator = DecimalSeparator;
    if (!MayReplace(target, bytes, LoadedPlat,
                    [separator](const std::string& b) { return OrderDescription(b, separator); }))
        return TSaved::Stopped;
    // One number, one order: another order of the same year under this number is asked about.
    const std::string name = Text(TField::PlatFileName);
    if (const auto mine = store::PlatNumberAndYear(name + ".plt"))
        for (const std::string& other : store::ListFiles(DataDir, store::PlatExt)) {
            const auto theirs = store::PlatNumberAndYear(other);
            if (!theirs || theirs->Number != mine->Number || theirs->Year != mine->Year)
                continue;
            const std::filesystem::path path = store::DataFilePath(
                DataDir, other.substr(0, other.size() - store::PlatExt.size() - 1), store::PlatExt);
            if (platform::SameFile(path, target) ||
                (LoadedPlat && platform::SameFile(path, LoadedPlat->Path)))
                continue;
            if (!Ask(platform::Args(Tr("Editor", "Номер %1 уже есть у платежки %2 того же года.\n"
                                                 "Сохранить еще одну платежку с этим номером?"),
                                    {Text(TField::Number), Quoted(path)})))
                return TSaved::Stopped;
            break;
        }
    // Saved under another name than it was loaded from: the old one goes only when asked.
    bool replaceLoaded = false;
    if (LoadedPlat && !platform::SameFile(LoadedPlat->Path, target) &&
        std::filesystem::exists(LoadedPlat->Path)) {
        switch (platform::MessageBoxes().Ask(
            platform::Args(Tr("Editor", "Платежка загружена из файла %1, а сохраняется в файл %2.\n"
                                        "Заменить ею загруженную платежку? (Нет — оставить обе)"),
                           {Quoted(LoadedPlat->Path), Quoted(target)}),
            Tr("Editor", "Сохранение данных"), platform::TMsgIcon::Warning,
            platform::TAnswer::No)) {
        case platform::TAnswer::Yes:
            replaceLoaded = true;
            break;
        case platform::TAnswer::No:
            break;
        case platform::TAnswer::Dismissed:
            return TSaved::Stopped;
        }
    }
    platform::WriteFileAtomically(target, bytes);
    // Only once the new file is there.
    if (replaceLoaded)
        std::filesystem::remove(LoadedPlat->Path);
    LoadedPlat = TLoadedFile{target, bytes};
    PlatModified = false;
    UpdateSaveButtons();
    return TSaved::Written;
}

TPlatEditor::TSaved TPlatEditor::SaveParty(order::TParty party) {
    const bool payer = party == order::TParty::Payer;
    bool& modified = payer ? PayerModified : RecipientModified;
    if (!modified)
        return TSaved::Written;
    const std::string& name = Text(payer ? TField::PayerFileName : TField::RecipientFileName);
    if (name.empty())
        return TSaved::Nameless;
    std::optional<TLoadedFile>& loaded = payer ? LoadedPayer : LoadedRecipient;
    const std::string_view ext = payer ? store::PayerExt : store::RecipientExt;
    std::filesystem::path target = store::DataFilePath(DataDir, name, ext);
    const store::TRequisites requisites = order::RequisitesOf(Record(), party);
    const std::string bytes = store::FormatRequisites(requisites);
    // A second account of a supplier is not the first one changed: the user says whether it
    // replaces the stored one or is kept beside it, named with its account as a payer's is.
    const std::string& account = requisites[order::TSlot::Account];
    if (const auto stored = store::ReadDataFileIfAny(target);
        !payer && stored && (!loaded || !platform::SameFile(loaded->Path, target)) &&
        !account.empty()) {
        const std::string storedAccount = store::ParseRequisites(*stored)[order::TSlot::Account];
        if (!storedAccount.empty() && storedAccount != account) {
            const std::string beside = store::FitFileName(PayerFileNameFor(name, account), ext);
            switch (platform::MessageBoxes().Ask(
                platform::Args(Tr("Editor", "Реквизиты \"%1\" уже сохранены со счётом %2.\n"
                                            "Заменить их реквизитами со счётом %3? (Нет — "
                                            "сохранить оба, новые под именем \"%4\")"),
                               {name, storedAccount, account, beside}),
                Tr("Editor", "Сохранение данных"), platform::TMsgIcon::Warning,
                platform::TAnswer::No)) {
            case platform::TAnswer::Yes:
                platform::WriteFileAtomically(target, bytes);
                loaded = TLoadedFile{target, bytes};
                break;
            case platform::TAnswer::No:
                target = store::DataFilePath(DataDir, beside, ext);
                if (MayReplace(target, bytes, std::nullopt, RequisitesDescription)) {
                    platform::WriteFileAtomically(target, bytes);
                    loaded = TLoadedFile{target, bytes};
                }
                break;
            case platform::TAnswer::Dismissed:
                return TSaved::Stopped;
            }
            modified = false;
            UpdateSaveButtons();
            return TSaved::Written;
        }
    }
    // Requisites not to be written are not asked about again: the order holds them anyway.
    if (MayReplace(target, bytes, loaded, RequisitesDescription)) {
        platform::WriteFileAtomically(target, bytes);
        loaded = TLoadedFile{target, bytes};
    }
    modified = false;
    UpdateSaveButtons();
    return TSaved::Written;
}

TPlatEditor::TSaved TPlatEditor::SavePayer() {
    return SaveParty(order::TParty::Payer);
}

TPlatEditor::TSaved TPlatEditor::SaveRecipient() {
    return SaveParty(order::TParty::Recipient);
}

void TPlatEditor::LoadPlat() {
    const TOrderChoice choice = ChooseOrder ? ChooseOrder() : TOrderChoice{SelectDataFile(0)};
    if (choice.Name.empty())
        return;
    LoadPlatFrom(store::DataFilePath(DataDir, choice.Name, store::PlatExt));
    if (choice.AsNew)
        CopyAsNew();
}

void TPlatEditor::CopyAsNew() {
    const auto today = platform::Today();
    // Not the file it came from: saving it makes another order beside that one.
    LoadedPlat.reset();
    SetText(TField::Number,
            std::to_string(store::NextPlatNumber(store::ListFiles(DataDir, store::PlatExt),
                                                 static_cast<int>(today.year()))));
    SetText(TField::Date, DateText(today));
    PlatModified = true;
    UpdateSaveButtons();
    if (CopiedAsNew)
        CopiedAsNew();
}

void TPlatEditor::LoadPlatFrom(const std::filesystem::path& path) {
    // Read completely before touching a field: a refused file leaves the order as it was.
    std::string bytes = store::ReadDataFile(path);
    store::TPlatRecord r = store::ParsePlat(bytes, DecimalSeparator);
    // An order stored before the VAT choice was kept prints as the settings say today.
    r[TField::NDSChoice] = VatChoiceCode(VatChoiceOf(r[TField::NDSChoice], Options));
    SetRecord(r);
    LoadedPlat = TLoadedFile{path, std::move(bytes)};
    LoadedPayer.reset();
    LoadedRecipient.reset();
    ClearFlags();
    UpdateSaveButtons();
}

TPlatEditor::TLoadedFile TPlatEditor::LoadParty(order::TParty party, const std::string& name) {
    TLoadedFile file;
    file.Path = store::DataFilePath(
        DataDir, name, party == order::TParty::Payer ? store::PayerExt : store::RecipientExt);
    file.Bytes = store::ReadDataFile(file.Path);
    SetParty(party, store::ParseRequisites(file.Bytes));
    return file;
}

void TPlatEditor::LoadPayer() {
    const std::string name = SelectDataFile(1);
    if (name.empty())
        return;
    LoadedPayer = LoadParty(order::TParty::Payer, name);
    PayerModified = false;
    UpdateSaveButtons();
}

void TPlatEditor::LoadRecipient() {
    const std::string name = SelectDataFile(2);
    if (name.empty())
        return;
    LoadedRecipient = LoadParty(order::TParty::Recipient, name);
    RecipientModified = false;
    UpdateSaveButtons();
}

void TPlatEditor::LoadPurpose() {
    const std::string name = SelectDataFile(3);
    if (name.empty())
        return;
    SetText(TField::Purpose, store::LoadPurposeFile(DataDir, name));
    PurposeModified = false;
    UpdateSaveButtons();
}

void TPlatEditor::SavePurpose() {
    const std::string purpose = Text(TField::Purpose);
    const std::filesystem::path path = AskNZNFileName(purpose);
    if (path.empty())
        return;
    store::WritePurpose(path, purpose);
    PurposeModified = false;
    UpdateSaveButtons();
}

bool TPlatEditor::AskSaveChanges() {
    if (!PlatModified && !PayerModified && !RecipientModified)
        return true;
    switch (platform::MessageBoxes().Ask(
        platform::Args(Tr("Editor", "Сохранить изменения в документе \"%1\"?"),
                       {Text(TField::PlatFileName)}),
        Tr("Editor", "Сохранение данных"), platform::TMsgIcon::Warning)) {
    case platform::TAnswer::No:
        return true;
    case platform::TAnswer::Dismissed:
        return false;
    case platform::TAnswer::Yes:
        break;
    }
    SaveOrder();
    return !PlatModified && !PayerModified && !RecipientModified;
}

void TPlatEditor::NewOrder() {
    if (AskSaveChanges())
        NewPlat();
}

void TPlatEditor::OpenOrder() {
    if (AskSaveChanges())
        LoadPlat();
}

void TPlatEditor::SaveOrder() {
    // Each file that has a name is written even when another has none; what could not be
    // written is said once, at the end.
    std::string nameless;
    switch (SavePlat()) {
    case TSaved::Stopped:
        return; // refused or not to replace what is stored: nothing more is written
    case TSaved::Nameless:
        nameless += "\n– "_w + Tr("Editor", "платежка (не задан номер)");
        break;
    case TSaved::Written:
        break;
    }
    if (SavePayer() == TSaved::Nameless)
        nameless += "\n– "_w + Tr("Editor", "реквизиты плательщика (не заданы наименование и р/с)");
    if (SaveRecipient() == TSaved::Nameless)
        nameless += "\n– "_w + Tr("Editor", "реквизиты получателя (не задано наименование)");
    if (!nameless.empty())
        platform::ShowError(Tr("Editor", "Невозможно сохранить файл с пустым именем:") + nameless);
}

bool TPlatEditor::Close() {
    return AskSaveChanges();
}

std::optional<blank::TPage> TPlatEditor::ComposeOutput() {
    const store::TPlatRecord order = Record();
    auto composed = ComposePlatData(order, Options, DecimalSeparator, platform::Today().year());
    if (auto* message = std::get_if<std::string>(&composed)) {
        platform::MessageBoxes().Show(*message, Tr("Editor", "Квирен"),
                                      platform::TMsgIcon::Exclamation);
        return std::nullopt;
    }
    const TPlatData& data = std::get<TPlatData>(composed);
    // One page serves the question and then the document or the preview.
    blank::TPage page = data.Blank();
    // What is wrong, or will not show, is asked about once; only Yes prints it.
    const std::vector<std::string> warnings =
        OutputWarnings(order, data.Languages.Kind, page, DecimalSeparator);
    if (!warnings.empty() &&
        platform::MessageBoxes().Ask(OutputQuestion(warnings), Tr("Editor", "Квирен"),
                                     platform::TMsgIcon::Exclamation,
                                     platform::TAnswer::No) != platform::TAnswer::Yes)
        return std::nullopt;
    return page;
}

void TPlatEditor::Output() {
    std::optional<blank::TPage> page = ComposeOutput();
    if (!page)
        return;
    // Kept for the preview that is offered when no viewer opens the document.
    LastOutput = TShown{*page, Text(TField::PlatFileName)};
    platform::OpenAsTempDocument(rtf::Document(*page));
}

void TPlatEditor::Preview() {
    if (std::optional<blank::TPage> page = ComposeOutput())
        ShowPreview(*page, Text(TField::PlatFileName));
}

void TPlatEditor::ViewerMissing(const std::filesystem::path& document) {
    if (!ShowPreview || !LastOutput) {
        platform::MessageBoxes().Show(NoViewerMessage(document), Tr("Editor", "Квирен"),
                                      platform::TMsgIcon::Exclamation);
        return;
    }
    if (platform::MessageBoxes().Ask(NoViewerMessage(document) + "\n\n"_w +
                                         Tr("Editor", "Открыть предварительный просмотр?"),
                                     Tr("Editor", "Квирен"),
                                     platform::TMsgIcon::Exclamation) == platform::TAnswer::Yes)
        ShowPreview(LastOutput->Page, LastOutput->Name);
}

} // namespace editor
