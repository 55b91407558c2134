#include "editor/PlatEditor.h"

#include "editor/FieldChecks.h"
#include "editor/Procs.h"
#include "platform/Clock.h"
#include "platform/Cp1251Literal.h"
#include "platform/DataDir.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "requisites/Requisites.h"
#include "rtf/RTF.h"
#include "settings/RegistryFile.h"
#include "store/FileList.h"
#include "words/BuhProc.h"

#include <cstdio>
#include <variant>
#include <vector>

namespace editor {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
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
    }
    return 0;
}

char32_t EnteredChar(TKeyRule rule, char32_t c) {
    // The blanks of an IBAN copied as printed, in groups of four, the non-breaking ones too.
    if (rule == TKeyRule::Account && (c == U' ' || c == U'\u00A0' || c == U'\t'))
        return 0;
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
            SetText(TField::RecipientFileName, StripFileNameChars(Text(TField::RecipientName)));
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
        case TStep::UpdateSaveButtons:
            UpdateSaveButtons();
            break;
        }
    }
}

void TPlatEditor::UpdatePlatFileName() {
    SetText(TField::PlatFileName, PlatFileNameFor(Text(TField::Number), Text(TField::Date),
                                                  Text(TField::RecipientFileName)));
}

void TPlatEditor::UpdatePayerFileName() {
    SetText(TField::PayerFileName,
            PayerFileNameFor(Text(TField::PayerName), Text(TField::PayerAccount)));
}

void TPlatEditor::UpdateSumaWords() {
    SetText(TField::SumaWords,
            SumaWordsFor(Text(TField::SumaGrn), Text(TField::SumaKop), DecimalSeparator));
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
        platform::ShowError("Ошибка создания рабочего каталога \""_w +
                            platform::DisplayPath(DataDir) + "\"");
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
    char date[16];
    std::snprintf(date, sizeof date, "%02u.%02u.%04d", static_cast<unsigned>(today.day()),
                  static_cast<unsigned>(today.month()), static_cast<int>(today.year()));
    SetText(Date, date);
    SetText(PayerCity, "");
    SetText(RecipientCity, "");
    UpdatePlatFileName();
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

void TPlatEditor::SetParty(order::TParty party, const store::TRequisites& requisites) {
    // In the order of the file, as typing them in would go.
    for (std::size_t slot = 0; slot < order::SlotCount; ++slot)
        SetText(order::PartyField(party, order::TSlot(slot)), requisites.Values[slot]);
}

bool TPlatEditor::SavePlat() {
    if (!PlatModified && !PayerModified && !RecipientModified)
        return true;
    if (Text(TField::PlatFileName).empty())
        return false;
    store::SavePlatFile(DataDir, Text(TField::PlatFileName), Record());
    PlatModified = false;
    UpdateSaveButtons();
    return true;
}

bool TPlatEditor::SavePayer() {
    if (!PayerModified)
        return true;
    if (Text(TField::PayerFileName).empty())
        return false;
    store::SaveRequisitesFile(DataDir, Text(TField::PayerFileName), store::PayerExt,
                              order::RequisitesOf(Record(), order::TParty::Payer));
    PayerModified = false;
    UpdateSaveButtons();
    return true;
}

bool TPlatEditor::SaveRecipient() {
    if (!RecipientModified)
        return true;
    if (Text(TField::RecipientFileName).empty())
        return false;
    store::SaveRequisitesFile(DataDir, Text(TField::RecipientFileName), store::RecipientExt,
                              order::RequisitesOf(Record(), order::TParty::Recipient));
    RecipientModified = false;
    UpdateSaveButtons();
    return true;
}

void TPlatEditor::LoadPlat() {
    const std::string name = SelectDataFile(0);
    if (name.empty())
        return;
    LoadPlatFrom(store::DataFilePath(DataDir, name, store::PlatExt));
}

void TPlatEditor::LoadPlatFrom(const std::filesystem::path& path) {
    // Read completely before touching a field: a refused file leaves the order as it was.
    const store::TPlatRecord r = store::ReadPlat(path, DecimalSeparator);
    for (const TFieldInfo& info : Fields)
        if (info.Stored != order::TStored::No)
            SetText(info.Field, r[info.Field]);
    ClearFlags();
    UpdateSaveButtons();
}

void TPlatEditor::LoadPayer() {
    const std::string name = SelectDataFile(1);
    if (name.empty())
        return;
    SetParty(order::TParty::Payer, store::LoadRequisitesFile(DataDir, name, store::PayerExt));
    PayerModified = false;
    UpdateSaveButtons();
}

void TPlatEditor::LoadRecipient() {
    const std::string name = SelectDataFile(2);
    if (name.empty())
        return;
    SetParty(order::TParty::Recipient,
             store::LoadRequisitesFile(DataDir, name, store::RecipientExt));
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
    switch (platform::MessageBoxes().Ask("Сохранить изменения в документе \""_w +
                                             Text(TField::PlatFileName) + "\"?",
                                         "Сохранение данных"_w, platform::TMsgIcon::Warning)) {
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
    if (!SavePlat())
        nameless += "\n– платежка (не задан номер)"_w;
    if (!SavePayer())
        nameless += "\n– реквизиты плательщика (не заданы наименование и р/с)"_w;
    if (!SaveRecipient())
        nameless += "\n– реквизиты получателя (не задано наименование)"_w;
    if (!nameless.empty())
        platform::ShowError("Невозможно сохранить файл с пустым именем:"_w + nameless);
}

bool TPlatEditor::Close() {
    return AskSaveChanges();
}

std::optional<blank::TPage> TPlatEditor::ComposeOutput() {
    const store::TPlatRecord order = Record();
    auto composed = ComposePlatData(order, Options, DecimalSeparator, platform::Today().year());
    if (auto* message = std::get_if<std::string>(&composed)) {
        platform::MessageBoxes().Show(*message, "Квирен"_w, platform::TMsgIcon::Exclamation);
        return std::nullopt;
    }
    const TPlatData& data = std::get<TPlatData>(composed);
    // One page serves the question and then the document or the preview.
    blank::TPage page = data.Blank();
    // What is wrong, or will not show, is asked about once; only Yes prints it.
    const std::vector<std::string> warnings = OutputWarnings(order, data.Languages.Kind, page);
    if (!warnings.empty() &&
        platform::MessageBoxes().Ask(OutputQuestion(warnings), "Квирен"_w,
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
    const auto document = platform::WriteTempDocument(rtf::Document(*page));
    if (!document.Error.empty())
        platform::ShowError(document.Error);
    else
        platform::OpenWithDesktop(document.Path.native(), true);
}

void TPlatEditor::Preview() {
    if (std::optional<blank::TPage> page = ComposeOutput())
        ShowPreview(*page, Text(TField::PlatFileName));
}

void TPlatEditor::ViewerMissing(const std::filesystem::path& document) {
    if (!ShowPreview || !LastOutput) {
        platform::MessageBoxes().Show(NoViewerMessage(document), "Квирен"_w,
                                      platform::TMsgIcon::Exclamation);
        return;
    }
    if (platform::MessageBoxes().Ask(
            NoViewerMessage(document) + "\n\nОткрыть предварительный просмотр?"_w, "Квирен"_w,
            platform::TMsgIcon::Exclamation) == platform::TAnswer::Yes)
        ShowPreview(LastOutput->Page, LastOutput->Name);
}

} // namespace editor
